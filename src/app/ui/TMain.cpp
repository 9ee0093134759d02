#include "TMain.h"

#include "MainWindowCommands.h"
#include "TAbout.h"

#include "app/ProgramSettings.h"
#include "app/ShellServices.h"
#include "controls/ui/DatePicker.h"
#include "controls/ui/LookupComboBox.h"
#include "data/core/ApplicationTitle.h"
#include "data/core/EAbort.h"
#include "data/log/ErrorLog.h"
#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/ui/EnterForNext.h"
#include "data/ui/MdiChildren.h"
#include "data/ui/ScreenCursor.h"
#include "data/ui/FormCord.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
TMain* g_instance = nullptr;

const QString CloseQuestion = QStringLiteral("Ali želiš končati z delom ?");
const QString UnsavedTemplatesQuestion =
    QStringLiteral("Sprememb periodike ni bilo mogoče shraniti !\r\nAli želiš vseeno končati z delom ?");

QLabel* labelFor(const QString& name, const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

void setHint(QWidget* widget, const QString& hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}
} // namespace

TMain::TMain(ShellServices& shell, MainWindowCommands& commands, const QStringList& arguments,
             const TMainOptions& options, QWidget* parent)
    : QMainWindow(parent), m_shell(shell), m_commands(commands), m_deferred(shell), m_today(options.today)
{
    g_instance = this;
    setObjectName("Main");
    setWindowTitle(DesignCaption);
    resize(740, 421);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName("MDIArea");
    setCentralWidget(m_mdiArea);
    setMainMdiArea(m_mdiArea);
    buildPages();
    buildMenu();
    statusBar()->setObjectName("StatusBar");
    statusBar()->setSizeGripEnabled(true);
    installEnterForNext(m_cKreiranje);

    setMainWindowCaptionHandler([this](const QString& caption) { setWindowTitle(caption); });

    guard("FormCreate-Nastavi", this, [&] { m_commands.setupNastaviPage(*this, m_cNastavi); });

    StartupOptions startup;
    startup.arguments = arguments;
    startup.today = options.today;
    startup.programFile = options.programFile;
    startup.runVersionCheck = options.runVersionCheck;
    m_created = readStartupConfiguration(startup, *this, this);
}

TMain::~TMain()
{
    FormDestroy();
    setMainWindowCaptionHandler(nullptr);
    if (mainMdiArea() == m_mdiArea)
        setMainMdiArea(nullptr);
    if (g_instance == this)
        g_instance = nullptr;
}

TMain* TMain::instance() { return g_instance; }

void TMain::buildMenu()
{
    m_okno = menuBar()->addAction(QStringLiteral("Konec"));
    m_okno->setObjectName("Okno");
    m_okno->setStatusTip(QStringLiteral("Konec dela s programom"));
    connect(m_okno, &QAction::triggered, this, &TMain::OknoClick);

    m_nast = menuBar()->addAction(QStringLiteral("O programu"));
    m_nast->setObjectName("Nast");
    m_nast->setStatusTip(QStringLiteral("Podatki o programu: verzija in build"));
    connect(m_nast, &QAction::triggered, this, &TMain::NastClick);

    m_dodatno = menuBar()->addMenu(QStringLiteral("Dodatno"));
    m_dodatno->setObjectName("Dodatno00");
    m_dodatno->menuAction()->setObjectName("Dodatno00Action");
    m_dodatno->menuAction()->setVisible(false);
}

void TMain::buildPages()
{
    // The pages fill the MDI area; child windows open on top of them.
    m_pageControl = new QTabWidget(m_mdiArea->viewport());
    m_pageControl->setObjectName("PageControl");
    m_pageControl->setGeometry(m_mdiArea->viewport()->rect());
    m_pageControl->lower();
    m_mdiArea->viewport()->installEventFilter(this);

    m_cKreiranje = buildKreiranjePage();
    m_pageControl->addTab(m_cKreiranje, QStringLiteral("Kreiranje"));

    m_cNastavi = new QWidget;
    m_cNastavi->setObjectName("cNastavi");
    m_pageControl->addTab(m_cNastavi, QStringLiteral("Nastavi partnerje"));

    m_pageControl->setCurrentIndex(0);
    connect(m_pageControl, &QTabWidget::currentChanged, this, &TMain::PageControlChange);
}

