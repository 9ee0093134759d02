#include "ProgramSettings.h"

#include <QStringList>

ProgramSettings& programSettings()
{
    static ProgramSettings settings;
    return settings;
}

QString mainCaptionFor(const QString& company) { return DesignCaption + QLatin1Char(' ') + company; }

QString applicationTitleFor(const QString& company) { return DesignCaption + QLatin1Char(' ') + company; }

QString yearDigits(const QDate& date) { return date.toString(QStringLiteral("yyMMdd")).left(2); }

bool tekoceLetoDiffers(const QString& tekoceLeto, const QDate& today)
{
    return !tekoceLeto.isEmpty() && tekoceLeto != yearDigits(today);
}

QString chooseIniFileName(const QStringList& arguments)
{
    if (arguments.size() > 1)
        return arguments.at(1);
    return QStringLiteral("Vektor.INI");
}
