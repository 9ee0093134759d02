#pragma once
#include <QString>
#include <QVariant>
#include <vector>

#include "data/core/DataSetTypes.h"

class TField;
class THstmt;
class TwwOEDataSet;

// The generic write hook: every editable dataset's OnUpdateRecord hands its inserts, changes and
// deletions to sqlUpdateSQL, which writes them as SQL text on the data module's write statement
// UpdateHstmt (on its own connection DatabaseHstmt).
//
// Table and key fields: the dataset's Target when it names a table and at least one key field
// (its IgnoreCols are never written); otherwise the table after "FROM" in the query
// (sqlGetTableFromSQLMemo) with the key fields of TableIndexList, or, for a table without an
// entry there, every data field that is not a memo or blob.
//
//   UPDATE table SET name = value, ... WHERE key = value AND ...   (only the changed fields)
//   INSERT INTO table(name, ...) VALUES(value, ...)                 (every writable field)
//   DELETE FROM table WHERE key = value AND ...
//
// Memo and blob values are parameters (":" + field name) bound after Prepare. The key
// conditions of an UPDATE use the key values as read, so that a record whose key was edited is
// still found; an UPDATE or DELETE that finds no row fails. With SqlTraceOn a trace row
// "sqlUpdateSQL-Trace-" + dataset name (sender UpdateHstmt) precedes the execution.
//
// Result: true when a statement was executed. ApplyUpdate is set false for the three update
// kinds (the dataset writes nothing itself) and true for any other kind and when the query
// names no table (logged "Table FROM ni vpisana " + dataset name), so that the dataset's own
// writer takes over. A change or insert with no field to write executes nothing (false). A
// failure is logged under "sqlUpdateSQL" (with UpdateHstmt and with the dataset as sender, after
// the statement's own entry) and raised again as a plain Exception with the same message, so
// that the post or delete fails and the dataset keeps its state.
bool sqlUpdateSQL(THstmt& Statement, TwwOEDataSet& DataSet, TUpdateKind UpdateKind, bool& ApplyUpdate);

// The SQL text of a field's current value, by its type: text "'...'" with apostrophes doubled
// (NULL gives ''); integers as decimal numbers (NULL 0); floating and currency by FloatToStrSQL;
// date and time "'yyyy/mm/dd hh:nn:ss'" or NULL for an empty (or zero) value; memo and blob
// ":" + field name, the field being added to LargeFields when given; any other type shows the
// error box "Neznan tip polja!" and gives "".
QString sqlFieldValue(const TField& Field, std::vector<const TField*>* LargeFields = nullptr);

// The condition that follows a key field's name in a WHERE part, for a value of the field's
// type: " IS NULL" for NULL; text, memo and blob " = '...'"; date and time "IS NULL" for the
// zero date, else " = 'yyyy/mm/dd hh:nn:ss'"; integers " = n"; floating " = " + FloatToStrSQL;
// any other type the error box "Neznan tip polja!" and "".
QString sqlKeyCondition(const TField& Field, const QVariant& Value);
// The same for the field's value as posted.
QString sqlKeyCondition(const TField& Field);

// True for an empty date-time value: NULL, invalid, or the zero date 30.12.1899 00:00.
bool isZeroDateValue(const QVariant& value);
