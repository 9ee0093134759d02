#include "reports/ui/ReportDesigner.h"

#include "reports/ReportGenerator.h"
#include "reports/ui/DesignerCanvas.h"
#include "reports/ui/DesignerEdits.h"
#include "reports/ui/DesignerPreviewDialog.h"
#include "reports/ui/DesignerPropertyPanel.h"
#include "reports/ui/PageSetupDialog.h"

#include "data/log/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString ClipboardMime = QStringLiteral("application/x-obdrac-report-elements");
} // namespace

ReportDesigner::ReportDesigner(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ReportDesigner"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolBar = new QToolBar;
    m_toolBar->setObjectName(QStringLiteral("DesignerToolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(m_toolBar);
    auto* split = new QSplitter;
    m_canvas = new DesignerCanvas(m_document);
    m_panel = new DesignerPropertyPanel(m_document);
    m_panel->setDataSources(&m_sources);
    split->addWidget(m_canvas);
    split->addWidget(m_panel);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setSizes({880, 380});
    layout->addWidget(split, 1);
    buildToolBar();
    connect(&m_document, &DesignerDocument::selectionChanged, this, &ReportDesigner::updateActions);
    connect(&m_document, &DesignerDocument::changed, this, &ReportDesigner::updateActions);
    connect(&m_document.undoStack(), &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
    connect(m_canvas, &DesignerCanvas::placeRequested, this, [this](int band, QPointF mm) {
        const int kind = m_canvas->placingKind();
        m_canvas->setPlacingKind(-1);
        m_canvas->setCursor(Qt::ArrowCursor);
        if (kind >= 0)
            addElement(ReportElementKind(kind), band, mm);
    });
    updateActions();
}

ReportDesigner::~ReportDesigner() = default;

void ReportDesigner::load(const ReportDefinition& definition)
{
    m_document.load(definition);
    if (!definition.bands.empty())
        m_document.selectBand(int(definition.bands.size() > 1 ? 1 : 0));
    flush();
}

void ReportDesigner::setDataSources(const ReportDataSources& sources)
{
    m_sources = sources;
    m_panel->setDataSources(&m_sources);
}

void ReportDesigner::flush()
{
    m_canvas->flush();
    m_panel->flush();
}

void ReportDesigner::buildToolBar()
{
    QAction* undo = m_document.undoStack().createUndoAction(this, QStringLiteral("Razveljavi"));
    undo->setObjectName(QStringLiteral("aUndo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = m_document.undoStack().createRedoAction(this, QStringLiteral("Ponovi"));
    redo->setObjectName(QStringLiteral("aRedo"));
    redo->setShortcut(QKeySequence::Redo);
    m_toolBar->addAction(undo);
    m_toolBar->addAction(redo);
    m_toolBar->addSeparator();

    // Element kinds: choose one, then click on a band where it goes.
    auto* place = new QToolButton;
    place->setObjectName(QStringLiteral("bInsert"));
    place->setText(QStringLiteral("Vstavi"));
    place->setPopupMode(QToolButton::InstantPopup);
    auto* placeMenu = new QMenu(place);
    const ReportElementKind kinds[] = {ReportElementKind::Label,  ReportElementKind::DataField, ReportElementKind::Expression,
                                       ReportElementKind::Memo,   ReportElementKind::Image,     ReportElementKind::Line,
                                       ReportElementKind::Rectangle, ReportElementKind::SystemData};
    for (ReportElementKind kind : kinds) {
        QAction* a = placeMenu->addAction(reportElementKindCaption(kind));
        a->setObjectName(QStringLiteral("aInsert") + reportElementKindName(kind));
        connect(a, &QAction::triggered, this, [this, kind] {
            m_canvas->setPlacingKind(int(kind));
            m_canvas->setCursor(Qt::CrossCursor);
        });
    }
    place->setMenu(placeMenu);
    place->setToolTip(QStringLiteral("Izberite vrsto elementa in nato kliknite na pas, kamor naj gre."));
    m_toolBar->addWidget(place);

    auto* bands = new QToolButton;
    bands->setObjectName(QStringLiteral("bBands"));
    bands->setText(QStringLiteral("Pasovi"));
    bands->setPopupMode(QToolButton::InstantPopup);
    auto* bandMenu = new QMenu(bands);
    QMenu* addBandMenu = bandMenu->addMenu(QStringLiteral("Dodaj pas"));
    const ReportBandKind bandKinds[] = {ReportBandKind::Title,       ReportBandKind::PageHeader, ReportBandKind::ColumnHeader,
                                        ReportBandKind::GroupHeader, ReportBandKind::Detail,     ReportBandKind::Child,
                                        ReportBandKind::GroupFooter, ReportBandKind::Summary,    ReportBandKind::PageFooter};
    for (ReportBandKind kind : bandKinds) {
        QAction* a = addBandMenu->addAction(reportBandKindCaption(kind));
        a->setObjectName(QStringLiteral("aAddBand") + reportBandKindName(kind));
        connect(a, &QAction::triggered, this, [this, kind] { addBand(kind); });
    }
    QAction* removeBand = bandMenu->addAction(QStringLiteral("Odstrani izbrani pas"), this, &ReportDesigner::removeSelectedBand);
    QAction* bandUp = bandMenu->addAction(QStringLiteral("Pas višje"), this, [this] { moveSelectedBand(-1); });
    QAction* bandDown = bandMenu->addAction(QStringLiteral("Pas nižje"), this, [this] { moveSelectedBand(1); });
    m_bandActions = {removeBand, bandUp, bandDown};
    bands->setMenu(bandMenu);
    m_toolBar->addWidget(bands);
    m_toolBar->addSeparator();

    QAction* cut = m_toolBar->addAction(QStringLiteral("Izreži"), this, &ReportDesigner::cutSelection);
    cut->setShortcut(QKeySequence::Cut);
    QAction* copy = m_toolBar->addAction(QStringLiteral("Kopiraj"), this, &ReportDesigner::copySelection);
    copy->setShortcut(QKeySequence::Copy);
    copy->setObjectName(QStringLiteral("aCopy"));
    QAction* paste = m_toolBar->addAction(QStringLiteral("Prilepi"), this, &ReportDesigner::paste);
    paste->setShortcut(QKeySequence::Paste);
    paste->setObjectName(QStringLiteral("aPaste"));
    QAction* del = m_toolBar->addAction(QStringLiteral("Briši"), this, &ReportDesigner::deleteSelection);
    del->setShortcut(QKeySequence::Delete);
    del->setObjectName(QStringLiteral("aDelete"));
    for (QAction* a : {cut, copy, paste, del})
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_selectionActions = {cut, copy, del};
    m_toolBar->addSeparator();

    auto* alignButton = new QToolButton;
    alignButton->setObjectName(QStringLiteral("bAlign"));
    alignButton->setText(QStringLiteral("Poravnaj"));
    alignButton->setPopupMode(QToolButton::InstantPopup);
    auto* alignMenu = new QMenu(alignButton);
    const std::pair<DesignerEdits::Alignment, const char*> aligns[] = {
        {DesignerEdits::Alignment::Left, "Levi robovi"},        {DesignerEdits::Alignment::Right, "Desni robovi"},
        {DesignerEdits::Alignment::Top, "Zgornji robovi"},      {DesignerEdits::Alignment::Bottom, "Spodnji robovi"},
        {DesignerEdits::Alignment::HCenter, "Sredine"},         {DesignerEdits::Alignment::SameWidth, "Enaka širina"},
        {DesignerEdits::Alignment::SameHeight, "Enaka višina"}};
    for (const auto& [how, caption] : aligns) {
        QAction* a = alignMenu->addAction(QString::fromUtf8(caption));
        connect(a, &QAction::triggered, this, [this, how = how] { alignSelection(int(how)); });
        m_multiActions << a;
    }
    alignButton->setMenu(alignMenu);
    m_toolBar->addWidget(alignButton);
    m_toolBar->addSeparator();

    QAction* grid = m_toolBar->addAction(QStringLiteral("Mreža"));
    grid->setObjectName(QStringLiteral("aGrid"));
    grid->setCheckable(true);
    grid->setChecked(true);
    connect(grid, &QAction::toggled, m_canvas, &DesignerCanvas::setShowGrid);
    QAction* snap = m_toolBar->addAction(QStringLiteral("Pripni"));
    snap->setObjectName(QStringLiteral("aSnap"));
    snap->setCheckable(true);
    snap->setChecked(true);
    snap->setToolTip(QStringLiteral("Položaji in velikosti se pripnejo na mrežo"));
    connect(snap, &QAction::toggled, m_canvas, &DesignerCanvas::setSnapToGrid);
    m_grid = new QComboBox;
    m_grid->setObjectName(QStringLiteral("cbGrid"));
    for (double step : {0.5, 1.0, 2.0, 5.0})
        m_grid->addItem(QString::number(step, 'g', 2).replace(u'.', u',') + QStringLiteral(" mm"), step);
    m_grid->setCurrentIndex(1);
    m_grid->setToolTip(QStringLiteral("Korak mreže"));
    connect(m_grid, &QComboBox::currentIndexChanged, this, [this] { m_canvas->setGridMm(m_grid->currentData().toDouble()); });
    m_toolBar->addWidget(m_grid);
    m_zoom = new QComboBox;
    m_zoom->setObjectName(QStringLiteral("cbZoom"));
    for (int p : {50, 75, 100, 125, 150, 200})
        m_zoom->addItem(QString::number(p) + QStringLiteral("%"), p);
    m_zoom->setCurrentIndex(2);
    m_zoom->setToolTip(QStringLiteral("Povečava"));
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { m_canvas->setZoom(m_zoom->currentData().toInt() / 100.0); });
    m_toolBar->addWidget(m_zoom);
    m_toolBar->addSeparator();
    QAction* page = m_toolBar->addAction(QStringLiteral("Stran ..."), this, &ReportDesigner::pageSetup);
    page->setObjectName(QStringLiteral("aPageSetup"));
    page->setToolTip(QStringLiteral("Velikost papirja, usmerjenost in robovi"));
    QAction* preview = m_toolBar->addAction(QStringLiteral("Predogled"), this, &ReportDesigner::preview);
    preview->setObjectName(QStringLiteral("aPreview"));
    preview->setShortcut(QKeySequence(Qt::Key_F9));
    preview->setToolTip(QStringLiteral("Izpis trenutne oblike na trenutnih podatkih (F9)"));
}

void ReportDesigner::updateActions()
{
    const bool any = !m_document.selection().empty();
    for (QAction* a : m_selectionActions)
        a->setEnabled(any);
    for (QAction* a : m_multiActions)
        a->setEnabled(m_document.selection().size() > 1);
    const bool band = m_document.selectedBand() >= 0;
    for (QAction* a : m_bandActions)
        a->setEnabled(band);
}

DesignerElementRef ReportDesigner::addElement(ReportElementKind kind, int band, QPointF topLeftMm)
{
    DesignerElementRef ref;
    if (m_canvas->snapToGrid())
        topLeftMm = QPointF(DesignerEdits::snap(topLeftMm.x(), m_canvas->gridMm()), DesignerEdits::snap(topLeftMm.y(), m_canvas->gridMm()));
    m_document.edit(QStringLiteral("Nov element"), [&](ReportDefinition& d) { ref = DesignerEdits::addElement(d, band, kind, topLeftMm); });
    if (ref.band >= 0)
        m_document.select({ref});   // a new element opens in the property panel
    return ref;
}

int ReportDesigner::addBand(ReportBandKind kind)
{
    int index = -1;
    m_document.edit(QStringLiteral("Nov pas"), [&](ReportDefinition& d) { index = DesignerEdits::addBand(d, kind); });
    m_document.selectBand(index);
    return index;
}

void ReportDesigner::removeSelectedBand()
{
    const int band = m_document.selectedBand();
    if (band < 0 || band >= int(definition().bands.size()))
        return;
    const ReportBand& b = definition().bands[size_t(band)];
    if (!b.elements.empty()
        && askConfirmation(QStringLiteral("Pas ") + b.name + QStringLiteral(" ima %1 elementov. Ga res odstranim ?").arg(b.elements.size()))
               != MsgButton::Ok)
        return;
    m_document.edit(QStringLiteral("Odstrani pas"), [&](ReportDefinition& d) { DesignerEdits::removeBand(d, band); });
}

void ReportDesigner::moveSelectedBand(int direction)
{
    const int band = m_document.selectedBand();
    bool moved = false;
    m_document.edit(QStringLiteral("Premik pasu"), [&](ReportDefinition& d) { moved = DesignerEdits::moveBand(d, band, direction); });
    if (moved)
        m_document.selectBand(band + direction);
}

void ReportDesigner::deleteSelection()
{
    const auto sel = m_document.selection();
    if (sel.empty())
        return;
    m_document.edit(QStringLiteral("Briši"), [&](ReportDefinition& d) { DesignerEdits::removeElements(d, sel); });
    m_document.select({});
}

void ReportDesigner::copySelection()
{
    if (m_document.selection().empty())
        return;
    m_clipboard = DesignerEdits::copyElements(definition(), m_document.selection());
    m_pasteCount = 0;
    auto* mime = new QMimeData;
    mime->setData(ClipboardMime, m_clipboard);
    QApplication::clipboard()->setMimeData(mime);
}

void ReportDesigner::cutSelection()
{
    copySelection();
    deleteSelection();
}

void ReportDesigner::paste()
{
    QByteArray clip = m_clipboard;
    if (const QMimeData* mime = QApplication::clipboard()->mimeData(); mime && mime->hasFormat(ClipboardMime))
        clip = mime->data(ClipboardMime);
    if (clip.isEmpty())
        return;
    int band = m_document.selection().empty() ? m_document.selectedBand() : m_document.selection().front().band;
    if (band < 0)
        band = definition().bands.empty() ? -1 : 0;
    if (band < 0)
        return;
    ++m_pasteCount;
    const double offset = 2.0 * m_pasteCount;
    std::vector<DesignerElementRef> pasted;
    m_document.edit(QStringLiteral("Prilepi"),
                    [&](ReportDefinition& d) { pasted = DesignerEdits::pasteElements(d, band, clip, QPointF(offset, 0)); });
    m_document.select(pasted);
}

void ReportDesigner::alignSelection(int how)
{
    const auto sel = m_document.selection();
    m_document.edit(QStringLiteral("Poravnava"),
                    [&](ReportDefinition& d) { DesignerEdits::align(d, sel, DesignerEdits::Alignment(how)); });
}

void ReportDesigner::pageSetup()
{
    PageSetupDialog dialog(definition().page, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ReportPageSetup page = dialog.pageSetup();
    if (page.printableWidthMm() < 10 || page.printableHeightMm() < 10) {
        showError(QStringLiteral("Robovi so večji od lista: med robovi mora ostati vsaj 10 mm !"));
        return;
    }
    m_document.edit(QStringLiteral("Nastavitev strani"), [&](ReportDefinition& d) { d.page = page; });
}

void ReportDesigner::preview()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ReportContext context = m_context;
    if (context.reportName.isEmpty())
        context.reportName = definition().name;
    if (context.title.isEmpty())
        context.title = definition().title.isEmpty() ? context.reportName : definition().title;
    ReportGenerator generator(definition(), m_sources, context);
    const bool ok = generator.runToEnd();
    QApplication::restoreOverrideCursor();
    if (!ok) {
        showError(QStringLiteral("Izpisa ni bilo mogoče pripraviti: ")
                  + (generator.hasFailed() ? generator.errorMessage() : QStringLiteral("izpis je bil prekinjen")));
        return;
    }
    DesignerPreviewDialog dialog(generator.takePrepared(), context.title, this);
    dialog.exec();
}
