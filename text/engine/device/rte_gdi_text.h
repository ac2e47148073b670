// Fonts, measuring, character classes and text output on GDI: the default character-style
// hooks (slots 0, 1, 2, 4, 5), the font-record hook (document slot 13), the invisibles (slot
// 14) and the tab leader (paragraph slot 2).
#pragma once

#include "rte_gdi.h"

// Slot 0: makes the style's font and stores its ascent, descent and leading.
void RteDefaultStyleMetrics(RteHandle doc, RteCharStyle* style, RteFont* font);
// Slot 1: (document, style, 0, style out or 0, named id, 0) selects the style's font into the
// current port's DC, the named style's attributes (a non-zero id) laid over the style's own;
// the style as selected is copied out when asked.
intptr_t RteSelectStyleFont(RteHandle doc, RteCharStyle* style, intptr_t, intptr_t out, intptr_t named, intptr_t);
// Slot 2: positions of a step (RteMeasureStep).
intptr_t RteMeasureText(RteHandle doc, RteCharStyle* style, intptr_t step, intptr_t, intptr_t, intptr_t);
// Slot 4: (document, style, character, its length or its RteCharContext, mask, bytes before it
// that may be read): the class bits asked for. Only with the context does a character at a
// script border get 0x36.
intptr_t RteDefaultCharInfo(RteHandle doc, RteCharStyle* style, intptr_t character, intptr_t length, intptr_t mask,
                            intptr_t before);
// What slot 5 draws: a run of one style on a line.
constexpr uint32_t RTE_RUN_SOFT_HYPHEN_END = 0x1;  // the line ends at a soft hyphen after it
// A boxed run whose box goes on from the run before or into the run after: no side there.
constexpr uint32_t RTE_RUN_BOX_FROM_BEFORE = 0x2;
constexpr uint32_t RTE_RUN_BOX_INTO_AFTER = 0x4;
// Style units the drawing reads beside the named ones: the box (first-part unit 23) and the
// blink mark (unit 25), each on when non-zero.
constexpr int RTE_STYLE_BOX_UNIT = 0;    // of units23to34
constexpr int RTE_STYLE_BLINK_UNIT = 2;  // of units23to34
struct RteDrawRun {
    const uint8_t* text;  // within its block's text
    int32_t count;
    int32_t blockStart;   // the document offset of the block
    int32_t offset;       // of the run's first character in the block
    int32_t x;         // the run's left
    int32_t baseline;
    RteRect line;      // the line's rect: the clip of spaced text
    int32_t justify;   // pixels spread over the run's blanks
    int32_t width;     // out: the width drawn
    uint32_t flags;
};
intptr_t RteDrawText(RteHandle doc, RteCharStyle* style, intptr_t run, intptr_t, intptr_t, intptr_t);

// Document slot 13: the font record's name, precisions, quality, character set and script.
void RteFontInitHook(RteHandle doc, RteFont* font);

// Finds or makes the style's GDI font, storing it and its cache index in the style.
HFONT RteMakeFont(RteHandle doc, RteCharStyle* style, const RteFont* font);
// Cumulative positions (mode 0) or widths (mode 2) of length bytes, from the font's own width
// table when it has one (else from GDI), justification spread over the blanks; answers the
// total width.
constexpr int32_t RTE_WIDTHS_CUMULATIVE = 0;
constexpr int32_t RTE_WIDTHS_EACH = 2;
int32_t RteCharWidths(HDC dc, const uint32_t* widthTable, const uint8_t* text, int32_t length, int32_t mode,
                      int32_t justify, int32_t* out);
// The same for a single-byte font from its advances, without the device.
int32_t RteSingleByteWidths(const uint32_t* advances, const uint8_t* text, int32_t length, int32_t mode,
                            int32_t justify, int32_t* out);
// Gives the style's font a table of 256 advances (the low 16 bits of each value) that measuring
// and drawing use instead of the device's.
void RteSetWidthTable(RteHandle doc, RteCharStyle* style, const uint32_t* table);
int32_t RteDcTextWidth(HDC dc, const char* text, int32_t length);

// Paragraph slot 2, in its tab-leader mode: fills the gap of a tab with copies of its leader,
// right-aligned to its end. Other modes draw nothing.
struct RteTabLeader {
    RteCharStyle* style;
    uint8_t leader;
    int32_t left;
    int32_t right;
    int32_t baseline;
};
intptr_t RteDrawTabLeader(RteHandle doc, RteParFormat* format, intptr_t mode, intptr_t request, intptr_t);

// Document slot 14: the marks of a line's blanks and its end.
// How a line ends: each kind has its mark; the text's end has its own, unless the text ends at
// a page or container break.
constexpr int32_t RTE_LINE_ENDS_PARAGRAPH = 1;
constexpr int32_t RTE_LINE_ENDS_TEXT = 2;  // at a paragraph end
constexpr int32_t RTE_LINE_ENDS_SOFT_BREAK = 3;
constexpr int32_t RTE_LINE_ENDS_PAGE = 4;
constexpr int32_t RTE_LINE_ENDS_CONTAINER = 5;
struct RteInvisibles {
    RteCharStyle* style;
    const uint8_t* text;
    int32_t count;
    const int32_t* positions;  // count + 1, from the line's left
    int32_t left;
    int32_t baseline;
    int32_t ending;
};
intptr_t RteDrawInvisibles(RteHandle doc, intptr_t request, intptr_t, intptr_t, intptr_t, intptr_t);

// The script flag that a font's start-up sets beside a Hebrew or Arabic character set.
constexpr int32_t RTE_SCRIPT_RIGHT_TO_LEFT = 0x8000;
// The code page of a double-byte character set, 0 for any other set.
UINT RteDoubleByteCodePage(int32_t charset);
