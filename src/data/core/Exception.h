#pragma once
#include <QString>
#include <stdexcept>

// A plain failure that carries only its message text. RaiseSameMessage turns any caught
// failure into one of these, so that the next guard up (or the application's default handler)
// sees the same message without the original type.
class Exception : public std::runtime_error {
public:
    explicit Exception(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};
