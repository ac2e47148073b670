// The embedded-object group: objects made from the control's object record, inserted, applied,
// counted, read, changed, sized, found and deleted; and the object callback through which the
// notify window serves the objects of a control that asks for it.
#include <cstring>

#include "rte_control_internal.h"
#include "rte_control_objects.h"
#include "rte_editing.h"
#include "rte_object_batch.h"
#include "rte_object_place.h"
#include "rte_object_queries.h"
#include "rte_object_stream.h"
#include "rte_record_stream.h"
#include "rte_selection.h"
#include "rte_typed.h"
#include "rte_undo.h"

namespace {

RteRange WholeText(RteHandle doc) { return RteRange{0, RteTextLength(doc)}; }

// The text offset of the n-th object (from 1) of the text, -1 when there is none.
int32_t OffsetOfObject(RteHandle doc, WPARAM index)
{
    RteRange all = WholeText(doc);
    int32_t offset = -1, style = 0;
    if (!RteNthObject(doc, &all, static_cast<int32_t>(index), &offset, &style))
        return -1;
    return offset;
}

// The 1-based place in the text of the object that starts at the offset.
int32_t IndexOfObjectAt(RteHandle doc, int32_t offset)
{
    RteRange before{0, offset + 1};
    return RteCountObjects(doc, &before);
}

// A new object from the record goes in at its offset (kind 12 of undo), or is set over the
// selection (kind 6); from then on the parent serves every object of the control.
LRESULT MakeObject(RteControl* control, UINT message, WPARAM redraw, const RteControlObject* record)
{
    RteHandle doc = control->document;
    RteControlDropUndo(control);
    control->notifyFlags |= RTEN_FLAG_OBJECT;
    int16_t mode = redraw ? control->editRedraw : 0;
    RteGuarded(control, [&] {
        RteHandle object = RteNewControlObject(RteControlContext(), record);
        if (message == RTEM_INSERTOBJECT) {
            int32_t offset = record->offset;
            RteControlPrepareUndo(control, RTE_UNDO_INSERT_OBJECT, &offset);
            RteInsertObject(doc, object, offset, RteControlObjectProc, 0, mode);
        } else {
            RteControlPrepareUndo(control, RTE_UNDO_RESTYLE, nullptr);
            RteApplyObject(doc, object, nullptr, RteControlObjectProc, 0, mode);
        }
    });
    RteNotifyChange(control);
    if (redraw)
        RteNotifyPending(control);
    return 0;
}

LRESULT ObjectRect(RteControl* control, WPARAM index, RteControlObject* record)
{
    RteHandle doc = control->document;
    RteRange all = WholeText(doc);
    RtePoint origin{};
    int32_t offset = -1;
    RteGuarded(control, [&] {
        offset = RteObjectRect(doc, static_cast<int32_t>(index), &all, &record->picture.rect, &record->descent, &origin);
    });
    if (offset < 0)
        return 0;
    record->offset = offset;
    return offset;
}

LRESULT SetObjectSize(RteControl* control, WPARAM index, const RteControlObject* record)
{
    RteHandle doc = control->document;
    RteRange all = WholeText(doc);
    int32_t changed = 0;
    RteGuarded(control, [&] {
        changed = RteSetObjectSize(doc, static_cast<int32_t>(index), &all, &record->picture.rect, record->descent,
                                   control->editRedraw);
    });
    if (changed)
        RteNotifyChange(control);
    return changed;
}

LRESULT ObjectAtPoint(RteControl* control, LPARAM lParam)
{
    RteHandle doc = control->document;
    RtePoint point{static_cast<int16_t>(HIWORD(lParam)), static_cast<int16_t>(LOWORD(lParam))};
    int32_t offset = 0;
    RteCharStyle style{};
    if (!RteObjectAtPoint(doc, &point, &offset, &style, false))
        return 0;
    return IndexOfObjectAt(doc, offset);
}

LRESULT NextObject(RteControl* control, RteControlObject* record)
{
    RteHandle doc = control->document;
    int32_t offset = record->offset;
    if (!RteNextObject(doc, &offset, record->typeFlags, static_cast<uint16_t>(record->typeMask)))
        return 0;
    record->offset = offset;
    return IndexOfObjectAt(doc, offset);
}

LRESULT RemoveObject(RteControl* control, WPARAM index)
{
    RteHandle doc = control->document;
    int32_t offset = OffsetOfObject(doc, index);
    if (offset < 0)
        return 0;
    RteGuarded(control, [&] {
        RteRange characters{offset, offset + 2};
        RteControlPrepareUndo(control, RTE_UNDO_CUT, &characters);
        RteDeleteRange(doc, &characters, control->editRedraw);
    });
    RteNotifyChange(control);
    return 1;
}

// The object at the selection's start (which 0) or at the record's offset; a place without one
// leaves the record cleared.
LRESULT ObjectAt(RteControl* control, WPARAM which, RteControlObject* record)
{
    if (!which) {
        int32_t end;
        RteGetSelection(control->document, &record->offset, &end);
    }
    if (RteReadControlObject(control->document, record))
        return 1;
    std::memset(record, 0, sizeof *record);
    return 0;
}

// The parent's answer to a hook's call, kept with the record it may have changed.
struct Answer {
    LRESULT value;
    RteObjectHookRecord record;
};

bool AskParent(RteHandle doc, RteHandle object, int32_t code, intptr_t x, intptr_t data, Answer* answer)
{
    RteDocControl control(doc, RTEN_FLAG_OBJECT);
    if (!control.get())
        return false;
    RteFillObjectHookRecord(doc, object, static_cast<int16_t>(code), x, data, control.get()->window, &answer->record);
    answer->value = RteNotify(control.get(), RTEN_OBJECT, reinterpret_cast<LPARAM>(&answer->record));
    RteEndObjectHookRecord(&answer->record);
    return answer->value != 0;
}

}  // namespace

