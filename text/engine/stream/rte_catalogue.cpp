// The engine's default record reader and writer: which record types a document saves and
// reads (its save mask and shared parts), the start and end records, and the exception
// handler's default translation.
#include <cstring>

#include "rte_catalogue.h"
#include "rte_typed.h"

using namespace rte_catalogue;

namespace {

constexpr int32_t kSettingsEstimate = 1156;
constexpr int32_t kPageEstimate = 308;
constexpr int32_t kRangeEstimate = 72;
constexpr uint32_t kMaskText = 0x1;
constexpr uint32_t kMaskCharacters = 0x2;
constexpr uint32_t kMaskParagraphs = 0x4;
constexpr uint32_t kMaskPage = 0x8;
constexpr uint32_t kMaskWrap = 0x10;
constexpr uint32_t kMaskNamed = 0x400;

bool MaskExcludes(uint32_t mask, int16_t type)
{
    switch (type) {
    case RTE_REC_BLOCKS:
    case RTE_REC_TEXT:
    case RTE_REC_LINES:
        return mask & kMaskText;
    case RTE_REC_CHAR_RUNS:
    case RTE_REC_CHAR_STYLES:
    case RTE_REC_FONTS:
        return mask & kMaskCharacters;
    case RTE_REC_PAR_RUNS:
    case RTE_REC_PAR_FORMATS:
        return mask & kMaskParagraphs;
    case RTE_REC_PAGE:
        return mask & kMaskPage;
    case RTE_REC_WRAP:
    case RTE_REC_VALUES_A:
        return mask & kMaskWrap;
    case RTE_REC_NAMED:
        return mask & kMaskNamed;
    default:
        return false;
    }
}

bool SharedArea(uint32_t shared, int16_t type)
{
    return (type == RTE_REC_VIEW && (shared & RTE_SHARE_VIEW)) || (type == RTE_REC_WRAP && (shared & RTE_SHARE_WRAP)) ||
           (type == RTE_REC_EXTRA && (shared & RTE_SHARE_EXTRA));
}

bool SkippedOnWrite(const RteDocument* doc, int16_t type)
{
    if (MaskExcludes(doc->saveMask, type) || SharedArea(doc->shared, type))
        return true;
    bool ownParts = type == RTE_REC_SETTINGS || type == RTE_REC_CHAR_STYLES || type == RTE_REC_PAR_FORMATS ||
                    type == RTE_REC_FONTS || type == RTE_REC_PAGE || type == RTE_REC_ENVIRONMENT ||
                    type == RTE_REC_NAMED;
    if (ownParts && doc->shared)
        return true;
    return type == RTE_REC_WRAP && (doc->flags & RTE_DOC_RESET_SCROLL);
}

bool SkippedOnRead(const RteDocument* doc, int16_t type)
{
    if (MaskExcludes(doc->saveMask, type) || SharedArea(doc->shared, type))
        return true;
    bool styles = type == RTE_REC_CHAR_STYLES || type == RTE_REC_PAR_FORMATS || type == RTE_REC_FONTS ||
                  type == RTE_REC_NAMED;
    if (styles && (doc->shared & RTE_SHARE_STYLES))
        return true;
    return type == RTE_REC_WRAP && (doc->saveMask & kMaskPage);
}

// The exception handler's default: codes that reading or writing may pass over.
uint16_t Translated(uint16_t code, bool reading)
{
    if (reading && (code == RTE_ERR_UNKNOWN_RECORD || code == RTE_ERR_ENVIRONMENT_DIFFERS))
        return 0;
    if (!reading && code == RTE_ERR_CUSTOM_WRITER)
        return 0;
    return code;
}

WriteProc WriterOf(int16_t type)
{
    switch (type) {
    case RTE_REC_SETTINGS:
    case RTE_REC_PAGE:
    case RTE_REC_ENVIRONMENT:
        return WriteSettings;
    case RTE_REC_BLOCKS:
    case RTE_REC_TEXT:
    case RTE_REC_LINES:
        return WriteText;
    case RTE_REC_CHAR_STYLES:
    case RTE_REC_PAR_FORMATS:
    case RTE_REC_FONTS:
        return WriteStyles;
    case RTE_REC_LINKS_A:
    case RTE_REC_LINKS_B:
        return WriteLinks;
    default:
        return WriteTables;
    }
}

ReadProc ReaderOf(int16_t type)
{
    switch (type) {
    case RTE_REC_SETTINGS:
    case RTE_REC_PAGE:
    case RTE_REC_ENVIRONMENT:
        return ReadSettings;
    case RTE_REC_BLOCKS:
    case RTE_REC_TEXT:
    case RTE_REC_LINES:
        return ReadText;
    case RTE_REC_CHAR_STYLES:
    case RTE_REC_PAR_FORMATS:
    case RTE_REC_FONTS:
        return ReadStyles;
    case RTE_REC_LINKS_A:
    case RTE_REC_LINKS_B:
        return ReadLinks;
    case RTE_REC_VIEW:  // the view belongs to the window showing the document
        return nullptr;
    default:
        return ReadTables;
    }
}

int32_t SelectionEstimate(RteDocument* doc)
{
    int32_t ranges = RteCount(doc->selection) / 2;
    return ranges > 0 ? ranges * kRangeEstimate : kRangeEstimate / 2;
}

}  // namespace

