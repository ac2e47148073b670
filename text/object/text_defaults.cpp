// The text defaults store: every value a REG_SZ string under the application's base key +
// "Text Configuration", colours as the signed decimal of the whole 32-bit value.
#include "text_defaults.h"

#include "filefind.h"
#include "fonts.h"
#include "qxregistry.h"
#include "text_logfont.h"
#include "texte.h"
#include "textres.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// What a first run reads where the store has no value: the blocks' own starting values.
const TEXTPROPERTIES FirstRunProperties;
const BRANCHSTYLES FirstRunStyles;

// The subkeys of the store under the base key; false without a kernel or a base key.
class STORE {
public:
    explicit STORE(TEXTE* text)
    {
        QXSTRING key;
        if (!text || !text->GetKernel() || !KernGetAppCurrentUserRegBaseKey(text->GetKernel(), &key) || !key.length())
            return;
        QXSTRING name;
        name.LoadResource(TextModule(), IDS_TEXT_CONFIGURATION);
        base_ = key;
        base_ += name.length() ? static_cast<const char*>(name) : "Text Configuration";
        base_ += "\\";
        ok_ = true;
    }
    bool Ok() const { return ok_; }

    // A missing or empty value reads as missing.
    bool String(const char* subkey, const char* value, QXSTRING* out) const
    {
        *out = "";
        return GetRegistryStrValueAsString(HKEY_CURRENT_USER, Key(subkey), value, "", out) && out->length();
    }
    QXSTRING StringOr(const char* subkey, const char* value, const char* fallback) const
    {
        QXSTRING text;
        if (!String(subkey, value, &text))
            text = fallback;
        return text;
    }
    long Number(const char* subkey, const char* value, long fallback) const
    {
        QXSTRING text;
        return String(subkey, value, &text) ? std::strtol(text, nullptr, 10) : fallback;
    }
    void Write(const char* subkey, const char* value, const char* text) const
    {
        SetRegistryStringValue(HKEY_CURRENT_USER, Key(subkey), value, text);
    }
    void WriteNumber(const char* subkey, const char* value, long number) const
    {
        char text[500];
        std::snprintf(text, sizeof text, "%ld", number);
        Write(subkey, value, text);
    }

private:
    QXSTRING Key(const char* subkey) const
    {
        QXSTRING key = base_;
        key += subkey;
        return key;
    }
    QXSTRING base_;
    bool ok_ = false;
};

// A colour with its opacity byte from FondTransparent.
COLORREF ReadOpacityColour(const STORE& store, const char* subkey, COLORREF fallback)
{
    const long opacity = store.Number(subkey, "FondTransparent", 0);
    const long colour = store.Number(subkey, "CouleurFond", static_cast<long>(fallback));
    return (static_cast<COLORREF>(colour) & QX_COLOUR_RGB_MASK) | (static_cast<COLORREF>(opacity & 0xFF) << 24);
}

void WriteOpacityColour(const STORE& store, const char* subkey, COLORREF colour)
{
    store.Write(subkey, "FondTransparent", IsOpaqueColour(colour) ? "255" : "0");
    store.WriteNumber(subkey, "CouleurFond", static_cast<long>(colour));
}

// A face of at most 31 characters; a longer or missing one gives the fallback.
void CopyFace(const QXSTRING& face, const char* fallback, char* out)
{
    lstrcpynA(out, face.length() && face.length() <= QX_FACE_CHARS ? static_cast<const char*>(face) : fallback,
              LF_FACESIZE);
}

void ReadFont(const STORE& store, const char* subkey, const LOGFONTA& firstRun, bool withFace, LOGFONTA* font)
{
    char line[QX_LOGFONT_LINE];
    FormatLogFontNumbers(firstRun, line, sizeof line);
    ScanLogFontNumbers(store.StringOr(subkey, "InfoPolice", line), font);
    if (!withFace)
        return;
    QXSTRING face;
    store.String(subkey, "NomPolice", &face);
    CopyFace(face, firstRun.lfFaceName, font->lfFaceName);
    if (KernIsFontReadOnly(font->lfFaceName))
        font->lfClipPrecision |= CLIP_EMBEDDED;
    else
        font->lfClipPrecision &= static_cast<BYTE>(~CLIP_EMBEDDED);
}

void WriteFontNumbers(const STORE& store, const char* subkey, const LOGFONTA& f)
{
    char line[QX_LOGFONT_LINE];
    FormatLogFontNumbers(f, line, sizeof line);
    store.Write(subkey, "InfoPolice", line);
}

}  // namespace

void LoadTextDefaults(TEXTPROPERTIES* p, TEXTE* text)
{
    const STORE store(text);
    if (!p || !store.Ok())
        return;
    p->background = ReadOpacityColour(store, "Texte", FirstRunProperties.background);
    p->showTabRuler = store.Number("Texte", "AfficherTabulateurs", 0) ? 1 : 0;
    p->tabInterval = static_cast<int>(store.Number("Texte", "TabParDefaut", FirstRunProperties.tabInterval));
    p->textBackground = ReadOpacityColour(store, "StyleDefaut", FirstRunProperties.textBackground);
    ReadFont(store, "StyleDefaut", FirstRunProperties.font, true, &p->font);
    p->fontColour = static_cast<COLORREF>(store.Number("StyleDefaut", "CouleurPolice", static_cast<long>(FirstRunProperties.fontColour)));
    int m[4]{};
    std::sscanf(store.StringOr("StyleDefaut", "Marges", "0 0 0 0"), "%d %d %d %d", &m[0], &m[1], &m[2], &m[3]);
    p->margins = RECT{m[0], m[1], m[2], m[3]};
    p->effectIndex = -1;
    std::sscanf(store.StringOr("EffetDefaut", "ID", "-1"), "%d", &p->effectIndex);
    // "NULL" is what the writer stores for no effect module.
    const QXSTRING module = store.StringOr("EffetDefaut", "DLL", "");
    lstrcpynA(p->effectModule, lstrcmpiA(module, "NULL") == 0 ? "" : static_cast<const char*>(module),
              sizeof p->effectModule);
    p->effectDelay = 0;
    std::sscanf(store.StringOr("EffetDefaut", "Delais", "0"), "%lf", &p->effectDelay);
}

