// The screen's font families with their embedding rights, and the styles of one family.
#include "qxfonts.h"
#include "fontface.h"

#include <cstring>

int QXFONT::operator<=(const LNODE& other) const
{
    return std::strcmp(faceName, static_cast<const QXFONT&>(other).faceName) <= 0;
}

int QXFONT::operator>=(const LNODE& other) const
{
    return std::strcmp(faceName, static_cast<const QXFONT&>(other).faceName) >= 0;
}

FLIST& FLIST::operator+=(QXFONT* font)
{
    AddTail(font);
    return *this;
}

FLIST& FLIST::operator-=(QXFONT* font)
{
    Remove(font);
    return *this;
}

int QXFLIST::IsEmbeddingOk(LOGFONTA* font)
{
    if (!font)
        return -1;
    ScreenFont selected(CreateFontIndirectA(font));
    return EmbeddingBitsOfSelectedFont(selected.Dc());
}

int CALLBACK QXFLIST::FontFamilyEnumProc(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list)
{
    QXFLIST* self = reinterpret_cast<QXFLIST*>(list);
    QXFONT* family = new QXFONT;
    if (!family)
        return 0;
    LOGFONTA description = *font;
    lstrcpynA(family->faceName, font->lfFaceName, LF_FACESIZE);
    family->embedding = self->IsEmbeddingOk(&description);
    family->charSet = font->lfCharSet;
    self->families += family;
    return 1;
}

int QXFLIST::BuildFontList()
{
    HDC screen = GetDC(nullptr);
    if (!screen)
        return 0;
    EnumFontFamiliesA(screen, nullptr, FontFamilyEnumProc, reinterpret_cast<LPARAM>(this));
    ReleaseDC(nullptr, screen);
    families.Sort(0);
    // One entry a name, the TrueType one when there is one; families that can no longer be
    // enumerated by name (aliases of another face) go.
    for (long i = 1; i < families.Items();) {
        QXFONT* previous = static_cast<QXFONT*>(families.GetItem(i - 1));
        QXFONT* font = static_cast<QXFONT*>(families.GetItem(i));
        QXFONT* dropped = nullptr;
        if (std::strcmp(previous->faceName, font->faceName) == 0)
            dropped = font->embedding != -1 ? previous : font;
        else if (!IsFontInstall(font->faceName))
            dropped = font;
        if (!dropped) {
            ++i;
            continue;
        }
        families -= dropped;
        delete dropped;
    }
    return 0;
}

void QXFLIST::DestroyFontList()
{
    if (families.Items())
        families.Clear();
}

int CALLBACK QXFLIST::FontEnumProc(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list)
{
    QXFLIST* self = reinterpret_cast<QXFLIST*>(list);
    const ENUMLOGFONTA* full = reinterpret_cast<const ENUMLOGFONTA*>(font);
    // A style comes once for each character set it covers; it is recorded once.
    for (int i = 0; i < self->styleCount; ++i)
        if (self->styles[i].weight == font->lfWeight && self->styles[i].italic == (font->lfItalic ? 1 : 0))
            return 1;
    if (self->styleCount < MaxStyles && full->elfFullName[0]) {
        STYLE& style = self->styles[self->styleCount++];
        style.weight = font->lfWeight;
        style.italic = font->lfItalic ? 1 : 0;
        lstrcpynA(style.name, reinterpret_cast<const char*>(full->elfStyle), sizeof style.name);
    }
    return 1;
}

int QXFLIST::GetFontStyles(const char* faceName)
{
    styleCount = 0;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return 0;
    EnumFontFamiliesA(screen, faceName, FontEnumProc, reinterpret_cast<LPARAM>(this));
    ReleaseDC(nullptr, screen);
    if (styleCount != 1)
        return 0;
    // A single style: the system synthesises the others from it, so the box offers them.
    auto set = [this](int index, int weight, char italic, int nameIndex) {
        styles[index].weight = weight;
        styles[index].italic = italic;
        lstrcpynA(styles[index].name, styleNames[nameIndex], sizeof styles[index].name);
    };
    const int weight = styles[0].weight;
    if (!styles[0].italic && (weight == 0 || weight == 100 || weight == 300 || weight == 400 || weight == 500)) {
        const int regular = weight == 0 ? 400 : weight;
        set(0, regular, 0, Regular);
        set(1, regular, 1, Italic);
        set(2, 700, 0, Bold);
        set(3, 700, 1, BoldItalic);
        styleCount = 4;
    } else if (styles[0].italic && weight == 400) {
        set(1, 700, 0, Bold);
        set(2, 700, 1, BoldItalic);
        styleCount = 3;
    } else if (!styles[0].italic && (weight == 600 || weight == 700 || weight == 800 || weight == 900)) {
        set(1, weight, 1, BoldItalic);
        styleCount = 2;
    }
    return 0;
}
