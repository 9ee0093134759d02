#pragma once
#include "data/core/ApplicationTitle.h"

#include <QDate>
#include <QString>

// Values of the configuration file that the shell itself keeps for the run. The flags that other
// parts of the program read (ShraniForm, EnterForNext, DevelopmentMode, VatMode, SqlTraceOn,
// DateSeparator, SqlUserName, SqlPassword) are the program-wide values of data/ProgramState.h.
struct ProgramSettings {
    QString iniFileName;        // first command-line argument, else "Vektor.INI"
    QString tekoceLeto;         // Program/TekoceLeto: the current business year, two digits
    QString obdracPoslDog;      // Program/ObdracPoslDog as read at start
    QString fillUpdateLogDir;   // Program/FillUpdateLogDir as written in the file
    QString fillUpdateLogPath;  // the local folder it stands for
    QString podjetje;           // Program/Podjetje
};

ProgramSettings& programSettings();

// The main window's caption at design time, also the first application title: the program's
// name (ProgramTitle).
inline const QString& DesignCaption = ProgramTitle;

// "Sintrex Periodično fakturiranje" + " " + company (the design caption, a blank, the company).
QString mainCaptionFor(const QString& company);
// "Sintrex Periodično fakturiranje " (with its trailing blank) + company.
QString applicationTitleFor(const QString& company);

// The year's last two digits ("yy" of the date).
QString yearDigits(const QDate& date);

// True when the business year of the configuration is set and is not the year of today.
bool tekoceLetoDiffers(const QString& tekoceLeto, const QDate& today);
inline const QString TekoceLetoMessage =
    QStringLiteral("Tekoče leto (nastavljeno v parametrih) se ne ujema s sistemskim datumom !\r\nNastavite ga v parametrih !");

// The configuration file the program uses: the first argument after the program name, unchanged,
// when there is one; else "Vektor.INI".
QString chooseIniFileName(const QStringList& arguments);
