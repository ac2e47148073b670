// What the button tests share: buttons made by the module's allocator, a canvas to draw them
// into and the colours of their looks.
#pragma once

#include "scratch_dir.h"
#include "test_canvas.h"

#include "bouton.h"

#include "kernel.h"

#include <functional>
#include <string>
#include <vector>

// A kernel as a host holds it, for buttons that need no window.
struct KernelHolder {
    KernelHolder() : kernel(new KERNEL) {}
    ~KernelHolder() { delete kernel; }
    KernelHolder(const KernelHolder&) = delete;
    KernelHolder& operator=(const KernelHolder&) = delete;
    KERNEL* kernel;
};

BOUTON* NewButton(KERNEL* kernel);

// A canvas filled with a colour no look uses.
class Canvas : public TestCanvas {
public:
    Canvas(int width, int height) : TestCanvas(width, height, RGB(255, 0, 255)) {}
    COLORREF At(int x, int y) const { return Pixel(x, y); }
    // The box of the pixels of a colour; empty when none.
    RECT BoxOf(COLORREF colour) const;
    // The box of the pixels that differ from `background`: all of a text, also where a
    // smoothed font blends the text's colour into the background at the glyphs' edges.
    RECT BoxOfAllBut(COLORREF background) const;
    int CountOf(COLORREF colour) const;
    // Saved as PNG into the folder named by QXPUSH_LOOKS, to look at the pictures once.
    void SaveForViewing(const std::string& name) const;

private:
    RECT BoxWhere(const std::function<bool(COLORREF)>& wanted) const;
};

// The button's paint message, handed the canvas as its device context.
void Paint(BOUTON* b, const Canvas& canvas);

// The record lines of a button as it saves itself (in pixels), written through a file of the
// folder.
std::vector<std::string> SavedRecord(BOUTON* b, const ScratchDir& dir);

constexpr COLORREF Magenta = RGB(255, 0, 255);  // the canvas before drawing
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Dark = RGB(100, 100, 100);
constexpr COLORREF Light = RGB(192, 192, 192);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
