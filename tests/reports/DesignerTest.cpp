// The report designer without a database: its edits, the canvas gestures, undo and redo.
#include "ReportTestSupport.h"

#include "data/log/MessageBoxes.h"
#include "reports/ui/DesignerCanvas.h"
#include "reports/ui/DesignerEdits.h"
#include "reports/ui/DesignerPropertyPanel.h"
#include "reports/ui/ExpressionBuilderDialog.h"
#include "reports/ui/ReportDesigner.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace reporttest;

namespace {
int bandIndex(const ReportDefinition& d, const QString& name)
{
    for (int i = 0; i < int(d.bands.size()); ++i)
        if (d.bands[size_t(i)].name == name)
            return i;
    return -1;
}

DesignerElementRef elementRef(const ReportDefinition& d, const QString& name)
{
    for (int b = 0; b < int(d.bands.size()); ++b)
        for (int e = 0; e < int(d.bands[size_t(b)].elements.size()); ++e)
            if (d.bands[size_t(b)].elements[size_t(e)].name == name)
                return {b, e};
    return {};
}

const ReportElement& elementNamed(const ReportDefinition& d, const QString& name)
{
    const DesignerElementRef r = elementRef(d, name);
    EXPECT_GE(r.band, 0) << name.toStdString();
    return d.bands[size_t(r.band)].elements[size_t(r.element)];
}
} // namespace

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        designer.resize(1100, 700);
        designer.load(listingDefinition());
        designer.show();
        designer.flush();
    }
    ScriptedMessageBoxes boxes;
    ReportDesigner designer;
};

TEST(DesignerEditsTest, BandsGoWhereTheirKindBelongs)
{
    ReportDefinition d = listingDefinition();   // Glava, Stolpci, Predloga, Vrstica, SkupajPredloga, Skupaj
    struct {
        ReportBandKind kind;
        int index;
    } cases[] = {{ReportBandKind::Title, 1}, {ReportBandKind::PageFooter, 7}, {ReportBandKind::GroupHeader, 4},
                 {ReportBandKind::Summary, 8}};
    for (const auto& c : cases) {
        const int at = DesignerEdits::addBand(d, c.kind);
        EXPECT_EQ(at, c.index) << reportBandKindName(c.kind).toStdString();
        EXPECT_EQ(d.bands[size_t(at)].kind, c.kind);
    }
    // names are unique
    QStringList names;
    for (const ReportBand& b : d.bands)
        names << b.name;
    names.removeDuplicates();
    EXPECT_EQ(names.size(), qsizetype(d.bands.size()));
    // reorder and remove
    const int group = bandIndex(d, "Predloga");
    EXPECT_TRUE(DesignerEdits::moveBand(d, group, 1));
    EXPECT_EQ(bandIndex(d, "Predloga"), group + 1);
    EXPECT_FALSE(DesignerEdits::moveBand(d, int(d.bands.size()) - 1, 1));
    DesignerEdits::removeBand(d, bandIndex(d, "Predloga"));
    EXPECT_EQ(bandIndex(d, "Predloga"), -1);
    DesignerEdits::setBandHeight(d, 0, 0.3);
    EXPECT_EQ(d.bands[0].heightMm, DesignerEdits::MinBandHeightMm);
}

