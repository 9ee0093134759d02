#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>

class TwwOEDataSet;

// Routines that change a live dataset's WHERE and ORDER BY and re-open it, search it, and build
// conditions. The query text they work on is the dataset's SQL lines; the texts they set are
// single lines, upper case up to the appended WHERE text (which is kept as given). With
// SqlTraceOn they write trace rows ("sqlFilterNoOpen", "sqlSetOrder", "sqlFindKey").
//
// Every value these routines place between apostrophes has its apostrophes doubled.

// Closes the dataset and replaces its query: the text before the first "WHERE" (or, when there
// is none, before the first "ORDER BY", whose order list is then kept) + " WHERE " + Where (when
// not empty) + " ORDER BY " + Order (when not empty; else the kept order, if any). The dataset is
// left closed. Failures are logged as "sqlFilter".
void sqlFilterNoOpen(TwwOEDataSet& DataSet, const QString& Where, const QString& Order);
// sqlFilterNoOpen, then OpenTable without messages.
void sqlFilter(TwwOEDataSet& DataSet, const QString& Where, const QString& Order);

// Sets the query's ORDER BY to Order (upper case; empty removes it). Unchanged (false) when the
// current ORDER BY list starts with Order. Failures are logged as "sqlSetOrder" and give false.
bool sqlSetOrderNoOpen(TwwOEDataSet& DataSet, const QString& Order);
// sqlSetOrderNoOpen, and OpenTable with messages when the text changed or the dataset is closed;
// controls are disabled meanwhile. Failures are logged as "sqlSetOrder".
void sqlSetOrder(TwwOEDataSet& DataSet, const QString& Order);

// Locate with case-insensitive, partial-key options; Fields separated by ";", one value per
// field. Failures are logged as "sqlFind" and give false.
bool sqlFind(TwwOEDataSet& DataSet, const QString& Fields, const QVariantList& Values);

// Positions the dataset on a record whose key fields (separated by ";") match the values (as
// many pairs as the smaller count). Exact mode (From false): when the current record already
// matches, the dataset is not re-queried. Otherwise the query is rebuilt from the text before
// its WHERE (or its ORDER BY) with one condition per key whose value is an integer, a floating
// number or a text (sqlFindKeySetWhere...; a text holding "%" with LIKE; From: ">="), plus
// " ORDER BY " + Order, opened without messages, and the result is whether the new current
// record matches (sqlFindKeyTest). Failures are logged as "sqlFindKey" and give false.
bool sqlFindKey(TwwOEDataSet& DataSet, const QString& KeyFields, const QVariantList& Values,
                const QString& Order, bool From);

// Whether the current record matches the values (false when the dataset is closed). Exact mode:
// equal; From mode: the field not less than the value. After a text value holding "%", keys are
// compared only on the characters before that position (From: the field's characters not after
// the value's); after a date field, on the field's DateToStrSQL text.
bool sqlFindKeyTest(TwwOEDataSet& DataSet, const QStringList& KeyFields, const QVariantList& Values, bool From);

// Append one condition to Where: " AND" first when Where is not empty; the operator is " <= "
// with To, else " >= " with From, else " = ".
//   Int / Real:  " (" + name + operator + number + ")"
//   String:      " " + name + operator + "'value'" (operator " LIKE " when the value holds "%")
void sqlFindKeySetWhereInt(QString& Where, const QString& FieldName, qint64 Value, bool To, bool From);
void sqlFindKeySetWhereReal(QString& Where, const QString& FieldName, double Value, bool To, bool From);
void sqlFindKeySetWhereString(QString& Where, const QString& FieldName, const QString& Value, bool To, bool From);

// Appends a filter condition for a user's criterion; an empty value appends nothing. " AND "
// first when ForceAnd is set or Where is not empty; then, with the value's apostrophes doubled:
//   value holding "%":  "(" + field + " LIKE '" + value + "%')"
//   value holding "_":  "(" + field + " LIKE '" + value + "')"
//   otherwise:          "(" + field + " = '" + value + "')"
void MakeFilterStrSQL(QString& Where, const QString& FieldName, const QString& Value, bool ForceAnd);
