// Objects drawn where layout put their characters: a rect from the run's left and the line's
// baseline, handed to the object's callback, or the object's text written there.
#include <windows.h>

#include <cstring>

#include "rte_gdi.h"
#include "rte_gdi_port.h"
#include "rte_gdi_text.h"
#include "rte_object_draw.h"
#include "rte_typed.h"

namespace {

bool IsTextKind(int32_t kind) { return kind == RTE_KIND_TEXT || kind == RTE_KIND_TEXT_BOX; }

}  // namespace

void RteDrawObjectText(RtePicturePort* port, const RteObject& object, const RtePoint* point)
{
    RteHandle locked = nullptr;
    const char* text = RteObjectText(&object, &locked);
    auto dc = static_cast<HDC>(port->dc);
    UINT align = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    TextOutA(dc, point->h, point->v, text, static_cast<int>(strnlen(text, 0x7FFF)));
    SetTextAlign(dc, align);
    if (locked)
        RteUnlock(locked);
}

intptr_t RteDrawObjectRun(RteHandle doc, RteCharStyle* style, intptr_t request, intptr_t, intptr_t, intptr_t)
{
    auto& run = *reinterpret_cast<RteDrawRun*>(request);
    run.width = RteObjectRunWidth(doc, style, run.count);
    auto handle = reinterpret_cast<RteHandle>(style->object);
    RteObject object = RteObjectOf(handle);
    RteEnvironment* env = RteLocked<RteDocument>(doc)->env;
    RteGdiEnv* gdi = RteGdiOf(env);
    if (!gdi)
        return run.width;  // a device that draws nothing
    int32_t baseline = run.baseline - style->superscript + style->subscript;
    RteRect rect = {baseline + object.descent - object.height, run.x + object.insets[RTE_INSET_LEFT],
                    baseline + object.descent, run.x + object.insets[RTE_INSET_LEFT] + object.width};
    if (object.typeWord & RTE_OBJECT_SPANS_LINE) {
        rect.top = run.line.top;
        rect.bottom = run.line.bottom;
    }
    RteGdiPort* port = gdi->current ? gdi->current : RteGdiPortOf(&RteLocked<RteDocument>(doc)->port);
    RtePicturePort picture = {RtePortGetDC(port), env->context, nullptr, nullptr};
    if (IsTextKind(RteObjectKindOf(object))) {
        RtePoint at = {baseline, rect.left};
        RteDrawObjectText(&picture, object, &at);
    } else if (object.callback) {
        object.callback(doc, handle, object.styleData, RTE_OBJECT_DRAW, reinterpret_cast<intptr_t>(&picture),
                        reinterpret_cast<intptr_t>(&rect), 0);
    }
    RtePortReleaseDC(port);
    return run.width;
}
