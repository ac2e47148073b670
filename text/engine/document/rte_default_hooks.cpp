// Default hooks of documents, character styles and paragraph formats.
#include "rte_default_hooks.h"

#include "rte_block_upkeep.h"
#include "rte_device.h"
#include "rte_document.h"
#include "rte_line_break.h"
#include "rte_line_builder.h"
#include "rte_paragraph_hooks.h"
#include "rte_highlight.h"
#include "rte_selection.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"
#include "rte_wide_text.h"

namespace {

void Nothing3(RteHandle, intptr_t, intptr_t) {}
void Nothing4(RteHandle, intptr_t, intptr_t, intptr_t) {}
void Nothing6(RteHandle, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) {}
void Nothing7(RteHandle, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) {}
void NoProgress(RteHandle, int32_t, int32_t, int32_t) {}
intptr_t KeepValue(RteHandle, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t value) { return value; }
intptr_t NoGeneral(RteHandle, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t) { return 0; }
int32_t NoBlock(RteHandle, int32_t) { return 0; }
void NoContainer(RteHandle, int32_t, const RteRect*, intptr_t, intptr_t, int32_t, int32_t*) {}
void NoPort(RteHandle, int32_t) {}
int32_t NoTypeahead(RteHandle) { return 0; }

void NoTableNotice(intptr_t, RteHandle, int32_t, RteHandle, RteCharStyle*) {}
void NoMerge(RteHandle, const RteCharStyle*, RteCharStyle*, const RteCharStyle*) {}
intptr_t NoSpare(RteHandle, RteCharStyle*, intptr_t, intptr_t) { return 0; }
int32_t BytesToWide(const void* source, void* target, int32_t unused, int32_t count)
{
    return RteBytesToWide(static_cast<const uint8_t*>(source), static_cast<uint16_t*>(target), unused, count);
}
int32_t WideToBytes(const void* source, void* target, int32_t unused, int32_t count)
{
    return RteWideToBytes(static_cast<const uint16_t*>(source), static_cast<uint8_t*>(target), unused, count);
}
intptr_t NoParLayout(RteHandle, RteParFormat*, intptr_t, intptr_t, intptr_t) { return 0; }
void NoParNotice(intptr_t, RteHandle, int32_t, RteHandle, RteParFormat*) {}

// Text typed after hidden text is not hidden: the insertion style drops the hidden word when
// hidden text takes no room.
int32_t ClearHiddenForInsertion(RteHandle doc, RteCharStyle* style, int32_t)
{
    bool hiding = (RteLocked<RteDocument>(doc)->flags & RTE_DOC_HIDDEN_TEXT) != 0;
    bool wasHidden = style->hidden != 0;
    style->hidden = 0;
    return hiding && wasHidden ? 1 : 0;
}

}  // namespace

void RteFillDefaultHooks(RteEnvironment* env)
{
    const RteDevice& device = RteCurrentDevice();
    env->hooks = RteHookTable{Nothing3,   RteDefaultFillLine, RteDefaultJustify, RteDefaultLineFits,      KeepValue, RteDefaultLineBreak, RteHighlightRects,
                              NoGeneral,  NoBlock,      RteDefaultSplitPoint,      NoGeneral,    NoGeneral, RteHitTest, device.fontInit,
                              NoGeneral,  NoGeneral,    Nothing4,     Nothing4,     Nothing7,  Nothing6,  NoProgress,
                              Nothing4,   RteDefaultParBounds, NoContainer, NoGeneral, RteDefaultPostLayout, Nothing3, Nothing6,
                              NoPort,     Nothing3,     RteFarEastBreakClass, NoGeneral, NoTypeahead};
    env->defaultStyle.hooks = RteCharStyleHooks{device.metrics, device.selectFont, device.measure, device.slot3,
                                                device.charInfo, device.draw,     NoTableNotice,  NoTableNotice,
                                                NoMerge,        device.device,   NoSpare,        NoSpare,
                                                ClearHiddenForInsertion, NoSpare, NoSpare,       BytesToWide,
                                                WideToBytes};
    env->defaultFormat.hooks = RteParFormatHooks{RteDefaultTab, NoParLayout, NoParLayout, NoParNotice, NoParLayout,
                                                 NoParLayout};
    device.fillHooks(env);
}
