#pragma once
#include "data/core/DataSetTypes.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <exception>
#include <functional>

class TField;
#include "data/dataset/TwwOEDataSet.h"

// What the data-aware controls (grids, navigators, editors) bind to: one live dataset, and what
// the controls share about it, namely whether the user has changed the record that is being
// edited or inserted. The commands carry out what a control was asked to do; a failure is shown
// to the user (an abort passes silently) and the command gives false. The dataset itself keeps
// the rows: the controls read them from its cache.
class TwwDataSource : public QObject {
    Q_OBJECT
public:
    explicit TwwDataSource(QObject* parent = nullptr);
    explicit TwwDataSource(TwwOEDataSet* dataSet, QObject* parent = nullptr);

    TwwOEDataSet* DataSet() const { return m_dataSet.data(); }
    void setDataSet(TwwOEDataSet* dataSet);

    bool active() const;
    TDataSetState state() const;
    bool editing() const;   // edit or insert state

    // The user changed the record being edited or inserted through a control.
    bool modified() const { return m_modified; }

    // Navigation; the record being edited is posted first (a new record that the user has not
    // changed is dropped instead: moving away or adding another never saves it by itself).
    bool moveTo(int row);   // 0-based display row
    bool first();
    bool prior();
    bool next();
    bool last();

    bool insert();   // a new record (an untouched new one before it is dropped, not saved)
    bool append();
    bool edit();
    bool post();
    bool refresh();
    // Gives up the changes of the record being edited or inserted. When the user has changed it
    // and ask is set, asks "Ali opuščaš spremembe !" first; false when the changes are kept.
    bool cancel(bool ask = true);
    // Deletes the current record; with ask, only after "Delete record?" was answered with OK.
    bool remove(bool ask = true);

    // Sets a field of the record on a display row as the user typed or chose it: moves there
    // (posting another record being edited), puts the dataset into edit state, then a text
    // goes through the field's text handling (TField::setText), and so does a date when the
    // field has a text handler (as "yyyy-MM-dd hh:mm:ss"); any other value is set as it is.
    bool setFieldValue(int row, TField& field, const QVariant& value);

    // How a failure of a command reaches the user; the default shows its message in an error
    // box. The windowed program may install a richer one (the database error dialog).
    static void setErrorHandler(std::function<void(const std::exception&)> handler);
    static void reportError(const std::exception& e);

    // Runs a command the way the controls do: a failure is reported, an abort is silent.
    static bool run(const std::function<void()>& command);

signals:
    void dataSetChanged();
    void stateChanged(int state);
    void modifiedChanged(bool modified);

private:
    void dropUntouchedInsert();
    void setModified(bool on);
    void dataSetStateChanged(int state);

    QPointer<TwwOEDataSet> m_dataSet;
    QMetaObject::Connection m_stateConnection;
    bool m_modified = false;
};
