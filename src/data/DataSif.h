#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "data/core/ApplicationTitle.h"
#include "data/core/DataSetTypes.h"
#include "data/local/LocalDatabase.h"
#include "data/local/LocalTable.h"
#include "data/core/LogSender.h"
#include "data/odbc/THdbc.h"
#include "data/odbc/THstmt.h"
#include "data/dataset/TwwOEDataSet.h"

// The shared data module: created once after the main window, lives for the whole run. Owns the
// ODBC connections, the shared statements, the company parameter row, the report datasets and
// the local temporary tables, and decides which database the program works on.
//
//   auto module = std::make_unique<TDataSif>();   // becomes DataSif when there is none yet
//   module->DataSifCreate();                       // INI-driven connect, parameter row, key index
//   ...after the login: module->DataSifCreateOpen();
//
// Connections have the driver "SQL Server" and are configured from the INI file's section
// Database by DataSifConnect: by server and database name when both DataBaseName and
// ServerName are set, otherwise by the data source name DataSource (default "MSSintrex", used in
// upper case), with the login SqlUserName / SqlPassword. None is connected before that.
class TDataSif : public QObject {
    Q_OBJECT
public:
    explicit TDataSif(QObject* parent = nullptr);
    ~TDataSif() override;

    // Connections.
    THdbc Database;       // all forms' datasets, the parameter row, the shared statements
    THdbc DatabaseLook;   // master-data look-up datasets (tbLook...)
    THdbc DatabaseHstmt;  // the write statement UpdateHstmt only
    // The local store of the temporary tables (alias "VektorTemp", INI-overridable).
    LocalDatabase DatabaseTemp{QStringLiteral("VektorDataTemp"), QStringLiteral("VektorTemp")};

    // Shared statements (on Database, optimistic concurrency, unless noted).
    THstmt UpdateHstmt;     // on DatabaseHstmt, read-only: every generated INSERT/UPDATE/DELETE/TRUNCATE
    THstmt qQueryFind;      // maxima, counts, master-data look-ups
    THstmt qFindSubjCenik;  // contract price list look-up
    THstmt qFindMsKoda;     // item-code look-up
    THstmt qQuery0;         // document and printing runs; authorizations at login
    THstmt qQuery1;
    THstmt qQuery2;

    // Live datasets (never null).
    // "SELECT * FROM Param" on Database: the company's parameter row; target PARAM, key
    // TSBREZDAVKA; written through DataSifUpdateRecord, audit fields by tbParameterBeforePost.
    std::unique_ptr<TwwOEDataSet> tbParameter;
    // "SELECT * FROM ODDel ORDER BY USERID" on DatabaseLook (USERID "Šifra", DELAVEC
    // "Uporabnik", GESLO, ODDELEK); no write hook: a post is written by the dataset itself.
    std::unique_ptr<TwwOEDataSet> tbLookZaposlen;
    // The report catalogue "SELECT * FROM Report ORDER BY REPORT" and the one definition
    // "SELECT * FROM Report" (positioned with sqlFindKey); target REPORT, key REPORT; written
    // through DataSifUpdateRecord, SetDateOnPost before a post. Further events belong to the
    // printing.
    std::unique_ptr<TwwOEDataSet> tbReport;
    std::unique_ptr<TwwOEDataSet> Report;

    // Local tables on VektorDataTemp.
    LocalTable tbTCena{QStringLiteral("VektorDataTemp"), QStringLiteral("TObdracCena")};
    LocalTable tbNapaka{QStringLiteral("VektorDataTemp"), QStringLiteral("TObdracNapaka")};

    // Creation: in development mode (RazvojAplikacije) a connection that is already connected
    // shows the plain message "Database.Connected"; then DataSifConnect, in which the
    // connections kept connected from the module's load (Database, then DatabaseLook) connect
    // first: a failure shows "Cannot connect <name> to database." (data/ConnectOnLoad.h) before
    // the messages of DataSifConnect, and is not tried again there. A failure raised by
    // DataSifConnect (the parameter row could not be opened) is logged as "DataSifCreate".
    void DataSifCreate();

