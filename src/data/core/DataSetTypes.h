#pragma once
#include <QtGlobal>

// Small types of the live dataset (TwwOEDataSet).

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsCalcFields };
// The kind of write passed to OnUpdateRecord (0 changed record, 1 new record, 2 deletion).
enum TUpdateKind { ukModify = 0, ukInsert = 1, ukDelete = 2 };
enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;   // a combination of TLocateOption

// Identifies a cached record for as long as it stays in the cache.
struct TBookmark {
    quint64 id = 0;
    bool isNull() const { return id == 0; }
    friend bool operator==(const TBookmark&, const TBookmark&) = default;
};
