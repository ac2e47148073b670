// The numeric fields of a LOGFONT as one line of 13 integers, in the order of the structure,
// as the page records and the defaults store keep them.
#pragma once

#include <windows.h>

constexpr int QX_LOGFONT_LINE = 160;

// Fields the line does not hold are left as they were.
void ScanLogFontNumbers(const char* line, LOGFONTA* font);
// "%d %d ... %d" into out (QX_LOGFONT_LINE bytes at least).
void FormatLogFontNumbers(const LOGFONTA& font, char* out, int size);
