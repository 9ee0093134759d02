#pragma once
#include "reports/PreparedReport.h"
#include "reports/ReportContext.h"
#include "reports/ReportDataSource.h"
#include "reports/ReportDefinition.h"

#include <QObject>
#include <QString>

#include <memory>

class QTimer;
class ReportLayout;

// Lays a definition over its data sources into a PreparedReport.
//
// start() works in slices on the GUI thread (a zero timer; each slice runs for about
// sliceMilliseconds), so that a preview showing prepared() stays usable while pages arrive;
// runToEnd() does all of it at once. Signals: progress(0..100) as rows are laid out,
// pageReady(index) for every page that will not change any more, finished(cancelled) at the end,
// failed(message) when the definition or the data cannot be used (a Slovenian message; finished
// does not follow then). Nothing escapes as an exception.
class ReportGenerator : public QObject {
    Q_OBJECT
public:
    ReportGenerator(ReportDefinition definition, ReportDataSources sources, ReportContext context,
                    QObject* parent = nullptr);
    ~ReportGenerator() override;

    void start();                      // asynchronous, in slices; returns at once
    bool runToEnd();                   // synchronous; false when failed or cancelled
    void cancel();                     // stops after the current row; finished(true) follows
    bool isRunning() const;
    bool isFinished() const { return m_finished; }     // done, cancelled or failed
    bool wasCancelled() const { return m_cancelled; }
    bool hasFailed() const { return !m_error.isEmpty(); }
    QString errorMessage() const { return m_error; }

    const PreparedReport& prepared() const { return m_prepared; }
    PreparedReport takePrepared();     // moves the report out (after the run)
    const ReportDefinition& definition() const { return m_definition; }

    void setSliceMilliseconds(int ms) { m_sliceMs = ms; }

signals:
    void progress(int percent);
    void pageReady(int pageIndex);
    void finished(bool cancelled);
    void failed(const QString& message);

private:
    bool prepare();
    bool runSlice(int milliseconds);   // false when the run ended
    void finish(bool cancelled);
    void fail(const QString& message);
    void emitNewPages();

    ReportDefinition m_definition;
    ReportDataSources m_sources;
    ReportContext m_context;
    PreparedReport m_prepared;
    std::unique_ptr<ReportLayout> m_layout;
    QTimer* m_timer = nullptr;
    int m_sliceMs = 40;
    int m_pagesAnnounced = 0;
    int m_lastProgress = -1;
    bool m_started = false;
    bool m_finished = false;
    bool m_cancelled = false;
    bool m_cancelRequested = false;
    QString m_error;
};
