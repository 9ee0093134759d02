#include "reports/export/ExportFilters.h"
#include "reports/export/ExportRows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <memory>

namespace {

struct WorkbookCloser {
    void operator()(lxw_workbook* w) const
    {
        if (w)
            workbook_close(w);
    }
};

// The number format of a cell from how it was printed: as many decimals as the text shows,
// grouping when the text groups.
QByteArray numberFormat(const QString& printed)
{
    const int comma = int(printed.lastIndexOf(QLatin1Char(',')));
    int decimals = 0;
    if (comma >= 0)
        while (comma + 1 + decimals < printed.size() && printed[comma + 1 + decimals].isDigit())
            ++decimals;
    QByteArray f = printed.contains(QLatin1Char('.')) || printed.size() > 4 ? "#,##0" : "0";
    if (decimals > 0)
        f += '.' + QByteArray(decimals, '0');
    return f;
}

}   // namespace

// One worksheet: a row per band (the first page header, column header, group headers, detail
// rows, group totals, totals), cells in the column of their left edge; numbers as numbers with
// the decimals they were printed with, dates as dates.
bool XlsxExportFilter::write(const PreparedReport& report, const QString& path, QString* error) const
{
    // libxlsxwriter writes its file in one go at close; a temporary name keeps an old file whole
    // when that fails.
    const QString temporary = path + QStringLiteral(".tmp");
    QFile::remove(temporary);
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    QTemporaryDir tmpdir;
    QByteArray tmpdirName = QFile::encodeName(tmpdir.path());
    options.tmpdir = tmpdir.isValid() ? tmpdirName.data() : nullptr;
    const QByteArray fileName = QFile::encodeName(temporary);
    std::unique_ptr<lxw_workbook, WorkbookCloser> book(workbook_new_opt(fileName.constData(), &options));
    if (!book) {
        if (error)
            *error = QStringLiteral("Preglednice %1 ni mogoče narediti.").arg(path);
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book.get(), "Izpis");
    lxw_format* bold = workbook_add_format(book.get());
    format_set_bold(bold);
    lxw_format* dateFormat = workbook_add_format(book.get());
    format_set_num_format(dateFormat, "dd.mm.yyyy");
    lxw_format* boldDate = workbook_add_format(book.get());
    format_set_num_format(boldDate, "dd.mm.yyyy");
    format_set_bold(boldDate);
    std::map<QByteArray, lxw_format*> numberFormats;
    auto numberFormatFor = [&](const QString& printed, bool emphasised) {
        const QByteArray key = numberFormat(printed) + (emphasised ? "|b" : "");
        auto it = numberFormats.find(key);
        if (it != numberFormats.end())
            return it->second;
        lxw_format* f = workbook_add_format(book.get());
        format_set_num_format(f, numberFormat(printed).constData());
        if (emphasised)
            format_set_bold(f);
        numberFormats[key] = f;
        return f;
    };

    const ExportGrid grid = exportGrid(report);
    for (size_t c = 0; c < grid.columnLeftMm.size(); ++c) {
        const double next = c + 1 < grid.columnLeftMm.size() ? grid.columnLeftMm[c + 1] : grid.columnLeftMm[c] + 30;
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::max(4.0, (next - grid.columnLeftMm[c]) / 2.0), nullptr);
    }
    lxw_row_t row = 0;
    for (const ExportRow& line : grid.rows) {
        const bool emphasised = isEmphasisedBand(*line.band);
        int lastColumn = -1;
        for (const PreparedCell& cell : line.cells) {
            int col = grid.columnOf(cell.leftMm);
            if (col <= lastColumn)
                col = lastColumn + 1;
            lastColumn = col;
            double number = 0;
            lxw_error rc = LXW_NO_ERROR;
            if (exportNumber(cell, &number)) {
                rc = worksheet_write_number(sheet, row, lxw_col_t(col), number, numberFormatFor(cell.text, emphasised));
            } else if (cell.kind == ReportFieldKind::Date && (cell.value.typeId() == QMetaType::QDate
                                                              || cell.value.typeId() == QMetaType::QDateTime)) {
                const QDateTime dt = cell.value.typeId() == QMetaType::QDate ? QDateTime(cell.value.toDate(), QTime(0, 0))
                                                                             : cell.value.toDateTime();
                lxw_datetime when{dt.date().year(), dt.date().month(), dt.date().day(), dt.time().hour(),
                                  dt.time().minute(), double(dt.time().second())};
                rc = worksheet_write_datetime(sheet, row, lxw_col_t(col), &when, emphasised ? boldDate : dateFormat);
            } else if (!cell.text.isEmpty()) {
                rc = worksheet_write_string(sheet, row, lxw_col_t(col), cell.text.toUtf8().constData(),
                                            emphasised ? bold : nullptr);
            }
            if (rc != LXW_NO_ERROR) {
                if (error)
                    *error = QStringLiteral("Vrednosti ni mogoče zapisati v preglednico: %1").arg(QString::fromUtf8(lxw_strerror(rc)));
                book.reset();
                QFile::remove(temporary);
                return false;
            }
        }
        ++row;
        if (row >= LXW_ROW_MAX)
            break;
    }
    const lxw_error rc = workbook_close(book.release());
    if (rc != LXW_NO_ERROR) {
        if (error)
            *error = QStringLiteral("Preglednice %1 ni mogoče zapisati: %2").arg(path, QString::fromUtf8(lxw_strerror(rc)));
        QFile::remove(temporary);
        return false;
    }
    QFile::remove(path);
    if (!QFile::rename(temporary, path)) {
        if (error)
            *error = QStringLiteral("Preglednice %1 ni mogoče zapisati.").arg(path);
        QFile::remove(temporary);
        return false;
    }
    return true;
}
