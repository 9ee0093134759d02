#include "printing/ShippedReports.h"

#include "printing/ReportCatalogue.h"
#include "printing/ReportCodes.h"
#include "printing/ReportStart.h"

#include "data/DataSif.h"
#include "data/core/Exception.h"
#include "data/dataset/TwwOEDataSet.h"

#include <QFile>

namespace {
const QString ResourceFolder = QStringLiteral(":/reports/");

QByteArray resource(const QString& file)
{
    QFile f(ResourceFolder + file);
    if (!f.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Vgrajeni izpis \"") + file + QStringLiteral("\" manjka."));
    return f.readAll();
}

void setIfChanged(TwwOEDataSet& ds, const QString& field, const QVariant& value, bool& changed)
{
    TField& f = ds.FieldByName(field);
    if (f.value() != value) {
        if (ds.State() == dsBrowse) {
            ds.Edit();
        }
        f.setValue(value);
        changed = true;
    }
}
} // namespace

std::vector<ShippedReport> shippedReports()
{
    std::vector<ShippedReport> list;
    const QStringList lines = QString::fromUtf8(resource(QStringLiteral("reports.tsv"))).split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (cells.size() != 4)
            throw Exception(QStringLiteral("Seznam vgrajenih izpisov je poškodovan: \"") + line + QStringLiteral("\""));
        ShippedReport r{cells[0].trimmed(), cells[1].trimmed(), cells[2].trimmed(), cells[3].trimmed()};
        const std::optional<int> value = reportCodeValue(r.code);
        if (r.code.isEmpty() || r.code.size() > 3 || (value && *value >= FirstUserReportCode))
            throw Exception(QStringLiteral("Vgrajeni izpis ima šifro uporabniškega izpisa: ") + r.code);
        list.push_back(r);
    }
    return list;
}

QByteArray shippedReportData(const ShippedReport& report)
{
    return resource(report.file);
}

std::vector<InstalledReport> installShippedReports(TDataSif& module)
{
    installReportCatalogue(module);
    TwwOEDataSet& ds = *module.Report;
    std::vector<InstalledReport> done;
    for (const ShippedReport& shipped : shippedReports()) {
        const QByteArray data = shippedReportData(shipped);
        InstalledReport result{shipped.code, InstalledReport::Action::Unchanged};
        bool changed = false;
        if (positionReport(shipped.code)) {
            result.action = InstalledReport::Action::Updated;
        } else {
            if (!ds.Active())
                ds.Open();
            ds.Append();
            ds.FieldByName(QStringLiteral("REPORT")).setValue(shipped.code);
            result.action = InstalledReport::Action::Added;
        }
        setIfChanged(ds, QStringLiteral("NAZIV"), shipped.name, changed);
        setIfChanged(ds, QStringLiteral("FORMNAME"), shipped.formName, changed);
        setIfChanged(ds, QStringLiteral("PARENTFORMNAME"), shipped.formName, changed);
        setIfChanged(ds, QStringLiteral("REPORTDATA"), data, changed);
        if (ds.State() != dsBrowse)
            ds.Post();
        if (!changed)
            result.action = InstalledReport::Action::Unchanged;
        done.push_back(result);
    }
    ds.Close();
    return done;
}
