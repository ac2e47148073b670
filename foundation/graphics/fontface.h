// Helpers shared by the font services (private to the library).
#pragma once

#include "qxbase.h"

// The embedding bits (low 4 bits of the outline metrics' type field) of the font selected
// in the device context, -1 when it has no outline metrics.
int EmbeddingBitsOfSelectedFont(HDC dc);
// The font the per-face queries measure: the face with the default character set and the
// embedded clip precision, every other field 0. Null when it cannot be made.
HFONT CreateFaceFont(const char* faceName);
// The string id of the text that explains an embedding flag.
int EmbeddingMessageId(int embedding);

// Selects a font into the screen's device context for as long as it lives.
class ScreenFont {
public:
    explicit ScreenFont(HFONT font);
    ~ScreenFont();
    ScreenFont(const ScreenFont&) = delete;
    ScreenFont& operator=(const ScreenFont&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};
