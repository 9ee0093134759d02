#include "data/TableIndexList.h"

#include "data/log/Guard.h"
#include "data/TableRoutines.h"
#include "data/odbc/StatementCloser.h"

void NameValueList::setValue(const QString& name, const QString& value)
{
    const int i = find(name);
    if (value.isEmpty()) {
        if (i >= 0)
            m_items.erase(m_items.begin() + i);
        return;
    }
    if (i >= 0)
        m_items[size_t(i)].value = value;
    else
        m_items.push_back({name, value});
}

QString NameValueList::value(const QString& name) const
{
    const int i = find(name);
    return i < 0 ? QString() : m_items[size_t(i)].value;
}

QStringList NameValueList::names() const
{
    QStringList out;
    for (const Item& item : m_items)
        out << item.name;
    return out;
}

int NameValueList::find(const QString& name) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void sqlFillTableIndex(THstmt& Statement)
{
    guard(QStringLiteral("sqlFillTableIndex"), &Statement, [&] {
        TableIndexList.clear();
        THstmt& s = Statement;
        s.Close();
        StatementCloser closer{s};
        s.setSQL(QStringLiteral("SELECT TableName, FieldsName FROM SintrexIndex"));
        HstmtExecute(s, false);
        while (s.FetchNext())
            TableIndexList.setValue(s.ColumnAsString(1).trimmed(), s.ColumnAsString(2).trimmed());
    });
}

QStringList tableKeyFields(const QString& table)
{
    const QString fields = TableIndexList.value(table);
    if (fields.isEmpty())
        return {};
    QStringList keys = fields.split(QLatin1Char(';'));
    for (QString& k : keys)
        k = k.trimmed();
    return keys;
}

QString sqlGetTableFromSQLMemo(const QStringList& sqlLines)
{
    QString text;
    for (const QString& line : sqlLines)
        text += QLatin1Char(' ') + line.trimmed();
    const qsizetype from = text.indexOf(QLatin1String("FROM"));
    if (from < 0)
        return {};
    const QString rest = text.mid(from + 4, 50).trimmed();
    const qsizetype blank = rest.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return rest;
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    const qsizetype end = (comma >= 0 && comma < blank) ? comma : blank;
    return rest.left(end);
}
