#pragma once
#include <QObject>
#include <QString>
#include <QStringList>

#include <type_traits>

// What the error log can learn about a component that raised or received a failure. Data
// components (datasets, statements) implement it so that the log shows their class, name and
// connection and SQL text; use senderPropForDataset/senderPropForStatement for the details.
class LogDescribable {
public:
    virtual ~LogDescribable() = default;
    virtual QString logClassName() const = 0;    // "THstmt", "TwwOEDataSet", ...
    virtual QString logObjectName() const = 0;   // "qQueryFind", "tbParameter", ...
    virtual QString logSenderProp() const { return {}; }
};

// The sender of an error-log entry. Built implicitly from:
// - nothing or nullptr: the application object (SenderName "TApplication", ObjectName the
//   application's name);
// - a pointer to a LogDescribable (a QObject that also implements it included): its own texts;
// - any other QObject pointer: its meta-object class name and objectName(), no SenderProp;
// - a text: a component known only by name (SenderName empty, ObjectName the text).
// It only points at the component and reads it when an entry is written, so it is cheap to make
// on every guarded call; the component must outlive the call.
class LogSender {
public:
    LogSender() = default;
    LogSender(std::nullptr_t) {}
    LogSender(const QString& name) : m_name(name), m_named(true) {}
    LogSender(const char* name) : m_name(QString::fromUtf8(name)), m_named(true) {}
    template <class T>
    LogSender(const T* component)
    {
        if constexpr (std::is_base_of_v<LogDescribable, T>) {
            m_describable = component;
        } else {
            static_assert(std::is_base_of_v<QObject, T>, "a sender is a QObject or a LogDescribable");
            m_object = component;
            m_describable = dynamic_cast<const LogDescribable*>(static_cast<const QObject*>(component));
        }
    }

    bool isApplication() const { return !m_named && !m_object && !m_describable; }
    QString className() const;
    QString objectName() const;
    QString senderProp() const;

private:
    const QObject* m_object = nullptr;
    const LogDescribable* m_describable = nullptr;
    QString m_name;
    bool m_named = false;
};

// SenderProp of a live dataset: "DatabaseName --> ", "TableName --> ", "hDbc --> " lines and
// "SQL -->" with every SQL line after one blank, all lines ended by CR LF.
QString senderPropForDataset(const QString& databaseName, const QString& tableName,
                             const QString& connectionName, const QStringList& sqlLines);
// SenderProp of a statement: "hDbc --> " + connection, then "SQL --> " + its text.
QString senderPropForStatement(const QString& connectionName, const QString& sql);
