#pragma once
#include <QPixmap>
#include <QWidget>

class QLabel;

// The splash window shown while the program loads. Creating it sets the hourglass and reads the
// program's version and build into ProgramVersion and ProgramBuildNo.
class TStartForm : public QWidget {
    Q_OBJECT
public:
    explicit TStartForm(QWidget* parent = nullptr);

    // Shows the window and paints it at once.
    void showNow();

    QString versionText() const;
    QString buildText() const;

    // The program's logo ("VektorLogo").
    static QPixmap vektorLogo(const QSize& size = QSize(300, 110));

private:
    QLabel* m_version = nullptr;
    QLabel* m_build = nullptr;
};
