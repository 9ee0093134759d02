#pragma once
// Fakes of the shell's services and the main window's commands: each does what its function
// says, or nothing (false) when it is left empty. Without a login the parameter row counts as
// open, so that the main window stays open as with a user signed in.
#include "app/ShellServices.h"
#include "app/ui/MainWindowCommands.h"

#include <functional>

class FakeShellServices : public ShellServices {
public:
    std::function<void()> onCreateDataModule;
    std::function<void()> onDisconnectDataModule;
    std::function<bool()> onParameterOpen;
    std::function<bool()> onParameterAutoCheckDates;
    std::function<void()> onRefreshParameter;
    std::function<void()> onRunLogin;
    std::function<void(const QString&)> onOpenTemplates;
    std::function<void()> onPostTemplates;

    void createDataModule() override { call(onCreateDataModule); }
    void disconnectDataModule() override { call(onDisconnectDataModule); }
    bool parameterOpen() const override { return onParameterOpen ? onParameterOpen() : !onRunLogin; }
    bool parameterAutoCheckDates() const override { return onParameterAutoCheckDates && onParameterAutoCheckDates(); }
    void refreshParameter() override { call(onRefreshParameter); }
    void runLogin() override { call(onRunLogin); }
    void openTemplates(const QString& poslDog) override
    {
        if (onOpenTemplates)
            onOpenTemplates(poslDog);
    }
    void postTemplates() override { call(onPostTemplates); }

private:
    static void call(const std::function<void()>& f)
    {
        if (f)
            f();
    }
};

class FakeMainWindowCommands : public MainWindowCommands {
public:
    std::function<void(TMain&, QWidget*)> onSetupNastaviPage;
    std::function<void(TMain&, QMenu*)> onBuildExtraMenu;
    std::function<void(TMain&)> onFormShow;
    std::function<void(TMain&)> onKreiranje;
    std::function<void(TMain&)> onIzpis;

    void setupNastaviPage(TMain& main, QWidget* page) override
    {
        if (onSetupNastaviPage)
            onSetupNastaviPage(main, page);
    }
    void buildExtraMenu(TMain& main, QMenu* dodatno) override
    {
        if (onBuildExtraMenu)
            onBuildExtraMenu(main, dodatno);
    }
    void formShow(TMain& main) override { call(onFormShow, main); }
    void kreiranje(TMain& main) override { call(onKreiranje, main); }
    void izpis(TMain& main) override { call(onIzpis, main); }

private:
    static void call(const std::function<void(TMain&)>& f, TMain& main)
    {
        if (f)
            f(main);
    }
};
