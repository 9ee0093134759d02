// The commands of the preview window: paging, zoom, print, save, the exports, and the report
// group (variant choice, refresh, design, deletion).
#include "printing/ui/TFormPrvw.h"

#include "data/DataSif.h"
#include "data/core/EConvertError.h"
#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"
#include "printing/EExportFailed.h"
#include "printing/PreviewExport.h"
#include "printing/PreviewReportFiles.h"
#include "printing/PrintOrigin.h"
#include "printing/ReportCodes.h"
#include "printing/ReportDesignEdit.h"
#include "printing/ReportSort.h"
#include "printing/ReportStart.h"
#include "printing/ui/PrintOriginClick.h"
#include "printing/ui/ReportGroupComboBox.h"
#include "printing/ui/TFormSendMail.h"
#include "reports/ReportGenerator.h"
#include "reports/ReportPrinting.h"
#include "reports/ui/ReportPageView.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolButton>

namespace {
const QString WaitForPages = QStringLiteral("Prosim počakajte da se odprejo vse strani!");
} // namespace

bool TFormPrvw::waitForPages()
{
    if (!pagesPending())
        return false;
    showError(WaitForPages);
    return true;
}

// --- paging and zoom ------------------------------------------------------------------------

void TFormPrvw::FirstPageClick() { m_view->firstPage(); updatePagePosition(); }
void TFormPrvw::PrevPageClick() { m_view->setCurrentPage(m_view->currentPage() - 1); updatePagePosition(); }
void TFormPrvw::NextPageClick() { m_view->setCurrentPage(m_view->currentPage() + 1); updatePagePosition(); }
void TFormPrvw::LastPageClick() { m_view->setCurrentPage(m_view->pageCount()); updatePagePosition(); }

void TFormPrvw::ZoomToWidthClick()
{
    QCoreApplication::processEvents();
    m_view->zoomToWidth();
    m_zoomToWidth->setChecked(true);
}

void TFormPrvw::ZoomFitClick()
{
    QCoreApplication::processEvents();
    m_view->zoomWholePage();
    m_zoomFit->setChecked(true);
}

void TFormPrvw::Zoom100Click()
{
    QCoreApplication::processEvents();
    m_view->setZoomPercent(100);
    m_zoom100->setChecked(true);
}

void TFormPrvw::ComboBox1Change(const QString& text)
{
    const ZoomBoxChange change = ZoomBoxTextChanged(text);
    if (change.percent)
        m_view->setZoomPercent(*change.percent);
    if (change.toWidth) {
        m_view->zoomToWidth();
        m_zoomToWidth->setChecked(true);
    }
    if (change.wholePage) {
        m_view->zoomWholePage();
        m_zoomFit->setChecked(true);
    }
    if (change.press100)
        m_zoom100->setChecked(true);
}

void TFormPrvw::ComboBox1Enter()
{
    const QString text = m_zoomBox->currentText();
    const QString entered = ZoomBoxEnter(text);
    if (entered != text)
        m_zoomBox->setEditText(entered);
}

// --- print and save -------------------------------------------------------------------------

void TFormPrvw::PrintClick()
{
    guard(QStringLiteral("PrintClick"), this, [&] {
        if (!m_generator || waitForPages())
            return;
        QPrinter printer;
        printer.setDocName(windowTitle());
        QString error;
        if (!printPreparedReport(m_generator->prepared(), printer, &error))
            throw EExportFailed(error);
    });
}

void TFormPrvw::PrintSetupClick()
{
    guard(QStringLiteral("PrintSetupClick"), this, [&] {
        if (!m_generator || waitForPages())
            return;
        QPrinter printer;
        printer.setDocName(windowTitle());
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Tiskanje"));
        if (dialog.exec() != QDialog::Accepted)
            return;
        QString error;
        if (!printPreparedReport(m_generator->prepared(), printer, &error))
            throw EExportFailed(error);
    });
}

