// TwwOEDataSet: editing, posting, deleting and refreshing.
#include "data/dataset/TwwOEDataSet.h"

#include "data/dataset/DataSetWriter.h"
#include "data/core/EDatabaseError.h"

void TwwOEDataSet::CheckBrowseMode()
{
    checkActive();
    checkDetailsBrowseMode();
    if (m_state == dsEdit || m_state == dsInsert)
        Post();
}

void TwwOEDataSet::Insert()
{
    checkActive();
    CheckBrowseMode();
    beginInsert(m_current < 0 ? 0 : m_current);
}

void TwwOEDataSet::Append()
{
    checkActive();
    CheckBrowseMode();
    fetchAll();
    if (!m_rows.empty() && m_current != int(m_rows.size()) - 1)
        setCurrent(int(m_rows.size()) - 1, false, true);
    beginInsert(int(m_rows.size()));
}

// The empty record at row pos, with its new-record event.
void TwwOEDataSet::beginInsert(int pos)
{
    m_insertPos = pos;
    m_edit.assign(m_fieldList.size(), QVariant());
    m_state = dsInsert;
    emitRowsInserted(m_insertPos, m_insertPos);
    emitState();
    emitCurrent();
    try {
        calculate(m_edit);
        if (OnNewRecord)
            OnNewRecord(*this);
    } catch (...) {
        // the new record is given up, as if it had never been started
        m_state = dsBrowse;
        m_edit.clear();
        emitRowRemoved(m_insertPos);
        emitState();
        emitCurrent();
        throw;
    }
    emitData(m_insertPos, -1);
    notifyDetails();
}

void TwwOEDataSet::Edit()
{
    checkActive();
    if (m_state == dsEdit || m_state == dsInsert)
        return;
    if (IsEmpty()) {
        Insert();
        return;
    }
    m_edit = m_rows[size_t(m_current)].values;
    m_state = dsEdit;
    emitState();
}

void TwwOEDataSet::writeRecord(TUpdateKind kind)
{
    bool applyUpdate = true;
    if (OnUpdateRecord)
        OnUpdateRecord(*this, kind, applyUpdate);
    if (!applyUpdate)
        return;
    static const std::vector<QVariant> none;
    const std::vector<QVariant>& oldValues =
        kind == ukInsert ? none : m_rows[size_t(m_current)].values;
    const std::vector<QVariant>& newValues = kind == ukDelete ? m_rows[size_t(m_current)].values : m_edit;
    writer().write(kind, oldValues, newValues);
}

void TwwOEDataSet::Post()
{
    checkActive();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    if (BeforePost)
        BeforePost(*this);   // EAbort and every other exception leave the record in edit or insert
    const TUpdateKind kind = m_state == dsInsert ? ukInsert : ukModify;
    {
        m_posting = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{m_posting};
        writeRecord(kind);
    }
    int row;
    if (kind == ukInsert) {
        Row r;
        r.id = m_nextRowId++;
        r.values = std::move(m_edit);
        m_rows.insert(m_rows.begin() + m_insertPos, std::move(r));
        row = m_insertPos;
        m_current = m_insertPos;
    } else {
        m_rows[size_t(m_current)].values = std::move(m_edit);
        row = m_current;
    }
    m_edit.clear();
    m_state = dsBrowse;
    calculate(m_rows[size_t(row)].values);
    m_bof = m_eof = false;
    emitState();
    emitData(row, -1);
    emitCurrent();
    notifyDetails();
    if (AfterPost)
        AfterPost(*this);
}

void TwwOEDataSet::Cancel()
{
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    const bool wasInsert = m_state == dsInsert;
    m_state = dsBrowse;
    m_edit.clear();
    if (wasInsert) {
        emitRowRemoved(m_insertPos);
        if (m_current >= int(m_rows.size()))
            m_current = int(m_rows.size()) - 1;
    }
    emitState();
    emitData(currentRow(), -1);
    emitCurrent();
    if (wasInsert)
        notifyDetails();
}

void TwwOEDataSet::Delete()
{
    checkActive();
    if (m_state == dsInsert) {
        Cancel();
        return;
    }
    if (m_state == dsEdit)
        Cancel();
    checkDetailsBrowseMode();
    if (IsEmpty())
        throw EDatabaseError(QStringLiteral("%1: ni zapisa za brisanje !").arg(m_name));
    if (BeforeDelete)
        BeforeDelete(*this);
    writeRecord(ukDelete);
    const int row = m_current;
    m_rows.erase(m_rows.begin() + row);
    if (m_current >= int(m_rows.size()) && !fetchOne())
        m_current = int(m_rows.size()) - 1;
    m_bof = m_current <= 0;
    m_eof = m_rows.empty();
    emitRowRemoved(row);
    emitCurrent();
    notifyDetails();
    if (AfterDelete)
        AfterDelete(*this);
}

bool TwwOEDataSet::Refresh()
{
    checkActive();
    CheckBrowseMode();
    if (m_current < 0 || m_current >= int(m_rows.size()))
        return false;
    std::vector<QVariant> values = m_rows[size_t(m_current)].values;
    if (!writer().reread(values))
        return false;
    calculate(values);
    m_rows[size_t(m_current)].values = std::move(values);
    emitData(m_current, -1);
    notifyDetails();
    return true;
}
