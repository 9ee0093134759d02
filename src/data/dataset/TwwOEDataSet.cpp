#include "data/dataset/TwwOEDataSet.h"

#include "data/dataset/DataSetWriter.h"
#include "data/core/EConvertError.h"
#include "data/core/EDatabaseError.h"
#include "data/core/NoThrow.h"
#include "data/odbc/SqlParameterParser.h"
#include "data/odbc/THdbc.h"

#include <algorithm>

std::function<QStringList(const QString& table)> TwwOEDataSet::KeyFieldsResolver;

TwwOEDataSet::TwwOEDataSet(QObject* parent) : QObject(parent) {}

TwwOEDataSet::~TwwOEDataSet()
{
    noThrow([this] { Close(); });
    if (m_master)
        m_master->m_details.erase(std::remove(m_master->m_details.begin(), m_master->m_details.end(), this),
                                  m_master->m_details.end());
    for (TwwOEDataSet* d : m_details)
        d->m_master = nullptr;
}

void TwwOEDataSet::setName(const QString& name)
{
    m_name = name;
    setObjectName(name);
    m_stmt.setName(name);
}

void TwwOEDataSet::sethDbc(THdbc* hdbc)
{
    if (hdbc == m_hdbc)
        return;
    Close();
    if (m_hdbcConnection)
        disconnect(m_hdbcConnection);
    m_hdbc = hdbc;
    m_stmt.sethDbc(hdbc);
    m_writer.reset();
    if (hdbc)
        m_hdbcConnection = connect(hdbc, &THdbc::aboutToDisconnect, this, [this] { connectionClosing(); });
}

void TwwOEDataSet::connectionClosing()
{
    noThrow([this] { Close(); });
}

QStringList TwwOEDataSet::controlTypeOf(const QString& fieldName) const
{
    for (const QString& entry : m_controlType) {
        const QStringList parts = entry.split(QLatin1Char(';'));
        if (!parts.isEmpty() && parts.first().trimmed().compare(fieldName, Qt::CaseInsensitive) == 0)
            return parts;
    }
    return {};
}

void TwwOEDataSet::setSQL(const QStringList& lines)
{
    Close();
    m_sql = lines;
    const SqlParameterParser::Result r = SqlParameterParser::parse(SQLText());
    // A bad token is reported when the query is opened; the names found so far are kept.
    if (r.ok)
        m_params.assignNames(SqlParameterParser::distinctNames(r.names));
    if (m_writer)
        m_writer->reset();
}

void TwwOEDataSet::setMasterDataSet(TwwOEDataSet* master)
{
    if (master == m_master)
        return;
    for (TwwOEDataSet* m = master; m; m = m->m_master)
        if (m == this)
            throw EDatabaseError(QStringLiteral("%1: krožna povezava glavne in podrejene tabele !").arg(m_name));
    if (m_master)
        m_master->m_details.erase(std::remove(m_master->m_details.begin(), m_master->m_details.end(), this),
                                  m_master->m_details.end());
    m_master = master;
    if (m_master)
        m_master->m_details.push_back(this);
}

DataSetWriter& TwwOEDataSet::writer()
{
    if (!m_writer)
        m_writer = std::make_unique<DataSetWriter>(*this);
    return *m_writer;
}

// ---------------------------------------------------------------------------------------------
// fields

TField& TwwOEDataSet::addField(const QString& name, TFieldType type, int size, TFieldKind kind)
{
    if (Active())
        throw EDatabaseError(QStringLiteral("%1: polj ni mogoče dodajati odprti tabeli !").arg(m_name));
    if (TField* existing = FindField(name); existing && existing->m_declared)
        throw EDatabaseError(QStringLiteral("%1: polje %2 že obstaja !").arg(m_name, name));
    // a field created at an earlier open with this name gives way to the declared one
    for (auto& f : m_fields)
        if (!f->m_declared && f->m_name.compare(name, Qt::CaseInsensitive) == 0)
            f->m_name.clear();
    auto field = std::unique_ptr<TField>(new TField(this, name.toUpper(), type, size, kind));
    field->m_declared = true;
    TField& ref = *field;
    m_fields.push_back(std::move(field));
    rebuildFieldList();
    return ref;
}

