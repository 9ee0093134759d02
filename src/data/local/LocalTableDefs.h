#pragma once
#include <QString>
#include <QStringList>

// Structure of a table of the local table store.

enum class LocalFieldType {
    Text,       // text of a given size; longer texts are cut to it
    Float,      // floating number
    SmallInt,   // 16-bit integer
    Integer,    // 32-bit integer
    AutoInc,    // 32-bit integer numbered by the store on append
    DateTime,
    Memo,       // text of any length
};

struct LocalFieldDef {
    QString name;
    LocalFieldType type = LocalFieldType::Text;
    int size = 0;   // characters, for Text only
};

struct LocalIndexDef {
    QString name;
    QStringList fields;
    bool primary = false;   // the primary index is unique
};
