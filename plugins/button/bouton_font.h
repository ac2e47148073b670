// The button's font: its defaults, the scale between universe units and pixels, the font
// line of the "BOUTON {" record, and the embedding bit of its clip precision.
#pragma once

#include "qxkernel.h"

// The default character height, in pixels.
constexpr int BOUTON_DEFAULT_FONT_PIXELS = 21;
// The face name field holds 31 characters and its terminator.
constexpr int BOUTON_FACE_CHARS = LF_FACESIZE - 1;

void SetDefaultButtonFont(LOGFONTA& font);

// Universe units per pixel, horizontally and vertically.
double UnitsPerPixelX(KERNEL* kernel);
double UnitsPerPixelY(KERNEL* kernel);

// CLIP_EMBEDDED set when the face may be embedded (bit 4 or bit 8 of its flag), else cleared.
void ApplyEmbedding(LOGFONTA& font);

// The font line: sizes in units in unit form, else in pixels (both converted horizontally, as
// stored files have them).
void FormatFontLine(KERNEL* kernel, const LOGFONTA& font, double height, double width, int unitForm, char* line,
                    int size);
// Reads a font line into the font and the sizes in units. 0 when a field after the two sizes
// is malformed; when a size cannot be read the font and sizes are left as they were.
int ParseFontLine(KERNEL* kernel, const char* line, int unitForm, LOGFONTA& font, double& height, double& width);
