// The device layer over GDI: the state it keeps beside the environment and beside each drawing
// port, reached only through the device seam and the hooks it installs.
#pragma once

#include <windows.h>

#include <cstdint>

#include "rte_device.h"
#include "rte_document.h"

// The environment's constants, set at device start-up, read by text storage and layout.
constexpr int32_t RTE_BAND_BYTES = 48000;
constexpr int32_t RTE_BLOCK_LIMIT = 4096;
constexpr int32_t RTE_MIN_WRAP_WIDTH = 16;
constexpr int32_t RTE_ENV_CONSTANT_24 = 24;
constexpr uint8_t RTE_CHAR_PARAGRAPH = 13;
constexpr uint8_t RTE_CHAR_LINE_BREAK = 10;
constexpr uint8_t RTE_CHAR_TAB = 9;
constexpr uint8_t RTE_CHAR_SOFT_HYPHEN = 31;
constexpr uint8_t RTE_KEY_BACKSPACE = 8;
constexpr uint8_t RTE_CHAR_PAGE_BREAK = 12;
constexpr uint8_t RTE_CHAR_CONTAINER_BREAK = 14;
constexpr uint8_t RTE_KEY_LEFT = 28;
constexpr uint8_t RTE_KEY_RIGHT = 29;
constexpr uint8_t RTE_KEY_UP = 30;
constexpr uint8_t RTE_KEY_DOWN = 31;
constexpr uint8_t RTE_KEY_DELETE = 127;
constexpr uint8_t RTE_KEY_27 = 27;

// The colour flag ORed into every COLORREF while a palette is selected.
constexpr COLORREF RTE_PALETTE_RELATIVE = 0x2000000;

// A counted character: a length byte, then one or two bytes.
struct RteCountedGlyph {
    uint8_t length;
    uint8_t bytes[2];
};
constexpr int RTE_DISPLAY_GLYPHS = 18;

// One font made, kept until shut-down: found again by its LOGFONTA compared byte by byte.
constexpr uint16_t RTE_FONT_HAS_WIDTHS = 0x1;
constexpr uint16_t RTE_FONT_OTHER_DEVICE = 0x2;
constexpr uint16_t RTE_FONT_MEASURED = 0x4;     // its advances on a display are known
constexpr uint16_t RTE_FONT_DOUBLE_BYTE = 0x8;  // measured: a double-byte font, without advances
constexpr uint16_t RTE_FONT_HAS_METRICS = 0x10; // its metrics on a display are known
struct RteFontCacheEntry {
    HFONT font;
    HDC keeper;  // holds the font selected, so that the system keeps it ready
    int32_t points;
    LOGFONTA logfont;
    uint16_t flags;
    uint32_t widths[256];    // the advance of each byte in the low 16 bits
    uint32_t advances[256];  // the advance of each byte measured on a display
    TEXTMETRICA metrics;     // measured on a display
};

// One entry of a port's save stack.
struct RteSaveEntry {
    int32_t savedDc;
    struct RteGdiPort* previous;
    RECT clip;
};

// What a port keeps for GDI, hung on RteDrawPort::savedState: it stays where it is while the
// document that holds the port moves.
struct RteGdiPort {
    struct RteGdiEnv* env;
    HWND window;
    HDC dc;            // while acquired
    HDC explicitDc;    // a DC the port draws into instead of a window's
    HDC printDc;       // a print or metafile DC the document draws into in its stead
    HDC substituteDc;  // the print DC while it is swapped in
    int32_t substitutions;
    HPALETTE palette;
    RteColor background;
    HRGN clip;
    HRGN update;
    COLORREF colourFlag;
    HGDIOBJ previousFont;
    HPALETTE previousPalette;
    RteHandle saveStack;  // RteSaveEntry
    int32_t acquires;
    int32_t resolution;
    int32_t factor;       // the mapping: numerator high, denominator low; 0 for none
    // What the clip region was built from.
    RteRect clipView;
    RteRect clipWrap;
    RtePoint clipScroll;
    bool clipBuilt;
    // The caret of the port's window.
    bool caretExists;
    bool caretShown;
    int32_t caretHeight;
    int32_t caretWidth;
};

struct RteGdiEnv {
    HDC screen;
    DWORD version;
    RteHandle fontCache;     // RteFontCacheEntry
    RteGdiPort* current;     // where drawing goes
    RteDrawPort offscreen;
    RteRect band;
    RteRect whole;
    HDC bandDc;
    HBITMAP bandBitmap;
    HGDIOBJ bandOld;
    RteGdiPort* bandTarget;
    int32_t bandNesting;
    bool offscreenActive;
    int32_t blinkPhase;
    int64_t blinkSecond;
    int32_t bandLimit;
    RteCountedGlyph glyphs[RTE_DISPLAY_GLYPHS + 1];  // numbered from 1
};

const RteDevice& RteGdiDevice();
RteGdiEnv* RteGdiOf(const RteEnvironment* env);
RteGdiPort* RteGdiPortOf(const RteDrawPort* port);
