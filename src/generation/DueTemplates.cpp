#include "generation/DueTemplates.h"

#include "data/SqlFilter.h"
#include "data/core/SqlLiterals.h"

namespace {
const QString HasLines = QStringLiteral(" AND G.Kljuc IN (SELECT P.Kljuc FROM ObdracPoz P WHERE G.Kljuc = P.Kljuc)");
}

QString dueCondition(TemplateKind kind, const QDate& dueDate, const QString& subjekt, const QString& poslDog)
{
    const QString d = DateToStrSQL(dueDate);
    QString c = QStringLiteral(" AND G.Aktivno = 'T' AND (G.DatZadFak IS NULL OR G.DatZadFak + G.Periodika <= '") + d
        + QStringLiteral("') ");
    if (kind == TemplateKind::Invoice)
        c += QStringLiteral(" AND (G.DatZadFak IS NULL OR G.DatZadFak <= G.DatumZak) AND D.Vrsta = 'F' AND D.Tip = 'I' ");
    else
        c += QStringLiteral(" AND (G.DatZadFak IS NULL OR G.DatZadFak <= G.DatumZak) AND D.Vrsta = 'N' ");
    c += QStringLiteral(" AND G.Datum <= '") + d + QStringLiteral("' ");
    MakeFilterStrSQL(c, QStringLiteral("G.Subjekt"), subjekt, true);
    MakeFilterStrSQL(c, QStringLiteral("G.PoslDogFak"), poslDog, true);
    return c;
}

QString dueTemplatesTables()
{
    return QStringLiteral("Obdrac G, PoslDog D");
}

QString dueTemplatesCountWhere(const QString& condition)
{
    return QStringLiteral("G.PoslDogFak = D.PoslDog ") + condition + HasLines;
}

QString dueTemplatesSelect(TemplateKind kind, const QString& condition)
{
    QString sql = QStringLiteral("SELECT G.Kljuc, G.Subjekt, G.NacIzrCene, G.Tip, G.Periodika, G.Datum, G.DatZadFak, "
                                 "G.PoslDogFak, G.Valuta");
    if (kind == TemplateKind::Order)
        sql += QStringLiteral(", D.Tip");
    sql += QStringLiteral(" FROM Obdrac G, PoslDog D WHERE G.PoslDogFak = D.PoslDog ") + condition + HasLines
        + QStringLiteral(" ORDER BY G.Kljuc");
    return sql;
}

QString dueTemplatesBlockSelect(TemplateKind kind, const QString& condition, const QString* afterKey, int rows)
{
    QString after;
    if (afterKey)
        after = QStringLiteral(" AND G.Kljuc > ") + sqlQuotedStr(*afterKey);
    QString sql = dueTemplatesSelect(kind, condition + after);
    sql += QStringLiteral(" OFFSET 0 ROWS FETCH NEXT ") + QString::number(rows) + QStringLiteral(" ROWS ONLY");
    return sql;
}

QString partnersOfTypeSelect(const QString& partnerType)
{
    const QString t = sqlStrApostrof(partnerType);
    return QStringLiteral("SELECT Naziv FROM Subjekt WHERE TipPartnerjaI LIKE '") + t
        + QStringLiteral("' OR TipPartnerjaO LIKE '") + t + QStringLiteral("' ORDER BY Naziv");
}

QString templateLinesOfSelect(const QStringList& templateKeys)
{
    QString sql = QStringLiteral("SELECT Kljuc, Ident, Naziv, Kolicina, Cena, Rabat, Opomba FROM ObdracPoz WHERE Kljuc IN (");
    for (qsizetype i = 0; i < templateKeys.size(); ++i) {
        if (i > 0)
            sql += QLatin1Char(',');
        sql += sqlQuotedStr(templateKeys[i]);
    }
    return sql + QStringLiteral(") ORDER BY Kljuc, Poz");
}
