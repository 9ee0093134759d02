#include "reports/ReportGenerator.h"
#include "reports/ReportLayout.h"

#include <QElapsedTimer>
#include <QTimer>

ReportGenerator::ReportGenerator(ReportDefinition definition, ReportDataSources sources, ReportContext context,
                                 QObject* parent)
    : QObject(parent), m_definition(std::move(definition)), m_sources(std::move(sources)),
      m_context(std::move(context))
{
}

ReportGenerator::~ReportGenerator() = default;

bool ReportGenerator::prepare()
{
    if (m_started)
        return !m_finished;
    m_started = true;
    m_prepared.clear();
    m_layout = std::make_unique<ReportLayout>(m_definition, m_sources, m_context, m_prepared);
    const QString error = m_layout->prepare();
    if (!error.isEmpty()) {
        fail(error);
        return false;
    }
    emit progress(0);
    m_lastProgress = 0;
    return true;
}

void ReportGenerator::start()
{
    if (m_started)
        return;
    if (!prepare())
        return;
    m_timer = new QTimer(this);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (!runSlice(m_sliceMs))
            m_timer->stop();
    });
    m_timer->start();
}

bool ReportGenerator::runToEnd()
{
    if (!m_started && !prepare())
        return false;
    if (m_timer)
        m_timer->stop();
    while (runSlice(1000)) {
    }
    return m_finished && !m_cancelled && m_error.isEmpty();
}

bool ReportGenerator::runSlice(int milliseconds)
{
    if (m_finished)
        return false;
    if (m_cancelRequested) {
        finish(true);
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    bool more = true;
    while (more && !m_cancelRequested) {
        more = m_layout->step();
        // Check the clock every few rows only: it is not free.
        if (more && m_layout->rowNumber() % 8 == 0 && clock.elapsed() >= milliseconds)
            break;
    }
    if (!m_layout->error().isEmpty()) {
        emitNewPages();
        fail(m_layout->error());
        return false;
    }
    if (m_cancelRequested) {
        finish(true);
        return false;
    }
    if (!more) {
        m_layout->finish();
        if (!m_layout->error().isEmpty()) {
            fail(m_layout->error());
            return false;
        }
        finish(false);
        return false;
    }
    const int p = m_layout->progressPercent();
    if (p != m_lastProgress) {
        m_lastProgress = p;
        emit progress(p);
    }
    emitNewPages();
    return true;
}

void ReportGenerator::emitNewPages()
{
    const int settled = m_layout ? m_layout->settledPages() : 0;
    while (m_pagesAnnounced < settled)
        emit pageReady(m_pagesAnnounced++);
}

void ReportGenerator::finish(bool cancelled)
{
    if (m_finished)
        return;
    m_cancelled = cancelled;
    if (cancelled) {
        m_prepared.setComplete(false);
    } else {
        emitNewPages();
        if (m_lastProgress != 100) {
            m_lastProgress = 100;
            emit progress(100);
        }
    }
    m_finished = true;
    m_layout.reset();
    emit finished(cancelled);
}

void ReportGenerator::fail(const QString& message)
{
    if (m_finished)
        return;
    m_error = message;
    m_finished = true;
    m_layout.reset();
    emit failed(message);
}

void ReportGenerator::cancel()
{
    if (!m_started) {
        m_started = true;
        finish(true);
        return;
    }
    m_cancelRequested = true;
}

bool ReportGenerator::isRunning() const
{
    return m_started && !m_finished;
}

PreparedReport ReportGenerator::takePrepared()
{
    return std::move(m_prepared);
}
