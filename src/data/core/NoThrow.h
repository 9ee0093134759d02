#pragma once

// Runs f; any exception ends here. For destructors and for code that Qt calls (nothing may leave
// a slot or a destructor).
template <typename F>
void noThrow(F&& f) noexcept
{
    try {
        f();
    } catch (...) {
    }
}
