// A blue metafile picture as the control's object record.
#include "object_pictures.h"

RteControlObject BluePictureRecord(int32_t offset, int width, int height)
{
    HDC dc = CreateMetaFileA(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    RECT rect{0, 0, width, height};
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
    RteControlObject record{};
    record.kind = RTE_KIND_METAFILE;
    record.width = static_cast<int16_t>(width);
    record.height = static_cast<int16_t>(height);
    record.data = reinterpret_cast<intptr_t>(CloseMetaFile(dc));
    record.mappingMode = MM_TEXT;
    record.offset = offset;
    return record;
}
