// The read driver: records from the position until the end record or the end of the stream,
// each header and body checked against the stream before anything is read into the document.
#include <cstring>

#include "rte_catalogue.h"
#include "rte_io.h"
#include "rte_position_cache.h"
#include "rte_typed.h"

namespace {

constexpr uint16_t kBodyGrowth = 300;

struct Read {
    RteHandle doc;          // the document that takes the records: the main one or a sub-document
    RteDocument* locked;
    RteHandle list;
    RteHandle body;
    int32_t* position;
    RteIoProc io;
    intptr_t reference;
    int32_t end;
    RteStreamPass pass;
    RteHandle main;
    RteDocument* mainLocked;
    RteStreamPass mainPass;  // set aside while a sub-document is read
};

RteStreamPass NewPass(bool bound)
{
    RteStreamPass pass = {};
    pass.reading = true;
    pass.version = static_cast<int32_t>(RTE_STREAM_VERSION);
    pass.bound = bound;
    return pass;
}

[[noreturn]] void Raise(Read& read, uint16_t code) { RteRaise(read.locked->env->context, code, nullptr); }

// A code of the stream's callback, as the exception handler sees it; raised unless it passes.
void RaiseTranslated(Read& read, uint16_t code)
{
    code = RteRecordError(read.doc, read.list, code, false, read.body);
    if (code)
        Raise(read, code);
}

RteIoProc ReaderIo(const RteRecordHandler* handler, RteIoProc io)
{
    if (io)
        return io;
    return handler && handler->readIo ? handler->readIo : RteFileReader;
}

bool SameEnvironment(const RteEnvironment& a, const RteEnvironment& b)
{
    return std::memcmp(a.settings, b.settings, sizeof a.settings) == 0 &&
           std::memcmp(a.defaultsBlock, b.defaultsBlock, sizeof a.defaultsBlock) == 0 &&
           std::memcmp(&a.textColor, &b.textColor, sizeof a.textColor) == 0 &&
           std::memcmp(&a.backColor, &b.backColor, sizeof a.backColor) == 0;
}

RteRecordHeader ReadHeader(Read& read)
{
    if (read.end - *read.position < RTE_HEADER_BYTES)
        Raise(read, RTE_ERR_STREAM_DAMAGED);
    uint8_t text[RTE_HEADER_BYTES];
    int32_t at = *read.position;
    int32_t length = RTE_HEADER_BYTES;
    uint16_t code = ReaderIo(nullptr, read.io)(text, RTE_IO_TRANSFER, &at, &length, read.reference);
    if (code)
        RaiseTranslated(read, code);
    RteRecordHeader header;
    if (length != RTE_HEADER_BYTES || !RteParseHeader(text, &header))
        Raise(read, RTE_ERR_STREAM_DAMAGED);
    *read.position = at;
    if (header.length < 0 || header.length > read.end - at)
        Raise(read, RTE_ERR_STREAM_DAMAGED);
    return header;
}

void ReadBody(Read& read, const RteRecordHandler* handler, const RteRecordHeader& header)
{
    int32_t at = *read.position;
    int32_t length = header.length;
    uint16_t code = ReaderIo(handler, read.io)(read.body, RTE_IO_TRANSFER_HANDLE, &at, &length, read.reference);
    if (code)
        RaiseTranslated(read, code);
    if (at != *read.position + header.length || RteCount(read.body) != header.length)
        Raise(read, RTE_ERR_STREAM_DAMAGED);
}

void CallReader(Read& read, const RteRecordHandler& handler, const RteRecordHeader& header)
{
    bool custom = !(handler.flags & RTE_RECORD_DEFAULT_READER) && handler.reader;
    RteRecordProc reader = custom ? handler.reader : RteDefaultRecordReader;
    RteEnvironment copy;
    read.pass.envCopy = nullptr;
    if (header.type == RTE_REC_ENVIRONMENT) {
        copy = *read.locked->env;
        read.pass.envCopy = &copy;
    }
    int32_t value = header.value;
    uint16_t done = reader(read.doc, header.type, read.body, &value, reinterpret_cast<intptr_t>(&read.pass), nullptr);
    if (header.type == RTE_RECORD_START && !done)
        Raise(read, RTE_ERR_STREAM_DAMAGED);
    while (custom && !done)
        done = reader(read.doc, header.type, read.body, &value, reinterpret_cast<intptr_t>(&read.pass), nullptr);
    if (read.pass.envCopy && !SameEnvironment(copy, *read.locked->env)) {
        uint16_t code = RteRecordError(read.doc, read.list, RTE_ERR_ENVIRONMENT_DIFFERS, false, read.body);
        if (code)
            Raise(read, code);
    }
    read.pass.envCopy = nullptr;
}

// The sub-document read so far is fixed up and left; the records go to the main document
// again.
void LeaveSubDocument(Read& read)
{
    if (read.doc == read.main)
        return;
    RteHandle sub = read.doc;
    read.doc = read.main;
    read.locked = read.mainLocked;
    read.locked->env->context->currentKey = read.locked->key;
    RteStreamPass pass = std::move(read.pass);
    read.pass = std::move(read.mainPass);
    RteUnlock(sub);  // the lock taken when the sub-document was entered
    RteAfterRead(sub, &pass);
    RteLocked<RteDocument> locked(sub);
    locked->flags &= ~RTE_DOC_READING;
    locked->port.flags |= RTE_PORT_CHANGED;
}

// A settings record with a nonzero value starts a sub-document: the type-18 handler names the
// document that takes its records (null: they are skipped up to the next settings record).
// Returns false when the records are to be skipped.
bool EnterSubDocument(Read& read, int32_t value)
{
    LeaveSubDocument(read);
    RteRecordHandler* found = RteFindRecordType(read.list, RTE_REC_SUBDOCUMENT, nullptr);
    if (!found)
        return false;
    RteRecordHandler handler = *found;
    RteUnlock(read.list);
    if ((handler.flags & RTE_RECORD_DEFAULT_READER) || !handler.reader)
        return false;
    RteHandle sub = nullptr;
    int32_t asked = value;
    while (!handler.reader(read.main, RTE_REC_SUBDOCUMENT, read.body, &asked, reinterpret_cast<intptr_t>(&sub), nullptr)) {
    }
    if (!sub || sub == read.main)
        return false;
    read.mainPass = std::move(read.pass);
    read.pass = NewPass(false);
    read.doc = sub;
    read.locked = static_cast<RteDocument*>(RteLock(sub));
    read.locked->env->context->currentKey = read.locked->key;
    RteDropDocPositions(sub);
    return true;
}

void ReadRecords(Read& read)
{
    bool first = true;
    bool skipping = false;  // the records of a sub-document no handler takes
    while (*read.position < read.end) {
        RteRecordHeader header = ReadHeader(read);
        int32_t bodyAt = *read.position;
        if (header.type == RTE_RECORD_END) {
            *read.position = bodyAt + header.length;
            break;
        }
        if (first && header.type > 0)
            Raise(read, RTE_ERR_STREAM_DAMAGED);
        first = false;
        if (header.type == RTE_REC_SETTINGS && header.value != 0) {
            skipping = !EnterSubDocument(read, header.value);
        } else if (header.type == RTE_REC_SETTINGS) {
            skipping = false;
            LeaveSubDocument(read);
        }
        RteRecordHandler handler = {header.type, RTE_RECORD_DEFAULT_READER | RTE_RECORD_DEFAULT_WRITER,
                                    nullptr, nullptr, nullptr, nullptr};
        bool known = header.type == RTE_RECORD_START;
        if (!known && !skipping) {
            RteRecordHandler* found = RteFindRecordType(read.list, header.type, nullptr);
            if (found) {
                handler = *found;
                RteUnlock(read.list);
                known = true;
            } else {
                RaiseTranslated(read, RTE_ERR_UNKNOWN_RECORD);
            }
        }
        if (known && !skipping) {
            ReadBody(read, &handler, header);
            read.pass.bodyPosition = bodyAt;
            read.pass.bodySize = header.length;
            read.pass.bodyBytes = header.type == RTE_REC_CHAR_STYLES ? RteBodySize(read.body) : 0;
            CallReader(read, handler, header);
            if (header.type >= 0 && header.type < 64)
                read.pass.typesRead[header.type / 32] |= 1u << (header.type % 32);
        }
        *read.position = bodyAt + header.length;
        read.mainLocked->hooks.progress(read.main, RTE_PROGRESS_READ, *read.position, read.end);
    }
    LeaveSubDocument(read);
}

uint16_t ReadDoc(RteHandle doc, int32_t* position, const int16_t* types, int32_t count, RteIoProc io,
                 intptr_t reference, bool bound)
{
    RteLocked<RteDocument> locked(doc);
    RteMemContext* context = locked->env->context;
    uint32_t oldKey = context->currentKey;
    Read read{doc, locked.get(), nullptr, nullptr, position, io, reference, 0, NewPass(bound), doc, locked.get(), {}};
    uint16_t code = RteTry(context, [&] {
        if (!locked->env->registry)
            RteMakeRegistry(locked->env);
        read.list = RteRecordTypeList(locked->env, types, count);
        context->currentKey = locked->key;
        RteDropDocPositions(doc);
        read.body = RteAlloc(context, 1, 0, kBodyGrowth, false);
        int32_t at = *position;
        int32_t none = 0;
        uint16_t sizeCode = ReaderIo(nullptr, io)(&read.end, RTE_IO_SIZE, &at, &none, reference);
        if (sizeCode)
            RaiseTranslated(read, sizeCode);
        if (*position >= read.end)
            Raise(read, RTE_ERR_EMPTY_STREAM);
        ReadRecords(read);
        RteAfterRead(doc, &read.pass);
    });
    if (code)
        RteTry(context, [&] { LeaveSubDocument(read); });
    if (code && code != RTE_ERR_READER_STOPPED) {
        // What was read stays, made consistent, so that the document can still be used.
        RteTry(context, [&] { RteAfterRead(doc, &read.pass); });
        locked->hooks.progress(doc, RTE_PROGRESS_READ, read.end, read.end);
    } else if (code == 0) {
        locked->hooks.progress(doc, RTE_PROGRESS_READ, read.end, read.end);
    }
    if (read.body)
        RteFree(read.body);
    if (read.list)
        RteFree(read.list);
    locked->flags &= ~RTE_DOC_READING;
    locked->port.flags |= RTE_PORT_CHANGED;
    context->currentKey = oldKey;
    if (code == RTE_ERR_READER_STOPPED)
        return 0;
    if (code) {
        RteUnlockAllByKey(context, locked->key);
        RteLock(doc);  // the scoped lock of this call gives its own lock back
    }
    return code;
}

}  // namespace

