// The looks of a button: the choice of look, the invisible, flat and three-dimensional
// styles, and the background captured from the objects behind the button.
#include "bouton_draw.h"

#include "bouton_pictures.h"
#include "kernel.h"
#include "kerntree.h"

#include <initializer_list>

namespace {

const COLORREF DarkGrey = RGB(100, 100, 100);
const COLORREF LightGrey = RGB(192, 192, 192);

// A device context to draw on: the one given, or the button's window's own.
class TARGETDC {
public:
    TARGETDC(BOUTON& b, HDC dc) : window_(dc ? nullptr : b.window), dc_(dc ? dc : GetDC(b.window)) {}
    ~TARGETDC()
    {
        if (window_)
            ReleaseDC(window_, dc_);
    }
    TARGETDC(const TARGETDC&) = delete;
    TARGETDC& operator=(const TARGETDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

void Line(HDC dc, COLORREF colour, std::initializer_list<POINT> points)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previous = SelectObject(dc, pen);
    bool first = true;
    for (const POINT& p : points) {
        if (first)
            MoveToEx(dc, p.x, p.y, nullptr);
        else
            LineTo(dc, p.x, p.y);
        first = false;
    }
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void FillLightGrey(HDC dc, int left, int top, int right, int bottom)
{
    HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ brush = SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    // Without an outline the fill stops one pixel short of right and bottom.
    Rectangle(dc, left, top, right, bottom);
    SelectObject(dc, brush);
    SelectObject(dc, pen);
}

void OuterBlackLines(HDC dc, int x, int y, int width, int height)
{
    Line(dc, RGB(0, 0, 0), {{x, y}, {x + width - 1, y}});
    Line(dc, RGB(0, 0, 0), {{x, y + height - 1}, {x + width - 1, y + height - 1}});
    Line(dc, RGB(0, 0, 0), {{x, y}, {x, y + height}});
    Line(dc, RGB(0, 0, 0), {{x + width - 1, y}, {x + width - 1, y + height}});
}

void DrawSunken(BOUTON& b, HDC dc, int x, int y, int width, int height)
{
    OuterBlackLines(dc, x, y, width, height);
    Line(dc, DarkGrey, {{x + 1, y + height - 2}, {x + 1, y + 1}, {x + width - 1, y + 1}});
    FillLightGrey(dc, x + 2, y + 2, x + width, y + height);
    DrawLabel(b, dc, BOUTON_LABEL_PRESSED, x, y, width, height);
    DrawVisitedMark(b, dc, x + 5, y + 5);
}

void DrawRaised(BOUTON& b, HDC dc, int x, int y, int width, int height)
{
    OuterBlackLines(dc, x, y, width, height);
    const COLORREF white = RGB(255, 255, 255);
    Line(dc, white, {{x + 1, y + height - 2}, {x + 1, y + 1}, {x + width - 1, y + 1}});
    Line(dc, white, {{x + 2, y + height - 3}, {x + 2, y + 2}, {x + width - 2, y + 2}});
    Line(dc, DarkGrey, {{x + 2, y + height - 3}, {x + width - 3, y + height - 3}, {x + width - 3, y + 2}});
    Line(dc, DarkGrey, {{x + 1, y + height - 2}, {x + width - 2, y + height - 2}, {x + width - 2, y + 1}});
    FillLightGrey(dc, x + 3, y + 3, x + width - 2, y + height - 2);
    DrawLabel(b, dc, BOUTON_LABEL_RELEASED, x, y, width, height);
    DrawVisitedMark(b, dc, x + 5, y + 5);
}

void DrawInvisible(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer)
{
    if (doubleBuffer) {
        HBITMAP behind = CaptureBackground(b, dc, width + 1, height + 1);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, behind);
        BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(behind);
    }
    if (b.outlineMarker) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
        HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(255, 0, 0));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, hatch);
        const int mode = SetBkMode(dc, TRANSPARENT);
        Rectangle(dc, x, y, x + width, y + height);
        SetBkMode(dc, mode);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(hatch);
        DeleteObject(pen);
    }
    DrawVisitedMark(b, dc, x, y);
}

