#pragma once
// The SQL routines under their own names, on the data module's shared statements: counts,
// maxima and numbers on qQueryFind, the write hook, batches and deletions on UpdateHstmt, the
// table-key index on UpdateHstmt. Each is the routine of the same name that takes a statement
// (TableRoutines.h, Numbering.h, SqlBatch.h, SqlUpdate.h, TableIndexList.h), handed
// DataSif's statement; without a data module they raise "Podatkovni modul ni ustvarjen !".
#include <QString>

#include "data/core/DataSetTypes.h"

class TwwOEDataSet;

// On qQueryFind.
QString GetMaxValueInTable(const QString& Field, const QString& Table, const QString& Where);
int GetQueryRecordCount(const QString& Table, const QString& Where);
QString NovaStevGlavC(const QString& Table, const QString& KeyField, const QString& Prefix);
QString TestStevGlavKljuc(TwwOEDataSet& DataSet, const QString& Table, bool CheckYear);
int NovaStevPozN(const QString& Table, const QString& Kljuc, int Step);

// On UpdateHstmt.
bool sqlUpdateSQL(TwwOEDataSet& DataSet, TUpdateKind UpdateKind, bool& ApplyUpdate);
void sqlFillTableIndex();
bool sqlExecute(QString& Buffer, bool Force);
void executeBatch(const QString& Batch);
bool sqlDeleteFromTable(const QString& Table, const QString& Where);
