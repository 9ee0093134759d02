#pragma once
#include <QVariantList>

struct TPrometRec;
struct TPrometPozRec;
struct TNarocRec;
struct TNarocPozRec;

// The column names and values of the document rows, alternating name and value, in the order
// of their INSERT statements (the form sqlInsertValues takes). Values: texts as QString, whole
// numbers as int, amounts as Money, other numbers as double, dates as QDateTime (an invalid one, the
// empty date, is written as NULL).
QVariantList prometColumns(const TPrometRec& r);
QVariantList prometPozColumns(const TPrometPozRec& p);
QVariantList narocColumns(const TNarocRec& r);
QVariantList narocPozColumns(const TNarocPozRec& p);

// Replaces the value of column "Kljuc" (case ignored; the first such column) in such a list.
void setKeyColumn(QVariantList& columns, const QString& key);
