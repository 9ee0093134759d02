#include "SubsystemWiring.h"
#include "GenerationWiring.h"
#include "data/log/Guard.h"

#include "MainWindowHooks.h"
#include "TMain.h"

#include "app/ShellHooks.h"
#include "controls/ui/LookupComboBox.h"
#include "data/core/ApplicationTitle.h"
#include "data/DataSif.h"
#include "data/core/EAbort.h"
#include "data/TableRoutines.h"
#include "login/ui/TPrijava.h"
#include "printing/ui/DodatnoMenuBuilder.h"
#include "templates/TemplateTables.h"
#include "templates/ui/TemplatesPage.h"

#include <QPointer>
#include <QVBoxLayout>

#include <memory>

namespace {
struct Wiring {
    std::unique_ptr<TDataSif> module;
    QPointer<TemplateTables> tables;
    QPointer<TemplatesPage> page;
};

Wiring& wiring()
{
    static Wiring w;
    return w;
}

void followTitle(TDataSif& module)
{
    QObject::connect(&module, &TDataSif::titleChanged, &module, [](const QString& title) {
        setApplicationTitle(title);
        setMainWindowCaption(title);
    });
}

// Entry step 5: the data module, connected as the configuration says.
void createDataModule()
{
    Wiring& w = wiring();
    if (!w.module) {
        w.module = std::make_unique<TDataSif>();
        followTitle(*w.module);
    }
    if (DataSif == nullptr)
        DataSif = w.module.get();
    if (w.tables)
        w.tables->setConnection(&DataSif->Database);
    w.module->DataSifCreate();
}

void disconnectDataModule()
{
    if (DataSif == nullptr)
        return;
    DataSif->Database.Disconnect();
    DataSif->DatabaseLook.Disconnect();
    DataSif->DatabaseHstmt.Disconnect();
    DataSif->tbTCena.close();
    DataSif->tbNapaka.close();
    DataSif->DatabaseTemp.disconnect();
}

bool parameterOpen() { return DataSif != nullptr && DataSif->tbParameter->Active(); }

// Page "Nastavi partnerje": the main window owns the template tables; the page shows them.
void setupNastaviPage(TMain& main, QWidget* page)
{
    Wiring& w = wiring();
    auto* tables = new TemplateTables(&main);
    QPointer<LookupComboBox> selector = main.fObdracPoslDog();
    tables->shownPoslDog = [selector] { return selector ? selector->lookupText() : QString(); };
    if (DataSif != nullptr)
        tables->setConnection(&DataSif->Database);
    auto* templatesPage = new TemplatesPage(*tables, page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(templatesPage);
    w.tables = tables;
    w.page = templatesPage;
    main.bindKreiranjeLookups({&tables->tbLookPoslDogObdrac, &tables->tbLookSubj, &tables->tbLookPoslDogFak});
}
} // namespace

void installSubsystems()
{
    ShellHooks& hooks = shellHooks();
    hooks.createDataModule = createDataModule;
    hooks.dataModuleExists = [] { return DataSif != nullptr; };
    hooks.disconnectDataModule = disconnectDataModule;
    hooks.parameterOpen = parameterOpen;
    hooks.parameterAutoCheckDates = [] {
        return parameterOpen() && ParamAsString(QStringLiteral("AVTOKONTROLADAT")) == QLatin1String("T");
    };
    hooks.refreshParameter = [] {
        if (DataSif != nullptr)
            TableRefresh(*DataSif->tbParameter);
    };
    hooks.runLogin = [] { RunLoginDialog(TMain::instance()); };
    hooks.openTemplates = [](const QString& poslDog) {
        if (TemplatesPage* page = wiring().page)
            page->openTemplates(poslDog);
    };
    hooks.postTemplates = [] {
        // a record that cannot be posted (its failure shown already) stops the caller
        if (TemplatesPage* page = wiring().page; page != nullptr && !page->postTemplates())
            Abort();
    };

    mainWindowHooks().setupNastaviPage = setupNastaviPage;
    // The menu "Dodatno" from the configuration file, built once when the main window is made.
    mainWindowHooks().buildExtraMenu = [](TMain&, QMenu* dodatno) { VisibleDodatnoMenuItem(dodatno); };

    // The runs read the templates from the database: what is being typed is written first, and a
    // template that cannot be written stops the command.
    installGenerationHooks(reopenWiredTemplates);
    for (auto* command : {&mainWindowHooks().kreiranje, &mainWindowHooks().izpis}) {
        auto run = *command;
        *command = [run](TMain& main) {
            if (shellHooks().postTemplates) {
                try {
                    guardPassAbort("PostTemplates", &main, [] { shellHooks().postTemplates(); });
                } catch (const EAbort&) {
                    return;
                }
            }
            run(main);
        };
    }
}

void releaseSubsystems()
{
    Wiring& w = wiring();
    delete w.page.data();
    delete w.tables.data();
    w.page = nullptr;
    w.tables = nullptr;
    if (w.module) {
        if (DataSif == w.module.get())
            DataSif = nullptr;
        w.module.reset();
    }
    shellHooks() = ShellHooks{};
    mainWindowHooks().setupNastaviPage = nullptr;
    mainWindowHooks().buildExtraMenu = nullptr;
}

void reopenWiredTemplates()
{
    if (TemplatesPage* page = wiring().page)
        page->reopenTemplates();
}

TDataSif* wiredDataModule() { return wiring().module.get(); }
TemplateTables* wiredTemplateTables() { return wiring().tables; }
TemplatesPage* wiredTemplatesPage() { return wiring().page; }
