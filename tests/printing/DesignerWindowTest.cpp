// The report designer window on the real database, offscreen: a variant of the listing made by
// Save as and printed by the next listing, the storage questions, the "S" button, .QR2 files.
#include "PrintingFixture.h"

#include "../reports/ReportTestSupport.h"

#include "data/DataSif.h"
#include "data/core/SqlLiterals.h"
#include "data/dataset/TwwOEDataSet.h"
#include "printing/ReportFile.h"
#include "printing/ReportSort.h"
#include "printing/ui/ReportDesignerWindow.h"
#include "printing/ui/TOpenDBDialog.h"
#include "printing/ui/TSaveDBDialog.h"
#include "reports/ui/DesignerCanvas.h"
#include "reports/ui/DesignerPropertyPanel.h"
#include "reports/ui/ReportDesigner.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class DesignerWindowTest : public PrintingTest {
protected:
    static void SetUpTestSuite() { startSuite("printing_designer_window"); }
    static void TearDownTestSuite() { endSuite(); }

    void SetUp() override
    {
        PrintingTest::SetUp();
        sql("DELETE FROM Report WHERE Report >= 'A00' AND Report <> '27K'");
        // the shipped listing; a small one of our own while the shipped one cannot be read
        const QByteArray shipped = QByteArray::fromHex(
            sql("SELECT encode(ReportData, 'hex') FROM Report WHERE Report = '27K'").trimmed().toLatin1());
        if (!ReportDefinition::parse(shipped).definition)
            sql("UPDATE Report SET ReportData = convert_to(" + sqlQuotedStr(QString::fromUtf8(reporttest::listingDefinition().serialize()))
                + ", 'UTF8') WHERE Report = '27K'");
    }

    static QByteArray storedLayout(const QString& code)
    {
        return QByteArray::fromHex(sql("SELECT encode(ReportData, 'hex') FROM Report WHERE Report = '" + code + "'").trimmed().toLatin1());
    }

    // The Save as dialog answered with a name (and "Shrani").
    static std::function<int(QDialog&)> saveAsWith(const QString& name)
    {
        return [name](QDialog& dialog) {
            auto* save = qobject_cast<TSaveDBDialog*>(&dialog);
            if (!save)
                return int(QDialog::Rejected);
            save->nameEdit()->setText(name);
            save->saveClicked();
            return save->result();
        };
    }
};

// A label added to the first band that holds data fields, a data field moved 5 mm right.
struct VariantEdit {
    QString fieldName;
    double fieldLeft = 0;
};
VariantEdit editVariant(ReportDesigner& designer, const QString& labelText)
{
    designer.flush();
    const ReportDefinition& d = designer.definition();
    VariantEdit edit;
    int band = -1;
    for (int b = 0; b < int(d.bands.size()) && band < 0; ++b)
        for (int e = 0; e < int(d.bands[size_t(b)].elements.size()); ++e)
            if (const ReportElement& el = d.bands[size_t(b)].elements[size_t(e)];
                el.kind == ReportElementKind::DataField && el.leftMm + el.widthMm + 5 <= d.page.printableWidthMm()) {
                band = b;
                edit.fieldName = d.bands[size_t(b)].elements[size_t(e)].name;
                edit.fieldLeft = d.bands[size_t(b)].elements[size_t(e)].leftMm;
                designer.document().select({{b, e}});
                break;
            }
    EXPECT_GE(band, 0);
    designer.flush();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(designer.canvas(), Qt::Key_Right);
    // the title band gets the label (a band of its own, made with the designer)
    const int title = designer.addBand(ReportBandKind::Title);
    designer.addElement(ReportElementKind::Label, title, QPointF(0, 2));
    designer.flush();
    auto* text = designer.propertyPanel()->findChild<QLineEdit*>("fText");
    EXPECT_NE(text, nullptr);
    if (text) {
        text->setText(labelText);
        emit text->editingFinished();
    }
    return edit;
}

