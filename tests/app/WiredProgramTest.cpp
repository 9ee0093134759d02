// The whole windowed program on the demo company: the entry with its data module, the login at
// the first paint, the template page filled on the remembered business event, the close.
#include "ModalDialogs.h"
#include "ShellTestEnv.h"

#include "app/ui/ProgramComposition.h"
#include "app/ui/ProgramEntry.h"
#include "app/ui/TMain.h"
#include "printing/ReportDesignEdit.h"
#include "controls/DataSetTableModel.h"
#include "controls/ui/DBGrid.h"
#include "controls/ui/LookupComboBox.h"
#include "data/core/ApplicationTitle.h"
#include "data/DataSif.h"
#include "data/log/MessageBoxes.h"
#include "data/config/RegistryFileWriter.h"
#include "data/dataset/TField.h"
#include "login/ui/TPrijava.h"
#include "templates/TemplateTables.h"
#include "templates/ui/TemplatesPage.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {
TestDatabase& companyDatabase()
{
    static TestDatabase db("app_wired");
    return db;
}

// Collects the program's warnings (qWarning) while it lives.
class WarningCollector {
public:
    WarningCollector()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&WarningCollector::handle);
    }
    ~WarningCollector()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    WarningCollector(const WarningCollector&) = delete;
    WarningCollector& operator=(const WarningCollector&) = delete;

    QStringList warnings;

private:
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (s_current != nullptr && type == QtWarningMsg)
            s_current->warnings << text;
    }
    static inline WarningCollector* s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
};

class WiredProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        env.writeIni(QString("[Program]\nObdracPoslDog=G1\nPodjetje=Demo d.o.o.\nUporabnik=01\n"
                             "[Database]\nServerName=%1\nDataBaseName=%2\nPodjetje=Testna baza\n")
                         .arg(TestDatabase::socketDir(), companyDatabase().name())
                         .toUtf8());
        WriteSqlUserName(env.file("registry.ini"), "obdrac");
        WriteSqlPassword(env.file("registry.ini"), "obdrac");
        boxes.setDefaultAnswer(MsgButton::Ok);
        program = std::make_unique<ProgramComposition>();
    }
    void TearDown() override
    {
        main.reset();
        program.reset();
        CurrentUserID.clear();
        setApplicationTitleHandler(nullptr);
    }

    // The entry's steps 2 to 6 and the window shown, with a login as user 01.
    void start()
    {
        onModal("Prijava", [](QDialog* dialog) {
            auto* prijava = static_cast<TPrijava*>(dialog);
            prijava->fPassword()->setText("demo");
            prijava->bPotrdi()->click();
        });
        TMainOptions options;
        options.runVersionCheck = false;
        main = startProgram(program->shell(), program->commands(), {"obdrac", env.iniPath()}, options);
        ASSERT_NE(main, nullptr);
        main->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return main->firstPaintDone(); }, 20000));
        QApplication::processEvents();
    }

    static QString sql(const QString& q) { return companyDatabase().psql("SET ROLE obdrac;" + q).trimmed(); }

    WarningCollector warnings;
    ShellTestEnv env;
    EnvOverride port{"PGPORT", TestDatabase::port()};
    ScriptedMessageBoxes boxes;
    std::unique_ptr<ProgramComposition> program;
    std::unique_ptr<TMain> main;
};
} // namespace

