// BBUTTON: the button window made from its pictures, the pictures of its states, and its
// delayed tooltip.
#include "qxbbutton.h"

#include "controls_internal.h"
#include "qxwindowptr.h"

#include <initializer_list>

namespace {

constexpr UINT_PTR TooltipTimer = 1;

HBITMAP LoadNamed(HINSTANCE instance, const char* name) { return name ? LoadBitmapA(instance, name) : nullptr; }

}  // namespace

BBUTTON::BBUTTON(HWND parentWindow, HINSTANCE module, int controlId, const char* normalName, const char* pressedName,
                 const char* onName, const char* disabledName, const char* hoverName, int left, int top,
                 void* userValue, int buttonKind, const char* tooltipText, long tooltipValue, const char* unused)
    : BBUTTON(parentWindow, module, controlId, LoadNamed(module, normalName), LoadNamed(module, pressedName),
              LoadNamed(module, onName), LoadNamed(module, disabledName), LoadNamed(module, hoverName), left, top,
              userValue, buttonKind, tooltipText, tooltipValue, unused)
{
    ownsBitmaps = 1;
}

BBUTTON::BBUTTON(HWND parentWindow, HINSTANCE module, int controlId, HBITMAP normalPicture, HBITMAP pressedPicture,
                 HBITMAP onPicture, HBITMAP disabledPicture, HBITMAP hoverPicture, int left, int top, void* userValue,
                 int buttonKind, const char* tooltipText, long tooltipValue, const char*)
    : instance(module), normal(normalPicture), on(onPicture), pressed(pressedPicture), disabled(disabledPicture),
      hover(hoverPicture), window(nullptr), parent(parentWindow), x(left), y(top), width(0), height(0),
      id(controlId), kind(buttonKind), state(BBUTTON_UP), enabled(1), hovering(0), user(userValue), ownsBitmaps(0),
      pressing(0), tooltipShown(0), timerRunning(0), tooltip(tooltipText),
      tooltipBrush(CreateSolidBrush(TOOLTIP_BACKGROUND)), value(tooltipValue), buttonProcedure(nullptr)
{
    BITMAP size{};
    if (normal && GetObjectA(normal, sizeof size, &size)) {
        width = size.bmWidth;
        height = size.bmHeight;
    }
    window = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, x, y, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!window)
        return;
    SetQORVEXpointer(window, this);
    buttonProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MessageProc)));
}

BBUTTON::~BBUTTON()
{
    ReleaseTimer();
    ReleaseMessage();
    if (window) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buttonProcedure));
        ClearQORVEXXpointer(window, this, QXKEY_BUTTON_TOOLTIP_1, QXKEY_BUTTON_TOOLTIP_2);
        SetQORVEXpointer(window, nullptr);
        DestroyWindow(window);
    }
    if (ownsBitmaps)
        for (HBITMAP picture : {normal, on, pressed, disabled, hover})
            if (picture)
                DeleteObject(picture);
    DeleteObject(tooltipBrush);
}

void BBUTTON::Forget()
{
    ReleaseTimer();
    ReleaseMessage();
    SetQORVEXpointer(window, nullptr);
    window = nullptr;
}

void BBUTTON::SetXY(int left, int top)
{
    x = left;
    y = top;
    MoveWindow(window, x, y, width, height, TRUE);
}

void BBUTTON::SetState(int newState, int redraw)
{
    state = newState == BBUTTON_ON || newState == BBUTTON_PRESSED ? newState : BBUTTON_UP;
    if (redraw)
        Draw(state);
}

HBITMAP BBUTTON::PictureFor(int shownState) const
{
    const bool greyed = !enabled && disabled;
    switch (shownState) {
    case BBUTTON_ON:
        return greyed ? disabled : on;
    case BBUTTON_PRESSED:
        return pressed ? pressed : on;
    case BBUTTON_HOVER:
        return !enabled ? (disabled ? disabled : normal) : hover;
    default:
        return greyed ? disabled : normal;
    }
}

void BBUTTON::Paint(HDC dc, int shownState) const
{
    HBITMAP picture = PictureFor(shownState);
    BITMAP size{};
    if (!picture || !GetObjectA(picture, sizeof size, &size))
        return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    if (!enabled && !disabled)
        LayDisabledLook(dc);
}

void BBUTTON::Draw(int shownState)
{
    // The hover picture would hide the pressed one.
    if (!window || (shownState == BBUTTON_HOVER && pressing))
        return;
    HDC dc = GetDC(window);
    Paint(dc, shownState);
    ReleaseDC(window, dc);
}

bool BBUTTON::In(int px, int py) const { return px >= 0 && px < width && py >= 0 && py < height; }

void BBUTTON::Enable()
{
    enabled = 1;
    Draw(state);
}

void BBUTTON::Disable()
{
    enabled = 0;
    Draw(state);
}

void BBUTTON::SetTimer()
{
    if (timerRunning || !window)
        return;
    ::SetTimer(window, TooltipTimer, BBUTTON_TOOLTIP_DELAY, TimerProc);
    timerRunning = 1;
}

void BBUTTON::ReleaseTimer()
{
    if (!timerRunning)
        return;
    KillTimer(window, TooltipTimer);
    timerRunning = 0;
}

int BBUTTON::AfficherMessage(int, int)
{
    // The pop-up places itself at the cursor; its owner is the window that holds the bar.
    const int result = ShowTooltip(message, tooltip, GetParent(parent), instance, tooltipBrush,
                                   static_cast<unsigned long>(value));
    tooltipShown = result == MSGWIND_SHOWN;
    return result;
}

void BBUTTON::ReleaseMessage()
{
    message.DetruireFenetre();
    tooltipShown = 0;
}
