#include "ToolCommandLine.h"

#include "BuildInfo.h"

namespace {
// "--user=01" -> "user"; "-h" -> "h"; "01" -> "".
QString optionName(const QString& argument)
{
    if (!argument.startsWith(u'-') || argument.size() < 2)
        return {};
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    return name.section(u'=', 0, 0);
}

QString dashed(const QString& name) { return QStringLiteral("--") + name; }
} // namespace

ToolCommandLine::ToolCommandLine()
{
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    m_parser.addOption(QCommandLineOption(QStringLiteral("version")));
    m_flags << QStringLiteral("h") << QStringLiteral("help") << QStringLiteral("version");
}

void ToolCommandLine::addValueOption(const QString& name)
{
    m_parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
    m_valueOptions << name;
}

void ToolCommandLine::addFlag(const QString& name)
{
    m_parser.addOption(QCommandLineOption(name));
    m_flags << name;
}

void ToolCommandLine::refuse(const QStringList& names, const QString& message)
{
    m_parser.addOption(QCommandLineOption(names, QString()));
    m_refused << names;
    m_refusedMessage = message;
}

void ToolCommandLine::parse(const QStringList& arguments, const QString& strayPrefix)
{
    // The checks that need the arguments as written come first, in their order, so that the
    // first fault is the one reported.
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--"))
            break;
        const QString name = optionName(argument);
        if (name.isEmpty())
            continue;
        if (m_refused.contains(name))
            throw CommandLineError(m_refusedMessage);
        const bool inlineValue = argument.contains(u'=');
        if (m_flags.contains(name) && inlineValue)
            throw CommandLineError(QStringLiteral("Izbira %1 nima vrednosti.").arg(dashed(name)));
        if (m_valueOptions.contains(name) && !inlineValue) {
            if (i + 1 >= arguments.size())
                throw CommandLineError(QStringLiteral("Izbira %1 zahteva vrednost.").arg(dashed(name)));
            ++i;   // the value, whatever it looks like
        }
        if (!m_flags.contains(name) && !m_valueOptions.contains(name))
            throw CommandLineError(QStringLiteral("Neznana izbira: ") + argument.section(u'=', 0, 0));
    }
    if (!m_parser.parse(QStringList{QStringLiteral("tool")} + arguments))
        throw CommandLineError(m_parser.errorText());   // not expected after the checks above
    for (const QString& name : m_valueOptions)
        if (m_parser.values(name).size() > 1)
            throw CommandLineError(QStringLiteral("Izbira %1 je podana dvakrat.").arg(dashed(name)));
    if (!m_parser.positionalArguments().isEmpty())
        throw CommandLineError(strayPrefix + m_parser.positionalArguments().first());
}

QString toolVersionText(const QString& toolName)
{
    return QStringLiteral("%1 %2 (build %3)")
        .arg(toolName, QStringLiteral(OBDRAC_VERSION_TEXT), QStringLiteral(OBDRAC_BUILD_TEXT));
}
