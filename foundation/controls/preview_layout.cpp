// Where a preview goes on its dialog, and the room the dialog makes for it.
#include "preview_parts.h"

namespace {

constexpr int Margin = 7;

SIZE ClientSize(HWND dialog)
{
    RECT client{};
    GetClientRect(dialog, &client);
    return SIZE{client.right, client.bottom};
}

// Grows or shrinks the window so that its client area gets the new size.
void SetClientSize(HWND dialog, SIZE now, SIZE wanted)
{
    RECT frame{};
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + wanted.cx - now.cx,
                 frame.bottom - frame.top + wanted.cy - now.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool PlacePreviewArea(HWND dialog, char placement, const RECT& rect, RECT* area)
{
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    const SIZE before = ClientSize(dialog);
    SIZE after = before;
    switch (placement) {
    case QXPREVIEW_AT_RECT:
        *area = rect;
        return true;
    case QXPREVIEW_BELOW_LEFT:
    case QXPREVIEW_BELOW_CENTRE:
    case QXPREVIEW_BELOW_RIGHT: {
        if (after.cx < width + 2 * Margin)
            after.cx = width + 2 * Margin;
        after.cy += height + Margin;
        const LONG left = placement == QXPREVIEW_BELOW_LEFT     ? Margin
                          : placement == QXPREVIEW_BELOW_CENTRE ? (after.cx - width) / 2
                                                                : after.cx - Margin - width;
        *area = RECT{left, before.cy, left + width, before.cy + height};
        break;
    }
    case QXPREVIEW_RIGHT:
        after.cx += width + 2 * Margin;
        if (after.cy < height + 2 * Margin)
            after.cy = height + 2 * Margin;
        *area = RECT{before.cx + Margin, Margin, before.cx + Margin + width, Margin + height};
        break;
    default:
        return false;
    }
    SetClientSize(dialog, before, after);
    return true;
}
