// Rendering a whole page into a bitmap through the objects' own drawing.
#include "pagerender.h"

#include "kerntree.h"

HBITMAP KernRenderPage(KERNEL* kernel, OBJET* root, const RECT& area, HDC reference)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return nullptr;
    const HBITMAP bitmap = CreateCompatibleBitmap(reference, width, height);
    const HDC memory = CreateCompatibleDC(reference);
    if (!bitmap || !memory) {
        if (bitmap)
            DeleteObject(bitmap);
        if (memory)
            DeleteDC(memory);
        return nullptr;
    }
    const HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    const HGDIOBJ oldBrush = SelectObject(memory, GetStockObject(LTGRAY_BRUSH));
    const HGDIOBJ oldPen = SelectObject(memory, GetStockObject(NULL_PEN));
    SetStretchBltMode(memory, COLORONCOLOR);
    Rectangle(memory, 0, 0, width + 1, height + 1);
    // wParam 0: no object stops the drawing.
    KERNDRAW draw = {area, memory};
    KernBroadCastToObjet(kernel, root, KM_PAINTTO, 0, reinterpret_cast<LPARAM>(&draw));
    SelectObject(memory, oldPen);
    SelectObject(memory, oldBrush);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
    return bitmap;
}
