// Temporary bodies while the engine is being built.
#include "reports/ExportFilter.h"
#include "reports/PreparedReport.h"
#include "reports/ReportDataSource.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportExpression.h"
#include "reports/ReportGenerator.h"
#include "reports/ReportPrinting.h"

#include <QPainter>

double ReportPageSetup::pageWidthMm() const { return orientation == ReportOrientation::Portrait ? widthMm : heightMm; }
double ReportPageSetup::pageHeightMm() const { return orientation == ReportOrientation::Portrait ? heightMm : widthMm; }
QString ReportParseError::text() const { return QStringLiteral("vrstica %1, stolpec %2: %3").arg(line).arg(column).arg(message); }
bool ReportDefinition::operator==(const ReportDefinition& o) const { return serialize() == o.serialize(); }
ReportParseResult ReportDefinition::parse(const QByteArray&) { return {{}, {1, 1, QStringLiteral("ni še narejeno")}}; }
QByteArray ReportDefinition::serialize() const { return {}; }
const ReportBand* ReportDefinition::findBand(const QString&) const { return nullptr; }
std::vector<int> ReportDefinition::bandIndexes(ReportBandKind) const { return {}; }
std::vector<int> ReportDefinition::groupHeaderIndexes() const { return {}; }
QString ReportDefinition::uniqueName(const QString& p) const { return p + "1"; }
QString reportBandKindName(ReportBandKind) { return {}; }
std::optional<ReportBandKind> reportBandKindFromName(const QString&) { return {}; }
QString reportElementKindName(ReportElementKind) { return {}; }
std::optional<ReportElementKind> reportElementKindFromName(const QString&) { return {}; }
QString reportSystemDataName(ReportSystemDataKind) { return {}; }
std::optional<ReportSystemDataKind> reportSystemDataFromName(const QString&) { return {}; }
QString reportBandKindCaption(ReportBandKind) { return {}; }
QString reportElementKindCaption(ReportElementKind) { return {}; }

bool ReportDataSource::hasField(const QString& f) const { return fieldNames().contains(f, Qt::CaseInsensitive); }
DataSetReportSource::DataSetReportSource(TwwOEDataSet& d, const QString& n) : m_dataSet(d), m_name(n) {}
QStringList DataSetReportSource::fieldNames() const { return {}; }
ReportFieldKind DataSetReportSource::fieldKind(const QString&) const { return ReportFieldKind::Text; }
bool DataSetReportSource::isOpen() const { return false; }
void DataSetReportSource::open() {}
void DataSetReportSource::first() {}
bool DataSetReportSource::eof() const { return true; }
void DataSetReportSource::next() {}
QVariant DataSetReportSource::value(const QString&) const { return {}; }
int DataSetReportSource::recordCount() const { return -1; }
LocalTableReportSource::LocalTableReportSource(LocalTable& t, const QString& n) : m_table(t), m_name(n) {}
QStringList LocalTableReportSource::fieldNames() const { return {}; }
ReportFieldKind LocalTableReportSource::fieldKind(const QString&) const { return ReportFieldKind::Text; }
bool LocalTableReportSource::isOpen() const { return false; }
void LocalTableReportSource::open() {}
void LocalTableReportSource::first() {}
bool LocalTableReportSource::eof() const { return true; }
void LocalTableReportSource::next() {}
QVariant LocalTableReportSource::value(const QString&) const { return {}; }
int LocalTableReportSource::recordCount() const { return -1; }
MemoryReportSource::MemoryReportSource(const QString& n, std::vector<Field> f) : m_name(n), m_fields(std::move(f)) {}
void MemoryReportSource::addRow(const QVariantList& v) { m_rows.push_back(v); }
QStringList MemoryReportSource::fieldNames() const { return {}; }
ReportFieldKind MemoryReportSource::fieldKind(const QString&) const { return ReportFieldKind::Text; }
QVariant MemoryReportSource::value(const QString&) const { return {}; }
int MemoryReportSource::indexOf(const QString&) const { return -1; }
void ReportDataSources::add(ReportDataSource& s) { m_sources.push_back(std::shared_ptr<ReportDataSource>(&s, [](ReportDataSource*) {})); }
void ReportDataSources::add(std::shared_ptr<ReportDataSource> s) { m_sources.push_back(std::move(s)); }
ReportDataSource* ReportDataSources::find(const QString&) const { return nullptr; }
QStringList ReportDataSources::names() const { return {}; }
ReportFieldKind reportFieldKindOf(const QVariant&) { return ReportFieldKind::Text; }

QFont PreparedFont::toQFont() const { return QFont(family); }
QSizeF PreparedReport::pageSizeMm(int) const { return {}; }
const PreparedPage& PreparedReport::page(int i) const { return m_pages[size_t(i)]; }
void PreparedReport::paintPage(int, QPainter&, double) const {}
void PreparedReport::paintPage(int, QPainter&, const QRectF&) const {}
QString PreparedReport::resolvedText(const QString& t, int) const { return t; }
bool PreparedReport::saveToFile(const QString&, QString*) const { return false; }
std::optional<PreparedReport> PreparedReport::loadFromFile(const QString&, QString*) { return {}; }
QByteArray PreparedReport::toBytes() const { return {}; }
std::optional<PreparedReport> PreparedReport::fromBytes(const QByteArray&, QString*) { return {}; }
qint64 PreparedReport::approximateBytes() const { return 0; }
int PreparedReport::addPage(const QSizeF& s) { m_pages.push_back({s, {}}); return pageCount() - 1; }
quint16 PreparedReport::fontIndex(const PreparedFont&) { return 0; }
qint32 PreparedReport::addImage(const QByteArray&) { return -1; }
void PreparedReport::clear() { m_pages.clear(); }

class ReportLayout {};
ReportGenerator::ReportGenerator(ReportDefinition d, ReportDataSources s, ReportContext c, QObject* p)
    : QObject(p), m_definition(std::move(d)), m_sources(std::move(s)), m_context(std::move(c)) {}
ReportGenerator::~ReportGenerator() = default;
void ReportGenerator::start() {}
bool ReportGenerator::runToEnd() { return false; }
void ReportGenerator::cancel() {}
bool ReportGenerator::isRunning() const { return false; }
PreparedReport ReportGenerator::takePrepared() { return std::move(m_prepared); }

QString ExportFilter::dialogFilter() const { return description() + " (*." + extension() + ")"; }
const std::vector<const ExportFilter*>& exportFilters() { static std::vector<const ExportFilter*> v; return v; }
const ExportFilter* findExportFilter(const QString&) { return nullptr; }
const ExportFilter* findExportFilterByDescription(const QString&) { return nullptr; }

bool printPreparedReport(const PreparedReport&, QPrinter&, QString*) { return false; }
bool printPreparedReport(const PreparedReport&, QPrinter&, int, int, QString*) { return false; }
bool writePdf(const PreparedReport&, const QString&, QString*) { return false; }
QImage renderPageImage(const PreparedReport&, int, double) { return {}; }
bool writePagePng(const PreparedReport&, int, const QString&, double, QString*) { return false; }

struct ReportExpressionNode {};
QString ReportExpressionError::text() const { return QStringLiteral("stolpec %1: %2").arg(position + 1).arg(message); }
ReportExpression::ReportExpression() = default;
ReportExpression ReportExpression::parse(const QString& t) { ReportExpression e; e.m_text = t; return e; }
QStringList ReportExpression::functionNames() { return {}; }
