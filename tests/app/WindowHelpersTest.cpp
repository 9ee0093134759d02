#include "ShellTestEnv.h"

#include "data/ApplicationTitle.h"
#include "data/ProgramIni.h"
#include "data/ProgramState.h"
#include "data/ui/EnterForNext.h"
#include "data/ui/MdiChildren.h"
#include "data/ui/QtMessageBoxes.h"
#include "data/ui/WindowPlacement.h"

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
struct PlaceCase {
    QRect saved;
    QSize screen;
    QRect expected;
};

class KeepOnScreenCases : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(KeepOnScreenCases, Table)
{
    EXPECT_EQ(keepOnScreen(GetParam().saved, GetParam().screen), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeepOnScreenCases,
    ::testing::Values(PlaceCase{QRect(10, 20, 300, 200), QSize(1024, 768), QRect(10, 20, 300, 200)},
                      PlaceCase{QRect(-20, 20, 300, 200), QSize(1024, 768), QRect(0, 20, 300, 200)},
                      PlaceCase{QRect(10, -5, 300, 200), QSize(1024, 768), QRect(10, 0, 300, 200)},
                      PlaceCase{QRect(10, 700, 300, 200), QSize(1024, 768), QRect(10, 700, 300, 68)},
                      PlaceCase{QRect(900, 10, 300, 200), QSize(1024, 768), QRect(900, 10, 124, 200)}));

QString ini(const ShellTestEnv& env) { return QString::fromUtf8(env.readIni()); }

TEST(WindowPlacement, SavedLeftBelowZeroOpensAtZero)
{
    ShellTestEnv env;
    env.writeIni("[FormCord]\nTestLeft=-20\nTestTop=30\nTestWidth=200\nTestHeight=150\nTestWindowState=0\n");
    QWidget form;
    form.setObjectName("Test");
    GetFormCord(&form);
    EXPECT_EQ(QRect(form.pos(), form.size()), QRect(0, 30, 200, 150));
}

TEST(WindowPlacement, MissingKeysKeepTheCurrentValues)
{
    ShellTestEnv env;
    env.writeIni("[FormCord]\nTestTop=33\n");
    QWidget form;
    form.setObjectName("Test");
    form.setGeometry(15, 25, 222, 111);
    GetFormCord(&form);
    EXPECT_EQ(QRect(form.pos(), form.size()), QRect(15, 33, 222, 111));
}

TEST(WindowPlacement, MaximizedWritesOnlyTheStateAndKeepsTheNormalSize)
{
    ShellTestEnv env;
    QWidget form;
    form.setObjectName("Main");
    form.move(40, 50);
    form.resize(300, 200);
    form.show();
    SetFormCord(&form);
    EXPECT_TRUE(ini(env).contains("MainLeft=40"));
    form.showMaximized();
    SetFormCord(&form);
    EXPECT_TRUE(ini(env).contains("MainWindowState=2"));
    EXPECT_TRUE(ini(env).contains("MainLeft=40"));
    EXPECT_TRUE(ini(env).contains("MainWidth=300"));

    // the main window saved maximized opens maximized without being moved
    QWidget again;
    again.setObjectName("Main");
    again.move(5, 6);
    again.resize(100, 100);
    GetFormCord(&again);
    EXPECT_TRUE(again.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(again.pos(), QPoint(5, 6));
}

TEST(WindowPlacement, MinimizedWritesNothingAndShraniFormOffNeither)
{
    ShellTestEnv env;
    QWidget form;
    form.setObjectName("Test");
    form.show();
    form.showMinimized();
    if (form.isMinimized()) {
        SetFormCord(&form);
        EXPECT_FALSE(ini(env).contains("Test"));
    }
    form.showNormal();
    ShraniForm = false;
    SetFormCord(&form);
    EXPECT_FALSE(ini(env).contains("Test"));
}

TEST(WindowPlacement, BadValuesKeepTheCurrentOnes)
{
    ShellTestEnv env;
    env.writeIni("[FormCord]\nTestLeft=abc\nTestTop=\nTestWidth=9x\nTestHeight=120\nTestWindowState=7\n");
    QWidget form;
    form.setObjectName("Test");
    form.setGeometry(11, 12, 130, 140);
    GetFormCord(&form);
    EXPECT_EQ(QRect(form.pos(), form.size()), QRect(11, 12, 130, 120));
    EXPECT_FALSE(form.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized));
}

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
