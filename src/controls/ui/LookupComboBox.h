#pragma once
#include "controls/GridColumn.h"

#include <QComboBox>
#include <QPointer>

class DataSetTableModel;
class QTableView;
class TwwDataSource;
class TwwOEDataSet;

// A drop-down that offers the rows of a lookup dataset in a small grid with column titles and
// keeps the value of one of its fields (the lookup field) as its text.
//  - Unbound (no lookup dataset) it is a plain editable box.
//  - The lookup dataset is opened when the drop-down first needs it (a failure is shown).
//  - Typing searches incrementally: the first row whose lookup field starts with the typed text
//    (case ignored) becomes the lookup dataset's current record and the rest of its value is
//    offered after the cursor, selected.
//  - With choice from the list only, a text that matches no row is refused when the box is left:
//    the last accepted value comes back.
//  - Choosing a row makes it the lookup dataset's current record, so that handlers of closeUp
//    read the chosen row's other fields there.
class LookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit LookupComboBox(QWidget* parent = nullptr);
    ~LookupComboBox() override;

    // Binds the drop-down: the value comes from lookupField; the grid shows columns (empty: the
    // lookup field alone). Null unbinds it.
    void bindLookup(TwwOEDataSet* lookup, const QString& lookupField, const GridColumns& columns = {});
    TwwOEDataSet* lookupDataSet() const;
    const QString& lookupField() const { return m_lookupField; }
    QTableView* dropDownGrid() const { return m_grid; }

    // The value shown (the chosen row's lookup field, or what the user typed).
    QString lookupText() const { return currentText(); }
    void setLookupText(const QString& text);

    bool choiceFromListOnly() const { return m_listOnly; }
    void setChoiceFromListOnly(bool on) { m_listOnly = on; }

    // With choice from the list only: whether the text is a listed value (or empty).
    bool isTextListed();
    // With choice from the list only: a listed value is taken (in the list's spelling); any
    // other text is refused with the message below, stays as typed for correction, and the box
    // keeps the focus. Returns whether the text was taken.
    bool confirmText();
    // The message for a value not in the list; "%1" is the text. Default: a general one.
    void setNotListedMessage(const QString& message) { m_notListedMessage = message; }

    // Incremental search in the lookup dataset; true when a row was found.
    bool searchFor(const QString& text);
    // With choice from the list only: keeps a listed value (in the list's spelling) or puts back
    // the last accepted one. Returns whether the text was kept.
    bool validateText();

    void showPopup() override;
    void hidePopup() override;

signals:
    // A row was chosen (emitted before closeUp, when the value is already set).
    void choiceMade();
    // The drop-down closed; selected tells whether a row was chosen.
    void closeUp(bool selected);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool ensureOpen();
    void rowActivated(int row);
    void typed(const QString& text);
    void guardText();
    void restoreText();
    void sizeGrid();

    TwwDataSource* m_source = nullptr;
    DataSetTableModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QString m_lookupField;
    QString m_text;          // the value, kept across changes of the list
    QString m_lastAccepted;
    QString m_lastTyped;
    bool m_guarding = false;
    bool m_listOnly = false;
    bool m_closePending = false;
    bool m_chosen = false;
    bool m_complaining = false;
    QString m_notListedMessage = QStringLiteral("\"%1\" ni na seznamu !\nIzberi vrednost s seznama.");
};
