#pragma once
#include <QPointer>
#include <QWidget>

#include <array>

class QToolButton;
#include "controls/TwwDataSource.h"

// A record navigator over a data source: first, prior, next, last, insert, delete, edit, post,
// cancel and refresh. Delete asks "Delete record?" first (when confirmDelete is on); cancel asks
// "Ali opuščaš spremembe !" when the user has changed the record. The buttons are enabled as
// the dataset's state and position allow.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };

    explicit DBNavigator(QWidget* parent = nullptr);

    void setDataSource(TwwDataSource* source);
    TwwDataSource* dataSource() const { return m_source; }

    QToolButton* button(Button b) const { return m_buttons[size_t(b)]; }
    void setButtonVisible(Button b, bool visible);
    bool confirmDelete() const { return m_confirmDelete; }
    void setConfirmDelete(bool on) { m_confirmDelete = on; }

    // Does what the button does (also for a hidden or disabled one).
    void click(Button b);
    // Enables the buttons for the dataset's current state.
    void updateButtons();

signals:
    // After a button's command ran (ok: it succeeded).
    void clicked(DBNavigator::Button button, bool ok);

private:
    void connectDataSet();

    QPointer<TwwDataSource> m_source;
    std::array<QToolButton*, ButtonCount> m_buttons{};
    QMetaObject::Connection m_dataSetConnections[6];
    bool m_confirmDelete = true;
};