std::unique_ptr<QFileDialog> TFormPrvw::createSaveDialog()
{
    auto dialog = std::make_unique<QFileDialog>(this, SaveReportTitle);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters(SaveReportFilters());
    dialog->setDefaultSuffix(SaveReportDefaultSuffix);
    QFileDialog* d = dialog.get();
    connect(d, &QFileDialog::filterSelected, d, [d](const QString& filter) {
        d->setDefaultSuffix(SaveReportExtension(int(d->nameFilters().indexOf(filter))));
    });
    return dialog;
}

void TFormPrvw::SaveClick()
{
    guard(QStringLiteral("SaveClick"), this, [&] {
        if (!m_generator || waitForPages())
            return;
        auto dialog = createSaveDialog();
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return;
        SaveReportTo(dialog->selectedFiles().constFirst(),
                     int(dialog->nameFilters().indexOf(dialog->selectedNameFilter())));
    });
}

void TFormPrvw::SaveReportTo(const QString& path, int filterIndex)
{
    if (!m_generator)
        return;
    try {
        SaveReportAs(m_generator->prepared(), path, std::max(filterIndex, 0));
    } catch (const std::exception& e) {
        ShowAndLogError(e, this, QStringLiteral("SaveClick"), QStringLiteral("Izpisa ni mogoče shraniti"));
    }
}

// --- exports --------------------------------------------------------------------------------

bool TFormPrvw::exportToOffice(int which, bool native)
{
    const auto program = OfficeProgram(which);
    const bool sheet = program == OfficeProgram::Spreadsheet;
    const QString operation = sheet ? QStringLiteral("SpeedButton13Click") : QStringLiteral("SpeedButton14Click");
    return guard(operation, this, false, [&] {
        if (!m_generator)
            return false;
        const PreparedReport& report = m_generator->prepared();
        QString fileName = sheet ? SpreadsheetTempFile : WordProcessorTempFile;
        ReportFileWriter writer = [&report](const QString& path) { return ConvertToHTMLFile(report, path); };
        if (native) {
            const QString extension = sheet ? QStringLiteral("xlsx") : QStringLiteral("odt");
            fileName.replace(QStringLiteral(".htm"), "." + extension);
            writer = [&report, extension](const QString& path) {
                WriteReportAs(report, extension, path);
                return true;
            };
        }
        return ExportToOfficeProgram(program, fileName, pagesPending(), writer, this, operation);
    });
}

void TFormPrvw::SpeedButton13Click() { exportToOffice(int(OfficeProgram::Spreadsheet), false); }
void TFormPrvw::SpeedButton14Click() { exportToOffice(int(OfficeProgram::WordProcessor), false); }
void TFormPrvw::ExportToExcelNative() { exportToOffice(int(OfficeProgram::Spreadsheet), true); }
void TFormPrvw::ExportToWordNative() { exportToOffice(int(OfficeProgram::WordProcessor), true); }

void TFormPrvw::SpeedButton15Click()
{
    guard(QStringLiteral("SpeedButton15Click"), this, [&] {
        if (!m_generator)
            return;
        const PreparedReport& report = m_generator->prepared();
        const auto path = WriteMailAttachment(
            pagesPending(), [&report](const QString& p) { return ConvertToHTMLFile(report, p); }, this,
            QStringLiteral("SpeedButton15Click"));
        if (!path)
            return;
        TFormSendMail form(*path, windowTitle(), this);
        form.exec();
    });
}

// --- the report group -----------------------------------------------------------------------

bool TFormPrvw::positionOnComboCode()
{
    const QString comboCode = ReportGroupCode(m_cbReportGroup->currentText());
    if (comboCode.isEmpty() || comboCode == currentReportField(QStringLiteral("REPORT")))
        return true;
    return positionReport(comboCode);
}

