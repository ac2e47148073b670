// Selects and realises a palette in a device context for the life of the scope.
#pragma once

#include "qxbase.h"

class PaletteScope {
public:
    PaletteScope(HDC dc, HPALETTE palette) : dc_(dc), old_(nullptr)
    {
        if (palette) {
            old_ = SelectPalette(dc, palette, TRUE);
            RealizePalette(dc);
        }
    }
    ~PaletteScope()
    {
        if (old_)
            SelectPalette(dc_, old_, TRUE);
    }
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;

private:
    HDC dc_;
    HPALETTE old_;
};
