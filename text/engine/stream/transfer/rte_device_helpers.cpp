// Device helpers: character-class runs, font names, default records and lent DCs.
#include "rte_device_helpers.h"

#include <algorithm>
#include <cstring>

#include "rte_document_internal.h"
#include "rte_gdi_port.h"

using namespace rte_document;

namespace {

constexpr int32_t kPointSize12 = 0xC0000;  // 16.16
constexpr size_t kLongestName = 62;

// A C-string name in its field becomes a length byte and the characters.
void ToLengthPrefixed(char* name, size_t size)
{
    size_t length = std::min({strnlen(name, size), kLongestName, size - 1});
    std::memmove(name + 1, name, length);
    name[0] = static_cast<char>(length);
    std::memset(name + 1 + length, 0, size - 1 - length);
}

}  // namespace

int32_t RteRunOfSameClass(RteHandle doc, RteCharStyle* style, const uint8_t* text, intptr_t, int32_t count,
                          intptr_t* firstClass)
{
    auto classOf = [&](int32_t i) {
        return style->hooks.charInfo(doc, style, reinterpret_cast<intptr_t>(text + i), 1, RTE_CLASS_RUN, 0) &
               RTE_CLASS_RUN;
    };
    if (count <= 0)
        return 0;
    intptr_t first = classOf(0);
    if (firstClass)
        *firstClass = first;
    int32_t n = 1;
    while (n < count && classOf(n) == first)
        ++n;
    return n;
}

void RteNormaliseFontNames(RteFont* font)
{
    if (font->nameFlags & RTE_FONT_NAME_CSTRING) {
        ToLengthPrefixed(font->name, sizeof font->name);
        font->nameFlags &= static_cast<uint16_t>(~RTE_FONT_NAME_CSTRING);
    }
    if (font->nameFlags & RTE_FONT_ALT_CSTRING) {
        ToLengthPrefixed(font->altName, sizeof font->altName);
        font->nameFlags &= static_cast<uint16_t>(~RTE_FONT_ALT_CSTRING);
    }
}

void RteDefaultStyleInit(RteEnvironment*, RteCharStyle* style)
{
    style->pointSize = kPointSize12;
    style->backColor = {0xFFFF, 0xFFFF, 0xFFFF};
    style->textColorSpare = 0;
    style->backColorSpare = 0;
}

void RteDefaultParInit(RteEnvironment* env, RteParFormat* format) { format->tabSpacing = env->defaultFormat.tabSpacing; }

void RtePortUseDC(RteHandle doc, HDC dc, const RteScaling* scaling, RtePortBinding* saved)
{
    RteGetScaling(doc, &saved->scaling);
    {
        DocLock locked(doc);
        saved->dc = (locked->flags & RTE_DOC_BORROWED_PORT) ? nullptr : RteGdiPortOf(&locked->port)->explicitDc;
    }
    RteSetPortDC(doc, dc);
    if (scaling)
        RteSetScaling(doc, scaling);
}

void RtePortSetDC(RteHandle doc, const RtePortBinding* saved)
{
    RteSetPortDC(doc, saved->dc);
    RteSetScaling(doc, &saved->scaling);
}

void RtePortDropDC(RteHandle doc, HDC dc)
{
    DocLock locked(doc);
    RteGdiPort* port = RteGdiPortOf(&locked->port);
    if (!port)
        return;
    port->dc = dc;
    port->acquires = std::max(0, port->acquires - 1);
}
