// The yellow tooltips of the library's controls, shown through MSGWIND.
#include "controls_internal.h"

#include <cstring>

namespace {

constexpr int TooltipPoints = 8;

LOGFONTA TooltipFont()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTA font{};
    font.lfHeight = -MulDiv(TooltipPoints, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(font.lfFaceName, "MS Sans Serif");
    return font;
}

}  // namespace

bool PointInClient(HWND window, POINT point)
{
    RECT client{};
    GetClientRect(window, &client);
    return PtInRect(&client, point) != FALSE;
}

int ShowTooltip(MSGWIND& popup, const char* text, HWND owner, HINSTANCE instance, HBRUSH background,
                unsigned long value)
{
    if (!text || !*text)
        return MSGWIND_NO_TEXT;
    const LOGFONTA font = TooltipFont();
    return popup.AfficherFenetre(nullptr, text, Color{0, 0, 0, 0}, &font, 0, 0, owner, instance, value, background);
}

ControlTooltip::~ControlTooltip() { Hide(); }

void ControlTooltip::Track(HWND control, const char* text, POINT point, bool mayShow)
{
    const bool inside = PointInClient(control, point);
    if (inside && mayShow && !shown_) {
        background_ = CreateSolidBrush(TOOLTIP_BACKGROUND);
        const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(control, GWLP_HINSTANCE));
        shown_ = ShowTooltip(popup_, text, GetParent(control), instance, background_, 0) == MSGWIND_SHOWN;
        if (shown_) {
            control_ = control;
            SetCapture(control);
        } else {
            Hide();
        }
    } else if (!inside) {
        Hide();
    }
}

void ControlTooltip::Hide()
{
    // A disabled control that kept the capture would take every mouse message of the thread.
    if (shown_ && GetCapture() == control_)
        ReleaseCapture();
    popup_.DetruireFenetre();  // also unregisters the pop-up's class, which used the brush
    shown_ = false;
    if (background_) {
        DeleteObject(background_);
        background_ = nullptr;
    }
}
