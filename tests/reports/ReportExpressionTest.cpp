#include "ExpressionTestScope.h"

#include "reports/PreparedReport.h"
#include "reports/ReportFormat.h"

#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct ExprCase {
    const char* text;
    const char* result;   // the value as reportText shows it, or the error's start
    int errorColumn;      // 0: no error; else 1-based column of the error
};

class ReportExpressionTable : public ::testing::TestWithParam<ExprCase> {};

}   // namespace

TEST_P(ReportExpressionTable, EvaluatesOrReportsThePosition)
{
    const ExprCase& c = GetParam();
    const ReportExpression e = ReportExpression::parse(QString::fromUtf8(c.text));
    ExpressionTestScope scope;
    QString got;
    int column = 0;
    if (!e.isValid()) {
        got = e.error().message;
        column = e.error().position + 1;
    } else {
        const ReportEvalResult r = evaluateReportExpression(*e.root(), scope);
        if (r.ok()) {
            got = reportText(r.value);
        } else {
            got = r.error;
            column = r.position + 1;
        }
    }
    const QString want = QString::fromUtf8(c.result);
    EXPECT_TRUE(want.isEmpty() ? got.isEmpty() : got.startsWith(want)) << c.text << " gave: " << got.toStdString();
    EXPECT_EQ(column, c.errorColumn) << c.text << " gave: " << got.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Language, ReportExpressionTable, ::testing::Values(
    // numbers, precedence, signs
    ExprCase{"1 + 2 * 3", "7", 0},
    ExprCase{"(1 + 2) * 3", "9", 0},
    ExprCase{"-2 - -3", "1", 0},
    ExprCase{"10 / 4", "2,5", 0},
    ExprCase{"Kolicina * Cena * (1 - Rabat / 100)", "2777,625", 0},
    // texts, concatenation, functions
    ExprCase{"'Stran ' + PAGE + ' od ' + 7", "Stran 3 od 7", 0},
    ExprCase{"'it''s'", "it's", 0},
    ExprCase{"UPPER(TRIM(Subjekt))", "ČEBELARSTVO ŽUŽEK", 0},
    ExprCase{"LENGTH(TRIM(subjekt))", "17", 0},
    ExprCase{"COPY(TRIM(Subjekt), 1, 11)", "Čebelarstvo", 0},
    ExprCase{"COPY('abc', 5, 2)", "", 0},
    ExprCase{"FORMATNUMBER('#,##0.00', Cena * 1000)", "1.234.500,00", 0},
    ExprCase{"FORMATNUMBER('0.0', -0.06)", "-0,1", 0},
    ExprCase{"FORMATDATE('dd.mm.yyyy', Datum + 30)", "08.01.2027", 0},
    ExprCase{"FORMATDATE('d. m. yy', Datum)", "9. 12. 26", 0},
    ExprCase{"Datum - FORMATDATE('dd', Datum)", "30.11.2026", 0},
    ExprCase{"Datum - Subjekt", "vrednost", 9},
    ExprCase{"tbParameter.Naziv", "Podjetje d.o.o.", 0},
    ExprCase{"CRITERIA('obdobje')", "december 2026", 0},
    ExprCase{"CRITERIA('ni ga')", "", 0},
    ExprCase{"ROUND(2.675 * 100) / 100", "2,68", 0},
    ExprCase{"ROUND(Cena, -2)", "1200", 0},
    ExprCase{"ABS(-3)", "3", 0},
    ExprCase{"STR(12) + 3", "123", 0},
    ExprCase{"ISNULL(Prazno)", "Da", 0},
    ExprCase{"Prazno + 1", "1", 0},
    // comparisons and logic
    ExprCase{"IF(Cena > 1000, 'drago', 'poceni')", "drago", 0},
    ExprCase{"Rabat >= 10 AND NOT (Kolicina < 1)", "Da", 0},
    ExprCase{"Rabat <> 10 OR Subjekt = ''", "Ne", 0},
    ExprCase{"'abc' < 'abd'", "Da", 0},
    ExprCase{"Datum = Datum + 0", "Da", 0},
    ExprCase{"TRUE AND FALSE", "Ne", 0},
    ExprCase{"'10' = 10", "Da", 0},
    // totals, page and row
    ExprCase{"SUM(Cena) / 2", "21", 0},
    ExprCase{"COUNT()", "42", 0},
    ExprCase{"ROWNUMBER", "17", 0},
    ExprCase{"PAGE()", "3", 0},
    // errors, with their positions
    ExprCase{"", "izraz je prazen", 1},
    ExprCase{"1 +", "izraz se nepričakovano konča", 4},
    ExprCase{"(1 + 2", "manjka zaklepaj", 7},
    ExprCase{"1 + 2)", "odveč znaki", 6},
    ExprCase{"'abc", "besedilu manjka", 1},
    ExprCase{"Kolicina * Neznano", "neznano polje ali spremenljivka Neznano", 12},
    ExprCase{"tbNic.Polje", "neznano polje tbNic.Polje", 1},
    ExprCase{"FOO(1)", "neznana funkcija FOO", 1},
    ExprCase{"IF(1, 2)", "funkcija IF potrebuje 3", 1},
    ExprCase{"SUM(SUM(Cena))", "vsote ni mogoče gnezditi", 5},
    ExprCase{"1 / (Rabat - 10)", "deljenje z 0", 3},
    ExprCase{"Subjekt * 2", "vrednost", 1},
    ExprCase{"PAGECOUNT * 2", "s številom strani", 1},
    ExprCase{"12abc", "napačno število", 3},
    ExprCase{"1 # 2", "odveč znaki", 3},
    ExprCase{"ROUND(1, 99)", "ROUND", 1}));

