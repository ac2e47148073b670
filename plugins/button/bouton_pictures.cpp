// Drawing the pictures of the bitmap style. A picture imported for one drawing only is
// cleared again afterwards; pictures loaded by the state message stay.
#include "bouton_pictures.h"

#include "bouton_draw.h"
#include "filefetch.h"

namespace {

// Makes a slot's picture ready: 1 when this drawing imported it (and must clear it).
bool MakeReady(BOUTON& b, int image)
{
    if (b.dialogCopy || b.imageNames[image].length() == 0 || b.Picture(image).Loaded())
        return false;
    if (b.localCopies[image].length() == 0) {
        // Drawn when the file arrives.
        GETFILE_STRUCT request;
        request.object = &b;
        KernGetFile(b.kernel, b.imageNames[image], QX_FETCH_BACKGROUND, 0, nullptr, &request, nullptr, nullptr);
        return false;
    }
    return b.PreparePicture(image) != 0;
}

// A memory canvas of the area's size, selected into its own device context.
class CANVAS {
public:
    CANVAS(HDC dc, HBITMAP bitmap) : dc_(CreateCompatibleDC(dc)), bitmap_(bitmap), previous_(SelectObject(dc_, bitmap)) {}
    ~CANVAS()
    {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    CANVAS(const CANVAS&) = delete;
    CANVAS& operator=(const CANVAS&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

void DrawBackgroundOnly(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer)
{
    if (!doubleBuffer)
        return;
    CANVAS behind(dc, CaptureBackground(b, dc, width, height));
    BitBlt(dc, x, y, width, height, behind, 0, 0, SRCCOPY);
}

void DrawPicture(BOUTON& b, BUTBITMAP& picture, HDC dc, int x, int y, int width, int height, bool doubleBuffer)
{
    BUTBITMAP& mask = b.maskImage;
    if (mask.Loaded()) {
        if (doubleBuffer) {
            CANVAS canvas(dc, CaptureBackground(b, dc, width, height));
            mask.bmp.Draw(canvas, 0, 0, width, height, SRCAND, 0);
            picture.bmp.Draw(canvas, 0, 0, width, height, SRCPAINT, 0);
            BitBlt(dc, x, y, width, height, canvas, 0, 0, SRCCOPY);
        } else {
            HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
            mask.bmp.Draw(dc, x, y, width, height, SRCAND, 0);
            picture.bmp.Draw(dc, x, y, width, height, SRCPAINT, 0);
            SelectObject(dc, brush);
        }
        return;
    }
    if (picture.bmp.IsTransparentColor() && !b.dialogCopy && doubleBuffer) {
        CANVAS canvas(dc, CreateCompatibleBitmap(dc, width, height));
        b.DrawWindowBackground(canvas);
        picture.bmp.Draw(canvas, 0, 0, width, height, SRCCOPY, 0);
        BitBlt(dc, x, y, width, height, canvas, 0, 0, SRCCOPY);
        return;
    }
    picture.bmp.Draw(dc, x, y, width, height, SRCCOPY, 0);
}

// One state picture with the label and the visited stamp.
void DrawState(BOUTON& b, int image, int labelState, HDC dc, int x, int y, int width, int height, bool doubleBuffer)
{
    BUTBITMAP& picture = b.Picture(image);
    const bool importedMask = MakeReady(b, BOUTON_IMAGE_MASK);
    const bool imported = MakeReady(b, image);
    if (picture.Loaded())
        DrawPicture(b, picture, dc, x, y, width, height, doubleBuffer);
    DrawLabel(b, dc, labelState, x, y, width, height);
    DrawVisitedMark(b, dc, x + 5, y + 5);
    if (imported)
        picture.bmp.Clear();
    if (importedMask)
        b.maskImage.bmp.Clear();
}

}  // namespace

void DrawReleasedPicture(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer)
{
    // The pressed picture is made ready now so that it is at hand for the next press.
    MakeReady(b, BOUTON_IMAGE_PRESSED);
    if (b.imageNames[BOUTON_IMAGE_RELEASED].length() == 0) {
        DrawBackgroundOnly(b, dc, x, y, width, height, doubleBuffer);
        DrawLabel(b, dc, BOUTON_LABEL_RELEASED, x, y, width, height);
        return;
    }
    DrawState(b, BOUTON_IMAGE_RELEASED, BOUTON_LABEL_RELEASED, dc, x, y, width, height, doubleBuffer);
}

void DrawPressedPicture(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer)
{
    const bool imported = MakeReady(b, BOUTON_IMAGE_PRESSED);
    if (!b.pressedImage.Loaded()) {
        DrawReleasedPicture(b, dc, x, y, width, height, doubleBuffer);
        return;
    }
    DrawState(b, BOUTON_IMAGE_PRESSED, BOUTON_LABEL_PRESSED, dc, x, y, width, height, doubleBuffer);
    if (imported)
        b.pressedImage.bmp.Clear();
}

void DrawOverPicture(BOUTON& b, HDC dc, int x, int y, int width, int height, bool doubleBuffer)
{
    DrawState(b, BOUTON_IMAGE_OVER, BOUTON_LABEL_RELEASED, dc, x, y, width, height, doubleBuffer);
}
