#include "printing/ui/ReportDesignerWindow.h"

#include "printing/ui/TOpenDBDialog.h"
#include "printing/ui/TSaveDBDialog.h"

#include "data/DataSif.h"
#include "data/core/ProgramState.h"
#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"
#include "reports/ReportDefinition.h"
#include "reports/ui/ReportDesigner.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace {
const QString FileFilter = QStringLiteral("Reports (*.QR2)");

MsgButton ask(const QString& caption, const QString& text, std::vector<MsgButton> buttons)
{
    MessageRequest request;
    request.kind = MsgKind::Confirmation;
    request.caption = caption;
    request.text = text;
    request.buttons = std::move(buttons);
    return messageBoxes().show(request);
}

// A failure of a storage command: a save refused for a reason the user can act on shows its own
// message; anything else is logged under the command's name and shown.
template <class Body>
bool storageCommand(const QString& operation, QObject* sender, Body&& body)
{
    try {
        return body();
    } catch (const EReportSave& e) {
        showError(e.message());
    } catch (const std::exception& e) {
        guard(operation, sender, [&] { throw; });
        showError(QStringLiteral("Izpisa ni bilo mogoče shraniti: ") + QString::fromUtf8(e.what()));
    }
    return false;
}
} // namespace

ReportDesignerWindow::ReportDesignerWindow(QWidget* parent) : QDialog(parent), m_designer(new ReportDesigner)
{
    setObjectName(QStringLiteral("ReportDesignerWindow"));
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    runDialog = [](QDialog& dialog) { return dialog.exec(); };
    chooseFile = [this](bool save) {
        if (save) {
            QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Izvozi izpis"), m_current.name + QStringLiteral(".QR2"), FileFilter);
            if (!path.isEmpty() && !path.endsWith(QStringLiteral(".QR2"), Qt::CaseInsensitive))
                path += QStringLiteral(".QR2");
            return path;
        }
        return QFileDialog::getOpenFileName(this, QStringLiteral("Uvozi izpis"), QString(), FileFilter);
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildMenu();
    layout->setMenuBar(findChild<QMenuBar*>());
    if (DevelopmentMode) {
        auto* bar = new QHBoxLayout;
        m_sButton = new QPushButton(QStringLiteral("S"));
        m_sButton->setObjectName(QStringLiteral("bS"));
        m_sButton->setToolTip(QStringLiteral("Shrani v trenutni zapis in zapri (razvoj aplikacije)"));
        m_sButton->setFixedWidth(32);
        m_sButton->setAutoDefault(false);
        connect(m_sButton, &QPushButton::clicked, this, &ReportDesignerWindow::saveIntoCurrentRow);
        bar->addWidget(m_sButton);
        bar->addStretch();
        layout->addLayout(bar);
    }
    layout->addWidget(m_designer, 1);
    connect(m_designer, &ReportDesigner::modifiedChanged, this, &ReportDesignerWindow::updateCaption);
    resize(1200, 780);
}

ReportDesignerWindow::~ReportDesignerWindow() = default;

void ReportDesignerWindow::buildMenu()
{
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("&Datoteka"));
    file->setObjectName(QStringLiteral("mDatoteka"));
    QAction* open = file->addAction(QStringLiteral("&Odpri ..."), this, &ReportDesignerWindow::openCommand);
    open->setShortcut(QKeySequence::Open);
    QAction* save = file->addAction(QStringLiteral("&Shrani"), this, &ReportDesignerWindow::saveCommand);
    save->setShortcut(QKeySequence::Save);
    file->addAction(QStringLiteral("Shrani &kot ..."), this, &ReportDesignerWindow::saveAsCommand);
    file->addSeparator();
    file->addAction(QStringLiteral("&Uvozi iz datoteke ..."), this, [this] {
        const QString path = chooseFile(false);
        if (!path.isEmpty())
            importFile(path);
    });
    file->addAction(QStringLiteral("&Izvozi v datoteko ..."), this, [this] {
        const QString path = chooseFile(true);
        if (!path.isEmpty())
            exportFile(path);
    });
    file->addSeparator();
    file->addAction(QStringLiteral("&Zapri"), this, &QWidget::close);
}

void ReportDesignerWindow::setDataSources(const ReportDataSources& sources, const ReportContext& context)
{
    m_designer->setDataSources(sources);
    m_designer->setContext(context);
}

void ReportDesignerWindow::updateCaption()
{
    setWindowTitle(m_current.name + (m_designer->isModified() ? QStringLiteral(" *") : QString()));
}

QByteArray ReportDesignerWindow::layout() const { return m_designer->definition().serialize(); }

bool ReportDesignerWindow::loadLayout(const QByteArray& data, const QString& source)
{
    if (data.trimmed().isEmpty()) {
        // a row without a layout yet: an empty page to start from
        ReportDefinition fresh;
        fresh.name = m_current.formName;
        fresh.title = m_current.name;
        ReportBand detail;
        detail.name = QStringLiteral("Detail1");
        fresh.bands.push_back(detail);
        m_designer->load(fresh);
        return true;
    }
    ReportParseResult parsed = ReportDefinition::parse(data);
    if (!parsed.definition) {
        showError(source + QStringLiteral(" ni mogoče prebrati: ") + parsed.error.text());
        return false;
    }
    m_designer->load(*parsed.definition);
    return true;
}

