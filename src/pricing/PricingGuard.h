#pragma once
#include "data/core/EAbort.h"
#include "data/core/FailureReport.h"

#include <QString>
#include <exception>
#include <stdexcept>
#include <utility>

// The guard of the pricing routines: the body runs; a failure is reported under the routine's
// operation name and the routine goes on with its fall-back value. A silent cancellation
// (EAbort) is neither reported nor passed on. Nothing escapes.
//
// component names the component that the error log shows as the entry's sender
// ("qQueryFind", "qFindSubjCenik"; empty: the application).
namespace pricing_guard {

inline void reportCurrent(const QString& operation)
{
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        reportRoutineFailure(operation, e);
    } catch (...) {
        reportRoutineFailure(operation, std::runtime_error("Neznana napaka"));
    }
}

} // namespace pricing_guard

template <class T, class Body>
T guardRoutine(const QString& operation, [[maybe_unused]] const char* component, T fallback, Body&& body) noexcept
{
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        pricing_guard::reportCurrent(operation);
    }
    return fallback;
}

template <class Body>
void guardRoutine(const QString& operation, [[maybe_unused]] const char* component, Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
    } catch (...) {
        pricing_guard::reportCurrent(operation);
    }
}
