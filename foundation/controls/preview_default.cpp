// What a preview does for a callback code that its callback leaves to the library: images are
// drawn scaled to fit the pane, media go through the media preview of the process.
#include "preview_parts.h"

#include "qxbmp.h"
#include "qxutil.h"

int QXPREVIEW::DefaultCallback(char code, HANDLE handle, const RECT* rect)
{
    if (!filename.length())
        return 0;
    switch (code) {
    case QXPREVIEW_END:
        CloseMediaPreview();
        return 1;
    case QXPREVIEW_PAINT:
        if (rect) {
            // A preview with a play button shows media; any other shows an image.
            if (hwndPlay)
                DrawMediaFrame(static_cast<HDC>(handle), *rect);
            else
                DrawImageFile(static_cast<HDC>(handle), *rect);
        }
        return 1;
    case QXPREVIEW_PLAY_PRESSED:
        PlayMedia();
        return 1;
    case QXPREVIEW_STOP_PRESSED:
        StopMedia();
        return 1;
    default:
        return 0;
    }
}

int QXPREVIEW::DrawImageFile(HDC dc, const RECT& rect)
{
    BMP picture;
    int width = 0, height = 0;
    if (picture.Import(filename) != 0 || !picture.GetWH(width, height))
        return 0;
    // Shrunk to fit when larger than the pane, never enlarged; centred either way.
    const RECT content{0, 0, width, height};
    RECT fitted{};
    StretchRectToFit(&fitted, &rect, &content, 0);
    return picture.Draw(dc, fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top, SRCCOPY,
                        0);
}
