// The document's settings: flags, page settings, hooks, areas, scaling, port and host values.
#include <cstring>

#include "rte_device.h"
#include "rte_document_internal.h"
#include "rte_position_cache.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

constexpr uint32_t kRelayoutFlags = RTE_DOC_RELAYOUT_BITS | RTE_DOC_HIDDEN_TEXT;
constexpr uint32_t kPageNoRepeat = 0x4;
constexpr uint32_t kPageSingle = 0x40;

void MarkAll(RteDocument* doc) { RteMarkForLayout(doc, 0, doc->textLength); }

void CopyArea(RteRectList from, RteRectList to)
{
    if (from && to)
        RteCopyInto(reinterpret_cast<RteHandle>(from), reinterpret_cast<RteHandle>(to));
}

bool PageLayoutDiffers(const RtePageSettings& a, const RtePageSettings& b)
{
    return a.flags != b.flags || a.margins != b.margins || a.width != b.width || a.height != b.height ||
           a.columns != b.columns || a.gap != b.gap;
}

}  // namespace

int32_t RteTextLength(RteHandle doc) { return DocLock(doc)->textLength; }
uint32_t RteGetDocFlags(RteHandle doc) { return DocLock(doc)->flags; }
uint32_t RteGetDocFlags2(RteHandle doc) { return DocLock(doc)->flags2; }

int32_t RteSetDocFlags(RteHandle handle, uint32_t flags)
{
    DocLock doc(handle);
    if (flags & RTE_DOC_WITH_BITS_1_2)
        flags |= 0x3;
    flags = (flags & ~RTE_DOC_BORROWED_PORT) | (doc->flags & RTE_DOC_BORROWED_PORT);
    if (flags & RTE_DOC_RESET_SCROLL)
        doc->scroll = {};
    uint32_t changed = flags ^ doc->flags;
    doc->flags = flags;
    if (changed & kRelayoutFlags) {
        MarkAll(doc.get());
        ++doc->changes;
    }
    // The position cache measured the document's blocks with the old rules.
    if (changed & RTE_DOC_HIDDEN_TEXT)
        RteDropDocPositions(handle);
    return changed ? 1 : 0;
}

int32_t RteSetDocFlags2(RteHandle handle, uint32_t flags)
{
    DocLock doc(handle);
    if (doc->flags2 == flags)
        return 0;
    doc->flags2 = flags;
    ++doc->changes;
    return 1;
}

// The page flags are the layout flags the areas and the line builder read: one word, kept in the
// layout flags.
void RteGetPageSettings(RteHandle handle, RtePageSettings* out)
{
    DocLock doc(handle);
    *out = doc->page;
    out->flags = doc->layoutFlags;
}

void RteSetPageSettings(RteHandle handle, const RtePageSettings* settings, bool relayout, int16_t)
{
    DocLock doc(handle);
    doc->page.flags = doc->layoutFlags;
    if (PageLayoutDiffers(doc->page, *settings)) {
        doc->port.flags |= RTE_PORT_RECALCULATE;
        // The flags say how the wrap area repeats: the text is laid out again through it.
        if (relayout) {
            doc->flags |= RTE_DOC_PAGE_RELAYOUT;
            MarkAll(doc.get());
        }
    }
    doc->page = *settings;
    if (!(doc->page.flags & kPageNoRepeat))
        doc->page.flags |= kPageSingle;
    doc->layoutFlags = doc->page.flags;
    ++doc->changes;
}

void RteGetDocHooks(RteHandle doc, RteHookTable* out) { *out = DocLock(doc)->hooks; }

void RteSetDocHooks(RteHandle handle, const RteHookTable* hooks, bool relayout)
{
    DocLock doc(handle);
    doc->hooks = *hooks;
    if (relayout)
        MarkAll(doc.get());
    ++doc->changes;
}

void RteGetAreas(RteHandle handle, RteRectList view, RteRectList wrap, RteRectList extra)
{
    DocLock doc(handle);
    CopyArea(doc->viewArea, view);
    CopyArea(doc->wrapArea, wrap);
    CopyArea(doc->extraArea, extra);
}

void RteSetAreas(RteHandle handle, RteRectList view, RteRectList wrap, RteRectList extra)
{
    DocLock doc(handle);
    CopyArea(view, doc->viewArea);
    CopyArea(wrap, doc->wrapArea);
    CopyArea(extra, doc->extraArea);
    MarkAll(doc.get());
    ++doc->changes;
}

RteRectList RteWrapArea(RteHandle doc) { return DocLock(doc)->wrapArea; }
RteRectList RteViewArea(RteHandle doc) { return DocLock(doc)->viewArea; }
RteRectList RteExtraArea(RteHandle doc) { return DocLock(doc)->extraArea; }

