// The French paragraph the control's typing tests type, with the typing host's keys around three
// words (Ctrl+G bold, Ctrl+I italic, Ctrl+R red), the style each character must end with, and
// the ink of a word on a picture of the control, to compare words drawn in two places.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "rte_edit_control.h"
#include "test_canvas.h"

// What type_on_screen.sh types, as CP1252 bytes.
extern const std::string kTypedParagraph;

// The look of a character as the control's messages give it.
struct TypedLook {
    uint32_t attributes;  // bits 0x1 bold, 0x2 italic
    COLORREF colour;
};

// The look the paragraph's character at the offset was typed in: the first "gras" bold,
// "penché" italic, "rouge" red, everything else plain and black.
TypedLook TypedLookAt(size_t offset);
// Types the paragraph into the control as WM_CHAR messages, with the messages the typing
// host sends for its keys around the styled words.
void TypeParagraph(HWND control);

// Where the control's characters differ from the looks they were typed in, one line each
// ("" when none). The selection is left on the last character.
std::string LooksOtherThanTyped(HWND control);
// The rect of the text from the offset to the offset + count on the control, from their carets.
RteRect TextRect(HWND control, int32_t offset, int32_t count);

// The pixels of a rect of the picture that are not white, cut to their bounding box: the same
// word drawn in the same style in two places has the same ink.
struct Ink {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // row by row
    bool operator==(const Ink&) const = default;
};
Ink InkIn(const TestCanvas& canvas, const RteRect& rect);
