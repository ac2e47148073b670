// The typing host's window, its keys and its message loop.
#include "typing_host.h"

#include "rte_edit_control.h"

namespace {

constexpr char kHostClass[] = "RteTypingHost";
constexpr WORD kBold = 101;
constexpr WORD kItalic = 102;
constexpr WORD kRed = 103;
constexpr COLORREF kRedColour = RGB(255, 0, 0);
// The attribute bits of the character messages: bit i stands for style unit i + 1.
constexpr LPARAM kBoldBit = 0x1;
constexpr LPARAM kItalicBit = 0x2;
// The edit redraw mode of the control.
constexpr WPARAM kRedraw = 1;

}  // namespace

TypingHost::TypingHost(int x, int y, int width, int height)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    RECT outer{0, 0, width, height};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    window_ = CreateWindowA(kHostClass, kTypingHostTitle, WS_OVERLAPPEDWINDOW, x, y, outer.right - outer.left,
                            outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    control_ = CreateWindowA(RTE_CONTROL_CLASS, "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, width, height, window_,
                             reinterpret_cast<HMENU>(intptr_t{7}), GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control_));
    ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'G', kBold}, {FCONTROL | FVIRTKEY, 'I', kItalic}, {FCONTROL | FVIRTKEY, 'R', kRed}};
    keys_ = CreateAcceleratorTableA(keys, 3);
}

TypingHost::~TypingHost()
{
    DestroyWindow(window_);
    DestroyAcceleratorTable(keys_);
    UnregisterClassA(kHostClass, GetModuleHandleA(nullptr));
}

void TypingHost::Show()
{
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(control_);
    UpdateWindow(window_);
}

void TypingHost::Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (TranslateAcceleratorA(window_, keys_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

LRESULT CALLBACK TypingHost::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto control = reinterpret_cast<HWND>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_SETFOCUS:
        // The keys go to the text, whatever made the host active.
        if (control)
            SetFocus(control);
        return 0;
    case WM_COMMAND:
        // With the caret alone, these style what is typed next; a second press toggles back.
        switch (LOWORD(wParam)) {
        case kBold:
            SendMessageA(control, RTEM_SETATTRIBUTES, kRedraw, kBoldBit);
            return 0;
        case kItalic:
            SendMessageA(control, RTEM_SETATTRIBUTES, kRedraw, kItalicBit);
            return 0;
        case kRed: {
            const bool red = static_cast<COLORREF>(SendMessageA(control, RTEM_GETTEXTCOLOR, 0, 0)) == kRedColour;
            SendMessageA(control, RTEM_SETTEXTCOLOR, kRedraw, red ? RGB(0, 0, 0) : kRedColour);
            return 0;
        }
        }
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
