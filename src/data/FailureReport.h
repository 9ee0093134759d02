#pragma once
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <vector>

// Routines that guard themselves but sit below the error log (money rounding, safe division,
// line valuation) hand a failure they caught to this reporter under their operation name and
// go on with their fall-back value. The program points the reporter at the error log once that
// is available; until then, and in programs without one, failures go to standard error.

struct RoutineFailure {
    QString operation;       // "RoundT", "CalcVredPromPoz", ...
    QString exceptionClass;  // class name of the caught exception, e.g. "MoneyOverflow"
    QString message;         // its message
};

using RoutineFailureReporter = std::function<void(const RoutineFailure&)>;

// Installs a reporter; an empty one restores the default (standard error).
void setRoutineFailureReporter(RoutineFailureReporter reporter);
// Never throws.
void reportRoutineFailure(const QString& operation, const std::exception& e) noexcept;

// For tests: records the failures reported while it lives, then restores the previous reporter.
class CapturedRoutineFailures {
public:
    CapturedRoutineFailures();
    ~CapturedRoutineFailures();
    CapturedRoutineFailures(const CapturedRoutineFailures&) = delete;
    CapturedRoutineFailures& operator=(const CapturedRoutineFailures&) = delete;

    const std::vector<RoutineFailure>& failures() const { return m_failures; }
    QStringList operations() const;
    void clear() { m_failures.clear(); }

private:
    RoutineFailureReporter m_previous;
    std::vector<RoutineFailure> m_failures;
};
