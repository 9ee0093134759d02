#pragma once
#include <QByteArray>
#include <QColor>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The definition of a banded report: page setup, bands and their elements, variables.
//
// A value type: copy it, edit it, serialize() it. parse() reads the text format described in
// REPORT_FORMAT.md (JSON with "format": "obdrac-report" and "version"); every error carries the
// line and column where it was found. Properties that this version does not know (written by a
// newer one) are kept in `extra` of the object they belong to and written back by serialize().
//
// Measures are in millimetres, font sizes in points. Element positions are relative to the
// top-left corner of their band; bands are as wide as the printable width of the page.

enum class ReportBandKind {
    Title,          // once, at the top of the first page
    PageHeader,     // at the top of every page
    ColumnHeader,   // below the page header on every page (captions of the detail columns)
    GroupHeader,    // when the value of its group expression changes (groups nest in list order)
    Detail,         // once per row of its dataset
    GroupFooter,    // after the last row of its group (reads the group's totals)
    Summary,        // once, after the last row (reads the report's totals)
    PageFooter,     // at the bottom of every page
    Child,          // printed right after its parent band (`parentBand`), when its condition holds
};

enum class ReportElementKind {
    Label,          // fixed text
    DataField,      // value of a field: `dataSet`.`field`, shown through `displayFormat`
    Expression,     // value of `expression`, shown through `displayFormat`
    Memo,           // text with embedded expressions in [brackets], word-wrapped, may grow the band
    Image,          // picture kept inside the definition (`imageData`, PNG or JPEG bytes)
    Line,           // from the top-left to the bottom-right corner (a horizontal line: height 0)
    Rectangle,
    SystemData,     // page number, page count, "Stran n od m", date, time, report title...
};

enum class ReportSystemDataKind {
    PageNumber,
    PageCount,
    PageNumberOfCount,   // "Stran 3 od 12"
    Date,
    Time,
    DateTime,
    ReportTitle,
    ReportName,
    CompanyName,
    RowNumber,           // number of the detail row within the report
};

enum class ReportHAlign { Left, Center, Right, Justify };
enum class ReportVAlign { Top, Middle, Bottom };

// How a variable accumulates and when it starts again.
enum class ReportAggregate { Sum, Count, Min, Max, Average };
enum class ReportResetScope { Report, Page, Group };

struct ReportFont {
    QString family = QStringLiteral("DejaVu Sans");
    double pointSize = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const ReportFont&) const = default;
};

struct ReportFrame {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
    double widthMm = 0.2;
    QColor colour = QColor(Qt::black);
    bool any() const { return left || top || right || bottom; }
    bool operator==(const ReportFrame&) const = default;
};

struct ReportElement {
    ReportElementKind kind = ReportElementKind::Label;
    QString name;
    double leftMm = 0;
    double topMm = 0;
    double widthMm = 30;
    double heightMm = 5;

    QString text;            // Label: the text; Memo: text with [expressions]
    QString dataSet;         // DataField: dataset name (empty: the band's dataset)
    QString field;           // DataField: field name
    QString expression;      // Expression
    QString displayFormat;   // "#,##0.00", "0.###", "dd.mm.yyyy"... (see REPORT_FORMAT.md)
    ReportSystemDataKind systemData = ReportSystemDataKind::PageNumber;
    QByteArray imageData;    // Image: the picture's bytes
    bool keepAspect = true;  // Image

    ReportFont font;
    ReportHAlign hAlign = ReportHAlign::Left;
    ReportVAlign vAlign = ReportVAlign::Top;
    QColor textColour = QColor(Qt::black);
    QColor backgroundColour;     // invalid: transparent
    ReportFrame frame;
    double lineWidthMm = 0.2;    // Line, Rectangle
    bool wordWrap = false;       // Memo wraps always; others only when set
    bool autoStretch = false;    // the element (and its band) grows to fit its text
    QString printCondition;      // expression; empty: always printed

    QJsonObject extra;           // properties unknown to this version, kept for saving

    bool operator==(const ReportElement&) const = default;
};