bool ReportDesignerWindow::openCode(const QString& code)
{
    return storageCommand(QStringLiteral("DesignerOpen"), this, [&] {
        QByteArray data;
        const DesignerReport report = openStoredReport(code, &data);
        const DesignerReport previous = m_current;
        m_current = report;
        if (!loadLayout(data, QStringLiteral("Izpisa ") + report.code + QStringLiteral(" (") + report.name + QStringLiteral(")"))) {
            m_current = previous;
            return false;
        }
        updateCaption();
        return true;
    });
}

bool ReportDesignerWindow::openCommand()
{
    if (m_designer->isModified()) {
        if (ask(QStringLiteral("Report not saved"), QStringLiteral("Izpis ni shranjen. Ga shranim, preden odprem drugega ?"),
                {MsgButton::Ok, MsgButton::Cancel})
            != MsgButton::Ok)
            return false;
        if (!saveCommand())
            return false;
    }
    std::vector<ReportListRow> rows;
    if (!storageCommand(QStringLiteral("DesignerOpen"), this, [&] {
            rows = reportsOfForm(m_current.formName);
            return true;
        }))
        return false;
    TOpenDBDialog dialog(rows, m_current.code, this);
    if (runDialog(dialog) != QDialog::Accepted || dialog.chosenCode().isEmpty())
        return false;
    return openCode(dialog.chosenCode());
}

bool ReportDesignerWindow::saveCommand()
{
    bool toSaveAs = false;
    const bool saved = storageCommand(QStringLiteral("DesignerSave"), this, [&] {
        if (saveNeedsSaveAs(m_current.code)) {
            toSaveAs = true;
            return false;
        }
        writeReportLayout(m_current.code, layout());
        m_designer->markSaved();
        m_saved = true;
        return true;
    });
    if (toSaveAs)
        return saveAsCommand();
    return saved;
}

bool ReportDesignerWindow::saveAsCommand()
{
    std::vector<ReportListRow> rows;
    if (!storageCommand(QStringLiteral("DesignerSaveAs"), this, [&] {
            rows = reportsOfForm(m_current.formName);
            return true;
        }))
        return false;
    TSaveDBDialog dialog(rows, this);
    if (runDialog(dialog) != QDialog::Accepted)
        return false;
    return saveAs(dialog.target(), dialog.typedName());
}

bool ReportDesignerWindow::saveAs(const SaveAsTarget& target, const QString& name)
{
    return storageCommand(QStringLiteral("DesignerSaveAs"), this, [&] {
        m_current = saveReportAs(m_current, target, name, layout());
        m_designer->markSaved();
        m_saved = true;
        updateCaption();
        return true;
    });
}

bool ReportDesignerWindow::saveIntoCurrentRow()
{
    const bool saved = storageCommand(QStringLiteral("DesignerSaveS"), this, [&] {
        writeReportLayout(m_current.code, layout());
        m_designer->markSaved();
        m_saved = true;
        return true;
    });
    if (saved)
        close();
    return saved;
}

bool ReportDesignerWindow::importFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showError(QStringLiteral("Datoteke ") + path + QStringLiteral(" ni mogoče odpreti: ") + file.errorString());
        return false;
    }
    ReportParseResult parsed = ReportDefinition::parse(file.readAll());
    if (!parsed.definition) {
        showError(QStringLiteral("Datoteke ") + path + QStringLiteral(" ni mogoče prebrati: ") + parsed.error.text());
        return false;
    }
    // one step of the undo history, so that an import by mistake can be taken back
    const ReportDefinition imported = *parsed.definition;
    m_designer->document().edit(QStringLiteral("Uvoz"), [&](ReportDefinition& d) { d = imported; });
    return true;
}

bool ReportDesignerWindow::exportFile(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(layout()) < 0 || !file.commit()) {
        showError(QStringLiteral("Datoteke ") + path + QStringLiteral(" ni mogoče zapisati: ") + file.errorString());
        return false;
    }
    return true;
}

void ReportDesignerWindow::closeEvent(QCloseEvent* event)
{
    if (m_designer->isModified()) {
        switch (ask(QStringLiteral("Save report"), QStringLiteral("Izpis je spremenjen. Ga želite shraniti ?"),
                    {MsgButton::Yes, MsgButton::No, MsgButton::Cancel})) {
        case MsgButton::Yes:
            if (!saveCommand()) {
                event->ignore();
                return;
            }
            break;
        case MsgButton::No: break;
        default:
            event->ignore();
            return;
        }
    }
    event->accept();
    QDialog::done(QDialog::Accepted);
}

void ReportDesignerWindow::reject() { close(); }

ReportDataSources designerDataSources()
{
    ReportDataSources sources;
    if (DataSif == nullptr)
        return sources;
    sources.add(std::make_shared<LocalTableReportSource>(DataSif->tbNapaka, QStringLiteral("tbNapaka")));
    sources.add(std::make_shared<DataSetReportSource>(*DataSif->tbParameter));
    sources.add(std::make_shared<DataSetReportSource>(*DataSif->Report));
    return sources;
}

bool editReportDefinition(QWidget* parent, const QString& code)
{
    ReportContext context;
    return editReportDefinition(parent, code, designerDataSources(), context);
}

bool editReportDefinition(QWidget* parent, const QString& code, const ReportDataSources& sources, const ReportContext& context)
{
    ReportDesignerWindow window(parent);
    window.setDataSources(sources, context);
    if (!window.openCode(code))
        return false;
    window.exec();
    return window.savedToDatabase();
}
