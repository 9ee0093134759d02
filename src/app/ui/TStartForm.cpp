#include "TStartForm.h"

#include "data/core/ProgramState.h"
#include "data/config/VersionInfo.h"
#include "data/ui/ScreenCursor.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

TStartForm::TStartForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("StartForm");
    setWindowTitle(QStringLiteral("Počakaj malo"));
    setFixedSize(320, 209);
    setScreenCursor(Qt::WaitCursor);
    loadProgramVersion();

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(vektorLogo());
    picture->setAlignment(Qt::AlignCenter);
    auto* loading = new QLabel(QStringLiteral("Programski paket Vektor se ravnokar nalaga..."), this);
    loading->setObjectName("Label1");
    loading->setAlignment(Qt::AlignCenter);
    auto* versionCaption = new QLabel(QStringLiteral("Verzija:"), this);
    m_version = new QLabel(ProgramVersion, this);
    m_version->setObjectName("lVerzija");
    auto* buildCaption = new QLabel(QStringLiteral("Build#:"), this);
    m_build = new QLabel(ProgramBuildNo, this);
    m_build->setObjectName("lBuild");

    auto* grid = new QGridLayout(this);
    grid->addWidget(picture, 0, 0, 1, 4);
    grid->addWidget(loading, 1, 0, 1, 4);
    grid->addWidget(versionCaption, 2, 0);
    grid->addWidget(m_version, 2, 1);
    grid->addWidget(buildCaption, 2, 2);
    grid->addWidget(m_build, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TStartForm::showNow()
{
    show();
    raise();
    repaint();
    QApplication::processEvents();
}

QString TStartForm::versionText() const { return m_version->text(); }
QString TStartForm::buildText() const { return m_build->text(); }

QPixmap TStartForm::vektorLogo(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, size.width(), size.height());
    background.setColorAt(0.0, QColor(0, 51, 102));
    background.setColorAt(1.0, QColor(0, 122, 184));
    p.setBrush(background);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1), 10, 10);
    // an arrow: the vector
    p.setPen(QPen(QColor(255, 204, 0), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal h = size.height();
    p.drawLine(QPointF(18, h * 0.75), QPointF(70, h * 0.25));
    p.drawLine(QPointF(70, h * 0.25), QPointF(50, h * 0.30));
    p.drawLine(QPointF(70, h * 0.25), QPointF(66, h * 0.45));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(int(h * 0.38));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(80, 0, size.width() - 90, h), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Vektor"));
    return pixmap;
}
