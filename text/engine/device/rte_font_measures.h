// What a font measures on a display, measured once and kept in the font cache: its metrics and,
// for a single-byte font, the advance of each byte. GDI measures a text by adding up the
// advances of its characters, so the 256 advances give the same positions without asking GDI
// again; asking again is slow where the system keeps only a few fonts ready and makes a font it
// let go again, glyph by glyph.
#pragma once

#include "rte_gdi.h"

// Whether the DC measures text as the kept measures were measured: a display, no mapping, no
// world transform and no extra space between characters.
bool RteMeasuresAsDisplay(HDC dc);
// The advances of the entry's font in the low 16 bits, measured on the DC (which measures as a
// display) the first time, the font selected for that time only; nullptr for a double-byte
// font, whose bytes are no characters of their own.
const uint32_t* RteMeasuredAdvances(HDC dc, RteFontCacheEntry& entry);
// The entry's font's metrics, measured on the DC (which measures as a display) the first time.
const TEXTMETRICA& RteMeasuredMetrics(HDC dc, RteFontCacheEntry& entry);
