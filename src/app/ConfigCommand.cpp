#include "app/ConfigCommand.h"
#include "app/ToolCommandLine.h"

#include "data/config/CompanyList.h"
#include "data/config/IniFile.h"
#include "data/local/LocalStoreError.h"
#include "data/local/LocalTable.h"
#include "data/config/RegistryFileWriter.h"
#include "data/config/RegistryStore.h"
#include "data/config/Scrambling.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include "ReportInstallCommand.h"

#include <QSet>
#include <QTextStream>

#include <optional>
#include <stdexcept>

namespace {
const QSet<QString> ValueOptions = {"--registry", "--sql-user", "--sql-password-file", "--temp-path",
                                    "--upgrade-path", "--company-list", "--ini", "--company",
                                    "--server", "--database", "--remove-company"};
const QSet<QString> FlagOptions = {"--system", "--sql-password-env", "--show", "--install-reports"};
const QString PasswordEnv = QStringLiteral("OBDRAC_SQL_PASSWORD");

struct UsageError : std::runtime_error {
    explicit UsageError(const QString& m) : std::runtime_error(m.toStdString()) {}
};
struct RunError : std::runtime_error {
    explicit RunError(const QString& m) : std::runtime_error(m.toStdString()) {}
};

struct Options {
    QMap<QString, QString> values;
    QSet<QString> flags;
    bool has(const QString& o) const { return values.contains(o); }
    QString value(const QString& o) const { return values.value(o); }
};

Options parse(const QStringList& args)
{
    ToolCommandLine line;
    for (const QString& name : ValueOptions)
        line.addValueOption(name.mid(2));
    for (const QString& name : FlagOptions)
        line.addFlag(name.mid(2));
    line.refuse({QStringLiteral("sql-password"), QStringLiteral("password")},
                "Gesla ni dovoljeno podati v ukazni vrstici: uporabi --sql-password-file DATOTEKA, "
                "--sql-password-file - (standardni vhod) ali --sql-password-env ("
                    + PasswordEnv + ").");
    try {
        line.parse(args, QStringLiteral("Neznana izbira: "));
    } catch (const CommandLineError& e) {
        throw UsageError(e.message());
    }
    Options o;
    for (const QString& name : ValueOptions)
        if (line.isSet(name.mid(2)))
            o.values.insert(name, line.value(name.mid(2)));
    for (const QString& name : FlagOptions)
        if (line.isSet(name.mid(2)))
            o.flags.insert(name);
    if (line.helpRequested())
        o.flags.insert(QStringLiteral("--help"));
    if (line.versionRequested())
        o.flags.insert(QStringLiteral("--version"));
    return o;
}

QString firstLine(const QString& text)
{
    QString line = text.section(u'\n', 0, 0);
    if (line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

std::optional<QString> passwordFrom(const Options& o, const ConfigCommandIo& io)
{
    if (o.has("--sql-password-file") && o.flags.contains("--sql-password-env"))
        throw UsageError("Geslo je lahko podano le na en način.");
    if (o.has("--sql-password-file")) {
        const QString name = o.value("--sql-password-file");
        if (name == "-") {
            if (!io.readStdin)
                throw RunError("Standardnega vhoda ni mogoče brati.");
            return firstLine(io.readStdin());
        }
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            throw RunError("Datoteke z geslom " + name + " ni mogoče brati: " + file.errorString());
        return firstLine(QString::fromUtf8(file.readAll()));
    }
    const bool envSet = qEnvironmentVariableIsSet(PasswordEnv.toLatin1().constData());
    if (o.flags.contains("--sql-password-env")) {
        if (!envSet)
            throw UsageError("Spremenljivka okolja " + PasswordEnv + " ni nastavljena.");
        return qEnvironmentVariable(PasswordEnv.toLatin1().constData());
    }
    // With a user name and no other source, a password in the environment goes with it.
    if (o.has("--sql-user") && envSet)
        return qEnvironmentVariable(PasswordEnv.toLatin1().constData());
    return std::nullopt;
}

QString registryFile(const Options& o)
{
    if (o.has("--registry") && o.flags.contains("--system"))
        throw UsageError("Izbiri --registry in --system se izključujeta.");
    if (o.has("--registry")) {
        if (o.value("--registry").isEmpty())
            throw UsageError("Ime datoteke registra je prazno.");
        return o.value("--registry");
    }
    if (o.flags.contains("--system"))
        return RegistryStore::machineFile();
    return RegistryStore::defaultWriteFile();
}

QString companyListFile(const Options& o)
{
    if (o.has("--company-list") && o.has("--ini"))
        throw UsageError("Izbiri --company-list in --ini se izključujeta.");
    if (o.has("--company-list")) {
        const QString path = o.value("--company-list");
        if (path.endsWith(u'/') || path.endsWith(u'\\') || QFileInfo(path).isDir())
            return CompanyListPath(path);
        return path;
    }
    const QString ini = IniFile::resolveFileName(o.has("--ini") ? o.value("--ini") : QString("Vektor.INI"));
    return CompanyListPath(IniFile(ini).readString("Database", "TablePodPath", "c:\\"));
}

void show(const QString& regFile, const QString& listFile, QTextStream& out)
{
    const IniFile reg(regFile);
    auto value = [&](const QString& key, const QString& name) -> std::optional<QString> {
        for (const QString& s : reg.sections()) {
            QString k = s;
            k.replace(u'/', u'\\');
            if (k.endsWith(key, Qt::CaseInsensitive))
                return reg.value(s, name);
        }
        return std::nullopt;
    };
    out << "Register: " << regFile << (reg.exists() ? "" : " (ne obstaja)") << "\n";
    out << "  UserName=" << value(RegistrySqlKey, "UserName").value_or("(ni nastavljeno)") << "\n";
    out << "  Password=" << (value(RegistrySqlKey, "Password") ? "(nastavljeno)" : "(ni nastavljeno)") << "\n";
    out << "  PotDoTempa=" << value(RegistryUpgradeKey, "PotDoTempa").value_or("(ni nastavljeno)") << "\n";
    out << "  NovaVerzijaPath=" << value(RegistryUpgradeKey, "NovaVerzijaPath").value_or("(ni nastavljeno)") << "\n";
    out << "Seznam podjetij: " << listFile;
    if (!CompanyListExists(listFile)) {
        out << " (ne obstaja)\n";
        return;
    }
    out << "\n";
    for (const CompanyEntry& c : ReadCompanyList(listFile))
        out << "  " << c.podjetje << " | " << c.serverName << " | " << c.dataBaseName << "\n";
}
} // namespace

QString ConfigCommandUsage()
{
    return QStringLiteral(
        "Uporaba: obdrac-config [izbire]\n"
        "Nastavitve delovne postaje za periodično fakturiranje.\n"
        "\n"
        "Register (prijava v bazo in nadgradnje):\n"
        "  --registry DATOTEKA        datoteka registra (privzeto $OBDRAC_REGISTRY, sicer\n"
        "                             ~/.config/obdrac/registry.ini)\n"
        "  --system                   datoteka za ves računalnik /etc/obdrac/registry.ini\n"
        "  --sql-user UPORABNIK       uporabniško ime za bazo (UserName)\n"
        "  --sql-password-file DAT    geslo za bazo iz prve vrstice datoteke; '-' bere standardni vhod\n"
        "  --sql-password-env         geslo za bazo iz spremenljivke okolja OBDRAC_SQL_PASSWORD\n"
        "                             (z --sql-user se ta spremenljivka upošteva tudi sama)\n"
        "  --temp-path MAPA           mapa nove verzije programa (PotDoTempa)\n"
        "  --upgrade-path DATOTEKA    namestitveni program nove verzije (NovaVerzijaPath)\n"
        "\n"
        "Seznam podjetij (Podjetje.DB):\n"
        "  --company-list POT         datoteka ali mapa seznama (privzeto mapa TablePodPath iz INI)\n"
        "  --ini DATOTEKA             INI datoteka programa (privzeto Vektor.INI)\n"
        "  --company IME --server STREŽNIK --database BAZA\n"
        "                             doda podjetje ali spremeni obstoječe\n"
        "  --remove-company IME       odstrani podjetje\n"
        "\n"
        "  --show                     izpiše nastavitve (geslo ne)\n"
        "  --install-reports          namesti vgrajene izpise (27K ...) v bazo podjetja iz INI\n"
        "                             datoteke (--ini); uporabniških izpisov (A00 ...) ne spreminja\n"
        "  -h, --help                 ta pomoč\n"
        "  --version                  verzija in build programa\n"
        "\n"
        "Gesla ni mogoče podati v ukazni vrstici.\n");
}

int RunConfigCommand(const QStringList& arguments, const ConfigCommandIo& io)
{
    QTextStream& out = *io.out;
    QTextStream& err = *io.err;
    try {
        const Options o = parse(arguments);
        if (o.flags.contains("--help") || arguments.isEmpty()) {
            out << ConfigCommandUsage();
            out.flush();
            return arguments.isEmpty() ? 2 : 0;
        }
        if (o.flags.contains("--version")) {
            out << toolVersionText(QStringLiteral("obdrac-config")) << "\n";
            out.flush();
            return 0;
        }
        // Everything is checked before anything is written.
        const QString regFile = registryFile(o);
        const std::optional<QString> password = passwordFrom(o, io);
        const bool companyOptions = o.has("--company") || o.has("--server") || o.has("--database");
        if (companyOptions && !(o.has("--company") && o.has("--server") && o.has("--database")))
            throw UsageError("Za podjetje so potrebne vse tri izbire: --company, --server in --database.");
        std::optional<CompanyEntry> company;
        if (companyOptions) {
            company = CompanyEntry{o.value("--company").trimmed(), o.value("--server").trimmed(),
                                   o.value("--database").trimmed()};
            if (company->podjetje.isEmpty())
                throw UsageError("Ime podjetja je prazno.");
            if (company->podjetje.size() > CompanyNameSize)
                throw UsageError(QString("Ime podjetja je daljše od %1 znakov.").arg(CompanyNameSize));
            if (company->serverName.size() > CompanyServerNameSize || company->dataBaseName.size() > CompanyDataBaseNameSize)
                throw UsageError("Ime strežnika ali baze je predolgo.");
        }
        const bool listOptions = companyOptions || o.has("--remove-company");
        const bool wantShow = o.flags.contains("--show");
        const bool wantReports = o.flags.contains("--install-reports");
        if (wantReports && o.has("--company-list"))
            throw UsageError("Izbira --install-reports bere podjetje iz INI datoteke (--ini), ne iz --company-list.");
        const QString listFile = (listOptions || wantShow) ? companyListFile(o) : QString();
        if (!o.has("--sql-user") && !password && !o.has("--temp-path") && !o.has("--upgrade-path") && !listOptions
            && !wantShow && !wantReports)
            throw UsageError("Ni ničesar za nastaviti.");

        if (o.has("--sql-user")) {
            WriteSqlUserName(regFile, o.value("--sql-user"));
            out << "UserName zapisan v " << regFile << "\n";
        }
        if (password) {
            WriteSqlPassword(regFile, *password);
            out << "Password zapisan v " << regFile << "\n";
        }
        if (o.has("--temp-path")) {
            WriteUpgradeTempPath(regFile, o.value("--temp-path"));
            out << "PotDoTempa zapisan v " << regFile << "\n";
        }
        if (o.has("--upgrade-path")) {
            WriteUpgradeProgramPath(regFile, o.value("--upgrade-path"));
            out << "NovaVerzijaPath zapisan v " << regFile << "\n";
        }
        if (company) {
            StoreCompany(listFile, *company);
            out << "Podjetje " << company->podjetje << " zapisano v " << LocalTable::pathOf(listFile) << "\n";
        }
        if (o.has("--remove-company")) {
            if (!RemoveCompany(listFile, o.value("--remove-company").trimmed()))
                throw RunError("Podjetja " + o.value("--remove-company") + " ni v seznamu.");
            out << "Podjetje " << o.value("--remove-company") << " odstranjeno.\n";
        }
        if (wantShow)
            show(regFile, listFile, out);
        // Last: it connects with the login written above.
        if (wantReports) {
            out.flush();
            installReportsCommand(o.value("--ini"), out);
        }
        out.flush();
        return 0;
    } catch (const UsageError& e) {
        err << "obdrac-config: " << QString::fromUtf8(e.what()) << "\n"
            << "Pomoč: obdrac-config --help\n";
        err.flush();
        return 2;
    } catch (const std::exception& e) {
        out.flush();
        err << "obdrac-config: " << QString::fromUtf8(e.what()) << "\n";
        err.flush();
        return 1;
    }
}
