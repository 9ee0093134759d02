#include "data/DataSif.h"

#include "data/ConnectOnLoad.h"
#include "data/log/ErrorLog.h"
#include "data/core/Exception.h"
#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"
#include "data/log/OdbcErrorLog.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/SqlUpdate.h"
#include "data/TableIndexList.h"
#include "data/TableRoutines.h"

namespace {
const QString DefaultDataSource = QStringLiteral("MSSintrex");
const QString DefaultTempAlias = QStringLiteral("VektorTemp");
const QString DatabaseSection = QStringLiteral("Database");

void setupConnection(THdbc& c, const char* name)
{
    c.setName(QString::fromLatin1(name));
    c.setDriver(QStringLiteral("SQL Server"));
    c.setDataSource(DefaultDataSource);
}

void setupStatement(THstmt& s, THdbc& c, const char* name, unsigned concurrency)
{
    s.setName(QString::fromLatin1(name));
    s.sethDbc(&c);
    s.setConcurrencyType(concurrency);
}
} // namespace

TDataSif::TDataSif(QObject* parent)
    : QObject(parent),
      tbParameter(std::make_unique<TwwOEDataSet>()),
      tbLookZaposlen(std::make_unique<TwwOEDataSet>()),
      tbReport(std::make_unique<TwwOEDataSet>()),
      Report(std::make_unique<TwwOEDataSet>())
{
    setObjectName(QStringLiteral("DataSif"));
    registerOdbcErrorDescriber();
    if (!TwwOEDataSet::KeyFieldsResolver)
        TwwOEDataSet::KeyFieldsResolver = tableKeyFields;

    setupConnection(Database, "Database");
    setupConnection(DatabaseLook, "DatabaseLook");
    setupConnection(DatabaseHstmt, "DatabaseHstmt");

    setupStatement(UpdateHstmt, DatabaseHstmt, "UpdateHstmt", 1);
    setupStatement(qQueryFind, Database, "qQueryFind", 4);
    setupStatement(qFindSubjCenik, Database, "qFindSubjCenik", 4);
    setupStatement(qFindMsKoda, Database, "qFindMsKoda", 4);
    setupStatement(qQuery0, Database, "qQuery0", 4);
    setupStatement(qQuery1, Database, "qQuery1", 4);
    setupStatement(qQuery2, Database, "qQuery2", 4);

    auto writeHook = [this](TwwOEDataSet& ds, TUpdateKind kind, bool& apply) { DataSifUpdateRecord(ds, kind, apply); };
    auto beforePost = [this](TwwOEDataSet& ds) { tbParameterBeforePost(ds); };

    setupDataSet(*tbParameter, QStringLiteral("tbParameter"), Database, QStringLiteral("SELECT * FROM Param"));
    tbParameter->Target().TargetTable = QStringLiteral("PARAM");
    tbParameter->Target().PrimaryCols = QStringList{QStringLiteral("TSBREZDAVKA")};
    tbParameter->OnUpdateRecord = writeHook;
    tbParameter->BeforePost = beforePost;
    tbParameter->AfterOpen = [](TwwOEDataSet& ds) {
        static const struct {
            const char* field;
            const char* format;
        } formats[] = {
            {"ROUNDT", "#,##0.0000"},       {"NAROCDNIZAVELJ", "#,##0 dni."}, {"NEPSTR", "#,##0.00 %"},
            {"MINDELOPREDVST", "#,##0.00"}, {"MINDELOPOVST", "#,##0.00"},     {"PROCOLAJSAVE", "#,##0 %"},
            {"PROCRAZVCENI", "#,##0.00 %"}, {"KOLICVKODIDOL", "#,##0"},
        };
        for (const auto& f : formats)
            if (TField* field = ds.FindField(QString::fromLatin1(f.field)))
                field->setDisplayFormat(QString::fromLatin1(f.format));
    };

    setupDataSet(*tbLookZaposlen, QStringLiteral("tbLookZaposlen"), DatabaseLook,
                 QStringLiteral("SELECT * FROM ODDel ORDER BY USERID"));
    tbLookZaposlen->addField(QStringLiteral("USERID"), TFieldType::ftString, 2).setDisplayLabel(QStringLiteral("Šifra"));
    tbLookZaposlen->addField(QStringLiteral("DELAVEC"), TFieldType::ftString, 30).setDisplayLabel(QStringLiteral("Uporabnik"));
    tbLookZaposlen->addField(QStringLiteral("GESLO"), TFieldType::ftString, 30);
    tbLookZaposlen->addField(QStringLiteral("ODDELEK"), TFieldType::ftString, 30);

    for (TwwOEDataSet* ds : {tbReport.get(), Report.get()}) {
        ds->Target().TargetTable = QStringLiteral("REPORT");
        ds->Target().PrimaryCols = QStringList{QStringLiteral("REPORT")};
        ds->OnUpdateRecord = writeHook;
        ds->BeforePost = beforePost;
    }
    setupDataSet(*tbReport, QStringLiteral("tbReport"), Database, QStringLiteral("SELECT * FROM Report ORDER BY REPORT"));
    setupDataSet(*Report, QStringLiteral("Report"), Database, QStringLiteral("SELECT * FROM Report"));

    if (!DataSif)
        DataSif = this;
}

