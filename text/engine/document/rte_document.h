// The engine document: one body of styled text with its text blocks, style tables and runs,
// selection, areas, drawing port, hooks and settings. It lives in one handle under a key of its
// own, so that every handle made for it goes with it.
#pragma once

#include <cstdint>

#include "rect_list.h"
#include "rte_environment.h"

constexpr uint32_t RTE_DOC_VERSION = 0x20001;
constexpr uint32_t RTE_DOC_STATE_READY = 257;

// Document flags.
constexpr uint32_t RTE_DOC_RELAYOUT_BITS = 0x1;
constexpr uint32_t RTE_DOC_NO_LEADING = 0x4;
constexpr uint32_t RTE_DOC_RESET_SCROLL = 0x10;
constexpr uint32_t RTE_DOC_HIDDEN_TEXT = 0x40;  // hidden text takes no room
constexpr uint32_t RTE_DOC_STYLES_CHANGED = 0x400;
constexpr uint32_t RTE_DOC_KEEP_TRAILING_BLANKS = 0x1000;
constexpr uint32_t RTE_DOC_OFFSCREEN_CONTAINERS = 0x100000;
constexpr uint32_t RTE_DOC_BORROWED_PORT = 0x800000;
constexpr uint32_t RTE_DOC_FINAL_PARAGRAPH_END = 0x01000000;  // the text ends with a paragraph end
constexpr uint32_t RTE_DOC_PAGE_RELAYOUT = 0x2000000;
constexpr uint32_t RTE_DOC_WITH_BITS_1_2 = 0x40000000;  // adds 0x3

// Second flags.
constexpr uint32_t RTE_DOC2_NAMED_STYLE_MODE = 0x100;
constexpr uint32_t RTE_DOC2_KEEP_UNUSED = 0x1000;

// Shared parts.
constexpr uint32_t RTE_SHARE_STYLES = 0x1;
constexpr uint32_t RTE_SHARE_PORT = 0x2;
constexpr uint32_t RTE_SHARE_VIEW = 0x4;
constexpr uint32_t RTE_SHARE_WRAP = 0x8;
constexpr uint32_t RTE_SHARE_EXTRA = 0x10;

// Page flags.
constexpr uint32_t RTE_PAGE_DEFAULT_FLAGS = 64;

// Port arguments of RteDocCreate besides a window.
inline void* const RTE_PORT_NEW = nullptr;
inline void* const RTE_PORT_ENVIRONMENT = reinterpret_cast<void*>(intptr_t{-1});

constexpr int RTE_LINKED_DOCS = 8;
constexpr int32_t RTE_EXT_FIRST = -16;

// A position of the selection; two for each selected range.
struct RteSelectPoint {
    int32_t offset;
    uint32_t flags;
    RtePoint point;
    int32_t line;
    int32_t height;
    int32_t values[3];
};
constexpr uint32_t RTE_SELECT_BY_RECTS = 0x4;  // the first record: slot 6 lists the selection
constexpr uint32_t RTE_SELECT_TRIM = 0x10;     // the end record: trailing blanks may go
constexpr uint32_t RTE_SELECT_RECOMPUTE = 0x1;  // its place must be found again before use

// Page settings: stored whole and replaced whole.
struct RtePageSettings {
    uint32_t flags;
    RteRect margins;
    int32_t width;
    int32_t height;
    int32_t columns;
    int32_t gap;
    int32_t values[64];
};

// What the change detection of the areas compares.
struct RteAreaState {
    RtePoint origin;
    RtePoint scroll;
    int32_t factor;
    RteRect wrap;
    RteRect view;
};

// A run: where it starts and the table record it names.
struct RteStyleRun {
    int32_t offset;
    uint16_t index;
};

// Scrolling: the position before the last scroll, the line steps and extra ranges (0: automatic
// steps, no extra), and the scroll-bar values last reported (horizontal, vertical and their
// maxima).
struct RteScrollState {
    RtePoint previous;
    int16_t lineH;
    int16_t lineV;
    int16_t extraH;
    int16_t extraV;
    int16_t reported[4];
    // The position itself; the document's scroll pair is what drawing subtracts (the display
    // offsets), which follows the position unless the owner scrolls the display itself.
    RtePoint position;
};

// What the last edit left to be laid out again in a block whose lines stand: the lines that
// start after the edit's end, their offsets already moved with the text, may be taken back as
// they are once a new line starts where one of them does. Any other change drops it.
struct RteReflow {
    bool pending;
    int32_t block;
    int32_t edit;       // block offset where the text changed
    int32_t editEnd;    // block offset after the inserted text, or of the deletion
    RteRect wrap;       // the wrap bounds and containers the old lines were laid out in
    int32_t containers;
};

