// The default container hook (document slot 23): a container's rect drawn as the background, on
// the port directly or, for documents that draw their containers off-screen, through a banded
// pass so that nothing flickers.
#include "rte_container_hook.h"

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_areas.h"
#include "rte_gdi_port.h"
#include "rte_offscreen.h"
#include "rte_typed.h"

void RteDefaultContainerHook(RteHandle handle, int32_t, const RteRect* rect, intptr_t, intptr_t, int32_t mode,
                             int32_t*)
{
    if (mode != RTE_CONTAINER_DRAW || RteEmptyRect(rect))
        return;
    RteEnvironment* env = nullptr;
    bool offscreen = false;
    RteRect view{};
    RteHookTable hooks{};
    {
        RteLocked<RteDocument> doc(handle);
        env = doc->env;
        offscreen = (doc->flags & RTE_DOC_OFFSCREEN_CONTAINERS) != 0;
        view = RteRectIterator(doc->viewArea).Bounds();
        hooks = doc->hooks;
    }
    hooks.port(handle, 1);
    RteRect area = *rect;
    // Off-screen, only the part the view shows is drawn, band by band.
    if (!offscreen) {
        RteEraseRect(env, &area);
    } else if (RteSectRect(&area, &view, &area)) {
        int32_t done = 0;
        do {
            RteRect band;
            RtePoint offset;
            RteOffscreenBegin(handle, &area, &band, &offset);
            RteEraseRect(env, &area);
            done = RteOffscreenEnd(handle);
        } while (!done);
    }
    hooks.port(handle, 0);
}
