// The RTF reader's document side.
#include "rte_rtf_document.h"

#include <algorithm>

#include "rect_list.h"
#include "rte_device_units.h"
#include "rte_document_internal.h"
#include "rte_style_names.h"
#include "rte_styles.h"
#include "rte_text_helpers.h"
#include "rte_typed.h"

int32_t RtfTabEdge(RteHandle doc)
{
    if (RteGetTabBase(doc) == -1)
        return 0;
    RteRect bounds{};
    RteRectListFirst(RteWrapArea(doc), &bounds);
    return bounds.left;
}

int32_t RtfDocumentHost::TwipsToDevice(int32_t twips)
{
    // Twips are converted as if points, then divided by 20, which keeps small values exact;
    // lengths stay within what a 16.16 value holds.
    int32_t points = std::clamp<int32_t>(twips, -32767, 32767);
    auto known = lengths_.find(points);
    if (known != lengths_.end())
        return known->second;
    int32_t pixels = RtePointsToPixels(doc_, points * 65536) / 20;
    lengths_.emplace(points, pixels);
    return pixels;
}

RteParFormat RtfDocumentHost::DocumentFormat()
{
    if (!format_) {
        RteHandle formats = rte_document::DocLock(doc_)->parFormats;
        format_ = rte_document::ElementOf<RteParFormat>(formats, 0);
    }
    return *format_;
}

int32_t RtfDocumentHost::TabOffset() { return RtfTabEdge(doc_); }

uint8_t RtfDocumentHost::UnicodeByte(uint16_t character) { return RteCharToCp1252(character); }

void RtfDocumentHost::MapFont(RteFont& font)
{
    if (mapper_)
        mapper_(font);
}

void RtfDocumentHost::DefaultFontRead(const RteFont& font)
{
    // Text the document already holds keeps its look: only a document that the RTF fills from
    // nothing takes the file's default font as its own.
    if (RteTextLength(doc_) != 0)
        return;
    RteFont first = font;
    if (RteFontInitProc hook = rte_document::DocLock(doc_)->hooks.fontInit)
        hook(doc_, &first);
    RteSetDefaultFont(doc_, &first, 0);
}

int32_t RtfDocumentHost::AddNamedStyle(const char* name, const RteCharStyle& style, const RteFont* font,
                                       const RteParFormat* format)
{
    return RteNewStyleName(doc_, name, &style, font, format);
}

void RtfDocumentHost::DefaultNamedStyle(int32_t index, const RteParFormat* format)
{
    if (format) {
        RteSetDefaultParFormat(doc_, format, 0);
        format_.reset();
    }
    RteSetCurrentStyleName(doc_, index - 1);  // names count from 1, the current one from 0
}

void RtfDocumentHost::ApplyNamedStyle(int32_t index, RteCharStyle& style, RteFont& font, RteParFormat& format)
{
    RteGetStyleNameStyles(doc_, index, &style, &font, &format);
}

intptr_t RtfDocumentHost::MakeObject(RtfPicture& picture, intptr_t owner)
{
    return maker_ ? maker_(picture, owner) : 0;
}