TDataSif::~TDataSif()
{
    tbTCena.close();
    tbNapaka.close();
    if (DataSif == this)
        DataSif = nullptr;
}

void TDataSif::setupDataSet(TwwOEDataSet& ds, const QString& name, THdbc& connection, const QString& sql)
{
    ds.setName(name);
    ds.setDatabaseName(connection.Name());
    ds.sethDbc(&connection);
    ds.hStmt().setConcurrencyType(4);
    ds.setSQL(sql);
}

void TDataSif::setApplicationTitle(const QString& title)
{
    m_title = title;
    emit titleChanged(title);
}

void TDataSif::DataSifCreate()
{
    guard(QStringLiteral("DataSifCreate"), this, [&] {
        if (DevelopmentMode && (Database.Connected() || DatabaseLook.Connected() || DatabaseHstmt.Connected()))
            showPlain(QStringLiteral("Database.Connected"));
        connectModule(this, true);
    });
}

void TDataSif::DataSifConnect(const LogSender& Sender) { connectModule(Sender, false); }

void TDataSif::connectModule(const LogSender& Sender, bool atLoad)
{
    guard(QStringLiteral("DataSifCreate-Alias"), Sender, [&] {
        const QString dataBaseName = GetStringFromIniFile(DatabaseSection, QStringLiteral("DataBaseName"), QString());
        const QString serverName = GetStringFromIniFile(DatabaseSection, QStringLiteral("ServerName"), QString());
        const QString dataSource =
            GetStringFromIniFile(DatabaseSection, QStringLiteral("DataSource"), DefaultDataSource).toUpper();
        DatabaseCompany = GetStringFromIniFile(DatabaseSection, QStringLiteral("Podjetje"), QString());

        setApplicationTitle(ApplicationTitleFor(GetStringFromIniFile(QStringLiteral("Program"), QStringLiteral("Podjetje"), QString()),
                                                DatabaseCompany));

        for (THdbc* c : {&Database, &DatabaseLook, &DatabaseHstmt}) {
            if (!dataBaseName.isEmpty() && !serverName.isEmpty())
                SetDatabase(*c, serverName, dataBaseName);
            else
                SetDataSource(*c, dataSource);
        }

        const QString alias = GetStringFromIniFile(DatabaseSection, QStringLiteral("AliasTempName"), DefaultTempAlias);
        if (alias != DatabaseTemp.alias()) {
            tbTCena.close();
            tbNapaka.close();
            DatabaseTemp.disconnect();
            DatabaseTemp.setAlias(alias);
        }
        const QString tempPath = GetStringFromIniFile(DatabaseSection, QStringLiteral("TempPath"), QString());
        if (!tempPath.isEmpty() && DatabaseTemp.params() != QStringList{tempPath}) {
            tbTCena.close();
            tbNapaka.close();
            DatabaseTemp.disconnect();
            DatabaseTemp.setParams(QStringList{tempPath});
        }
    });

    // At the module's creation the connections that it keeps connected from its load (Database,
    // then DatabaseLook) connect first, each failure shown as "Cannot connect <name> to
    // database."; the first failure is also the failure of the connects below, which are not
    // tried again on a database that has just refused.
    std::optional<EODBC> loadFailure;
    if (atLoad) {
        for (THdbc* connection : {&Database, &DatabaseLook}) {
            loadFailure = connectOnLoadFailure(*connection);
            if (loadFailure)
                break;
        }
    }
    try {
        if (loadFailure)
            throw *loadFailure;
        DatabaseHstmt.Connect();
        DatabaseLook.Connect();
        Database.Connect();
        DatabaseTemp.connect();
    } catch (const std::exception& e) {
        ShowAndLogError(e, Sender, QStringLiteral("DataSifCreate-Connect"),
                        QStringLiteral("Napaka v nastavitvi poti do podatkov (Database) !"));
    } catch (...) {
        ShowAndLogError(Exception(QStringLiteral("Neznana napaka")), Sender, QStringLiteral("DataSifCreate-Connect"),
                        QStringLiteral("Napaka v nastavitvi poti do podatkov (Database) !"));
    }

    OpenTable(*tbParameter, true);
    sqlFillTableIndex(UpdateHstmt);
}