TEST_F(WiredProgramTest, StartsOnTheDemoCompanyWithLoginAndShowsTheTemplatesOfTheRememberedBusinessEvent)
{
    start();
    EXPECT_EQ(CurrentUserID, QString("01"));
    ASSERT_NE(DataSif, nullptr);
    EXPECT_EQ(DataSif, program->shell().dataModule());
    EXPECT_TRUE(DataSif->tbParameter->Active());
    // the title follows the data module
    const QString title = "Sintrex Periodično fakturiranje Demo d.o.o. (Testna baza)";
    EXPECT_EQ(main->windowTitle(), title);
    EXPECT_EQ(applicationTitle(), title);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(" | ").toStdString();

    TemplateTables* tables = program->shell().templateTables();
    TemplatesPage* page = program->shell().templatesPage();
    ASSERT_NE(tables, nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(main->cNastavi()->isAncestorOf(page));
    EXPECT_EQ(tables->parent(), main.get());
    ASSERT_TRUE(tables->tbObdrac.Active());
    EXPECT_EQ(tables->tbObdrac.RecordCount(), 12);
    EXPECT_EQ(page->gObdrac()->dataModel()->rowCount(), 12);
    EXPECT_EQ(page->gObdrac()->dataModel()->data(page->gObdrac()->dataModel()->index(0, 1)).toString(), QString("25G100001"));
    EXPECT_EQ(tables->tbObdracPoz.RecordCount(), 3);
    EXPECT_EQ(page->gObdracPoz()->dataModel()->rowCount(), 3);
    // the drop-downs of page "Kreiranje" list from the template tables' lookups
    EXPECT_EQ(main->fObdracPoslDog()->lookupDataSet(), &tables->tbLookPoslDogObdrac);
    EXPECT_EQ(main->fkPoslDog()->lookupDataSet(), &tables->tbLookPoslDogFak);
    EXPECT_EQ(main->fkSubjekt()->lookupDataSet(), &tables->tbLookSubj);
    // the menu "Dodatno" is built from the configuration file: without entries it stays hidden;
    // and every command of the main window is there: nothing says it is missing, and the
    // preview's "Oblikuj izpis ..." reaches the designer
    EXPECT_FALSE(warnings.warnings.join(" | ").contains("ni na voljo")) << warnings.warnings.join(" | ").toStdString();
    EXPECT_TRUE(bool(reportEditOperation()));
    EXPECT_FALSE(main->Dodatno00()->menuAction()->isVisible());

    // another business event chosen on page "Kreiranje"
    LookupComboBox* selector = main->fObdracPoslDog();
    selector->showPopup();
    QAbstractItemView* view = selector->view();
    ASSERT_EQ(view->model()->rowCount(), 2);
    view->setCurrentIndex(view->model()->index(1, 0));
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tables->openedPoslDog() == "G2"; }, 5000));
    EXPECT_EQ(tables->tbObdrac.RecordCount(), 8);
    EXPECT_EQ(page->gObdrac()->dataModel()->rowCount(), 8);
}

TEST_F(WiredProgramTest, WhatIsTypedIsWrittenWhenThePageChangesAndWhenTheProgramCloses)
{
    start();
    TemplateTables* tables = program->shell().templateTables();
    TemplatesPage* page = program->shell().templatesPage();
    ASSERT_NE(page, nullptr);
    main->PageControl()->setCurrentIndex(1);
    QApplication::processEvents();
    DBGrid& grid = *page->gObdrac();

    auto typeInto = [&](int row, const char* field, const QString& text) {
        const QModelIndex index = grid.dataModel()->index(row, grid.columnOfField(field));
        grid.setCurrentIndex(index);
        grid.edit(index);
        QApplication::processEvents();
        auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(index));
        ASSERT_NE(editor, nullptr) << field;
        editor->setText(text);   // typed, the cell still open
    };

    typeInto(1, "VALUTA", "USD");
    main->PageControl()->setCurrentIndex(0);
    QApplication::processEvents();
    EXPECT_EQ(sql("SELECT Valuta FROM Obdrac WHERE Kljuc = '25G100002'"), QString("USD"));
    EXPECT_EQ(tables->tbObdrac.State(), dsBrowse);

    main->PageControl()->setCurrentIndex(1);
    QApplication::processEvents();
    typeInto(2, "VALUTA", "GBP");
    boxes.clear();
    EXPECT_TRUE(main->close());
    EXPECT_EQ(boxes.texts(), QStringList{"Ali želiš končati z delom ?"});
    EXPECT_EQ(sql("SELECT Valuta FROM Obdrac WHERE Kljuc = '25G100003'"), QString("GBP"));
    EXPECT_FALSE(DataSif->Database.Connected());
}

TEST_F(WiredProgramTest, AnAbandonedLoginEndsTheProgramWithoutAQuestion)
{
    onModal("Prijava", [](QDialog* dialog) { static_cast<TPrijava*>(dialog)->bKonec()->click(); });
    TMainOptions options;
    options.runVersionCheck = false;
    main = startProgram(program->shell(), program->commands(), {"obdrac", env.iniPath()}, options);
    main->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main->isVisible(); }, 20000));
    EXPECT_EQ(boxes.texts(), QStringList{"Ali želiš končati z delom ?"});   // asked once, by the login
    EXPECT_TRUE(CurrentUserID.isEmpty() || !program->shell().templateTables()->tbObdrac.Active());
}
