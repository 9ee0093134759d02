#pragma once
#include "generation/GenerationCriteria.h"
#include "generation/GenerationResult.h"

// The command "Kreiranje": empties the log, asks "Ali res želiš kreirati dokumente ?", takes the
// company's run lock, runs the invoice run and then the order run, and re-opens the template
// list. Every message goes through MessageBoxes.
GenerationResult bKreiranjeClick(const GenerationCriteria& criteria, const GenerationCallbacks& callbacks);
