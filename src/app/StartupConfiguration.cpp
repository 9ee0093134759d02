#include "StartupConfiguration.h"

#include "ProgramSettings.h"

#include "data/core/ApplicationTitle.h"
#include "data/log/Guard.h"
#include "data/config/IniFile.h"
#include "data/local/LocalPaths.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/config/RegistryStore.h"
#include "data/config/Upgrade.h"

#include <QCoreApplication>
#include <QDir>

namespace {
const QString Program = QStringLiteral("Program");

void createFolderQuietly(const QString& path)
{
    if (path.isEmpty())
        return;
    QDir().mkpath(path);   // an existing folder, or one that cannot be made, is no failure here
}
} // namespace

bool readStartupConfiguration(const StartupOptions& options, StartupView& view, const QObject* sender)
{
    const QDate today = options.today.isValid() ? options.today : QDate::currentDate();
    return guard("FormCreate", sender, false, [&] {
        // 1.
        PriceExplanation.clear();
        QuietClose = true;
        // 2.
        view.setWindowFont();
        // 3.
        ProgramSettings& settings = programSettings();
        settings.iniFileName = chooseIniFileName(options.arguments);
        setProgramIniFile(settings.iniFileName);
        IniFile& ini = programIniFile();
        // 4.
        ShraniForm = ini.readBool(Program, "ShraniForm", true);
        EnterForNext = ini.readBool(Program, "EnterForNext", true);
        const QString separator = ini.readString(Program, "DateSeparator", QString(DateSeparator));
        if (!separator.isEmpty())
            DateSeparator = separator.at(0);
        // 5.
        settings.tekoceLeto = ini.readString(Program, "TekoceLeto", yearDigits(today));
        // 6.
        settings.obdracPoslDog = ini.readString(Program, "ObdracPoslDog", QString());
        view.showStartValues(settings.obdracPoslDog, today);
        // 7.
        GetUserNameAndPassword(SqlUserName, SqlPassword);
        // 8.
        DevelopmentMode = ini.readFlag(Program, "RazvojAplikacije", "F");
        VatMode = ini.readBool(Program, "DDV", true);
        SqlTraceOn = ini.readFlag(Program, "SQLTrace", "F");
        settings.fillUpdateLogDir = ini.readString(Program, "FillUpdateLogDir", QStringLiteral("c:\\Vektor\\Log"));
        settings.fillUpdateLogPath = LocalPaths::localPath(settings.fillUpdateLogDir);
        createFolderQuietly(settings.fillUpdateLogPath);
        // 9.
        settings.podjetje = ini.readString(Program, "Podjetje", QString());
        const QString caption = mainCaptionFor(settings.podjetje);
        setMainWindowCaption(caption);
        view.setCaption(caption);
        setApplicationTitle(applicationTitleFor(settings.podjetje));
        // 10.
        view.attachHintHandler();
        // 11.
        if (options.runVersionCheck) {
            const QString programFile = !options.programFile.isEmpty()       ? options.programFile
                                        : QCoreApplication::instance() != nullptr ? QCoreApplication::applicationFilePath()
                                                                                   : QString();
            TestBuildNo(programFile, true);
        }
        // 12.
        view.buildExtraMenu();
        return true;
    });
}
