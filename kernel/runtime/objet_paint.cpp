// Painting helpers of objects that do not paint their whole rectangle: drawing what lies
// beneath an object, and refreshing the see-through windows above one.
#include "objet.h"

#include "kernel.h"
#include "kerntree.h"
#include "qxutil.h"

void OBJET::DrawWindowBackground(HDC dc)
{
    if (!window)
        return;
    RECT area;
    GetWindowRect(window, &area);
    if (selected)
        InflateRect(&area, -_GetSystemMetrics(SM_CXFRAME), -_GetSystemMetrics(SM_CYFRAME));
    const int width = area.right - area.left + 1;
    const int height = area.bottom - area.top + 1;

    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    const HGDIOBJ oldBrush = SelectObject(memory, GetStockObject(LTGRAY_BRUSH));
    const HGDIOBJ oldPen = SelectObject(memory, GetStockObject(NULL_PEN));
    Rectangle(memory, 0, 0, width + 1, height + 1);

    // The record's rectangle is the area of the screen the memory DC stands for.
    KERNDRAW draw = {area, memory};
    KernBroadCastToObjet(kernel, KernGetTopParentObjet(kernel, this), KM_PAINTTO, reinterpret_cast<WPARAM>(window),
                         reinterpret_cast<LPARAM>(&draw));
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);

    SelectObject(memory, oldPen);
    SelectObject(memory, oldBrush);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void KernInvalidateWindowOverObjet(KERNEL* kernel, OBJET* root, OBJET* target, int* goOn, const RECT* rect)
{
    if (!root || !target || !goOn)
        return;
    RECT area;
    if (rect)
        area = *rect;
    else if (target->window)
        GetWindowRect(target->window, &area);
    else
        return;
    for (int i = root->GetChildItems() - 1; i >= 0; --i) {
        OBJET* child = root->GetChild(i);
        if (child == target) {
            *goOn = 0;
            return;
        }
        if (!child->window)
            continue;
        KernInvalidateWindowOverObjet(kernel, child, target, goOn, &area);
        if (!*goOn)
            return;
        if (!child->Invisibility())
            continue;
        RECT over;
        RECT childArea;
        GetWindowRect(child->window, &childArea);
        if (!IntersectRect(&over, &childArea, &area))
            continue;
        MapWindowPoints(nullptr, child->window, reinterpret_cast<POINT*>(&over), 2);
        InvalidateRect(child->window, &over, TRUE);
    }
}
