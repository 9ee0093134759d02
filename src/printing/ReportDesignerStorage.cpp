#include "printing/ReportDesignerStorage.h"

#include "printing/ReportCatalogue.h"
#include "printing/ReportCodes.h"

#include "data/DataSif.h"
#include "data/SqlFilter.h"
#include "data/core/SqlLiterals.h"
#include "data/dataset/TField.h"
#include "data/dataset/TwwOEDataSet.h"
#include "data/odbc/THstmt.h"

#include <algorithm>
#include <set>

namespace {
constexpr int LastThreeDigitCode = 0xFFF;

QString codeText(int value) { return QString::number(value, 16).toUpper().rightJustified(3, u'0'); }

bool isUserCode(const QString& code)
{
    const std::optional<int> value = reportCodeValue(code);
    return value && *value >= FirstUserReportCode;
}

TwwOEDataSet& reportDataSet() { return *requireDataSif().Report; }

bool positionOn(const QString& code)
{
    TwwOEDataSet& report = reportDataSet();
    return sqlFindKey(report, QStringLiteral("REPORT"), QVariantList{code}, QString(), false);
}

// Runs body on Report in edit or insert state and posts; a failure cancels the change and
// travels on, so that the row stays as it was.
template <class Body>
void postChange(TwwOEDataSet& report, Body&& body)
{
    try {
        body();
        report.Post();
    } catch (...) {
        if (report.Active())
            report.Cancel();
        throw;
    }
}

void fillNewReport(TwwOEDataSet& report, const QString& code, const QString& name, const QString& formName,
                   const QByteArray& layout)
{
    report.FieldByName(QStringLiteral("REPORT")).setValue(code);
    report.FieldByName(QStringLiteral("NAZIV")).setValue(name);
    report.FieldByName(QStringLiteral("FORMNAME")).setValue(formName);
    report.FieldByName(QStringLiteral("PARENTFORMNAME")).setValue(formName);
    report.FieldByName(QStringLiteral("REPORTDATA")).setValue(layout);
}
} // namespace

std::vector<ReportListRow> reportsOfForm(const QString& formName)
{
    THstmt query(&requireDataSif().Database);
    query.setName(QStringLiteral("qReportList"));
    query.setSQL(QStringLiteral("SELECT Report, Naziv FROM Report WHERE FormName = ") + sqlQuotedStr(formName)
                 + QStringLiteral(" ORDER BY Report"));
    query.Execute();
    std::vector<ReportListRow> rows;
    while (query.FetchNext())
        rows.push_back({query.ColumnAsString(1).trimmed(), query.ColumnAsString(2)});
    query.Close();
    return rows;
}

DesignerReport openStoredReport(const QString& code, QByteArray* reportData)
{
    if (!positionOn(code))
        throw EReportSave(QStringLiteral("Izpisa s šifro ") + code + QStringLiteral(" ni v bazi !"));
    TwwOEDataSet& report = reportDataSet();
    if (reportData)
        *reportData = report.FieldByName(QStringLiteral("REPORTDATA")).value().toByteArray();
    return {report.FieldByName(QStringLiteral("REPORT")).asString().trimmed(),
            report.FieldByName(QStringLiteral("NAZIV")).asString(),
            report.FieldByName(QStringLiteral("FORMNAME")).asString()};
}

SaveAsTarget chooseSaveAsTarget(const std::vector<ReportListRow>& rows, const QString& typedName)
{
    const QString taken = QStringLiteral("Ime je že zasedeno! Prosim izberite drugo ime.");
    const QString name = typedName.trimmed();
    if (name.isEmpty())
        return {SaveAsTarget::Kind::Refused, QString(), QStringLiteral("Vpišite ime izpisa !")};
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name.trimmed() != name)
            continue;
        if (i == 0 || !isUserCode(rows[i].code))
            return {SaveAsTarget::Kind::Refused, QString(), taken};
        return {SaveAsTarget::Kind::Replace, rows[i].code, QString()};
    }
    return {SaveAsTarget::Kind::New, QString(), QString()};
}

QString replaceQuestion(const QString& name)
{
    return QStringLiteral("Ste preprićani, da želite zamenjati report: ") + name + QStringLiteral("?");
}

QString nextUserReportCode(const QStringList& codes)
{
    std::set<int> used;
    int highest = -1;
    for (const QString& code : codes) {
        if (const std::optional<int> value = reportCodeValue(code.trimmed())) {
            used.insert(*value);
            highest = std::max(highest, *value);
        }
    }
    int next = std::max(highest + 1, FirstUserReportCode);
    if (next <= LastThreeDigitCode)
        return codeText(next);
    for (next = FirstUserReportCode; next <= LastThreeDigitCode; ++next)
        if (!used.count(next))
            return codeText(next);
    throw EReportSave(QStringLiteral("Ni več prostih šifer za nove izpise (A00 do FFF so zasedene) !"));
}

QString nextUserReportCode()
{
    THstmt query(&requireDataSif().Database);
    query.setName(QStringLiteral("qReportCodes"));
    query.setSQL(QStringLiteral("SELECT Report FROM Report ORDER BY Report DESC"));
    query.Execute();
    QStringList codes;
    while (query.FetchNext())
        codes << query.ColumnAsString(1);
    query.Close();
    return nextUserReportCode(codes);
}

DesignerReport saveReportAs(const DesignerReport& current, const SaveAsTarget& target, const QString& typedName,
                            const QByteArray& layout)
{
    const QString name = typedName.trimmed();
    TwwOEDataSet& report = reportDataSet();
    QString code;
    switch (target.kind) {
    case SaveAsTarget::Kind::Refused:
        throw EReportSave(target.message);
    case SaveAsTarget::Kind::Replace:
        code = target.code;
        if (!positionOn(code))
            throw EReportSave(QStringLiteral("Izpisa s šifro ") + code + QStringLiteral(" ni več v bazi !"));
        // One UPDATE of the row: it becomes what a new row would be, or stays as it was.
        postChange(report, [&] {
            report.Edit();
            ReportNewRecord(report);
            fillNewReport(report, code, name, current.formName, layout);
        });
        break;
    case SaveAsTarget::Kind::New:
        code = nextUserReportCode();
        if (!report.Active())
            positionOn(current.code);
        postChange(report, [&] {
            report.Insert();
            if (!report.OnNewRecord)
                ReportNewRecord(report);
            fillNewReport(report, code, name, current.formName, layout);
        });
        break;
    }
    positionOn(code);
    return {code, name, current.formName};
}

bool saveNeedsSaveAs(const QString& code)
{
    const std::optional<int> value = reportCodeValue(code.trimmed());
    if (!value)
        throw EReportSave(QStringLiteral("Izpisa s šifro ") + code
                          + QStringLiteral(" ni mogoče shraniti pod njegovo šifro, ker šifra ni šestnajstiško število. "
                                           "Nič ni bilo shranjeno; svojo različico shranite z ukazom »Shrani kot«."));
    return *value < FirstUserReportCode;
}

void writeReportLayout(const QString& code, const QByteArray& layout)
{
    if (!positionOn(code))
        throw EReportSave(QStringLiteral("Izpisa s šifro ") + code + QStringLiteral(" ni v bazi !"));
    TwwOEDataSet& report = reportDataSet();
    postChange(report, [&] {
        report.Edit();
        report.FieldByName(QStringLiteral("REPORTDATA")).setValue(layout);
    });
}
