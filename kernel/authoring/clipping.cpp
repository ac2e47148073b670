// Painting an object in an editing mode: its visible children are left out of the region it
// paints, so that the object does not paint over them.
#include "authoring.h"

#include "../runtime/objet.h"

HRGN KernClipChildrenRgn(KERNEL*, OBJET* object, HRGN region)
{
    if (!object || !object->window || !region)
        return region;
    for (int i = 0; i < object->GetChildItems(); ++i) {
        OBJET* child = object->GetChild(i);
        if (!child->window || !IsWindowVisible(child->window) || child->Invisibility())
            continue;
        RECT area;
        GetWindowRect(child->window, &area);
        MapWindowPoints(nullptr, object->window, reinterpret_cast<POINT*>(&area), 2);
        const HRGN childRegion = CreateRectRgnIndirect(&area);
        CombineRgn(region, region, childRegion, RGN_DIFF);
        DeleteObject(childRegion);
    }
    return region;
}
