// BBUTTON: a bitmap button that a program places on a window of its own, made of up to five
// pictures (normal, pressed, on, disabled, hover), that pushes, toggles or latches and shows
// its tooltip once the pointer has rested on it.
#pragma once

#include "qxbase.h"
#include "qxmsgwind.h"
#include "qxstring.h"

// Kinds. A push button commands when a press on it is released over it; a toggle flips
// between up and on and a latch goes on (until SetState), both commanding as they are pressed.
constexpr int BBUTTON_PUSH = 0;
constexpr int BBUTTON_TOGGLE = 1;
constexpr int BBUTTON_LATCH = 2;

// States, and the transient look that Draw also accepts.
constexpr int BBUTTON_UP = 0;
constexpr int BBUTTON_ON = 1;
constexpr int BBUTTON_PRESSED = 2;
constexpr int BBUTTON_HOVER = 3;

// How long the pointer rests on the button before its tooltip shows.
constexpr UINT BBUTTON_TOOLTIP_DELAY = 750;

class QXBASE_API BBUTTON {
public:
    // The pictures are the instance's bitmap resources of those names (normal and on are
    // required; null names leave pressed, disabled and hover out); the button owns them.
    // The commands posted to the parent are WM_COMMAND (id, user). `value` is handed to the
    // tooltip; the last argument is not used.
    BBUTTON(HWND parent, HINSTANCE instance, int id, const char* normal, const char* pressed, const char* on,
            const char* disabled, const char* hover, int x, int y, void* user, int kind, const char* tooltip,
            long value, const char* unused = nullptr);
    // The same from bitmaps that stay the caller's.
    BBUTTON(HWND parent, HINSTANCE instance, int id, HBITMAP normal, HBITMAP pressed, HBITMAP on, HBITMAP disabled,
            HBITMAP hover, int x, int y, void* user, int kind, const char* tooltip, long value,
            const char* unused = nullptr);
    virtual ~BBUTTON();
    BBUTTON(const BBUTTON&) = delete;
    BBUTTON& operator=(const BBUTTON&) = delete;

    void SetXY(int x, int y);
    // BBUTTON_ON and BBUTTON_PRESSED are kept, anything else becomes BBUTTON_UP.
    void SetState(int state, int redraw);
    // Draws the picture of a state, or of BBUTTON_HOVER, on the button now.
    void Draw(int state);
    // True for a point of the button's client area.
    bool In(int x, int y) const;
    void Enable();
    void Disable();
    // Starts the tooltip delay (once while it runs) and stops it.
    void SetTimer();
    void ReleaseTimer();
    // Shows the tooltip at the cursor (MSGWIND result: 0 when shown) and hides it.
    int AfficherMessage(int x, int y);
    void ReleaseMessage();

    HWND Window() const { return window; }
    int State() const { return state; }
    bool TooltipShown() const { return tooltipShown != 0; }

    static LRESULT CALLBACK MessageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR timer, DWORD time);

private:
    HBITMAP PictureFor(int shownState) const;
    void Paint(HDC dc, int shownState) const;
    void OnMouseMove(POINT point);
    void OnButtonDown();
    void OnButtonUp(POINT point);
    void OnTooltipDue();
    void Command() const;
    // The window is being destroyed by its parent: the object lives on without it.
    void Forget();

    HINSTANCE instance;
    HBITMAP normal;
    HBITMAP on;
    HBITMAP pressed;
    HBITMAP disabled;
    HBITMAP hover;
    HWND window;
    HWND parent;
    int x;
    int y;
    int width;
    int height;
    int id;
    int kind;
    int state;
    int enabled;
    int hovering;
    void* user;
    int ownsBitmaps;
    int pressing;       // a mouse press on the button is in progress
    int tooltipShown;
    int timerRunning;
    QXSTRING tooltip;
    MSGWIND message;
    HBRUSH tooltipBrush;
    long value;
    WNDPROC buttonProcedure;  // the system button's procedure, which ours replaces
};
