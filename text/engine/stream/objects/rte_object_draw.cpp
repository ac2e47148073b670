// The default drawing of an object by kind: frames, bitmaps, vector pictures, metafiles
// played into the object's place, and the placeholder labels of what the engine cannot draw.
#include <windows.h>

#include "rte_object_draw.h"
#include "rte_picture.h"
#include "rte_typed.h"

namespace {

// The records that set or change the mapping: the object's place decides where it plays.
bool ChangesMapping(WORD function)
{
    switch (function) {
    case 0x103:  // META_SETMAPMODE
    case 0x20B:  // META_SETWINDOWORG
    case 0x20C:  // META_SETWINDOWEXT
    case 0x20D:  // META_SETVIEWPORTORG
    case 0x20E:  // META_SETVIEWPORTEXT
    case 0x20F:  // META_OFFSETWINDOWORG
    case 0x211:  // META_OFFSETVIEWPORTORG
    case 0x410:  // META_SCALEWINDOWEXT
    case 0x412:  // META_SCALEVIEWPORTEXT
        return true;
    default:
        return false;
    }
}

void Label(HDC dc, const RteRect& rect, const char* text)
{
    RECT box = {rect.left, rect.top, rect.right, rect.bottom};
    int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
}

void Framed(RtePicturePort* port, const RteRect& rect, const char* label)
{
    RteFrameRect(port, &rect, 0, 0, 1);
    if (label)
        Label(static_cast<HDC>(port->dc), rect, label);
}

}  // namespace

int CALLBACK RteMetafileFilter(HDC dc, HANDLETABLE* table, METARECORD* record, int objects, LPARAM)
{
    if (!ChangesMapping(record->rdFunction))
        PlayMetaFileRecord(dc, table, record, static_cast<UINT>(objects));
    return 1;
}

void RtePlayMetafile(void* dcHandle, const RteObject& object, const RteRect& rect)
{
    auto dc = static_cast<HDC>(dcHandle);
    auto metafile = reinterpret_cast<HMETAFILE>(object.data);
    if (!metafile)
        return;
    int saved = SaveDC(dc);
    int mode = object.picture.mappingMode ? object.picture.mappingMode : MM_TEXT;
    if (mode == MM_TEXT) {
        POINT old;
        SetWindowOrgEx(dc, -rect.left, -rect.top, &old);
        EnumMetaFile(dc, metafile, RteMetafileFilter, 0);
        SetWindowOrgEx(dc, old.x, old.y, nullptr);
    } else {
        SetMapMode(dc, mode);
        SetViewportExtEx(dc, rect.right - rect.left, rect.bottom - rect.top, nullptr);
        SetViewportOrgEx(dc, rect.left, rect.top, nullptr);
        PlayMetaFile(dc, metafile);
    }
    RestoreDC(dc, saved);
}

void RteDrawObjectDefault(RtePicturePort* port, RteHandle handle, const RteRect* rect)
{
    RteObject object;
    RteGetElement(handle, 0, &object);
    switch (RteObjectKindOf(object)) {
    case RTE_KIND_FRAME:
    case RTE_KIND_RECT:
        Framed(port, *rect, nullptr);
        break;
    case RTE_KIND_FRAME_1:
    case RTE_KIND_ROUND_FRAME:
        RteFrameRect(port, rect, 0, static_cast<int16_t>(RteObjectKindOf(object)), 1);
        break;
    case RTE_KIND_MAC:
        RteFillRect(port, rect, 0, 0);
        Label(static_cast<HDC>(port->dc), *rect, "Mac");
        break;
    case RTE_KIND_BITMAP:
    case RTE_KIND_BITMAP_HANDLE:
        if (object.data)
            RteDrawBitmapHandle(port, reinterpret_cast<RteHandle>(object.data), rect, 0);
        break;
    case RTE_KIND_VALUE:
    case RTE_KIND_BYTE_HANDLE:
        Framed(port, *rect, "Obj");
        break;
    case RTE_KIND_FOREIGN_PICT:
    case RTE_KIND_FOREIGN_PICT_2:
        Framed(port, *rect, "Pict");
        break;
    case RTE_KIND_METAFILE:
        RtePlayMetafile(port->dc, object, *rect);
        break;
    case RTE_KIND_PICTURE:
        if (object.data)
            RteDrawPicture(port, reinterpret_cast<RteHandle>(object.data), rect, true, true, false);
        break;
    case RTE_KIND_TEXT:
    case RTE_KIND_TEXT_BOX: {
        // The rect's bottom lies the object's descent below its baseline.
        RtePoint baseline = {rect->bottom - object.descent, rect->left};
        RteDrawObjectText(port, object, &baseline);
        break;
    }
    case RTE_KIND_METAFILE_DATA:
        Framed(port, *rect, "Meta");
        break;
    case RTE_KIND_BYTES:
    case 16:
    case 17:
    case 32:
    case 35:
        break;  // the border only
    default:
        Label(static_cast<HDC>(port->dc), *rect, "Unkn");
        break;
    }
}
