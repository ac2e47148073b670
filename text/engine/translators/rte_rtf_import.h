// RTF import: reads Rich Text Format from a stream into a document at an offset, chunk by
// chunk, with the character styles, fonts, paragraph formats and page settings the flags ask
// for.
#pragma once

#include <cstdint>

#include "rte_document.h"

// Import flags: what the import takes from the source.
constexpr uint32_t RTF_IMPORT_TEXT = 0x1;
constexpr uint32_t RTF_IMPORT_STYLES = 0x2;
constexpr uint32_t RTF_IMPORT_FORMATS = 0x4;
constexpr uint32_t RTF_IMPORT_PAGE = 0x8;
constexpr uint32_t RTF_IMPORT_ALL = 0xF;

// A document older than this cannot take RTF.
constexpr uint32_t RTF_OLDEST_DOCUMENT = 0x10015;
constexpr uint16_t RTF_ERR_OLD_DOCUMENT = 528;

class RteRTFImportFilter {
public:
    // The source: a callback and its reference, or with none a memory handle of bytes; from
    // start to end (-1: the stream's size). Returns the callback's result.
    uint16_t SetSource(RteEnvironment* env, intptr_t reference, RteHandle memory, RteIoProc io, int32_t start,
                       int32_t end);
    // Reads the whole source into the document at the offset (-1: the insertion point) and
    // returns the result code (0 when all went well).
    int32_t ImportInto(RteHandle doc, int32_t offset, uint32_t flags, int16_t redraw);
    // Bytes read from the source so far.
    int32_t Consumed() const { return consumed_; }

private:
    RteEnvironment* env_ = nullptr;
    intptr_t reference_ = 0;
    RteIoProc io_ = nullptr;
    int32_t start_ = 0;
    int32_t end_ = 0;
    int32_t consumed_ = 0;
};
