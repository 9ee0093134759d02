#pragma once

// Failures of the data-aware controls' commands in the windowed program: a database error is
// shown in the database error dialog (with its diagnostic records), any other in an error box.
void installControlErrorDialog();
