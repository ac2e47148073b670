// The storage messages on the document's output record and the refit of the control to its
// client rectangle.
#include "rte_control_internal.h"

namespace {

// The view takes the whole client rectangle and the wrap rect starts there too; the areas then
// come off it by the pens and margins as at creation. The objects the text holds are then all
// served as the control's own.
void Refit(RteControl* control, bool redraw)
{
    RECT client = {};
    GetClientRect(control->window, &client);
    control->view = RteRect{client.top, client.left, client.bottom, client.right};
    control->wrap = control->view;
    RteComputeAreas(control);
    RteHookControlObjects(control->document);
    if (redraw)
        RteControlRedraw(control, false);
    else
        RteUpdateScrollBars(control, false);
}

}  // namespace

LRESULT RteControlOutputMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case RTEM_SETOUTPUTREC: {
        int32_t result = RteSetDeviceRecord(control->document, reinterpret_cast<const RteOutputRecord*>(lParam));
        if (wParam)
            RteControlRedraw(control, false);
        return result;
    }
    case RTEM_GETOUTPUTDC:
        return RteGetDeviceMode(control->document);
    case RTEM_REFIT:
        Refit(control, wParam != 0);
        return 0;
    default:
        return DefWindowProcA(control->window, message, wParam, lParam);
    }
}