    // Reads the INI section Database, sets the title, configures and connects the connections
    // (DatabaseHstmt, DatabaseLook, Database, then DatabaseTemp), opens the parameter row and
    // loads the table-key index. A configuration failure is logged as "DataSifCreate-Alias"; a
    // connect failure shows "Napaka v nastavitvi poti do podatkov (Database) !" with the failure
    // text and is logged as "DataSifCreate-Connect" (Sender); the parameter row is then opened
    // with messages, and its failure is raised to the caller (the table index is not loaded).
    void DataSifConnect(const LogSender& Sender = nullptr);

    // After a successful login: re-opens the parameter row (with messages; a failure is raised),
    // rebuilds TObdracCena (failures ignored) and sets RoundStep from ROUNDT (0 means 1).
    void DataSifCreateOpen();

    // The write hook of the module's datasets and of the template datasets (sqlUpdateSQL).
    void DataSifUpdateRecord(TwwOEDataSet& DataSet, TUpdateKind UpdateKind, bool& ApplyUpdate);
    // BeforePost of tbParameter (and the report datasets): SetDateOnPost.
    void tbParameterBeforePost(TwwOEDataSet& DataSet);

    // The application title as DataSifConnect last set it (the main window's caption follows
    // titleChanged).
    const QString& ApplicationTitle() const { return m_title; }
    void setApplicationTitle(const QString& title);

    // For tools and tests that do not read an INI file: connects the three connections with the
    // given connect-string items (KEY=value, credentials included; throws EODBC on failure),
    // then opens the parameter row (without messages) and loads the table-key index.
    void connectWithAttributes(const QStringList& attributes);

    // Rebuilds TObdracCena: fields Cena, Stevilka, Opis, indexes TCena and Stevilka, created
    // anew, opened exclusively (index fields "CENA;STEVILKA", filtered) with six rows Cena 0,
    // Stevilka 1 to 6, Opis "Cena". Throws on failure.
    void rebuildTCena();

signals:
    void titleChanged(const QString& title);

private:
    // DataSifConnect; atLoad: at creation, with the connects of the load first.
    void connectModule(const LogSender& Sender, bool atLoad);
    void setupDataSet(TwwOEDataSet& ds, const QString& name, THdbc& connection, const QString& sql);
    QString m_title;
};

// The program-wide data module (null before it is created).
inline TDataSif* DataSif = nullptr;
// DataSif, or a plain Exception "Podatkovni modul ni ustvarjen !" when there is none.
TDataSif& requireDataSif();

// "Sintrex Periodično fakturiranje " + company of INI Program/Podjetje + " (" + company of the
// database + ")", or, without a database company, the program's company followed by one blank.
QString ApplicationTitleFor(const QString& programCompany, const QString& databaseCompany);

// Disconnects and sets the data source name with the login SqlUserName / SqlPassword; the
// connect-string attributes are cleared, so that no SERVER= or DATABASE= of an earlier
// configuration overrides the data source.
void SetDataSource(THdbc& Connection, const QString& DataSourceName);
// Disconnects, clears the data source name, sets the login and the attributes "SERVER=" + server
// and "DATABASE=" + database (with the driver "SQL Server": UID=..;PWD=..;DRIVER=SQL
// Server;SERVER=..;DATABASE=..;).
void SetDatabase(THdbc& Connection, const QString& ServerName, const QString& DataBaseName);

// Structures of the local temporary tables (field and index definitions only).
void defineTObdracCena(LocalTable& table);
void defineTObdracNapaka(LocalTable& table);

// Values of the parameter row (tbParameter, opened without messages when it is closed and the
// connection is up) by field name; empty text / 0 when the row or the field is missing.
QString ParamAsString(const QString& field);
double ParamAsFloat(const QString& field);
int ParamAsInteger(const QString& field);