struct ReportBand {
    ReportBandKind kind = ReportBandKind::Detail;
    QString name;
    double heightMm = 6;
    QString dataSet;             // Detail: the dataset it walks (empty: the report's `mainDataSet`)
    QString groupExpression;     // GroupHeader: the group key
    QString group;               // GroupFooter: name of its GroupHeader band
    QString parentBand;          // Child: name of the band it follows
    bool startNewPage = false;   // begins on a new page (not before the first band of a page)
    bool keepTogether = true;    // never cut; always true for bands without growing elements
    bool repeatOnEachPage = false;  // GroupHeader: printed again at the top of a continued page
    bool printOnFirstPage = true;   // PageHeader / PageFooter
    bool printOnLastPage = true;    // PageHeader / PageFooter
    QString printCondition;      // expression; empty: always printed
    QColor backgroundColour;     // invalid: none
    std::vector<ReportElement> elements;

    QJsonObject extra;

    bool operator==(const ReportBand&) const = default;
};

// A named total: the value of `expression` accumulated over the detail rows, started again at the
// given scope (for Group: when the group `resetGroup` starts). Read in expressions by its name.
struct ReportVariable {
    QString name;
    ReportAggregate aggregate = ReportAggregate::Sum;
    QString expression;
    ReportResetScope reset = ReportResetScope::Report;
    QString resetGroup;          // name of a GroupHeader band, for ReportResetScope::Group

    QJsonObject extra;

    bool operator==(const ReportVariable&) const = default;
};

enum class ReportOrientation { Portrait, Landscape };

struct ReportPageSetup {
    QString paperName = QStringLiteral("A4");   // A4, A5, A3, Letter, Legal, or Custom
    double widthMm = 210;       // of the sheet as it lies in portrait orientation
    double heightMm = 297;
    ReportOrientation orientation = ReportOrientation::Portrait;
    double leftMarginMm = 15;
    double topMarginMm = 12;
    double rightMarginMm = 12;
    double bottomMarginMm = 12;

    // Size of the page as printed (orientation applied), and of the area between the margins.
    double pageWidthMm() const;
    double pageHeightMm() const;
    double printableWidthMm() const { return pageWidthMm() - leftMarginMm - rightMarginMm; }
    double printableHeightMm() const { return pageHeightMm() - topMarginMm - bottomMarginMm; }

    QJsonObject extra;

    bool operator==(const ReportPageSetup&) const = default;
};

// Where and why a definition could not be read.
struct ReportParseError {
    int line = 0;       // 1-based; 0 when there is no position (empty text)
    int column = 0;     // 1-based, in characters
    QString message;    // Slovenian, without the position
    // "vrstica 12, stolpec 5: <message>"
    QString text() const;
    bool isError() const { return !message.isEmpty(); }
};

struct ReportParseResult;

struct ReportDefinition {
    static constexpr const char* formatName = "obdrac-report";
    static constexpr int formatVersion = 1;

    QString name;                // report name, e.g. "ObdracIzpis"
    QString title;               // printed title / caption
    QString mainDataSet;         // dataset the detail band walks when it names none
    QString description;
    ReportPageSetup page;
    std::vector<ReportBand> bands;   // in printing order; group headers outermost first
    std::vector<ReportVariable> variables;

    QJsonObject extra;
    int readVersion = formatVersion;   // version of the text it was read from

    bool operator==(const ReportDefinition& other) const;

    // Reads a definition; never throws, never crashes on bad input.
    static ReportParseResult parse(const QByteArray& text);
    // Writes it as indented UTF-8 JSON (the current version, unknown properties kept).
    QByteArray serialize() const;

    // Finding bands.
    const ReportBand* findBand(const QString& name) const;         // case ignored
    std::vector<int> bandIndexes(ReportBandKind kind) const;
    // Group header bands in nesting order (outermost first).
    std::vector<int> groupHeaderIndexes() const;
    // A name not yet used by a band or element: prefix + number ("Band3", "Memo12").
    QString uniqueName(const QString& prefix) const;
};

struct ReportParseResult {
    std::optional<ReportDefinition> definition;   // empty when error.isError()
    ReportParseError error;
};

// Names as written in the text format ("title", "pageHeader"... / "label", "dataField"...),
// and back (std::nullopt for an unknown name). Used by the designer for its lists too.
QString reportBandKindName(ReportBandKind kind);
std::optional<ReportBandKind> reportBandKindFromName(const QString& name);
QString reportElementKindName(ReportElementKind kind);
std::optional<ReportElementKind> reportElementKindFromName(const QString& name);
QString reportSystemDataName(ReportSystemDataKind kind);
std::optional<ReportSystemDataKind> reportSystemDataFromName(const QString& name);
// Slovenian captions for the designer's lists ("Glava strani", "Podatkovno polje"...).
QString reportBandKindCaption(ReportBandKind kind);
QString reportElementKindCaption(ReportElementKind kind);
