#pragma once

class TDataSif;
class TemplateTables;
class TemplatesPage;

// Plugs the subsystems into the shell (shellHooks(), mainWindowHooks()), before the main window
// is made:
//  - the shared data module TDataSif, created at entry step 5 (DataSifCreate) and kept until
//    releaseSubsystems(); the application title and the main window's caption follow its title;
//    the parameter row, its refresh and the disconnect at close come from it;
//  - the login dialog at the main window's first paint;
//  - page "Nastavi partnerje": the template tables (owned by the main window) and their page;
//    the lookups of page "Kreiranje" are bound to the template tables' lookup datasets; the
//    template list opens on a business event and is posted on a page change and at close.
// Installing again replaces the earlier wiring.
void installSubsystems();

// Destroys the data module (after the main window is gone) and clears the hooks.
void releaseSubsystems();

// For the document runs: the template list read again on the same template (their
// reopenTemplates callback). Before a run, shellHooks().postTemplates writes what is being typed.
void reopenWiredTemplates();

// What the wiring made (null before it exists, after it is gone).
TDataSif* wiredDataModule();
TemplateTables* wiredTemplateTables();
TemplatesPage* wiredTemplatesPage();
