// "Réglage de paragraphes" ("D_PARAGRAPH"): indents, alignment, line spacing and the space
// around the paragraphs of the selection, in pixels.
#pragma once

#include <windows.h>

#include <cstdint>

class OBJET;

// Line spacings, 16.16 fixed.
constexpr int32_t QX_SPACING_SINGLE = 0;
constexpr int32_t QX_SPACING_ONE_HALF = 0x18000;
constexpr int32_t QX_SPACING_DOUBLE = 0x20000;
constexpr int32_t QX_SPACING_TRIPLE = 0x30000;

// The editor fills it from the selection's paragraph format and applies it on 1.
struct PARAGRAPHRECORD {
    int busy = 0;             // commands are ignored while set
    int32_t leftIndent = 0;   // 16.16 fixed on entry, whole pixels on return
    int32_t rightIndent = 0;  // likewise
    int32_t firstIndent = 0;  // likewise, signed
    int alignment = 0;        // 0 left, 1 centred, 2 right, 3 justified
    int32_t lineSpacing = QX_SPACING_SINGLE;
    int spaceBefore = 0;      // whole pixels
    int spaceAfter = 0;
    HWND spins[5]{};          // left, right, first line, before, after
    OBJET* text = nullptr;    // the text object, for its kernel (help)
};

// Runs the dialog modally on the owner: 1 on OK (the record then holds whole values), 0.
int ParagraphDialog(HWND owner, PARAGRAPHRECORD* record);
