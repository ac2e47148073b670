// LOGFONT numbers on one line.
#include "text_logfont.h"

#include <cstdio>

namespace {

constexpr const char* LineFormat = "%d %d %d %d %d %d %d %d %d %d %d %d %d";

}  // namespace

void ScanLogFontNumbers(const char* line, LOGFONTA* f)
{
    int v[13] = {static_cast<int>(f->lfHeight), static_cast<int>(f->lfWidth), static_cast<int>(f->lfEscapement),
                 static_cast<int>(f->lfOrientation), static_cast<int>(f->lfWeight), f->lfItalic, f->lfUnderline,
                 f->lfStrikeOut, f->lfCharSet, f->lfOutPrecision, f->lfClipPrecision, f->lfQuality,
                 f->lfPitchAndFamily};
    std::sscanf(line, LineFormat, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11],
                &v[12]);
    f->lfHeight = v[0];
    f->lfWidth = v[1];
    f->lfEscapement = v[2];
    f->lfOrientation = v[3];
    f->lfWeight = v[4];
    BYTE* bytes[8] = {&f->lfItalic,      &f->lfUnderline,     &f->lfStrikeOut, &f->lfCharSet,
                      &f->lfOutPrecision, &f->lfClipPrecision, &f->lfQuality,   &f->lfPitchAndFamily};
    for (int i = 0; i < 8; ++i)
        *bytes[i] = static_cast<BYTE>(v[5 + i]);
}

void FormatLogFontNumbers(const LOGFONTA& f, char* out, int size)
{
    std::snprintf(out, static_cast<size_t>(size), LineFormat, static_cast<int>(f.lfHeight), static_cast<int>(f.lfWidth),
                  static_cast<int>(f.lfEscapement), static_cast<int>(f.lfOrientation), static_cast<int>(f.lfWeight),
                  f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision,
                  f.lfQuality, f.lfPitchAndFamily);
}
