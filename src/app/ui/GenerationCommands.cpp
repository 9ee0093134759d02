#include "GenerationCommands.h"

#include "TMain.h"

#include "app/ShellServices.h"
#include "controls/ui/DatePicker.h"
#include "controls/ui/LookupComboBox.h"
#include "data/DataSif.h"
#include "data/log/ErrorLog.h"
#include "data/log/MessageBoxes.h"
#include "data/ui/ScreenCursor.h"
#include "generation/GenerationCommand.h"
#include "printing/PrintingRun.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include <optional>

namespace {

// The buttons of the page are off while a command runs (so that a click queued meanwhile starts
// nothing), and the busy cursor is on from the first progress report (after the question) to
// the end.
class CommandScope {
public:
    explicit CommandScope(TMain& main) : m_kreiranje(main.bKreiranje()), m_izpis(main.bIzpis())
    {
        for (QPushButton* b : {m_kreiranje.data(), m_izpis.data()})
            if (b)
                b->setEnabled(false);
    }
    ~CommandScope()
    {
        m_cursor.reset();
        for (QPushButton* b : {m_kreiranje.data(), m_izpis.data()})
            if (b)
                b->setEnabled(true);
    }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

    void busy()
    {
        if (!m_cursor)
            m_cursor.emplace();
    }

private:
    QPointer<QPushButton> m_kreiranje;
    QPointer<QPushButton> m_izpis;
    std::optional<WaitCursor> m_cursor;
};

// The gauge, shown at once (the runs keep the event loop waiting).
std::function<void(int)> gaugeOf(TMain& main, CommandScope& scope)
{
    QPointer<QProgressBar> gauge = main.fGauge();
    return [gauge, &scope](int value) {
        scope.busy();
        if (gauge && gauge->value() != value) {
            gauge->setValue(value);
            gauge->repaint();
        }
    };
}

} // namespace

GenerationCriteria generationCriteriaFrom(const TMain& main)
{
    GenerationCriteria criteria;
    criteria.DatumKont = main.fkDatumKont()->date();
    criteria.Datum = main.fkDatum()->date();
    criteria.Subjekt = main.fkSubjekt()->lookupText();
    criteria.PoslDog = main.fkPoslDog()->lookupText();
    return criteria;
}

std::function<void()> reopenThroughShell(ShellServices& shell)
{
    return [&shell] {
        TMain* main = TMain::instance();
        if (!main)
            return;
        const QString poslDog = main->fObdracPoslDog()->lookupText();
        if (!poslDog.isEmpty())
            shell.openTemplates(poslDog);
    };
}

GenerationCommands::GenerationCommands(std::function<void()> reopenTemplates, TReportDesignerDialog& designer)
    : m_reopenTemplates(std::move(reopenTemplates)), m_designer(designer)
{
}

void GenerationCommands::kreiranje(TMain& main)
{
    CommandScope scope(main);
    const GenerationCriteria criteria = generationCriteriaFrom(main);
    QPointer<QPlainTextEdit> log = main.mKreDok();
    QElapsedTimer shown;
    shown.start();
    GenerationCallbacks callbacks;
    callbacks.clearLog = [log] {
        if (log)
            log->clear();
    };
    callbacks.logLine = [log, &shown, &scope](const QString& line) {
        scope.busy();
        if (!log)
            return;
        log->appendPlainText(line);
        // Shown now and then while the run goes; all of it at the end.
        if (shown.elapsed() > 200) {
            log->repaint();
            shown.restart();
        }
    };
    callbacks.progress = gaugeOf(main, scope);
    callbacks.reopenTemplates = m_reopenTemplates;
    bKreiranjeClick(criteria, callbacks);
}

void GenerationCommands::izpis(TMain& main)
{
    CommandScope scope(main);
    bIzpisClick(m_designer, main.bIzpis(), generationCriteriaFrom(main), gaugeOf(main, scope));
}
