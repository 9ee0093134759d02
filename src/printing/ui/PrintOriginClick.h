#pragma once

// Clicks PrintOrigin again as if the user did (the preview's refresh): a button is clicked, a
// menu item triggered. False when PrintOrigin is neither (the placeholder before the first
// report start, or anything else); the caller then shows "Dokumenta ni mogoče osvežiti".
bool clickPrintOrigin();
