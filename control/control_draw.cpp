// The control's own drawing: at run time the container's background, in design mode a frame
// that names the control and its publication.
#include "stage_control.h"

void CQXStageCtrl::PaintControl(HDC dc, const RECT& area)
{
    const COLORREF back = AmbientColour(DISPID_AMBIENT_BACKCOLOR, GetSysColor(COLOR_WINDOW));
    if (UserMode()) {
        HBRUSH brush = CreateSolidBrush(back);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
        return;
    }
    const COLORREF fore = AmbientColour(DISPID_AMBIENT_FORECOLOR, GetSysColor(COLOR_WINDOWTEXT));
    HBRUSH brush = CreateSolidBrush(back);
    HPEN pen = CreatePen(PS_SOLID, 1, fore);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
    std::string caption = DisplayName();
    if (!filename_.empty()) caption += " - " + filename_;
    RECT text = area;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, fore);
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}
