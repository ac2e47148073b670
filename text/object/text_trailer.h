// The 200-byte trailer that follows the engine's record stream in a TQX text file: the
// object's margins, default font and colours, among placeholders of dialog records that
// are written as zeros (they held window handles and pointers) and never read back. Writer
// and reader share this one layout.
#pragma once

#include "texte.h"

constexpr int QX_TRAILER_BYTES = 200;

// Writes the trailer at the file's position; false when a write failed.
bool WriteTextTrailer(QXFILE file, const TEXTE* text);
// Takes margins, default font, font colour and text background from a trailer.
void ReadTextTrailer(const BYTE (&trailer)[QX_TRAILER_BYTES], TEXTE* text);