void TFormPrvw::cbReportGroupDropDown()
{
    guard(QStringLiteral("cbReportGroupDropDown"), this, [&] {
        const QString shown = m_cbReportGroup->currentText();
        fillReportGroup(ReportGroupByFormNameSql(currentReportField(QStringLiteral("FORMNAME"))));
        const int index = m_cbReportGroup->findText(shown);
        if (index >= 0)
            m_cbReportGroup->setCurrentIndex(index);
        else if (!shown.isEmpty()) {
            m_cbReportGroup->insertItem(0, shown, ReportGroupCode(shown));
            m_cbReportGroup->setCurrentIndex(0);
        }
    });
}

void TFormPrvw::cbReportGroupCloseUp(int index)
{
    guard(QStringLiteral("cbReportGroupCloseUp"), this, [&] {
        if (index < 0)
            return;
        if (ReportGroupCode(m_cbReportGroup->itemText(index)) != m_codeShown)
            SpeedButton18Click();
    });
}

void TFormPrvw::SpeedButton18Click()
{
    guard(QStringLiteral("SpeedButton18Click"), this, [&] {
        // 1.
        cancelGeneration();
        PreviewRefreshing = true;
        // 2. and 3.
        if (!positionOnComboCode())
            throw EExportFailed(QStringLiteral("Izpisa %1 ni v bazi.").arg(ReportGroupCode(m_cbReportGroup->currentText())));
        rememberReportCode(currentReportField(QStringLiteral("FORMNAME")), currentReportField(QStringLiteral("REPORT")));
        // 4. The origin repeats the printout; its report start shows it in this window again.
        const bool clicked = clickPrintOrigin();
        // A start that ended before its preview (no rows, no definition) leaves no setup to
        // clear the flag, which would then keep the box of the next, unrelated preview.
        PreviewRefreshing = false;
        if (!clicked)
            showError(QStringLiteral("Dokumenta ni mogoče osvežiti"));
    });
    PreviewRefreshing = false;
}

void TFormPrvw::SpeedButton16Click()
{
    guard(QStringLiteral("SpeedButton16Click"), this, [&] {
        if (!positionOnComboCode())
            return;
        try {
            EditReportDesign(*requireDataSif().Report);
        } catch (const EDesignerUnavailable& e) {
            ShowAndLogError(e, this, QStringLiteral("SpeedButton16Click"), QStringLiteral("Izpisa ni mogoče oblikovati."));
        }
    });
}

void TFormPrvw::ZbrisiIzpisClick()
{
    guard(QStringLiteral("ZbrisiIzpisClick"), this, [&] {
        // 1.
        if (!positionOnComboCode())
            return;
        TwwOEDataSet& report = *requireDataSif().Report;
        const QString code = currentReportField(QStringLiteral("REPORT"));
        bool system = true;
        try {
            system = isSystemReportCode(code);
        } catch (const EConvertError& e) {
            ShowAndLogError(e, this, QStringLiteral("ZbrisiIzpisClick"), QStringLiteral("Izpisa ni mogoče zbrisati."));
            return;
        }
        // 3.
        if (system) {
            showError(QStringLiteral("Originalnega reporta ni mogoče zbrisati!"));
            return;
        }
        // 2.
        const QString name = currentReportField(QStringLiteral("NAZIV"));
        if (askConfirmation(QStringLiteral("Ste prepričani, da želite zbrisati report: ") + name + QStringLiteral(" ?")) !=
            MsgButton::Ok)
            return;
        const QString formName = currentReportField(QStringLiteral("FORMNAME"));
        cancelGeneration();
        report.Delete();
        fillReportGroup(ReportGroupByFormNameSql(formName));
        m_tbRepGroup->Close();
        if (m_cbReportGroup->count() == 0)
            return;
        m_cbReportGroup->setCurrentIndex(0);
        positionReport(ReportGroupCode(m_cbReportGroup->currentText()));
        SpeedButton18Click();
    });
}

void TFormPrvw::StopClick() { cancelGeneration(); }
