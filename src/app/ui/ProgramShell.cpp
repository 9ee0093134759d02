#include "ProgramShell.h"

#include "TMain.h"

#include "data/core/ApplicationTitle.h"
#include "data/core/EAbort.h"
#include "data/DataSif.h"
#include "data/TableRoutines.h"
#include "login/ui/TPrijava.h"
#include "printing/ReportCatalogue.h"
#include "templates/TemplateTables.h"
#include "templates/ui/TemplatesPage.h"

ProgramShell::ProgramShell() = default;

ProgramShell::~ProgramShell()
{
    // The page and the tables belong to the main window, which is gone by now.
    delete m_page.data();
    delete m_tables.data();
    if (m_module && DataSif == m_module.get())
        DataSif = nullptr;
    m_module.reset();
}

// Entry step 5: the data module, connected as the configuration says.
void ProgramShell::createDataModule()
{
    if (!m_module) {
        m_module = std::make_unique<TDataSif>();
        QObject::connect(m_module.get(), &TDataSif::titleChanged, m_module.get(), [](const QString& title) {
            setApplicationTitle(title);
            setMainWindowCaption(title);
        });
    }
    if (DataSif == nullptr)
        DataSif = m_module.get();
    if (m_tables)
        m_tables->setConnection(&DataSif->Database);
    installReportCatalogue(*m_module);
    m_module->DataSifCreate();
}

void ProgramShell::disconnectDataModule()
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

bool ProgramShell::parameterOpen() const { return DataSif != nullptr && DataSif->tbParameter->Active(); }

bool ProgramShell::parameterAutoCheckDates() const
{
    return parameterOpen() && ParamAsString(QStringLiteral("AVTOKONTROLADAT")) == QLatin1String("T");
}

void ProgramShell::refreshParameter()
{
    if (DataSif != nullptr)
        TableRefresh(*DataSif->tbParameter);
}

void ProgramShell::runLogin() { RunLoginDialog(TMain::instance()); }

void ProgramShell::openTemplates(const QString& poslDog)
{
    if (m_page)
        m_page->openTemplates(poslDog);
}

void ProgramShell::postTemplates()
{
    // a record that cannot be posted (its failure shown already) stops the caller
    if (m_page && !m_page->postTemplates())
        Abort();
}

void ProgramShell::attachTemplates(TemplateTables* tables, TemplatesPage* page)
{
    m_tables = tables;
    m_page = page;
    if (m_tables && DataSif != nullptr)
        m_tables->setConnection(&DataSif->Database);
}

void ProgramShell::reopenTemplates()
{
    if (m_page)
        m_page->reopenTemplates();
}

TemplateTables* ProgramShell::templateTables() const { return m_tables; }

TemplatesPage* ProgramShell::templatesPage() const { return m_page; }
