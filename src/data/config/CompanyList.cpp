#include "data/config/CompanyList.h"

#include "data/local/LocalStoreError.h"
#include "data/local/LocalTable.h"
#include "data/config/ProgramIni.h"

namespace {
LocalStoreError listError(const QString& message)
{
    return LocalStoreError(LocalStoreError::Kind::Other, message);
}

void checkEntry(const CompanyEntry& c)
{
    if (c.podjetje.trimmed().isEmpty())
        throw listError("Ime podjetja ne sme biti prazno");
    if (c.podjetje.size() > CompanyNameSize)
        throw listError(QString("Ime podjetja je daljše od %1 znakov: %2").arg(CompanyNameSize).arg(c.podjetje));
    if (c.serverName.size() > CompanyServerNameSize)
        throw listError(QString("Ime strežnika je daljše od %1 znakov").arg(CompanyServerNameSize));
    if (c.dataBaseName.size() > CompanyDataBaseNameSize)
        throw listError(QString("Ime baze je daljše od %1 znakov").arg(CompanyDataBaseNameSize));
}

void writeAll(const QString& path, const QList<CompanyEntry>& companies)
{
    LocalTable table;
    DefineCompanyTable(table, path);
    table.createTable();
    table.open(LocalTable::OpenMode::Exclusive);
    for (const CompanyEntry& c : companies) {
        table.append();
        table.setValue("PODJETJE", c.podjetje);
        table.setValue("ServerName", c.serverName);
        table.setValue("DataBaseName", c.dataBaseName);
        table.post();
    }
    table.close();
}
} // namespace

QString CompanyListPath(const QString& tablePodPath)
{
    QString folder = tablePodPath.trimmed();
    if (!folder.isEmpty() && !folder.endsWith(u'\\') && !folder.endsWith(u'/'))
        folder += (folder.contains(u'\\') || folder.endsWith(u':')) ? u'\\' : u'/';
    return folder + CompanyListFileName;
}

QString ProgramCompanyListPath()
{
    return CompanyListPath(GetStringFromIniFile("Database", "TablePodPath", "c:\\"));
}

void DefineCompanyTable(LocalTable& table, const QString& path)
{
    table.setDatabaseName(QString());
    table.setTableName(path);
    table.clearDefinitions();
    table.addField("PODJETJE", LocalFieldType::Text, CompanyNameSize);
    table.addField("ServerName", LocalFieldType::Text, CompanyServerNameSize);
    table.addField("DataBaseName", LocalFieldType::Text, CompanyDataBaseNameSize);
    table.addIndex("PODJETJE", "PODJETJE", true);
}

bool CompanyListExists(const QString& path)
{
    return LocalTable::fileExists(path);
}

QList<CompanyEntry> ReadCompanyList(const QString& path)
{
    QList<CompanyEntry> result;
    if (!CompanyListExists(path))
        return result;
    LocalTable table(QString(), path);
    table.open();
    table.setIndexFieldNames("PODJETJE");
    for (bool more = table.first(); more; more = table.next())
        result.append({table.asString("PODJETJE"), table.asString("ServerName"), table.asString("DataBaseName")});
    table.close();
    return result;
}

void StoreCompany(const QString& path, const CompanyEntry& company)
{
    checkEntry(company);
    QList<CompanyEntry> companies = ReadCompanyList(path);
    bool replaced = false;
    for (CompanyEntry& c : companies)
        if (c.podjetje.compare(company.podjetje, Qt::CaseInsensitive) == 0) {
            c = company;
            replaced = true;
        }
    if (!replaced)
        companies.append(company);
    writeAll(path, companies);
}

bool RemoveCompany(const QString& path, const QString& podjetje)
{
    QList<CompanyEntry> companies = ReadCompanyList(path);
    const auto removed = companies.removeIf([&](const CompanyEntry& c) {
        return c.podjetje.compare(podjetje, Qt::CaseInsensitive) == 0;
    });
    if (removed == 0)
        return false;
    writeAll(path, companies);
    return true;
}
