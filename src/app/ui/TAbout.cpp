#include "TAbout.h"
#include "TStartForm.h"

#include "data/core/ApplicationTitle.h"
#include "data/core/ProgramState.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAbout::TAbout(QWidget* parent) : QWidget(parent)
{
    setObjectName("About");
    setWindowTitle(QStringLiteral("O programu"));

    auto* picture = new QLabel(this);
    picture->setPixmap(TStartForm::vektorLogo(QSize(240, 88)));
    picture->setAlignment(Qt::AlignCenter);
    auto* name = new QLabel(ProgramTitle, this);
    name->setObjectName("lProgram");
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    name->setAlignment(Qt::AlignCenter);

    auto* version = new QLabel(ProgramVersion, this);
    version->setObjectName("lVerzija");
    auto* build = new QLabel(ProgramBuildNo, this);
    build->setObjectName("lBuild");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Verzija:"), version);
    form->addRow(QStringLiteral("Build#:"), build);

    auto* ok = new QPushButton(QStringLiteral("V redu"), this);
    ok->setObjectName("bOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (parentWidget() != nullptr && parentWidget()->inherits("QMdiSubWindow"))
            parentWidget()->close();
        else
            close();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(name);
    layout->addLayout(form);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}
