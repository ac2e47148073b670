// The paragraph messages on the default tab spacing, the space before and after, the tab stops
// and the keep-together bit of the selection's paragraphs.
#include "rte_control_internal.h"
#include "rte_memory.h"
#include "rte_paragraph_hooks.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_typed.h"

namespace {

using ParUnit = int32_t RteParFormat::*;

// Sets one 32-bit unit; the tab spacing is a change the owner hears of, the spaces are not.
void SetUnit(RteControl* control, WPARAM redraw, ParUnit unit, LPARAM value, bool notify)
{
    RteParFormat format, mask;
    RteClearParFormat(&format, 0);
    RteClearParFormat(&mask, 0);
    format.*unit = static_cast<int32_t>(value);
    mask.*unit = -1;
    RteControlSetParFormat(control, redraw, format, mask, notify);
}

// The tab stops over the selection, and with flags whether every paragraph has each (-1) or not
// (0); the count.
int32_t Tabs(RteControl* control, RteTab* tabs, int32_t* flags)
{
    RteMemContext* context = RteControlContext();
    RteHandle tabList = nullptr;
    RteHandle flagList = nullptr;
    int32_t count = 0;
    RteGuarded(control, [&] {
        tabList = RteAllocOf<RteTab>(context, 0, RTE_MAX_TABS, false);
        flagList = RteAllocOf<int32_t>(context, 0, RTE_MAX_TABS, false);
        RteGetTabs(control->document, nullptr, tabList, flagList, nullptr);
        count = RteCount(tabList);
        for (int32_t i = 0; i < count; ++i) {
            if (tabs)
                tabs[i] = RteLocked<RteTab>(tabList)[i];
            if (flags)
                flags[i] = RteLocked<int32_t>(flagList)[i];
        }
    });
    for (RteHandle list : {tabList, flagList})
        if (list)
            RteFree(list);
    return count;
}

void SetTab(RteControl* control, WPARAM redraw, const RteTab* tab)
{
    RteGuardedRestyle(control, [&] { RteSetTab(control->document, nullptr, tab, redraw ? control->editRedraw : 0); });
    if (redraw)
        RteNotifyPending(control);
}

// Bit 0x1 of the first paragraph's unit changed, the unit's other bits kept, over the selection.
void SetKeepTogether(RteControl* control, WPARAM redraw, bool on)
{
    RteParFormat format = RteControlFirstParFormat(control), mask;
    int16_t& unit = format.units2to6[RTE_PAR_KEEP_UNIT];
    unit = static_cast<int16_t>(on ? unit | RTE_PAR_KEEP_TOGETHER : unit & ~RTE_PAR_KEEP_TOGETHER);
    RteClearParFormat(&mask, 0);
    mask.units2to6[RTE_PAR_KEEP_UNIT] = -1;
    RteControlSetParFormat(control, redraw, format, mask, false);
}

}  // namespace

void RteControlSetParFormat(RteControl* control, WPARAM redraw, const RteParFormat& format, const RteParFormat& mask,
                            bool notify)
{
    auto set = [&] { RteSetParFormat(control->document, nullptr, &format, &mask, redraw ? control->editRedraw : 0); };
    if (notify)
        RteGuardedRestyle(control, set);
    else
        RteGuarded(control, set);
    if (redraw)
        RteNotifyPending(control);
}

RteParFormat RteControlFirstParFormat(RteControl* control)
{
    RteParFormat format, mask;
    RteGetParFormat(control->document, nullptr, false, &format, &mask);
    return format;
}

LRESULT RteControlParagraphValueMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case RTEM_SETPARVALUE1:
        SetUnit(control, wParam, &RteParFormat::tabSpacing, lParam, true);
        return 0;
    case RTEM_GETPARVALUE1:
        return RteControlFirstParFormat(control).tabSpacing;
    case RTEM_GETPARVALUE2:
        return RteControlFirstParFormat(control).spaceBefore;
    case RTEM_SETPARVALUE2:
        SetUnit(control, wParam, &RteParFormat::spaceBefore, lParam, false);
        return 0;
    case RTEM_GETPARVALUE3:
        return RteControlFirstParFormat(control).spaceAfter;
    case RTEM_SETPARVALUE3:
        SetUnit(control, wParam, &RteParFormat::spaceAfter, lParam, false);
        return 0;
    case RTEM_SETTAB:
        SetTab(control, wParam, reinterpret_cast<const RteTab*>(lParam));
        return 0;
    case RTEM_GETTABCOUNT:
        return Tabs(control, nullptr, nullptr);
    case RTEM_GETTABS:
        return Tabs(control, reinterpret_cast<RteTab*>(lParam), nullptr);
    case RTEM_GETTABFLAGS:
        return Tabs(control, nullptr, reinterpret_cast<int32_t*>(lParam));
    case RTEM_SETPARBIT:
        SetKeepTogether(control, wParam, lParam != 0);
        return 0;
    case RTEM_GETPARBIT:
        return RteControlFirstParFormat(control).units2to6[RTE_PAR_KEEP_UNIT] & RTE_PAR_KEEP_TOGETHER;
    default:
        return DefWindowProcA(control->window, message, wParam, lParam);
    }
}
