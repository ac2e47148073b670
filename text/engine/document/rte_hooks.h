// The document hook table: 33 replaceable slots that every document copies from its
// environment when it is made. Slot numbers are the ones every part of the engine uses.
#pragma once

#include <cstdint>

#include "geometry_types.h"
#include "rte_types.h"

struct RteFont;

typedef void (*RteNotify3Hook)(RteHandle doc, intptr_t a, intptr_t b);                                   // 0, 26, 29
typedef void (*RteNotify4Hook)(RteHandle doc, intptr_t a, intptr_t b, intptr_t c);                       // 16, 17, 21
typedef void (*RteNotify6Hook)(RteHandle doc, intptr_t a, intptr_t b, intptr_t c, intptr_t d, intptr_t e); // 19, 27
typedef void (*RteDisplayHook)(RteHandle doc, intptr_t a, intptr_t b, intptr_t c, intptr_t d, intptr_t e,
                               intptr_t f);                                                                 // 18
typedef void (*RteProgressHook)(RteHandle doc, int32_t mode, int32_t done, int32_t total);                // 20
typedef intptr_t (*RteLineHook)(RteHandle doc, void* builder);                                             // 1, 3
typedef intptr_t (*RteAdjustHook)(RteHandle doc, intptr_t a, intptr_t b, intptr_t c, intptr_t d,
                                  intptr_t value);                                                          // 4
typedef intptr_t (*RteGeneralHook)(RteHandle doc, intptr_t a, intptr_t b, intptr_t c, intptr_t d,
                                   intptr_t e);  // slots whose arguments their own parts fix
typedef int32_t (*RteBlockHook)(RteHandle doc, int32_t block);                                            // 8, 9
typedef void (*RteFontInitProc)(RteHandle doc, RteFont* font);                                             // 13
// Writes the paragraph [*start, *end) that holds the offset.
typedef void (*RteParBoundsHook)(RteHandle doc, int32_t offset, int32_t* start, int32_t* end);             // 22
typedef void (*RteContainerHook)(RteHandle doc, int32_t container, const RteRect* rect, intptr_t a, intptr_t b,
                                 int32_t mode, int32_t* state);                                            // 23
typedef void (*RtePortHookProc)(RteHandle doc, int32_t push);                                                   // 28
typedef int32_t (*RteTypeaheadHook)(RteHandle doc);                                                         // 32

struct RteHookTable {
    RteNotify3Hook lineNotify;      // 0
    RteLineHook fillLine;           // 1
    RteGeneralHook justify;         // 2
    RteLineHook lineFits;           // 3
    RteAdjustHook lineAdjust;       // 4
    RteGeneralHook lineBreak;       // 5
    RteGeneralHook highlightRects;  // 6
    RteGeneralHook invertHighlight; // 7
    RteBlockHook loadText;          // 8
    RteBlockHook splitPoint;        // 9
    RteGeneralHook caret;           // 10
    RteGeneralHook blink;           // 11
    RteGeneralHook hitTest;         // 12: (const RtePoint*, RteSelectPoint* out, hit mode)
    RteFontInitProc fontInit;       // 13
    RteGeneralHook drawInvisibles;  // 14
    RteGeneralHook autoScroll;      // 15
    RteNotify4Hook scrolled;        // 16
    RteNotify4Hook afterDisplay;    // 17
    RteDisplayHook display;         // 18
    RteNotify6Hook drawing;         // 19
    RteProgressHook progress;       // 20
    RteNotify4Hook undo;            // 21
    RteParBoundsHook parBounds;     // 22
    RteContainerHook container;     // 23
    RteGeneralHook specialChar;     // 24
    RteGeneralHook postLayout;      // 25
    RteNotify3Hook textChanged;     // 26
    RteNotify6Hook clicked;         // 27
    RtePortHookProc port;               // 28
    RteNotify3Hook pageMargins;     // 29
    RteGeneralHook farEastClass;    // 30
    RteGeneralHook charType;        // 31
    RteTypeaheadHook typeahead;     // 32
};
constexpr int RTE_DOCUMENT_HOOKS = 33;
static_assert(sizeof(RteHookTable) == RTE_DOCUMENT_HOOKS * sizeof(void*));
