// The control's document saved to and loaded from files and memory as a record stream, and
// the probe of a stream's start.
#include <algorithm>
#include <vector>

#include "rte_control_internal.h"
#include "rte_editing.h"
#include "rte_object_stream.h"
#include "rte_transfer.h"
#include "rte_typed.h"
#include "rte_io.h"
#include "rte_record_stream.h"
#include "rte_scrolling.h"

namespace {

constexpr int32_t kTextChunk = 4096;

struct Target {
    RteIoProc reader;
    RteIoProc writer;
    intptr_t reference;
    int32_t position;
};

// A bound save leaves the document's text in the stream it wrote, to be read again from there.
LRESULT Save(RteControl* control, Target target, bool bound = false)
{
    RteLayoutRecordScope layout;
    uint16_t code = 0;
    bool ran = RteGuarded(control, [&] {
        code = (bound ? RteSaveDocBound : RteSaveDoc)(control->document, &target.position, nullptr, 0, target.writer,
                                                      target.reference, 0);
        // A document sharing parts with another leaves the objects to that one's stream.
        if (!code && RteLocked<RteDocument>(control->document)->shared == 0)
            code = RteSaveObjects(control->document, target.writer, &target.position, target.reference);
        if (!code)
            code = RteSaveDocEnd(control->document, &target.position, target.writer, target.reference);
    });
    if (!ran || code)
        return -1;
    RteSetChangeCounter(control->document, 0);
    return target.position;
}

// The stream is read into a scratch document first, so that a damaged one leaves the control's
// document, its change count and its selection as they were. A bound load leaves the text in the
// stream until it is needed: the stream stays open while the control lives.
LRESULT Load(RteControl* control, Target target, bool bound = false)
{
    RteLayoutRecordScope layout;
    int32_t position = target.position;
    uint16_t code = 0;
    RteRegisterObjectRecords(RteEnvironmentOf(), RteControlObjectProc, 0);
    uint16_t raised = RteTry(RteControlContext(), [&] {
        RteHandle scratch = RteNewDocument(RteEnvironmentOf());
        code = RteReadDoc(scratch, &position, nullptr, 0, target.reader, target.reference);
        RteDocDestroy(scratch);
    });
    if (!raised && !code) {
        position = target.position;
        raised = RteTry(RteControlContext(), [&] {
            uint32_t readOnly = RteGetDocFlags(control->document) & 0x8;
            code = (bound ? RteReadDocBound : RteReadDoc)(control->document, &position, nullptr, 0, target.reader,
                                                          target.reference);
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

// The text block by block, as it stands, without records.
LRESULT SaveText(RteControl* control, Target target)
{
    RteHandle doc = control->document;
    int32_t length = RteTextLength(doc);
    for (int32_t at = 0; at < length;) {
        int32_t count = std::min(length - at, kTextChunk);
        RteRange range{at, at + count};
        RteHandle bytes = nullptr;
        if (!RteGuarded(control, [&] { bytes = RteCopyRangeText(doc, &range, 0); }) || !bytes)
            return -1;
        int32_t written = RteCount(bytes);
        uint16_t code = target.writer(RteLock(bytes), RTE_IO_TRANSFER, &target.position, &written, target.reference);
        RteUnlock(bytes);
        RteFree(bytes);
        if (code)
            return -1;
        at += count;
    }
    return target.position;
}

// Plain text read in chunks and inserted at the selection; a read error stops it.
LRESULT LoadText(RteControl* control, Target target)
{
    RteHandle doc = control->document;
    int32_t size = 0;
    int32_t none = 0;
    if (target.reader(&size, RTE_IO_SIZE, &target.position, &none, target.reference))
        return -1;
    std::vector<uint8_t> chunk(kTextChunk);
    while (target.position < size) {
        int32_t count = std::min(size - target.position, kTextChunk);
        if (target.reader(chunk.data(), RTE_IO_TRANSFER, &target.position, &count, target.reference) || count <= 0)
            break;
        if (!RteGuarded(control, [&] { RteInsertText(doc, chunk.data(), count, -1, RTE_KEYS_NONE, 0, 0); }))
            break;
    }
    InvalidateRect(control->window, nullptr, TRUE);
    return target.position;
}

// Records of the caller's own types are read back to the notify window. The answer 1 tells the
// stream reader that the record is done with.
uint16_t ForwardUserRecord(RteHandle doc, int16_t type, RteHandle body, int32_t*, intptr_t, int32_t*)
{
    RteDocControl control(doc);
    if (!control.get())
        return 1;
    RteUserRecordNotify record{0, type, RteLock(body), RteCount(body)};
    RteNotify(control.get(), RTEN_USERRECORD, reinterpret_cast<LPARAM>(&record));
    RteUnlock(body);
    return 1;
}

LRESULT WriteUserRecord(HANDLE file, const RteUserRecord* record)
{
    RteMemContext* context = RteControlContext();
    auto count = static_cast<int32_t>(record->end - record->start);
    if (count < 0)
        return -1;
    RteHandle body = RteNewFromData(context, record->start, 1, count);
    int32_t position = record->position;
    uint16_t written = 0;
    uint16_t code = RteTry(context, [&] {
        written = RteWriteRecord(nullptr, static_cast<int16_t>(RTE_USER_RECORD + record->number), body, record->value,
                              &position, RteDirectFileWriter, reinterpret_cast<intptr_t>(file));
    });
    RteFree(body);
    if (!code)
        code = written;
    return code ? code : position - record->position;
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
    case RTEM_SAVETEXT:
    case RTEM_SAVETEXT2: return SaveText(control, FileTarget(wParam, lParam));
    case RTEM_LOADTEXT: return LoadText(control, FileTarget(wParam, lParam));
    case RTEM_REGISTERRECORD:
        RteRegisterRecordType(RteEnvironmentOf(), static_cast<int16_t>(RTE_USER_RECORD + LOWORD(wParam)),
                              ForwardUserRecord, nullptr, nullptr, nullptr);
        return 0;
    case RTEM_WRITERECORD:
        return WriteUserRecord(reinterpret_cast<HANDLE>(wParam), reinterpret_cast<const RteUserRecord*>(lParam));
    case RTEM_PRINTPAGE:
    case RTEM_GETPRINTINFO:
    case RTEM_FITPRINTPAGE:
        return RteControlPrintMessage(control, message, wParam, lParam);
    case RTEM_SAVEMEM: return Save(control, MemoryTarget(wParam, lParam));
    case RTEM_LOADMEM: return Load(control, MemoryTarget(wParam, lParam));
    case RTEM_PROBEMEM: return Probe(MemoryTarget(wParam, lParam));
    case RTEM_SAVEBOUND: return Save(control, FileTarget(wParam, lParam), true);
    case RTEM_LOADBOUND: return Load(control, FileTarget(wParam, lParam), true);
    default: return RteControlOutputMessage(control, message, wParam, lParam);
    }
}
