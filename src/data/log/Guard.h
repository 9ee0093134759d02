#pragma once
#include "data/core/EAbort.h"
#include "data/log/ErrorLog.h"

#include <QString>

#include <type_traits>
#include <utility>

// The guard around a routine's body: a failure is written to the error log under the
// operation's name with its sender, and the routine goes on with its fall-back value.
//
//   guard("TableRefresh", dataset, [&] { ... });                      // nothing to return
//   int n = guard("GetQueryRecordCount", qQueryFind, 0, [&] { ...; return count; });
//   QString k = guardAndRaise("NovaStevGlavC-" + table, nullptr, [&] { ...; return key; });
//
// guard:           any failure is logged and swallowed; an EAbort is swallowed silently.
// guardPassAbort:  the same, but an EAbort travels on to the caller (a before-post handler
//                  that cancels the post, a close that a child window refuses).
// guardAndRaise:   logs and raises again (LogAndRaise): an EAbort as a silent EAbort, anything
//                  else as a plain Exception with the same message.
// None of them lets anything but EAbort or (guardAndRaise) Exception out.

template <class Body>
void guard(const QString& operation, const LogSender& sender, Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
    } catch (const EAbort&) {
    } catch (...) {
        LogCurrentException(sender, operation);
    }
}

template <class T, class Body>
T guard(const QString& operation, const LogSender& sender, T fallback, Body&& body) noexcept(
    std::is_nothrow_move_constructible_v<T>)
{
    try {
        return std::forward<Body>(body)();
    } catch (const EAbort&) {
    } catch (...) {
        LogCurrentException(sender, operation);
    }
    return fallback;
}

template <class Body>
void guardPassAbort(const QString& operation, const LogSender& sender, Body&& body)
{
    try {
        std::forward<Body>(body)();
    } catch (const EAbort&) {
        throw;
    } catch (...) {
        LogCurrentException(sender, operation);
    }
}

template <class T, class Body>
T guardPassAbort(const QString& operation, const LogSender& sender, T fallback, Body&& body)
{
    try {
        return std::forward<Body>(body)();
    } catch (const EAbort&) {
        throw;
    } catch (...) {
        LogCurrentException(sender, operation);
    }
    return fallback;
}

template <class Body>
auto guardAndRaise(const QString& operation, const LogSender& sender, Body&& body) -> decltype(body())
{
    try {
        return std::forward<Body>(body)();
    } catch (const EAbort&) {
        throw;
    } catch (...) {
        LogAndRaiseCurrent(sender, operation);
    }
}
