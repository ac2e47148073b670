// The author's defaults for new text objects, kept per user in the registry under the
// application's base key + "Text Configuration": the properties of a new text, the styles of
// branch text and the bullet. Colours carry their opacity in the top byte (0xFF opaque, 0x00
// transparent), as the colour chooser returns them.
#pragma once

#include <windows.h>

class TEXTE;

// The opacity byte of a colour value.
constexpr COLORREF QX_COLOUR_OPAQUE = 0xFF000000;
constexpr COLORREF QX_COLOUR_RGB_MASK = 0x00FFFFFF;
inline bool IsOpaqueColour(COLORREF colour) { return (colour >> 24) == 0xFF; }

// The colour value that stands for "no background" wherever a transparent colour is drawn.
constexpr COLORREF QX_NO_BACKGROUND = 0xFFFFFE;

// The visited look of branch text carries the visited font's underline and strike-out in the
// top bits of its colour value.
constexpr COLORREF QX_VISITED_UNDERLINE = 0x1000000;
constexpr COLORREF QX_VISITED_STRIKEOUT = 0x2000000;

// The longest face name kept: a LOGFONT's face field less its terminator.
constexpr int QX_FACE_CHARS = LF_FACESIZE - 1;

// A font of a first run: the face the store falls back on, at the height, of normal weight,
// underlined or not. The blocks below start with the values of a first run, which they keep
// where no settings can be read (a host that names no settings key).
constexpr LOGFONTA FirstRunFont(LONG height, BYTE underline)
{
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = underline;
    font.lfOutPrecision = OUT_STROKE_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfQuality = DRAFT_QUALITY;
    font.lfPitchAndFamily = FF_ROMAN | VARIABLE_PITCH;
    const char face[] = "Times New Roman";
    for (size_t i = 0; i < sizeof face; ++i)
        font.lfFaceName[i] = face[i];
    return font;
}

// The properties of a new text.
struct TEXTPROPERTIES {
    int showTabRuler = 0;
    char effectModule[MAX_PATH] = "";  // "" for none
    int effectIndex = -1;              // -1 for none
    double effectDelay = 0;            // seconds
    COLORREF background = 0xFFFFFF;    // with opacity
    LOGFONTA font = FirstRunFont(-16, 0);
    COLORREF fontColour = 0;
    COLORREF textBackground = 0xFFFFFF;  // with opacity
    int tabInterval = 25;                // pixels
    RECT margins{};                      // pixels: left, top, right, bottom
};

// Font and colours of one style of branch text.
struct BRANCHSTYLE {
    int active = 0;
    LOGFONTA font{};
    COLORREF fontColour = 0;
    COLORREF background = 0xFFFFFF;  // with opacity
};

// The styles of hover messages, branch text and visited branch text.
struct BRANCHSTYLES {
    BRANCHSTYLE tooltip{0, FirstRunFont(-14, 0), 0xFF0000, 0xFFFFFFFF};  // "active" is not used; opaque
    BRANCHSTYLE branch{0, FirstRunFont(-16, 1), 0xFF0000, 0xFFFFFF};
    BRANCHSTYLE visited{0, FirstRunFont(-16, 1), 0x800080, 0xFFFFFF};  // its face is the default font's
};

// The bullet of bulleted paragraphs: the editor puts the prefix's first two characters (the
// bullet and a tab) at the start of such a paragraph.
struct BULLETSTYLE {
    char face[LF_FACESIZE] = "Symbol";
    BYTE character = 183;
    char prefix[3] = {char(183), '\t', 0};
};

// Every block of defaults a text object keeps.
struct TEXTDEFAULTS {
    TEXTPROPERTIES properties;
    BRANCHSTYLES branchStyles;
    BULLETSTYLE bullet;
};

// The loaders fill the block from the registry (the defaults of a first run where a value is
// missing); the savers write it back. Without a kernel or a base key they do nothing.
void LoadTextDefaults(TEXTPROPERTIES* properties, TEXTE* text);
void LoadBranchStyleDefaults(BRANCHSTYLES* styles, TEXTE* text);
void LoadBulletDefaults(BULLETSTYLE* bullet, TEXTE* text);
void SaveTextDefaults(const TEXTPROPERTIES* properties, TEXTE* text);
void SaveBranchStyleDefaults(const BRANCHSTYLES* styles, TEXTE* text);
