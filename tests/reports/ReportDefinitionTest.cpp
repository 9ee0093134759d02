#include "ReportTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace reporttest;

namespace {

// A definition using every kind of band and element and most properties.
ReportDefinition fullDefinition()
{
    ReportDefinition d = listingDefinition();
    d.description = QStringLiteral("Vse vrste pasov in elementov: č š ž");
    d.page.orientation = ReportOrientation::Landscape;
    d.page.leftMarginMm = 20;
    ReportBand title = band(ReportBandKind::Title, QStringLiteral("Naslov"), 15, {});
    ReportElement memo;
    memo.kind = ReportElementKind::Memo;
    memo.name = QStringLiteral("Opis");
    memo.text = QStringLiteral("Izpis za [CRITERIA('Obdobje')], stran [PAGE]");
    memo.widthMm = 120;
    memo.wordWrap = true;
    memo.autoStretch = true;
    memo.frame.left = memo.frame.bottom = true;
    memo.frame.colour = QColor(0x33, 0x66, 0x99);
    memo.backgroundColour = QColor(0xEE, 0xEE, 0xEE);
    memo.vAlign = ReportVAlign::Middle;
    memo.font = ReportFont{QStringLiteral("DejaVu Serif"), 11, true, true, true};
    ReportElement image;
    image.kind = ReportElementKind::Image;
    image.name = QStringLiteral("Logo");
    image.imageData = QByteArray("\x89PNG\r\n\x1a\n\x00\x01", 10);
    image.keepAspect = false;
    ReportElement box;
    box.kind = ReportElementKind::Rectangle;
    box.name = QStringLiteral("Okvir");
    box.lineWidthMm = 0.5;
    box.printCondition = QStringLiteral("PAGE = 1");
    ReportElement date;
    date.kind = ReportElementKind::SystemData;
    date.systemData = ReportSystemDataKind::Date;
    date.name = QStringLiteral("Datum");
    date.displayFormat = QStringLiteral("d.m.yyyy");
    title.elements = {memo, image, box, date};
    title.backgroundColour = QColor(Qt::yellow);
    d.bands.insert(d.bands.begin(), title);
    ReportBand child = band(ReportBandKind::Child, QStringLiteral("Opomba"), 4, {label(QStringLiteral("o"), QStringLiteral("opomba"), 0, 20)});
    child.parentBand = QStringLiteral("Vrstica");
    child.printCondition = QStringLiteral("Rabat > 0");
    d.bands.push_back(child);
    ReportBand footer = band(ReportBandKind::PageFooter, QStringLiteral("Noga"), 6, {});
    footer.printOnFirstPage = false;
    footer.keepTogether = false;
    d.bands.push_back(footer);
    d.bands[2].startNewPage = true;
    d.bands[3].repeatOnEachPage = true;
    ReportVariable v;
    v.name = QStringLiteral("VsotaStrani");
    v.aggregate = ReportAggregate::Average;
    v.expression = QStringLiteral("Cena");
    v.reset = ReportResetScope::Group;
    v.resetGroup = QStringLiteral("Predloga");
    d.variables.push_back(v);
    return d;
}

}   // namespace

