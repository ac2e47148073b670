// MSGWIND: a small top-most pop-up with a text (and optionally a caption) at the mouse
// cursor, used for tooltips and short messages.
#pragma once

#include "qxbase.h"
#include "qxstring.h"

// A text colour as the system's records keep it.
struct Color {
    int red;
    int green;
    int blue;
    int unused;
};

// Results of AfficherFenetre.
constexpr int MSGWIND_SHOWN = 0;
constexpr int MSGWIND_NO_CLASS = 1;   // "MsgWind" is registered for the instance: a pop-up is open
constexpr int MSGWIND_NO_WINDOW = 2;
constexpr int MSGWIND_NO_TEXT = 3;

class QXBASE_API MSGWIND {
public:
    MSGWIND();
    ~MSGWIND();
    MSGWIND(const MSGWIND&) = delete;
    MSGWIND& operator=(const MSGWIND&) = delete;

    // Shows the pop-up at the mouse cursor (x, y and `unused` are not looked at) with the text
    // in the given colour and font (the system font when null). One pop-up a module instance.
    int AfficherFenetre(const char* caption, const char* text, Color colour, const LOGFONTA* font, int x, int y,
                        HWND owner, HINSTANCE instance, unsigned long unused, HBRUSH background);
    // The same in black and the system font.
    int AfficherFenetre(const char* caption, const char* text, int x, int y, HWND owner, HINSTANCE instance,
                        unsigned long unused, HBRUSH background);
    // Destroys the pop-up, if any, and unregisters "MsgWind" for the instance.
    void DetruireFenetre();

    HWND Window() const { return window; }

    static LRESULT CALLBACK MsgWindProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    static void* operator new(size_t bytes);
    static void operator delete(void* block);

private:
    int Show(const char* caption, const char* text, const Color* colour, const LOGFONTA* font, HWND owner,
             HINSTANCE instance, HBRUSH background);
    void Measure(const char* caption);
    void Place();
    void PaintText(HDC target) const;

    WNDCLASSA windowClass;  // lpszClassName is null while "MsgWind" is not registered by this object
    DWORD style;
    HWND window;
    HWND owner;
    QXSTRING text;
    RECT textRect;
    UINT format;
};
