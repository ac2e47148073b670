// Smaller services of the GDI device: typeahead, the blink phase, character types, the reading
// direction of the system, the face of the selected font and the default line height.
#pragma once

#include "rte_gdi.h"

// Document slot 32: 1 when the document's window has a character waiting and no key press.
int32_t RteIsTypeahead(RteHandle doc);
// 1 in the low bit when the second advanced since the last call, flipping the blink phase.
int32_t RteBlinkTick(RteHandle doc);
// Document slot 31: the CT_CTYPE3 type of one or two bytes in the font's locale, classed.
intptr_t RteCharTypeHook(RteHandle doc, intptr_t character, intptr_t length, intptr_t, intptr_t, intptr_t);
// -1 when the system's language reads from right to left (Arabic, Hebrew), else 1.
int32_t RteDirectionSign(RteEnvironment* env);
// The face of the font selected in the document's port, length-prefixed (62 characters at most).
void RteFontFace(RteHandle doc, char* name);
// The height of a line of the default style at 12 points, at the document's scale.
int32_t RteDefaultLineHeight(RteHandle doc);
// The environment's display glyphs (numbered from 1): a one-byte glyph, or a two-byte one as a
// 16-bit value, first byte high; its length; and a glyph written.
int32_t RteCountedChar(const RteEnvironment* env, int32_t number);
int32_t RteCountedLength(const RteEnvironment* env, int32_t number);
void RteMakeCountedChar(RteEnvironment* env, int32_t number, int32_t value);
// How far a text's width at the document's scale, measured at the scaled resolution, falls short
// of its unscaled width scaled (0 for an unscaled document).
int32_t RteScaleError(RteHandle doc, const RteCharStyle* style, const uint8_t* text, int32_t length);
// Binds the port to the window that has the focus; nothing when none has.
void RtePortInitForFocus(RteEnvironment* env, RteDrawPort* port);
