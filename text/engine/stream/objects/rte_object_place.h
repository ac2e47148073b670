// Where objects stand in the laid-out text: an object's rect on its line, the object under a
// point, and an object given a new size.
#pragma once

#include "rte_object_records.h"
#include "rte_runs.h"

// The rect of the object that the style carries, on the line of the position: across its run,
// less the side insets; vertically from the baseline (the object's descent below it, its height
// above that) unless the object spans its line. In window coordinates (the port's origin less
// the scroll), scaled when the document scales.
void RteObjectFrame(RteHandle doc, const RteCharStyle* style, int32_t position, RteRect* out);
// The n-th object of the range (null: the selection, or the whole text for a caret): its offset
// (-1 when there is none), its rect, its descent and the view origin less the scroll.
int32_t RteObjectRect(RteHandle doc, int32_t n, const RteRange* range, RteRect* rect, int32_t* descent,
                      RtePoint* origin);
// The object whose rect holds the window point: its handle (null when none), its offset and
// style; with click its callback hears code 5 with the point.
RteHandle RteObjectAtPoint(RteHandle doc, const RtePoint* point, int32_t* offset, RteCharStyle* style, bool click);
// The n-th object takes the size rect's width and height and the descent: its text is laid out
// again, its style's ascent and descent follow, and with redraw the text is drawn again.
// Returns 0 when nothing changed (then nothing is redrawn).
int32_t RteSetObjectSize(RteHandle doc, int32_t n, const RteRange* range, const RteRect* size, int32_t descent,
                         int16_t redraw);
