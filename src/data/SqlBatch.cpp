#include "data/SqlBatch.h"

#include "data/core/EAbort.h"
#include "data/log/ErrorLog.h"
#include "data/core/Exception.h"
#include "data/core/FieldType.h"
#include "data/log/Guard.h"
#include "data/core/Money.h"
#include "data/core/SqlLiterals.h"
#include "data/SqlUpdate.h"
#include "data/odbc/StatementCloser.h"

#include <QDateTime>

#include <charconv>

namespace {
// The text of one row of values, made in a buffer of UTF-16 units and appended to the statement
// at once (the run renders hundreds of thousands of values).
class RowText {
public:
    void clear() { m_units.clear(); }
    void put(char16_t c) { m_units.push_back(c); }
    void put(const char* latin1, int length)
    {
        for (int i = 0; i < length; ++i)
            m_units.push_back(char16_t(static_cast<unsigned char>(latin1[i])));
    }
    void put(QLatin1StringView text) { put(text.data(), int(text.size())); }
    void put(QStringView text) { m_units.insert(m_units.end(), text.utf16(), text.utf16() + text.size()); }
    // 'text' with every apostrophe doubled.
    void putQuoted(QStringView text)
    {
        put(u'\'');
        for (const QChar c : text) {
            if (c == QLatin1Char('\''))
                put(u'\'');
            put(c.unicode());
        }
        put(u'\'');
    }
    void appendTo(QString& out) const
    {
        out.append(reinterpret_cast<const QChar*>(m_units.data()), qsizetype(m_units.size()));
    }

private:
    std::vector<char16_t> m_units;
};

// One value of an INSERT in its SQL form (see sqlInsertValues).
void putInsertValue(RowText& out, const QVariant& v)
{
    if (!v.isValid() || v.isNull()) {
        out.put(QLatin1StringView("null"));
        return;
    }
    // Texts first: most values of a generated row are.
    if (v.typeId() == QMetaType::QString) {
        out.putQuoted(*static_cast<const QString*>(v.constData()));
        return;
    }
    if (v.metaType() == QMetaType::fromType<Money>()) {
        out.put(static_cast<const Money*>(v.constData())->toString());
        return;
    }
    if (isIntegerValue(v)) {
        if (v.typeId() == QMetaType::ULongLong) {
            out.put(v.toString());
        } else {
            char digits[24];
            out.put(digits, int(std::to_chars(digits, digits + sizeof digits, v.toLongLong()).ptr - digits));
        }
        return;
    }
    if (isRealValue(v)) {
        char digits[48];
        const double value = v.typeId() == QMetaType::Double ? *static_cast<const double*>(v.constData()) : v.toDouble();
        out.put(digits, floatToSqlChars(value, digits));
        return;
    }
    switch (v.typeId()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        if (isZeroDateValue(v)) {
            out.put(QLatin1StringView("null"));
            return;
        }
        const QDateTime dt = v.typeId() == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0)) : v.toDateTime();
        out.put(u'\'');
        out.put(DateTimeToStrSQL(dt));
        out.put(u'\'');
        return;
    }
    default:
        out.put(QLatin1StringView("null"));
        return;
    }
}

// A column name of the pairs (normally a QString).
void appendName(QString& out, const QVariant& name)
{
    if (name.typeId() == QMetaType::QString)
        out += *static_cast<const QString*>(name.constData());
    else
        out += name.toString();
}
} // namespace

namespace {
// Whether two rows list the same column names. The rows of one builder normally share their name
// texts, so the same text is recognised without comparing it.
bool sameNames(const QVariantList& a, const QVariantList& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i + 1 < a.size(); i += 2) {
        const QVariant& x = a[i];
        const QVariant& y = b[i];
        if (x.typeId() == QMetaType::QString && y.typeId() == QMetaType::QString) {
            const QString& s = *static_cast<const QString*>(x.constData());
            const QString& t = *static_cast<const QString*>(y.constData());
            if (s.constData() == t.constData() && s.size() == t.size())
                continue;
            if (s != t)
                return false;
        } else if (x != y) {
            return false;
        }
    }
    return true;
}

