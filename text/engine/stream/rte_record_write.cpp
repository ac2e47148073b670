// The save driver: the start record, the records of the listed types in list order, and the
// end record on its own; every byte through the caller's I/O callback.
#include <string>

#include "rte_catalogue.h"
#include "rte_io.h"
#include "rte_record_codec.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

// The text is read again from the stream it was written to: through the reader of the writer's
// kind (a writer's transfer would write). A callback of the caller's own serves both ways.
RteIoProc ReaderOf(RteIoProc writer)
{
    if (!writer || writer == RteFileWriter)
        return RteFileReader;
    if (writer == RteDirectFileWriter)
        return RteDirectFileReader;
    if (writer == RteMemWriter)
        return RteMemReader;
    return writer;
}

constexpr uint16_t kBodyGrowth = 300;

RteIoProc HeaderIo(RteIoProc io) { return io ? io : RteFileWriter; }

RteIoProc BodyIo(const RteRecordHandler* handler, RteIoProc io)
{
    if (io)
        return io;
    return handler && handler->writeIo ? handler->writeIo : RteFileWriter;
}

RteRecordProc WriterOf(const RteRecordHandler& handler)
{
    return (handler.flags & RTE_RECORD_DEFAULT_WRITER) || !handler.writer ? RteDefaultRecordWriter : handler.writer;
}

class SaveProgress {
public:
    SaveProgress(RteHandle doc, RteProgressHook hook, int32_t total) : doc_(doc), hook_(hook), total_(total) {}
    // Done stays below the total until the save has ended.
    void Report(int32_t done)
    {
        int32_t shown = done < total_ ? done : (total_ > 0 ? total_ - 1 : 0);
        hook_(doc_, RTE_PROGRESS_SAVE, shown, total_);
    }
    void Finish() { hook_(doc_, RTE_PROGRESS_SAVE, total_, total_); }

private:
    RteHandle doc_;
    RteProgressHook hook_;
    int32_t total_;
};

struct Save {
    RteHandle doc;
    RteDocument* locked;
    RteHandle list;
    RteHandle body;
    int32_t* position;
    RteIoProc io;
    intptr_t reference;
    RteStreamPass pass;
    int32_t done;
};

void Raise(Save& save, uint16_t code) { RteRaise(save.locked->env->context, code, nullptr); }

// Calls the writer until it is done, writing each body it fills.
void WriteRecords(Save& save, const RteRecordHandler& handler, int16_t type, int32_t value, int32_t block)
{
    RteRecordProc writer = WriterOf(handler);
    uint16_t done = 0;
    while (!done) {
        int32_t headerValue = value;
        save.pass.textAt = -1;
        done = writer(save.doc, type, save.body, &headerValue, reinterpret_cast<intptr_t>(&save.pass), &save.done);
        int32_t at = *save.position;
        uint16_t code = RteWriteRecord(&handler, type, save.body, headerValue, save.position, save.io, save.reference);
        if (code == 0 && RteByteSize(save.body) > 0 && writer != RteDefaultRecordWriter)
            code = RteRecordError(save.doc, save.list, RTE_ERR_CUSTOM_WRITER, true, save.body);
        if (code)
            Raise(save, code);
        if (block >= 0 && save.pass.textAt >= 0)
            save.pass.textPositions[static_cast<size_t>(block)] = at + RTE_HEADER_BYTES + save.pass.textAt;
    }
}

void WriteType(Save& save, const RteRecordHandler& handler, int32_t settingsValue)
{
    RteDocument* doc = save.locked;
    int16_t type = handler.type;
    if (type == RTE_REC_TEXT || type == RTE_REC_LINES) {
        int32_t count = RteCount(doc->blocks);
        for (int32_t i = 0, start = 0; i < count; ++i) {
            RteTextBlock block;
            RteGetElement(doc->blocks, i, &block);
            WriteRecords(save, handler, type, start, type == RTE_REC_TEXT ? i : -1);
            start += block.length;
        }
    } else if (type == RTE_REC_EXTENSION) {
        if (!doc->ext)
            return;
        for (int32_t i = 0; i < RteCount(doc->ext); ++i) {
            if (RteLocked<int32_t>(doc->ext)[i] == 0)
                continue;
            save.pass.extIndex = i + RTE_EXT_FIRST;
            WriteRecords(save, handler, type, i + RTE_EXT_FIRST, -1);
        }
    } else {
        WriteRecords(save, handler, type, type == RTE_REC_SETTINGS ? settingsValue : 0, -1);
    }
}

bool Lists(RteHandle list, int16_t type)
{
    RteLocked<RteRecordHandler> entries(list);
    for (int32_t i = 0; i < entries.size(); ++i)
        if (entries[i].type == type)
            return true;
    return false;
}

int32_t Estimate(RteDocument* doc, RteHandle list)
{
    int64_t total = 0;
    RteLocked<RteRecordHandler> entries(list);
    for (int32_t i = 0; i < entries.size(); ++i)
        total += RteRecordEstimate(doc, entries[i].type);
    return static_cast<int32_t>(total > INT32_MAX ? INT32_MAX : total);
}

