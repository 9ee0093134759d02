#include "data/DataSifRoutines.h"

#include "data/DataSif.h"
#include "data/Numbering.h"
#include "data/SqlBatch.h"
#include "data/SqlUpdate.h"
#include "data/TableIndexList.h"
#include "data/TableRoutines.h"

namespace {
THstmt& findStatement() { return requireDataSif().qQueryFind; }
THstmt& updateStatement() { return requireDataSif().UpdateHstmt; }
} // namespace

QString GetMaxValueInTable(const QString& Field, const QString& Table, const QString& Where)
{
    return GetMaxValueInTable(findStatement(), Field, Table, Where);
}

int GetQueryRecordCount(const QString& Table, const QString& Where)
{
    return GetQueryRecordCount(findStatement(), Table, Where);
}

QString NovaStevGlavC(const QString& Table, const QString& KeyField, const QString& Prefix)
{
    return NovaStevGlavC(findStatement(), Table, KeyField, Prefix);
}

QString TestStevGlavKljuc(TwwOEDataSet& DataSet, const QString& Table, bool CheckYear)
{
    return TestStevGlavKljuc(findStatement(), DataSet, Table, CheckYear);
}

int NovaStevPozN(const QString& Table, const QString& Kljuc, int Step)
{
    return NovaStevPozN(findStatement(), Table, Kljuc, Step);
}

bool sqlUpdateSQL(TwwOEDataSet& DataSet, TUpdateKind UpdateKind, bool& ApplyUpdate)
{
    return sqlUpdateSQL(updateStatement(), DataSet, UpdateKind, ApplyUpdate);
}

void sqlFillTableIndex() { sqlFillTableIndex(updateStatement()); }

bool sqlExecute(QString& Buffer, bool Force) { return sqlExecute(updateStatement(), Buffer, Force); }

void executeBatch(const QString& Batch) { executeBatch(updateStatement(), Batch); }

bool sqlDeleteFromTable(const QString& Table, const QString& Where)
{
    return sqlDeleteFromTable(updateStatement(), Table, Where);
}
