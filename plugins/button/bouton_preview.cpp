// The live preview of the settings dialog: a window "EXBOUTON" that draws the dialog copy,
// plays its appearance effect once, and presses, releases and highlights like the button on
// its page, without taking any branch.
#include "bouton_dialog.h"

#include "bouton_dialog_parts.h"
#include "bouton_draw.h"
#include "qxsupport.h"
#include "resource.h"

#include <windowsx.h>

namespace {

// Whether previews draw, for every dialog of the process.
bool previewOn = true;
// The part of the preview that counts as the button.
constexpr int ActiveInset = 5;
constexpr int FrameInset = 2;

BOUTON* CopyOf(HWND window) { return reinterpret_cast<BOUTON*>(GetWindowLongPtrA(window, QXWL_OBJET)); }

bool Inside(HWND window, LPARAM lParam)
{
    RECT active;
    GetClientRect(window, &active);
    InflateRect(&active, -ActiveInset, -ActiveInset);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&active, point) != 0;
}

bool ShowsOverLook(const BOUTON& copy)
{
    return copy.style == BOUTON_STYLE_BITMAP && copy.imageNames[BOUTON_IMAGE_OVER].length() > 0 && !copy.toggle;
}

void SetHighlighted(HWND window, BOUTON& copy, bool on)
{
    if (copy.highlighted == static_cast<int>(on))
        return;
    copy.highlighted = on;
    InvalidateRect(window, nullptr, FALSE);
}

void MouseMessage(HWND window, BOUTON& copy, UINT message, LPARAM lParam)
{
    copy.effectPending = 0;
    const bool inside = Inside(window, lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        if (!inside)
            return;
        copy.held = 1;
        copy.highlighted = 1;
        SetCapture(window);
        InvalidateRect(window, nullptr, FALSE);
        return;
    case WM_MOUSEMOVE:
        if (copy.held) {
            SetHighlighted(window, copy, inside);
        } else if (ShowsOverLook(copy)) {
            if (inside && !copy.highlighted)
                SetCapture(window);
            else if (!inside && copy.highlighted)
                ReleaseCapture();
            SetHighlighted(window, copy, inside);
        }
        return;
    default:  // WM_LBUTTONUP
        if (!copy.held)
            return;
        copy.held = 0;
        copy.highlighted = 0;
        ReleaseCapture();
        if (inside)
            copy.checked = copy.toggle ? !copy.checked : 0;
        InvalidateRect(window, nullptr, FALSE);
        return;
    }
}

// The effect is played onto the window from the look composed off screen.
void PlayEffect(HWND window, BOUTON& copy, HDC dc, int width, int height)
{
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP look = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ previous = SelectObject(memory, look);
    RECT all{0, 0, width, height};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    DrawButton(copy, memory, 0, 0, width, height, true);
    SelectObject(memory, previous);
    if (copy.DrawEffect(window, dc, 0, 0, width, height, look, nullptr, SRCCOPY, 0) == -1)
        DrawButton(copy, dc, 0, 0, width, height, true);
    DeleteObject(look);
    DeleteDC(memory);
}

// The look of the copy over the whole preview; the effect only where the window paints.
void Draw(HWND window, BOUTON& copy, HDC dc, bool mayPlayEffect)
{
    if (!previewOn)
        return;
    RECT client;
    GetClientRect(window, &client);
    if (mayPlayEffect && copy.effectId != 0 && copy.effectPending) {
        copy.effectPending = 0;
        PlayEffect(window, copy, dc, client.right, client.bottom);
    } else {
        DrawButton(copy, dc, 0, 0, client.right, client.bottom, true);
    }
}

}  // namespace

LRESULT CALLBACK ButtonPreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    BOUTON* copy = CopyOf(window);
    if (!copy)
        return DefWindowProcA(window, message, wParam, lParam);
    try {
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            Draw(window, *copy, dc, true);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            Draw(window, *copy, reinterpret_cast<HDC>(wParam), false);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            MouseMessage(window, *copy, message, lParam);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
        }
    } catch (...) {
        return 0;
    }
}

bool ButtonPreviewOn() { return previewOn; }

void SetButtonPreviewOn(bool on) { previewOn = on; }

void RepaintPreview(const BOUTON& copy)
{
    if (copy.previewWindow)
        InvalidateRect(copy.previewWindow, nullptr, TRUE);
}

HWND CreateButtonPreview(HWND dialog, BOUTON& copy)
{
    RECT frame;
    GetWindowRect(GetDlgItem(dialog, IDC_PREVIEW_FRAME), &frame);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&frame), 2);
    InflateRect(&frame, -FrameInset, -FrameInset);
    copy.previewWindow = CreateWindowExA(0, "EXBOUTON", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, frame.left,
                                         frame.top, frame.right - frame.left, frame.bottom - frame.top, dialog,
                                         nullptr, BoutonModule, nullptr);
    if (!copy.previewWindow)
        return nullptr;
    SetWindowLongPtrA(copy.previewWindow, QXWL_OBJET, reinterpret_cast<LONG_PTR>(&copy));
    // Above the frame, which a new sibling would otherwise lie under.
    SetWindowPos(copy.previewWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return copy.previewWindow;
}
