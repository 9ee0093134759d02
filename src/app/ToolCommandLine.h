#pragma once
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <stdexcept>

// Wrong arguments of a command-line tool, with the message for the user.
class CommandLineError : public std::runtime_error {
public:
    explicit CommandLineError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// The command line of the project's tools (obdrac-run, obdrac-config) over QCommandLineParser,
// with the tools' rules and Slovenian messages:
//  - "--name value" and "--name=value"; "-h" and "--help" ask for help, "--version" for the
//    version; a single dash works like two ("-user" is "--user");
//  - an option given twice, a value after a flag, a missing value, an unknown option, an
//    argument that is no option, and the refused names (a password on the command line) are
//    CommandLineError.
class ToolCommandLine {
public:
    ToolCommandLine();

    void addValueOption(const QString& name);
    void addFlag(const QString& name);
    // Names that are refused with the message (for example a password on the command line).
    void refuse(const QStringList& names, const QString& message);

    // The arguments without the program name. strayPrefix introduces an argument that is no
    // option ("Odvečen argument: "). Throws CommandLineError.
    void parse(const QStringList& arguments, const QString& strayPrefix);

    bool helpRequested() const { return m_parser.isSet(QStringLiteral("help")); }
    bool versionRequested() const { return m_parser.isSet(QStringLiteral("version")); }
    // name without dashes, as added
    bool isSet(const QString& name) const { return m_parser.isSet(name); }
    QString value(const QString& name) const { return m_parser.value(name); }

private:
    QCommandLineParser m_parser;
    QStringList m_valueOptions;
    QStringList m_flags;
    QStringList m_refused;
    QString m_refusedMessage;
};

// What "--version" prints: the tool's name, the version and the build of this build, e.g.
// "obdrac-run 1.0.0 (build 123)".
QString toolVersionText(const QString& toolName);
