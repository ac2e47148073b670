// GenerateThumbnail: the first picture of a media file written as a small 8-bit image file.
#include "flc.h"

#include "flic_player.h"
#include "qxbmp.h"
#include "qxdib.h"
#include "qxmedia.h"
#include "qxplugin.h"

#include <mmsystem.h>
#include <digitalv.h>

namespace {

// A FLIC is drawn by the module's own player: its first frame stretched over the picture.
bool DrawFlic(HDC dc, const char* media, int width, int height)
{
    if (FLC::KindOfName(media) != FLC_KIND_FLIC)
        return false;
    FlicPlayer player;
    if (player.Open(media, FLIC_NO_WINDOW, 0, 0) != FLIC_OPENED)
        return true;  // nothing else would read it better
    player.SetStretch(true);
    player.Place(0, 0, width, height);
    player.Rewind(dc);
    return true;
}

bool DrawServed(HDC dc, const char* media, int width, int height)
{
    const RECT area{0, 0, width, height};
    CMedia* served = OpenServerMedia(nullptr, media, &area);
    if (!served)
        return false;
    served->DrawCurrentPosToDC(dc, 0, 0, width, height);
    delete served;
    return true;
}

// What MCI cannot open leaves the picture unpainted.
void DrawThroughMci(HDC dc, const char* media, int width, int height)
{
    const QXSTRING alias = NewMciAlias();
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = media;
    open.lpstrAlias = const_cast<char*>(static_cast<const char*>(alias));
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)))
        return;
    MCI_DGV_PUT_PARMS put{};
    put.rc = RECT{0, 0, width, height};
    mciSendCommandA(open.wDeviceID, MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&put));
    MCI_DGV_UPDATE_PARMS update{};
    update.hDC = dc;
    update.rc = put.rc;
    mciSendCommandA(open.wDeviceID, MCI_UPDATE, MCI_DGV_UPDATE_HDC | MCI_DGV_RECT | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&update));
    mciSendCommandA(open.wDeviceID, MCI_CLOSE, MCI_WAIT, 0);
}

bool WriteEightBits(HBITMAP bitmap, const char* image)
{
    const HANDLE dib = _BitmapToDIB(bitmap, nullptr);
    if (!dib)
        return false;
    BMP picture;
    const bool pasted = picture.Paste(static_cast<HGLOBAL>(dib)) == 0;
    _DestroyDIB(dib);
    return pasted && picture.DemoteTo8Bits() == 0 && picture.Export(image, BMP_FORMAT_BMP, 8) == 0;
}

}  // namespace

// 1 only when the image file was written: a failed write is reported, not passed off as a
// thumbnail.
QXPLUGIN_EXPORT int GenerateThumbnail(const char* media, const char* image, int width, int height)
{
    if (!media || !image || width <= 0 || height <= 0)
        return 0;
    try {
        const HDC screen = GetDC(nullptr);
        const HDC memory = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        if (!DrawFlic(memory, media, width, height) && !DrawServed(memory, media, width, height))
            DrawThroughMci(memory, media, width, height);
        SelectObject(memory, old);
        DeleteDC(memory);
        const bool written = WriteEightBits(bitmap, image);
        DeleteObject(bitmap);
        return written ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
