#include "TwwDataSource.h"

#include "ControlTexts.h"

#include "data/core/EAbort.h"
#include "data/log/MessageBoxes.h"
#include "data/dataset/TField.h"
#include "data/dataset/TwwOEDataSet.h"

namespace {
std::function<void(const std::exception&)>& errorHandler()
{
    static std::function<void(const std::exception&)> handler;
    return handler;
}
} // namespace

TwwDataSource::TwwDataSource(QObject* parent) : QObject(parent) {}

TwwDataSource::TwwDataSource(TwwOEDataSet* dataSet, QObject* parent) : QObject(parent) { setDataSet(dataSet); }

void TwwDataSource::setDataSet(TwwOEDataSet* dataSet)
{
    if (m_dataSet == dataSet)
        return;
    disconnect(m_stateConnection);
    m_dataSet = dataSet;
    setModified(false);
    if (dataSet != nullptr)
        m_stateConnection = connect(dataSet, &TwwOEDataSet::stateChanged, this, &TwwDataSource::dataSetStateChanged);
    emit dataSetChanged();
}

bool TwwDataSource::active() const { return m_dataSet && m_dataSet->Active(); }
TDataSetState TwwDataSource::state() const { return m_dataSet ? m_dataSet->State() : dsInactive; }
bool TwwDataSource::editing() const { return state() == dsEdit || state() == dsInsert; }

void TwwDataSource::setModified(bool on)
{
    if (m_modified == on)
        return;
    m_modified = on;
    emit modifiedChanged(on);
}

void TwwDataSource::dataSetStateChanged(int state)
{
    if (state != dsEdit && state != dsInsert)
        setModified(false);
    emit stateChanged(state);
}

void TwwDataSource::setErrorHandler(std::function<void(const std::exception&)> handler)
{
    errorHandler() = std::move(handler);
}

void TwwDataSource::reportError(const std::exception& e)
{
    if (errorHandler()) {
        errorHandler()(e);
        return;
    }
    showError(QString::fromUtf8(e.what()));
}

bool TwwDataSource::run(const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const EAbort&) {
        return false;
    } catch (const std::exception& e) {
        reportError(e);
    } catch (...) {
        showError(QStringLiteral("Neznana napaka !"));
    }
    return false;
}

void TwwDataSource::dropUntouchedInsert()
{
    // a new record the user has not typed into is not saved by moving away or by adding
    // another: it goes, as if it had never been made
    if (m_dataSet && m_dataSet->State() == dsInsert && !m_modified)
        m_dataSet->Cancel();
}

bool TwwDataSource::moveTo(int row)
{
    if (!active())
        return false;
    TwwOEDataSet* ds = m_dataSet;
    if (row == ds->currentRow())
        return true;
    // (a record being inserted keeps its display row when it is posted, and so do the others)
    return run([&] {
        if (ds->State() == dsInsert && !m_modified) {
            // the untouched new record goes; the rows after it move up by one
            const int inserted = ds->currentRow();
            dropUntouchedInsert();
            if (row > inserted)
                --row;
        }
        ds->CheckBrowseMode();
        ds->setRecNo(row + 1);
    });
}

bool TwwDataSource::first() { return active() && run([&] { dropUntouchedInsert(); m_dataSet->First(); }); }
bool TwwDataSource::prior() { return active() && run([&] { dropUntouchedInsert(); m_dataSet->Prior(); }); }
bool TwwDataSource::next() { return active() && run([&] { dropUntouchedInsert(); m_dataSet->Next(); }); }
bool TwwDataSource::last() { return active() && run([&] { dropUntouchedInsert(); m_dataSet->Last(); }); }
bool TwwDataSource::insert() { return active() && run([&] { dropUntouchedInsert(); m_dataSet->Insert(); }); }
bool TwwDataSource::append() { return active() && run([&] { dropUntouchedInsert(); m_dataSet->Append(); }); }
bool TwwDataSource::edit() { return active() && run([&] { m_dataSet->Edit(); }); }
bool TwwDataSource::post() { return active() && run([&] { m_dataSet->Post(); }); }
bool TwwDataSource::refresh() { return active() && run([&] { m_dataSet->Refresh(); }); }

bool TwwDataSource::cancel(bool ask)
{
    if (!active() || !editing())
        return true;
    if (ask && m_modified
        && askConfirmation(controlTexts().abandonChanges, {MsgButton::Ok, MsgButton::Cancel}) != MsgButton::Ok)
        return false;
    return run([&] { m_dataSet->Cancel(); });
}

bool TwwDataSource::remove(bool ask)
{
    if (!active())
        return false;
    if (m_dataSet->State() != dsInsert && m_dataSet->IsEmpty())
        return false;
    if (ask && askConfirmation(controlTexts().deleteRecord, {MsgButton::Ok, MsgButton::Cancel}) != MsgButton::Ok)
        return false;
    return run([&] { m_dataSet->Delete(); });
}

bool TwwDataSource::setFieldValue(int row, TField& field, const QVariant& value)
{
    if (!active())
        return false;
    if (!moveTo(row))
        return false;
    return run([&] {
        TwwOEDataSet* ds = m_dataSet;
        if (ds->State() != dsEdit && ds->State() != dsInsert)
            ds->Edit();
        if (value.typeId() == QMetaType::QString)
            field.setText(value.toString());
        else if (field.OnSetText && (value.typeId() == QMetaType::QDateTime || value.typeId() == QMetaType::QDate))
            // a date chosen in a picker is typed too: the field's own text handling decides
            field.setText(value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        else
            field.setValue(value);
        setModified(true);
    });
}
