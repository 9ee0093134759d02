#pragma once
#include <QList>
#include <QString>

class LocalTable;

// The workstation's list of companies, the local table "Podjetje.DB" in the folder of INI key
// Database/TablePodPath (default "c:\"): one row per company with the SQL server and database
// that hold its data, ordered by the company name (index on PODJETJE). The login offers it for
// the company switch; an administrator fills it (obdrac-config).
//
// Fields: PODJETJE text 30, ServerName and DataBaseName. The names of servers and databases get
// more room than the company name (a host name or a socket folder easily runs past 30
// characters, and a name cut short would point at another server).

inline const QString CompanyListFileName = QStringLiteral("Podjetje.DB");
inline constexpr int CompanyNameSize = 30;
inline constexpr int CompanyServerNameSize = 128;
inline constexpr int CompanyDataBaseNameSize = 128;

struct CompanyEntry {
    QString podjetje;
    QString serverName;
    QString dataBaseName;
    bool operator==(const CompanyEntry&) const = default;
};

// tablePodPath + "Podjetje.DB"; a folder written without a closing "\" or "/" gets one, an
// empty one stands for the current folder.
QString CompanyListPath(const QString& tablePodPath);
// The same for the folder named in the program's configuration file.
QString ProgramCompanyListPath();

// Sets the table's name to the path and defines its fields and index (for createTable).
void DefineCompanyTable(LocalTable& table, const QString& path);

// True when the list's file exists.
bool CompanyListExists(const QString& path);

// Every company in name order. A missing file gives an empty list; a damaged one raises
// LocalStoreError.
QList<CompanyEntry> ReadCompanyList(const QString& path);

// Adds the company, or changes the company of the same name (case ignored), creating the list
// when it does not exist yet. A name longer than the field is refused (LocalStoreError), as is
// an empty one, so that two companies never end up under one cut name.
void StoreCompany(const QString& path, const CompanyEntry& company);

// Removes the company of that name (case ignored); false when it is not in the list.
bool RemoveCompany(const QString& path, const QString& podjetje);
