#include "printing/ui/TFormPrvw.h"

#include "data/DataSif.h"
#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"
#include "data/ui/FormCord.h"
#include "printing/ui/ReportGroupComboBox.h"
#include "reports/ReportGenerator.h"
#include "reports/ui/ReportPageView.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {
QPointer<TFormPrvw> g_instance;

QToolButton* addButton(QToolBar* bar, const QString& name, const QString& text, const QString& hint)
{
    auto* b = new QToolButton(bar);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    bar->addWidget(b);
    return b;
}
} // namespace

TFormPrvw* TFormPrvw::instance() { return g_instance.data(); }

TFormPrvw::TFormPrvw(QWidget* parent)
    : QMainWindow(parent), m_tbRepGroup(std::make_unique<TwwOEDataSet>())
{
    setObjectName(QStringLiteral("FormPrvw"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(747, 507);

    m_tbRepGroup->setName(QStringLiteral("tbRepGroup"));
    if (DataSif)
        m_tbRepGroup->sethDbc(&DataSif->Database);

    m_view = new ReportPageView(this);
    m_view->setObjectName(QStringLiteral("QRPreview"));
    setCentralWidget(m_view);
    buildToolbar();
    buildMenus();
    buildStatusBar();

    connect(m_view, &ReportPageView::pageChanged, this, [this] { updatePagePosition(); });
    qApp->installEventFilter(this);
}

TFormPrvw::~TFormPrvw()
{
    qApp->removeEventFilter(this);
    cancelGeneration();
    if (g_instance == this)
        g_instance = nullptr;
}

void TFormPrvw::buildToolbar()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);

    auto* label = new QLabel(QStringLiteral(" Oblika: "), bar);
    bar->addWidget(label);
    m_cbReportGroup = new ReportGroupComboBox(bar);
    m_cbReportGroup->setObjectName(QStringLiteral("cbReportGroup"));
    m_cbReportGroup->setEditable(false);
    m_cbReportGroup->setMinimumContentsLength(20);   // the list is wider (350); the toolbar fits a smaller screen
    m_cbReportGroup->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cbReportGroup->installEventFilter(this);
    bar->addWidget(m_cbReportGroup);
    bar->addSeparator();

    m_zoomToWidth = addButton(bar, QStringLiteral("ZoomToWidth"), QStringLiteral("↔"), QStringLiteral("Širina strani"));
    m_zoomFit = addButton(bar, QStringLiteral("ZoomFit"), QStringLiteral("▣"), QStringLiteral("Cela stran"));
    m_zoom100 = addButton(bar, QStringLiteral("Zoom100"), QStringLiteral("1:1"), QStringLiteral("Zoom 1:1"));
    m_zoomGroup = new QButtonGroup(this);
    for (QToolButton* b : {m_zoomToWidth, m_zoomFit, m_zoom100}) {
        b->setCheckable(true);
        m_zoomGroup->addButton(b);
    }
    m_zoomToWidth->setChecked(true);

    m_zoomBox = new QComboBox(bar);
    m_zoomBox->setObjectName(QStringLiteral("ComboBox1"));
    m_zoomBox->setToolTip(QStringLiteral("Zoom"));
    m_zoomBox->setEditable(true);
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    // No completion from the items: "1" would become "10%" and zoom at once; a typed number
    // zooms only when Enter adds its "%".
    m_zoomBox->setCompleter(nullptr);
    m_zoomBox->addItems({"10%", "25%", "50%", "75%", "100%", "150%", "200%", "300%", ZoomWidthText, ZoomPageText});
    m_zoomBox->setMinimumContentsLength(12);
    m_zoomBox->setEditText(ZoomWidthText);
    bar->addWidget(m_zoomBox);
    bar->addSeparator();

    QToolButton* first = addButton(bar, QStringLiteral("FirstPage"), QStringLiteral("|◀"), QStringLiteral("Skok na začetek"));
    QToolButton* prev = addButton(bar, QStringLiteral("PrevPage"), QStringLiteral("◀"), QStringLiteral("pomik nazaj"));
    QToolButton* next = addButton(bar, QStringLiteral("NextPage"), QStringLiteral("▶"), QStringLiteral("pomik naprej"));
    QToolButton* last = addButton(bar, QStringLiteral("LastPage"), QStringLiteral("▶|"), QStringLiteral("Skok na konec"));
    bar->addSeparator();
    QToolButton* setupButton = addButton(bar, QStringLiteral("PrintSetup"), QStringLiteral("Tiskalnik ..."),
                                         QStringLiteral("Nastavitev tiskalnika in tiskanje dokumenta - F8"));
    QToolButton* print = addButton(bar, QStringLiteral("Print"), QStringLiteral("Tiskaj"),
                                   QStringLiteral("Tiskanje dokumenta - F7"));
    QToolButton* save = addButton(bar, QStringLiteral("Save"), QStringLiteral("Shrani"), QStringLiteral("Shrani"));
    bar->addSeparator();
    QToolButton* mail = addButton(bar, QStringLiteral("ExportToEmail"), QStringLiteral("E-pošta"),
                                  QStringLiteral("Pošlji prek elektronske pošte"));
    QToolButton* excel = addButton(bar, QStringLiteral("ExportToExcel"), QStringLiteral("Excel"),
                                   QStringLiteral("Prenesi v Excell"));
    QToolButton* word = addButton(bar, QStringLiteral("ExportToWord"), QStringLiteral("Word"),
                                  QStringLiteral("Prenesi v Word"));
    bar->addSeparator();
    QToolButton* close = addButton(bar, QStringLiteral("bZapri"), QStringLiteral("Zapri"), QStringLiteral("Zapri"));

    connect(m_zoomToWidth, &QToolButton::clicked, this, &TFormPrvw::ZoomToWidthClick);
    connect(m_zoomFit, &QToolButton::clicked, this, &TFormPrvw::ZoomFitClick);
    connect(m_zoom100, &QToolButton::clicked, this, &TFormPrvw::Zoom100Click);
    connect(m_zoomBox, &QComboBox::editTextChanged, this, &TFormPrvw::ComboBox1Change);
    connect(m_zoomBox->lineEdit(), &QLineEdit::returnPressed, this, &TFormPrvw::ComboBox1Enter);
    connect(first, &QToolButton::clicked, this, &TFormPrvw::FirstPageClick);
    connect(prev, &QToolButton::clicked, this, &TFormPrvw::PrevPageClick);
    connect(next, &QToolButton::clicked, this, &TFormPrvw::NextPageClick);
    connect(last, &QToolButton::clicked, this, &TFormPrvw::LastPageClick);
    connect(setupButton, &QToolButton::clicked, this, &TFormPrvw::PrintSetupClick);
    connect(print, &QToolButton::clicked, this, &TFormPrvw::PrintClick);
    connect(save, &QToolButton::clicked, this, &TFormPrvw::SaveClick);
    connect(mail, &QToolButton::clicked, this, &TFormPrvw::SpeedButton15Click);
    connect(excel, &QToolButton::clicked, this, &TFormPrvw::SpeedButton13Click);
    connect(word, &QToolButton::clicked, this, &TFormPrvw::SpeedButton14Click);
    connect(close, &QToolButton::clicked, this, &QWidget::close);
    connect(m_cbReportGroup, &ReportGroupComboBox::aboutToDropDown, this, &TFormPrvw::cbReportGroupDropDown);
    connect(m_cbReportGroup, &QComboBox::activated, this, &TFormPrvw::cbReportGroupCloseUp);

    // Dockable at the top or the bottom, floating, and closable.
    m_dock = new QDockWidget(QStringLiteral("Orodna vrstica"), this);
    m_dock->setObjectName(QStringLiteral("ToolbarDock"));
    m_dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                        QDockWidget::DockWidgetFloatable);
    m_dock->setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
    m_dock->setWidget(bar);
    addDockWidget(Qt::TopDockWidgetArea, m_dock);
}