void TDataSif::DataSifCreateOpen()
{
    tbParameter->Close();
    OpenTable(*tbParameter, true);
    try {
        rebuildTCena();
    } catch (...) {
    }
    const double step = ParamAsFloat(QStringLiteral("ROUNDT"));
    RoundStep = step != 0.0 ? step : 1.0;
}

void TDataSif::rebuildTCena()
{
    tbTCena.close();
    defineTObdracCena(tbTCena);
    if (!DatabaseTemp.isConnected())
        DatabaseTemp.connect();
    tbTCena.createTable();
    tbTCena.open(LocalTable::OpenMode::Exclusive);
    tbTCena.setIndexFieldNames(QStringLiteral("CENA;STEVILKA"));
    tbTCena.setFiltered(true);
    for (int i = 1; i <= 6; ++i) {
        tbTCena.append();
        tbTCena.setValue(QStringLiteral("Cena"), 0.0);
        tbTCena.setValue(QStringLiteral("Stevilka"), i);
        tbTCena.setValue(QStringLiteral("Opis"), QStringLiteral("Cena"));
        tbTCena.post();
    }
    tbTCena.first();
}

void TDataSif::DataSifUpdateRecord(TwwOEDataSet& DataSet, TUpdateKind UpdateKind, bool& ApplyUpdate)
{
    sqlUpdateSQL(UpdateHstmt, DataSet, UpdateKind, ApplyUpdate);
}

void TDataSif::tbParameterBeforePost(TwwOEDataSet& DataSet) { SetDateOnPost(DataSet); }

void TDataSif::connectWithAttributes(const QStringList& attributes)
{
    for (THdbc* c : {&DatabaseHstmt, &DatabaseLook, &Database}) {
        c->Disconnect();
        c->setDataSource(QString());
        c->setAttributes(attributes);
        c->Connect();
    }
    OpenTable(*tbParameter, false);
    sqlFillTableIndex(UpdateHstmt);
}

TDataSif& requireDataSif()
{
    if (!DataSif)
        throw Exception(QStringLiteral("Podatkovni modul ni ustvarjen !"));
    return *DataSif;
}

QString ApplicationTitleFor(const QString& programCompany, const QString& databaseCompany)
{
    if (!databaseCompany.isEmpty())
        return ProgramTitle + QLatin1Char(' ') + programCompany + QStringLiteral(" (") + databaseCompany + QLatin1Char(')');
    return ProgramTitle + QLatin1Char(' ') + programCompany + QLatin1Char(' ');
}