TEST(ReportExpression, PageCountIsAMarkResolvedWhenPainted)
{
    const ReportExpression e = ReportExpression::parse(QStringLiteral("'Stran ' + PAGE + ' od ' + PAGECOUNT"));
    ExpressionTestScope scope;
    const ReportEvalResult r = evaluateReportExpression(*e.root(), scope);
    ASSERT_TRUE(r.ok());
    PreparedReport report;
    for (int i = 0; i < 5; ++i)
        report.addPage(QSizeF(210, 297));
    EXPECT_EQ(report.resolvedText(r.value.toString(), 2), QStringLiteral("Stran 3 od 5"));
}

TEST(ReportExpression, IniReadsTheConfigurationFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vektor.INI"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Dodatno]\nNogaIzpisa=Pripravil: Žiga\n");
    f.close();
    ExpressionTestScope scope;
    scope.ctx.iniFilePath = path;
    auto eval = [&](const QString& text) {
        const ReportExpression e = ReportExpression::parse(text);
        return reportText(evaluateReportExpression(*e.root(), scope).value);
    };
    EXPECT_EQ(eval(QStringLiteral("INI('Dodatno', 'NogaIzpisa', '-')")), QStringLiteral("Pripravil: Žiga"));
    EXPECT_EQ(eval(QStringLiteral("INI('Dodatno', 'Ni', 'privzeto')")), QStringLiteral("privzeto"));
    scope.ctx.iniFilePath = dir.filePath(QStringLiteral("ni.ini"));
    EXPECT_EQ(eval(QStringLiteral("INI('Dodatno', 'NogaIzpisa', 'brez')")), QStringLiteral("brez"));
}

TEST(ReportFormat, SlovenianNumbersAndDates)
{
    EXPECT_EQ(formatReportValue(1234.5, ReportFieldKind::Money, QString()), QStringLiteral("1.234,50"));
    EXPECT_EQ(formatReportValue(1234.5, ReportFieldKind::Number, QString()), QStringLiteral("1.234,5"));
    EXPECT_EQ(formatReportValue(-1234567.891, ReportFieldKind::Number, QStringLiteral("#,##0.00")), QStringLiteral("-1.234.567,89"));
    EXPECT_EQ(formatReportValue(QDate(2026, 1, 5), ReportFieldKind::Date, QString()), QStringLiteral("05.01.2026"));
    EXPECT_EQ(formatReportValue(QDateTime(QDate(2026, 1, 5), QTime(7, 3)), ReportFieldKind::Date, QString()), QStringLiteral("05.01.2026 07:03"));
    EXPECT_EQ(formatReportValue(QVariant(), ReportFieldKind::Money, QString()), QString());
    EXPECT_EQ(formatReportValue(true, ReportFieldKind::Boolean, QString()), QStringLiteral("Da"));
    EXPECT_EQ(formatReportValue(QStringLiteral("12.5"), ReportFieldKind::Number, QStringLiteral("0.00")), QStringLiteral("12,50"));
}
