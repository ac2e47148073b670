// Making documents: new ones, shells, and views that share another's parts.
#include <cstring>

#include "rte_device.h"
#include "rte_document_internal.h"
#include "rte_link_range.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

constexpr uint16_t kSelectionGrowth = 4;
constexpr uint16_t kRunGrowth = 4;
constexpr uint16_t kTableGrowth = 4;
constexpr uint8_t kRunPriority = 160;
constexpr uint32_t kFlagsNotGiven = RTE_DOC_BORROWED_PORT;
constexpr int16_t kValue9 = 9;

RteHandle Alloc(RteDocument* doc, int16_t size, int32_t count, uint16_t growBy)
{
    return RteAllocKeyedClear(doc->env->context, size, count, growBy, doc->key);
}

template <class T>
RteHandle AllocOf(RteDocument* doc, int32_t count, uint16_t growBy)
{
    return Alloc(doc, static_cast<int16_t>(sizeof(T)), count, growBy);
}

RteRectList CopyOrNewArea(RteDocument* doc, RteRectList given)
{
    if (!given)
        return RteNewRectList(doc->env->context, nullptr);
    RteHandle copy = RteDuplicateKeyed(reinterpret_cast<RteHandle>(given), doc->key);
    return reinterpret_cast<RteRectList>(copy);
}

void SetUpPort(RteDocument* doc, void* port)
{
    if (port == RTE_PORT_ENVIRONMENT) {
        doc->port = doc->env->port;
        doc->flags |= RTE_DOC_BORROWED_PORT;
    } else {
        RteCurrentDevice().bindPort(doc->env, &doc->port, port);
    }
    doc->resolution = doc->port.resolution;
}

void MakeTables(RteDocument* doc, RteRectList view, RteRectList wrap, RteRectList extra)
{
    doc->selection = AllocOf<RteSelectPoint>(doc, 2, kSelectionGrowth);
    doc->viewArea = CopyOrNewArea(doc, view);
    doc->extraArea = CopyOrNewArea(doc, extra);
    doc->wrapArea = CopyOrNewArea(doc, wrap);
    RteRect viewBounds;
    RteRectListFirst(doc->viewArea, &viewBounds);
    doc->viewOrigin = {viewBounds.top, viewBounds.left};
    doc->highlight = CopyOrNewArea(doc, nullptr);
    doc->rectList3 = CopyOrNewArea(doc, nullptr);
    doc->blocks = AllocOf<RteTextBlock>(doc, 1, kTableGrowth);
    doc->charStyles = AllocOf<RteCharStyle>(doc, 0, kTableGrowth);
    doc->parFormats = AllocOf<RteParFormat>(doc, 0, kTableGrowth);
    doc->fonts = AllocOf<RteFont>(doc, 0, kTableGrowth);
    doc->linkRanges[0] = AllocOf<RteLinkRange>(doc, 1, kTableGrowth);
    doc->linkRanges[1] = AllocOf<RteLinkRange>(doc, 1, kTableGrowth);
    doc->charRuns = AllocOf<RteStyleRun>(doc, 2, kRunGrowth);
    doc->parRuns = AllocOf<RteStyleRun>(doc, 2, kRunGrowth);
    doc->styleNames = Alloc(doc, 68, 0, kTableGrowth);
    doc->runListC = Alloc(doc, 6, 0, 2);
    doc->bytes1 = Alloc(doc, 1, 0, 16);
    doc->valuesA = Alloc(doc, 4, 0, 4);
    doc->valuesB = Alloc(doc, 4, 0, 4);
    doc->bytes2 = Alloc(doc, 1, 0, 24);
}

// The environment's defaults enter the tables, told to their hooks as a new document's.
void EnterDefaults(RteDocument* doc, RteHandle self)
{
    RteFont font = doc->env->defaultFont;
    doc->hooks.fontInit(self, &font);
    *static_cast<RteFont*>(RteAppend(doc->fonts, 1, false)) = font;
    RteUnlock(doc->fonts);

    RteCharStyle style = doc->env->defaultStyle;
    style.hooks.metrics(self, &style, &font);
    style.useCount = 2;
    style.flags &= RTE_STYLE_KEPT_FLAGS;
    *static_cast<RteCharStyle*>(RteAppend(doc->charStyles, 1, false)) = style;
    RteUnlock(doc->charStyles);
    {
        RteLocked<RteCharStyle> styles(doc->charStyles);
        styles[0].hooks.added(RTE_HOOK_CODE_NEW_DOCUMENT, self, 0, doc->charStyles, &styles[0]);
    }

    RteParFormat format = doc->env->defaultFormat;
    format.useCount = 2;
    format.flags &= RTE_STYLE_KEPT_FLAGS;
    *static_cast<RteParFormat*>(RteAppend(doc->parFormats, 1, false)) = format;
    RteUnlock(doc->parFormats);
    RteLocked<RteParFormat> formats(doc->parFormats);
    formats[0].hooks.table(RTE_HOOK_CODE_NEW_DOCUMENT, self, 0, doc->parFormats, &formats[0]);
}

