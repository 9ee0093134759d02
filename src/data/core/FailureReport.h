#pragma once
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <vector>

// Routines that guard themselves but sit below the error log (money rounding, safe division,
// line valuation) hand a failure they caught to this reporter under their operation name and
// go on with their fall-back value. The error log installs itself as the default reporter when it
// is linked into a program; without it failures go to standard error. A reporter installed with
// setRoutineFailureReporter (tests) takes precedence over the default.

struct RoutineFailure {
    QString operation;       // "RoundT", "CalcVredPromPoz", ...
    QString exceptionClass;  // class name of the caught exception, e.g. "MoneyOverflow"
    QString message;         // its message
    const std::exception* exception = nullptr;  // the exception itself, during the report only
};

using RoutineFailureReporter = std::function<void(const RoutineFailure&)>;

// Installs a reporter; an empty one restores the default.
void setRoutineFailureReporter(RoutineFailureReporter reporter);
// The reporter used when none is installed (the error log sets it); empty means standard error.
void setDefaultRoutineFailureReporter(RoutineFailureReporter reporter);
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
