#pragma once
#include "GenerationCommands.h"
#include "MainWindowCommands.h"

#include "printing/ui/ProgramReportDesigner.h"

#include <QString>

class ProgramShell;

// The main window's commands in the program: each one line into the subsystem that does the
// work. To add or replace a command, implement it in its subsystem and change its one line
// here.
//  - page "Nastavi partnerje": the template tables (owned by the main window) and their page
//    (templates/ui/TemplatesPage.h), handed to the shell; the lookups of page "Kreiranje" are
//    bound to the template tables' lookup datasets;
//  - "Kreiranje" and "Izpis": the template being typed is posted first (a template that cannot
//    be posted stops the command), then GenerationCommands; "Izpis" prints through the report
//    designer component (reportDesigner());
//  - the extra menu "Dodatno": built from the configuration file (printing/ui/DodatnoMenuBuilder.h);
//  - FormShow installs the report designer's edit operation, which the preview window's
//    "Oblikuj izpis ..." runs (printing/ui/ReportDesignerWindow.h).
class ProgramCommands : public MainWindowCommands {
public:
    explicit ProgramCommands(ProgramShell& shell);

    void setupNastaviPage(TMain& main, QWidget* page) override;
    void buildExtraMenu(TMain& main, QMenu* dodatno) override;
    void formShow(TMain& main) override;
    void kreiranje(TMain& main) override;
    void izpis(TMain& main) override;

    // The main window's report designer component (ReportDesignerDialog1): every report start
    // of the program goes through it; the preview window installs itself with setPreviewer().
    ProgramReportDesigner& reportDesigner() { return m_reports; }

private:
    // Posts the template being typed; false when it could not be posted (the command stops).
    bool postTemplatesFirst(TMain& main);

    ProgramShell& m_shell;
    ProgramReportDesigner m_reports;
    GenerationCommands m_generation;
};

