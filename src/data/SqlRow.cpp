#include "data/SqlRow.h"

#include "data/core/FieldType.h"
#include "data/core/SqlLiterals.h"
#include "data/SqlUpdate.h"

#include <charconv>

namespace {
bool isKeyName(QStringView name)
{
    return name.compare(QLatin1String("Kljuc"), Qt::CaseInsensitive) == 0;
}

bool isKeyName(const char* name)
{
    return (name[0] == 'K' || name[0] == 'k') && qstricmp(name, "Kljuc") == 0;
}
} // namespace

void SqlRow::setKey(QStringView key)
{
    if (keyAt < 0)
        return;
    QString literal;
    appendQuotedStr(literal, key);
    values.replace(keyAt, keyLength, literal);
    keyLength = literal.size();
}

SqlRowWriter::SqlRowWriter(SqlRow& row) : m_row(row), m_out(row.values)
{
    m_row.keyAt = -1;
    m_row.keyLength = 0;
    m_out.clear();
    m_out += QLatin1Char('(');
}

void SqlRowWriter::finish()
{
    m_out += QLatin1Char(')');
}

void SqlRowWriter::next(bool isKey)
{
    if (!m_first)
        m_out += QLatin1Char(',');
    m_first = false;
    // A row names each column once: only the first key column counts.
    m_keyOpen = isKey && m_row.keyAt < 0;
    if (m_keyOpen)
        m_row.keyAt = m_out.size();
}

void SqlRowWriter::latin1(const char* chars, int length)
{
    m_out += QLatin1StringView(chars, length);
}

void SqlRowWriter::null()
{
    m_out += QLatin1StringView("null");
}

void SqlRowWriter::quoted(QStringView text)
{
    m_out += QLatin1Char('\'');
    if (!text.contains(QLatin1Char('\''))) {
        m_out += text;
    } else {
        for (const QChar c : text) {
            if (c == QLatin1Char('\''))
                m_out += c;
            m_out += c;
        }
    }
    m_out += QLatin1Char('\'');
}

void SqlRowWriter::close()
{
    if (m_keyOpen)
        m_row.keyLength = m_out.size() - m_row.keyAt;
    m_keyOpen = false;
}

void SqlRowWriter::add(const char* name, QStringView text)
{
    next(isKeyName(name));
    quoted(text);
    close();
}

void SqlRowWriter::add(const char* name, int number)
{
    next(isKeyName(name));
    char digits[16];
    latin1(digits, int(std::to_chars(digits, digits + sizeof digits, number).ptr - digits));
    close();
}

void SqlRowWriter::add(const char* name, double number)
{
    next(isKeyName(name));
    char digits[48];
    latin1(digits, floatToSqlChars(number, digits));
    close();
}

void SqlRowWriter::add(const char* name, Money amount)
{
    next(isKeyName(name));
    m_out += amount.toString();
    close();
}

void SqlRowWriter::add(const char* name, const QDateTime& dateTime)
{
    next(isKeyName(name));
    if (!dateTime.isValid() || isZeroDateValue(QVariant(dateTime))) {
        null();
    } else {
        m_out += QLatin1Char('\'');
        m_out += DateTimeToStrSQL(dateTime);
        m_out += QLatin1Char('\'');
    }
    close();
}

void SqlRowWriter::add(const QString& name, const QVariant& v)
{
    next(isKeyName(name));
    if (!v.isValid() || v.isNull()) {
        null();
    } else if (v.typeId() == QMetaType::QString) {
        quoted(*static_cast<const QString*>(v.constData()));
    } else if (v.metaType() == QMetaType::fromType<Money>()) {
        m_out += static_cast<const Money*>(v.constData())->toString();
    } else if (isIntegerValue(v)) {
        if (v.typeId() == QMetaType::ULongLong) {
            m_out += v.toString();
        } else {
            char digits[24];
            latin1(digits, int(std::to_chars(digits, digits + sizeof digits, v.toLongLong()).ptr - digits));
        }
    } else if (isRealValue(v)) {
        char digits[48];
        const double value = v.typeId() == QMetaType::Double ? *static_cast<const double*>(v.constData()) : v.toDouble();
        latin1(digits, floatToSqlChars(value, digits));
    } else if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime) {
        if (isZeroDateValue(v)) {
            null();
        } else {
            const QDateTime dt = v.typeId() == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0)) : v.toDateTime();
            m_out += QLatin1Char('\'');
            m_out += DateTimeToStrSQL(dt);
            m_out += QLatin1Char('\'');
        }
    } else {
        null();
    }
    close();
}

SqlRow sqlRowOf(const QVariantList& pairs)
{
    SqlRow row;
    if (pairs.size() % 2 != 0)
        return row;
    SqlRowWriter writer(row);
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        const QVariant& name = pairs[i];
        const QString text = name.typeId() == QMetaType::QString ? *static_cast<const QString*>(name.constData())
                                                                  : name.toString();
        if (i > 0)
            row.names += QLatin1Char(',');
        row.names += text;
        writer.add(text, pairs[i + 1]);
    }
    writer.finish();
    return row;
}

void SqlRowNames::append(const char* name)
{
    if (!m_text.isEmpty())
        m_text += QLatin1Char(',');
    m_text += QLatin1StringView(name);
}
