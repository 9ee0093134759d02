#pragma once
#include <QString>
#include <QStringList>

// Program-wide run-time values. They live for the whole run and are used from the GUI thread
// (or the single thread of a command-line tool) only.

inline QString CurrentUserID;          // signed-in user code, empty until login
inline QString CurrentUserName;
inline QString CurrentUserDepartment;
inline QString SqlUserName;            // database login from the registry store
inline QString SqlPassword;
inline QString DatabaseCompany;        // company name of the current database (INI Database/Podjetje)
inline double RoundStep = 1.0;         // money rounding step, from Param.ROUNDT (0 means 1)
inline bool SqlTraceOn = false;        // INI Program/SQLTrace == "T"
inline QString ProgramVersion = "0";   // program version text
inline QString ProgramBuildNo = "0";   // build number text
inline bool QuietClose = true;         // close the main window without asking
inline bool DevelopmentMode = false;   // INI Program/RazvojAplikacije == "T"
inline bool VatMode = true;            // INI Program/DDV
inline bool ShraniForm = true;         // INI Program/ShraniForm
inline bool EnterForNext = true;       // INI Program/EnterForNext
inline QStringList PriceExplanation;   // explanation lines of the last price calculation
inline QChar DateSeparator = QChar(u'.');  // process-wide date separator (INI Program/DateSeparator)
