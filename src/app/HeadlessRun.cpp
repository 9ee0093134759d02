#include "HeadlessRun.h"

#include "HeadlessMessageBoxes.h"
#include "HeadlessSignIn.h"
#include "ListingCommand.h"
#include "StartupConfiguration.h"
#include "ToolCommandLine.h"

#include "data/DataSif.h"
#include "data/log/ErrorLog.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/SqlFilter.h"
#include "data/DataSifRoutines.h"
#include "data/TableRoutines.h"
#include "generation/GenerationCommand.h"
#include "printing/PrintingRun.h"
#include "printing/ReportCatalogue.h"
#include "printing/ReportFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>


namespace {
QDate parseDay(const QString& option, const QString& text)
{
    const QDate day = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid() || text.size() != 10)
        throw HeadlessUsageError("Izbira " + option + " zahteva datum v obliki LLLL-MM-DD (na primer 2025-03-01), ne \""
                                 + text + "\".");
    return day;
}

QString firstLine(const QString& text)
{
    QString line = text.section(u'\n', 0, 0);
    if (line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

QString oneLine(const QString& text)
{
    QStringList parts = text.split(QRegularExpression(QStringLiteral("[\\r\\n]+")), Qt::SkipEmptyParts);
    for (QString& p : parts)
        p = p.trimmed();
    return parts.join(QStringLiteral(" "));
}

// What the start-up read asks of a window: nothing.
class NoWindow : public StartupView {};
} // namespace

HeadlessRunOptions parseHeadlessRunArguments(const QStringList& arguments)
{
    ToolCommandLine line;
    for (const char* name : {"ini", "user", "password-file", "period-from", "date", "partner", "event", "pdf", "html",
                             "xlsx", "csv-report"})
        line.addValueOption(QString::fromLatin1(name));
    for (const char* name : {"dry-run", "csv"})
        line.addFlag(QString::fromLatin1(name));
    line.refuse({QStringLiteral("password"), QStringLiteral("p"), QStringLiteral("pass")},
                "Gesla ni dovoljeno podati v ukazni vrstici: uporabi --password-file DATOTEKA, "
                "--password-file - (standardni vhod) ali spremenljivko okolja "
                    + PasswordEnvironmentVariable + ".");
    try {
        line.parse(arguments, QStringLiteral("Odvečen argument: "));
    } catch (const CommandLineError& e) {
        throw HeadlessUsageError(e.message());
    }
    auto has = [&](const char* name) { return line.isSet(QString::fromLatin1(name)); };
    auto value = [&](const char* name) { return line.value(QString::fromLatin1(name)); };

    HeadlessRunOptions o;
    o.help = line.helpRequested();
    o.version = line.versionRequested();
    if (o.help || o.version)
        return o;
    o.dryRun = has("dry-run");
    o.csv = has("csv");
    if (o.csv && !o.dryRun)
        throw HeadlessUsageError("Izbira --csv velja le skupaj z --dry-run.");
    o.iniFile = value("ini");
    if (has("ini") && o.iniFile.isEmpty())
        throw HeadlessUsageError("Ime nastavitvene datoteke (--ini) je prazno.");
    o.user = value("user").trimmed();
    if (o.user.isEmpty())
        throw HeadlessUsageError("Manjka uporabnik: --user ŠIFRA.");
    o.passwordFile = value("password-file");
    if (has("password-file") && o.passwordFile.isEmpty())
        throw HeadlessUsageError("Ime datoteke z geslom (--password-file) je prazno.");
    if (!has("period-from"))
        throw HeadlessUsageError("Manjka začetek obdobja: --period-from LLLL-MM-DD (\"Za obdobje od:\").");
    o.periodFrom = parseDay("--period-from", value("period-from"));
    if (has("date"))
        o.date = parseDay("--date", value("date"));
    else if (!o.dryRun)
        throw HeadlessUsageError("Manjka datum dokumentov: --date LLLL-MM-DD (\"Datum dokumentov:\").");
    o.partner = value("partner");
    o.event = value("event");
    const struct {
        const char* option;
        const char* extension;
    } reportFiles[] = {{"pdf", "pdf"}, {"html", "htm"}, {"xlsx", "xlsx"}, {"csv-report", "csv"}};
    for (const auto& f : reportFiles) {
        if (!has(f.option))
            continue;
        const QString option = QStringLiteral("--") + QString::fromLatin1(f.option);
        if (!o.dryRun)
            throw HeadlessUsageError("Izbira " + option + " velja le skupaj z --dry-run.");
        if (value(f.option).trimmed().isEmpty())
            throw HeadlessUsageError("Ime datoteke izbire " + option + " je prazno.");
        o.reportFiles.append({QString::fromLatin1(f.extension), value(f.option)});
    }
    return o;
}

QString headlessRunUsage()
{
    return QStringLiteral(
        "Uporaba: obdrac-run [--ini DATOTEKA] --user ŠIFRA [--password-file DATOTEKA]\n"
        "                    --period-from LLLL-MM-DD --date LLLL-MM-DD\n"
        "                    [--partner BESEDILO] [--event BESEDILO] [--dry-run [--csv]]\n"
        "                    [--pdf DATOTEKA] [--html DATOTEKA] [--xlsx DATOTEKA] [--csv-report DATOTEKA]\n"
        "\n"
        "Kreiranje računov in naročil iz zapadlih periodik, enako kot gumb \"Kreiranje\".\n"
        "  --ini DATOTEKA            nastavitvena datoteka (privzeto Vektor.INI)\n"
        "  --user ŠIFRA              uporabnik, ki se prijavi\n"
        "  --password-file DATOTEKA  geslo uporabnika iz prve vrstice datoteke ('-': standardni vhod);\n"
        "                            brez te izbire iz spremenljivke okolja OBDRAC_PASSWORD\n"
        "  --period-from DATUM       \"Za obdobje od:\" (prvi dan obdobja)\n"
        "  --date DATUM              \"Datum dokumentov:\"\n"
        "  --partner BESEDILO        samo za partnerja (z % ali _ kot vzorec)\n"
        "  --event BESEDILO          samo za poslovni dogodek dokumentov (z % ali _ kot vzorec)\n"
        "  --dry-run                 nič ne zapiše: izpiše, kaj bi kreiranje naredilo (kot \"Izpis\")\n"
        "  --csv                     izpis v obliki CSV (z --dry-run)\n"
        "  --pdf DATOTEKA            z --dry-run: izpis, kot ga natisne \"Izpis\" (poročilo ObdracIzpis), v PDF\n"
        "  --html DATOTEKA           ... v HTML\n"
        "  --xlsx DATOTEKA           ... v preglednico (.xlsx)\n"
        "  --csv-report DATOTEKA     ... v CSV (\";\", vrstica na postavko)\n"
        "  -h, --help                ta pomoč\n"
        "  --version                 verzija in build programa\n"
        "Izhodna koda: 0 vse zapisano, 1 nekateri dokumenti niso zapisani, 2 kreiranje se ni začelo\n"
        "(napačni argumenti, nastavitve, baza, prijava ali kreiranje že teče), 3 kreiranje prekinjeno\n"
        "zaradi napake.\n");
}

HeadlessRun::HeadlessRun(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}

HeadlessRun::~HeadlessRun()
{
    if (DataSif == m_module.get())
        DataSif = nullptr;
}

void HeadlessRun::printError(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_err << t << Qt::endl;
}

int HeadlessRun::run(const QStringList& arguments)
{
    HeadlessRunOptions options;
    try {
        options = parseHeadlessRunArguments(arguments);
    } catch (const HeadlessUsageError& e) {
        printError(e.message());
        m_err << "Pomoč: obdrac-run --help" << Qt::endl;
        return RunExit::NotStarted;
    }
    if (options.help) {
        m_out << headlessRunUsage() << Qt::flush;
        return RunExit::Done;
    }
    if (options.version) {
        m_out << toolVersionText(QStringLiteral("obdrac-run")) << Qt::endl;
        return RunExit::Done;
    }
    return run(options);
}

int HeadlessRun::run(const HeadlessRunOptions& options)
{
    HeadlessMessageBoxes boxes(m_err);
    if (!start(options))
        return RunExit::NotStarted;
    reportUnmatchedCriteria(options);
    return options.dryRun ? list(options) : generate(options);
}

void HeadlessRun::reportUnmatchedCriteria(const HeadlessRunOptions& options)
{
    // A partner or business event that names no template at all is most likely mistyped, or a
    // beginning of a name meant as a pattern: said before the run, which then finds nothing.
    struct Criterion {
        const char* option;
        QString column;
        QString value;
        QString what;
    };
    const Criterion criteria[] = {
        {"--partner", QStringLiteral("G.Subjekt"), options.partner, QStringLiteral("partnerja ali tipa partnerja")},
        {"--event", QStringLiteral("G.PoslDogFak"), options.event, QStringLiteral("poslovnega dogodka dokumentov")},
    };
    for (const Criterion& c : criteria) {
        if (c.value.isEmpty())
            continue;
        try {
            QString where = QStringLiteral("1 = 1");
            MakeFilterStrSQL(where, c.column, c.value, true);
            if (GetQueryRecordCount(QStringLiteral("Obdrac G"), where) > 0)
                continue;
        } catch (const std::exception& e) {
            LogException(e, nullptr, QStringLiteral("obdrac-run"));
            continue;
        }
        const bool pattern = c.value.contains(u'%') || c.value.contains(u'_');
        printError(QStringLiteral("Nobena periodika nima %1 \"%2\" (%3).").arg(c.what, c.value, QString::fromLatin1(c.option))
                   + (pattern ? QString()
                              : QStringLiteral(" Brez % se ime primerja natanko; s % je vzorec: \"%1%\" izbere vse, "
                                               "ki se začnejo s \"%1\".")
                                    .arg(c.value)));
    }
}

bool HeadlessRun::readPassword(const HeadlessRunOptions& options, QString& password)
{
    if (options.passwordFile.isEmpty()) {
        password = qEnvironmentVariable(PasswordEnvironmentVariable.toLatin1().constData());
        return true;
    }
    if (options.passwordFile == QLatin1String("-")) {
        if (!readStdin) {
            printError(QStringLiteral("Standardnega vhoda ni mogoče brati."));
            return false;
        }
        password = firstLine(readStdin());
        return true;
    }
    QFile file(options.passwordFile);
    if (!file.open(QIODevice::ReadOnly)) {
        printError("Datoteke z geslom " + options.passwordFile + " ni mogoče brati: " + file.errorString());
        return false;
    }
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (file.permissions() & others)
        printError("Opozorilo: datoteko z geslom " + options.passwordFile
                   + " lahko berejo tudi drugi uporabniki (priporočeno: chmod 600).");
    password = firstLine(QString::fromUtf8(file.readAll()));
    return true;
}

bool HeadlessRun::start(const HeadlessRunOptions& options)
{
    QString password;
    if (!readPassword(options, password))
        return false;

    // The configuration, as the main window reads it at its creation (without the version check,
    // which may start an installer).
    StartupOptions startup;
    startup.arguments = QStringList{QStringLiteral("obdrac-run")};
    if (!options.iniFile.isEmpty())
        startup.arguments << options.iniFile;
    startup.runVersionCheck = false;
    NoWindow view;
    if (!readStartupConfiguration(startup, view)) {
        printError("Nastavitev ni mogoče prebrati iz " + programIniFile().fileName() + " !");
        return false;
    }
    if (!programIniFile().exists()) {
        printError("Nastavitvena datoteka " + programIniFile().fileName() + " ne obstaja !");
        return false;
    }

    // The data module: connections by the configuration's section Database.
    m_module = std::make_unique<TDataSif>();
    DataSif = m_module.get();
    m_module->DataSifCreate();
    if (!m_module->Database.Connected() || !m_module->DatabaseHstmt.Connected() || !m_module->tbParameter->Active()) {
        printError(QStringLiteral("Povezava s podatkovno bazo podjetja ni uspela; kreiranje se ni začelo."));
        return false;
    }

    HeadlessSignIn signIn;
    if (!signIn.signIn(options.user, password)) {
        printError(signIn.refusal());
        printError("Prijava uporabnika " + options.user + " ni uspela; kreiranje se ni začelo.");
        return false;
    }
    return true;
}

int HeadlessRun::generate(const HeadlessRunOptions& options)
{
    GenerationCriteria criteria;
    criteria.DatumKont = options.periodFrom;
    criteria.Datum = options.date;
    criteria.Subjekt = options.partner;
    criteria.PoslDog = options.event;
    GenerationCallbacks callbacks;
    // One line per document: a reason that runs over several lines (a database message) is
    // joined into one.
    callbacks.logLine = [this](const QString& line) { m_out << oneLine(line) << Qt::endl; };

    const GenerationResult result = bKreiranjeClick(criteria, callbacks);
    switch (result.outcome) {
    case GenerationResult::Outcome::Refused:
        m_out << "Kreiranje se ni začelo." << Qt::endl;
        return RunExit::NotStarted;
    case GenerationResult::Outcome::Cancelled:   // the question is answered OK: not reached
        m_out << "Kreiranje je bilo preklicano." << Qt::endl;
        return RunExit::NotStarted;
    case GenerationResult::Outcome::Completed:
    case GenerationResult::Outcome::Failed:
        break;
    }
    for (const QString& line : result.summaryLines())
        m_out << oneLine(line) << Qt::endl;
    if (result.outcome == GenerationResult::Outcome::Failed)
        return RunExit::BrokenOff;
    return result.exitCode() == 1 ? RunExit::NotAllWritten : RunExit::Done;
}

int HeadlessRun::writeReportFiles(const HeadlessRunOptions& options, const GenerationCriteria& criteria)
{
    if (options.reportFiles.isEmpty())
        return RunExit::Done;
    TDataSif& module = requireDataSif();
    installReportCatalogue(module);
    int exit = RunExit::Done;
    for (const auto& [extension, path] : options.reportFiles) {
        const ReportFileResult r =
            writeReportFile(ReportStartDataSet(module.tbNapaka, QStringLiteral("tbNapaka")), ListingFormName,
                            ListingDefaultCode, listingCriteria(criteria, &module.tbNapaka), extension, path);
        switch (r.outcome) {
        case ReportFileResult::Outcome::Written:
            if (!options.csv)
                m_out << "Izpis zapisan v " << path << " (strani: " << r.pages << ")." << Qt::endl;
            break;
        case ReportFileResult::Outcome::NotStarted:
            // The start's own message went to the error stream; an empty listing is no failure.
            if (r.stop != ReportStartStop::Empty)
                exit = std::max(exit, RunExit::NotStarted);
            break;
        case ReportFileResult::Outcome::Failed:
            printError(r.error);
            exit = RunExit::BrokenOff;
            break;
        }
    }
    return exit;
}

int HeadlessRun::list(const HeadlessRunOptions& options)
{
    GenerationCriteria criteria;
    criteria.DatumKont = options.periodFrom;
    criteria.Datum = options.date.isValid() ? options.date : options.periodFrom;
    criteria.Subjekt = options.partner;
    criteria.PoslDog = options.event;
    const ListingResult result = runListingCommand(criteria);
    QList<ListingRow> rows;
    try {
        rows = readListingRows(requireDataSif().tbNapaka);
    } catch (const std::exception& e) {
        LogException(e, nullptr, QStringLiteral("bIzpisClick"));
        printError(describeException(e).message);
        return RunExit::BrokenOff;
    }
    if (options.csv) {
        m_out << listingCsvHeader() << '\n';
        for (const ListingRow& row : rows)
            m_out << listingCsvLine(row) << '\n';
        m_out.flush();
    } else {
        m_out << listingTextHeader() << '\n';
        for (const ListingRow& row : rows)
            m_out << listingTextLine(row) << '\n';
        for (const QString& line : result.notMade)
            m_out << line << '\n';
        m_out << "Vrstic izpisa: " << rows.size() << " (nič ni zapisano v bazo podjetja)." << Qt::endl;
    }
    if (options.csv)   // the CSV stays clean: what would not be made goes to the error stream
        for (const QString& line : result.notMade)
            printError(line);
    if (!result.notMade.isEmpty())
        printError(QStringLiteral("Zapadlih periodik brez dokumenta: %1.").arg(result.notMade.size()));
    if (result.outcome == ListingResult::Outcome::Failed) {
        printError("Izpis je bil prekinjen zaradi napake: " + result.error);
        return RunExit::BrokenOff;
    }
    const int files = writeReportFiles(options, criteria);
    return std::max(files, result.notMade.isEmpty() ? int(RunExit::Done) : int(RunExit::NotAllWritten));
}