const ReportElement* findElement(const ReportDefinition& d, const QString& name)
{
    for (const ReportBand& b : d.bands)
        for (const ReportElement& e : b.elements)
            if (e.name == name)
                return &e;
    return nullptr;
}

TEST_F(DesignerWindowTest, VariantOfTheListingBySaveAsPrintsNextTime)
{
    const QByteArray shipped = storedLayout("27K");
    ReportDesignerWindow window;
    window.resize(1200, 800);
    ASSERT_TRUE(window.openCode("27K"));
    window.show();
    EXPECT_EQ(window.windowTitle(), QString("ObdracIzpis"));
    const VariantEdit edit = editVariant(*window.designer(), "Različica za računovodstvo ČŠŽ");
    EXPECT_TRUE(window.designer()->isModified());
    // for a look at the window: OBDRAC_DESIGNER_SHOT=<png> saves it, OBDRAC_DESIGNER_PAUSE_MS keeps
    // it on the screen for a while
    if (qEnvironmentVariableIsSet("OBDRAC_DESIGNER_PAUSE_MS"))
        QTest::qWait(qEnvironmentVariableIntValue("OBDRAC_DESIGNER_PAUSE_MS"));
    if (qEnvironmentVariableIsSet("OBDRAC_DESIGNER_SHOT"))
        window.grab().save(qEnvironmentVariable("OBDRAC_DESIGNER_SHOT"));

    // Save on 27K: the code is not a hexadecimal number; a message, nothing saved
    EXPECT_FALSE(window.saveCommand());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Error);
    EXPECT_TRUE(boxes.shown()[0].text.contains("Shrani kot")) << boxes.shown()[0].text.toStdString();
    EXPECT_EQ(storedLayout("27K"), shipped);

    // Save as under a new name
    window.runDialog = saveAsWith("Moja različica");
    ASSERT_TRUE(window.saveAsCommand()) << boxes.texts().join(" / ").toStdString();
    EXPECT_EQ(window.current().code, QString("A00"));
    EXPECT_EQ(window.windowTitle(), QString("Moja različica"));
    EXPECT_FALSE(window.designer()->isModified());
    EXPECT_EQ(storedLayout("27K"), shipped);
    const ReportDefinition made = window.designer()->definition();

    // reopened: the same definition, with the label and the moved field
    ReportDesignerWindow again;
    ASSERT_TRUE(again.openCode("A00"));
    EXPECT_TRUE(again.designer()->definition() == made);
    const ReportElement* moved = findElement(again.designer()->definition(), edit.fieldName);
    ASSERT_NE(moved, nullptr);
    EXPECT_DOUBLE_EQ(moved->leftMm, edit.fieldLeft + 5);

    // the listing chooses the variant and prints it
    makeListing(3);
    rememberReportCode("ObdracIzpis", "A00");
    const QString pdf = m_scratch.file("variant.pdf");
    const ReportFileResult result = writeReportFile(ReportStartDataSet(module->tbNapaka, "tbNapaka"), "ObdracIzpis", "27K",
                                                    {{"Obdobje", "1. 12. 2026"}}, "pdf", pdf);
    ASSERT_EQ(result.outcome, ReportFileResult::Outcome::Written) << result.error.toStdString();
    const QString text = reporttest::runTool("pdftotext", {pdf, "-"});
    EXPECT_TRUE(text.contains("Različica za računovodstvo ČŠŽ")) << text.toStdString();
    EXPECT_TRUE(text.contains("STOR-01")) << text.toStdString();
}

