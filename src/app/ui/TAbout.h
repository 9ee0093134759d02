#pragma once
#include <QWidget>

// The program-information window: program name, version and build. Opened as a child window of
// the main window; form name "About".
class TAbout : public QWidget {
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);
};
