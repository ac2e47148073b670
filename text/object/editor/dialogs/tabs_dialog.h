// "Tabulations" ("D_TABS"): the tab stops of the selected paragraphs, the default tab
// interval and whether the tab ruler is shown, in pixels.
#pragma once

#include "rte_style_records.h"

#include <windows.h>

#include <cstdint>

class OBJET;

// Leaders of a tab stop; the fourth choice, shown "&4 ___", is stored as the comma code.
constexpr int32_t QX_LEADER_NONE = 0;
constexpr int32_t QX_LEADER_DOTS = 46;
constexpr int32_t QX_LEADER_DASHES = 45;
constexpr int32_t QX_LEADER_LINE = 44;

// The editor fills it from the selection's tab stops (RteGetTabs) and applies it on 1. A tab
// deleted here keeps its record with kind RTE_TAB_NONE, so that the engine removes it.
struct TABSRECORD {
    int busy = 0;                   // commands are ignored while set
    int count = 0;                  // records used in tabs, at most RTE_MAX_TABS
    RteTab tabs[RTE_MAX_TABS]{};    // in ascending positions
    int32_t common[RTE_MAX_TABS]{}; // every paragraph has the tab; -1 for a tab added here
    int defaultInterval = 25;
    int showRuler = 0;
    int16_t map[RTE_MAX_TABS]{};    // list position -> tab index
    OBJET* text = nullptr;          // the text object, for its kernel (help)
};

// Runs the dialog modally on the owner: 1 on OK, 0.
int TabsDialog(HWND owner, TABSRECORD* record);