uint16_t RteReadDoc(RteHandle doc, int32_t* position, const int16_t* types, int32_t count, RteIoProc io,
                    intptr_t reference)
{
    return ReadDoc(doc, position, types, count, io, reference, false);
}

uint16_t RteReadDocBound(RteHandle doc, int32_t* position, const int16_t* types, int32_t count, RteIoProc io,
                         intptr_t reference)
{
    RteMemContext* context;
    {
        RteLocked<RteDocument> locked(doc);
        context = locked->env->context;
        RteBindDocText(locked.get(), io, reference, nullptr);
    }
    uint16_t code = ReadDoc(doc, position, types, count, io, reference, true);
    if (code || RteIsBoundDoc(context, doc))
        return code;
    return RteTry(context, [&] {
        if (!context->boundDocuments)
            context->boundDocuments = RteAlloc(context, sizeof(RteHandle), 0, 2, true);
        *static_cast<RteHandle*>(RteAppend(context->boundDocuments, 1, false)) = doc;
        RteUnlock(context->boundDocuments);
    });
}

uint16_t RteRecordError(RteHandle doc, RteHandle list, uint16_t code, bool writing, RteHandle body)
{
    RteEnvironment* env = RteLocked<RteDocument>(doc)->env;
    RteMemContext* context = env->context;
    context->lastError = code;
    RteRecordHandler handler = {RTE_REC_EXCEPTION, 0, nullptr, nullptr, nullptr, nullptr};
    RteRecordHandler* found = list ? RteFindRecordType(list, RTE_REC_EXCEPTION, nullptr) : nullptr;
    if (found) {
        handler = *found;
        RteUnlock(list);
    } else if (RteGetRecordType(env, &handler) != 0) {
        return code;
    }
    bool custom = writing ? !(handler.flags & RTE_RECORD_DEFAULT_WRITER) && handler.writer
                          : !(handler.flags & RTE_RECORD_DEFAULT_READER) && handler.reader;
    RteRecordProc proc = writing ? (custom ? handler.writer : RteDefaultRecordWriter)
                                 : (custom ? handler.reader : RteDefaultRecordReader);
    int32_t value = code;
    while (!proc(doc, RTE_REC_EXCEPTION, body, &value, 0, nullptr)) {
    }
    context->lastError = static_cast<uint16_t>(value);
    return static_cast<uint16_t>(value);
}
