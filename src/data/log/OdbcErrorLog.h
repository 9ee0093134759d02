#pragma once
#include <QString>

class EODBC;

// How the error log describes a failure of the database layer: class "EODBC" and the current
// diagnostic's message followed by the SQLSTATE and native error of every diagnostic record that
// has them, e.g. 'ERROR: relation "x" does not exist [SQLSTATE 42P01, native 7]'. The log's
// Error field keeps the first 255 characters.
QString odbcErrorLogText(const EODBC& error);

// Registers the description with the error log (once; further calls do nothing). The data module
// calls it when it is created; it is also registered when the program starts.
void registerOdbcErrorDescriber();