void SetDataSource(THdbc& Connection, const QString& DataSourceName)
{
    Connection.Disconnect();
    Connection.setDataSource(DataSourceName);
    Connection.setUserName(SqlUserName);
    Connection.setPassword(SqlPassword);
    Connection.Attributes().clear();
}

void SetDatabase(THdbc& Connection, const QString& ServerName, const QString& DataBaseName)
{
    Connection.Disconnect();
    Connection.setDataSource(QString());
    Connection.setUserName(SqlUserName);
    Connection.setPassword(SqlPassword);
    Connection.Attributes().clear();
    Connection.Attributes() << QStringLiteral("SERVER=") + ServerName << QStringLiteral("DATABASE=") + DataBaseName;
}

void defineTObdracCena(LocalTable& table)
{
    table.clearDefinitions();
    table.addField(QStringLiteral("Cena"), LocalFieldType::Float);
    table.addField(QStringLiteral("Stevilka"), LocalFieldType::SmallInt);
    table.addField(QStringLiteral("Opis"), LocalFieldType::Text, 20);
    table.addIndex(QStringLiteral("TCena"), QStringLiteral("Cena;Stevilka"), true);
    table.addIndex(QStringLiteral("Stevilka"), QStringLiteral("Stevilka"));
}

void defineTObdracNapaka(LocalTable& table)
{
    table.clearDefinitions();
    table.addField(QStringLiteral("ZapSt"), LocalFieldType::AutoInc);
    table.addField(QStringLiteral("Kljuc"), LocalFieldType::Text, 9);
    table.addField(QStringLiteral("Tip"), LocalFieldType::Text, 10);
    table.addField(QStringLiteral("PoslDog"), LocalFieldType::Text, 2);
    table.addField(QStringLiteral("Subjekt"), LocalFieldType::Text, 30);
    table.addField(QStringLiteral("Ident"), LocalFieldType::Text, 16);
    table.addField(QStringLiteral("Kolicina"), LocalFieldType::Float);
    table.addField(QStringLiteral("Cena"), LocalFieldType::Float);
    table.addField(QStringLiteral("Rabat"), LocalFieldType::Float);
    table.addIndex(QStringLiteral("TNapaka"), QStringLiteral("ZapSt"), true);
}

namespace {
// The field of the parameter row, opening the row when needed; null when there is none.
TField* paramField(const QString& name)
{
    if (!DataSif)
        return nullptr;
    TwwOEDataSet& p = *DataSif->tbParameter;
    if (!p.Active()) {
        if (!p.hDbc() || !p.hDbc()->Connected() || !OpenTable(p, false))
            return nullptr;
    }
    if (p.IsEmpty())
        return nullptr;
    return p.FindField(name);
}
} // namespace

QString ParamAsString(const QString& field)
{
    return guard(QStringLiteral("ParamAsString"), nullptr, QString(), [&] {
        const TField* f = paramField(field);
        return f ? f->asString() : QString();
    });
}

double ParamAsFloat(const QString& field)
{
    return guard(QStringLiteral("ParamAsFloat"), nullptr, 0.0, [&] {
        const TField* f = paramField(field);
        if (!f || f->isNull())
            return 0.0;
        if (isTextType(f->dataType()) || f->dataType() == TFieldType::ftMemo)
            return f->asString().trimmed().toDouble();
        return f->asFloat();
    });
}

int ParamAsInteger(const QString& field)
{
    return guard(QStringLiteral("ParamAsInteger"), nullptr, 0, [&] {
        const TField* f = paramField(field);
        if (!f || f->isNull())
            return 0;
        if (isTextType(f->dataType()) || f->dataType() == TFieldType::ftMemo)
            return f->asString().trimmed().toInt();
        return f->asInteger();
    });
}