QWidget* TMain::buildKreiranjePage()
{
    auto* page = new QWidget;
    page->setObjectName("cKreiranje");

    m_fObdracPoslDog = new LookupComboBox(page);
    m_fObdracPoslDog->setObjectName("fObdracPoslDog");
    setHint(m_fObdracPoslDog, QStringLiteral("Poslovni dogodek, katerega periodike kaže stran \"Nastavi partnerje\""));
    connect(m_fObdracPoslDog, &LookupComboBox::closeUp, this, &TMain::fObdracPoslDogCloseUp);

    m_kriteriji = new QGroupBox(QStringLiteral("Kriteriji za kreiranje dokumentov"), page);
    m_kriteriji->setObjectName("gbKriteriji");
    m_fkDatumKont = new DatePicker(m_kriteriji);
    m_fkDatumKont->setObjectName("fkDatumKont");
    m_fkDatumKont->setEpoch(1950);
    setHint(m_fkDatumKont, QStringLiteral("Prvi dan obdobja, za katerega se kreirajo dokumenti"));
    m_fkDatum = new DatePicker(m_kriteriji);
    m_fkDatum->setObjectName("fkDatum");
    m_fkDatum->setEpoch(1950);
    setHint(m_fkDatum, QStringLiteral("Datum kreiranih dokumentov"));
    m_fkSubjekt = new LookupComboBox(m_kriteriji);
    m_fkSubjekt->setObjectName("fkSubjekt");
    setHint(m_fkSubjekt, QStringLiteral("Samo za tega partnerja (prazno: za vse partnerje)"));
    m_fkPoslDog = new LookupComboBox(m_kriteriji);
    m_fkPoslDog->setObjectName("fkPoslDog");
    setHint(m_fkPoslDog, QStringLiteral("Samo za ta poslovni dogodek dokumentov (prazno: za vse)"));
    connect(m_fkPoslDog, &LookupComboBox::closeUp, this, &TMain::fObdracPoslDogCloseUp);

    auto* criteria = new QFormLayout(m_kriteriji);
    criteria->addRow(labelFor("lkDatumKont", QStringLiteral("Za obdobje od:"), m_fkDatumKont, m_kriteriji), m_fkDatumKont);
    criteria->addRow(labelFor("lkDatum", QStringLiteral("Datum dokumentov:"), m_fkDatum, m_kriteriji), m_fkDatum);
    criteria->addRow(labelFor("lkSubjekt", QStringLiteral("Partner:"), m_fkSubjekt, m_kriteriji), m_fkSubjekt);
    criteria->addRow(labelFor("lkPoslDog", QStringLiteral("Poslovni dogodek:"), m_fkPoslDog, m_kriteriji), m_fkPoslDog);

    m_bKreiranje = new QPushButton(QStringLiteral("Kreiranje"), page);
    m_bKreiranje->setObjectName("bKreiranje");
    setHint(m_bKreiranje, QStringLiteral("Kreiranje računov in naročil iz zapadlih periodik"));
    connect(m_bKreiranje, &QPushButton::clicked, this, &TMain::bKreiranjeClick);
    m_bIzpis = new QPushButton(QStringLiteral("Izpis"), page);
    m_bIzpis->setObjectName("bIzpis");
    setHint(m_bIzpis, QStringLiteral("Izpis zapadlih periodik, iz katerih bi kreiranje naredilo dokumente"));
    connect(m_bIzpis, &QPushButton::clicked, this, &TMain::bIzpisClick);

    m_fGauge = new QProgressBar(page);
    m_fGauge->setObjectName("fGauge");
    m_fGauge->setRange(0, 100);
    m_fGauge->setValue(0);

    m_mKreDok = new QPlainTextEdit(page);
    m_mKreDok->setObjectName("mKreDok");
    m_mKreDok->setReadOnly(true);
    setHint(m_mKreDok, QStringLiteral("Dokumenti, kreirani ob zadnjem kreiranju"));

    auto* top = new QHBoxLayout;
    top->addWidget(labelFor("lObdracPoslDog", QStringLiteral("Posl.dog.za periodično fakturiranje:"), m_fObdracPoslDog, page));
    top->addWidget(m_fObdracPoslDog, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_bKreiranje);
    buttons->addWidget(m_bIzpis);
    buttons->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(m_kriteriji);
    left->addLayout(buttons);
    left->addWidget(m_fGauge);
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(labelFor("lKreDok", QStringLiteral("Kreirani dokumenti / periodika / partner:"), m_mKreDok, page));
    right->addWidget(m_mKreDok, 1);

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    return page;
}

void TMain::bindKreiranjeLookups(const KreiranjeLookups& lookups)
{
    const GridColumns poslDogColumns{GridColumn("POSLDOG", 8, QStringLiteral("Pos.dog.")),
                                     GridColumn("NAZIV", 30, QStringLiteral("Naziv"))};
    if (lookups.tbLookPoslDogObdrac != nullptr)
        m_fObdracPoslDog->bindLookup(lookups.tbLookPoslDogObdrac, "POSLDOG", poslDogColumns);
    if (lookups.tbLookPoslDogFak != nullptr)
        m_fkPoslDog->bindLookup(lookups.tbLookPoslDogFak, "POSLDOG", poslDogColumns);
    if (lookups.tbLookSubj != nullptr)
        m_fkSubjekt->bindLookup(lookups.tbLookSubj, "NAZIV",
                                {GridColumn("NAZIV", 30, QStringLiteral("Naziv")), GridColumn("NAZIV2", 20, QStringLiteral("Naziv 2")),
                                 GridColumn("NASLOV", 25, QStringLiteral("Naslov")), GridColumn("POSTA", 8, QStringLiteral("Pošta")),
                                 GridColumn("TEL", 12, QStringLiteral("Telefon"))});
}