struct RteDocument {
    RteEnvironment* env;
    uint32_t version;
    uint32_t state;
    intptr_t hostRef;
    uint32_t flags;
    uint32_t flags2;
    uint32_t shared;
    int32_t sharers;       // views that use this document's style tables
    RteHandle linkedDoc;
    uint32_t saveMask;
    RteHandle tableOwner;  // the document whose style tables this one uses
    RteHandle self;
    int32_t textLength;
    RtePoint pair1;
    RtePoint pair2;
    RtePoint scroll;
    RtePoint savedScroll;
    RteRect textBounds;
    RteScaling scaling;
    int32_t scalingGiven;  // the factor as given, beside the stored one
    RteColor backColor;
    int32_t resolution;
    int16_t styleSetting;
    int16_t value9;
    int16_t insertStyle;    // index of the insertion style
    int16_t currentStyle;   // the character style index last in force
    int32_t scrollMaskH;
    int32_t scrollMaskV;
    RteDrawPort port;
    RteHandle selection;    // RteSelectPoint
    RteRectList viewArea;
    RteRectList extraArea;
    RteRectList wrapArea;
    RtePoint viewOrigin;
    RteRectList highlight;  // the selection's ranges as last drawn or to be drawn
    RteRectList rectList3;
    RteHandle blocks;       // RteTextBlock
    RteHandle charStyles;   // RteCharStyle
    RteHandle parFormats;   // RteParFormat
    RteHandle fonts;        // RteFont
    RteHandle linkRanges[2];
    RteHandle charRuns;     // RteStyleRun
    RteHandle parRuns;      // RteStyleRun
    RteHandle styleNames;   // RteStyleName
    RteHandle runListC;
    RteHandle bytes1;
    RteHandle valuesA;
    RteHandle valuesB;
    RteHandle bytes2;
    RteHandle points;       // made on demand
    RteHookTable hooks;
    uint32_t key;
    uint64_t identity;      // unique for the environment's life: keys the position cache
    uint32_t changes;       // raised by every change, layout changes included
    int32_t currentStyleName;  // 0-based
    uint32_t nameChanges;
    int32_t tabBase;
    RtePageSettings page;
    RteHandle linked[RTE_LINKED_DOCS];
    RteHandle furtherLinked;
    RteHandle ext;          // int32_t entries from index -16; made on demand
    intptr_t claimant;
    intptr_t streamRef;
    RteIoProc streamIo;
    // Areas: how the wrap area repeats, the gaps between its copies, the change flags and what
    // text each extra-area rect belongs to.
    uint32_t layoutFlags;
    int32_t repeatGapV;
    int32_t repeatGapH;
    uint32_t areaChanges;
    RteHandle anchors;     // RteAnchor; made on demand
    RteHandle userRef;     // the host's, never read by the engine
    RteHandle containerValues;  // int32_t, one a container; made on demand
    RteAreaState seenAreas;     // as the last change detection left them
    // Layout across containers: where the line builder must start a new container (0 for
    // none), the fewest lines a paragraph keeps before and after a container break (0 for no
    // rule), and the characters that find no room in the wrap area (0 when all fit, -1 when
    // lines fall below it that hold none).
    int32_t forcedBreak;
    int16_t minLinesBefore;
    int16_t minLinesAfter;
    int32_t overflow;
    // The system's reading direction as last looked at (any value but -1 reads as 1), and the
    // caret's window point as the caret hook noted it, both dropped when the direction changes.
    int32_t systemDirection;
    RtePoint caretPoint;
    // The caret no longer stands where it was drawn: a click or a scroll moved the text.
    bool caretMoved;
    RteScrollState scrolling;
    // Typed bytes waiting to be inserted, and the redraw mode noted with the first of them.
    RteHandle typeahead;
    int16_t typeaheadRedraw;
    // The innermost open insertion batch (RteBatch), null outside batches.
    RteHandle batch;
    // A copy's ranges in its source (RteRange, the first from 0), under the document's key.
    RteHandle origins;
    // RTE_LARGE_CHANGE once text went in as chunks: from then on, an insertion that changes the
    // blocks redraws the whole text.
    int16_t largeChange;
    RteHandle extraValues;  // int32_t, one an extra-area rect; made on demand
    RteReflow reflow;
    // The highlight region stands inverted on the screen.
    bool highlightShown;
    // Copies of a repeating wrap area that hold text, as last drawn.
    int32_t pagesInUse;
    // The caller's output record (RteSetDeviceRecord), whose first value is pointer-sized; null
    // for none.
    const void* outputRecord;
};

