#include "LookupComboBox.h"

#include "controls/DataSetTableModel.h"
#include "controls/TwwDataSource.h"

#include "data/core/EAbort.h"
#include "data/core/Exception.h"
#include "data/dataset/TField.h"
#include "data/dataset/TwwOEDataSet.h"
#include "data/log/ErrorLog.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

LookupComboBox::LookupComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(8);
    setMaxVisibleItems(12);

    m_source = new TwwDataSource(this);
    m_model = new DataSetTableModel(m_source, this);
    m_model->setReadOnly(true);
    // ours first: the text is guarded before the box reacts to a change of the list ...
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &LookupComboBox::guardText);
    connect(m_model, &QAbstractItemModel::rowsAboutToBeInserted, this, &LookupComboBox::guardText);
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this, &LookupComboBox::guardText);
    setModel(m_model);
    // ... and put back after it
    connect(m_model, &QAbstractItemModel::modelReset, this, &LookupComboBox::restoreText);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &LookupComboBox::restoreText);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &LookupComboBox::restoreText);

    m_grid = new QTableView;
    m_grid->setObjectName("dropDownGrid");
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    setView(m_grid);

    connect(this, qOverload<int>(&QComboBox::activated), this, &LookupComboBox::rowActivated);
    connect(lineEdit(), &QLineEdit::textEdited, this, &LookupComboBox::typed);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_guarding)
            m_text = text;
    });
}

LookupComboBox::~LookupComboBox() = default;

void LookupComboBox::bindLookup(TwwOEDataSet* lookup, const QString& lookupField, const GridColumns& columns)
{
    const QString text = lookupText();
    m_lookupField = lookupField;
    GridColumns shown = columns;
    if (shown.isEmpty() && !lookupField.isEmpty())
        shown << GridColumn(lookupField);
    m_guarding = true;
    m_source->setDataSet(lookup);
    m_model->setColumns(shown);
    m_guarding = false;
    int column = m_model->columnOfField(lookupField);
    setModelColumn(column < 0 ? 0 : column);
    setLookupText(text);
    sizeGrid();
}

TwwOEDataSet* LookupComboBox::lookupDataSet() const { return m_source->DataSet(); }

void LookupComboBox::setLookupText(const QString& text)
{
    m_guarding = true;
    setCurrentIndex(-1);
    m_guarding = false;
    setEditText(text);
    m_text = text;
    m_lastAccepted = text;
    m_lastTyped = text;
}

void LookupComboBox::guardText() { m_guarding = true; }

void LookupComboBox::restoreText()
{
    if (currentText() != m_text) {
        const QSignalBlocker block(this);
        setCurrentIndex(-1);
        setEditText(m_text);
    }
    m_guarding = false;
    sizeGrid();
}

void LookupComboBox::sizeGrid()
{
    if (m_model->columnCount() == 0)
        return;
    const QFontMetrics fm(m_grid->font());
    int total = 0;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const int width = m_model->widthInCharacters(c) * fm.horizontalAdvance(QLatin1Char('0')) + 10;
        m_grid->setColumnWidth(c, width);
        total += width;
    }
    total += m_grid->verticalScrollBar()->sizeHint().width() + 4;
    m_grid->setMinimumWidth(std::min(total, 900));
}

bool LookupComboBox::ensureOpen()
{
    TwwOEDataSet* ds = lookupDataSet();
    if (ds == nullptr)
        return false;
    if (ds->Active())
        return true;
    // A look-up that cannot be opened is reported and written to the error log.
    try {
        ds->Open();
        return true;
    } catch (const EAbort&) {
        return false;
    } catch (const std::exception& e) {
        LogLookupOpenFailure(e, this, ds->Name());
        TwwDataSource::reportError(e);
    } catch (...) {
        const Exception unknown(QStringLiteral("Neznana napaka !"));
        LogLookupOpenFailure(unknown, this, ds->Name());
        TwwDataSource::reportError(unknown);
    }
    return false;
}

bool LookupComboBox::searchFor(const QString& text)
{
    if (text.isEmpty() || m_lookupField.isEmpty() || !ensureOpen())
        return false;
    TwwOEDataSet* ds = lookupDataSet();
    bool found = false;
    TwwDataSource::run([&] { found = ds->Locate(m_lookupField, QVariant(text), loCaseInsensitive | loPartialKey); });
    if (!found)
        return false;
    const QModelIndex index = m_model->index(ds->currentRow(), modelColumn());
    m_grid->setCurrentIndex(index);
    m_grid->scrollTo(index);
    return true;
}

void LookupComboBox::typed(const QString& text)
{
    const bool deleting = text.size() < m_lastTyped.size() && m_lastTyped.startsWith(text);
    m_text = text;   // the user's text is the value now (textEdited comes before textChanged)
    m_lastTyped = text;
    if (!searchFor(text) || deleting)
        return;
    TField* field = lookupDataSet()->FindField(m_lookupField);
    if (field == nullptr)
        return;
    const QString match = field->asString();
    if (match.size() > text.size() && match.startsWith(text, Qt::CaseInsensitive)) {
        const QString shown = text + match.mid(text.size());
        lineEdit()->setText(shown);
        lineEdit()->setSelection(text.size(), shown.size() - text.size());
    }
}

bool LookupComboBox::validateText()
{
    if (!m_listOnly)
        return true;
    const QString text = lookupText().trimmed();
    if (text.isEmpty() || lookupDataSet() == nullptr) {
        m_lastAccepted = lookupText();
        return true;
    }
    if (ensureOpen()) {
        TwwOEDataSet* ds = lookupDataSet();
        bool found = false;
        TwwDataSource::run([&] { found = ds->Locate(m_lookupField, QVariant(text), loCaseInsensitive); });
        if (found) {
            const QString listed = ds->FieldByName(m_lookupField).asString();
            if (listed != lookupText())
                setEditText(listed);
            m_lastAccepted = listed;
            return true;
        }
    }
    setEditText(m_lastAccepted);
    m_lastTyped = m_lastAccepted;
    return false;
}

void LookupComboBox::showPopup()
{
    m_chosen = false;
    m_closePending = false;
    if (lookupDataSet() != nullptr) {
        if (!ensureOpen())
            return;
        TwwOEDataSet* ds = lookupDataSet();
        if (!ds->allFetched())
            TwwDataSource::run([&] { ds->fetchMore(500); });
    }
    const QString text = lookupText();
    QComboBox::showPopup();
    // the row of the value (or of the text typed so far) is the one highlighted
    if (!text.isEmpty())
        searchFor(text);
}

void LookupComboBox::hidePopup()
{
    QComboBox::hidePopup();
    m_closePending = true;
    QTimer::singleShot(0, this, [this] {
        if (!m_closePending)
            return;
        m_closePending = false;
        emit closeUp(false);
    });
}

void LookupComboBox::rowActivated(int row)
{
    if (TwwOEDataSet* ds = lookupDataSet(); ds != nullptr && ds->Active())
        TwwDataSource::run([&] { ds->setRecNo(row + 1); });
    m_text = lookupText();
    m_lastAccepted = m_text;
    m_lastTyped = m_text;
    emit choiceMade();
    if (m_closePending) {
        m_closePending = false;
        emit closeUp(true);
    }
}

void LookupComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // the drop-down opening takes the focus: the text typed so far is what it searches for
    if (event->reason() == Qt::PopupFocusReason)
        return;
    if (view() == nullptr || !view()->isVisible())
        validateText();
}