// --- configuration read at creation -------------------------------------------------------

void TMain::setWindowFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
}

void TMain::showStartValues(const QString& obdracPoslDog, const QDate& today)
{
    m_fObdracPoslDog->setLookupText(obdracPoslDog);
    m_fkDatumKont->applyDateSeparator();
    m_fkDatum->applyDateSeparator();
    m_fkDatumKont->setDate(today);
    m_fkDatum->setDate(today);
}

void TMain::setCaption(const QString& caption) { setWindowTitle(caption); }

void TMain::attachHintHandler() { m_hintsAttached = true; }

void TMain::buildExtraMenu()
{
    m_commands.buildExtraMenu(*this, m_dodatno);
}

// --- deferred start-up ---------------------------------------------------------------------

void TMain::setArrowCursor() { ::setArrowCursor(); }

void TMain::restorePosition() { GetFormCord(this); }

void TMain::closeMainWindow() { close(); }

QString TMain::selectedPoslDog() const { return m_fObdracPoslDog->lookupText(); }

void TMain::schedulePaint()
{
    if (m_paintScheduled || m_closing)
        return;
    m_paintScheduled = true;
    QTimer::singleShot(0, this, &TMain::FormPaint);
}

void TMain::FormPaint()
{
    m_paintScheduled = false;
    if (m_closing)
        return;
    m_deferred.paint(*this, this, m_today);
}

void TMain::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    schedulePaint();
}

void TMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        guard("FormShow", this, [&] { m_commands.formShow(*this); });
    }
    schedulePaint();
}

// --- close ---------------------------------------------------------------------------------

bool TMain::FormClose()
{
    // 1.
    if (!QuietClose && askConfirmation(CloseQuestion, {MsgButton::Ok, MsgButton::Cancel}) != MsgButton::Ok)
        return false;
    // 2. The child windows, one after the other; one that refuses keeps everything open.
    const QList<QMdiSubWindow*> children = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (const QPointer<QMdiSubWindow> sub : children) {
        if (sub.isNull())
            continue;
        const QString name = sub->widget() != nullptr ? sub->widget()->objectName() : sub->objectName();
        bool refused = false;
        guard("FormClose-" + name, this, [&] { refused = !sub->close(); });
        if (refused)
            return false;
    }
    // 4. before 3: the records being edited are written while the connection is still there.
    // One that cannot be written (its failure has been shown) is given up only when the user
    // says so; otherwise the program goes on with the record still in edit.
    if (!postTemplatesBeforeClose())
        return false;
    // 3.
    guard("FormClose-DataBase-Disconect", this, [&] { m_shell.disconnectDataModule(); });
    // 5.
    WriteStringToIniFile("Program", "ObdracPoslDog", m_fObdracPoslDog->lookupText());
    return true;
}

bool TMain::postTemplatesBeforeClose()
{
    bool posted = false;
    try {
        m_shell.postTemplates();
        posted = true;
    } catch (const EAbort&) {
    } catch (...) {
        LogCurrentException(this, "FormClose");
    }
    return posted || askConfirmation(UnsavedTemplatesQuestion, {MsgButton::Ok, MsgButton::Cancel}) == MsgButton::Ok;
}

void TMain::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    if (FormClose()) {
        m_closing = true;
        event->accept();
    } else {
        event->ignore();
    }
}

void TMain::FormDestroy() { SetFormCord(this); }

// --- events and commands -------------------------------------------------------------------

void TMain::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        ::setArrowCursor();
    QMainWindow::mousePressEvent(event);
}

bool TMain::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip && m_hintsAttached) {
        DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mdiArea->viewport() && event->type() == QEvent::Resize)
        m_pageControl->setGeometry(m_mdiArea->viewport()->rect());
    return QMainWindow::eventFilter(watched, event);
}

void TMain::DisplayHint(const QString& hint) { statusBar()->showMessage(hint); }

void TMain::OknoClick()
{
    guard("Konec1Click", this, [&] { close(); });
}

void TMain::NastClick()
{
    guard("Oprogramu1Click", this, [&] {
        if (!MDIChildExist("About"))
            showMdiChild(new TAbout);
    });
}

void TMain::PageControlChange(int)
{
    guard("PageControlChange", this, [&] { m_shell.postTemplates(); });
}

void TMain::fObdracPoslDogCloseUp(bool selected)
{
    guard("fObdracPoslDogCloseUp", this, [&] {
        const QString code = m_fObdracPoslDog->lookupText();
        if (selected && !code.isEmpty())
            m_shell.openTemplates(code);
    });
}

void TMain::bKreiranjeClick()
{
    guard("bKreiranjeClick", this, [&] { m_commands.kreiranje(*this); });
}

void TMain::bIzpisClick()
{
    guard("bIzpisClick", this, [&] { m_commands.izpis(*this); });
}
