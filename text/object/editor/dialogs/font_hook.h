// The editor's font dialog: the foundation's chooser on the template "D_CHOOSEFONT" with a
// hook that adds superscript and subscript and tells whether the selected face may travel
// with a publication.
#pragma once

#include <windows.h>
#include <commdlg.h>

// Effect flags of the custom record.
constexpr int QX_FONT_UNDERLINE = 0x4;
constexpr int QX_FONT_STRIKEOUT = 0x800;
constexpr int QX_FONT_SUPERSCRIPT = 0x1000;
constexpr int QX_FONT_SUBSCRIPT = 0x2000;

// What the hook keeps of the author's choice on OK (the font dialog record's custom data).
struct FONTDLGCUSTOM {
    int faceIndex = -1;
    char face[56] = "";  // at most 55 characters
    int sizeIndex = -1;
    char size[16] = "";
    int effects = 0;     // QX_FONT_...
};

// The process's one custom record.
FONTDLGCUSTOM* TextFontCustom();

// The string of the distribution note of a face's embedding flags (-1: not TrueType).
int EmbeddingNoteId(int embedding);

UINT_PTR CALLBACK TextFontHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Sets up a font dialog record for the editor's template and hook: its size from sizeof,
// flags 0x159 (screen fonts, hook, template, from the LOGFONT, effects), screen font type.
void SetUpTextFontChoice(CHOOSEFONTA* choice, HWND owner, LOGFONTA* font);
