#pragma once
#include "app/ShellServices.h"

#include <QPointer>

#include <memory>

class TDataSif;
class TemplateTables;
class TemplatesPage;

// The shell's services over the real subsystems:
//  - the shared data module TDataSif, created at entry step 5 (DataSifCreate) and kept until
//    the shell is destroyed (after the main window); the application title and the main
//    window's caption follow its title; the parameter row, its refresh and the disconnect at
//    close come from it;
//  - the login dialog (login/ui/TPrijava.h) over the main window at its first paint;
//  - the template list of page "Nastavi partnerje", once ProgramCommands::setupNastaviPage has
//    made it (attachTemplates): opened on a business event, posted on a page change, before a
//    command and at close.
class ProgramShell : public ShellServices {
public:
    ProgramShell();
    ~ProgramShell() override;
    ProgramShell(const ProgramShell&) = delete;
    ProgramShell& operator=(const ProgramShell&) = delete;

    void createDataModule() override;
    void disconnectDataModule() override;
    bool parameterOpen() const override;
    bool parameterAutoCheckDates() const override;
    void refreshParameter() override;
    void runLogin() override;
    void openTemplates(const QString& poslDog) override;
    void postTemplates() override;

    // The template tables (owned by the main window) and their page; they get the data
    // module's connection when it exists.
    void attachTemplates(TemplateTables* tables, TemplatesPage* page);
    // The template list read again on the same template (after a run).
    void reopenTemplates();

    // What the shell made (null before it exists and after it is gone).
    TDataSif* dataModule() const { return m_module.get(); }
    TemplateTables* templateTables() const;
    TemplatesPage* templatesPage() const;

private:
    std::unique_ptr<TDataSif> m_module;
    QPointer<TemplateTables> m_tables;
    QPointer<TemplatesPage> m_page;
};
