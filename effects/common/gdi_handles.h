// Owners of the GDI objects and selections that an effect makes, so that every path out of a
// drawing frees and puts back what it took.
#pragma once

#include "fxbase.h"

#include <utility>

template <typename Handle>
class GdiObject {
public:
    explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
    ~GdiObject()
    {
        if (handle_)
            DeleteObject(handle_);
    }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_;
};

using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedRegion = GdiObject<HRGN>;

// An empty region, ready to be filled by a GDI call.
inline OwnedRegion EmptyRegion()
{
    return OwnedRegion(CreateRectRgn(0, 0, 0, 0));
}

class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// An object selected into a DC for the owner's lifetime.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selection()
    {
        if (old_)
            SelectObject(dc_, old_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

    bool Taken() const { return old_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The caller's palette, how it is to be realised.
struct PaletteChoice {
    HPALETTE palette = nullptr;
    bool foreground = false;
};

// A palette selected into a DC and realised for the owner's lifetime; nothing without one.
class PaletteSelection {
public:
    PaletteSelection(HDC dc, const PaletteChoice& choice) : dc_(dc)
    {
        if (!choice.palette)
            return;
        old_ = SelectPalette(dc, choice.palette, !choice.foreground);
        RealizePalette(dc);
    }
    ~PaletteSelection()
    {
        if (old_)
            SelectPalette(dc_, old_, TRUE);
    }
    PaletteSelection(const PaletteSelection&) = delete;
    PaletteSelection& operator=(const PaletteSelection&) = delete;

private:
    HDC dc_;
    HPALETTE old_ = nullptr;
};
