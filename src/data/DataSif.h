#pragma once
#include <QObject>
#include <QString>
#include <memory>

#include "data/THdbc.h"
#include "data/THstmt.h"

class TwwOEDataSet;

// The shared data module: created once after the main window, lives for the whole run. Owns the
// ODBC connections, the shared statements and the company parameter row.
class TDataSif : public QObject {
    Q_OBJECT
public:
    explicit TDataSif(QObject* parent = nullptr);
    ~TDataSif() override;

    // Connections ("SQL Server" driver each).
    THdbc Database;       // all forms' datasets, the parameter row, the shared statements
    THdbc DatabaseLook;   // master-data look-up datasets
    THdbc DatabaseHstmt;  // the write statement UpdateHstmt only

    // Shared statements.
    THstmt UpdateHstmt;     // on DatabaseHstmt: every generated INSERT/UPDATE/DELETE/TRUNCATE
    THstmt qQueryFind;      // maxima, counts, master-data look-ups
    THstmt qFindSubjCenik;  // contract price list look-up
    THstmt qFindMsKoda;     // item-code look-up
    THstmt qQuery0;         // document and printing runs; authorizations at login
    THstmt qQuery1;
    THstmt qQuery2;

    // The company parameter row "SELECT * FROM Param" (may be null until the dataset layer
    // creates it).
    std::shared_ptr<TwwOEDataSet> tbParameter;

    // Connects the three connections with the given connect-string attributes
    // (KEY=value items); used by the tools and tests that do not read an INI file.
    void connectWithAttributes(const QStringList& attributes);
};

// The program-wide data module (null before it is created).
inline TDataSif* DataSif = nullptr;

// Values of the parameter row by field name (upper case); empty text / 0 when the row or the
// field is missing.
QString ParamAsString(const QString& field);
double ParamAsFloat(const QString& field);
int ParamAsInteger(const QString& field);
