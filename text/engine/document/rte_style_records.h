// The style records that the engine and the text object share: character styles, paragraph
// formats, tab stops, fonts and colours, with the hook slots that styles carry.
//
// The records are laid out for the compiler in use: the units that hold a handle (the cached
// font, the embedded object) and the hook slots are pointer-sized, so a 64-bit build keeps them
// whole. Masked operations never assume a byte layout; they walk the unit tables of
// rte_style_units.h, built from offsetof.
#pragma once

#include <cstdint>

#include "rte_types.h"

// Three 16-bit channels; 0xFFFF in each is the unset colour.
struct RteColor {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
};

// Tab kinds (the low 12 bits of RteTab::kind).
constexpr int32_t RTE_TAB_NONE = 0;
constexpr int32_t RTE_TAB_LEFT = 1;
constexpr int32_t RTE_TAB_CENTRED = 2;
constexpr int32_t RTE_TAB_RIGHT = 3;
constexpr int32_t RTE_TAB_DECIMAL = 4;

// Two stops are the same stop when their positions are equal.
struct RteTab {
    int32_t kind;
    int32_t leader;
    int32_t position;
    int32_t value;
};

constexpr int RTE_MAX_TABS = 32;

struct RteCharStyle;
struct RteParFormat;
struct RteFont;

// Codes with which a table tells a record's hooks that it enters or leaves it.
constexpr intptr_t RTE_HOOK_CODE_LEAVING = 10;
constexpr intptr_t RTE_HOOK_CODE_NEW_DOCUMENT = 14;

// Character-style hooks, slot by slot.
typedef void (*RteStyleMetricsHook)(RteHandle doc, RteCharStyle* style, RteFont* font);           // 0
typedef intptr_t (*RteStyleDeviceHook)(RteHandle doc, RteCharStyle* style, intptr_t a, intptr_t b,  // 1-5, 9
                                       intptr_t c, intptr_t d);
typedef void (*RteStyleTableHook)(intptr_t code, RteHandle doc, int32_t reason, RteHandle table,   // 6, 7
                                  RteCharStyle* style);
typedef void (*RteStyleMergeHook)(RteHandle doc, const RteCharStyle* old, RteCharStyle* changed,  // 8
                                  const RteCharStyle* mask);
typedef intptr_t (*RteStyleSpareHook)(RteHandle doc, RteCharStyle* style, intptr_t a, intptr_t b);  // 10, 11, 13, 14
typedef int32_t (*RteStyleRederiveHook)(RteHandle doc, RteCharStyle* style, int32_t caretOffset);   // 12
// 15 widens count bytes into characters (one at most a byte), 16 narrows count characters into
// bytes; each answers how many it wrote. The third argument is not used.
typedef int32_t (*RteStyleWideHook)(const void* source, void* target, int32_t unused, int32_t count);  // 15, 16

// Class bits that the character-information hook (slot 4) answers for the character at
// (const uint8_t* a, length b), masked by c (0 for all); d bytes before the character may be
// read to find where characters start. The device layer gives the full set.
constexpr intptr_t RTE_CLASS_BLANK = 0x1;
constexpr intptr_t RTE_CLASS_WORD_BREAK = 0x2;
constexpr intptr_t RTE_CLASS_WORD_END = 0x4;   // a word ends before it
constexpr intptr_t RTE_CLASS_TAB_BREAK = 0x8;  // the tab as line breaking asks for it
constexpr intptr_t RTE_CLASS_WORD = 0x20;      // a character of a word
constexpr intptr_t RTE_CLASS_CONTROL = 0x40;
// A continuation byte of a multi-byte character: measured with, and never parted from, its
// lead byte.
constexpr intptr_t RTE_CLASS_CONTINUATION = 0x3000;
constexpr intptr_t RTE_CLASS_PARAGRAPH = 0x100;
constexpr intptr_t RTE_CLASS_TAB = 0x400;

