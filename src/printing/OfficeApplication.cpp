#include "printing/OfficeApplication.h"

#include "data/config/ProgramIni.h"
#include "printing/EExternalProgram.h"

QString OfficeCommandKey(OfficeProgram program)
{
    return program == OfficeProgram::Spreadsheet ? SpreadsheetCommandKey : WordProcessorCommandKey;
}

std::optional<ExternalCommand> OfficeCommandFor(OfficeProgram program, const QString& file,
                                                const QString& configuredLine, QString* reason)
{
    if (!configuredLine.trimmed().isEmpty()) {
        auto command = CommandFromLine(configuredLine, file);
        if (command)
            return command;
        if (reason)
            *reason = QStringLiteral("Ukaz v nastavitvi %1 ni pravilen: %2")
                          .arg(OfficeCommandKey(program), configuredLine);
        return std::nullopt;
    }
    const bool html = file.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
                      file.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
    for (const QString& office : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        if (FindExternalProgram(office).isEmpty())
            continue;
        const bool sheet = program == OfficeProgram::Spreadsheet;
        ExternalCommand command{office, {sheet ? QStringLiteral("--calc") : QStringLiteral("--writer")}};
        // An HTML file would otherwise open in the web-page editor.
        if (html)
            command.arguments << (sheet ? QStringLiteral("--infilter=HTML (StarCalc)")
                                        : QStringLiteral("--infilter=HTML (StarWriter)"));
        command.arguments << file;
        return command;
    }
    if (!FindExternalProgram(QStringLiteral("xdg-open")).isEmpty())
        return ExternalCommand{QStringLiteral("xdg-open"), {file}};
    if (reason)
        *reason = QStringLiteral("Na računalniku ni programa za %1 (LibreOffice ali xdg-open); "
                                 "program lahko določite v nastavitvi %2 v razdelku [Program].")
                      .arg(program == OfficeProgram::Spreadsheet ? QStringLiteral("preglednice")
                                                                 : QStringLiteral("besedila"),
                           OfficeCommandKey(program));
    return std::nullopt;
}

void OpenInOfficeProgram(OfficeProgram program, const QString& file)
{
    QString reason;
    const QString line = GetStringFromIniFile(QStringLiteral("Program"), OfficeCommandKey(program), QString());
    const auto command = OfficeCommandFor(program, file, line, &reason);
    if (!command)
        throw EExternalProgram(reason);
    if (!StartExternalCommand(*command, &reason))
        throw EExternalProgram(reason);
}