// An extra-area rect (numbered from 1) and the text offset from which it affects lines.
struct RteAnchor {
    int32_t offset;
    int16_t rect;
};

// Made and destroyed.
RteHandle RteDocCreate(RteEnvironment* env, void* port, RteRectList view, RteRectList wrap, RteRectList extra,
                       uint32_t flags);
RteHandle RteNewDocument(RteEnvironment* env);
RteHandle RteDuplicateDocShell(RteHandle doc);
RteHandle RteNewView(RteHandle doc, bool ownPort, RteRectList view, RteRectList wrap, RteRectList extra,
                     uint32_t flags);
void RteShareParts(RteHandle newDoc, RteHandle doc, uint32_t parts);
void RteDocDestroy(RteHandle doc);
void RteDestroyLinked(RteHandle doc);

// Settings.
int32_t RteTextLength(RteHandle doc);
uint32_t RteGetDocFlags(RteHandle doc);
int32_t RteSetDocFlags(RteHandle doc, uint32_t flags);
uint32_t RteGetDocFlags2(RteHandle doc);
int32_t RteSetDocFlags2(RteHandle doc, uint32_t flags);
void RteGetPageSettings(RteHandle doc, RtePageSettings* out);
void RteSetPageSettings(RteHandle doc, const RtePageSettings* settings, bool relayout, int16_t redraw);
void RteGetDocHooks(RteHandle doc, RteHookTable* out);
void RteSetDocHooks(RteHandle doc, const RteHookTable* hooks, bool relayout);
void RteGetAreas(RteHandle doc, RteRectList view, RteRectList wrap, RteRectList extra);
void RteSetAreas(RteHandle doc, RteRectList view, RteRectList wrap, RteRectList extra);
RteRectList RteWrapArea(RteHandle doc);
RteRectList RteViewArea(RteHandle doc);
RteRectList RteExtraArea(RteHandle doc);
void RteGetScaling(RteHandle doc, RteScaling* out);
void RteSetScaling(RteHandle doc, const RteScaling* scaling);
int32_t RteDocHeight(RteHandle doc);
void RteGetPort(RteHandle doc, RteDrawPort* out);
void RteSetPort(RteHandle doc, const RteDrawPort* port);
void RteCopyPortTo(RteHandle doc, RteDrawPort* out);
intptr_t RteGetPortValue(RteHandle doc);
void RteSetPortValue(RteHandle doc, intptr_t value);
void RteGetPortOrigin(RteHandle doc, RtePoint* out);
void RteSetPortOrigin(RteHandle doc, const RtePoint* origin);
uint32_t RteGetChangeCounter(RteHandle doc);
void RteSetChangeCounter(RteHandle doc, uint32_t value);
RteEnvironment* RteDocEnvironment(RteHandle doc);
intptr_t RteDocStreamRef(RteHandle doc);
void RteSetDocRef(RteHandle doc, intptr_t value);
intptr_t RteGetDocRef(RteHandle doc);
int32_t RteClaimDoc(RteHandle doc, intptr_t claimant);
intptr_t RteDocClaimant(RteHandle doc);
// The caller's output record, kept by pointer; a new one lays out the whole text again with
// the fonts measured anew. 1.
int32_t RteSetDeviceRecord(RteHandle doc, const void* record);
// The output record's first value, 0 without a record.
intptr_t RteGetDeviceMode(RteHandle doc);

// The insertion style, the first paragraph format and the first font, overwritten in place
// (their use counts kept); the whole text is marked for layout.
void RteSetInsertStyle(RteHandle doc, const RteCharStyle* style, int16_t redraw);
int32_t RteGetInsertStyle(RteHandle doc, RteCharStyle* out);
void RteSetDefaultParFormat(RteHandle doc, const RteParFormat* format, int16_t redraw);
void RteSetDefaultFont(RteHandle doc, const RteFont* font, int16_t redraw);

// Areas.
void RteOffsetView(RteHandle doc, const RtePoint* topLeft, const RtePoint* bottomRight);
void RteOffsetAreas(RteHandle doc, int32_t dv, int32_t dh, bool wrap, bool view, bool extra);

// The extension table, indexed from -16.
void RteSetExtValue(RteHandle doc, int32_t index, int32_t value);
int32_t RteGetExtValue(RteHandle doc, int32_t index);
int32_t RteFirstFreeExt(RteHandle doc);

// Documents bound to a stream, whose clean text may be released when memory runs short.
size_t RteReleaseBoundText(RteHandle doc, RteHandle spare, size_t wanted);
int32_t RteIsBoundDoc(RteMemContext* context, RteHandle doc);
