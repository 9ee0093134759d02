#pragma once
#include <exception>

// A silent cancellation: never logged, never shown. Raised to cancel a post, a delete or a
// command without telling the user anything more.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};
