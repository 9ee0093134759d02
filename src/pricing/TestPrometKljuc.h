#pragma once
#include <QString>

class TwwOEDataSet;

// Positions a dataset with a KLJUC field (templates, documents) on the record whose key is
// Kljuc. Characters 3 and 4 of a key are its business event: when the key's first four
// characters differ from those of the current record, the dataset is first restricted to that
// business event (sqlFilter "POSLDOG = '..'"), then searched with sqlFindKey on "Kljuc"
// (exact); a second search follows when the first did not reach the key. Returns whether the
// dataset now stands on the key (an empty key counts as found). Failures are logged as
// "TestPrometKljuc" with the dataset as sender and give false.
bool TestPrometKljuc(TwwOEDataSet& DataSet, const QString& Kljuc);
