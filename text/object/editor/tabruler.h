// TABRULER: the two thin rulers along the top and the bottom of the text being edited, which
// show the tab grid and the tab stops of the paragraphs under the selection. They only display;
// the tabs dialog changes the stops and writes them back through WriteRulerTabs.
#pragma once

#include <windows.h>

#include <cstdint>

#include "qxbmp.h"
#include "rte_style_records.h"

constexpr const char* QX_TABRULER_CLASS = "TABRULER";
constexpr int QX_RULER_HEIGHT = 8;

class TABRULER {
public:
    // Loads the four marks from the module's resources; the first ruler of the process
    // registers the window class for the module, the last one unregisters it. tickSpacing is
    // the engine environment's default tab spacing in pixels: the grid's step.
    TABRULER(HINSTANCE module, int tickSpacing);
    ~TABRULER();
    TABRULER(const TABRULER&) = delete;
    TABRULER& operator=(const TABRULER&) = delete;

    HINSTANCE module;
    int tickSpacing;
    HWND windows[2]{};  // top, bottom; null until made
    BMP* marks[4]{};    // by tab kind 1 to 4: left, centred, right, decimal
    int32_t count = 0;
    RteTab tabs[RTE_MAX_TABS]{};
    int32_t common[RTE_MAX_TABS]{};  // non-zero when every paragraph of the selection has the stop
};

// Both rulers as hidden children of the edit window: 8 pixels high, from the left margin plus 9
// to the right margin plus 10, the top one at y 1, the bottom one 8 pixels above the client's
// bottom. 1 when both were made.
int CreateRulerWindows(TABRULER* ruler, HWND editWindow, int leftMargin, int rightMargin);
// Puts both rulers where CreateRulerWindows puts them for the edit window's present size.
void PlaceRulerWindows(TABRULER* ruler, HWND editWindow, int leftMargin, int rightMargin);
// The stops of the selected paragraphs; without any the tables are kept and the count is 0.
void ReadRulerTabs(TABRULER* ruler, RteHandle document);
// The count's worth of stops and flags set on the selected paragraphs.
void WriteRulerTabs(TABRULER* ruler, RteHandle document);
// Shows (erased and repainted) or hides both rulers.
void ShowRulers(TABRULER* ruler, int showCommand);
