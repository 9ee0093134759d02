#include "ProgramCommands.h"

#include "ProgramShell.h"
#include "TMain.h"

#include "controls/ui/LookupComboBox.h"
#include "data/core/EAbort.h"
#include "data/log/Guard.h"
#include "data/dataset/TField.h"
#include "data/dataset/TwwOEDataSet.h"
#include "printing/ReportDesignEdit.h"
#include "printing/ui/DodatnoMenuBuilder.h"
#include "printing/ui/ReportDesignerWindow.h"
#include "templates/TemplateTables.h"
#include "templates/ui/TemplatesPage.h"

#include <QPointer>
#include <QVBoxLayout>
#include <QtGlobal>

ProgramCommands::ProgramCommands(ProgramShell& shell)
    : m_shell(shell), m_generation([&shell] { shell.reopenTemplates(); }, m_reports.designer())
{
}

// Page "Nastavi partnerje": the main window owns the template tables; the page shows them.
void ProgramCommands::setupNastaviPage(TMain& main, QWidget* page)
{
    auto* tables = new TemplateTables(&main);
    QPointer<LookupComboBox> selector = main.fObdracPoslDog();
    tables->shownPoslDog = [selector] { return selector ? selector->lookupText() : QString(); };
    auto* templatesPage = new TemplatesPage(*tables, page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(templatesPage);
    m_shell.attachTemplates(tables, templatesPage);
    main.bindKreiranjeLookups({&tables->tbLookPoslDogObdrac, &tables->tbLookSubj, &tables->tbLookPoslDogFak});
}

void ProgramCommands::buildExtraMenu(TMain&, QMenu* dodatno)
{
    VisibleDodatnoMenuItem(dodatno);
}

// The report designer: "Oblikuj izpis ..." in the preview opens it on the report shown there.
void ProgramCommands::formShow(TMain& main)
{
    QPointer<TMain> parent(&main);
    setReportEditOperation([parent](TwwOEDataSet& Report) {
        editReportDefinition(parent, Report.FieldByName(QStringLiteral("REPORT")).asString());
    });
}

bool ProgramCommands::postTemplatesFirst(TMain& main)
{
    // The runs read the templates from the database: what is being typed is written first.
    try {
        guardPassAbort("PostTemplates", &main, [&] { m_shell.postTemplates(); });
    } catch (const EAbort&) {
        return false;
    }
    return true;
}

void ProgramCommands::kreiranje(TMain& main)
{
    if (postTemplatesFirst(main))
        m_generation.kreiranje(main);
}

void ProgramCommands::izpis(TMain& main)
{
    if (postTemplatesFirst(main))
        m_generation.izpis(main);
}

