#pragma once
#include <QDate>
#include <QString>
#include <QStringList>

class QObject;

// What the configuration read at start-up asks of the main window. Every method has an empty
// default, so that the read can run without a window.
class StartupView {
public:
    virtual ~StartupView() = default;
    virtual void setWindowFont() {}
    // The remembered business event for the selector and today for the two date pickers.
    virtual void showStartValues(const QString& obdracPoslDog, const QDate& today) {}
    virtual void setCaption(const QString& caption) {}
    virtual void attachHintHandler() {}
    virtual void buildExtraMenu() {}
};

struct StartupOptions {
    QStringList arguments;         // the command line, program name first
    QDate today;                   // invalid: the system date
    QString programFile;           // for the version check; empty: the running program
    bool runVersionCheck = true;
};

// The start-up read of the main window's creation, in this order:
//  1. empty price explanation, QuietClose on;  2. window font;
//  3. configuration file: first argument, else "Vektor.INI";
//  4. Program/ShraniForm, EnterForNext (booleans, default true), DateSeparator (default the
//     current separator; its first character becomes the process-wide separator, an empty value
//     leaves it as it is);  5. TekoceLeto (default the year's two digits);
//  6. ObdracPoslDog (default empty) to the selector, today to the date pickers;
//  7. database login from the registry store;
//  8. RazvojAplikacije, DDV, SQLTrace, FillUpdateLogDir (the folder is created);
//  9. Podjetje: caption and application title;  10. hint handler;
// 11. version check (ends the program when a newer version waits);  12. extra menu.
// A failure stops the remaining steps and is logged as "FormCreate" with the sender.
// Returns false when the steps did not all run.
bool readStartupConfiguration(const StartupOptions& options, StartupView& view, const QObject* sender = nullptr);
