#include "data/DataSif.h"

#include <QHash>
#include <QVariant>

TDataSif::TDataSif(QObject* parent) : QObject(parent)
{
    setObjectName("DataSif");
    const auto setup = [](THdbc& c, const char* name) {
        c.setName(name);
        c.setDriver("SQL Server");
        c.setDataSource("MSSintrex");
    };
    setup(Database, "Database");
    setup(DatabaseLook, "DatabaseLook");
    setup(DatabaseHstmt, "DatabaseHstmt");
    const auto stmt = [](THstmt& s, THdbc& c, const char* name, unsigned concurrency) {
        s.setName(name);
        s.sethDbc(&c);
        s.setConcurrencyType(concurrency);
    };
    stmt(UpdateHstmt, DatabaseHstmt, "UpdateHstmt", 1);
    stmt(qQueryFind, Database, "qQueryFind", 4);
    stmt(qFindSubjCenik, Database, "qFindSubjCenik", 4);
    stmt(qFindMsKoda, Database, "qFindMsKoda", 4);
    stmt(qQuery0, Database, "qQuery0", 4);
    stmt(qQuery1, Database, "qQuery1", 4);
    stmt(qQuery2, Database, "qQuery2", 4);
}

TDataSif::~TDataSif()
{
    if (DataSif == this)
        DataSif = nullptr;
}

void TDataSif::connectWithAttributes(const QStringList& attributes)
{
    for (THdbc* c : {&DatabaseHstmt, &DatabaseLook, &Database}) {
        c->Disconnect();
        c->setDataSource(QString());
        c->setAttributes(attributes);
        c->Connect();
    }
}

// Until the live parameter dataset is in place the row is read once per connection through a
// statement of its own.
namespace {
QHash<QString, QVariant> g_paramRow;
const QVariant& paramValue(const QString& field)
{
    static const QVariant none;
    if (g_paramRow.isEmpty() && DataSif && DataSif->Database.Connected()) {
        THstmt s(&DataSif->Database);
        s.setSQL("SELECT * FROM Param");
        s.Execute();
        if (s.FetchNext())
            for (int i = 1; i <= s.ColCount(); ++i)
                g_paramRow.insert(s.ColName(i).toUpper(), s.ColumnAsString(i));
        s.Close();
    }
    auto it = g_paramRow.constFind(field.toUpper());
    return it == g_paramRow.constEnd() ? none : *it;
}
} // namespace

QString ParamAsString(const QString& field) { return paramValue(field).toString(); }
double ParamAsFloat(const QString& field) { return paramValue(field).toString().toDouble(); }
int ParamAsInteger(const QString& field) { return paramValue(field).toString().toInt(); }
