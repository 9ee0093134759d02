#pragma once
#include "app/DeferredStartup.h"
#include "app/StartupConfiguration.h"

#include <QDate>
#include <QMainWindow>
#include <QStringList>

class DatePicker;
class MainWindowCommands;
class ShellServices;
class LookupComboBox;
class QAction;
class QGroupBox;
class QMdiArea;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class TwwOEDataSet;

// The lookup datasets behind the drop-downs of page "Kreiranje" (owned by whoever provides them;
// they are opened by the drop-downs when first needed).
struct KreiranjeLookups {
    TwwOEDataSet* tbLookPoslDogObdrac = nullptr;   // business events of kind "G": fObdracPoslDog
    TwwOEDataSet* tbLookSubj = nullptr;            // partner names: fkSubjekt
    TwwOEDataSet* tbLookPoslDogFak = nullptr;      // business events of documents: fkPoslDog
};

struct TMainOptions {
    QDate today;                  // invalid: the system date
    QString programFile;          // for the version check; empty: the running program
    bool runVersionCheck = true;
};

// The main window (form name "Main"): child windows open in its MDI area; page "Kreiranje" runs
// and prints the periodic invoicing, page "Nastavi partnerje" keeps the templates. What the
// other subsystems do for it comes in through two interfaces, which the program's composition
// root (ProgramComposition.h) builds and which outlive the window: the shell's services (data
// module, sign-in, template list) and the window's commands (its buttons, pages and menus).
class TMain : public QMainWindow, private StartupView, private DeferredStartupView {
    Q_OBJECT
public:
    // Creating the window reads the configuration (arguments: the command line).
    TMain(ShellServices& shell, MainWindowCommands& commands, const QStringList& arguments,
          const TMainOptions& options = {}, QWidget* parent = nullptr);
    ~TMain() override;

    // The main window of the run (null before it is made and after it is gone).
    static TMain* instance();

    // Components.
    QMdiArea* mdiArea() const { return m_mdiArea; }
    QTabWidget* PageControl() const { return m_pageControl; }
    QWidget* cKreiranje() const { return m_cKreiranje; }
    QWidget* cNastavi() const { return m_cNastavi; }
    LookupComboBox* fObdracPoslDog() const { return m_fObdracPoslDog; }
    DatePicker* fkDatumKont() const { return m_fkDatumKont; }
    DatePicker* fkDatum() const { return m_fkDatum; }
    LookupComboBox* fkSubjekt() const { return m_fkSubjekt; }
    LookupComboBox* fkPoslDog() const { return m_fkPoslDog; }
    QPushButton* bKreiranje() const { return m_bKreiranje; }
    QPushButton* bIzpis() const { return m_bIzpis; }
    QProgressBar* fGauge() const { return m_fGauge; }
    QPlainTextEdit* mKreDok() const { return m_mKreDok; }
    QAction* Okno() const { return m_okno; }
    QAction* Nast() const { return m_nast; }
    QMenu* Dodatno00() const { return m_dodatno; }

    // Binds the drop-downs of page "Kreiranje" to their lookup datasets (null leaves one unbound);
    // the values shown stay as they are.
    void bindKreiranjeLookups(const KreiranjeLookups& lookups);

    // Whether FormCreate ran all its steps.
    bool createdCompletely() const { return m_created; }
    bool firstPaintDone() const { return m_deferred.firstPaintDone(); }

public slots:
    // Deferred start-up; runs at the first paint and at later paints (see DeferredStartup).
    void FormPaint();
    void OknoClick();
    void NastClick();
    void DisplayHint(const QString& hint);
    void PageControlChange(int index);
    void fObdracPoslDogCloseUp(bool selected);
    void bKreiranjeClick();
    void bIzpisClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // StartupView
    void setWindowFont() override;
    void showStartValues(const QString& obdracPoslDog, const QDate& today) override;
    void setCaption(const QString& caption) override;
    void attachHintHandler() override;
    void buildExtraMenu() override;
    // DeferredStartupView
    void setArrowCursor() override;
    void restorePosition() override;
    void closeMainWindow() override;
    QString selectedPoslDog() const override;

    bool FormClose();
    // Posts the template records at close; false when one could not be posted and the user
    // chose to keep working.
    bool postTemplatesBeforeClose();
    void FormDestroy();
    void schedulePaint();
    void buildMenu();
    void buildPages();
    QWidget* buildKreiranjePage();

    QMdiArea* m_mdiArea = nullptr;
    QTabWidget* m_pageControl = nullptr;
    QWidget* m_cKreiranje = nullptr;
    QWidget* m_cNastavi = nullptr;
    QGroupBox* m_kriteriji = nullptr;
    LookupComboBox* m_fObdracPoslDog = nullptr;
    DatePicker* m_fkDatumKont = nullptr;
    DatePicker* m_fkDatum = nullptr;
    LookupComboBox* m_fkSubjekt = nullptr;
    LookupComboBox* m_fkPoslDog = nullptr;
    QPushButton* m_bKreiranje = nullptr;
    QPushButton* m_bIzpis = nullptr;
    QProgressBar* m_fGauge = nullptr;
    QPlainTextEdit* m_mKreDok = nullptr;
    QAction* m_okno = nullptr;
    QAction* m_nast = nullptr;
    QMenu* m_dodatno = nullptr;

    ShellServices& m_shell;
    MainWindowCommands& m_commands;
    DeferredStartup m_deferred;
    QDate m_today;
    bool m_created = false;
    bool m_hintsAttached = false;
    bool m_paintScheduled = false;
    bool m_shownOnce = false;
    bool m_closing = false;
};