// What a caller that walks the runs knows around a character. Some classes depend on it: a
// printable character that starts a run of another character set, or stands before a
// double-byte character, is a place where a word breaks.
struct RteCharContext {
    int32_t length;               // bytes of the character
    int32_t after;                // bytes after the character that may be read
    const RteFont* previousFont;  // of the run the character follows; null inside a run
};
// Not a class: set in the mask, it says that b is a const RteCharContext* rather than the
// character's length. Hooks that ignore it answer as without the context.
constexpr intptr_t RTE_CLASS_IN_CONTEXT = intptr_t{1} << 32;
static_assert(sizeof(intptr_t) == 8, "the context flag lies above the 32 class bits");

struct RteCharStyleHooks {
    RteStyleMetricsHook metrics;
    RteStyleDeviceHook selectFont;
    RteStyleDeviceHook measure;
    RteStyleDeviceHook slot3;
    RteStyleDeviceHook charInfo;
    RteStyleDeviceHook draw;
    RteStyleTableHook added;
    RteStyleTableHook leaving;
    RteStyleMergeHook merge;
    RteStyleDeviceHook device;
    RteStyleSpareHook slot10;
    RteStyleSpareHook slot11;
    RteStyleRederiveHook rederive;
    RteStyleSpareHook caret;
    RteStyleSpareHook slot14;
    RteStyleWideHook bytesToWide;
    RteStyleWideHook wideToBytes;
};
constexpr int RTE_CHAR_STYLE_HOOKS = 17;
static_assert(sizeof(RteCharStyleHooks) == RTE_CHAR_STYLE_HOOKS * sizeof(void*));

// Paragraph-format hooks. Slot 3 hears of a format entering (code 14) or leaving (code 10) a table.
typedef intptr_t (*RteParLayoutHook)(RteHandle doc, RteParFormat* format, intptr_t a, intptr_t b, intptr_t c);
typedef void (*RteParTableHook)(intptr_t code, RteHandle doc, int32_t reason, RteHandle table, RteParFormat* format);

struct RteParFormatHooks {
    RteParLayoutHook tab;  // where a tab ends
    RteParLayoutHook slot1;
    RteParLayoutHook draw;  // drawing: a, one of the modes below; b, that mode's record
    RteParTableHook table;
    RteParLayoutHook slot4;
    RteParLayoutHook slot5;
};
constexpr int RTE_PAR_FORMAT_HOOKS = 6;
// The drawing slot's modes: a tab's gap filled with its leader (an RteTabLeader), and a
// paragraph whose last line has just been drawn (an RteParagraphDrawn). A hook answers 0 to a
// mode it does not know.
constexpr intptr_t RTE_PAR_DRAW_TAB_LEADER = 1;
constexpr intptr_t RTE_PAR_DRAW_PARAGRAPH = 2;
static_assert(sizeof(RteParFormatHooks) == RTE_PAR_FORMAT_HOOKS * sizeof(void*));

// Flags word of both records: the style-sheet entry bit; only 0xF000 survives entry into a table.
constexpr uint32_t RTE_STYLE_SHEET_ENTRY = 0x0002;
constexpr uint32_t RTE_STYLE_KEPT_FLAGS = 0xF000;

// Find-or-add reasons told to the table hooks.
constexpr int32_t RTE_REASON_INSERTION = 7;
constexpr int32_t RTE_REASON_NAMED = 8;
constexpr int32_t RTE_REASON_SET = 9;