namespace rte_catalogue {

void CheckCount(RteDocument* doc, int32_t count, const RteBodyReader& body, size_t bodySize)
{
    // Every entry takes at least one byte of the body.
    if (count < 0 || static_cast<size_t>(count) > bodySize - (body.position() < bodySize ? body.position() : bodySize))
        RteRaise(doc->env->context, RTE_ERR_STREAM_DAMAGED, nullptr);
}

void CheckBody(RteDocument* doc, const RteBodyReader& body)
{
    if (body.failed() || body.overran())
        RteRaise(doc->env->context, RTE_ERR_STREAM_DAMAGED, nullptr);
}

}  // namespace rte_catalogue

void RteSetBodyBytes(RteHandle body, const std::vector<uint8_t>& bytes)
{
    RteSetCount(body, static_cast<int32_t>(bytes.size()));
    if (!bytes.empty())
        std::memcpy(RteLocked<uint8_t>(body).get(), bytes.data(), bytes.size());
}

int32_t RteRecordEstimate(RteDocument* doc, int16_t type)
{
    switch (type) {
    case RTE_REC_SETTINGS:
        return kSettingsEstimate;
    case RTE_REC_BLOCKS:
        return static_cast<int32_t>(RteByteSize(doc->blocks));
    case RTE_REC_TEXT:
        return doc->textLength;
    case RTE_REC_CHAR_STYLES:
        return static_cast<int32_t>(RteByteSize(doc->charStyles));
    case RTE_REC_PAR_FORMATS:
        return static_cast<int32_t>(RteByteSize(doc->parFormats));
    case RTE_REC_FONTS:
        return static_cast<int32_t>(RteByteSize(doc->fonts));
    case RTE_REC_CHAR_RUNS:
        return static_cast<int32_t>(RteByteSize(doc->charRuns));
    case RTE_REC_PAR_RUNS:
        return static_cast<int32_t>(RteByteSize(doc->parRuns));
    case RTE_REC_SELECTION:
        return SelectionEstimate(doc);
    case RTE_REC_PAGE:
        return kPageEstimate;
    case RTE_REC_LINKS_A:
    case RTE_REC_LINKS_B:
        return static_cast<int32_t>(RteByteSize(doc->linkRanges[type - RTE_REC_LINKS_A]));
    default:
        return 0;
    }
}

uint16_t RteDefaultRecordWriter(RteHandle handle, int16_t type, RteHandle body, int32_t* value, intptr_t argument,
                                int32_t* size)
{
    if (type == RTE_REC_EXCEPTION) {
        *value = Translated(static_cast<uint16_t>(*value), false);
        return 1;
    }
    RteStreamPass local = {};
    auto* pass = argument ? reinterpret_cast<RteStreamPass*>(argument) : &local;
    RteLocked<RteDocument> doc(handle);
    RteBodyWriter writer;
    if (type == RTE_RECORD_START || type == RTE_RECORD_END)
        writer.Short(RTE_START_MARK);
    else if (!SkippedOnWrite(doc.get(), type))
        WriterOf(type)(doc.get(), type, writer, value, pass);
    if (!writer.Empty())
        writer.Close();
    RteSetBodyBytes(body, writer.bytes());
    if (size && type >= 0)
        *size += RteRecordEstimate(doc.get(), type);
    return 1;
}

uint16_t RteDefaultRecordReader(RteHandle handle, int16_t type, RteHandle body, int32_t* value, intptr_t argument,
                                int32_t*)
{
    if (type == RTE_REC_EXCEPTION) {
        *value = Translated(static_cast<uint16_t>(*value), true);
        return 1;
    }
    RteStreamPass local = {};
    local.version = static_cast<int32_t>(RTE_STREAM_VERSION);
    auto* pass = argument ? reinterpret_cast<RteStreamPass*>(argument) : &local;
    RteLocked<uint8_t> bytes(body);
    RteBodyReader reader(bytes.get(), RteByteSize(body));
    if (type == RTE_RECORD_START)
        return reader.Short() == static_cast<int16_t>(RTE_START_MARK) && !reader.failed() ? 1 : 0;
    RteLocked<RteDocument> doc(handle);
    ReadProc read = ReaderOf(type);
    if (read && !SkippedOnRead(doc.get(), type))
        read(doc.get(), type, reader, *value, pass);
    return 1;
}
