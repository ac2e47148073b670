// The control's document saved to and loaded from files and memory as a record stream, and
// the probe of a stream's start.
#include "rte_control_internal.h"
#include "rte_io.h"
#include "rte_record_stream.h"
#include "rte_scrolling.h"

namespace {

struct Target {
    RteIoProc reader;
    RteIoProc writer;
    intptr_t reference;
    int32_t position;
};

LRESULT Save(RteControl* control, Target target)
{
    uint16_t code = 0;
    bool ran = RteGuarded(control, [&] {
        code = RteSaveDoc(control->document, &target.position, nullptr, 0, target.writer, target.reference, 0);
        if (!code)
            code = RteSaveDocEnd(control->document, &target.position, target.writer, target.reference);
    });
    if (!ran || code)
        return -1;
    RteSetChangeCounter(control->document, 0);
    return target.position;
}

// The stream is read into a scratch document first, so that a damaged one leaves the control's
// document, its change count and its selection as they were.
LRESULT Load(RteControl* control, Target target)
{
    int32_t position = target.position;
    uint16_t code = 0;
    uint16_t raised = RteTry(RteControlContext(), [&] {
        RteHandle scratch = RteNewDocument(RteEnvironmentOf());
        code = RteReadDoc(scratch, &position, nullptr, 0, target.reader, target.reference);
        RteDocDestroy(scratch);
    });
    if (!raised && !code) {
        position = target.position;
        raised = RteTry(RteControlContext(), [&] {
            uint32_t readOnly = RteGetDocFlags(control->document) & 0x8;
            code = RteReadDoc(control->document, &position, nullptr, 0, target.reader, target.reference);
            RteSetDocFlags(control->document, RteGetDocFlags(control->document) | readOnly);
        });
    }
    if (raised)
        code = raised;
    if (code) {
        RteNotifyError(control, code);
        return -static_cast<LRESULT>(code);
    }
    RteApplyControlFlags(control, control->flags);
    RteComputeAreas(control);
    RteSetChangeCounter(control->document, 0);
    RteUpdateScrollBars(control, false);
    InvalidateRect(control->window, nullptr, TRUE);
    return position;
}

Target FileTarget(WPARAM file, LPARAM position)
{
    return Target{RteDirectFileReader, RteDirectFileWriter, static_cast<intptr_t>(file), static_cast<int32_t>(position)};
}

Target MemoryTarget(WPARAM position, LPARAM memory)
{
    return Target{RteMemReader, RteMemWriter, static_cast<intptr_t>(memory), static_cast<int32_t>(position)};
}

LRESULT Probe(Target target)
{
    return RteIsRecordStream(target.reference, target.reader, target.position) == 0 ? 0 : -1;
}

}  // namespace

LRESULT RteControlStorageMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case RTEM_SAVE: return Save(control, FileTarget(wParam, lParam));
    case RTEM_LOAD: return Load(control, FileTarget(wParam, lParam));
    case RTEM_PROBE: return Probe(FileTarget(wParam, lParam));
    case RTEM_PRINTPAGE:
    case RTEM_GETPRINTINFO:
    case RTEM_FITPRINTPAGE:
        return RteControlPrintMessage(control, message, wParam, lParam);
    case RTEM_SAVEMEM: return Save(control, MemoryTarget(wParam, lParam));
    case RTEM_LOADMEM: return Load(control, MemoryTarget(wParam, lParam));
    case RTEM_PROBEMEM: return Probe(MemoryTarget(wParam, lParam));
    default: return DefWindowProcA(control->window, message, wParam, lParam);
    }
}
