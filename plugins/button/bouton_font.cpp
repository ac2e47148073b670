// The button's font line and its size conversions.
#include "bouton_font.h"

#include "fonts.h"
#include "kernel.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// One field of the font line: blanks, then the characters the field accepts; the field must
// end at a ',' or the end of the line.
bool ReadField(const char*& p, const char* accepted, char* out, int size)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    int n = 0;
    while (*p && std::strchr(accepted, *p) && n < size - 1)
        out[n++] = *p++;
    out[n] = '\0';
    while (*p == ' ' || *p == '\t')
        ++p;
    if (n == 0 || (*p != ',' && *p != '\0'))
        return false;
    if (*p == ',')
        ++p;
    return true;
}

bool ReadSize(const char*& p, double& value)
{
    char field[64];
    if (!ReadField(p, "0123456789.+-eE", field, sizeof field))
        return false;
    char* end = nullptr;
    value = std::strtod(field, &end);
    return end && *end == '\0';
}

bool ReadInt(const char*& p, int& value)
{
    char field[16];
    if (!ReadField(p, "0123456789", field, sizeof field))
        return false;
    value = std::atoi(field);
    return true;
}

// The face between double quotes, cut to what the field holds.
bool ReadFace(const char*& p, char* face)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p++ != '"')
        return false;
    const char* close = std::strchr(p, '"');
    if (!close)
        return false;
    const int length = std::min(static_cast<int>(close - p), BOUTON_FACE_CHARS);
    std::memcpy(face, p, static_cast<size_t>(length));
    face[length] = '\0';
    return true;
}

}  // namespace

void SetDefaultButtonFont(LOGFONTA& font)
{
    font = LOGFONTA{};
    font.lfHeight = -BOUTON_DEFAULT_FONT_PIXELS;
    font.lfWeight = FW_NORMAL;
    font.lfOutPrecision = OUT_STROKE_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strcpy(font.lfFaceName, "Arial");
}

double UnitsPerPixelX(KERNEL* kernel) { return (KernS2Ux(kernel, 100) - KernS2Ux(kernel, 0)) * 0.01; }
double UnitsPerPixelY(KERNEL* kernel) { return (KernS2Uy(kernel, 100) - KernS2Uy(kernel, 0)) * 0.01; }

void ApplyEmbedding(LOGFONTA& font)
{
    const int flags = KernGetFontEmbedingFlag(font.lfFaceName);
    if (flags != -1 && (flags & (QX_EMBED_PREVIEW_PRINT | QX_EMBED_EDITABLE)))
        font.lfClipPrecision |= CLIP_EMBEDDED;
    else
        font.lfClipPrecision &= static_cast<BYTE>(~CLIP_EMBEDDED);
}

void FormatFontLine(KERNEL* kernel, const LOGFONTA& font, double height, double width, int unitForm, char* line,
                    int size)
{
    // Stored files convert the height with the horizontal scale too: a page whose universe is
    // not square must write back the bytes it was read from.
    if (!unitForm) {
        height = KernU2Sx(kernel, height) - KernU2Sx(kernel, 0);
        width = KernU2Sx(kernel, width) - KernU2Sx(kernel, 0);
    }
    std::snprintf(line, static_cast<size_t>(size), "%12f,%12f,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,\"%s\"", height, width,
                  static_cast<int>(font.lfEscapement), static_cast<int>(font.lfOrientation),
                  static_cast<int>(font.lfWeight), font.lfItalic, font.lfUnderline, font.lfStrikeOut, font.lfCharSet,
                  font.lfOutPrecision, font.lfClipPrecision, font.lfQuality, font.lfPitchAndFamily, font.lfFaceName);
}

int ParseFontLine(KERNEL* kernel, const char* line, int unitForm, LOGFONTA& font, double& height, double& width)
{
    const char* p = line;
    double readHeight = 0, readWidth = 0;
    if (!ReadSize(p, readHeight) || !ReadSize(p, readWidth))
        return 1;
    int values[11];
    for (int& value : values) {
        if (!ReadInt(p, value))
            return 0;
    }
    char face[LF_FACESIZE];
    if (!ReadFace(p, face))
        return 0;
    font.lfEscapement = values[0];
    font.lfOrientation = values[1];
    font.lfWeight = values[2];
    font.lfItalic = static_cast<BYTE>(values[3]);
    font.lfUnderline = static_cast<BYTE>(values[4]);
    font.lfStrikeOut = static_cast<BYTE>(values[5]);
    font.lfCharSet = static_cast<BYTE>(values[6]);
    font.lfOutPrecision = static_cast<BYTE>(values[7]);
    font.lfClipPrecision = static_cast<BYTE>(values[8]);
    font.lfQuality = static_cast<BYTE>(values[9]);
    font.lfPitchAndFamily = static_cast<BYTE>(values[10]);
    std::strcpy(font.lfFaceName, face);
    readHeight = std::abs(readHeight);
    readWidth = std::abs(readWidth);
    if (!unitForm) {
        readHeight = KernS2Ux(kernel, static_cast<int>(readHeight)) - KernS2Ux(kernel, 0);
        readWidth = KernS2Ux(kernel, static_cast<int>(readWidth)) - KernS2Ux(kernel, 0);
    }
    height = readHeight;
    width = readWidth;
    const double sx = UnitsPerPixelX(kernel), sy = UnitsPerPixelY(kernel);
    font.lfHeight = static_cast<LONG>(-(height + 0.5) / sy);
    font.lfWidth = static_cast<LONG>(width / std::max(sx, sy) + 0.0005);
    ApplyEmbedding(font);
    return 1;
}
