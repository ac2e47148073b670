// What the tests of the library's controls share: a parent window that records the commands
// it receives, message pumping, synthetic mouse and key messages, pictures read back from
// resources and a 32-bit canvas to render controls into.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Colours as 0xRRGGBB.
using Rgb = DWORD;
constexpr Rgb RgbOf(int red, int green, int blue) { return static_cast<Rgb>((red << 16) | (green << 8) | blue); }

HINSTANCE TestModule();
HINSTANCE LibraryModule();  // qxbase40.dll

// Handles the messages waiting for this thread, for `milliseconds` at least (timers included).
void Pump(DWORD milliseconds = 0);

void MouseMove(HWND window, int x, int y);
void MouseDown(HWND window, int x, int y);
void MouseDoubleClick(HWND window, int x, int y);
void MouseUp(HWND window, int x, int y);
void KeyDown(HWND window, WPARAM key, bool repeated = false);
void KeyUp(HWND window, WPARAM key);

struct Command {
    WPARAM wParam;
    LPARAM lParam;
};

// A visible top-level window that keeps every WM_COMMAND it is sent or posted, counts its
// WM_ERASEBKGND messages and erases in a colour of its own.
class ParentWindow {
public:
    ParentWindow();
    ~ParentWindow();
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    HWND Handle() const { return window_; }
    // The commands so far; posted ones arrive when the queue is pumped.
    const std::vector<Command>& Commands() const { return commands_; }
    int Erasures() const { return erasures_; }
    static constexpr Rgb Background = 0x336699;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_;
    std::vector<Command> commands_;
    int erasures_ = 0;
};

// A picture as 0xRRGGBB pixels, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The picture under a disabled button's look, worked out pixel by pixel: within columns
// and rows 3 to 28, light grey wherever column plus row is even.
Picture Greyed(Picture picture);
// The top-left width x height of the picture.
Picture Crop(const Picture& picture, int width, int height);
// Equal sizes and pixels; on failure, the number of differing pixels and the first one.
testing::AssertionResult SamePicture(const Picture& actual, const Picture& expected);

// A bitmap resource of the module, read through GDI alone.
Picture ResourcePicture(HINSTANCE module, const char* name);
// A solid bitmap of the screen's format.
HBITMAP SolidBitmap(int width, int height, Rgb colour);

// A 32-bit DIB section in a memory DC, filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, Rgb fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    Rgb At(int x, int y) const;
    void Fill();
    // The control's client area as WM_PRINTCLIENT draws it (with `flags`) on the fill colour.
    Picture Render(HWND control, LPARAM flags = PRF_CLIENT);
    Picture Snapshot(int width, int height) const;

private:
    int width_;
    int height_;
    Rgb fill_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    DWORD* bits_ = nullptr;
};

// The library's "MsgWind" pop-up on screen, or null.
HWND ShownTooltip();
// The width of a single-line tooltip showing the text: the text in "MS Sans Serif" of 8
// points, 4 pixels in from the left and 5 more on the right.
int TooltipWidth(const char* text);
int WidthOf(HWND window);
std::string ClassOf(HWND window);
