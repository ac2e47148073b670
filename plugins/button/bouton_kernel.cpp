// The kernel messages a button answers: showing (pictures, window, check state, branch
// timers, creation-mode outline), extent changes, drawing into another object's device
// context, areas that changed, arriving files and enabling.
#include "bouton.h"

#include "bouton_draw.h"
#include "bouton_font.h"
#include "branch.h"
#include "filefetch.h"
#include "kernel.h"
#include "kerntree.h"
#include "objgeometry.h"

#include <initializer_list>

namespace {

// The window's rectangle on the screen, less the frame while selected.
RECT ScreenRectangle(BOUTON& b)
{
    RECT rect{};
    GetWindowRect(b.window, &rect);
    if (b.selected)
        InflateRect(&rect, -GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME));
    return rect;
}

bool Meets(const RECT& a, const RECT& b)
{
    RECT common;
    return IntersectRect(&common, &a, &b) != 0;
}

}  // namespace

int BOUTON::PreparePicture(int image)
{
    BUTBITMAP& p = Picture(image);
    if (localCopies[image].length() == 0)
        return 0;
    // The bitmap object keeps the transparency of the picture it held before: what it reports
    // after the import must be the new picture's own.
    p.bmp.SetTransparentColorEnable(false);
    p.bmp.SetTransparentColor(0);
    if (p.bmp.Import(localCopies[image]) != 0)
        return 0;
    if (image == BOUTON_IMAGE_MASK)
        return 1;
    p.ownTransparent = static_cast<BYTE>(p.bmp.IsTransparentColor() ? 1 : 0);
    p.ownTransparentColour = p.bmp.GetTransparentColor();
    p.bmp.GetWH(p.width, p.height);
    if (p.cropWidth == 0 && p.cropHeight == 0) {
        p.cropWidth = p.width;
        p.cropHeight = p.height;
    }
    if (p.rotation)
        p.bmp.Rotate(p.rotation, 1);
    if (p.flipVertical)
        p.bmp.FlipVertical();
    if (p.flipHorizontal)
        p.bmp.FlipHorizontal();
    p.bmp.SetCrop(p.cropX, p.cropY, p.cropX + p.cropWidth, p.cropY + p.cropHeight);
    if (p.transparentEnable) {
        p.bmp.SetTransparentColor(p.transparentColour);
        p.bmp.SetTransparentColorEnable(true);
    }
    return 1;
}

void BOUTON::LoadPictures()
{
    for (int image : {BOUTON_IMAGE_RELEASED, BOUTON_IMAGE_MASK, BOUTON_IMAGE_OVER, BOUTON_IMAGE_PRESSED}) {
        if (imageNames[image].length() == 0)
            continue;
        if (localCopies[image].length() > 0) {
            PreparePicture(image);
        } else {
            GETFILE_STRUCT request;
            request.object = this;
            KernGetFile(kernel, imageNames[image], QX_FETCH_BACKGROUND, 0, nullptr, &request, nullptr, nullptr);
        }
    }
}

void BOUTON::ArmBranchTimers()
{
    for (int i = 0; i < GetBranchItems(); ++i) {
        if (GetBranch(i)->delay != 0.0)
            KernAddBranchTimer(kernel, GetBranch(i));
    }
}

void BOUTON::Enable(bool on)
{
    if (on) {
        if (style == BOUTON_STYLE_INVISIBLE && window && !IsWindowVisible(window))
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
        return;
    }
    for (int image = 0; image < BOUTON_IMAGES; ++image)
        DropPicture(image);
    if (style == BOUTON_STYLE_INVISIBLE && window && IsWindowVisible(window))
        ShowWindow(window, SW_HIDE);
}

LRESULT BOUTON::DrawInto(const MSGL& msg)
{
    if (window && reinterpret_cast<HWND>(msg.wParam) == window)
        return 1;
    const auto* request = reinterpret_cast<const KERNDRAW*>(msg.lParam);
    if (delayTimer || !window || !request)
        return 0;
    const RECT mine = ScreenRectangle(*this);
    if (Meets(mine, request->page))
        DrawButton(*this, request->dc, mine.left - request->page.left, mine.top - request->page.top,
                   mine.right - mine.left, mine.bottom - mine.top, false);
    return 0;
}

LRESULT BOUTON::FileArrived(const MSGL& msg)
{
    const auto* record = reinterpret_cast<const GETFILE_STRUCT*>(msg.lParam);
    if (!record)
        return 1;
    for (int image = 0; image < BOUTON_IMAGES; ++image) {
        if (imageNames[image].length() == 0 || lstrcmpiA(imageNames[image], record->source) != 0)
            continue;
        if (msg.wParam == QX_FILE_ARRIVED) {
            localCopies[image] = record->localFile;
            if (image != BOUTON_IMAGE_MASK)
                paintThrough = 1;
        } else {
            localCopies[image] = "";
        }
    }
    if (msg.wParam == QX_FILE_ARRIVED)
        Repaint();
    return 0;
}

LRESULT BOUTON::KernelMessage(MSGL* msg)
{
    switch (msg->message) {
    case KM_SHOWN: {
        UpdateInvisibility();
        if (style == BOUTON_STYLE_BITMAP)
            LoadPictures();
        if (!window) {
            window = KernCreateObjetWindow(kernel, this, x, y, w, h, BOUTON_HELP_PAGE);
            if (window) {
                SetWindowTextA(window, BOUTON_WINDOW_TEXT);
                ShowWindow(window, SW_SHOWNA);
            }
            checked = initiallyChecked != 0;
        }
        if (showDelay == 0.0)
            ArmBranchTimers();
        const int marker = (msg->mode & QX_MODE_EDIT_BIT) ? 2 : 0;
        if (marker != outlineMarker && style == BOUTON_STYLE_INVISIBLE) {
            outlineMarker = marker;
            Repaint();
        }
        outlineMarker = marker;
        break;
    }
    case KM_EXTENT: {
        OBJET* root = KernGetTopParentObjet(kernel, this);
        if (root && root->sizeDep) {
            UnitsFromPixels(this);
        } else {
            PixelsFromUnits(this);
            MoveToRectangle();
            font.lfHeight = static_cast<LONG>(-(fontHeight + 0.5) / UnitsPerPixelY(kernel));
            font.lfWidth = 0;
        }
        break;
    }
    case KM_PAINTTO:
        return DrawInto(*msg);
    case BOUTON_KM_AREACHANGED:
        if (window && reinterpret_cast<HWND>(msg->wParam) != window && ShowsPageThrough() && msg->lParam) {
            const auto* areas = reinterpret_cast<const RECT*>(msg->lParam);
            const RECT mine = ScreenRectangle(*this);
            if (Meets(mine, areas[0]) || Meets(mine, areas[1]))
                Repaint();
        }
        break;
    case KM_FILEREADY:
        return FileArrived(*msg);
    case KM_ENABLE:
        Enable(msg->wParam != 0);
        break;
    case KM_RELINK:
        if (window && showDelay != 0.0 && !delayPending && !delayTimer)
            ArmBranchTimers();
        break;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
        if (style == BOUTON_STYLE_BITMAP &&
            (msg->message == WM_QUERYNEWPALETTE || reinterpret_cast<HWND>(msg->wParam) != window))
            Repaint();
        break;
    default:
        break;
    }
    return OBJET::KernelMessage(msg);
}
