#include "data/SqlRow.h"

#include "data/core/FieldType.h"
#include "data/core/SqlLiterals.h"
#include "data/SqlUpdate.h"

#include <charconv>
#include <string>

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

namespace {
// The values are written into one buffer of UTF-16 units and become the row's text at once (a run
// writes hundreds of thousands of values).
std::u16string& rowBuffer()
{
    thread_local std::u16string buffer;
    return buffer;
}
} // namespace

SqlRowWriter::SqlRowWriter(SqlRow& row) : m_row(row), m_out(rowBuffer())
{
    m_row.keyAt = -1;
    m_row.keyLength = 0;
    m_out.clear();
    m_out += u'(';
}

void SqlRowWriter::finish()
{
    m_out += u')';
    m_row.values = QString(reinterpret_cast<const QChar*>(m_out.data()), qsizetype(m_out.size()));
    m_out.clear();
}

void SqlRowWriter::put(QStringView text)
{
    m_out.append(text.utf16(), size_t(text.size()));
}

void SqlRowWriter::next(bool isKey)
{
    if (!m_first)
        m_out += u',';
    m_first = false;
    // A row names each column once: only the first key column counts.
    m_keyOpen = isKey && m_row.keyAt < 0;
    if (m_keyOpen)
        m_row.keyAt = qsizetype(m_out.size());
}

void SqlRowWriter::latin1(const char* chars, int length)
{
    for (int i = 0; i < length; ++i)
        m_out += char16_t(static_cast<unsigned char>(chars[i]));
}

void SqlRowWriter::null()
{
    m_out += u"null";
}

void SqlRowWriter::quoted(QStringView text)
{
    m_out += u'\'';
    const char16_t* const end = text.utf16() + text.size();
    for (const char16_t* u = text.utf16(); u != end; ++u) {
        const char16_t c = *u;
        if (c == u'\'')
            m_out += c;
        m_out += c;
    }
    m_out += u'\'';
}

void SqlRowWriter::close()
{
    if (m_keyOpen)
        m_row.keyLength = qsizetype(m_out.size()) - m_row.keyAt;
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
    put(amount.toString());
    close();
}

void SqlRowWriter::add(const char* name, const QDateTime& dateTime)
{
    next(isKeyName(name));
    moment(dateTime);
    close();
}

void SqlRowWriter::moment(const QDateTime& dateTime)
{
    // the zero date and an invalid moment are stored as no date
    if (!dateTime.isValid() || isZeroDateValue(QVariant(dateTime))) {
        null();
        return;
    }
    m_out += u'\'';
    put(DateTimeToStrSQL(dateTime));
    m_out += u'\'';
}

void SqlRowWriter::add(const QString& name, const QVariant& v)
{
    next(isKeyName(name));
    if (!v.isValid() || v.isNull()) {
        null();
    } else if (v.typeId() == QMetaType::QString) {
        quoted(*static_cast<const QString*>(v.constData()));
    } else if (v.metaType() == QMetaType::fromType<Money>()) {
        put(static_cast<const Money*>(v.constData())->toString());
    } else if (isIntegerValue(v)) {
        if (v.typeId() == QMetaType::ULongLong) {
            put(v.toString());
        } else {
            char digits[24];
            latin1(digits, int(std::to_chars(digits, digits + sizeof digits, v.toLongLong()).ptr - digits));
        }
    } else if (isRealValue(v)) {
        char digits[48];
        const double value = v.typeId() == QMetaType::Double ? *static_cast<const double*>(v.constData()) : v.toDouble();
        latin1(digits, floatToSqlChars(value, digits));
    } else if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime) {
        moment(v.typeId() == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0)) : v.toDateTime());
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
