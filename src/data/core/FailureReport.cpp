#include "data/core/FailureReport.h"
#include <cstdio>
#include <QStringList>
#include <QtGlobal>
#include <cxxabi.h>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {

RoutineFailureReporter& currentReporter()
{
    static RoutineFailureReporter reporter;
    return reporter;
}

RoutineFailureReporter& defaultReporter()
{
    static RoutineFailureReporter reporter;
    return reporter;
}

QString className(const std::exception& e)
{
    const char* mangled = typeid(e).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return QString::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
}

} // namespace

void setRoutineFailureReporter(RoutineFailureReporter reporter)
{
    currentReporter() = std::move(reporter);
}

void setDefaultRoutineFailureReporter(RoutineFailureReporter reporter)
{
    defaultReporter() = std::move(reporter);
}

void reportRoutineFailure(const QString& operation, const std::exception& e) noexcept
{
    try {
        RoutineFailure failure{operation, className(e), QString::fromUtf8(e.what()), &e};
        if (currentReporter())
            currentReporter()(failure);
        else if (defaultReporter())
            defaultReporter()(failure);
        else
            std::fprintf(stderr, "%s: %s: %s\n", qPrintable(failure.operation),
                         qPrintable(failure.exceptionClass), qPrintable(failure.message));
    } catch (...) {
        // The reporter must never disturb the routine that reports.
    }
}

CapturedRoutineFailures::CapturedRoutineFailures()
    : m_previous(currentReporter())
{
    currentReporter() = [this](const RoutineFailure& f) {
        m_failures.push_back(f);
        m_failures.back().exception = nullptr;
    };
}

CapturedRoutineFailures::~CapturedRoutineFailures()
{
    currentReporter() = std::move(m_previous);
}

QStringList CapturedRoutineFailures::operations() const
{
    QStringList names;
    for (const auto& f : m_failures)
        names << f.operation;
    return names;
}
