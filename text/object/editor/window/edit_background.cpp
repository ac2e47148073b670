// The edit frame's background behind a transparent text, and the placing of its children.
#include "edit_background.h"

#include "tabruler.h"
#include "text_defaults.h"

namespace {

// The frame's margin around the control.
constexpr int FrameMargin = 10;

// The frame being laid out: moving its children must not start another layout of it.
HWND g_layingOut = nullptr;

}  // namespace

bool DrawsOverSnapshot(EDITSESSION* session)
{
    return session->copy && session->copy->transparent && session->copy->backgroundSnapshot;
}

void PaintEditBackground(EDITSESSION* session, HDC dc, const RECT& area)
{
    TEXTE* copy = session->copy;
    if (DrawsOverSnapshot(session)) {
        // The control lies exactly over the object: the snapshot's pixels are the control's.
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, copy->backgroundSnapshot);
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left, area.top,
               SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        return;
    }
    HBRUSH brush = CreateSolidBrush(copy->transparent ? QX_NO_BACKGROUND : copy->background & QX_COLOUR_RGB_MASK);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void LayOutEditFrame(EDITSESSION* session)
{
    if (!session->frame || !session->control || g_layingOut == session->frame)
        return;
    g_layingOut = session->frame;
    RECT client{};
    GetClientRect(session->frame, &client);
    const int width = client.right - 2 * FrameMargin, height = client.bottom - 2 * FrameMargin;
    RECT now{};
    GetWindowRect(session->control, &now);
    if (width > 0 && height > 0 && (now.right - now.left != width || now.bottom - now.top != height)) {
        SetWindowPos(session->control, nullptr, FrameMargin, FrameMargin, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        TEXTE* copy = session->copy;
        // The scroll bar stands at the control's right edge: it is made again there.
        if (copy->scrollBar) {
            DestroyWindow(copy->scrollBar);
            copy->scrollBar = nullptr;
        }
        copy->SetViewAreas();
        copy->UpdateScrollBar();
        const RECT& margins = copy->defaults.properties.margins;
        const int scrollBar = copy->scrollBar ? GetSystemMetrics(SM_CXVSCROLL) : 0;
        PlaceRulerWindows(copy->tabRuler, session->frame, margins.left, margins.right + scrollBar);
        InvalidateRect(session->frame, nullptr, TRUE);
    }
    g_layingOut = nullptr;
}
