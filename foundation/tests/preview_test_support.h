// What the preview tests share: image files made by hand, a host dialog, a DIB to read a
// pane's pixels from, and a callback that records every code it is given.
#pragma once

#include "test_canvas.h"

#include "qxpreview.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Kept apart from the names of the other test files of the executable.
namespace preview_test {

constexpr COLORREF Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255), White = RGB(255, 255, 255);
constexpr COLORREF LightGrey = RGB(192, 192, 192), Grey = RGB(128, 128, 128), Black = RGB(0, 0, 0);
constexpr char CheckBoxText[] = "Activer l'aperçu";

// A 24-bit BMP file whose left half is red and right half blue.
std::string HalvesBmp(int width, int height);

// A canvas filled with a colour none of the checks look for.
class Canvas : public TestCanvas {
public:
    Canvas(int width, int height) : TestCanvas(width, height, RGB(0x12, 0x34, 0x56)) {}
};

SIZE ClientSize(HWND window);

// What the pane shows, drawn by its own paint code into a DIB of its client size.
struct Rendered {
    explicit Rendered(HWND pane) : size(ClientSize(pane)), canvas(size.cx, size.cy)
    {
        SendMessageA(pane, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    }
    SIZE size;
    Canvas canvas;
};

// A modeless dialog in "MS Sans Serif" 8 with static controls of the given ids, its client
// area made exactly 400 x 200 pixels.
class HostDialog {
public:
    explicit HostDialog(const std::vector<WORD>& staticIds = {});
    ~HostDialog();
    HostDialog(const HostDialog&) = delete;
    HostDialog& operator=(const HostDialog&) = delete;
    HWND Window() const { return window_; }

private:
    HWND window_;
};

// A control's rectangle in its parent's client coordinates (all 0 for no control).
RECT PlaceOf(HWND control);
// "(left,top)-(right,bottom)", for checks that print what they compare.
std::string RectText(const RECT& rect);

// ---- Callback records ----

struct Call {
    char code;
    HANDLE handle;
    RECT rect;
    bool hasRect;
    std::string file;
    LPARAM user;
};

// What Record saw, and what it answers.
extern std::vector<Call> calls;
extern int callbackAnswer;

int Record(char code, HANDLE handle, const RECT* rect, const char* file, LPARAM user);

// Each test starts with no recorded call and a callback that leaves everything to the library.
class PreviewTest : public testing::Test {
protected:
    void SetUp() override
    {
        calls.clear();
        callbackAnswer = 0;
    }
};

}  // namespace preview_test