TEST_F(DesignerWindowTest, SaveAsRefusesTheFirstNameAndAsksBeforeAReplace)
{
    sql("INSERT INTO Report (Report, Naziv, FormName, ParentFormName, ReportData) VALUES "
        "('A04', 'Široka', 'ObdracIzpis', 'ObdracIzpis', (SELECT ReportData FROM Report WHERE Report = '27K'))");
    ReportDesignerWindow window;
    ASSERT_TRUE(window.openCode("27K"));
    TSaveDBDialog dialog(reportsOfForm("ObdracIzpis"));
    EXPECT_EQ(dialog.windowTitle(), QString("Shrani"));
    // clicking a name in the list copies it into the edit field
    dialog.show();
    dialog.list()->setCurrentRow(1);
    QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, dialog.list()->visualItemRect(dialog.list()->item(1)).center());
    EXPECT_EQ(dialog.nameEdit()->text(), QString("Široka"));
    // the first listed report's name: refused, the dialog stays
    dialog.nameEdit()->setText("ObdracIzpis");
    dialog.saveClicked();
    EXPECT_EQ(boxes.texts(), QStringList{"Ime je že zasedeno! Prosim izberite drugo ime."});
    EXPECT_TRUE(dialog.isVisible());
    // a later one: the question; Cancel stays, OK replaces
    boxes.clear();
    dialog.nameEdit()->setText("Široka");
    boxes.answer(MsgButton::Cancel);
    dialog.saveClicked();
    EXPECT_EQ(boxes.texts(), QStringList{"Ste preprićani, da želite zamenjati report: Široka?"});
    EXPECT_TRUE(dialog.isVisible());
    boxes.answer(MsgButton::Ok);
    dialog.saveClicked();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(dialog.target().kind, SaveAsTarget::Kind::Replace);
    EXPECT_EQ(dialog.target().code, QString("A04"));
}

TEST_F(DesignerWindowTest, SaveOfASystemReportOpensSaveAs)
{
    sql("INSERT INTO Report (Report, Naziv, FormName, ParentFormName, ReportData) VALUES "
        "('100', 'Sistemski', 'ObdracIzpis', 'ObdracIzpis', (SELECT ReportData FROM Report WHERE Report = '27K'))");
    ReportDesignerWindow window;
    ASSERT_TRUE(window.openCode("100"));
    window.designer()->addBand(ReportBandKind::Summary);
    QStringList dialogs;
    window.runDialog = [&](QDialog& d) {
        dialogs << d.objectName();
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(window.saveCommand());
    EXPECT_EQ(dialogs, QStringList{"TSaveDBDialog"});
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(window.designer()->isModified());
    sql("DELETE FROM Report WHERE Report = '100'");
}

TEST_F(DesignerWindowTest, CloseAsksSaveReport)
{
    sql("INSERT INTO Report (Report, Naziv, FormName, ParentFormName, ReportData) VALUES "
        "('A01', 'Moja', 'ObdracIzpis', 'ObdracIzpis', (SELECT ReportData FROM Report WHERE Report = '27K'))");
    const QByteArray before = storedLayout("A01");
    ReportDesignerWindow window;
    ASSERT_TRUE(window.openCode("A01"));
    window.show();
    window.designer()->addBand(ReportBandKind::PageFooter);
    // Cancel: stays open
    boxes.answer(MsgButton::Cancel);
    window.close();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, QString("Save report"));
    EXPECT_EQ(boxes.shown()[0].buttons, (std::vector<MsgButton>{MsgButton::Yes, MsgButton::No, MsgButton::Cancel}));
    EXPECT_TRUE(window.isVisible());
    // No: closes, nothing saved
    boxes.answer(MsgButton::No);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(storedLayout("A01"), before);
    EXPECT_FALSE(window.savedToDatabase());
    // Yes: saved under its own code, then closed
    window.show();
    boxes.answer(MsgButton::Yes);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(storedLayout("A01"), window.layout());
    EXPECT_TRUE(window.savedToDatabase());
}

