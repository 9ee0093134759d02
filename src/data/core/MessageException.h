#pragma once
#include <QByteArray>
#include <QString>
#include <exception>

// Base of the program's own exception types that carry one user-readable message.
// what() gives the message in UTF-8; message() gives it as QString.
class MessageException : public std::exception {
public:
    explicit MessageException(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const char* what() const noexcept override { return m_utf8.constData(); }
    const QString& message() const noexcept { return m_message; }

private:
    QString m_message;
    QByteArray m_utf8;
};
