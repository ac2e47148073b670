// Fetching, decoding and painting the picture.
#include "image.h"

#include "filefetch.h"
#include "image_fit.h"

namespace {

bool FileExists(const char* name) { return name && *name && GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

class WAITCURSOR {
public:
    WAITCURSOR() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WAITCURSOR() { SetCursor(previous_); }

private:
    HCURSOR previous_;
};

}  // namespace

void IMAGE::DecodePicture(BMP* into)
{
    WAITCURSOR wait;
    if (!FileExists(localPath) || into->Import(localPath) != 0)
        return;
    fileTransparent = into->IsTransparentColor();
    fileTransparentColour = into->GetTransparentColor();
    into->GetWH(fileWidth, fileHeight);
    into->Rotate(rotation, 0);
    if (flipVertical)
        into->FlipVertical();
    if (flipHorizontal)
        into->FlipHorizontal();
    int width = 0, height = 0;
    into->GetWH(width, height);
    if (crop[2] == 0 && crop[3] == 0) {
        // The first load: the whole picture, with the file's own transparency.
        crop[2] = width;
        crop[3] = height;
        if (fileTransparent) {
            transparent = 1;
            transparentColour = fileTransparentColour;
        }
    }
    if (crop[2] > width)
        crop[2] = width;
    if (crop[3] > height)
        crop[3] = height;
    if (crop[0] < 0)
        crop[0] = 0;
    if (crop[1] < 0)
        crop[1] = 0;
    into->SetCrop(crop[0], crop[1], crop[2], crop[3]);
    into->SetTransparentColorEnable(transparent != 0);
    into->SetTransparentColor(transparentColour);
    HDC screen = GetDC(window);
    if (GetDeviceCaps(screen, SIZEPALETTE))
        into->DemoteTo8Bits();
    ReleaseDC(window, screen);
}

int IMAGE::LoadPicture()
{
    if (!fileName.length()) {
        SetInvisibility(1);
        return 0;
    }
    if (!localPath.length()) {
        GETFILE_STRUCT request;
        request.object = this;
        KernGetFile(kernel, fileName, QX_FETCH_BACKGROUND, 0, nullptr, &request, nullptr, nullptr);
        if (!(request.state == QX_REQUEST_LOCAL && FileExists(request.localFile)))
            SetInvisibility(1);
        return 1;
    }
    BMP* decoded = new BMP;
    if (!decoded)
        return 0;
    DecodePicture(decoded);
    FreePicture();
    picture = decoded;
    return 0;
}

void IMAGE::Paint(BMP* from, HDC dc, int atX, int atY, bool offScreen)
{
    int width = 0, height = 0;
    from->GetWH(width, height);
    if (width <= 0 || height <= 0 || w <= 0 || h <= 0)
        return;
    const bool background = offScreen && (keepRatio || transparent);
    HDC target = dc;
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    int drawX = atX, drawY = atY;
    if (background) {
        // What lies beneath shows around a fitted picture and through its transparent colour.
        memory = CreateCompatibleDC(dc);
        bitmap = CreateCompatibleBitmap(dc, w, h);
        old = SelectObject(memory, bitmap);
        DrawWindowBackground(memory);
        target = memory;
        drawX = 0;
        drawY = 0;
    }
    const RECT area = keepRatio ? FitKeepingRatio(drawX, drawY, w, h, width, height)
                                : RECT{drawX, drawY, drawX + w, drawY + h};
    from->Draw(target, area.left, area.top, area.right - area.left, area.bottom - area.top, SRCCOPY, 0);
    if (background) {
        BitBlt(dc, atX, atY, w, h, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
}

void IMAGE::PaintFromFile(HDC dc, int atX, int atY, bool offScreen)
{
    bool fetchedHere = false;
    if (!localPath.length()) {
        GETFILE_STRUCT request;
        KernGetFile(kernel, fileName, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
        if (!FileExists(request.localFile))
            return;
        localPath = request.localFile;
        fetchedHere = true;
    }
    BMP* once = new BMP;
    if (once) {
        DecodePicture(once);
        Paint(once, dc, atX, atY, offScreen);
        delete once;
    }
    if (fetchedHere)
        localPath = "";
}
