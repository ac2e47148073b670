// "QXButton": the pictures that its text names and how it paints.
#include "qxbutton_record.h"

#include "qxcontrols.h"

#include <algorithm>
#include <cstring>

namespace {

// A missing "_R" bitmap keeps the library's "USER" pictures; a missing "_P" alone makes the
// pressed picture a copy of the released one.
void LoadOwnPictures(QXButtonRecord& record, HINSTANCE module, const QXSTRING& name)
{
    record.released.LoadResourceDIB(ControlsLibrary(), "USER_R");
    record.pressed.LoadResourceDIB(ControlsLibrary(), "USER_P");
    const QXSTRING releasedName = name + "_R";
    if (!record.released.LoadResourceDIB(module, releasedName))
        return;
    if (!record.pressed.LoadResourceDIB(module, name + "_P"))
        record.pressed.LoadResourceDIB(module, releasedName);
}

}  // namespace

void TakeButtonText(HWND window, QXButtonRecord& record, const char* text)
{
    const char* separator = std::strchr(text, ';');
    if (record.image == 0) {
        const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
        const QXSTRING whole(text);
        LoadOwnPictures(record, module, separator ? whole.subString(0, static_cast<int>(separator - text) - 1) : whole);
    }
    if (separator && (GetWindowLongA(window, GWL_STYLE) & QXBS_TOOLTIP))
        record.tooltip = separator + 1;
}

void PaintButton(HWND window, QXButtonRecord& record, HDC dc)
{
    BMP* picture = record.image ? BuiltInPicture(record.image, record.checked != 0)
                                : record.checked ? &record.pressed : &record.released;
    RECT client{};
    GetClientRect(window, &client);
    int width = 0, height = 0;
    if (picture)
        picture->GetWH(width, height);
    // Unscaled from the picture's corner, cut to the client area.
    width = std::min<int>(width, client.right);
    height = std::min<int>(height, client.bottom);
    if (width > 0 && height > 0)
        picture->Draw(dc, 0, 0, width, height, 0, 0, width, height, SRCCOPY, 0);
    if (record.focused && (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP)) {
        RECT focus = client;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
    if (!record.enabled)
        LayDisabledLook(dc);
}
