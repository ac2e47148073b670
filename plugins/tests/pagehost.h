// A publication shown for real: page files written into a scratch folder, and a kernel on a
// hidden host window whose plug-ins are the modules built beside the tests.
#pragma once

#include "kernel.h"
#include "objet.h"
#include "scratch_dir.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using RecordLines = std::vector<std::string>;

// The common block of an object record with no message, fonts or branches.
RecordLines CommonBlock();
// One object record: the module's line, the number of children, the common block (with the
// object's name and its branches) and the object's own block.
RecordLines ObjectRecord(const std::string& module, int children, const std::string& name,
                         const RecordLines& branches, const RecordLines& own);
// The branch block of an object with no branch, and with one ordinary branch to `page`.
RecordLines NoBranch();
RecordLines BranchTo(const std::string& page);
// The "PAGE {" block of a page of 640 x 480 pixels in the colour r g b.
RecordLines PageBlock(const std::string& title, int red, int green, int blue, const RecordLines& more = {});
// A page file of these records, the root first.
std::string PageFile(const std::vector<RecordLines>& records);

// A 24-bit BMP file of `width` x `height` pixels, colour(x, y) for each.
std::string BmpFile(int width, int height, const std::function<COLORREF(int, int)>& colour);
// A wave file of silence lasting `ms` milliseconds.
std::string WavFile(int ms);

// The pixel of a bitmap as RGB() makes it.
COLORREF PixelOf(HBITMAP bitmap, int x, int y);

// Dispatches the thread's messages until `done` holds or `ms` milliseconds pass; whether it holds.
bool PumpUntil(const std::function<bool()>& done, int ms);

class PageHost {
public:
    PageHost();
    ~PageHost();
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;

    operator KERNEL*() const { return kernel; }
    std::string Page(const std::string& name) const { return pub / name; }
    // Goes to the page through the history; 1 when it is shown.
    int Go(const std::string& name);
    // The title of the page shown, "" for none.
    std::string Shown() const;
    // The page shown drawn by its objects into a bitmap of its client area (the caller's).
    HBITMAP Render() const;
    // The same picture as 32-bit pixels (0x00RRGGBB), rows from the top; its size out. Empty
    // when no page is shown.
    std::vector<uint32_t> RenderedPixels(SIZE& size) const;

    ScratchDir pub;
    HWND view = nullptr;
    HWND host = nullptr;
    KERNEL* kernel = nullptr;
};