TEST(ReportDefinition, RoundTripKeepsEverything)
{
    const ReportDefinition d = fullDefinition();
    const QByteArray text = d.serialize();
    const ReportParseResult r = ReportDefinition::parse(text);
    ASSERT_FALSE(r.error.isError()) << r.error.text().toStdString();
    ASSERT_TRUE(r.definition.has_value());
    EXPECT_TRUE(*r.definition == d);
    EXPECT_EQ(r.definition->serialize(), text);
    EXPECT_EQ(r.definition->bands.front().elements[0].font.family, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(r.definition->bands.front().elements[1].imageData, d.bands.front().elements[1].imageData);
    EXPECT_EQ(r.definition->page.pageWidthMm(), 297);
}

TEST(ReportDefinition, PropertiesOfANewerVersionAreKeptWhenSavedAgain)
{
    QJsonObject root = QJsonDocument::fromJson(listingDefinition().serialize()).object();
    root[QStringLiteral("version")] = 2;
    root[QStringLiteral("watermark")] = QStringLiteral("OSNUTEK");
    QJsonObject page = root[QStringLiteral("page")].toObject();
    page[QStringLiteral("gutter")] = 7;
    root[QStringLiteral("page")] = page;
    QJsonArray bands = root[QStringLiteral("bands")].toArray();
    QJsonObject detail = bands[3].toObject();
    detail[QStringLiteral("zebra")] = true;
    QJsonArray elements = detail[QStringLiteral("elements")].toArray();
    QJsonObject first = elements[0].toObject();
    first[QStringLiteral("barcode")] = QJsonObject{{QStringLiteral("type"), QStringLiteral("EAN13")}};
    elements[0] = first;
    detail[QStringLiteral("elements")] = elements;
    bands[3] = detail;
    root[QStringLiteral("bands")] = bands;
    const ReportParseResult r = ReportDefinition::parse(QJsonDocument(root).toJson());
    ASSERT_TRUE(r.definition.has_value()) << r.error.text().toStdString();
    EXPECT_EQ(r.definition->readVersion, 2);
    const QJsonObject again = QJsonDocument::fromJson(r.definition->serialize()).object();
    EXPECT_EQ(again[QStringLiteral("watermark")].toString(), QStringLiteral("OSNUTEK"));
    EXPECT_EQ(again[QStringLiteral("page")].toObject()[QStringLiteral("gutter")].toInt(), 7);
    const QJsonObject d2 = again[QStringLiteral("bands")].toArray()[3].toObject();
    EXPECT_TRUE(d2[QStringLiteral("zebra")].toBool());
    EXPECT_EQ(d2[QStringLiteral("elements")].toArray()[0].toObject()[QStringLiteral("barcode")].toObject()[QStringLiteral("type")].toString(),
              QStringLiteral("EAN13"));
}

struct DamagedCase {
    const char* name;
    const char* text;
    int line;
    int column;
    const char* messagePart;
};

class DamagedDefinition : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedDefinition, GivesItsPositionAndNoDefinition)
{
    const DamagedCase& c = GetParam();
    const ReportParseResult r = ReportDefinition::parse(QByteArray(c.text));
    EXPECT_FALSE(r.definition.has_value());
    ASSERT_TRUE(r.error.isError());
    EXPECT_EQ(r.error.line, c.line) << r.error.text().toStdString();
    EXPECT_EQ(r.error.column, c.column) << r.error.text().toStdString();
    EXPECT_TRUE(r.error.message.contains(QString::fromUtf8(c.messagePart))) << r.error.text().toStdString();
    EXPECT_TRUE(r.error.text().startsWith(QStringLiteral("vrstica %1, stolpec %2: ").arg(c.line).arg(c.column)));
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedDefinition, ::testing::Values(
    DamagedCase{"empty", "", 1, 1, "prazno"},
    DamagedCase{"truncated",
                "{\n  \"format\": \"obdrac-report\",\n  \"version\": 1,\n  \"bands\": [\n    {\"type\": \"detail\", \"height\": 5",
                5, 35, "konča"},
    DamagedCase{"foreign",
                "<?xml version=\"1.0\"?>\n<report/>", 1, 1, "nepričakovan znak"},
    DamagedCase{"foreign json",
                "{\n  \"name\": \"x\",\n  \"format\": \"QuickReport\"\n}", 3, 13, "ni definicija izpisa"},
    DamagedCase{"wrong type",
                "{\"format\": \"obdrac-report\", \"version\": 1,\n \"bands\": [\n  {\"type\": \"detail\",\n   \"height\": \"pet\"}]}",
                4, 14, "mora biti število"},
    DamagedCase{"unknown band kind",
                "{\"format\": \"obdrac-report\", \"version\": 3,\n \"bands\": [{\"type\": \"crossTab\"}]}", 2, 21, "crossTab"},
    DamagedCase{"newer structure",
                "{\"format\": \"obdrac-report\", \"version\": 7,\n \"bands\": {\"detail\": []}}", 2, 11, "mora biti seznam"},
    DamagedCase{"bad colour",
                "{\"format\": \"obdrac-report\", \"version\": 1, \"bands\": [\n{\"type\": \"title\", \"elements\": [\n"
                "  {\"type\": \"label\", \"colour\": \"zelena\"}]}]}", 3, 31, "ni barva"},
    DamagedCase{"footer of an unknown group",
                "{\"format\": \"obdrac-report\", \"version\": 1, \"bands\": [\n{\"type\": \"groupFooter\", \"group\": \"X\"}]}",
                2, 1, "neznano glavo"},
    DamagedCase{"garbage after the end",
                "{\"format\": \"obdrac-report\", \"version\": 1} x", 1, 43, "za koncem"},
    DamagedCase{"not utf-8", "{\"format\": \"obdrac-report\",\n \"name\": \"\xC8\"}", 2, 1, "UTF-8"}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST(ReportDefinition, UniqueNamesAndLookups)
{
    const ReportDefinition d = listingDefinition();
    EXPECT_EQ(d.findBand(QStringLiteral("vrstica"))->kind, ReportBandKind::Detail);
    EXPECT_EQ(d.findBand(QStringLiteral("nič")), nullptr);
    EXPECT_EQ(d.groupHeaderIndexes(), std::vector<int>{2});
    EXPECT_EQ(d.uniqueName(QStringLiteral("Pas")), QStringLiteral("Pas1"));
    EXPECT_EQ(reportBandKindFromName(QStringLiteral("GROUPHEADER")), ReportBandKind::GroupHeader);
    EXPECT_EQ(reportElementKindName(ReportElementKind::SystemData), QStringLiteral("systemData"));
    EXPECT_EQ(reportBandKindCaption(ReportBandKind::PageHeader), QStringLiteral("Glava strani"));
}
