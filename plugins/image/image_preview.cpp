// The preview window "IMGSAMPWIND" of the settings dialog: the chosen picture, fetched and
// decoded with the copy's settings, with its size and number of colours beside it.
#include "image_dialog.h"

#include "filefetch.h"
#include "image_fit.h"
#include "imageres.h"
#include "kernel.h"
#include "kerntree.h"
#include "objgeometry.h"

#include <cstdio>
#include <initializer_list>

namespace {

constexpr const char* PreviewClass = "IMGSAMPWIND";
constexpr int PreviewExtraBytes = 40;
constexpr int FrameInset = 2;

IMAGE* CopyOf(HWND preview) { return reinterpret_cast<IMAGE*>(GetWindowLongPtrA(preview, 0)); }

// 2 to the power of the bits per pixel: plainly up to 999, then in thousands and millions.
void ShowColourCount(HWND dialog, int bitsPerPixel)
{
    const unsigned long long colours = bitsPerPixel > 0 && bitsPerPixel < 64 ? 1ULL << bitsPerPixel : 0;
    char text[32];
    if (colours <= 999)
        std::snprintf(text, sizeof text, "%d", static_cast<int>(colours));
    else if (colours <= 999999)
        std::snprintf(text, sizeof text, "%-3dK", static_cast<int>(colours / 1000));
    else
        std::snprintf(text, sizeof text, "%-3dM", static_cast<int>(colours / 1000000));
    SetDlgItemTextA(dialog, IDC_IMAGE_COLOURS, text);
}

// A new picture takes its own size, reduced to fit the page, and is centred on the page.
void PlaceNewPicture(IMAGE* copy, int width, int height)
{
    OBJET* top = KernGetTopParentObjet(copy->GetKernel(), copy->GetParent());
    if (!top || width <= 0 || height <= 0)
        return;
    RECT page{0, 0, top->w, top->h};
    if (top->window)
        GetClientRect(top->window, &page);
    const int pageW = page.right - page.left, pageH = page.bottom - page.top;
    RECT placed;
    if (width > pageW || height > pageH) {
        placed = FitKeepingRatio(0, 0, pageW, pageH, width, height);
    } else {
        const int left = (pageW - width) / 2, topEdge = (pageH - height) / 2;
        placed = RECT{left, topEdge, left + width, topEdge + height};
    }
    copy->OBJET::SetXYWH(placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top);
    UnitsFromPixels(copy);
}

void DrawPicture(HWND preview, IMAGE* copy, BMP& picture, HDC dc, const RECT& area)
{
    int width = 0, height = 0;
    picture.GetWH(width, height);
    const int areaW = area.right - area.left, areaH = area.bottom - area.top;
    const RECT at = copy->keepRatio ? FitKeepingRatio(0, 0, areaW, areaH, width, height) : area;
    if (!copy->effectId) {
        picture.Draw(dc, at.left, at.top, at.right - at.left, at.bottom - at.top, SRCCOPY, 0);
        return;
    }
    // The appearance effect reveals a finished image of the whole area.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP image = CreateCompatibleBitmap(dc, areaW, areaH);
    const HGDIOBJ old = SelectObject(memory, image);
    FillRect(memory, &area, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    picture.Draw(memory, at.left, at.top, at.right - at.left, at.bottom - at.top, SRCCOPY, 0);
    SelectObject(memory, old);
    if (copy->DrawEffect(preview, dc, 0, 0, areaW, areaH, image, nullptr, SRCCOPY, 0) == -1)
        picture.Draw(dc, at.left, at.top, at.right - at.left, at.bottom - at.top, SRCCOPY, 0);
    DeleteObject(image);
    DeleteDC(memory);
}

void Paint(HWND preview, HDC dc)
{
    RECT area;
    GetClientRect(preview, &area);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    IMAGE* copy = CopyOf(preview);
    if (!copy || !copy->dialogFileName.length())
        return;
    const HWND dialog = GetParent(preview);
    for (int id : {IDC_IMAGE_WIDTH, IDC_IMAGE_HEIGHT, IDC_IMAGE_COLOURS})
        SetDlgItemTextA(dialog, id, "");
    GETFILE_STRUCT request;
    KernGetFile(copy->GetKernel(), copy->dialogFileName, QX_FETCH_SYNC, 0, preview, &request, nullptr, nullptr);
    if (!request.localFile.length())
        return;
    copy->localPath = request.localFile;
    BMP picture;
    copy->DecodePicture(&picture);
    int width = 0, height = 0;
    picture.GetWH(width, height);
    if (width <= 0 || height <= 0)
        return;
    if (copy->newPicture)
        PlaceNewPicture(copy, width, height);
    if (!IsDlgButtonChecked(dialog, IDC_IMAGE_PREVIEW_ON))
        return;
    SetDlgItemInt(dialog, IDC_IMAGE_WIDTH, static_cast<UINT>(copy->fileWidth), FALSE);
    SetDlgItemInt(dialog, IDC_IMAGE_HEIGHT, static_cast<UINT>(copy->fileHeight), FALSE);
    int bitsPerPixel = 0;
    picture.GetBPP(bitsPerPixel);
    ShowColourCount(dialog, bitsPerPixel);
    DrawPicture(preview, copy, picture, dc, area);
}

LRESULT CALLBACK PreviewProc(HWND preview, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(preview, &paint);
        Paint(preview, dc);
        EndPaint(preview, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(preview, reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return DefWindowProcA(preview, message, wParam, lParam);
    }
}

}  // namespace

void RegisterPreviewClass(HINSTANCE module)
{
    WNDCLASSA preview{};
    preview.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    preview.lpfnWndProc = PreviewProc;
    preview.cbWndExtra = PreviewExtraBytes;
    preview.hInstance = module;
    preview.hCursor = LoadCursor(nullptr, IDC_ARROW);
    preview.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    preview.lpszClassName = PreviewClass;
    RegisterClassA(&preview);
}

void UnregisterPreviewClass(HINSTANCE module) { UnregisterClassA(PreviewClass, module); }

HWND CreatePreview(HWND dialog, int frameId, int previewId, IMAGE* copy)
{
    const HWND frame = GetDlgItem(dialog, frameId);
    if (!frame)
        return nullptr;
    RECT inside;
    GetWindowRect(frame, &inside);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&inside), 2);
    InflateRect(&inside, -FrameInset, -FrameInset);
    const HWND preview = CreateWindowExA(0, PreviewClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, inside.left,
                                         inside.top, inside.right - inside.left, inside.bottom - inside.top, dialog,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(previewId)), ImageModule(),
                                         nullptr);
    if (preview)
        SetWindowLongPtrA(preview, 0, reinterpret_cast<LONG_PTR>(copy));
    return preview;
}
