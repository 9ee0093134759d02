// TwwOEDataSet: moving the cursor, bookmarks, controls and Locate.
#include "data/dataset/TwwOEDataSet.h"

#include "data/core/EConvertError.h"
#include "data/core/EDatabaseError.h"
#include "data/core/NoThrow.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// navigation

void TwwOEDataSet::checkActive() const
{
    if (!Active())
        throw EDatabaseError(QStringLiteral("%1: tabela ni odprta !").arg(m_name));
}

void TwwOEDataSet::setCurrent(int index, bool bof, bool eof)
{
    const bool moved = index != m_current;
    m_current = index;
    m_bof = bof;
    m_eof = eof;
    if (moved)
        scrolled();
}

void TwwOEDataSet::scrolled()
{
    emitCurrent();
    notifyDetails();
    if (AfterScroll)
        AfterScroll(*this);
}

void TwwOEDataSet::First()
{
    checkActive();
    CheckBrowseMode();
    if (m_rows.empty())
        fetchOne();
    setCurrent(m_rows.empty() ? -1 : 0, true, m_rows.empty());
}

void TwwOEDataSet::Next()
{
    checkActive();
    CheckBrowseMode();
    if (m_current + 1 < int(m_rows.size()) || fetchOne())
        setCurrent(m_current + 1, false, false);
    else
        m_eof = true;
}

void TwwOEDataSet::Prior()
{
    checkActive();
    CheckBrowseMode();
    if (m_current > 0)
        setCurrent(m_current - 1, false, false);
    else
        m_bof = true;
}

void TwwOEDataSet::Last()
{
    checkActive();
    CheckBrowseMode();
    fetchAll();
    setCurrent(int(m_rows.size()) - 1, m_rows.empty(), true);
}

int TwwOEDataSet::MoveBy(int distance)
{
    int moved = 0;
    while (distance > 0) {
        Next();
        if (m_eof)
            break;
        ++moved;
        --distance;
    }
    while (distance < 0) {
        Prior();
        if (m_bof)
            break;
        --moved;
        ++distance;
    }
    return moved;
}

bool TwwOEDataSet::IsEmpty()
{
    if (!Active())
        return true;
    if (m_state == dsInsert)
        return false;
    if (m_rows.empty())
        fetchOne();
    return m_rows.empty();
}

int TwwOEDataSet::RecNo() const
{
    if (m_state == dsInsert)
        return m_insertPos + 1;
    return m_current + 1;
}

void TwwOEDataSet::setRecNo(int recNo)
{
    checkActive();
    CheckBrowseMode();
    while (int(m_rows.size()) < recNo && fetchOne()) {
    }
    if (recNo < 1 || recNo > int(m_rows.size()))
        return;
    setCurrent(recNo - 1, false, false);
}

int TwwOEDataSet::RecordCount()
{
    if (!Active())
        return 0;
    fetchAll();
    return int(m_rows.size());
}

TBookmark TwwOEDataSet::GetBookmark() const
{
    if (m_current < 0 || m_current >= int(m_rows.size()))
        return TBookmark();
    return TBookmark{m_rows[size_t(m_current)].id};
}

bool TwwOEDataSet::BookmarkValid(const TBookmark& bookmark) const
{
    if (bookmark.isNull())
        return false;
    return std::any_of(m_rows.begin(), m_rows.end(), [&](const Row& r) { return r.id == bookmark.id; });
}

bool TwwOEDataSet::GotoBookmark(const TBookmark& bookmark)
{
    checkActive();
    CheckBrowseMode();
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].id == bookmark.id && !bookmark.isNull()) {
            setCurrent(int(i), false, false);
            return true;
        }
    return false;
}

void TwwOEDataSet::DisableControls() { ++m_disableCount; }

void TwwOEDataSet::EnableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount > 0)
        return;
    m_pendingChanges = false;
    emit layoutChanged();
    emit stateChanged(int(m_state));
    emit currentChanged(currentRow());
    emit controlsEnabled();
    for (TwwOEDataSet* d : m_details)
        noThrow([d] { d->masterChanged(); });
}

bool TwwOEDataSet::Locate(const QString& fields, const QVariant& values, TLocateOptions options)
{
    if (values.typeId() == QMetaType::QVariantList)
        return Locate(fields, values.toList(), options);
    return Locate(fields, QVariantList{values}, options);
}

bool TwwOEDataSet::Locate(const QString& fields, const QVariantList& values, TLocateOptions options)
{
    checkActive();
    CheckBrowseMode();
    std::vector<TField*> keys;
    for (const QString& name : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        keys.push_back(&FieldByName(name.trimmed()));
    if (keys.empty())
        return false;
    const Qt::CaseSensitivity cs = (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const bool partial = options & loPartialKey;

    // search values in the fields' types (a value that does not convert matches nothing)
    std::vector<QVariant> wanted(keys.size());
    std::vector<bool> usable(keys.size(), true);
    for (size_t i = 0; i < keys.size(); ++i) {
        const QVariant v = i < size_t(values.size()) ? values[int(i)] : QVariant();
        if (isTextType(keys[i]->dataType()) || keys[i]->dataType() == TFieldType::ftMemo) {
            wanted[i] = v.isValid() ? QVariant(v.toString()) : QVariant();
        } else {
            try {
                wanted[i] = convertToFieldType(v, keys[i]->dataType());
            } catch (const EConvertError&) {
                usable[i] = false;
            }
        }
    }
    auto matches = [&](const Row& row) {
        for (size_t i = 0; i < keys.size(); ++i) {
            if (!usable[i])
                return false;
            const QVariant& have = row.values[size_t(keys[i]->m_index)];
            const QVariant& want = wanted[i];
            if (!want.isValid()) {
                if (have.isValid())
                    return false;
                continue;
            }
            if (!have.isValid())
                return false;
            if (want.typeId() == QMetaType::QString) {
                const QString h = have.toString();
                const QString w = want.toString();
                if (partial ? !h.startsWith(w, cs) : h.compare(w, cs) != 0)
                    return false;
            } else if (!(have == want)) {
                return false;
            }
        }
        return true;
    };
    for (size_t i = 0;; ++i) {
        if (i >= m_rows.size() && !fetchOne())
            return false;
        if (matches(m_rows[i])) {
            setCurrent(int(i), false, false);
            return true;
        }
    }
}

