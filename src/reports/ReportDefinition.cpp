#include "reports/ReportDefinition.h"
#include "reports/ReportDefinitionFormat.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <array>

namespace {

template <typename E, size_t N>
std::optional<E> fromName(const std::array<std::pair<E, const char*>, N>& table, const QString& name)
{
    for (const auto& [value, text] : table)
        if (name.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

template <typename E, size_t N>
QString toName(const std::array<std::pair<E, const char*>, N>& table, E value)
{
    for (const auto& [v, text] : table)
        if (v == value)
            return QString::fromLatin1(text);
    return {};
}

const std::array<std::pair<ReportBandKind, const char*>, 9> bandNames{{
    {ReportBandKind::Title, "title"},
    {ReportBandKind::PageHeader, "pageHeader"},
    {ReportBandKind::ColumnHeader, "columnHeader"},
    {ReportBandKind::GroupHeader, "groupHeader"},
    {ReportBandKind::Detail, "detail"},
    {ReportBandKind::GroupFooter, "groupFooter"},
    {ReportBandKind::Summary, "summary"},
    {ReportBandKind::PageFooter, "pageFooter"},
    {ReportBandKind::Child, "child"},
}};

const std::array<std::pair<ReportElementKind, const char*>, 8> elementNames{{
    {ReportElementKind::Label, "label"},
    {ReportElementKind::DataField, "dataField"},
    {ReportElementKind::Expression, "expression"},
    {ReportElementKind::Memo, "memo"},
    {ReportElementKind::Image, "image"},
    {ReportElementKind::Line, "line"},
    {ReportElementKind::Rectangle, "rectangle"},
    {ReportElementKind::SystemData, "systemData"},
}};

const std::array<std::pair<ReportSystemDataKind, const char*>, 10> systemNames{{
    {ReportSystemDataKind::PageNumber, "pageNumber"},
    {ReportSystemDataKind::PageCount, "pageCount"},
    {ReportSystemDataKind::PageNumberOfCount, "pageNumberOfCount"},
    {ReportSystemDataKind::Date, "date"},
    {ReportSystemDataKind::Time, "time"},
    {ReportSystemDataKind::DateTime, "dateTime"},
    {ReportSystemDataKind::ReportTitle, "reportTitle"},
    {ReportSystemDataKind::ReportName, "reportName"},
    {ReportSystemDataKind::CompanyName, "companyName"},
    {ReportSystemDataKind::RowNumber, "rowNumber"},
}};

}   // namespace

QString reportBandKindName(ReportBandKind kind) { return toName(bandNames, kind); }
std::optional<ReportBandKind> reportBandKindFromName(const QString& name) { return fromName(bandNames, name); }
QString reportElementKindName(ReportElementKind kind) { return toName(elementNames, kind); }
std::optional<ReportElementKind> reportElementKindFromName(const QString& name) { return fromName(elementNames, name); }
QString reportSystemDataName(ReportSystemDataKind kind) { return toName(systemNames, kind); }
std::optional<ReportSystemDataKind> reportSystemDataFromName(const QString& name) { return fromName(systemNames, name); }

QString reportBandKindCaption(ReportBandKind kind)
{
    switch (kind) {
    case ReportBandKind::Title: return QStringLiteral("Naslov");
    case ReportBandKind::PageHeader: return QStringLiteral("Glava strani");
    case ReportBandKind::ColumnHeader: return QStringLiteral("Glava stolpcev");
    case ReportBandKind::GroupHeader: return QStringLiteral("Glava skupine");
    case ReportBandKind::Detail: return QStringLiteral("Podrobnosti");
    case ReportBandKind::GroupFooter: return QStringLiteral("Noga skupine");
    case ReportBandKind::Summary: return QStringLiteral("Povzetek");
    case ReportBandKind::PageFooter: return QStringLiteral("Noga strani");
    case ReportBandKind::Child: return QStringLiteral("Podrejeni pas");
    }
    return {};
}

QString reportElementKindCaption(ReportElementKind kind)
{
    switch (kind) {
    case ReportElementKind::Label: return QStringLiteral("Napis");
    case ReportElementKind::DataField: return QStringLiteral("Podatkovno polje");
    case ReportElementKind::Expression: return QStringLiteral("Izraz");
    case ReportElementKind::Memo: return QStringLiteral("Besedilo (memo)");
    case ReportElementKind::Image: return QStringLiteral("Slika");
    case ReportElementKind::Line: return QStringLiteral("Črta");
    case ReportElementKind::Rectangle: return QStringLiteral("Pravokotnik");
    case ReportElementKind::SystemData: return QStringLiteral("Sistemski podatek");
    }
    return {};
}

double ReportPageSetup::pageWidthMm() const
{
    return orientation == ReportOrientation::Portrait ? widthMm : heightMm;
}

double ReportPageSetup::pageHeightMm() const
{
    return orientation == ReportOrientation::Portrait ? heightMm : widthMm;
}

QString ReportParseError::text() const
{
    return QStringLiteral("vrstica %1, stolpec %2: %3").arg(line).arg(column).arg(message);
}

bool ReportDefinition::operator==(const ReportDefinition& other) const
{
    return name == other.name && title == other.title && mainDataSet == other.mainDataSet
        && description == other.description && page == other.page && bands == other.bands
        && variables == other.variables && extra == other.extra;
}

const ReportBand* ReportDefinition::findBand(const QString& bandName) const
{
    for (const auto& b : bands)
        if (b.name.compare(bandName, Qt::CaseInsensitive) == 0)
            return &b;
    return nullptr;
}

std::vector<int> ReportDefinition::bandIndexes(ReportBandKind kind) const
{
    std::vector<int> out;
    for (size_t i = 0; i < bands.size(); ++i)
        if (bands[i].kind == kind)
            out.push_back(int(i));
    return out;
}

std::vector<int> ReportDefinition::groupHeaderIndexes() const
{
    return bandIndexes(ReportBandKind::GroupHeader);
}

QString ReportDefinition::uniqueName(const QString& prefix) const
{
    for (int n = 1;; ++n) {
        const QString candidate = prefix + QString::number(n);
        bool used = false;
        for (const auto& b : bands) {
            if (b.name.compare(candidate, Qt::CaseInsensitive) == 0)
                used = true;
            for (const auto& e : b.elements)
                if (e.name.compare(candidate, Qt::CaseInsensitive) == 0)
                    used = true;
        }
        for (const auto& v : variables)
            if (v.name.compare(candidate, Qt::CaseInsensitive) == 0)
                used = true;
        if (!used)
            return candidate;
    }
}

// ---- writing ------------------------------------------------------------------------------

namespace {

QString colourText(const QColor& c)
{
    if (!c.isValid())
        return {};
    return c.alpha() == 255 ? c.name(QColor::HexRgb) : c.name(QColor::HexArgb);
}

QString hAlignName(ReportHAlign a)
{
    switch (a) {
    case ReportHAlign::Left: return QStringLiteral("left");
    case ReportHAlign::Center: return QStringLiteral("center");
    case ReportHAlign::Right: return QStringLiteral("right");
    case ReportHAlign::Justify: return QStringLiteral("justify");
    }
    return {};
}

QString vAlignName(ReportVAlign a)
{
    switch (a) {
    case ReportVAlign::Top: return QStringLiteral("top");
    case ReportVAlign::Middle: return QStringLiteral("middle");
    case ReportVAlign::Bottom: return QStringLiteral("bottom");
    }
    return {};
}

// Starts from the unknown properties, so that the known ones written after them win.
QJsonObject writeElement(const ReportElement& e)
{
    QJsonObject o = e.extra;
    o[QStringLiteral("type")] = reportElementKindName(e.kind);
    if (!e.name.isEmpty())
        o[QStringLiteral("name")] = e.name;
    o[QStringLiteral("left")] = e.leftMm;
    o[QStringLiteral("top")] = e.topMm;
    o[QStringLiteral("width")] = e.widthMm;
    o[QStringLiteral("height")] = e.heightMm;
    if (!e.text.isEmpty())
        o[QStringLiteral("text")] = e.text;
    if (!e.dataSet.isEmpty())
        o[QStringLiteral("dataSet")] = e.dataSet;
    if (!e.field.isEmpty())
        o[QStringLiteral("field")] = e.field;
    if (!e.expression.isEmpty())
        o[QStringLiteral("expression")] = e.expression;
    if (!e.displayFormat.isEmpty())
        o[QStringLiteral("displayFormat")] = e.displayFormat;
    if (e.kind == ReportElementKind::SystemData)
        o[QStringLiteral("systemData")] = reportSystemDataName(e.systemData);
    if (e.kind == ReportElementKind::Image) {
        o[QStringLiteral("image")] = QString::fromLatin1(e.imageData.toBase64());
        o[QStringLiteral("keepAspect")] = e.keepAspect;
    }
    const ReportFont def;
    if (!(e.font == def)) {
        QJsonObject f;
        f[QStringLiteral("family")] = e.font.family;
        f[QStringLiteral("size")] = e.font.pointSize;
        if (e.font.bold)
            f[QStringLiteral("bold")] = true;
        if (e.font.italic)
            f[QStringLiteral("italic")] = true;
        if (e.font.underline)
            f[QStringLiteral("underline")] = true;
        o[QStringLiteral("font")] = f;
    }
    if (e.hAlign != ReportHAlign::Left)
        o[QStringLiteral("align")] = hAlignName(e.hAlign);
    if (e.vAlign != ReportVAlign::Top)
        o[QStringLiteral("verticalAlign")] = vAlignName(e.vAlign);
    if (e.textColour != QColor(Qt::black))
        o[QStringLiteral("colour")] = colourText(e.textColour);
    if (e.backgroundColour.isValid())
        o[QStringLiteral("background")] = colourText(e.backgroundColour);
    if (e.frame.any()) {
        QJsonObject f;
        QString sides;
        if (e.frame.left) sides += QLatin1Char('l');
        if (e.frame.top) sides += QLatin1Char('t');
        if (e.frame.right) sides += QLatin1Char('r');
        if (e.frame.bottom) sides += QLatin1Char('b');
        f[QStringLiteral("sides")] = sides;
        f[QStringLiteral("width")] = e.frame.widthMm;
        f[QStringLiteral("colour")] = colourText(e.frame.colour);
        o[QStringLiteral("frame")] = f;
    }
    if (e.kind == ReportElementKind::Line || e.kind == ReportElementKind::Rectangle)
        o[QStringLiteral("lineWidth")] = e.lineWidthMm;
    if (e.wordWrap)
        o[QStringLiteral("wordWrap")] = true;
    if (e.autoStretch)
        o[QStringLiteral("autoStretch")] = true;
    if (!e.printCondition.isEmpty())
        o[QStringLiteral("printCondition")] = e.printCondition;
    return o;
}

QJsonObject writeBand(const ReportBand& b)
{
    QJsonObject o = b.extra;
    o[QStringLiteral("type")] = reportBandKindName(b.kind);
    if (!b.name.isEmpty())
        o[QStringLiteral("name")] = b.name;
    o[QStringLiteral("height")] = b.heightMm;
    if (!b.dataSet.isEmpty())
        o[QStringLiteral("dataSet")] = b.dataSet;
    if (!b.groupExpression.isEmpty())
        o[QStringLiteral("groupExpression")] = b.groupExpression;
    if (!b.group.isEmpty())
        o[QStringLiteral("group")] = b.group;
    if (!b.parentBand.isEmpty())
        o[QStringLiteral("parentBand")] = b.parentBand;
    if (b.startNewPage)
        o[QStringLiteral("startNewPage")] = true;
    if (!b.keepTogether)
        o[QStringLiteral("keepTogether")] = false;
    if (b.repeatOnEachPage)
        o[QStringLiteral("repeatOnEachPage")] = true;
    if (!b.printOnFirstPage)
        o[QStringLiteral("printOnFirstPage")] = false;
    if (!b.printOnLastPage)
        o[QStringLiteral("printOnLastPage")] = false;
    if (!b.printCondition.isEmpty())
        o[QStringLiteral("printCondition")] = b.printCondition;
    if (b.backgroundColour.isValid())
        o[QStringLiteral("background")] = colourText(b.backgroundColour);
    QJsonArray elements;
    for (const auto& e : b.elements)
        elements.append(writeElement(e));
    o[QStringLiteral("elements")] = elements;
    return o;
}

QString aggregateName(ReportAggregate a)
{
    switch (a) {
    case ReportAggregate::Sum: return QStringLiteral("sum");
    case ReportAggregate::Count: return QStringLiteral("count");
    case ReportAggregate::Min: return QStringLiteral("min");
    case ReportAggregate::Max: return QStringLiteral("max");
    case ReportAggregate::Average: return QStringLiteral("average");
    }
    return {};
}

QString resetName(ReportResetScope s)
{
    switch (s) {
    case ReportResetScope::Report: return QStringLiteral("report");
    case ReportResetScope::Page: return QStringLiteral("page");
    case ReportResetScope::Group: return QStringLiteral("group");
    }
    return {};
}

}   // namespace

QString reportAggregateName(ReportAggregate a) { return aggregateName(a); }
QString reportResetScopeName(ReportResetScope s) { return resetName(s); }
QString reportHAlignName(ReportHAlign a) { return hAlignName(a); }
QString reportVAlignName(ReportVAlign a) { return vAlignName(a); }

QByteArray ReportDefinition::serialize() const
{
    QJsonObject root = extra;
    root[QStringLiteral("format")] = QString::fromLatin1(formatName);
    root[QStringLiteral("version")] = formatVersion;
    root[QStringLiteral("name")] = name;
    if (!title.isEmpty())
        root[QStringLiteral("title")] = title;
    if (!description.isEmpty())
        root[QStringLiteral("description")] = description;
    if (!mainDataSet.isEmpty())
        root[QStringLiteral("mainDataSet")] = mainDataSet;

    QJsonObject p = page.extra;
    p[QStringLiteral("paper")] = page.paperName;
    p[QStringLiteral("width")] = page.widthMm;
    p[QStringLiteral("height")] = page.heightMm;
    p[QStringLiteral("orientation")] = page.orientation == ReportOrientation::Portrait
        ? QStringLiteral("portrait") : QStringLiteral("landscape");
    QJsonObject m;
    m[QStringLiteral("left")] = page.leftMarginMm;
    m[QStringLiteral("top")] = page.topMarginMm;
    m[QStringLiteral("right")] = page.rightMarginMm;
    m[QStringLiteral("bottom")] = page.bottomMarginMm;
    p[QStringLiteral("margins")] = m;
    root[QStringLiteral("page")] = p;

    QJsonArray vars;
    for (const auto& v : variables) {
        QJsonObject o = v.extra;
        o[QStringLiteral("name")] = v.name;
        o[QStringLiteral("aggregate")] = aggregateName(v.aggregate);
        o[QStringLiteral("expression")] = v.expression;
        o[QStringLiteral("reset")] = resetName(v.reset);
        if (!v.resetGroup.isEmpty())
            o[QStringLiteral("resetGroup")] = v.resetGroup;
        vars.append(o);
    }
    if (!vars.isEmpty())
        root[QStringLiteral("variables")] = vars;

    QJsonArray bandArray;
    for (const auto& b : bands)
        bandArray.append(writeBand(b));
    root[QStringLiteral("bands")] = bandArray;
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
