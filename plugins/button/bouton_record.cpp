// The "BOUTON {" record after the common object record: writing the current layout and
// reading it with every older layout.
#include "bouton.h"

#include "bouton_font.h"
#include "filefind.h"
#include "kernel.h"
#include "objgeometry.h"
#include "paths.h"
#include "qxfile.h"
#include "qxsupport.h"
#include "qxutil.h"
#include "resource.h"

#include <algorithm>
#include <initializer_list>
#include <cstdio>
#include <cstring>

namespace {

constexpr int LineSize = 500;
// The label line is read up to this many characters.
constexpr int LabelLineChars = 290;
constexpr const char* VersionMarker = "2.0";
constexpr int PictureSlots[3] = {BOUTON_IMAGE_RELEASED, BOUTON_IMAGE_PRESSED, BOUTON_IMAGE_OVER};

bool IsNull(const char* text) { return lstrcmpiA(text, "NULL") == 0; }
bool IsEnd(const char* text) { return std::strcmp(text, "}") == 0; }

void WriteFour(RECORDWRITER& out, int a, int b, int c, int d) { out.Format("%-8d%-8d%-8d%-8d", a, b, c, d); }

void WriteImageName(RECORDWRITER& out, KERNEL* kernel, const QXSTRING& name)
{
    char relative[LineSize] = "";
    if (name.length() > 0)
        KernFileToRelatifPath(kernel, name, relative);
    out.Text(relative);
}

void ReadImageName(KERNEL* kernel, const char* line, QXSTRING& name)
{
    ReadRecordFileName(kernel, line, name);
}

bool ReadLine(QXFILE file, char* line) { return QXLoadString(file, line, LineSize) != 0; }

// The character height of a font whose cell is `cell` pixels high.
LONG CellToCharacterHeight(LOGFONTA font, LONG cell)
{
    font.lfHeight = cell;
    HDC screen = GetDC(nullptr);
    HFONT created = CreateFontIndirectA(&font);
    HGDIOBJ previous = SelectObject(screen, created);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    DeleteObject(created);
    ReleaseDC(nullptr, screen);
    return metrics.tmInternalLeading - cell;
}

void FontHeightFromPixels(BOUTON& button)
{
    button.fontHeight = KernS2Uy(button.kernel, -button.font.lfHeight) - KernS2Uy(button.kernel, 0);
}

}  // namespace

int BOUTON::Save(QXFILE file, int& universe, int withBranches)
{
    if (!OBJET::Save(file, universe, withBranches))
        return 0;
    if (style != BOUTON_STYLE_BITMAP) {
        for (QXSTRING& name : imageNames)
            name = "";
    }
    RECORDWRITER out(file);
    out.Line("BOUTON {");
    out.Text(label);
    WriteGeometry(out, this, universe);
    out.Int(style);
    out.Int(textStyle);
    char fontLine[LineSize];
    FormatFontLine(kernel, font, fontHeight, fontWidth, universe, fontLine, sizeof fontLine);
    out.Line(fontLine);
    WriteFour(out, reserved[0], reserved[1], (pressedDX << 8) | (pressedDY & 255), alignment);
    out.Int(borderThickness);
    for (const BUTCOLOR* colour : {&border, &background, &textColour})
        WriteFour(out, colour->red, colour->green, colour->blue, colour->flag);
    WriteImageName(out, kernel, imageNames[BOUTON_IMAGE_PRESSED]);
    WriteImageName(out, kernel, imageNames[BOUTON_IMAGE_RELEASED]);
    WriteImageName(out, kernel, imageNames[BOUTON_IMAGE_MASK]);
    out.Int(toggle);
    out.Int(initiallyChecked);
    out.Line(VersionMarker);
    if (!universe)
        out.Format("%-8d", static_cast<int>(font.lfHeight));
    WriteImageName(out, kernel, imageNames[BOUTON_IMAGE_OVER]);
    if (style == BOUTON_STYLE_BITMAP) {
        for (int slot : PictureSlots) {
            const BUTBITMAP& p = Picture(slot);
            WriteFour(out, p.transparentEnable, GetRValue(p.transparentColour), GetGValue(p.transparentColour),
                     GetBValue(p.transparentColour));
            WriteFour(out, p.cropX, p.cropY, p.cropWidth, p.cropHeight);
            WriteFour(out, p.flipVertical, p.flipHorizontal, p.rotation, 0);
        }
    }
    out.Line("}");
    return out.Ok() ? 1 : 0;
}

namespace {

// What can go wrong while reading the button's own block.
enum class READ { Ok, Fail, Bad };

READ ReadBody(BOUTON& b, QXFILE file, int unitForm);

}  // namespace

int BOUTON::Load(QXFILE file, int& universe)
{
    if (!OBJET::Load(file, universe))
        return 0;
    const READ result = ReadBody(*this, file, universe);
    if (result == READ::Bad) {
        char caption[100], text[200];
        LoadStringA(BoutonModule, IDS_FILE_ERROR, caption, sizeof caption);
        LoadStringA(BoutonModule, IDS_BAD_RECORD, text, sizeof text);
        Alert(KernGetAppWindow(kernel), caption, text);
    }
    return result == READ::Ok ? 1 : 0;
}

