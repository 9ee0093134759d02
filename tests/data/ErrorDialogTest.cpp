#include "DataTestSupport.h"
#include "data/ConnectOnLoad.h"
#include "data/log/MessageBoxes.h"
#include "data/ui/TOEErrorDialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
EODBC threeRecords()
{
    return EODBC({{"08S01", 20009, "Unable to connect: server is unavailable"},
                  {"08001", 0, "Unable to connect to data source"},
                  {"01000", 5701, "Changed database context to 'firma'."}});
}
} // namespace

TEST(TOEErrorDialog, CaptionTextAndButtons)
{
    QGuiApplication::setApplicationDisplayName(QString::fromUtf8("Sintrex Periodično fakturiranje X "));
    TOEErrorDialog dlg(threeRecords(), "Cannot connect Database to database.");
    EXPECT_TRUE(dlg.isModal());
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("Database Error: Sintrex Periodično fakturiranje X "));
    EXPECT_EQ(dlg.textLabel()->text(), QString("Cannot connect Database to database."));
    EXPECT_EQ(dlg.okButton()->text(), QString("OK"));
    EXPECT_EQ(dlg.detailsButton()->text(), QString("Details >>"));
    EXPECT_EQ(dlg.priorButton()->text(), QString("Prev"));
    EXPECT_EQ(dlg.nextButton()->text(), QString("Next"));
    EXPECT_TRUE(dlg.memo()->isReadOnly());
    EXPECT_TRUE(dlg.odbcErrorBox()->isReadOnly());
    EXPECT_TRUE(dlg.databaseErrorBox()->isReadOnly());
    TOEErrorDialog plain(threeRecords());
    EXPECT_EQ(plain.textLabel()->text(), QString("Unable to connect: server is unavailable"));
}

TEST(TOEErrorDialog, DetailsToggleAndEnlarge)
{
    TOEErrorDialog dlg(threeRecords(), "Napaka");
    dlg.show();
    QApplication::processEvents();
    EXPECT_FALSE(dlg.detailsShown());
    EXPECT_FALSE(dlg.detailsPanel()->isVisible());
    const int small = dlg.height();
    dlg.detailsButton()->click();
    QApplication::processEvents();
    EXPECT_TRUE(dlg.detailsShown());
    EXPECT_TRUE(dlg.detailsPanel()->isVisible());
    EXPECT_EQ(dlg.detailsButton()->text(), QString("Details <<"));
    EXPECT_GT(dlg.height(), small);
    dlg.detailsButton()->click();
    QApplication::processEvents();
    EXPECT_FALSE(dlg.detailsPanel()->isVisible());
    EXPECT_EQ(dlg.detailsButton()->text(), QString("Details >>"));
    EXPECT_EQ(dlg.height(), small);
}

TEST(TOEErrorDialog, PrevAndNextStepThroughTheRecords)
{
    TOEErrorDialog dlg(threeRecords());
    dlg.detailsButton()->click();
    EXPECT_EQ(dlg.memo()->toPlainText(), QString("Unable to connect: server is unavailable"));
    EXPECT_EQ(dlg.odbcErrorBox()->text(), QString("08S01"));
    EXPECT_EQ(dlg.databaseErrorBox()->text(), QString("20009"));
    EXPECT_FALSE(dlg.priorButton()->isEnabled());
    EXPECT_TRUE(dlg.nextButton()->isEnabled());
    dlg.nextButton()->click();
    EXPECT_EQ(dlg.currentIndex(), 1);
    EXPECT_EQ(dlg.odbcErrorBox()->text(), QString("08001"));
    EXPECT_TRUE(dlg.priorButton()->isEnabled());
    EXPECT_TRUE(dlg.nextButton()->isEnabled());
    dlg.nextButton()->click();
    EXPECT_EQ(dlg.memo()->toPlainText(), QString("Changed database context to 'firma'."));
    EXPECT_EQ(dlg.databaseErrorBox()->text(), QString("5701"));
    EXPECT_FALSE(dlg.nextButton()->isEnabled());
    dlg.priorButton()->click();
    dlg.priorButton()->click();
    EXPECT_EQ(dlg.currentIndex(), 0);
    EXPECT_FALSE(dlg.priorButton()->isEnabled());

    TOEErrorDialog single(EODBC::fromMessage("Invalid parameter token in SQL statement."));
    EXPECT_FALSE(single.priorButton()->isEnabled());
    EXPECT_FALSE(single.nextButton()->isEnabled());
    EXPECT_EQ(single.odbcErrorBox()->text(), QString());
}

TEST(TOEErrorDialog, OkClosesTheModalDialog)
{
    QString shownText;
    int clicks = 0;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<TOEErrorDialog*>(w); d && d->isVisible()) {
                shownText = d->textLabel()->text();
                ++clicks;
                d->okButton()->click();
            }
    });
    // Should OK not close it, the test fails instead of waiting for ever.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<TOEErrorDialog*>(w))
                d->reject();
    });
    watchdog.start(10000);
    TOEErrorDialog::showError(threeRecords(), "x");   // returns once OK is clicked
    EXPECT_TRUE(watchdog.isActive()) << "OK did not close the dialog";
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shownText, QString("x"));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TOEErrorDialog*>(w) && w->isVisible()) << "the dialog stays open";
}

TEST(ConnectOnLoad, FailureIsShownAndLoadingGoesOnUnconnected)
{
    QString shownText;
    int shownRecords = 0;
    setConnectFailureHook([&](const QString& text, const EODBC& e) {
        shownText = text;
        shownRecords = e.recordCount();
    });
    THdbc db;
    db.setName("DatabaseLook");
    db.setDataSource("NIJE_TAKEGA_VIRA");
    EXPECT_FALSE(connectOnLoad(db));
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(shownText, QString("Cannot connect DatabaseLook to database."));
    EXPECT_GE(shownRecords, 1);

    // without a hook the failure goes to an error box
    setConnectFailureHook({});
    ScriptedMessageBoxes boxes;
    EXPECT_FALSE(connectOnLoad(db));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Error);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("Cannot connect DatabaseLook to database.\n"));
}

TEST(ConnectOnLoad, TheDialogHookShowsTheErrorDialog)
{
    installOEErrorDialogHook();
    QString seen;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<TOEErrorDialog*>(w); d && d->isVisible()) {
                seen = d->textLabel()->text();
                d->okButton()->click();
            }
    });
    THdbc db;
    db.setName("Database");
    db.setDataSource("NIJE_TAKEGA_VIRA");
    EXPECT_FALSE(connectOnLoad(db));
    EXPECT_EQ(seen, QString("Cannot connect Database to database."));
    setConnectFailureHook({});
}

TEST(ConnectOnLoad, SuccessShowsNothing)
{
    TestDatabase tdb("odbc_connect_on_load");
    int shown = 0;
    setConnectFailureHook([&](const QString&, const EODBC&) { ++shown; });
    THdbc db;
    configureConnection(db, tdb);
    EXPECT_TRUE(connectOnLoad(db));
    EXPECT_TRUE(db.Connected());
    EXPECT_EQ(shown, 0);
    setConnectFailureHook({});
}