void appendValueRow(QString& out, const QVariantList& pairs)
{
    thread_local RowText row;
    row.clear();
    row.put(u'(');
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        if (i > 0)
            row.put(u',');
        putInsertValue(row, pairs[i + 1]);
    }
    row.put(u')');
    row.appendTo(out);
}
} // namespace

void SqlInsertRows::add(const QVariantList& pairs)
{
    if (pairs.size() % 2 != 0)
        return;
    Statement* current = m_statements.empty() ? nullptr : &m_statements.back();
    if (current && current->rows < MaxRowsPerInsert && sameNames(current->names, pairs)) {
        m_length -= current->text.size();
        current->text += QLatin1Char(',');
    } else {
        m_statements.push_back(Statement{pairs, QString(), 0});
        current = &m_statements.back();
        QString& text = current->text;
        text += QLatin1String("INSERT INTO ");
        text += m_table;
        text += QLatin1Char('(');
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
            if (i > 0)
                text += QLatin1Char(',');
            appendName(text, pairs[i]);
        }
        text += QLatin1String(") VALUES ");
        m_length += 2;   // the "; " after the statement
    }
    appendValueRow(current->text, pairs);
    ++current->rows;
    m_length += current->text.size();
}

void SqlInsertRows::appendTo(QString& out) const
{
    for (const Statement& s : m_statements) {
        out += s.text;
        out += QLatin1String("; ");
    }
}

void sqlInsertRows(const QString& Table, const std::vector<QVariantList>& Rows, QString& Buffer)
{
    SqlInsertRows rows(Table);
    for (const QVariantList& row : Rows)
        rows.add(row);
    rows.appendTo(Buffer);
}

void sqlInsertValues(const QString& Table, const QVariantList& Pairs, QString& Buffer)
{
    // Written straight into the buffer (the run writes thousands of these).
    sqlInsertRows(Table, std::vector<QVariantList>{Pairs}, Buffer);
}

bool sqlDeleteFromTableSQL(const QString& Table, const QString& Where, QString& Buffer)
{
    if (!Where.isEmpty())
        Buffer += QStringLiteral("DELETE FROM ") + Table + QStringLiteral(" WHERE ") + Where + QStringLiteral("; ");
    else
        Buffer += QStringLiteral("TRUNCATE TABLE ") + Table + QStringLiteral("; ");
    return true;
}

bool sqlDeleteFromTable(THstmt& Statement, const QString& Table, const QString& Where)
{
    bool failed = false;
    bool result = false;
    try {
        QString buffer;
        sqlDeleteFromTableSQL(Table, Where, buffer);
        result = sqlExecute(Statement, buffer, true);
        if (!result)
            throw Exception(QStringLiteral("Brisanje iz tabele %1 ni uspelo !").arg(Table));
    } catch (const EAbort&) {
        throw;
    } catch (...) {
        LogCurrentException(&Statement, QStringLiteral("sqlDeleteFromTable"));
        failed = true;
    }
    if (failed)
        Abort();
    return result;
}

void executeBatch(THstmt& Statement, const QString& Batch)
{
    THstmt& s = Statement;
    s.Close();
    StatementCloser closer{s};
    s.setSQL(Batch);
    try {
        s.Execute();
    } catch (const std::exception& e) {
        LogException(&e, &s, QStringLiteral("HstmtExecute-") + s.Name());
        throw;
    }
    LogTrace(&s, QStringLiteral("HstmtExecute"));
}

bool sqlExecute(THstmt& Statement, QString& Buffer, bool Force)
{
    if (!Force && Buffer.size() <= SqlBatchThreshold)
        return true;
    if (Buffer.trimmed().isEmpty()) {
        Buffer.clear();
        return true;
    }
    return guard(QStringLiteral("sqlExecute"), &Statement, false, [&] {
        executeBatch(Statement, Buffer);
        Buffer.clear();
        return true;
    });
}
