#pragma once
#include <QString>

#include "data/local/LocalTable.h"

class THstmt;
class TwwOEDataSet;

// Opening, re-opening and refreshing datasets and executing statements with uniform failure
// handling; audit fields; counts and maxima through SQL.
//
// Messages: "Napaka pri odpiranju datoteke: " + component name + " !", a line break and the
// failure's message, as an error box. Log entries go to the error log (ErrorLog.h); with
// SqlTraceOn every successful open and execution also writes a trace row.

// Opens the dataset when it is closed (trace row "OpenTable" after opening it). True when it is
// or becomes open. On a failure the log entry "OpenTable-" + name; without messages the result
// is false; with messages the error box comes first and the failure is raised again as a plain
// Exception with the same message (an EAbort stays an EAbort), so that it never returns false.
bool OpenTable(TwwOEDataSet& DataSet, bool ShowMessages);
// The same for a table of the local store, named Name in messages and in the log (e.g.
// "tbNapaka"); the table is opened in the given mode.
bool OpenTable(LocalTable& Table, const QString& Name, bool ShowMessages,
               LocalTable::OpenMode Mode = LocalTable::OpenMode::Shared);

// Disables the dataset's controls, closes it and opens it with OpenTable; a failure raised by
// OpenTable (with messages) is logged as "ReOpenTable" and gives false. Controls are enabled
// again in every case.
bool ReOpenTable(TwwOEDataSet& DataSet, bool ShowMessages);

// When the dataset is open: Refresh (re-reads the current record) and EnableControls one level.
// Failures are logged as "TableRefresh".
void TableRefresh(TwwOEDataSet& DataSet);

// Executes the statement (trace row "HstmtExecute"); returns true. On a failure: with messages
// the error box; the log entry "HstmtExecute-" + statement name; the failure is raised again as
// a plain Exception with the same message.
bool HstmtExecute(THstmt& Statement, bool ShowMessages);

// Audit fields: DatumZap/UserZap (creation) and DatumSpre/UserSpre (last change) := now and
// CurrentUserID. Failures are logged as "SetDateOnNew" / "SetDateOnPost" with the dataset as
// sender.
void SetDateOnNew(TwwOEDataSet& DataSet);
void SetDateOnPost(TwwOEDataSet& DataSet);

// "SELECT MAX(" + Field + ") AS MaxValue FROM " + Table [+ " WHERE " + Where] on Statement
// (the data module's qQueryFind under the wrapper of DataSifRoutines.h): column 1 of the row as text ("" for NULL or no row). A failure is logged
// as "GetMaxValueInTable-" + Field + "-" + Table + "-" + Where and raised again.
QString GetMaxValueInTable(THstmt& Statement, const QString& Field, const QString& Table, const QString& Where);

// "SELECT COUNT(*) AS Stevilo FROM " + Table [+ " WHERE " + Where] on Statement. Table may be
// a list with aliases ("Obdrac G, PoslDog D"). Failures are logged as "GetQueryRecordCount" and
// give 0.
int GetQueryRecordCount(THstmt& Statement, const QString& Table, const QString& Where);