void RteGetScaling(RteHandle doc, RteScaling* out) { *out = DocLock(doc)->scaling; }

void RteSetScaling(RteHandle handle, const RteScaling* scaling)
{
    DocLock doc(handle);
    doc->scaling = *scaling;
    doc->scalingGiven = scaling->factor;
    // Equal halves are no scaling at all.
    if ((scaling->factor >> 16) == (scaling->factor & 0xFFFF))
        doc->scaling.factor = 0;
    MarkAll(doc.get());
    ++doc->changes;
}

int32_t RteDocHeight(RteHandle handle)
{
    DocLock doc(handle);
    return doc->textBounds.bottom - doc->textBounds.top;
}

void RteGetPort(RteHandle doc, RteDrawPort* out) { *out = DocLock(doc)->port; }

void RteSetPort(RteHandle handle, const RteDrawPort* port)
{
    DocLock doc(handle);
    doc->port = *port;
    doc->resolution = port->resolution;
}

void RteCopyPortTo(RteHandle handle, RteDrawPort* out)
{
    DocLock doc(handle);
    RteCurrentDevice().bindPort(doc->env, out, doc->port.window);
}

intptr_t RteGetPortValue(RteHandle doc) { return DocLock(doc)->port.value; }
void RteSetPortValue(RteHandle doc, intptr_t value) { DocLock(doc)->port.value = value; }
void RteGetPortOrigin(RteHandle doc, RtePoint* out) { *out = DocLock(doc)->port.origin; }
void RteSetPortOrigin(RteHandle doc, const RtePoint* origin) { DocLock(doc)->port.origin = *origin; }
uint32_t RteGetChangeCounter(RteHandle doc) { return DocLock(doc)->changes; }
void RteSetChangeCounter(RteHandle doc, uint32_t value) { DocLock(doc)->changes = value; }
RteEnvironment* RteDocEnvironment(RteHandle doc) { return DocLock(doc)->env; }
intptr_t RteDocStreamRef(RteHandle doc) { return DocLock(doc)->streamRef; }
void RteSetDocRef(RteHandle doc, intptr_t value) { DocLock(doc)->hostRef = value; }
intptr_t RteGetDocRef(RteHandle doc) { return DocLock(doc)->hostRef; }
intptr_t RteDocClaimant(RteHandle doc) { return DocLock(doc)->claimant; }

int32_t RteClaimDoc(RteHandle handle, intptr_t claimant)
{
    DocLock doc(handle);
    if (doc->claimant != 0 && claimant != 0 && doc->claimant != claimant)
        return 0;
    doc->claimant = claimant;
    return 1;
}

void RteSetInsertStyle(RteHandle handle, const RteCharStyle* style, int16_t)
{
    DocLock doc(handle);
    {
        RteLocked<RteCharStyle> styles(doc->charStyles);
        RteCharStyle& target = styles[doc->insertStyle];
        int32_t uses = target.useCount;
        target = *style;
        target.useCount = uses;
    }
    MarkAll(doc.get());
    ++doc->changes;
}

int32_t RteGetInsertStyle(RteHandle handle, RteCharStyle* out)
{
    DocLock doc(handle);
    *out = ElementOf<RteCharStyle>(doc->charStyles, doc->insertStyle);
    return doc->insertStyle;
}

void RteSetDefaultParFormat(RteHandle handle, const RteParFormat* format, int16_t)
{
    DocLock doc(handle);
    {
        RteLocked<RteParFormat> formats(doc->parFormats);
        int32_t uses = formats[0].useCount;
        formats[0] = *format;
        formats[0].useCount = uses;
    }
    MarkAll(doc.get());
    ++doc->changes;
}

void RteSetDefaultFont(RteHandle handle, const RteFont* font, int16_t)
{
    DocLock doc(handle);
    SetElement(doc->fonts, 0, *font);
    MarkAll(doc.get());
    ++doc->changes;
}

int32_t RteSetDeviceRecord(RteHandle handle, const void* record)
{
    DocLock doc(handle);
    if (doc->outputRecord == record)
        return 1;
    doc->outputRecord = record;
    // Fonts and their measures were taken for the old output.
    {
        RteLocked<RteCharStyle> styles(doc->charStyles);
        for (int32_t i = 0; i < styles.size(); ++i) {
            RteCharStyle& style = styles[i];
            style.fontHandle = 0;
            style.fontCache = 0;
            RteFont font = ElementOf<RteFont>(doc->fonts, style.font);
            style.hooks.metrics(handle, &style, &font);
        }
    }
    MarkAll(doc.get());
    ++doc->changes;
    return 1;
}

intptr_t RteGetDeviceMode(RteHandle handle)
{
    const void* record = DocLock(handle)->outputRecord;
    return record ? *static_cast<const intptr_t*>(record) : 0;
}