uint16_t SaveDoc(RteHandle doc, int32_t* position, const int16_t* types, int32_t count, RteIoProc io,
                 intptr_t reference, int32_t settingsValue, RteStreamPass* kept)
{
    RteLocked<RteDocument> locked(doc);
    RteMemContext* context = locked->env->context;
    uint32_t oldKey = context->currentKey;
    Save save{doc, locked.get(), nullptr, nullptr, position, io, reference, {}, 0};
    int32_t total = 0;
    uint16_t code = RteTry(context, [&] {
        locked->version = RTE_STREAM_VERSION;
        // The registry is the environment's: made under the document's key, it would go with
        // the document.
        if (!locked->env->registry)
            RteMakeRegistry(locked->env);
        context->currentKey = locked->key;
        save.list = RteRecordTypeList(locked->env, types, count);
        if (!Lists(save.list, RTE_REC_LINES))
            locked->flags |= RTE_DOC_LINES_NOT_SAVED;
        save.body = RteAlloc(context, 1, 0, kBodyGrowth, false);
        rte_catalogue::PrepareSave(locked.get(), &save.pass);
        save.pass.textPositions.assign(static_cast<size_t>(RteCount(locked->blocks)), -1);
        total = Estimate(locked.get(), save.list);
        SaveProgress progress(doc, locked->hooks.progress, total);
        progress.Report(0);
        RteRecordHandler start = {RTE_RECORD_START, RTE_RECORD_DEFAULT_READER | RTE_RECORD_DEFAULT_WRITER,
                                  nullptr, nullptr, nullptr, nullptr};
        WriteRecords(save, start, RTE_RECORD_START, static_cast<int32_t>(RTE_STREAM_VERSION), -1);
        int32_t entries = RteCount(save.list);
        for (int32_t i = 0; i < entries; ++i) {
            RteRecordHandler handler;
            RteGetElement(save.list, i, &handler);
            WriteType(save, handler, settingsValue);
            progress.Report(save.done);
        }
        progress.Finish();
    });
    if (save.body)
        RteFree(save.body);
    if (save.list)
        RteFree(save.list);
    locked->flags &= ~RTE_DOC_LINES_NOT_SAVED;
    context->currentKey = oldKey;
    if (code) {
        locked->hooks.progress(doc, RTE_PROGRESS_SAVE, total, total);
        RteUnlockAllByKey(context, locked->key);
        RteLock(doc);  // the scoped lock of this call gives its own lock back
        return code;
    }
    if (kept)
        *kept = std::move(save.pass);
    return 0;
}

}  // namespace

uint16_t RteWriteRecord(const RteRecordHandler* handler, int16_t type, RteHandle body, int32_t value,
                        int32_t* position, RteIoProc io, intptr_t reference)
{
    int32_t length = static_cast<int32_t>(RteByteSize(body));
    if (length == 0)
        return 0;
    std::string header = RteFormatHeader({type, length, value});
    int32_t at = *position;
    int32_t moved = RTE_HEADER_BYTES;
    uint16_t code = HeaderIo(io)(header.data(), RTE_IO_TRANSFER, &at, &moved, reference);
    if (code)
        return code;
    int32_t bodyLength = length;
    code = BodyIo(handler, io)(body, RTE_IO_TRANSFER_HANDLE, &at, &bodyLength, reference);
    if (code)
        return code;
    if (at != *position + RTE_HEADER_BYTES + length) {
        // The callback changed the body's length: the header says what was written.
        header = RteFormatHeader({type, at - *position - RTE_HEADER_BYTES, value});
        int32_t headerAt = *position;
        moved = RTE_HEADER_BYTES;
        code = HeaderIo(io)(header.data(), RTE_IO_TRANSFER, &headerAt, &moved, reference);
        if (code)
            return code;
    }
    *position = at;
    return 0;
}

uint16_t RteSaveDoc(RteHandle doc, int32_t* position, const int16_t* types, int32_t count, RteIoProc io,
                    intptr_t reference, int32_t settingsValue)
{
    return SaveDoc(doc, position, types, count, io, reference, settingsValue, nullptr);
}

uint16_t RteSaveDocBound(RteHandle doc, int32_t* position, const int16_t* types, int32_t count, RteIoProc io,
                         intptr_t reference, int32_t settingsValue)
{
    RteStreamPass pass;
    uint16_t code = SaveDoc(doc, position, types, count, io, reference, settingsValue, &pass);
    if (code)
        return code;
    // The document's text now lies in this stream: clean blocks may give their text up and
    // read it again from here.
    RteLocked<RteDocument> locked(doc);
    locked->streamRef = reference;
    locked->streamIo = ReaderOf(io);
    locked->hooks.loadText = RteLoadBoundText;
    RteLocked<RteTextBlock> blocks(locked->blocks);
    for (int32_t i = 0; i < blocks.size() && static_cast<size_t>(i) < pass.textPositions.size(); ++i) {
        blocks[i].streamPosition = pass.textPositions[static_cast<size_t>(i)];
        if (blocks[i].streamPosition >= 0)
            blocks[i].flags &= ~RTE_BLOCK_DIRTY;
    }
    return 0;
}

uint16_t RteSaveDocEnd(RteHandle doc, int32_t* position, RteIoProc io, intptr_t reference)
{
    RteMemContext* context = RteLocked<RteDocument>(doc)->env->context;
    RteHandle body = nullptr;
    uint16_t result = 0;
    uint16_t code = RteTry(context, [&] {
        body = RteAlloc(context, 1, 0, kBodyGrowth, false);
        int32_t value = static_cast<int32_t>(RTE_STREAM_VERSION);
        RteDefaultRecordWriter(doc, RTE_RECORD_END, body, &value, 0, nullptr);
        result = RteWriteRecord(nullptr, RTE_RECORD_END, body, value, position, io, reference);
    });
    if (body)
        RteFree(body);
    return code ? code : result;
}