void TwwOEDataSet::rebuildFieldList()
{
    m_fieldList.clear();
    std::vector<TField*> bound;
    for (auto& f : m_fields)
        if (f->isDataField() && f->m_column > 0)
            bound.push_back(f.get());
    std::sort(bound.begin(), bound.end(), [](TField* a, TField* b) { return a->m_column < b->m_column; });
    m_fieldList = bound;
    // declared fields that are not (yet) bound: calculated and lookup ones, and data fields
    // before the first open
    for (auto& f : m_fields)
        if (f->m_declared && !(f->isDataField() && f->m_column > 0) && (!Active() || !f->isDataField()))
            m_fieldList.push_back(f.get());
    for (auto& f : m_fields)
        f->m_index = -1;
    for (size_t i = 0; i < m_fieldList.size(); ++i)
        m_fieldList[i]->m_index = int(i);
}

TField* TwwOEDataSet::FindField(const QString& name) const
{
    for (TField* f : m_fieldList)
        if (f->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

TField& TwwOEDataSet::FieldByName(const QString& name) const
{
    if (TField* f = FindField(name))
        return *f;
    throw EDatabaseError(QStringLiteral("%1: polje %2 ne obstaja !").arg(m_name, name));
}

void TwwOEDataSet::bindFields()
{
    for (auto& f : m_fields)
        f->m_column = 0;
    for (int c = 1; c <= m_stmt.ColCount(); ++c) {
        const QString name = m_stmt.ColName(c);
        TField* field = nullptr;
        for (auto& f : m_fields)
            if (f->isDataField() && f->m_column == 0 && f->m_name.compare(name, Qt::CaseInsensitive) == 0) {
                field = f.get();
                break;
            }
        const TFieldType type = m_stmt.ColFieldType(c);
        if (!field) {
            const int size = type == TFieldType::ftString ? int(std::min<qulonglong>(m_stmt.ColSize(c), 1u << 30)) : 0;
            auto created = std::unique_ptr<TField>(new TField(this, name, type, size, TFieldKind::fkData));
            field = created.get();
            m_fields.push_back(std::move(created));
        } else if (!field->m_declared) {
            field->m_type = type;
            field->m_size = type == TFieldType::ftString ? int(std::min<qulonglong>(m_stmt.ColSize(c), 1u << 30)) : 0;
        } else if (field->m_type == TFieldType::ftUnknown) {
            field->m_type = type;
        }
        field->m_column = c;
        field->m_baseTable = m_stmt.ColBaseTable(c);
        field->m_baseColumn = m_stmt.ColBaseColumn(c);
    }
    for (auto& f : m_fields)
        if (f->m_declared && f->isDataField() && f->m_column == 0)
            throw EDatabaseError(QStringLiteral("%1: polje %2 ne obstaja !").arg(m_name, f->m_name));
}

// ---------------------------------------------------------------------------------------------
// open, fetch, close

std::vector<QVariant> TwwOEDataSet::masterValuesForParams() const
{
    std::vector<QVariant> values;
    for (int i = 0; i < m_params.Count(); ++i) {
        const TParam& p = m_params[i];
        TField* mf = (m_master && m_master->Active()) ? m_master->FindField(p.Name()) : nullptr;
        values.push_back(mf ? mf->value() : p.value());
    }
    return values;
}

void TwwOEDataSet::openCursor()
{
    if (!m_hdbc)
        throw EDatabaseError(QStringLiteral("%1: tabela nima povezave z bazo podatkov !").arg(m_name));
    m_stmt.setSQL(SQLText());
    m_paramValuesUsed = masterValuesForParams();
    for (int i = 0; i < m_params.Count(); ++i) {
        const TParam& p = m_params[i];
        TFieldType type = p.dataType();
        if (m_master && m_master->Active())
            if (TField* mf = m_master->FindField(p.Name()))
                type = mf->dataType();
        m_stmt.BindParam(p.Name(), m_paramValuesUsed[size_t(i)], type);
    }
    m_stmt.Execute();
}

void TwwOEDataSet::Open()
{
    if (Active())
        return;
    m_rows.clear();
    m_current = -1;
    m_edit.clear();
    try {
        openCursor();
        bindFields();
    } catch (...) {
        m_stmt.Close();
        for (auto& f : m_fields)
            f->m_column = 0;
        rebuildFieldList();
        throw;
    }
    if (m_writer)
        m_writer->reset();
    m_state = dsBrowse;
    rebuildFieldList();
    m_fetchDone = !m_stmt.HasResult();
    try {
        if (m_fetchAll)
            fetchAll();
        else
            fetchOne();
    } catch (...) {
        Close();
        throw;
    }
    m_current = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    emit opened();
    emitLayout();
    emitState();
    emitCurrent();
    notifyDetails();
    if (AfterOpen)
        AfterOpen(*this);
    if (AfterScroll)
        AfterScroll(*this);
}

void TwwOEDataSet::Close()
{
    if (!Active())
        return;
    m_stmt.Close();
    m_state = dsInactive;
    m_rows.clear();
    m_edit.clear();
    m_current = -1;
    m_bof = m_eof = true;
    m_fetchDone = true;
    for (auto& f : m_fields)
        f->m_column = 0;
    rebuildFieldList();
    emit closed();
    emitLayout();
    emitState();
    // Details stay as they are; they follow the master again when it re-opens.
}

std::vector<QVariant> TwwOEDataSet::readRow()
{
    std::vector<QVariant> values(m_fieldList.size());
    for (TField* f : m_fieldList) {
        if (f->m_column <= 0)
            continue;
        const QVariant raw = m_stmt.ColumnValue(f->m_column);
        try {
            values[size_t(f->m_index)] = convertToFieldType(raw, f->m_type);
        } catch (const EConvertError&) {
            values[size_t(f->m_index)] = raw;   // a declared type that does not fit keeps the driver's value
        }
    }
    calculate(values);
    return values;
}

bool TwwOEDataSet::fetchOne()
{
    if (m_fetchDone)
        return false;
    bool got = false;
    try {
        got = m_stmt.FetchNext();
    } catch (...) {
        m_fetchDone = true;
        throw;
    }
    if (!got) {
        m_fetchDone = true;
        m_stmt.Close();
        return false;
    }
    Row row;
    row.id = m_nextRowId++;
    row.values = readRow();
    m_rows.push_back(std::move(row));
    const int displayRow = int(m_rows.size()) - 1 + ((m_state == dsInsert && m_insertPos <= int(m_rows.size()) - 1) ? 1 : 0);
    emitRowsInserted(displayRow, displayRow);
    return true;
}

void TwwOEDataSet::fetchAll()
{
    while (fetchOne()) {
    }
}

int TwwOEDataSet::fetchMore(int count)
{
    int n = 0;
    while (n < count && fetchOne())
        ++n;
    return n;
}

void TwwOEDataSet::calculate(std::vector<QVariant>& values)
{
    bool any = false;
    for (TField* f : m_fieldList)
        if (!f->isDataField())
            any = true;
    if (!any)
        return;
    std::vector<QVariant>* previousTarget = m_calcTarget;
    const TDataSetState previousState = m_state;
    m_calcTarget = &values;
    m_stateBeforeCalc = previousState;
    m_state = dsCalcFields;
    struct Restore {
        TwwOEDataSet* ds;
        std::vector<QVariant>* target;
        TDataSetState state;
        ~Restore()
        {
            ds->m_calcTarget = target;
            ds->m_state = state;
        }
    } restore{this, previousTarget, previousState};
    for (TField* f : m_fieldList)
        if (f->fieldKind() == TFieldKind::fkCalculated)
            values[size_t(f->m_index)] = QVariant();
        else if (f->fieldKind() == TFieldKind::fkLookup)
            values[size_t(f->m_index)] = lookupValue(*f, values);
    if (OnCalcFields)
        OnCalcFields(*this);
}

QVariant TwwOEDataSet::lookupValue(const TField& field, const std::vector<QVariant>& values) const
{
    TwwOEDataSet* lookup = field.LookupDataSet;
    if (!lookup || !lookup->Active())
        return QVariant();
    const QStringList keys = field.KeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QStringList lookupKeys = field.LookupKeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    TField* result = lookup->FindField(field.LookupResultField.trimmed());
    if (keys.isEmpty() || keys.size() != lookupKeys.size() || !result)
        return QVariant();
    std::vector<std::pair<int, int>> pairs;   // (index here, index there)
    for (int i = 0; i < keys.size(); ++i) {
        TField* mine = FindField(keys[i].trimmed());
        TField* theirs = lookup->FindField(lookupKeys[i].trimmed());
        if (!mine || !theirs)
            return QVariant();
        pairs.emplace_back(mine->m_index, theirs->m_index);
    }
    lookup->fetchAll();   // the whole look-up table takes part, not only the rows fetched so far
    for (const Row& r : lookup->m_rows) {
        bool match = true;
        for (const auto& [mine, theirs] : pairs)
            if (!(values[size_t(mine)] == r.values[size_t(theirs)])) {
                match = false;
                break;
            }
        if (match)
            return r.values[size_t(result->m_index)];
    }
    return QVariant();
}

// ---------------------------------------------------------------------------------------------
// master and details

void TwwOEDataSet::notifyDetails()
{
    if (m_disableCount > 0) {
        m_pendingChanges = true;
        return;
    }
    for (TwwOEDataSet* d : m_details)
        d->masterChanged();
}

void TwwOEDataSet::checkDetailsBrowseMode()
{
    for (TwwOEDataSet* d : m_details)
        if (d->Active())
            d->CheckBrowseMode();
}

void TwwOEDataSet::masterChanged()
{
    if (!Active() || !m_master || !m_master->Active())
        return;
    if (masterValuesForParams() == m_paramValuesUsed)
        return;
    DisableControls();
    struct Enable {
        TwwOEDataSet* ds;
        ~Enable() { ds->EnableControls(); }
    } enable{this};
    Close();
    Open();
}

// ---------------------------------------------------------------------------------------------
// values for fields and grids

const std::vector<QVariant>* TwwOEDataSet::activeValues() const
{
    if (m_state == dsCalcFields)
        return m_calcTarget;
    if (m_state == dsEdit || m_state == dsInsert)
        return &m_edit;
    if (m_state == dsBrowse && m_current >= 0 && m_current < int(m_rows.size()))
        return &m_rows[size_t(m_current)].values;
    return nullptr;
}

QVariant TwwOEDataSet::fieldValue(const TField& field) const
{
    const std::vector<QVariant>* values = activeValues();
    if (!values || field.m_index < 0 || field.m_index >= int(values->size()))
        return QVariant();
    return (*values)[size_t(field.m_index)];
}

QVariant TwwOEDataSet::fieldOldValue(const TField& field) const
{
    if (field.m_index < 0)
        return QVariant();
    if (m_state == dsInsert || (m_state == dsCalcFields && m_stateBeforeCalc == dsInsert))
        return QVariant();
    if (m_state == dsCalcFields && m_calcTarget != &m_edit)
        return fieldValue(field);
    if (m_current >= 0 && m_current < int(m_rows.size()))
        return m_rows[size_t(m_current)].values[size_t(field.m_index)];
    return QVariant();
}

void TwwOEDataSet::setFieldValue(TField& field, const QVariant& value)
{
    if (field.m_index < 0)
        throw EDatabaseError(QStringLiteral("%1: polje %2 ne obstaja !").arg(m_name, field.m_name));
    if (m_state == dsCalcFields) {
        if (field.isDataField())
            throw EDatabaseError(QStringLiteral("%1: polja %2 ni mogoče spreminjati !").arg(m_name, field.m_name));
        (*m_calcTarget)[size_t(field.m_index)] = convertToFieldType(value, field.m_type);
        return;
    }
    if (m_state != dsEdit && m_state != dsInsert)
        throw EDatabaseError(QStringLiteral("%1: tabela ni v načinu urejanja ali vnosa !").arg(m_name));
    if (field.readOnly())
        throw EDatabaseError(QStringLiteral("%1: polja %2 ni mogoče spreminjati !").arg(m_name, field.m_name));
    QVariant converted = convertToFieldType(value, field.m_type);   // may throw EConvertError
    if (field.m_type == TFieldType::ftString && field.m_size > 0 && converted.isValid()
        && converted.toString().size() > field.m_size)
        converted = converted.toString().left(field.m_size);
    m_edit[size_t(field.m_index)] = converted;
    if (field.isDataField() && AutoCalcFields)
        calculate(m_edit);
    emitData(currentRow(), field.m_index);
    if (field.OnChange)
        field.OnChange(field);
}

int TwwOEDataSet::rowCount() const
{
    return int(m_rows.size()) + (m_state == dsInsert ? 1 : 0);
}

QVariant TwwOEDataSet::valueAt(int row, int fieldIndex) const
{
    if (fieldIndex < 0 || fieldIndex >= int(m_fieldList.size()) || row < 0)
        return QVariant();
    int cached = row;
    if (m_state == dsInsert) {
        if (row == m_insertPos)
            return m_edit[size_t(fieldIndex)];
        if (row > m_insertPos)
            cached = row - 1;
    } else if (m_state == dsEdit && row == m_current) {
        return m_edit[size_t(fieldIndex)];
    }
    if (cached >= int(m_rows.size()))
        return QVariant();
    return m_rows[size_t(cached)].values[size_t(fieldIndex)];
}

// ---------------------------------------------------------------------------------------------
// signals

void TwwOEDataSet::emitState()
{
    if (m_disableCount > 0) {
        m_pendingChanges = true;
        return;
    }
    emit stateChanged(int(m_state));
}

void TwwOEDataSet::emitCurrent()
{
    if (m_disableCount > 0) {
        m_pendingChanges = true;
        return;
    }
    emit currentChanged(currentRow());
}

void TwwOEDataSet::emitData(int row, int fieldIndex)
{
    if (m_disableCount > 0) {
        m_pendingChanges = true;
        return;
    }
    emit dataChanged(row, fieldIndex);
}

void TwwOEDataSet::emitRowsInserted(int first, int last)
{
    if (m_disableCount > 0) {
        m_pendingChanges = true;
        return;
    }
    emit rowsInserted(first, last);
}

void TwwOEDataSet::emitRowRemoved(int row)
{
    if (m_disableCount > 0) {
        m_pendingChanges = true;
        return;
    }
    emit rowRemoved(row);
}

void TwwOEDataSet::emitLayout()
{
    if (m_disableCount > 0) {
        m_pendingChanges = true;
        return;
    }
    emit layoutChanged();
}

// The dataset as a sender in the error log.
QString TwwOEDataSet::logClassName() const { return QStringLiteral("TwwOEDataSet"); }
QString TwwOEDataSet::logObjectName() const { return m_name; }
QString TwwOEDataSet::logSenderProp() const
{
    const THdbc* c = hDbc();
    return senderPropForDataset(m_databaseName, QString(), c ? c->Name() : QString(), m_sql);
}