// A character style: a first part of 51 16-bit units, a second part of 28 units (32-bit, the
// font handle and the object pointer-sized), 17 hooks, then the flags and use count that
// "equal" never sees. The field names number the units where the engine gives them a meaning.
struct RteCharStyle {
    // First part.
    int16_t font;  // 0: index into the font table; -1 reads as 0
    int16_t bold;  // 1
    int16_t italic;
    int16_t underline;
    int16_t outline;
    int16_t shadow;
    int16_t unit6;
    int16_t unit7;
    int16_t doubleUnderline;  // 8
    int16_t wordUnderline;
    int16_t dottedUnderline;
    int16_t hidden;  // 11
    int16_t strikeOut;
    int16_t superscript;  // 13, whole points
    int16_t subscript;
    int16_t unit15;
    int16_t allCaps;  // 16
    int16_t unit17;
    int16_t smallCaps;  // 18: also the small derived style's percentage, -1 = 75
    int16_t unit19;
    int16_t unit20;
    int16_t unit21;
    int16_t styleSheetUnit;  // 22
    int16_t units23to34[12];
    int16_t ascent;   // 35
    int16_t descent;  // 36
    int16_t leading;  // 37
    int16_t units38to42[5];
    RteColor textColor;  // 43-45
    int16_t textColorSpare;
    RteColor backColor;  // 47-49
    int16_t backColorSpare;
    // Second part.
    uint32_t styleBits;    // 0
    int32_t namedId;       // 1: > 0 the entry itself, < 0 derived from entry -id
    int32_t nameIndex;     // 2: 1-based, in the name table
    int32_t smallStyle;    // 3: table index of the small derived style
    intptr_t fontHandle;   // 4: the device's cached font
    int32_t fontCache;     // 5
    int32_t hScale;        // 6: 16.16
    int32_t pointSize;     // 7: 16.16
    int32_t sizes[4];      // 8-11, scaled by RteScaleCharStyle
    int32_t units12to13[2];
    int32_t value14;       // 14: the text object's branch id
    int32_t value15;
    int32_t units16to25[10];
    intptr_t object;       // 26: the embedded object's handle, 0 for none
    int32_t unit27;
    RteCharStyleHooks hooks;
    uint32_t flags;
    int32_t useCount;
};

// A paragraph format: 8 16-bit units, 156 32-bit units (the first 128 the 32 tab stops), 6 hooks,
// then flags and use count.
struct RteParFormat {
    int16_t alignment;  // 0: 0 left, 1 centred, 2 right, 3 justified
    int16_t direction;  // 1: -1 right to left, 1 left to right, 0 the system's
    int16_t units2to6[5];
    int16_t tabCount;  // 7
    RteTab tabs[RTE_MAX_TABS];
    int32_t namedId;     // 128
    int32_t nameIndex;   // 129
    int32_t unit130;
    int32_t leftIndent;  // 131
    int32_t rightIndent;
    int32_t firstIndent;  // 133: relative to the left indent
    int32_t tabSpacing;   // 134: the default tab spacing
    int32_t unit135;
    int32_t lineSpacing;  // 136
    int32_t unit137;
    int32_t spaceBefore;  // 138
    int32_t spaceAfter;   // 139
    int32_t units140to141[2];
    int32_t value142;  // set by RteSetParHooks
    int32_t value143;
    int32_t units144to155[12];
    RteParFormatHooks hooks;
    uint32_t flags;
    int32_t useCount;
};

// Name flags of a font record.
constexpr uint16_t RTE_FONT_NAME_CSTRING = 0x0001;
constexpr uint16_t RTE_FONT_NAMED_BY_CALLER = 0x0004;
constexpr uint16_t RTE_FONT_ALT_STANDS_IN = 0x0020;
constexpr uint16_t RTE_FONT_ALT_CSTRING = 0x0040;
constexpr int RTE_FONT_NAME_BYTES = 64;

// The font's 32-bit units that the engine reads: the LOGFONT character set (its low 12 bits).
constexpr int RTE_FONT_CHARSET = 5;

// A font: two names, each a C string or length-prefixed as the flags say, six 16-bit units (the
// first the name flags) and eleven 32-bit units of attributes.
struct RteFont {
    char name[RTE_FONT_NAME_BYTES];
    char altName[RTE_FONT_NAME_BYTES];
    uint16_t nameFlags;
    int16_t units1to5[5];
    int32_t values[11];
};
