#include "ListingCommand.h"

#include "data/DataSif.h"
#include "data/log/ErrorLog.h"
#include "data/local/LocalTable.h"
#include "data/log/MessageBoxes.h"
#include "generation/ListingRun.h"

#include <cmath>
#include <memory>

namespace {
const QString Operation = QStringLiteral("bIzpisClick");

QString csvText(const QString& text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString padded(const QString& text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}
} // namespace

ListingResult runListingCommand(const GenerationCriteria& criteria, const std::function<void(int)>& progress)
{
    ListingResult result;
    std::unique_ptr<ListingRun> run;
    try {
        TDataSif& module = requireDataSif();
        // 1.
        createNapakaTable(module.tbNapaka);
        // 2.
        if (askConfirmation(QStringLiteral("Ali res želiš izpisati dokumente ?")) == MsgButton::Cancel) {
            result.outcome = ListingResult::Outcome::Cancelled;
            return result;
        }
        run = std::make_unique<ListingRun>(module.tbNapaka, criteria, progress);
        run->IzpisiIzdRac();
        run->IzpisiNaroc();
        result.rows = run->rowsWritten();
        result.notMade = run->notMade();
    } catch (...) {
        result.outcome = ListingResult::Outcome::Failed;
        result.rows = run ? run->rowsWritten() : 0;
        result.notMade = run ? run->notMade() : QStringList();
        result.error = describeException(std::current_exception()).message;
        LogCurrentException(nullptr, Operation);
        if (DataSif) {
            for (THstmt* s : {&DataSif->qQuery0, &DataSif->qQuery1, &DataSif->qQuery2}) {
                try {
                    s->Close();
                } catch (...) {
                }
            }
        }
        showError(result.error);
    }
    return result;
}

QList<ListingRow> readListingRows(LocalTable& table)
{
    QList<ListingRow> rows;
    for (bool more = table.first(); more; more = table.next()) {
        ListingRow row;
        row.zapSt = int(table.asInteger(QStringLiteral("ZapSt")));
        row.kljuc = table.asString(QStringLiteral("Kljuc"));
        row.tip = table.asString(QStringLiteral("Tip"));
        row.poslDog = table.asString(QStringLiteral("PoslDog"));
        row.subjekt = table.asString(QStringLiteral("Subjekt"));
        row.ident = table.asString(QStringLiteral("Ident"));
        row.kolicina = table.asFloat(QStringLiteral("Kolicina"));
        row.cena = table.asFloat(QStringLiteral("Cena"));
        row.rabat = table.asFloat(QStringLiteral("Rabat"));
        rows << row;
    }
    return rows;
}

QString listingNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    QString text = QString::number(value, 'f', 6);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

QString listingCsvHeader()
{
    return QStringLiteral("ZapSt;Kljuc;Tip;PoslDog;Subjekt;Ident;Kolicina;Cena;Rabat");
}

QString listingCsvLine(const ListingRow& row)
{
    return QStringList{QString::number(row.zapSt), csvText(row.kljuc), csvText(row.tip), csvText(row.poslDog),
                       csvText(row.subjekt), csvText(row.ident), listingNumber(row.kolicina),
                       listingNumber(row.cena), listingNumber(row.rabat)}
        .join(QLatin1Char(';'));
}

QString listingTextHeader()
{
    return padded(QStringLiteral("Zap."), 5) + padded(QStringLiteral("Periodika"), 10) + padded(QStringLiteral("Vrsta"), 9)
        + padded(QStringLiteral("PD"), 3) + padded(QStringLiteral("Partner"), 31) + padded(QStringLiteral("Ident"), 17)
        + QStringLiteral("Količina x Cena, Rabat");
}

QString listingTextLine(const ListingRow& row)
{
    return padded(QString::number(row.zapSt), 5) + padded(row.kljuc, 10) + padded(row.tip, 9) + padded(row.poslDog, 3)
        + padded(row.subjekt, 31) + padded(row.ident, 17) + listingNumber(row.kolicina) + QStringLiteral(" x ")
        + listingNumber(row.cena) + QStringLiteral(", rabat ") + listingNumber(row.rabat) + QStringLiteral(" %");
}
