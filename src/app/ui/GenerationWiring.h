#pragma once
#include "generation/GenerationCriteria.h"

#include <functional>

class TMain;

// Connects the buttons of page "Kreiranje" to the generation (mainWindowHooks().kreiranje and
// .izpis):
//  - "Kreiranje" runs the command of the invoice and order runs with the criteria of the page
//    (fkDatumKont, fkDatum, fkSubjekt, fkPoslDog): the log goes into mKreDok, the progress into
//    fGauge, the cursor is busy while the runs go, the buttons are off meanwhile; at the end
//    the template list is re-opened.
//  - "Izpis" makes the listing (TObdracNapaka anew, the question "Ali res želiš izpisati
//    dokumente ?", the invoice and then the order listing) and shows its rows in the child
//    window "Izpis periodike"; an empty listing says "Ni nobenega zapisa !".
// reopenTemplates re-opens the template list (tbObdrac) so that the new last-document dates
// show; the templates page provides it. Left empty, the shell's openTemplates hook is called with
// the business event chosen in fObdracPoslDog (nothing when none is chosen).
void installGenerationHooks(std::function<void()> reopenTemplates = {});

// The criteria as the page's controls hold them (today: the system date).
GenerationCriteria generationCriteriaFrom(const TMain& main);
