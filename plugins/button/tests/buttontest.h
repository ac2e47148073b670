// What the button tests share: buttons made by the module's allocator, a canvas to draw them
// into and the colours of their looks.
#pragma once

#include "bouton.h"

#include "kernel.h"

#include <string>

// A kernel as a host holds it, for buttons that need no window.
struct KernelHolder {
    KernelHolder() : kernel(new KERNEL) {}
    ~KernelHolder() { delete kernel; }
    KernelHolder(const KernelHolder&) = delete;
    KernelHolder& operator=(const KernelHolder&) = delete;
    KERNEL* kernel;
};

BOUTON* NewButton(KERNEL* kernel);

// A 32-bit top-down DIB selected into a memory DC, filled with a colour no look uses.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const;
    // The box of the pixels of a colour; empty when none.
    RECT BoxOf(COLORREF colour) const;
    int CountOf(COLORREF colour) const;
    // Saved as PNG into the folder named by QXPUSH_LOOKS, to look at the pictures once.
    void SaveForViewing(const std::string& name) const;

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_{};
    HGDIOBJ previous_{};
    DWORD* bits_{};
};

// The button's paint message, handed the canvas as its device context.
void Paint(BOUTON* b, const Canvas& canvas);

constexpr COLORREF Magenta = RGB(255, 0, 255);  // the canvas before drawing
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Dark = RGB(100, 100, 100);
constexpr COLORREF Light = RGB(192, 192, 192);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
