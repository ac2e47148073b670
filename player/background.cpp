// Painting the background window once into a screen-sized bitmap that later paints copy:
// a solid colour, a gradient, an image stretched or tiled, or an image chosen by the screen
// width, with an optional logo text or image.
#include "player.h"

#include "filefetch.h"
#include "filefind.h"
#include "qxbmp.h"
#include "qxgradient.h"

namespace {

RGBQUAD Quad(COLORREF colour)
{
    return RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
}

void PaintGradient(HDC dc, int kind, COLORREF start, COLORREF end, int w, int h)
{
    RGBQUAD a = Quad(start), b = Quad(end);
    switch (kind) {
    case 0: DrawVGradientBar(dc, a, b, 0, 0, w, h); break;
    case 5: DrawVGradientBar(dc, b, a, 0, 0, w, h); break;
    case 1: DrawGradientCircle(dc, a, b, 0, 0, w, h); break;
    case 3: DrawD1GradientBar(dc, a, b, 0, 0, w, h); break;
    case 8: DrawD1GradientBar(dc, b, a, 0, 0, w, h); break;
    case 6: DrawD2GradientBar(dc, a, b, 0, 0, w, h); break;
    case 7: DrawD2GradientBar(dc, b, a, 0, 0, w, h); break;
    case 4: DrawHGradientBar(dc, b, a, 0, 0, w, h); break;
    default: DrawHGradientBar(dc, a, b, 0, 0, w, h); break;
    }
}

// Fetches, locates and imports an image; false when it cannot be read.
bool ImportImage(KERNEL* kernel, const std::string& name, BMP& image)
{
    if (name.empty() || !kernel) return false;
    char local[500] = {};
    KernGetFileSync(kernel, name.c_str(), local);
    char located[500] = {};
    lstrcpynA(located, name.c_str(), sizeof located);
    KernFindFile(kernel, located, 0);
    return image.Import(*local ? local : located) == 0;
}

// The per-width image: upward from the screen width through the six widths, then downward.
bool ImportPerWidth(const PUBSETTINGS& s, BMP& image)
{
    int index = -1;
    for (int i = 0; i < QX_PERWIDTH_IMAGES; ++i)
        if (kPerWidthScreens[i] == ScreenWidth()) index = i;
    if (index < 0) return false;
    for (int i = index; i < QX_PERWIDTH_IMAGES; ++i)
        if (ImportImage(s.kernel, s.perWidthImages[i], image)) return true;
    for (int i = index; i >= 0; --i)
        if (ImportImage(s.kernel, s.perWidthImages[i], image)) return true;
    return false;
}

bool PaintImage(const PUBSETTINGS& s, HDC dc, int w, int h)
{
    BMP image;
    if (!ImportImage(s.kernel, s.imageFile, image)) return false;
    int iw = 0, ih = 0;
    image.GetWH(iw, ih);
    if (s.imagePos == 1 && iw > 0 && ih > 0) {
        for (int y = 0; y < h; y += ih)
            for (int x = 0; x < w; x += iw) image.Draw(dc, x, y, SRCCOPY, 0);
    } else {
        image.Draw(dc, 0, 0, w, h, SRCCOPY, 0);
    }
    return true;
}

// A logo lies over the background: its own transparent colour when the file carries one,
// else the colour of its top-left corner, which logo pictures keep as their surround.
void MakeLogoTransparent(BMP& image)
{
    if (!image.IsTransparentColor()) {
        unsigned long corner = 0;
        if (!image.GetPixelColor(0, 0, &corner)) return;
        image.SetTransparentColor(static_cast<COLORREF>(corner));
    }
    image.SetTransparentColorEnable(true);
}

void PaintLogo(const PUBSETTINGS& s, HDC dc, int w, int h)
{
    int x = 5, y = 5;
    if (s.logoType == 0) {
        HFONT font = CreateFontIndirectA(&s.logoFont);
        HGDIOBJ old = SelectObject(dc, font);
        SetTextColor(dc, s.logoColor);
        SetBkMode(dc, TRANSPARENT);
        SIZE size{};
        GetTextExtentPoint32A(dc, s.logoStr.c_str(), static_cast<int>(s.logoStr.size()), &size);
        PlaceByPosition(s.logoPos, x, y, size.cx + 5, size.cy + 5, w, h);
        TextOutA(dc, x, y, s.logoStr.c_str(), static_cast<int>(s.logoStr.size()));
        SelectObject(dc, old);
        DeleteObject(font);
        return;
    }
    BMP image;
    if (!ImportImage(s.kernel, s.logoStr, image)) return;
    int iw = 0, ih = 0;
    image.GetWH(iw, ih);
    PlaceByPosition(s.logoPos, x, y, iw + 5, ih + 5, w, h);
    MakeLogoTransparent(image);
    image.Draw(dc, x, y, SRCCOPY, 0);
}

}  // namespace

void PaintBackground(PUBSETTINGS& s, HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    const int w = client.right, h = client.bottom;
    HDC memory = CreateCompatibleDC(dc);
    if (s.background) {
        HGDIOBJ old = SelectObject(memory, s.background);
        BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        return;
    }
    s.background = CreateCompatibleBitmap(dc, w > 0 ? w : 1, h > 0 ? h : 1);
    HGDIOBJ old = SelectObject(memory, s.background);
    HCURSOR cursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    bool painted = true;
    switch (s.backgroundType) {
    case 1: {
        HBRUSH brush = CreateSolidBrush(s.startColor);
        FillRect(memory, &client, brush);
        DeleteObject(brush);
        break;
    }
    case 2:
        PaintGradient(memory, s.gradient, s.startColor, s.endColor, w, h);
        break;
    case 3:
        painted = PaintImage(s, memory, w, h);
        break;
    case 4: {
        BMP image;
        if (ImportPerWidth(s, image))
            image.Draw(memory, 0, 0, w, h, SRCCOPY, 0);
        else
            FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        break;
    }
    default:
        break;
    }
    if (s.showLogo) PaintLogo(s, memory, w, h);
    // A background that failed leaves the screen black, the logo with it.
    if (!painted) FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    SetCursor(cursor);
}
