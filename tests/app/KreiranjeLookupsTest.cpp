#include "FakeShell.h"
#include "ShellTestEnv.h"
#include "TestConnection.h"

#include "app/ui/TMain.h"
#include "controls/ui/LookupComboBox.h"
#include "data/log/MessageBoxes.h"
#include "data/odbc/THdbc.h"
#include "data/dataset/TwwOEDataSet.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {
void lookup(TwwOEDataSet& ds, THdbc& db, const char* name, const QString& sql)
{
    ds.setName(name);
    ds.setDatabaseName("Database");
    ds.sethDbc(&db);
    ds.setSQL(sql);
}

// The drop-downs of page "Kreiranje" over the company's business events and partners.
TEST(KreiranjeLookups, DropDownsOfferTheCompanyRowsAndReloadTheTemplates)
{
    static TestDatabase tdb("app_lookups");
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    FakeShellServices shell;
    FakeMainWindowCommands commands;
    QStringList opened;
    shell.onOpenTemplates = [&](const QString& code) { opened << code; };

    THdbc db;
    connectTo(db, tdb);
    TwwOEDataSet obdrac, fak, subj;
    lookup(obdrac, db, "tbLookPoslDogObdrac",
           "SELECT PoslDog, Naziv, Tip, Vrsta FROM PoslDog WHERE Vrsta = 'G' ORDER BY POSLDOG");
    lookup(fak, db, "tbLookPoslDogFak",
           "SELECT PoslDog, Naziv, Tip, Vrsta FROM PoslDog WHERE (Vrsta = 'F' AND Tip = 'I') OR Vrsta = 'N' ORDER BY POSLDOG");
    lookup(subj, db, "tbLookSubj",
           "SELECT Naziv, Naslov, Posta, Tel, Naziv2, Drzava, MaticnaStev, Sifra, Ziro1, SifDejavnost FROM Subjekt ORDER BY NAZIV");

    TMainOptions options;
    options.runVersionCheck = false;
    TMain main(shell, commands, {"obdrac", env.iniPath()}, options);
    main.bindKreiranjeLookups({&obdrac, &subj, &fak});
    main.show();
    QApplication::processEvents();
    EXPECT_FALSE(obdrac.Active());   // opened by the drop-down when needed

    LookupComboBox* selector = main.fObdracPoslDog();
    selector->showPopup();
    ASSERT_TRUE(obdrac.Active());
    QAbstractItemView* view = selector->view();
    ASSERT_EQ(view->model()->rowCount(), 2);
    EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), QString("Pos.dog."));
    EXPECT_EQ(view->model()->data(view->model()->index(1, 1)).toString(), QString("Periodika - naročila, ostalo"));
    view->setCurrentIndex(view->model()->index(1, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(selector->lookupText(), QString("G2"));
    EXPECT_EQ(opened, QStringList{"G2"});

    // the documents' business event: invoices and orders, in code order
    main.fkPoslDog()->showPopup();
    QAbstractItemView* fakView = main.fkPoslDog()->view();
    ASSERT_EQ(fakView->model()->rowCount(), 5);
    EXPECT_EQ(fakView->model()->data(fakView->model()->index(0, 0)).toString(), QString("07"));
    fakView->setCurrentIndex(fakView->model()->index(2, 0));
    QTest::keyClick(fakView, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(main.fkPoslDog()->lookupText(), QString("10"));
    EXPECT_EQ(opened, (QStringList{"G2", "G2"}));   // reloads on the selector's code

    // partners
    main.fkSubjekt()->showPopup();
    EXPECT_TRUE(subj.Active());
    EXPECT_EQ(main.fkSubjekt()->view()->model()->columnCount(), 5);
    EXPECT_EQ(main.fkSubjekt()->view()->model()->headerData(3, Qt::Horizontal).toString(), QString("Pošta"));
    main.fkSubjekt()->hidePopup();
    QApplication::processEvents();

    main.close();
}
} // namespace
