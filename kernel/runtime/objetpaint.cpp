// WM_PAINT of object windows: an object with a transition effect is drawn into a bitmap
// once and handed to its effect module; afterwards, and without effect, it paints itself.
#include "objetpaint.h"

#include "kernel.h"
#include "kerntree.h"
#include "objet.h"
#include "../authoring/authoring.h"

namespace {

// The object's window minus its visible children, selected into the device context; the
// caller deletes the region.
HRGN ClipToOwnArea(KERNEL* kernel, OBJET* object, HDC dc, const RECT& area)
{
    HRGN region = KernClipChildrenRgn(kernel, object, CreateRectRgnIndirect(&area));
    SelectClipRgn(dc, region);
    return region;
}

LRESULT PaintInto(OBJET* object, MSGL* msg, HDC dc)
{
    MSGL paint = *msg;
    paint.wParam = reinterpret_cast<WPARAM>(dc);
    return object->WindowsMessage(&paint);
}

bool PlaysEffect(KERNEL* kernel, OBJET* object)
{
    return object->fileWait == 0 && object->paintThrough == 1 && object->effectId != 0 && object->effectPending &&
           object->shown && kernel->drawEffects;
}

LRESULT PaintWithEffect(KERNEL* kernel, OBJET* object, MSGL* msg, HDC dc)
{
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP image = CreateCompatibleBitmap(dc, object->w, object->h);
    const HGDIOBJ before = SelectObject(memory, image);
    LRESULT answer = PaintInto(object, msg, memory);
    SelectObject(memory, before);
    const RECT whole = {0, 0, object->w, object->h};
    HRGN region = object->showDelay != 0.0 ? ClipToOwnArea(kernel, object, dc, whole) : nullptr;
    if (object->DrawEffect(msg->window, dc, 0, 0, object->w, object->h, image, nullptr, SRCCOPY, 0) == -1)
        answer = PaintInto(object, msg, dc);
    DeleteObject(image);
    DeleteDC(memory);
    if (region)
        DeleteObject(region);
    SetCursor(previous);
    object->effectPending = 0;
    return answer;
}

}  // namespace

LRESULT KernPaintObjet(KERNEL* kernel, OBJET* object, MSGL* msg)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(msg->window, &paint);
    RECT clip;
    GetClipBox(dc, &clip);
    if (clip.right < 1 || clip.bottom < 1 || object->delayTimer) {
        EndPaint(msg->window, &paint);
        return 0;
    }
    if (!object->paintThrough) {
        object->DrawWindowBackground(dc);
        EndPaint(msg->window, &paint);
        return 0;
    }
    LRESULT answer;
    if (kernel->mode != QX_MODE_PRESENTATION) {
        HRGN region = ClipToOwnArea(kernel, object, dc, clip);
        kernel->clipRgn = region;
        answer = PaintInto(object, msg, dc);
        KernDrawGrid(kernel, object, dc, clip);
        kernel->clipRgn = nullptr;
        DeleteObject(region);
    } else if (PlaysEffect(kernel, object)) {
        answer = PaintWithEffect(kernel, object, msg, dc);
    } else {
        RECT whole;
        GetClientRect(msg->window, &whole);
        HRGN region = object->showDelay != 0.0 && object->effectPending ? ClipToOwnArea(kernel, object, dc, whole)
                                                                         : nullptr;
        answer = PaintInto(object, msg, dc);
        if (region)
            DeleteObject(region);
        if (object->paintThrough == 1 && object->fileWait == 0)
            object->effectPending = 0;
    }
    EndPaint(msg->window, &paint);
    int goOn = 1;
    KernInvalidateWindowOverObjet(kernel, KernGetTopParentObjet(kernel, object), object, &goOn, nullptr);
    return answer;
}