intptr_t RteControlObjectProc(RteHandle doc, RteHandle object, intptr_t value, int32_t message, intptr_t x,
                              intptr_t data, int32_t length)
{
    Answer answer{};
    if (!AskParent(doc, object, message, x, data, &answer))
        return RteDefaultObjectProc(doc, object, value, message, x, data, length);
    // A measured object takes the width the parent left in the record; otherwise the answer
    // is the result.
    if (message == RTE_OBJECT_MEASURED)
        *reinterpret_cast<int32_t*>(data) = answer.record.width;
    return answer.value;
}

void RteHookControlObjects(RteHandle doc)
{
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteCharStyle> styles(locked->charStyles);
    for (int32_t i = 0; i < styles.size(); ++i) {
        auto object = reinterpret_cast<RteHandle>(styles[i].object);
        if (object && !(styles[i].flags & RTE_STYLE_DELETED))
            RteLocked<RteObject>(object)->callback = RteControlObjectProc;
    }
}

LRESULT RteControlObjectMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    RteHandle doc = control->document;
    auto* record = reinterpret_cast<RteControlObject*>(lParam);
    switch (message) {
    case RTEM_INSERTOBJECT:
    case RTEM_APPLYOBJECT:
        return MakeObject(control, message, wParam, record);
    case RTEM_COUNTOBJECTS:
        return RteCountObjects(doc, reinterpret_cast<const RteRange*>(lParam));
    case RTEM_GETOBJECT:
    case RTEM_SETOBJECT: {
        record->offset = OffsetOfObject(doc, wParam);
        if (record->offset < 0)
            return 0;
        if (message == RTEM_GETOBJECT)
            return RteReadControlObject(doc, record);
        RteGuarded(control, [&] { RteUpdateControlObject(doc, record); });
        RteNotifyPending(control);
        return 1;
    }
    case RTEM_GETOBJECTRECT:
        return ObjectRect(control, wParam, record);
    case RTEM_SETOBJECTSIZE:
        return SetObjectSize(control, wParam, record);
    case RTEM_OBJECTATPOINT:
        return ObjectAtPoint(control, lParam);
    case RTEM_NEXTOBJECT:
        return NextObject(control, record);
    case RTEM_DELETEOBJECT:
        return RemoveObject(control, wParam);
    case RTEM_GETOBJECTAT:
        return ObjectAt(control, wParam, record);
    case RTEM_UPDATEOBJECT: {
        int32_t changed = 0;
        RteGuarded(control, [&] { changed = RteUpdateControlObject(doc, record); });
        if (wParam)
            RteControlRedraw(control, true);
        return changed ? 1 : 0;
    }
    default:
        return DefWindowProcA(control->window, message, wParam, lParam);
    }
}