TEST(DesignerEditsTest, MovingAcrossBandsAlignCopyPaste)
{
    ReportDefinition d = listingDefinition();
    const int detail = bandIndex(d, "Vrstica");
    const int summary = bandIndex(d, "Skupaj");
    // band tops on one continuous axis: each band 10 mm apart from the previous one's bottom
    std::vector<double> tops;
    double y = 0;
    for (const ReportBand& b : d.bands) {
        y += 4;
        tops.push_back(y);
        y += b.heightMm;
    }
    // the field Ident moved down into the summary band keeps its page position there
    const DesignerElementRef ident = elementRef(d, "Ident");
    const double down = tops[size_t(summary)] - tops[size_t(detail)] + 1;
    const auto moved = DesignerEdits::moveElements(d, {ident}, QPointF(5, down), tops);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].band, summary);
    EXPECT_EQ(d.bands[size_t(summary)].elements[size_t(moved[0].element)].name, QString("Ident"));
    EXPECT_DOUBLE_EQ(d.bands[size_t(summary)].elements[size_t(moved[0].element)].leftMm, 15);
    EXPECT_DOUBLE_EQ(d.bands[size_t(summary)].elements[size_t(moved[0].element)].topMm, 1);
    EXPECT_EQ(elementRef(d, "Kolicina").band, detail);
    // kept inside the printable width
    DesignerEdits::moveElements(d, {elementRef(d, "Cena")}, QPointF(500, 0));
    EXPECT_DOUBLE_EQ(elementNamed(d, "Cena").leftMm, d.page.printableWidthMm() - 30);

    // align to the first selected element
    DesignerEdits::align(d, {elementRef(d, "Kolicina"), elementRef(d, "Rabat")}, DesignerEdits::Alignment::Right);
    EXPECT_DOUBLE_EQ(elementNamed(d, "Rabat").leftMm + elementNamed(d, "Rabat").widthMm, 85);
    DesignerEdits::align(d, {elementRef(d, "Kolicina"), elementRef(d, "Rabat")}, DesignerEdits::Alignment::SameWidth);
    EXPECT_DOUBLE_EQ(elementNamed(d, "Rabat").widthMm, 25);

    // copy and paste: copies with new names, the originals untouched
    const QByteArray clip = DesignerEdits::copyElements(d, {elementRef(d, "Kolicina"), elementRef(d, "Rabat")});
    const auto pasted = DesignerEdits::pasteElements(d, summary, clip, QPointF(2, 0));
    ASSERT_EQ(pasted.size(), 2u);
    const ReportElement& copy = d.bands[size_t(summary)].elements[size_t(pasted[0].element)];
    EXPECT_EQ(copy.field, QString("Kolicina"));
    EXPECT_NE(copy.name, QString("Kolicina"));
    EXPECT_DOUBLE_EQ(copy.leftMm, 62);
    EXPECT_TRUE(DesignerEdits::pasteElements(d, summary, "ni definicija", QPointF()).empty());
}

TEST_F(DesignerTest, UndoRestoresThePreviousDefinitionExactly)
{
    const ReportDefinition original = designer.definition();
    const QByteArray originalText = original.serialize();
    // several kinds of edit, one undo step each
    const int detail = bandIndex(original, "Vrstica");
    const DesignerElementRef added = designer.addElement(ReportElementKind::Label, detail, QPointF(120, 1));
    designer.document().select({elementRef(designer.definition(), "Ident")});
    designer.canvas()->moveSelection(QPointF(3, 0));
    designer.canvas()->finishBandResize(detail, 9);
    designer.alignSelection(int(DesignerEdits::Alignment::Left));   // one element: nothing to do, no step
    designer.document().select({added, elementRef(designer.definition(), "Cena")});
    designer.deleteSelection();
    const int steps = designer.document().undoStack().count();
    EXPECT_EQ(steps, 4);
    EXPECT_TRUE(designer.isModified());
    const ReportDefinition edited = designer.definition();

    for (int i = 0; i < steps; ++i)
        designer.document().undoStack().undo();
    EXPECT_TRUE(designer.definition() == original);
    EXPECT_EQ(designer.definition().serialize(), originalText);
    EXPECT_FALSE(designer.isModified());
    for (int i = 0; i < steps; ++i)
        designer.document().undoStack().redo();
    EXPECT_TRUE(designer.definition() == edited);
}

