// The control bar: a strip of five buttons along the bottom of the object (Home, previous
// frame, Stop, Play, next frame), Stop and Play latched against each other.
#include "flc.h"

#include <algorithm>
#include <functional>

#include "kernel.h"
#include "motionres.h"
#include "qxbbutton.h"
#include "qxmedia.h"
#include "qxutil.h"

namespace {

// The bar takes its object with this message.
constexpr UINT BAR_TAKE_OBJECT = WM_USER + 1;
constexpr const char BAR_PREVIOUS_PROC[] = "QXFLCBARPROC";

struct BarButton {
    int id;
    const char* released;
    const char* pressed;
    int tooltip;
    int kind;
};

const BarButton BAR_BUTTONS[FLC_BUTTONS] = {
    {IDC_BAR_HOME, "TRew_R", "TRew_P", IDS_BAR_HOME, BBUTTON_PUSH},
    {IDC_BAR_BACK, "TBack_R", "TBack_P", IDS_BAR_BACK, BBUTTON_PUSH},
    {IDC_BAR_STOP, "TStop_R", "TStop_P", IDS_BAR_STOP, BBUTTON_LATCH},
    {IDC_BAR_PLAY, "TPlay_R", "TPlay_P", IDS_BAR_PLAY, BBUTTON_LATCH},
    {IDC_BAR_NEXT, "TForw_R", "TForw_P", IDS_BAR_NEXT, BBUTTON_PUSH},
};

void OnBarCommand(FLC* flc, int id)
{
    switch (id) {
    case IDC_BAR_HOME: flc->Home(); break;
    case IDC_BAR_BACK: flc->Back(); break;
    case IDC_BAR_STOP: flc->Stop(); break;
    case IDC_BAR_PLAY: flc->Play(1); break;
    case IDC_BAR_NEXT: flc->Next(); break;
    default: return;
    }
    flc->SetBarButtons(flc->playing != 0);
}

LRESULT CALLBACK BarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* flc = reinterpret_cast<FLC*>(GetWindowLongPtrA(bar, GWLP_USERDATA));
    switch (message) {
    case BAR_TAKE_OBJECT:
        SetWindowLongPtrA(bar, GWLP_USERDATA, lParam);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(bar, &paint);
        RECT client;
        GetClientRect(bar, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
        FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(bar, &paint);
        return 0;
    }
    case WM_COMMAND:
        if (flc)
            OnBarCommand(flc, LOWORD(wParam));
        return 0;
    default:
        break;
    }
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(bar, BAR_PREVIOUS_PROC));
    return previous ? CallWindowProcA(previous, bar, message, wParam, lParam)
                    : DefWindowProcA(bar, message, wParam, lParam);
}

}  // namespace

void FLC::CreateControlBar()
{
    // Room for the five buttons.
    if (w < FLC_CONTROL_BAR_MIN_WIDTH || h < FLC_CONTROL_BAR_HEIGHT) {
        OBJET::SetXYWH(x, y, std::max(w, FLC_CONTROL_BAR_MIN_WIDTH), std::max(h, FLC_CONTROL_BAR_HEIGHT));
        MoveWindow(window, x, y, w, h, TRUE);
    }
    controlBar = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0,
                                 h - FLC_CONTROL_BAR_HEIGHT, w, FLC_CONTROL_BAR_HEIGHT, window, nullptr, module,
                                 nullptr);
    if (!controlBar) {
        QXSTRING caption, text;
        caption.LoadResource(module, IDS_INTERNAL_ERROR);
        text.LoadResource(module, IDS_NO_CONTROL_BAR);
        Alert(KernGetAppWindow(kernel), caption, text);
        return;
    }
    SetPropA(controlBar, BAR_PREVIOUS_PROC,
             reinterpret_cast<HANDLE>(SetWindowLongPtrA(controlBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BarProc))));
    SendMessageA(controlBar, BAR_TAKE_OBJECT, 0, reinterpret_cast<LPARAM>(this));
    for (int i = 0; i < FLC_BUTTONS; ++i) {
        const BarButton& b = BAR_BUTTONS[i];
        QXSTRING tooltip;
        tooltip.LoadResource(module, b.tooltip);
        buttons[i] = new BBUTTON(controlBar, module, b.id, b.released, b.pressed, b.pressed, nullptr, nullptr,
                                 i * FLC_CONTROL_BAR_HEIGHT, 0, nullptr, b.kind, tooltip, 0);
    }
    SetBarButtons(autoPlay != 0);
    const bool editing = (KernGetMode(kernel) & QX_MODE_EDIT_BIT) != 0;
    for (BBUTTON* button : buttons)
        editing ? button->Disable() : button->Enable();
    EnableWindow(controlBar, !editing);
    Layout();
}

void FLC::DestroyControlBar()
{
    for (BBUTTON*& button : buttons) {
        delete button;
        button = nullptr;
    }
    if (controlBar) {
        // The static's own procedure back first: it sees its window go, and no message of
        // the bar reaches this module's procedure once the bar is gone.
        if (HANDLE previous = RemovePropA(controlBar, BAR_PREVIOUS_PROC))
            SetWindowLongPtrA(controlBar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        DestroyWindow(controlBar);
    }
    controlBar = nullptr;
}

void FLC::UpdateControlBar()
{
    // A film of the media server shows the server's own bar in place of this one.
    if (kind == FLC_KIND_MEDIA && media) {
        DestroyControlBar();
        controlBarFlag && window ? media->ShowControlBar() : media->HideControlBar();
        Layout();
        return;
    }
    if (controlBarFlag && window) {
        if (!controlBar)
            CreateControlBar();
        else
            MoveWindow(controlBar, 0, h > FLC_CONTROL_BAR_HEIGHT - 1 ? h - FLC_CONTROL_BAR_HEIGHT : 0, w,
                       FLC_CONTROL_BAR_HEIGHT, TRUE);
    } else {
        DestroyControlBar();
        Layout();
    }
}
