// The record stream's drivers: saving a document as records, reading records back into a
// document, writing one record, and the error translation of the exception record type.
#pragma once

#include <cstdint>
#include <vector>

#include "rte_document.h"

constexpr uint32_t RTE_STREAM_VERSION = 0x20001;
constexpr int16_t RTE_RECORD_START = -1;
constexpr int16_t RTE_RECORD_END = -2;
constexpr uint16_t RTE_START_MARK = 0x77AA;

// Record types of the catalogue.
enum RteRecordType : int16_t {
    RTE_REC_SETTINGS = 0,
    RTE_REC_BLOCKS = 1,
    RTE_REC_TEXT = 2,
    RTE_REC_LINES = 3,
    RTE_REC_CHAR_RUNS = 4,
    RTE_REC_PAR_RUNS = 5,
    RTE_REC_CHAR_STYLES = 6,
    RTE_REC_PAR_FORMATS = 7,
    RTE_REC_FONTS = 8,
    RTE_REC_VIEW = 9,
    RTE_REC_WRAP = 10,
    RTE_REC_EXTRA = 11,
    RTE_REC_SELECTION = 12,
    RTE_REC_EXTENSION = 13,
    RTE_REC_POINTS = 14,
    RTE_REC_PAGE = 15,
    RTE_REC_VALUES_A = 16,
    RTE_REC_VALUES_B = 17,
    RTE_REC_SUBDOCUMENT = 18,
    RTE_REC_ENVIRONMENT = 19,
    RTE_REC_OBJECT = 20,
    RTE_REC_EXCEPTION = 22,
    RTE_REC_NAMED = 23,
    RTE_REC_FIXUP = 24,
    RTE_REC_RUNS_C = 26,
    RTE_REC_LINKS_A = 296,
    RTE_REC_LINKS_B = 297,
};

// Codes of the drivers.
constexpr uint16_t RTE_ERR_READER_STOPPED = 1023;
constexpr uint16_t RTE_ERR_ENVIRONMENT_DIFFERS = 1027;
constexpr uint16_t RTE_ERR_CUSTOM_WRITER = 1028;
constexpr uint16_t RTE_ERR_EMPTY_STREAM = 0xFFFF;

// Progress modes told to hook slot 20.
constexpr int32_t RTE_PROGRESS_SAVE = 3;
constexpr int32_t RTE_PROGRESS_READ = 4;

// Document flags the drivers use.
constexpr uint32_t RTE_DOC_LINES_NOT_SAVED = 0x8000;
constexpr uint32_t RTE_DOC_READING = 0x20000000;
constexpr uint32_t RTE_PORT_CHANGED = 0x8;
constexpr uint32_t RTE_DOC2_WIDE_NAMES = 0x4000;
constexpr uint32_t RTE_DOC2_WIDE_TEXT = 0x800000;
// A character style whose object came from an object record of the stream.
constexpr uint32_t RTE_STYLE_OBJECT_LOADED = 0x200000;
constexpr uint32_t RTE_STYLE_DELETED = 0x8;

// What the drivers hand every reader and writer of the catalogue as its argument: the state
// of the save or read under way.
struct RteStreamPass {
    bool reading;
    int32_t version;         // of the stream being read (from its settings record)
    int32_t bodyPosition;    // where the body of the record lies in the stream
    int32_t bodySize;        // bytes of the body in the stream
    int32_t bodyBytes;       // in-memory bytes the body holds (RteBodySize)
    RteEnvironment* envCopy; // type 19: the environment copy the reader fills
    int32_t extIndex;        // type 13: the extension entry written
    uint32_t typesRead[2];   // bits of the types 0..63 read so far (types 2 and 3 count)
    // Per-save numbers of embedded objects: a style's object field and the object records
    // carry the number, never a pointer.
    std::vector<intptr_t> objects;
    // Saved index of each record of the style, format and font tables (-1: deleted, not saved).
    std::vector<int32_t> styleMap;
    std::vector<int32_t> formatMap;
    std::vector<int32_t> fontMap;
    bool bound;              // the text of a bound document stays in the stream
    bool stylesRead;         // character styles from firstReadStyle on came from this stream
    int32_t firstReadStyle;
    RteHandle lastObject;    // the object record read last: a linked record follows it
    int32_t textAt;          // type 2 written: where its text bytes start in the body (-1: none)
    std::vector<int32_t> textPositions;  // per block, where a save put its text (-1: none)
};

// The body bytes into a byte handle.
void RteSetBodyBytes(RteHandle body, const std::vector<uint8_t>& bytes);

// Writes the header and the body at the position, advancing it; an empty body writes nothing.
uint16_t RteWriteRecord(const RteRecordHandler* handler, int16_t type, RteHandle body, int32_t value,
                        int32_t* position, RteIoProc io, intptr_t reference);
uint16_t RteSaveDoc(RteHandle doc, int32_t* position, const int16_t* types, int32_t count, RteIoProc io,
                    intptr_t reference, int32_t settingsValue);
uint16_t RteSaveDocBound(RteHandle doc, int32_t* position, const int16_t* types, int32_t count, RteIoProc io,
                         intptr_t reference, int32_t settingsValue);
uint16_t RteSaveDocEnd(RteHandle doc, int32_t* position, RteIoProc io, intptr_t reference);
// Reads records until the end record or the stream's end. A settings record with a nonzero
// value starts a sub-document: the reader of a type-18 handler the caller registered is called
// with the main document, that value, and as its argument the address of an RteHandle it sets
// to the document that takes the records up to the next settings record (left null, they are
// skipped). A settings record of value 0 goes back to the main document. Each sub-document
// is fixed up as a read document when its records end.
uint16_t RteReadDoc(RteHandle doc, int32_t* position, const int16_t* types, int32_t count, RteIoProc io,
                    intptr_t reference);
uint16_t RteReadDocBound(RteHandle doc, int32_t* position, const int16_t* types, int32_t count, RteIoProc io,
                         intptr_t reference);
// Stores the code as the context's last error and lets the exception handler (type 22, of the
// list or of the registry) turn it into the result.
uint16_t RteRecordError(RteHandle doc, RteHandle list, uint16_t code, bool writing, RteHandle body);

// The engine's own record reader and writer (the catalogue), every type's default.
uint16_t RteDefaultRecordReader(RteHandle doc, int16_t type, RteHandle body, int32_t* value, intptr_t argument,
                                int32_t* size);
uint16_t RteDefaultRecordWriter(RteHandle doc, int16_t type, RteHandle body, int32_t* value, intptr_t argument,
                                int32_t* size);
// The bytes a save is expected to write, for progress.
int32_t RteRecordEstimate(RteDocument* doc, int16_t type);
// After the last record: the runs and link tables end after the text, fonts and styles are
// set up again, styles whose object met no object record lose it.
void RteAfterRead(RteHandle doc, RteStreamPass* pass);
// Hook slot 8 of a document whose text stays in a stream (a bound document, or text imported
// from a file that stays there): reads a block's text again from its stream, through the
// document's translation when it has one; without a stream it does nothing.
int32_t RteDefaultLoadText(RteHandle doc, int32_t block);
// The document's text now lies in this stream (the file reader when io is null): slot 8 reads
// it back from there, through the 128-byte translation of the upper half when one is given.
void RteBindDocText(RteDocument* doc, RteIoProc io, intptr_t reference, const uint8_t* translation);
