// What a font measures on a display, measured once and kept in the font cache.
#include "rte_font_measures.h"

#include "rte_gdi_text.h"

bool RteMeasuresAsDisplay(HDC dc)
{
    return GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY && GetMapMode(dc) == MM_TEXT &&
           GetGraphicsMode(dc) == GM_COMPATIBLE && GetTextCharacterExtra(dc) == 0;
}

const uint32_t* RteMeasuredAdvances(HDC dc, RteFontCacheEntry& entry)
{
    if (!(entry.flags & RTE_FONT_MEASURED)) {
        HGDIOBJ old = SelectObject(dc, entry.font);
        if (RteDoubleByteCodePage(GetTextCharset(dc))) {
            entry.flags |= RTE_FONT_DOUBLE_BYTE;
        } else {
            char bytes[256];
            for (int i = 0; i < 256; ++i)
                bytes[i] = static_cast<char>(i);
            INT ends[256];
            SIZE size{};
            GetTextExtentExPointA(dc, bytes, 256, 0, nullptr, ends, &size);
            for (int i = 0; i < 256; ++i)
                entry.advances[i] = static_cast<uint32_t>(ends[i] - (i ? ends[i - 1] : 0)) & 0xFFFF;
        }
        SelectObject(dc, old);
        entry.flags |= RTE_FONT_MEASURED;
    }
    return entry.flags & RTE_FONT_DOUBLE_BYTE ? nullptr : entry.advances;
}

const TEXTMETRICA& RteMeasuredMetrics(HDC dc, RteFontCacheEntry& entry)
{
    if (!(entry.flags & RTE_FONT_HAS_METRICS)) {
        HGDIOBJ old = SelectObject(dc, entry.font);
        GetTextMetricsA(dc, &entry.metrics);
        SelectObject(dc, old);
        entry.flags |= RTE_FONT_HAS_METRICS;
    }
    return entry.metrics;
}
