#pragma once

// Lets the error log name the active form and the focused control, and put the mouse cursor
// back to normal before an error box. The windowed program calls this once at start-up.
void installErrorLogWidgetHooks();
