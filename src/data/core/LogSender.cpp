#include "data/core/LogSender.h"

#include <QCoreApplication>
#include <QMetaObject>

QString LogSender::className() const
{
    if (m_describable)
        return m_describable->logClassName();
    if (m_object)
        return QString::fromLatin1(m_object->metaObject()->className());
    if (m_named)
        return {};
    return "TApplication";
}

QString LogSender::objectName() const
{
    if (m_describable)
        return m_describable->logObjectName();
    if (m_object)
        return m_object->objectName();
    if (m_named)
        return m_name;
    return QCoreApplication::instance() ? QCoreApplication::applicationName() : QString();
}

QString LogSender::senderProp() const
{
    return m_describable ? m_describable->logSenderProp() : QString();
}

QString senderPropForDataset(const QString& databaseName, const QString& tableName,
                             const QString& connectionName, const QStringList& sqlLines)
{
    QString out = "DatabaseName --> " + databaseName + "\r\n";
    out += "TableName --> " + tableName + "\r\n";
    out += "hDbc --> " + connectionName + "\r\n";
    out += "SQL -->";
    for (const QString& line : sqlLines)
        out += " " + line;
    out += "\r\n";
    return out;
}

QString senderPropForStatement(const QString& connectionName, const QString& sql)
{
    return "hDbc --> " + connectionName + "\r\nSQL --> " + sql + "\r\n";
}