void DrawFlat(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer, int labelState)
{
    HBRUSH brush = b.background.flag ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                                     : CreateSolidBrush(b.background.Rgb());
    HDC target = dc;
    HDC memory = nullptr;
    HBITMAP canvas = nullptr;
    HGDIOBJ previousCanvas = nullptr;
    int left = x, top = y;
    if (doubleBuffer) {
        memory = CreateCompatibleDC(dc);
        canvas = b.background.flag ? CaptureBackground(b, dc, width, height) : CreateCompatibleBitmap(dc, width, height);
        previousCanvas = SelectObject(memory, canvas);
        target = memory;
        left = 0;
        top = 0;
    }
    const bool noBorder = b.border.flag || b.borderThickness < 1;
    const int t = noBorder ? 0 : b.borderThickness;
    HPEN pen = noBorder ? static_cast<HPEN>(GetStockObject(NULL_PEN)) : CreatePen(PS_SOLID, t, b.border.Rgb());
    HGDIOBJ oldPen = SelectObject(target, pen);
    HGDIOBJ oldBrush = SelectObject(target, brush);
    const int half = t / 2, odd = (t + 1) % 2;
    Rectangle(target, left + half, top + half, left + width + odd - half, top + height + odd - half);
    SelectObject(target, oldBrush);
    SelectObject(target, oldPen);
    DrawLabel(b, target, labelState, left, top, width, height);
    DrawVisitedMark(b, target, left + half + 5, top + half + 5);
    if (doubleBuffer) {
        BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previousCanvas);
        DeleteObject(canvas);
        DeleteDC(memory);
    }
    if (!noBorder)
        DeleteObject(pen);
    if (!b.background.flag)
        DeleteObject(brush);
}

}  // namespace

// The pressed and released looks of each style differ only in the part each style draws.
static void DrawState(BOUTON& b, HDC given, int x, int y, int width, int height, bool doubleBuffer, bool pressed)
{
    TARGETDC dc(b, given);
    switch (b.style) {
    case BOUTON_STYLE_INVISIBLE:
        DrawInvisible(b, dc, x, y, width, height, doubleBuffer);
        break;
    case BOUTON_STYLE_FLAT:
        DrawFlat(b, dc, x, y, width, height, doubleBuffer, pressed ? BOUTON_LABEL_PRESSED : BOUTON_LABEL_RELEASED);
        break;
    case BOUTON_STYLE_3D:
        if (pressed)
            DrawSunken(b, dc, x, y, width, height);
        else
            DrawRaised(b, dc, x, y, width, height);
        break;
    case BOUTON_STYLE_BITMAP:
        if (pressed)
            DrawPressedPicture(b, dc, x, y, width, height, doubleBuffer);
        else
            DrawReleasedPicture(b, dc, x, y, width, height, doubleBuffer);
        break;
    default:
        break;
    }
}

void DrawPressed(BOUTON& b, HDC given, int x, int y, int width, int height, bool doubleBuffer)
{
    DrawState(b, given, x, y, width, height, doubleBuffer, true);
}

void DrawReleased(BOUTON& b, HDC given, int x, int y, int width, int height, bool doubleBuffer)
{
    DrawState(b, given, x, y, width, height, doubleBuffer, false);
}

void DrawOver(BOUTON& b, HDC given, int x, int y, int width, int height, bool doubleBuffer)
{
    TARGETDC dc(b, given);
    DrawOverPicture(b, dc, x, y, width, height, doubleBuffer);
}

void DrawButton(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer)
{
    // A held button inside its area shows the opposite of its checked state.
    const bool pressed = b.held ? (b.highlighted != 0) != (b.checked != 0) : b.checked != 0;
    if (!b.held && b.highlighted && !b.checked && b.style == BOUTON_STYLE_BITMAP)
        DrawOver(b, dc, x, y, width, height, doubleBuffer);
    else if (pressed)
        DrawPressed(b, dc, x, y, width, height, doubleBuffer);
    else
        DrawReleased(b, dc, x, y, width, height, doubleBuffer);
}

HBITMAP CaptureBackground(BOUTON& b, HDC dc, int width, int height)
{
    RECT screen{0, 0, width, height};
    if (!b.dialogCopy && b.window) {
        GetWindowRect(b.window, &screen);
        if (b.selected)
            InflateRect(&screen, -GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME));
        width = screen.right - screen.left + 1;
        height = screen.bottom - screen.top + 1;
    }
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    FillLightGrey(memory, 0, 0, width, height);
    if (!b.dialogCopy && b.window) {
        KERNDRAW request{screen, memory};
        KernBroadCastToObjet(b.kernel, KernGetTopParentObjet(b.kernel, &b), KM_PAINTTO,
                             reinterpret_cast<WPARAM>(b.window), reinterpret_cast<LPARAM>(&request));
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    return bitmap;
}