void LoadBranchStyleDefaults(BRANCHSTYLES* s, TEXTE* text)
{
    const STORE store(text);
    if (!s || !store.Ok())
        return;
    // The tooltip's background has no opacity value: it is drawn opaque.
    s->tooltip.background =
        (static_cast<COLORREF>(store.Number("Info-bulle", "CouleurFond", FirstRunStyles.tooltip.background & QX_COLOUR_RGB_MASK)) & QX_COLOUR_RGB_MASK) |
        QX_COLOUR_OPAQUE;
    ReadFont(store, "Info-bulle", FirstRunStyles.tooltip.font, true, &s->tooltip.font);
    s->tooltip.fontColour = static_cast<COLORREF>(store.Number("Info-bulle", "CouleurPolice", FirstRunStyles.tooltip.fontColour));

    s->branch.active = static_cast<int>(store.Number("StyleBranchement", "Actif", 0));
    s->branch.background = ReadOpacityColour(store, "StyleBranchement", FirstRunStyles.branch.background);
    ReadFont(store, "StyleBranchement", FirstRunStyles.branch.font, true, &s->branch.font);
    s->branch.fontColour = static_cast<COLORREF>(store.Number("StyleBranchement", "CouleurPolice", FirstRunStyles.branch.fontColour));

    s->visited.active = static_cast<int>(store.Number("StyleBranchementVisite", "Actif", 0));
    s->visited.background = ReadOpacityColour(store, "StyleBranchementVisite", s->branch.background);
    ReadFont(store, "StyleBranchementVisite", FirstRunStyles.visited.font, false, &s->visited.font);
    s->visited.fontColour = static_cast<COLORREF>(store.Number("StyleBranchementVisite", "CouleurPolice", FirstRunStyles.visited.fontColour));
    // The visited look takes the default font's face.
    lstrcpynA(s->visited.font.lfFaceName, text->defaults.properties.font.lfFaceName, LF_FACESIZE);
}

void LoadBulletDefaults(BULLETSTYLE* bullet, TEXTE* text)
{
    const STORE store(text);
    if (!bullet || !store.Ok())
        return;
    QXSTRING face;
    store.String("PuceDefaut", "PolicePuce", &face);
    CopyFace(face, "Symbol", bullet->face);
    bullet->character = static_cast<BYTE>(store.Number("PuceDefaut", "CarPuce", 183));
    bullet->prefix[0] = static_cast<char>(bullet->character);
    bullet->prefix[1] = '\t';
    bullet->prefix[2] = 0;
}

void SaveTextDefaults(const TEXTPROPERTIES* p, TEXTE* text)
{
    const STORE store(text);
    if (!p || !store.Ok())
        return;
    WriteOpacityColour(store, "Texte", p->background);
    store.Write("Texte", "AfficherTabulateurs", p->showTabRuler ? "1" : "0");
    store.WriteNumber("Texte", "TabParDefaut", p->tabInterval);
    WriteOpacityColour(store, "StyleDefaut", p->textBackground);
    WriteFontNumbers(store, "StyleDefaut", p->font);
    store.WriteNumber("StyleDefaut", "CouleurPolice", static_cast<long>(p->fontColour));
    store.Write("StyleDefaut", "NomPolice", p->font.lfFaceName);
    char line[500];
    std::snprintf(line, sizeof line, "%d %d %d %d", static_cast<int>(p->margins.left),
                  static_cast<int>(p->margins.top), static_cast<int>(p->margins.right),
                  static_cast<int>(p->margins.bottom));
    store.Write("StyleDefaut", "Marges", line);
    store.WriteNumber("EffetDefaut", "ID", p->effectIndex);
    store.Write("EffetDefaut", "DLL", *p->effectModule ? p->effectModule : "NULL");
    std::snprintf(line, sizeof line, "%5.1lf", p->effectDelay);
    store.Write("EffetDefaut", "Delais", line);
}

void SaveBranchStyleDefaults(const BRANCHSTYLES* s, TEXTE* text)
{
    const STORE store(text);
    if (!s || !store.Ok())
        return;
    store.WriteNumber("Info-Bulle", "CouleurFond", static_cast<long>(s->tooltip.background));
    WriteFontNumbers(store, "Info-Bulle", s->tooltip.font);
    store.WriteNumber("Info-Bulle", "CouleurPolice", static_cast<long>(s->tooltip.fontColour));
    store.Write("Info-Bulle", "NomPolice", s->tooltip.font.lfFaceName);
    store.Write("StyleBranchement", "Actif", s->branch.active ? "255" : "0");
    WriteOpacityColour(store, "StyleBranchement", s->branch.background);
    WriteFontNumbers(store, "StyleBranchement", s->branch.font);
    store.WriteNumber("StyleBranchement", "CouleurPolice", static_cast<long>(s->branch.fontColour));
    store.Write("StyleBranchement", "NomPolice", s->branch.font.lfFaceName);
    store.Write("StyleBranchementVisite", "Actif", s->visited.active ? "255" : "0");
    WriteOpacityColour(store, "StyleBranchementVisite", s->visited.background);
    WriteFontNumbers(store, "StyleBranchementVisite", s->visited.font);
    store.WriteNumber("StyleBranchementVisite", "CouleurPolice", static_cast<long>(s->visited.fontColour));
}
