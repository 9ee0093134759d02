#include "ShellTestEnv.h"

#include "data/core/ApplicationTitle.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/ui/EnterForNext.h"
#include "data/ui/MdiChildren.h"
#include "data/ui/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
TEST(MdiChildren, ChildrenFoundByNameFromTheLast)
{
    QMdiArea area;
    area.resize(600, 400);
    area.show();
    setMainMdiArea(&area);
    EXPECT_FALSE(MDIChildExist("Preview"));
    auto* a = new QWidget;
    a->setObjectName("Preview");
    auto* b = new QWidget;
    b->setObjectName("Other");
    QMdiSubWindow* subA = showMdiChild(a);
    showMdiChild(b);
    EXPECT_EQ(area.activeSubWindow()->widget(), b);
    EXPECT_TRUE(MDIChildExist("PREVIEW"));
    EXPECT_EQ(area.activeSubWindow(), subA);
    setMainMdiArea(nullptr);
    EXPECT_FALSE(MDIChildExist("Preview"));
}

TEST(EnterForNext, EnterMovesTheFocusWhenSwitchedOn)
{
    ShellTestEnv env;
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* first = new QLineEdit(&form);
    auto* second = new QLineEdit(&form);
    layout->addWidget(first);
    layout->addWidget(second);
    installEnterForNext(&form);
    form.show();
    QApplication::setActiveWindow(&form);
    first->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), first);
    QTest::keyClick(first, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), second);

    EnterForNext = false;
    QTest::keyClick(second, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), second);
}

// Runs the box that comes up next and clicks the button with the given text.
void clickWhenShown(const QString& buttonText)
{
    QTimer::singleShot(0, [buttonText] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (box == nullptr || !box->isVisible())
                continue;
            for (QAbstractButton* b : box->buttons())
                if (b->text() == buttonText)
                    b->click();
        }
    });
}

TEST(QtMessageBoxes, SlovenianButtonsCaptionsAndDefaults)
{
    setApplicationTitle("Sintrex Periodično fakturiranje Firma");
    MessageRequest r;
    r.kind = MsgKind::Confirmation;
    r.text = "Ali želiš končati z delom ?";
    r.buttons = {MsgButton::Ok, MsgButton::Cancel};
    auto box = QtMessageBoxes::createDialog(r);
    QStringList texts;
    for (QAbstractButton* b : box->buttons())
        texts << b->text();
    texts.sort();
    EXPECT_EQ(texts, (QStringList{"Prekliči", "V redu"}));
    EXPECT_EQ(box->windowTitle(), QString("Potrditev"));
    EXPECT_EQ(box->defaultButton()->text(), QString("V redu"));
    EXPECT_EQ(box->escapeButton()->text(), QString("Prekliči"));
    EXPECT_EQ(box->icon(), QMessageBox::Question);

    MessageRequest plain;
    plain.kind = MsgKind::Plain;
    plain.text = "Database.Connected";
    auto plainBox = QtMessageBoxes::createDialog(plain);
    EXPECT_EQ(plainBox->windowTitle(), QString("Sintrex Periodično fakturiranje Firma"));
    ASSERT_EQ(plainBox->buttons().size(), 1);
    EXPECT_EQ(plainBox->buttons().first()->text(), QString("V redu"));

    MessageRequest error;
    error.kind = MsgKind::Error;
    error.text = "Prva vrstica\r\nDruga vrstica";
    auto errorBox = QtMessageBoxes::createDialog(error);
    EXPECT_EQ(errorBox->windowTitle(), QString("Napaka"));
    EXPECT_EQ(errorBox->text(), QString("Prva vrstica\nDruga vrstica"));
    EXPECT_EQ(errorBox->icon(), QMessageBox::Critical);

    EXPECT_EQ(QtMessageBoxes::buttonText(MsgButton::Yes), QString("Da"));
    EXPECT_EQ(QtMessageBoxes::buttonText(MsgButton::No), QString("Ne"));
    MessageRequest own;
    own.caption = "Lasten naslov";
    EXPECT_EQ(QtMessageBoxes::captionFor(own), QString("Lasten naslov"));
}

TEST(QtMessageBoxes, ShowReturnsTheButtonClicked)
{
    QtMessageBoxes boxes;
    MessageRequest r;
    r.kind = MsgKind::Confirmation;
    r.text = "Vprašanje ?";
    r.buttons = {MsgButton::Yes, MsgButton::No, MsgButton::Cancel};
    clickWhenShown("Ne");
    EXPECT_EQ(boxes.show(r), MsgButton::No);
    clickWhenShown("Prekliči");
    EXPECT_EQ(boxes.show(r), MsgButton::Cancel);
    MessageRequest info;
    info.kind = MsgKind::Information;
    info.text = "Obvestilo";
    clickWhenShown("V redu");
    EXPECT_EQ(boxes.show(info), MsgButton::Ok);
}
} // namespace