void SetPriorities(RteDocument* doc, RteHandle self)
{
    RteSetPurgeFlags(reinterpret_cast<RteHandle>(doc->viewArea), RTE_PRIORITY_NEVER, false);
    RteSetPurgeFlags(doc->selection, RTE_PRIORITY_NEVER, false);
    RteSetPurgeFlags(reinterpret_cast<RteHandle>(doc->extraArea), RTE_PRIORITY_NEVER, false);
    RteSetPurgeFlags(doc->blocks, RTE_PRIORITY_NEVER, false);
    RteSetPurgeFlags(self, RTE_PRIORITY_NEVER, false);
    RteSetPurgeFlags(doc->charRuns, kRunPriority, false);
    RteSetPurgeFlags(doc->parRuns, kRunPriority, false);
}

void Fill(RteHandle self, RteEnvironment* env, void* port, RteRectList view, RteRectList wrap, RteRectList extra,
          uint32_t flags, uint32_t key)
{
    RteLocked<RteDocument> doc(self);
    doc->env = env;
    doc->version = RTE_DOC_VERSION;
    doc->state = RTE_DOC_STATE_READY;
    doc->self = self;
    doc->key = key;
    doc->identity = ++env->lastIdentity;
    doc->flags = flags & ~kFlagsNotGiven;
    if (flags & RTE_DOC_WITH_BITS_1_2)
        doc->flags |= 0x3;
    doc->scrollMaskH = -1;
    doc->scrollMaskV = -1;
    doc->styleSetting = env->settings[RTE_SETTING_STYLE];
    doc->backColor = env->backColor;
    doc->hooks = env->hooks;
    doc->value9 = kValue9;
    doc->tabBase = -1;
    SetUpPort(doc.get(), port);
    MakeTables(doc.get(), view, wrap, extra);
    RteInitTextBlock(doc.get());
    EnterDefaults(doc.get(), self);
    ResetRuns(doc->charRuns, 0);
    ResetRuns(doc->parRuns, 0);
    ResetRuns(doc->linkRanges[0], -1);
    ResetRuns(doc->linkRanges[1], -1);
    SetPriorities(doc.get(), self);
    doc->page.flags = RTE_PAGE_DEFAULT_FLAGS;
    doc->layoutFlags = RTE_PAGE_DEFAULT_FLAGS;
}

}  // namespace

namespace rte_document {

void ResetRuns(RteHandle runs, int32_t index)
{
    if (index < 0) {
        // A link-range table: only its end entry, at offset 2.
        RteSetCount(runs, 1);
        RteLocked<int32_t> fields(runs);
        std::memset(fields.get(), 0, static_cast<size_t>(RteElementSize(runs)));
        fields[0] = 2;
        fields[1] = 2;
        return;
    }
    RteSetCount(runs, 2);
    RteLocked<RteStyleRun> entries(runs);
    entries[0] = {0, static_cast<uint16_t>(index)};
    entries[1] = {2, static_cast<uint16_t>(index)};
}

}  // namespace rte_document

RteHandle RteDocCreate(RteEnvironment* env, void* port, RteRectList view, RteRectList wrap, RteRectList extra,
                       uint32_t flags)
{
    RteMemContext* context = env->context;
    uint32_t key = RteNewKey(context);
    RteHandle self = nullptr;
    uint16_t code = RteTry(context, [&] {
        self = RteAlloc(context, sizeof(RteDocument), 1, 0, true);
        Fill(self, env, port, view, wrap, extra, flags, key);
    });
    // Later handles are not the document's, whether it was made or not.
    RteNewKey(context);
    if (code) {
        if (self && !(RteLocked<RteDocument>(self)->flags & RTE_DOC_BORROWED_PORT))
            RteCurrentDevice().releasePort(&RteLocked<RteDocument>(self)->port);
        RteFreeByKey(context, key);
        return nullptr;
    }
    env->ownerHook(self, RTE_OWNER_CREATED);
    return self;
}

RteHandle RteNewDocument(RteEnvironment* env) { return RteDocCreate(env, RTE_PORT_ENVIRONMENT, nullptr, nullptr, nullptr, 0); }

RteHandle RteDuplicateDocShell(RteHandle handle)
{
    DocLock doc(handle);
    RteHandle shell = RteDocCreate(doc->env, RTE_PORT_ENVIRONMENT, doc->viewArea, doc->wrapArea, doc->extraArea,
                                   doc->flags & ~RTE_DOC_BORROWED_PORT);
    if (!shell)
        return nullptr;
    DocLock copy(shell);
    copy->page = doc->page;
    copy->flags2 = doc->flags2;
    return shell;
}

RteHandle RteNewView(RteHandle handle, bool ownPort, RteRectList view, RteRectList wrap, RteRectList extra,
                     uint32_t flags)
{
    RteEnvironment* env = RteLocked<RteDocument>(handle)->env;
    RteHandle result = RteDocCreate(env, RTE_PORT_NEW, view, wrap, extra, flags);
    if (!result)
        return nullptr;
    uint32_t parts = RTE_SHARE_STYLES | (ownPort ? 0 : RTE_SHARE_PORT) | (view ? 0 : RTE_SHARE_VIEW) |
                     (wrap ? 0 : RTE_SHARE_WRAP) | (extra ? 0 : RTE_SHARE_EXTRA);
    RteShareParts(result, handle, parts);
    return result;
}