void TFormPrvw::buildMenus()
{
    auto add = [this](QMenu* menu, const QString& name, const QString& text, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Datoteka"));
    add(file, QStringLiteral("ShraniKot"), QStringLiteral("Shrani kot ..."), &TFormPrvw::SaveClick);
    add(file, QStringLiteral("IzvozWord"), QStringLiteral("Izvoz v Word ..."), &TFormPrvw::SpeedButton14Click);
    add(file, QStringLiteral("IzvozExcel"), QStringLiteral("Izvoz v Excell ..."), &TFormPrvw::SpeedButton13Click);
    add(file, QStringLiteral("IzvozWordOdt"), QStringLiteral("Izvoz v Word (.odt) ..."), &TFormPrvw::ExportToWordNative);
    add(file, QStringLiteral("IzvozExcelXlsx"), QStringLiteral("Izvoz v Excell (.xlsx) ..."),
        &TFormPrvw::ExportToExcelNative);
    add(file, QStringLiteral("PosljiPosta"), QStringLiteral("Pošlji po elektronski pošti ..."),
        &TFormPrvw::SpeedButton15Click);
    QAction* print = add(file, QStringLiteral("Tiskaj"), QStringLiteral("Tiskaj ..."), &TFormPrvw::PrintClick);
    print->setShortcut(Qt::Key_F7);
    QAction* printSetup = new QAction(QStringLiteral("Nastavitev tiskalnika ..."), this);
    printSetup->setObjectName(QStringLiteral("TiskajNastavitev"));
    printSetup->setShortcut(Qt::Key_F8);
    addAction(printSetup);
    connect(printSetup, &QAction::triggered, this, &TFormPrvw::PrintSetupClick);
    file->addSeparator();
    add(file, QStringLiteral("Izhod"), QStringLiteral("Izhod"), &QWidget::close);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&Pogled"));
    add(view, QStringLiteral("PogledSirina"), QStringLiteral("Širina strani"), &TFormPrvw::ZoomToWidthClick);
    add(view, QStringLiteral("PogledCela"), QStringLiteral("Cela stran"), &TFormPrvw::ZoomFitClick);
    add(view, QStringLiteral("PogledVelikost"), QStringLiteral("Velikost dokumenta"), &TFormPrvw::Zoom100Click);
    QAction* toolbar = m_dock->toggleViewAction();
    toolbar->setObjectName(QStringLiteral("OrodnaVrstica"));
    toolbar->setText(QStringLiteral("Orodna vrstica"));
    view->addAction(toolbar);

    QMenu* design = menuBar()->addMenu(QStringLiteral("&Oblika"));
    add(design, QStringLiteral("OblikujIzpis"), QStringLiteral("Oblikuj izpis ..."), &TFormPrvw::SpeedButton16Click);
    add(design, QStringLiteral("Osvezi"), QStringLiteral("Osveži"), &TFormPrvw::SpeedButton18Click);
    add(design, QStringLiteral("ZaustaviIzpis"), QStringLiteral("Zaustavi izpis"), &TFormPrvw::StopClick);
    add(design, QStringLiteral("ZbrisiIzpis"), QStringLiteral("Zbriši izpis"), &TFormPrvw::ZbrisiIzpisClick);
}

void TFormPrvw::buildStatusBar()
{
    m_panel0 = new QLabel(QStringLiteral("0%"), this);
    m_panel0->setObjectName(QStringLiteral("Panel0"));
    m_panel0->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_panel0->setMinimumWidth(40);
    m_panel1 = new QLabel(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setMinimumWidth(50);
    statusBar()->addWidget(m_panel0);
    statusBar()->addWidget(m_panel1);
    statusBar()->setSizeGripEnabled(false);
}

QToolButton* TFormPrvw::button(const QString& objectName) const
{
    return findChild<QToolButton*>(objectName);
}

QAction* TFormPrvw::action(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

QMdiSubWindow* TFormPrvw::subWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

// --- showing a report ---------------------------------------------------------------------

TFormPrvw* TFormPrvw::ShowPreparedReport(std::unique_ptr<ReportGenerator> generator)
{
    TFormPrvw* form = g_instance.data();
    const bool created = !form;
    if (created) {
        form = new TFormPrvw;
        g_instance = form;
        if (QMdiArea* area = mainMdiArea()) {
            QMdiSubWindow* sub = area->addSubWindow(form);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            connect(area, &QMdiArea::subWindowActivated, form, [form, sub](QMdiSubWindow* active) {
                if (!form->m_closing)
                    form->setMainStatusBarVisible(active != sub);
            });
        }
        form->setMainStatusBarVisible(false);
        form->m_panel0->clear();
    }
    form->setup(std::move(generator));
    QWidget* shown = form->subWindow() ? static_cast<QWidget*>(form->subWindow()) : form;
    shown->showMaximized();
    form->show();
    if (form->subWindow() && form->subWindow()->mdiArea())
        form->subWindow()->mdiArea()->setActiveSubWindow(form->subWindow());
    form->attachGenerator();
    form->updatePagePosition();
    emit form->reportShown();
    return form;
}

void TFormPrvw::setup(std::unique_ptr<ReportGenerator> generator)
{
    // 1. The new report; the old run, if still going, stops.
    cancelGeneration();
    std::unique_ptr<ReportGenerator> old = std::move(m_generator);
    m_generator = std::move(generator);
    m_view->setReport(m_generator ? &m_generator->prepared() : nullptr);
    if (old) {
        old->disconnect(this);
        old.release()->deleteLater();
    }
    m_progress.reset();
    m_zoomToWidth->setChecked(true);
    m_view->zoomToWidth();
    m_zoomBox->setEditText(ZoomWidthText);   // not the zoom of the previous report
    // 2. The report group box, unless a refresh keeps it.
    const QString code = currentReportField(QStringLiteral("REPORT"));
    const QString name = currentReportField(QStringLiteral("NAZIV"));
    if (!PreviewRefreshing) {
        guard(QStringLiteral("FormPrvwSetup"), this, [&] { fillReportGroup(ReportGroupByCodeSql(code)); });
        const QString text = ReportGroupText(code, name);
        const int index = m_cbReportGroup->findText(text);
        if (index < 0) {
            m_cbReportGroup->addItem(text, code);
            m_cbReportGroup->setCurrentIndex(m_cbReportGroup->count() - 1);
        } else {
            m_cbReportGroup->setCurrentIndex(index);
        }
    }
    // 3. and 4.
    setWindowTitle(PreviewCaption(code, name));
    m_codeShown = ReportGroupCode(m_cbReportGroup->currentText());
    PreviewRefreshing = false;
}

void TFormPrvw::attachGenerator()
{
    if (!m_generator)
        return;
    ReportGenerator* g = m_generator.get();
    connect(g, &ReportGenerator::progress, this, &TFormPrvw::progressNotified);
    connect(g, &ReportGenerator::pageReady, this, [this] {
        m_view->pageAdded();
        updatePagePosition();
    });
    connect(g, &ReportGenerator::finished, this, [this] { generationEnded(); });
    connect(g, &ReportGenerator::failed, this, [this](const QString& message) {
        generationEnded();
        showError(QStringLiteral("Izpisa ni mogoče pripraviti.\r\n") + message);
    });
    if (!g->isFinished() && !g->isRunning())
        g->start();
    else
        generationEnded();
}

void TFormPrvw::cancelGeneration()
{
    if (m_generator && m_generator->isRunning())
        m_generator->cancel();
}

bool TFormPrvw::pagesPending() const
{
    return !m_panel0->text().isEmpty() || (m_generator && !m_generator->isFinished());
}

void TFormPrvw::progressNotified(int percent)
{
    if (auto text = m_progress.notify(percent))
        m_panel0->setText(*text);
}

void TFormPrvw::generationEnded()
{
    // However the run ended (also cancelled, or at a last notification below 100), no page is
    // being made any more.
    m_panel0->clear();
    m_view->pageAdded();
    updatePagePosition();
}

void TFormPrvw::updatePagePosition()
{
    m_panel1->setText(PagePositionText(m_view->currentPage(), m_view->pageCount()));
}

QString TFormPrvw::currentReportField(const QString& field) const
{
    if (!DataSif || !DataSif->Report->Active())
        return {};
    const TField* f = DataSif->Report->FindField(field);
    return f ? f->asString().trimmed() : QString();
}

void TFormPrvw::fillReportGroup(const QString& sql)
{
    m_cbReportGroup->clear();
    TwwOEDataSet& ds = *m_tbRepGroup;
    ds.Close();
    ds.setSQL(sql);
    ds.Open();
    for (ds.First(); !ds.Eof(); ds.Next()) {
        const QString code = ds.FieldByName(QStringLiteral("REPORT")).asString().trimmed();
        const QString name = ds.FieldByName(QStringLiteral("NAZIV")).asString().trimmed();
        m_cbReportGroup->addItem(ReportGroupText(code, name), code);
    }
}

void TFormPrvw::setMainStatusBarVisible(bool visible)
{
    QWidget* top = mainMdiArea() ? mainMdiArea()->window() : nullptr;
    if (auto* main = qobject_cast<QMainWindow*>(top); main && main != this)
        main->statusBar()->setVisible(visible);
}

void TFormPrvw::closeEvent(QCloseEvent* event)
{
    m_closing = true;
    cancelGeneration();
    setMainStatusBarVisible(true);
    setWindowState(Qt::WindowNoState);
    if (g_instance == this)
        g_instance = nullptr;
    QMainWindow::closeEvent(event);
    if (QMdiSubWindow* sub = subWindow())
        sub->close();
}

bool TFormPrvw::event(QEvent* event)
{
    // The status bar shows the two panels only: a hint would cover the page position.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void TFormPrvw::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !subWindow() && !m_closing)
        setMainStatusBarVisible(!isActiveWindow());
}

bool TFormPrvw::eventFilter(QObject* watched, QEvent* event)
{
    // The report group box: a key or a mouse button on it first stops a run.
    if (watched == m_cbReportGroup &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress))
        cancelGeneration();
    // The window sees the keys before its controls.
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == this || isAncestorOf(widget))) {
            auto* key = static_cast<QKeyEvent*>(event);
            switch (PreviewKeyCommand(key->key(), key->modifiers())) {
            case PreviewPageCommand::First: FirstPageClick(); return true;
            case PreviewPageCommand::Prior: PrevPageClick(); return true;
            case PreviewPageCommand::Next: NextPageClick(); return true;
            case PreviewPageCommand::Last: LastPageClick(); return true;
            case PreviewPageCommand::None: break;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormPrvwPreviewer::showPreview(std::unique_ptr<ReportGenerator> generator)
{
    TFormPrvw::ShowPreparedReport(std::move(generator));
}
