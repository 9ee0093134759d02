#pragma once
#include "data/SqlRow.h"

#include <QVariantList>

struct TPrometRec;
struct TPrometPozRec;
struct TNarocRec;
struct TNarocPozRec;

// The rows the documents are written as: each record's columns in the order of their INSERT
// statements, as text made once (SqlRow), the names shared by every row of a kind.
SqlRow prometRow(const TPrometRec& r);
SqlRow prometPozRow(const TPrometPozRec& p);
SqlRow narocRow(const TNarocRec& r);
SqlRow narocPozRow(const TNarocPozRec& p);

// The same columns as names and values alternating (the form sqlInsertValues takes; sqlRowOf of
// such a list gives the row above). Values: texts as QString, whole numbers as int, amounts as
// Money, other numbers as double, date-times as QDateTime (an invalid one, the empty date, as a
// NULL QDateTime).
QVariantList prometColumns(const TPrometRec& r);
QVariantList prometPozColumns(const TPrometPozRec& p);
QVariantList narocColumns(const TNarocRec& r);
QVariantList narocPozColumns(const TNarocPozRec& p);
