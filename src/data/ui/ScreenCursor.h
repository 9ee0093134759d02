#pragma once
#include <Qt>

// The program-wide mouse cursor ("screen cursor"): one shape for every window, as long as it is
// not the arrow. Setting the arrow removes the override altogether.
void setScreenCursor(Qt::CursorShape shape);
inline void setArrowCursor() { setScreenCursor(Qt::ArrowCursor); }

// Sets the hourglass for the lifetime of the object and puts back the cursor that was there.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_hadOverride;
    Qt::CursorShape m_previous;
};
