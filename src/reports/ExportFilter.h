#pragma once
#include <QString>
#include <vector>

class PreparedReport;

// An output format of a prepared report. The list exportFilters() is what a save dialog offers,
// in a stable order (HTML first). Texts are Slovenian except the HTML filter's description,
// which callers look for by name ("Hypertext Markup Language").
class ExportFilter {
public:
    virtual ~ExportFilter() = default;
    virtual QString description() const = 0;
    virtual QString extension() const = 0;        // without the dot: "htm", "xlsx"...
    // "Hypertext Markup Language (*.htm)": an entry of a file dialog's filter list.
    QString dialogFilter() const;
    // Writes the whole report to path (replacing the file); false with a Slovenian message.
    virtual bool write(const PreparedReport& report, const QString& path, QString* error) const = 0;
};

// htm, xlsx, rtf, odt, txt, csv, pdf, svg.
const std::vector<const ExportFilter*>& exportFilters();
// By extension without the dot, case ignored; nullptr when there is none.
const ExportFilter* findExportFilter(const QString& extension);
// By description (exactly); nullptr when there is none.
const ExportFilter* findExportFilterByDescription(const QString& description);