TEST_F(DesignerWindowTest, OpenAsksReportNotSavedFirst)
{
    sql("INSERT INTO Report (Report, Naziv, FormName, ParentFormName, ReportData) VALUES "
        "('A02', 'Druga', 'ObdracIzpis', 'ObdracIzpis', (SELECT ReportData FROM Report WHERE Report = '27K'))");
    ReportDesignerWindow window;
    ASSERT_TRUE(window.openCode("27K"));
    window.designer()->addBand(ReportBandKind::PageFooter);
    QStringList dialogs;
    window.runDialog = [&](QDialog& d) {
        dialogs << d.objectName();
        auto* open = qobject_cast<TOpenDBDialog*>(&d);
        if (!open)
            return int(QDialog::Rejected);
        EXPECT_EQ(open->windowTitle(), QString("Odpri"));
        EXPECT_EQ(open->list()->topLevelItemCount(), 2);
        open->list()->setCurrentItem(open->list()->topLevelItem(1));
        return int(QDialog::Accepted);
    };
    boxes.answer(MsgButton::Cancel);
    EXPECT_FALSE(window.openCommand());
    EXPECT_EQ(boxes.shown().at(0).caption, QString("Report not saved"));
    EXPECT_TRUE(dialogs.isEmpty());
    // a definition that is not saved yet: the layout is not lost by opening another one
    window.designer()->markSaved();
    EXPECT_TRUE(window.openCommand());
    EXPECT_EQ(dialogs, QStringList{"TOpenDBDialog"});
    EXPECT_EQ(window.current().code, QString("A02"));
    EXPECT_EQ(window.windowTitle(), QString("Druga"));
    EXPECT_EQ(DataSif->Report->FieldByName("REPORT").asString(), QString("A02"));
}

TEST_F(DesignerWindowTest, SButtonOnlyInDevelopmentMode)
{
    {
        DevelopmentMode = false;
        ReportDesignerWindow window;
        EXPECT_EQ(window.sButton(), nullptr);
        EXPECT_EQ(window.findChild<QPushButton*>("bS"), nullptr);
    }
    DevelopmentMode = true;
    ReportDesignerWindow window;
    ASSERT_NE(window.sButton(), nullptr);
    EXPECT_EQ(window.sButton()->text(), QString("S"));
    ASSERT_TRUE(window.openCode("27K"));
    window.show();
    window.designer()->addBand(ReportBandKind::PageFooter);
    // S writes into the current row whatever its code and closes
    QTest::mouseClick(window.sButton(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(storedLayout("27K"), window.layout());
    EXPECT_TRUE(boxes.shown().empty());
    DevelopmentMode = false;
}

TEST_F(DesignerWindowTest, ImportAndExportOfQr2Files)
{
    ReportDesignerWindow window;
    ASSERT_TRUE(window.openCode("27K"));
    const QString path = m_scratch.file("izpis.QR2");
    window.designer()->addBand(ReportBandKind::PageFooter);
    const ReportDefinition exported = window.designer()->definition();
    ASSERT_TRUE(window.exportFile(path));
    window.designer()->document().undoStack().undo();
    ASSERT_TRUE(window.importFile(path));
    EXPECT_TRUE(window.designer()->definition() == exported);
    // one step: undo takes the import back
    window.designer()->document().undoStack().undo();
    EXPECT_FALSE(window.designer()->definition() == exported);
    // a damaged file: a message with the place of the fault; the definition stays
    QFile bad(m_scratch.file("pokvarjen.QR2"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{\n  \"format\": \"obdrac-report\",\n  \"version\": 1,\n  \"bands\": [ { \"kind\": \n");
    bad.close();
    const ReportDefinition kept = window.designer()->definition();
    EXPECT_FALSE(window.importFile(bad.fileName()));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.shown()[0].text.contains("vrstica")) << boxes.shown()[0].text.toStdString();
    EXPECT_TRUE(window.designer()->definition() == kept);
}

TEST_F(DesignerWindowTest, DamagedStoredLayoutIsNotOpened)
{
    sql("INSERT INTO Report (Report, Naziv, FormName, ParentFormName, ReportData) VALUES "
        "('A05', 'Pokvarjen', 'ObdracIzpis', 'ObdracIzpis', convert_to('{ \"format\": ', 'UTF8'))");
    ReportDesignerWindow window;
    EXPECT_FALSE(window.openCode("A05"));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("Izpisa A05 (Pokvarjen) ni mogoče prebrati: vrstica"))
        << boxes.shown()[0].text.toStdString();
    EXPECT_FALSE(window.openCode("XYZ"));
}

} // namespace
