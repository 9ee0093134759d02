#pragma once
#include "reports/ReportDataSource.h"
#include "reports/ReportDefinition.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

class QPainter;

// A report laid out into pages: what every output paints or walks.
//
// A page is a list of primitives with positions in millimetres from the page's top-left corner
// and their values already formatted. The only thing left open is the page count: a text may
// carry the placeholders pageNumberMark / pageCountMark, replaced when the page is painted, so a
// growing report never needs to be laid out twice.
// Besides the pages the report records every printed band instance with its cells (value,
// display text, kind), in printing order, for the exporters that write rows (CSV, spreadsheet).

struct PreparedFont {
    QString family;
    double pointSize = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const PreparedFont&) const = default;
    QFont toQFont() const;   // point size as given (scale for the device when painting)
};

struct PreparedPrimitive {
    enum class Kind : quint8 { Text, Line, Rect, Image };
    Kind kind = Kind::Text;
    QRectF rectMm;               // Line: from topLeft to bottomRight
    QString text;                // Text
    quint16 font = 0;            // index into PreparedReport::fonts()
    quint16 flags = 0;           // Text: Qt::AlignmentFlag | Qt::TextWordWrap
    QColor colour = Qt::black;   // text, line or frame colour
    QColor fill;                 // background; invalid: none
    float penWidthMm = 0.2f;     // Line, Rect; frames of texts (0: no frame)
    quint8 frameSides = 0;       // Text, Rect: 1 left, 2 top, 4 right, 8 bottom
    qint32 image = -1;           // Image: index into PreparedReport::images()
    bool operator==(const PreparedPrimitive&) const = default;
};

struct PreparedPage {
    QSizeF sizeMm;
    std::vector<PreparedPrimitive> items;
    bool operator==(const PreparedPage&) const = default;
};

// One printed instance of a band, for row exporters.
struct PreparedCell {
    QString name;          // element name
    QVariant value;        // the value before formatting (text for labels)
    QString text;          // as printed
    ReportFieldKind kind = ReportFieldKind::Text;
    double leftMm = 0;     // position within the band, to order and align columns
    double widthMm = 0;
    quint8 hAlign = 0;     // ReportHAlign
    double topMm = 0;      // position within the band: cells of a band may lie on several lines
    bool operator==(const PreparedCell&) const = default;
};

struct PreparedBand {
    ReportBandKind kind = ReportBandKind::Detail;
    QString bandName;
    int groupLevel = 0;    // group headers/footers: 1 for the outermost group; else 0
    int page = 0;          // page index where it was printed
    double topMm = 0;
    double heightMm = 0;
    std::vector<PreparedCell> cells;   // ordered by position (left to right, top to bottom)
    bool operator==(const PreparedBand&) const = default;
};

class PreparedReport {
public:
    // Placeholders in texts, replaced when painting: the page's number and the page count.
    static constexpr QChar pageNumberMark = QChar(0xE000);
    static constexpr QChar pageCountMark = QChar(0xE001);

    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    int pageCount() const { return int(m_pages.size()); }
    QSizeF pageSizeMm(int index) const;                 // empty size for a bad index
    const PreparedPage& page(int index) const;          // index must be valid
    // Whether the report is complete (the generator finished it); while false, the page count
    // painted into "Stran n od m" is that of the pages made so far.
    bool isComplete() const { return m_complete; }

    // Paints page `index` with its top-left corner at the painter's origin, scale pixels per
    // millimetre (of the painter's current coordinate system).
    void paintPage(int index, QPainter& painter, double pixelsPerMm) const;
    // Paints page `index` into `target` (painter coordinates), keeping the page's aspect ratio.
    void paintPage(int index, QPainter& painter, const QRectF& target) const;
    // The text of a primitive as painted on page `index` (placeholders resolved).
    QString resolvedText(const QString& text, int pageIndex) const;

    const std::vector<PreparedFont>& fonts() const { return m_fonts; }
    const std::vector<QByteArray>& images() const { return m_images; }
    const std::vector<PreparedBand>& bands() const { return m_bands; }

    // Saving in the program's own format (".QRP"); the error texts are Slovenian.
    bool saveToFile(const QString& path, QString* error) const;
    static std::optional<PreparedReport> loadFromFile(const QString& path, QString* error);
    QByteArray toBytes() const;
    static std::optional<PreparedReport> fromBytes(const QByteArray& bytes, QString* error);
    static constexpr const char* fileExtension = "QRP";

    // Memory held by pages, fonts, images and band records (an estimate, for the benchmark).
    qint64 approximateBytes() const;

    bool operator==(const PreparedReport&) const = default;

    // Building (used by the generator).
    int addPage(const QSizeF& sizeMm);
    PreparedPage& pageForWriting(int index) { return m_pages[size_t(index)]; }
    quint16 fontIndex(const PreparedFont& font);
    qint32 addImage(const QByteArray& bytes);
    void addBand(PreparedBand band) { m_bands.push_back(std::move(band)); }
    void setComplete(bool complete) { m_complete = complete; }
    void clear();

private:
    QString m_title;
    std::vector<PreparedPage> m_pages;
    std::vector<PreparedFont> m_fonts;
    std::vector<QByteArray> m_images;
    std::vector<PreparedBand> m_bands;
    bool m_complete = false;
};