TEST_F(DesignerTest, ArrowKeysMoveAndResizeOneStepEach)
{
    designer.document().select({elementRef(designer.definition(), "Kolicina")});
    designer.flush();
    designer.canvas()->setFocus();
    QTest::keyClick(designer.canvas(), Qt::Key_Right);
    QTest::keyClick(designer.canvas(), Qt::Key_Right);
    QTest::keyClick(designer.canvas(), Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(designer.canvas(), Qt::Key_Right, Qt::ShiftModifier);
    const ReportElement& e = elementNamed(designer.definition(), "Kolicina");
    EXPECT_NEAR(e.leftMm, 61.9, 1e-9);
    EXPECT_NEAR(e.widthMm, 26, 1e-9);
    EXPECT_EQ(designer.document().undoStack().count(), 4);
    // the grid step is the arrow step
    designer.canvas()->setGridMm(5);
    QTest::keyClick(designer.canvas(), Qt::Key_Left);
    EXPECT_NEAR(elementNamed(designer.definition(), "Kolicina").leftMm, 56.9, 1e-9);
}

TEST_F(DesignerTest, DragWithTheMouseSnapsToTheGrid)
{
    const int detail = bandIndex(designer.definition(), "Vrstica");
    designer.document().select({elementRef(designer.definition(), "Ident")});
    designer.flush();
    DesignerCanvas* canvas = designer.canvas();
    const QPoint from = canvas->mapFromScene(canvas->scenePos(detail, QPointF(12, 2)));
    const QPoint to = from + QPoint(int(7.4 * canvas->pixelsPerMm()), 0);
    QTest::mousePress(canvas->viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, canvas->viewport()->mapToGlobal(to), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas->viewport(), &move);
    QTest::mouseRelease(canvas->viewport(), Qt::LeftButton, {}, to);
    QApplication::processEvents();
    // 7.4 mm to the right, snapped to the 1 mm grid
    EXPECT_DOUBLE_EQ(elementNamed(designer.definition(), "Ident").leftMm, 17);
    EXPECT_EQ(designer.document().undoStack().count(), 1);
}

TEST_F(DesignerTest, PropertyPanelEditsTheSelectedElementAndBand)
{
    const int detail = bandIndex(designer.definition(), "Vrstica");
    const DesignerElementRef label = designer.addElement(ReportElementKind::Label, detail, QPointF(150, 0));
    designer.flush();
    auto* text = designer.propertyPanel()->findChild<QLineEdit*>("fText");
    ASSERT_NE(text, nullptr);
    text->setText("Opomba: č š ž");
    emit text->editingFinished();
    EXPECT_EQ(designer.document().element(label)->text, QString("Opomba: č š ž"));

    // an expression is checked as it is typed; a bad one is kept out by the builder
    designer.document().select({elementRef(designer.definition(), "Vrednost")});
    designer.flush();
    auto* expr = designer.propertyPanel()->findChild<QLineEdit*>("fExpression");
    ASSERT_NE(expr, nullptr);
    expr->setText("Kolicina * (Cena");
    auto* check = designer.propertyPanel()->findChild<QLabel*>("fExpressionCheck");
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->text().startsWith("Napaka: ")) << check->text().toStdString();
    ExpressionBuilderDialog builder("Kolicina * (Cena", designer.propertyPanel()->qualifiedFields());
    EXPECT_FALSE(builder.isAcceptable());
    builder.setExpression("Kolicina * Cena");
    EXPECT_TRUE(builder.isAcceptable());
    EXPECT_EQ(builder.verdict(), QString("Izraz je pravilen."));

    // the band: its height
    designer.document().selectBand(detail);
    designer.flush();
    auto* height = designer.propertyPanel()->findChild<QDoubleSpinBox*>("fBandHeight");
    ASSERT_NE(height, nullptr);
    height->setValue(12);
    EXPECT_DOUBLE_EQ(designer.definition().bands[size_t(detail)].heightMm, 12);
}

TEST_F(DesignerTest, CopyPasteAndDeleteThroughTheToolBar)
{
    const int before = int(designer.definition().bands[size_t(bandIndex(designer.definition(), "Vrstica"))].elements.size());
    designer.document().select({elementRef(designer.definition(), "Ident"), elementRef(designer.definition(), "Cena")});
    designer.copySelection();
    designer.paste();
    const int detail = bandIndex(designer.definition(), "Vrstica");
    EXPECT_EQ(int(designer.definition().bands[size_t(detail)].elements.size()), before + 2);
    EXPECT_EQ(designer.document().selection().size(), 2u);   // the copies are selected
    designer.findChild<QToolBar*>("DesignerToolBar")->findChild<QAction*>("aDelete")->trigger();
    EXPECT_EQ(int(designer.definition().bands[size_t(detail)].elements.size()), before);
    EXPECT_EQ(designer.document().undoStack().count(), 2);
}
