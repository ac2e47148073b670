// Writing a TQX file, and finding its trailer again behind the record stream.
#include "text_files.h"

#include "qxfile.h"
#include "rte_document.h"
#include "rte_error.h"
#include "rte_io.h"
#include "rte_object_stream.h"
#include "rte_record_codec.h"
#include "rte_record_stream.h"
#include "rte_typed.h"

namespace {

// The stream as the engine's own save writes it: the records, the embedded objects (a
// document sharing its parts leaves them to the other's stream) and the end record. *end is
// where the stream stops.
bool WriteStream(RteHandle doc, QXFILE file, int32_t* end)
{
    const auto reference = reinterpret_cast<intptr_t>(file);
    int32_t position = 0;
    uint16_t code = 0;
    uint16_t raised = RteTry(RteDocEnvironment(doc)->context, [&] {
        code = RteSaveDoc(doc, &position, nullptr, 0, RteDirectFileWriter, reference, 0);
        if (!code && RteLocked<RteDocument>(doc)->shared == 0)
            code = RteSaveObjects(doc, RteDirectFileWriter, &position, reference);
        if (!code)
            code = RteSaveDocEnd(doc, &position, RteDirectFileWriter, reference);
    });
    *end = position;
    return !raised && !code;
}

bool WriteAt(QXFILE file, int32_t position, const void* bytes, DWORD count)
{
    DWORD written = 0;
    return SetFilePointer(file, position, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

// Up to count bytes at the position; the bytes read.
DWORD ReadAt(QXFILE file, int64_t position, void* bytes, DWORD count)
{
    LARGE_INTEGER at;
    at.QuadPart = position;
    DWORD read = 0;
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) || !ReadFile(file, bytes, count, &read, nullptr))
        return 0;
    return read;
}

// Where the end record of the stream at the start of the file stops, walking the record
// headers; -1 when a header is damaged or a record runs past the file's end.
int64_t StreamEnd(QXFILE file, int64_t size)
{
    int64_t position = 0;
    for (;;) {
        uint8_t text[RTE_HEADER_BYTES];
        RteRecordHeader header;
        if (ReadAt(file, position, text, sizeof text) != sizeof text || !RteParseHeader(text, &header) ||
            header.length < 0)
            return -1;
        position += RTE_HEADER_BYTES + static_cast<int64_t>(header.length);
        if (position > size)
            return -1;
        if (header.type == RTE_RECORD_END)
            return position;
    }
}

}  // namespace

int WriteTextDocument(RteHandle doc, const TEXTFILETRAILER& trailer, const char* path)
{
    QXFILE file = QXopen(path, 1);
    if (!file)
        return 0;
    int32_t end = 0;
    bool written = WriteStream(doc, file, &end);
    if (written) {
        uint8_t bytes[TEXT_TRAILER_BYTES];
        EncodeTextTrailer(trailer, bytes);
        written = WriteAt(file, end, bytes, sizeof bytes);
    }
    QXclose(file);
    return written ? 1 : 0;
}

int ReadTextTrailer(QXFILE file, TEXTFILETRAILER* trailer)
{
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file, &size))
        return 0;
    int64_t end = StreamEnd(file, size.QuadPart);
    if (end < 0 || end == size.QuadPart)
        return 0;
    uint8_t bytes[TEXT_TRAILER_BYTES];
    DWORD read = ReadAt(file, end, bytes, sizeof bytes);
    return DecodeTextTrailer(bytes, read, trailer) ? 1 : 0;
}
