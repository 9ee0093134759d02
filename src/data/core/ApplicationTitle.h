#pragma once
#include <QString>

#include <functional>

// The application's title (shown by plain message boxes, the task bar and the error dialogs) and
// the caption of the main window. Both are program-wide; the windowed program installs handlers
// that mirror them into the application object and the main window, so that code without
// windows (the data module, the login rules) can set them.
// The program's name: the main window's caption at design time, the first application title
// and the part of every later title that stays. Written here only.
inline const QString ProgramTitle = QStringLiteral("Sintrex Periodično fakturiranje");

QString applicationTitle();
void setApplicationTitle(const QString& title);
void setApplicationTitleHandler(std::function<void(const QString&)> handler);

QString mainWindowCaption();
void setMainWindowCaption(const QString& caption);
void setMainWindowCaptionHandler(std::function<void(const QString&)> handler);
