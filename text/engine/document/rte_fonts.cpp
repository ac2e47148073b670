// The font table and the fonts of ranges.
#include "rte_fonts.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "rte_document_internal.h"
#include "rte_style_apply.h"
#include "rte_style_tables.h"
#include "rte_style_units.h"
#include "rte_styles.h"

using namespace rte_document;

namespace {

std::string_view NameOf(const char* block, bool cString)
{
    if (cString)
        return std::string_view(block, strnlen(block, RTE_FONT_NAME_BYTES));
    size_t length = static_cast<unsigned char>(block[0]);
    return std::string_view(block + 1, std::min<size_t>(length, RTE_FONT_NAME_BYTES - 1));
}

bool NameSelected(const char* maskBlock) { return maskBlock[0] != 0; }

// The default font changed by the masked values; the names as the set operations take them.
RteFont NewFont(RteDocument* doc, const RteFont& values, const RteFont& mask)
{
    RteFont font = RteFontRecord(doc, 0);
    RteMaskedCopy(RteFontUnits(), &font, &values, &mask);
    if (!NameSelected(mask.name))
        std::memset(font.name, 0, sizeof font.name);
    if (!NameSelected(mask.altName))
        std::memset(font.altName, 0, sizeof font.altName);
    return font;
}

void SetRunsFont(RteHandle handle, const RteRange* range, const RteCharStyle* style, const RteCharStyle* styleMask,
                 const RteFont& values, const RteFont& fontMask, bool namedByCaller, int16_t redraw)
{
    RteCharStyle record = style ? *style : RteCharStyle{};
    RteCharStyle mask;
    if (styleMask)
        mask = *styleMask;
    else
        RteClearCharStyle(&mask, 0);
    {
        DocLock doc(handle);
        RteFont font = NewFont(doc.get(), values, fontMask);
        if (namedByCaller)
            font.nameFlags |= RTE_FONT_NAMED_BY_CALLER;
        record.font = static_cast<int16_t>(RteFindOrAddFontIn(doc.get(), font));
    }
    mask.font = -1;
    RteApplyCharStyle(handle, range, &record, &mask, redraw);
}

}  // namespace

bool RteFontNamesEqual(const RteFont& a, const RteFont& b)
{
    return NameOf(a.name, a.nameFlags & RTE_FONT_NAME_CSTRING) == NameOf(b.name, b.nameFlags & RTE_FONT_NAME_CSTRING) &&
           NameOf(a.altName, a.nameFlags & RTE_FONT_ALT_CSTRING) ==
               NameOf(b.altName, b.nameFlags & RTE_FONT_ALT_CSTRING);
}

int32_t RteFindOrAddFontIn(RteDocument* doc, const RteFont& given)
{
    RteFont font = given;
    doc->hooks.fontInit(doc->self, &font);
    if (font.name[0] == 0 && font.altName[0] == 0)
        return -1;
    {
        RteLocked<RteFont> fonts(doc->fonts);
        for (int32_t i = 0; i < fonts.size(); ++i)
            if (RteFontNamesEqual(fonts[i], font))
                return i;
    }
    int32_t index = RteCount(doc->fonts);
    *static_cast<RteFont*>(RteAppend(doc->fonts, 1, false)) = font;
    RteUnlock(doc->fonts);
    ++doc->changes;
    return index;
}

RteHandle RteFontTable(RteHandle doc) { return DocLock(doc)->fonts; }

void RteGetFontByIndex(RteHandle doc, int32_t index, RteFont* out) { *out = RteFontRecord(DocLock(doc).get(), index); }

int32_t RteFindOrAddFont(RteHandle doc, const RteFont* font) { return RteFindOrAddFontIn(DocLock(doc).get(), *font); }

int32_t RteGetFont(RteHandle handle, const RteRange* range, bool maskFlag, RteFont* font, RteFont* mask)
{
    DocLock doc(handle);
    RteScopedHandle list(RteMakeRangeList(doc.get(), range, false, false));
    RteRangeReader<RteFont> reader(RteFontUnits(), maskFlag, font, mask);
    auto take = [&](int32_t styleIndex) {
        reader.Take(RteFontRecord(doc.get(), RteCharStyleRecord(doc.get(), styleIndex).font));
    };
    int32_t start = range ? range->start : RteSelectionStart(doc.get());
    if (!list.get()) {
        take(doc->insertStyle);
    } else {
        RteForEachRunInRanges(doc->charRuns, list.get(), [&](int32_t, int32_t index) { take(index); });
        start = ElementOf<RteRange>(list.get(), 0).start;
    }
    if (!maskFlag && (font->nameFlags & RTE_FONT_ALT_STANDS_IN))
        std::memcpy(font->name, font->altName, sizeof font->name);
    return start;
}

void RteSetFont(RteHandle doc, const RteRange* range, const RteFont* font, const RteFont* mask, int16_t redraw)
{
    SetRunsFont(doc, range, nullptr, nullptr, *font, *mask, false, redraw);
}

void RteSetFontAndStyle(RteHandle doc, const RteRange* range, const RteCharStyle* style, const RteCharStyle* styleMask,
                        const RteFont* font, const RteFont* fontMask, int16_t redraw)
{
    SetRunsFont(doc, range, style, styleMask, *font, *fontMask, NameSelected(fontMask->name), redraw);
}

int32_t RteMapFontIndex(RteHandle handle, RteHandle other, int32_t index)
{
    RteFont font = RteFontRecord(DocLock(handle).get(), index);
    DocLock target(other);
    RteLocked<RteFont> fonts(target->fonts);
    for (int32_t i = 0; i < fonts.size(); ++i)
        if (std::memcmp(fonts[i].name, font.name, sizeof font.name) == 0)
            return i;
    return -1;
}

int32_t RteCopyFontTo(RteHandle handle, RteHandle other, int32_t index)
{
    RteFont font = RteFontRecord(DocLock(handle).get(), index);
    return RteFindOrAddFontIn(DocLock(other).get(), font);
}
