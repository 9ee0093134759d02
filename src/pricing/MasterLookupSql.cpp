#include "pricing/MasterLookupSql.h"
#include "data/core/SqlLiterals.h"
#include "pricing/MasterRecordFields.h"

#include <QStringList>

namespace {

template <class Rec>
QString selectList(std::span<const RecordField<Rec>> fields, SqlDialect::Kind dialect = SqlDialect::Kind::SqlServer)
{
    QStringList names;
    names.reserve(qsizetype(fields.size()));
    for (const auto& f : fields) {
        QString name = QString::fromLatin1(f.name);
        if (dialect == SqlDialect::Kind::PostgreSQL && name == QLatin1String("Limit"))
            name = QStringLiteral("\"limit\"");
        names << name;
    }
    return QStringLiteral("SELECT ") + names.join(QStringLiteral(", ")) + QLatin1Char(' ');
}

// 'K1', 'K2', ... for an IN list.
QString quotedList(const QStringList& keys)
{
    QStringList quoted;
    quoted.reserve(keys.size());
    for (const QString& k : keys)
        quoted << sqlQuotedStr(k);
    return quoted.join(QStringLiteral(", "));
}

} // namespace

QString sqlFindMS(const QString& key)
{
    if (key.contains(QLatin1Char('%')))
        return selectList(msRecFields()) + "FROM MS WHERE Ident LIKE " + sqlQuotedStr(key) + " ORDER BY Ident";
    return selectList(msRecFields()) + "FROM MS WHERE Ident = " + sqlQuotedStr(key);
}

QString sqlFindSubj(const QString& key, SqlDialect::Kind dialect)
{
    return selectList(subjRecFields(), dialect) + "FROM Subjekt WHERE Naziv = " + sqlQuotedStr(key);
}

QString sqlFindSubjIn(const QStringList& keys, SqlDialect::Kind dialect)
{
    QString select = selectList(subjRecFields(), dialect);
    select.chop(1);   // the blank before FROM
    return select + ", Naziv FROM Subjekt WHERE Naziv IN (" + quotedList(keys) + ")";
}

QString sqlFindMSIn(const QStringList& keys)
{
    QString select = selectList(msRecFields());
    select.chop(1);   // the blank before FROM
    return select + ", Ident FROM MS WHERE Ident IN (" + quotedList(keys) + ")";
}

QString sqlFindPoslDog(const QString& key)
{
    return selectList(poslDogRecFields()) + "FROM PoslDog WHERE PoslDog = " + sqlQuotedStr(key);
}

QString sqlFindVrstaMS(const QString& key)
{
    return selectList(vrstaMSRecFields()) + "FROM VrstaMS WHERE VrstaMS = " + sqlQuotedStr(key);
}

QString sqlFindTarSt(const QString& key)
{
    return selectList(tarStRecFields()) + "FROM TarSt WHERE TS = " + sqlQuotedStr(key);
}

QString sqlFindMsForm(const QString& key)
{
    return selectList(msFormRecFields()) + "FROM MsFormula WHERE Sifra = " + sqlQuotedStr(key);
}

QString sqlFindSubjCenik(const QString& subjekt, const QString& ident, const QString& preIzd)
{
    return "SELECT Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok, RokPlacila "
           "FROM SubjektCenik WHERE Subjekt = "
        + sqlQuotedStr(subjekt) + " AND Ident = " + sqlQuotedStr(ident) + " AND PreIzd = " + sqlQuotedStr(preIzd);
}

QString sqlSubjCenikRows(const QString& subjekt, const QString& preIzd)
{
    return "SELECT Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok, RokPlacila "
           "FROM SubjektCenik WHERE Subjekt = "
        + sqlQuotedStr(subjekt) + " AND PreIzd = " + sqlQuotedStr(preIzd);
}

QString sqlSubjCenikRowsIn(const QStringList& subjekti, const QString& preIzd)
{
    return "SELECT Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok, RokPlacila "
           "FROM SubjektCenik WHERE Subjekt IN ("
        + quotedList(subjekti) + ") AND PreIzd = " + sqlQuotedStr(preIzd);
}

QString sqlSubjCenikSubjects(const QString& preIzd)
{
    return "SELECT DISTINCT Subjekt FROM SubjektCenik WHERE PreIzd = " + sqlQuotedStr(preIzd);
}

QString sqlFindSubjCenikFirst(const std::vector<std::pair<QString, QString>>& pairs, const QString& preIzd)
{
    QString order;
    QString where;
    for (size_t i = 0; i < pairs.size(); ++i) {
        const QString match =
            "Subjekt = " + sqlQuotedStr(pairs[i].first) + " AND Ident = " + sqlQuotedStr(pairs[i].second);
        order += " WHEN " + match + " THEN " + QString::number(i);
        where += (i == 0 ? "(" : " OR (") + match + ")";
    }
    return "SELECT Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok, RokPlacila, CASE" + order
        + " END AS Vrstni FROM SubjektCenik WHERE PreIzd = " + sqlQuotedStr(preIzd) + " AND (" + where
        + ") ORDER BY 11";
}

QString sqlPoisciTecaj(const QString& banka, const QString& valuta, const QDate& datum)
{
    return "SELECT Tecaj FROM Tecaj WHERE Banka = " + sqlQuotedStr(banka) + " AND Valuta = " + sqlQuotedStr(valuta)
        + " AND Datum <= " + sqlQuotedStr(DateToStrSQL(datum)) + " ORDER BY Datum DESC";
}

QString sqlPoisciKontOs(const QString& subjekt)
{
    return "SELECT KontOseba FROM KontOs WHERE Subjekt = " + sqlQuotedStr(subjekt) + " ORDER BY Poz";
}
