#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

// A file that cannot be read or written.
class IniFileError : public std::runtime_error {
public:
    explicit IniFileError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// A configuration file with the semantics of the classic profile-file functions:
// - "[Section]" lines open sections; "Key=Value" lines inside them hold the values. Section and
//   key names are compared without regard to case; blanks around names and values are dropped.
//   When a section or a key occurs twice, the first one counts.
// - A value enclosed in a matching pair of double or single quotes is read without them.
// - A key that is present with nothing after "=" is present and empty (its default does not
//   apply); only a missing key gives the default.
// - Integers: optional sign and decimal digits, or hexadecimal after "$" or "0x"; any other text
//   (including an empty one) counts as missing and gives the default. Booleans are integers:
//   0 is false, any other integer is true, and they are written as "1" and "0".
// - Writing a key rewrites only that one line (or inserts one line at the end of its section, or
//   appends the section at the end of the file); comments, order, blank lines, other sections,
//   line endings and a byte-order mark stay exactly as they were, byte for byte. The file and
//   its folder are created when missing; the new content replaces the old atomically.
// - Text is UTF-8. A line that is not valid UTF-8 is still kept unchanged when another key of the
//   file is written.
// - A value written with blanks at its ends, or that itself starts and ends with the same quote,
//   is written enclosed in double quotes so that it reads back unchanged; line breaks inside a
//   value are written as blanks (a value is one line).
// The file is read anew at every call, so changes made by other programs are seen at once.
// Reading a file that does not exist gives the defaults; a file that exists but cannot be read,
// and every failed write, raise IniFileError.
class IniFile {
public:
    // The name is used as given; see resolveFileName for bare names.
    explicit IniFile(const QString& fileName);

    // Where the program looks for its configuration file. A bare name (no folder, for example
    // "Vektor.INI") is looked for in the current folder and then in the configuration folder
    // ($XDG_CONFIG_HOME/obdrac, else ~/.config/obdrac), each time first with exactly this
    // spelling and then ignoring case; when it is in neither, it will be created in the
    // configuration folder. A drive path ("c:\Vektor\Vektor.INI") maps into the data folder
    // (LocalPaths::localPath); any other path is taken relative to the current folder.
    static QString resolveFileName(const QString& name);

    const QString& fileName() const { return m_fileName; }
    bool exists() const;

    std::optional<QString> value(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    // A "T"/"F" key: true only when the text is exactly "T".
    bool readFlag(const QString& section, const QString& key, const QString& defaultValue = "F") const;
    bool sectionExists(const QString& section) const;
    bool keyExists(const QString& section, const QString& key) const;
    QStringList sectionKeys(const QString& section) const;   // in file order
    QStringList sections() const;                             // in file order

    // Empty section or key names are refused with IniFileError, as are names that cannot be
    // stored ("=" in a key, "]" in a section, line breaks in either).
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    void deleteKey(const QString& section, const QString& key);
    void eraseSection(const QString& section);

    // Helpers that follow the rules above, for tests and for other readers of the same format.
    static std::optional<int> parseInteger(const QString& text);
    static QString unquote(const QString& text);

private:
    struct Document;
    Document load() const;
    void save(const Document& doc) const;

    QString m_fileName;
};
