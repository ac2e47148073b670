// What the library's controls share (private to the library): the built-in pictures, the
// disabled look, the yellow tooltip and the window procedures that InitCC registers.
#pragma once

#include "qxbase.h"
#include "qxmsgwind.h"

class BMP;

HINSTANCE ControlsLibrary();

// Built-in pictures, numbered 1 to BUILTIN_IMAGES; 0 stands for a button's own pictures.
constexpr int BUILTIN_IMAGES = 12;
// The picture number that a "QXButton" style selects.
int ImageFromStyle(DWORD style);
// Load and free the released ("<name>_R") and pressed ("<name>_P") built-in pictures.
void LoadBuiltInPictures();
void FreeBuiltInPictures();
// Null outside 1..BUILTIN_IMAGES or when the picture is not loaded.
BMP* BuiltInPicture(int image, bool pressed);

// The grey checkerboard of a disabled button over the picture drawn at the DC's origin:
// within columns and rows 3 to 28, every pixel whose column plus row is even turns light
// grey; every other pixel keeps the picture.
void LayDisabledLook(HDC dc);

LRESULT CALLBACK QXButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK QXFileNameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool PointInClient(HWND window, POINT point);

// Control tooltips: "MS Sans Serif" of 8 points, black on light yellow.
constexpr COLORREF TOOLTIP_BACKGROUND = 0x0080FFFF;
// MSGWIND's result: 0 when shown. An empty text is never shown.
int ShowTooltip(MSGWIND& popup, const char* text, HWND owner, HINSTANCE instance, HBRUSH background,
                unsigned long value);

// The tooltip of a dialog control, shown while the pointer is over the control. The control
// holds the mouse capture while the tooltip shows, so that it sees the pointer leave, and
// gives it up when the tooltip goes, however it goes.
class ControlTooltip {
public:
    ControlTooltip() = default;
    ~ControlTooltip();
    ControlTooltip(const ControlTooltip&) = delete;
    ControlTooltip& operator=(const ControlTooltip&) = delete;

    // The pointer moved to `point` (client coordinates): a point inside shows the text when
    // `mayShow` and it is not shown yet; a point outside hides a shown tooltip.
    void Track(HWND control, const char* text, POINT point, bool mayShow);
    void Hide();

private:
    MSGWIND popup_;
    HWND control_ = nullptr;       // the control that shows it, holding the capture
    HBRUSH background_ = nullptr;  // lives as long as the pop-up's window class
    bool shown_ = false;
};