namespace {

bool ReadFour(QXFILE file, int* values) { return Load4Int(file, &values[0], &values[1], &values[2], &values[3]) != 0; }

bool ReadColour(QXFILE file, BUTCOLOR& colour)
{
    int v[4];
    if (!ReadFour(file, v))
        return false;
    colour = BUTCOLOR{v[0], v[1], v[2], v[3]};
    return true;
}

enum class PICTURELINE { Read, Unreadable, End };

// One picture line of four numbers. The record's "}" may stand in its place in a short
// record: it is told apart so that the reader stops at it and takes nothing of the next record.
PICTURELINE ReadPictureLine(QXFILE file, int* v)
{
    char line[LineSize];
    if (!ReadLine(file, line))
        return PICTURELINE::Unreadable;
    if (IsEnd(line))
        return PICTURELINE::End;
    return std::sscanf(line, "%d %d %d %d", &v[0], &v[1], &v[2], &v[3]) == 4 ? PICTURELINE::Read
                                                                              : PICTURELINE::Unreadable;
}

// The nine picture lines of the bitmap style: what was read stays when one is missing. Answers
// how the reading stopped.
PICTURELINE ReadPictureSettings(BOUTON& b, QXFILE file)
{
    int v[4];
    PICTURELINE got = PICTURELINE::Read;
    for (int slot : PictureSlots) {
        BUTBITMAP& p = b.Picture(slot);
        if ((got = ReadPictureLine(file, v)) != PICTURELINE::Read)
            return got;
        p.transparentEnable = static_cast<BYTE>(v[0]);
        p.transparentColour = RGB(v[1], v[2], v[3]);
        if ((got = ReadPictureLine(file, v)) != PICTURELINE::Read)
            return got;
        p.cropX = v[0], p.cropY = v[1], p.cropWidth = v[2], p.cropHeight = v[3];
        if ((got = ReadPictureLine(file, v)) != PICTURELINE::Read)
            return got;
        p.flipVertical = static_cast<BYTE>(v[0]);
        p.flipHorizontal = static_cast<BYTE>(v[1]);
        p.rotation = v[2];
    }
    return got;
}

// From the mouse-over name to the end of the record.
READ ReadTail(BOUTON& b, QXFILE file, bool picturesFollow)
{
    char line[LineSize];
    if (!ReadLine(file, line))
        return READ::Bad;
    if (IsEnd(line))
        return READ::Ok;
    ReadImageName(b.kernel, line, b.imageNames[BOUTON_IMAGE_OVER]);
    if (picturesFollow && b.style == BOUTON_STYLE_BITMAP && ReadPictureSettings(b, file) == PICTURELINE::End)
        return READ::Ok;
    while (ReadLine(file, line)) {
        if (IsEnd(line))
            return READ::Ok;
    }
    return READ::Fail;
}

// Old records kept the character height in another scale.
void RescaleOldFontHeight(BOUTON& b)
{
    const double sx = UnitsPerPixelX(b.kernel), sy = UnitsPerPixelY(b.kernel);
    b.font.lfHeight = static_cast<LONG>((b.font.lfHeight * sy - 0.5) / std::max(sx, sy));
    FontHeightFromPixels(b);
}

READ ReadBody(BOUTON& b, QXFILE file, int unitForm)
{
    char line[LineSize];
    if (!ReadLine(file, line) || lstrcmpiA(line, "BOUTON {") != 0)
        return READ::Fail;
    char labelLine[LabelLineChars + 1];
    if (!QXLoadString(file, labelLine, sizeof labelLine))
        return READ::Bad;
    lstrcpynA(b.label, IsNull(labelLine) ? "" : labelLine, sizeof b.label);
    if (!ReadGeometry(file, &b, unitForm))
        return READ::Bad;
    if (!Load1Int(file, &b.style) || !Load1Int(file, &b.textStyle) || !ReadLine(file, line))
        return READ::Bad;
    if (!ParseFontLine(b.kernel, line, unitForm, b.font, b.fontHeight, b.fontWidth))
        return READ::Bad;
    int v[4];
    if (!ReadFour(file, v))
        return READ::Bad;
    b.reserved[0] = v[0];
    b.reserved[1] = v[1];
    b.pressedDX = static_cast<signed char>((v[2] >> 8) & 255);
    b.pressedDY = static_cast<signed char>(v[2] & 255);
    b.alignment = v[3];
    if (!Load1Int(file, &b.borderThickness) || !ReadColour(file, b.border) || !ReadColour(file, b.background) ||
        !ReadColour(file, b.textColour))
        return READ::Bad;
    for (int image : {BOUTON_IMAGE_PRESSED, BOUTON_IMAGE_RELEASED, BOUTON_IMAGE_MASK}) {
        if (!ReadLine(file, line))
            return READ::Bad;
        ReadImageName(b.kernel, line, b.imageNames[image]);
    }
    b.toggle = 0;
    b.initiallyChecked = 0;
    for (int* value : {&b.toggle, &b.initiallyChecked}) {
        if (!ReadLine(file, line))
            return READ::Bad;
        if (IsEnd(line))
            return READ::Ok;
        *value = std::atoi(line);
    }
    if (!ReadLine(file, line))
        return READ::Bad;
    double version = 0;
    if (std::sscanf(line, "%lf", &version) != 1)
        version = 0;
    if (version <= 1.2)
        RescaleOldFontHeight(b);
    if (version <= 1.1) {
        if (char* separator = std::strchr(b.label, BOUTON_OLD_LABEL_SEPARATOR))
            *separator = BOUTON_LABEL_SEPARATOR;
    }
    if (version < 1.1)
        return IsEnd(line) ? READ::Ok : ReadTail(b, file, false);
    const bool version11or12 = version == 1.1 || version == 1.2;
    if (!unitForm) {
        int stored = 0;
        if (!Load1Int(file, &stored))
            return READ::Bad;
        if (stored < 0 && version == 1.2)
            stored = -stored;
        b.font.lfHeight = stored > 0 ? CellToCharacterHeight(b.font, stored) : stored;
        FontHeightFromPixels(b);
    } else if (version11or12 && b.fontHeight > 0) {
        b.font.lfHeight = CellToCharacterHeight(b.font, std::abs(b.font.lfHeight));
    }
    return ReadTail(b, file, true);
}

}  // namespace
