#include "PrintingTestEnv.h"

#include "printing/DodatnoMenu.h"
#include "printing/ui/DodatnoMenuBuilder.h"

#include "data/config/ProgramStart.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace {
// The INI text of n entries "Program k;prog-k".
QByteArray entries(int n, int first = 1)
{
    QByteArray text = "[Dodatno]\n";
    for (int k = first; k < first + n; ++k)
        text += QStringLiteral("%1=Program %2;prog-%2\n").arg(k, 2, 10, QChar(u'0')).arg(k).toUtf8();
    return text;
}

// The menu as a picture: captions, "|" for a column break.
QStringList shape(const QMenu& menu)
{
    QStringList out;
    for (QAction* a : menu.actions())
        out << (a->property("columnBreak").toBool() ? QStringLiteral("|") : a->text());
    return out;
}

QStringList items(int from, int to)
{
    QStringList out;
    for (int k = from; k <= to; ++k)
        out << QStringLiteral("Program %1").arg(k);
    return out;
}
} // namespace

class DodatnoMenuTest : public ::testing::Test {
protected:
    PrintingTestEnv env;
    QMenu menu;
};

TEST_F(DodatnoMenuTest, MenuFromTheConfiguration)
{
    struct Case {
        const char* what;
        QByteArray ini;
        QStringList shape;
        bool visible;
    } cases[] = {
        {"no entries", "[Program]\nx=1\n", {}, false},
        {"no 01 hides even later keys", entries(5, 2), {}, false},
        {"the scan stops at the first gap", entries(2) + "04=Četrti;x\n", items(1, 2), true},
        {"20 entries at level 15: two columns", "[Program]\nPoslDogMainMenuLevel=15\n" + entries(20),
         items(1, 15) + QStringList{"|"} + items(16, 20), true},
        {"exactly 15: the last column holds only the break", entries(15), items(1, 15) + QStringList{"|"}, true},
        {"level 2", "[Program]\nPoslDogMainMenuLevel=2\n" + entries(5),
         QStringList{"Program 1", "Program 2", "|", "Program 3", "Program 4", "|", "Program 5"}, true},
        {"a value without ';' has an empty caption", "[Dodatno]\n01=gedit\n", QStringList{""}, true},
        {"caption before the first ';' only", "[Dodatno]\n01=Izvoz; plačil;a;b\n", QStringList{"Izvoz"}, true},
    };
    for (const Case& c : cases) {
        env.writeIni(c.ini);
        VisibleDodatnoMenuItem(&menu);
        EXPECT_EQ(shape(menu), c.shape) << c.what;
        EXPECT_EQ(menu.menuAction()->isVisible(), c.visible) << c.what;
    }
    EXPECT_TRUE(PrintingTestEnv::loggedOperations().isEmpty());
}

TEST_F(DodatnoMenuTest, ItemsAreNamedAfterTheirKeys)
{
    env.writeIni(entries(16));
    VisibleDodatnoMenuItem(&menu);
    QStringList names;
    for (QAction* a : menu.actions())
        names << a->objectName();
    EXPECT_EQ(names.first(), QString("Dodatno01"));
    EXPECT_EQ(names[15], QString("DodatnoBreak"));
    EXPECT_EQ(names.last(), QString("Dodatno16"));
    EXPECT_EQ(DodatnoKeyOf("Dodatno16"), QString("16"));
}

TEST_F(DodatnoMenuTest, BadLevelIsLoggedAndHidesTheMenu)
{
    env.writeIni("[Program]\nPoslDogMainMenuLevel=petnajst\n" + entries(3));
    menu.addAction("staro");
    menu.menuAction()->setVisible(true);
    VisibleDodatnoMenuItem(&menu);
    EXPECT_TRUE(menu.actions().isEmpty());
    EXPECT_FALSE(menu.menuAction()->isVisible());
    EXPECT_EQ(PrintingTestEnv::loggedOperations(), QStringList{"VisibleDodatnoMenuItem"});
    EXPECT_TRUE(env.boxes.shown().empty());
}

TEST_F(DodatnoMenuTest, CommandLineIsCutAfterTheFirstSemicolonTo255)
{
    const QString longArgs(300, u'x');
    struct {
        QString value, commandLine;
    } cases[] = {
        {"Beležka;gedit /tmp/a;b", "gedit /tmp/a;b"},
        {"gedit", "gedit"},
        {";", ""},
        {"Dolgo;prog " + longArgs, ("prog " + longArgs).left(255)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DodatnoCommandLine(c.value), c.commandLine) << c.value.toStdString();
}

TEST_F(DodatnoMenuTest, EntryIsReadAgainAtEveryClick)
{
    env.writeIni("[Dodatno]\n01=Prvi;prog-a --x \"dve besedi\"\n");
    VisibleDodatnoMenuItem(&menu);
    QStringList started;
    const DodatnoStarter record = [&](const QString& commandLine, int showMode) {
        started << commandLine + " @" + QString::number(showMode);
        return ProgramStarted;
    };
    EXPECT_EQ(DodatnoCall("Dodatno01", record), ProgramStarted);
    // changed without rebuilding the menu: the new command line is used, the caption stays
    env.writeIni("[Dodatno]\n01=Drugi;prog-b\n");
    EXPECT_EQ(DodatnoCall("Dodatno01", record), ProgramStarted);
    EXPECT_EQ(menu.actions().first()->text(), QString("Prvi"));
    // an entry that has gone does nothing
    env.writeIni("[Dodatno]\n");
    EXPECT_EQ(DodatnoCall("Dodatno01", record), 0);
    EXPECT_EQ(started, (QStringList{"prog-a --x \"dve besedi\" @5", "prog-b @5"}));
}

TEST_F(DodatnoMenuTest, ClickStartsTheProgramWithoutAShell)
{
    // the program gets its words as a shell splits them, but no shell runs: "$HOME" and ";"
    // reach it unchanged
    const QString script = env.file("zapisi");
    const QString out = env.file("izhod");
    writeTextFile(script, ("#!/bin/sh\nprintf '%s|' \"$@\" > '" + out + ".tmp' && mv '" + out + ".tmp' '" + out + "'\n").toUtf8());
    QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.writeIni(("[Dodatno]\n01=Zapiši;" + script + " \"dve besedi\" $HOME a;b\n").toUtf8());
    VisibleDodatnoMenuItem(&menu);
    menu.actions().first()->trigger();
    EXPECT_EQ(waitForFile(out), QByteArray("dve besedi|$HOME|a;b|"));
    EXPECT_TRUE(env.boxes.shown().empty());
}

TEST_F(DodatnoMenuTest, MissingProgramGivesTheStartMessage)
{
    env.writeIni("[Dodatno]\n01=Nič;ta-program-ne-obstaja-nikjer --x\n02=Prazno;\n");
    VisibleDodatnoMenuItem(&menu);
    menu.actions().at(0)->trigger();
    ASSERT_EQ(env.boxes.shown().size(), 1u);
    EXPECT_EQ(env.boxes.shown()[0].kind, MsgKind::Error);
    EXPECT_EQ(env.boxes.shown()[0].text, QString("The specified file was not found."));
    // an empty command line is a failure of the start, logged, no box
    env.boxes.clear();
    menu.actions().at(1)->trigger();
    EXPECT_TRUE(env.boxes.shown().empty());
    EXPECT_EQ(PrintingTestEnv::loggedOperations(), QStringList{"TWinExec-"});
}
