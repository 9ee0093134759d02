#pragma once
#include <QString>
#include <stdexcept>

// A failure of the workstation's local table store. The kind lets a caller tell a table that
// is missing or damaged (which may be created anew) from one that another program holds.
class LocalStoreError : public std::runtime_error {
public:
    enum class Kind {
        Missing,   // the table's file does not exist
        Damaged,   // not a table of this store, or its structure does not fit
        Locked,    // another program holds the table
        Other,
    };
    LocalStoreError(Kind kind, const QString& message)
        : std::runtime_error(message.toStdString()), m_kind(kind) {}
    Kind kind() const { return m_kind; }
    QString message() const { return QString::fromUtf8(what()); }

private:
    Kind m_kind;
};
