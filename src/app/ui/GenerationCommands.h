#pragma once
#include "generation/GenerationCriteria.h"

#include <functional>

class ShellServices;
class TMain;
class TReportDesignerDialog;

// The buttons of page "Kreiranje" over the generation (what MainWindowCommands::kreiranje and
// ::izpis run in the program):
//  - "Kreiranje" runs the command of the invoice and order runs with the criteria of the page
//    (fkDatumKont, fkDatum, fkSubjekt, fkPoslDog): the log goes into mKreDok, the progress into
//    fGauge, the cursor is busy while the runs go, the buttons are off meanwhile; at the end
//    the template list is re-opened.
//  - "Izpis" runs the printing run (printing/PrintingRun.h: TObdracNapaka anew, the question
//    "Ali res želiš izpisati dokumente ?", the invoice and then the order listing, the report
//    "ObdracIzpis" started through the designer component, the button as the print origin);
//    the gauge and the buttons as for "Kreiranje".
// reopenTemplates re-opens the template list (tbObdrac) so that the new last-document dates
// show; the templates page provides it (TemplatesPage::reopenTemplates).
class GenerationCommands {
public:
    // designer: the main window's report designer component, which prints and previews.
    GenerationCommands(std::function<void()> reopenTemplates, TReportDesignerDialog& designer);

    void kreiranje(TMain& main);
    void izpis(TMain& main);

private:
    std::function<void()> m_reopenTemplates;
    TReportDesignerDialog& m_designer;
};

// A re-open of the template list through the shell: its list opened on the business event
// chosen in the main window's fObdracPoslDog (nothing when none is chosen).
std::function<void()> reopenThroughShell(ShellServices& shell);

// The criteria as the page's controls hold them (today: the system date).
GenerationCriteria generationCriteriaFrom(const TMain& main);
