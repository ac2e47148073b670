// The translator protocol: every format the text object reads or writes goes through an
// import translator (a byte stream poured chunk by chunk into a document at an offset) or an
// export translator (a document walked piece by piece, each piece handed to a writer). The base
// classes are the plain-text translators; the other formats derive from them and replace
// virtual operations, which keep the order in which the system numbers them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "rte_document.h"
#include "rte_runs.h"

// Format ids.
constexpr int32_t RTE_FORMAT_PLAIN = 1;
constexpr int32_t RTE_FORMAT_RTF = 2;  // and the HTML export
constexpr int32_t RTE_FORMAT_NATIVE = 3;
constexpr int32_t RTE_FORMAT_MARKUP = 4;  // and the HTML import

// Character sets of sources and targets.
constexpr int32_t RTE_CHARSET_MAC = 1;
constexpr int32_t RTE_CHARSET_ANSI = 2;
constexpr int32_t RTE_CHARSET_OTHER = 3;

// Import flags: the caller's choice of what comes across.
constexpr uint32_t RTE_IMPORT_TEXT = 0x1;
constexpr uint32_t RTE_IMPORT_STYLES = 0x2;  // character styles and fonts
constexpr uint32_t RTE_IMPORT_FORMATS = 0x4;
constexpr uint32_t RTE_IMPORT_PAGE = 0x8;
constexpr uint32_t RTE_IMPORT_PAGE_AREA = 0x2000000;    // the page area from the page rect less margins
constexpr uint32_t RTE_IMPORT_FILE_BACKED = 0x4000000;  // text blocks read again from the source

// Features: what a translator class can carry.
constexpr uint32_t RTE_FEATURE_TEXT = 0x1;
constexpr uint32_t RTE_FEATURE_STYLES = 0x2;
constexpr uint32_t RTE_FEATURE_FORMATS = 0x4;
constexpr uint32_t RTE_FEATURE_PAGE = 0x8;
constexpr uint32_t RTE_FEATURE_OBJECTS = 0x100;
constexpr uint32_t RTE_FEATURE_DOC_INFO = 0x200;
constexpr uint32_t RTE_FEATURE_BUFFERED = 0x01000000;  // a read (write) buffer made at binding
constexpr uint32_t RTE_FEATURE_FILE_BACKED = 0x40000000;

constexpr int32_t RTE_TRANSLATOR_BUFFER = 4096;
// Byte-order state of an import: not looked at yet, plain bytes, or the mark as the first
// 16-bit word read little-endian (0xFEFF: bytes FF FE; 0xFFFE: bytes FE FF).
constexpr uint16_t RTE_ORDER_UNKNOWN = 1;
constexpr uint16_t RTE_ORDER_BYTES = 0;
// The end of the source, as the 16-bit value the input helpers answer.
constexpr int16_t RTE_END_OF_SOURCE = -1;

// Asks the display device whether it knows a font by this face name; way 0 matches family
// names, way 1 the device's other way of matching (any name the device lists the face under).
typedef bool (*RteFontQuery)(const char* name, int32_t way);
// The display device's own answer (GDI's font enumeration on the screen).
bool RteDeviceKnowsFont(const char* name, int32_t way);

// What an import or export carries piece by piece: the text of the current chunk or piece with
// its character style, paragraph format and font, the document information and page layout.
struct RteTranslation {
    std::vector<uint8_t> text;  // RTE_TRANSLATOR_BUFFER bytes of room
    int32_t length;             // bytes of the current chunk
    RteCharStyle style;
    RteParFormat format;
    RteFont font;
    RtePageSettings docInfo;
    RteRect pageRect;
    RteRect margins;
};

// The tables of the import base, as stored: font substitutions ("name[substitute]", sorted by
// name, a "*" ending the comparison) and the upper half of Mac OS Roman in code page 1252.
extern const char* const kRteFontSubstitutions[14];
extern const uint8_t kRteMacToAnsi[128];

class RteImportFilter {
public:
    RteImportFilter();
    virtual ~RteImportFilter();
    RteImportFilter(const RteImportFilter&) = delete;
    RteImportFilter& operator=(const RteImportFilter&) = delete;

    // Slots in the system's order.
    virtual int16_t VerifyFormat();  // 0 when the source is in this format; the base takes anything
    virtual int16_t BeginImport();   // 0 to go on
    virtual int32_t ReadChunk();     // fills the translation; nonzero while more follows
    // Type 9 (metafile bits in the data handle) becomes a metafile and the handle is freed;
    // any other type comes back as it went in.
    virtual intptr_t ConvertPicture(RteHandle data, int32_t type);
    virtual int16_t EndImport();
    virtual void MapFont(RteFont* font, int32_t sourceSet, int32_t targetSet);
    virtual void TranslateChars(uint8_t* text, int32_t length, int32_t sourceSet, int32_t targetSet);

    // Binds the source: with no callback the memory reader over the memory source, else the
    // file reader over the reference. End -1: the source's size. Returns the callback's code.
    uint16_t SetSource(RteEnvironment* env, intptr_t reference, RteHandle memorySource, RteIoProc io,
                       int32_t start, int32_t end);
    // Pours the source into the document at the offset (-1: the insertion point). Returns the
    // result code (0 for success).
    int16_t ImportInto(RteHandle doc, int32_t offset, uint32_t flags, int16_t redraw, bool redrawSwitch);

    // Tests and callers with a device of their own answer the font question themselves.
    void SetFontQuery(RteFontQuery query) { fontKnown_ = query; }
    // Every byte read is appended to the handle as well (null: none).
    void SetEcho(RteHandle echo) { echo_ = echo; }
    void SetSourceCharset(int32_t charset) { sourceSet_ = charset; }
    int32_t Imported() const { return imported_; }

protected:
    // Input helpers: the next byte of the source (RTE_END_OF_SOURCE at its end); one byte or a
    // string into the current chunk (true once the chunk is full).
    int16_t NextByte();
    // The next byte with the bytes given back first: a reader that looked ahead and found no
    // markup gives back what it read, to be read again as text.
    int16_t NextChar();
    void GiveBack(const std::string& bytes) { readAhead_.insert(0, bytes); }
    bool PutByte(uint8_t byte);
    bool PutString(const char* text);
    // Bytes consumed so far in the source, counting from the start position.
    int32_t Consumed() const { return consumed_; }
    bool ChunkFull() const { return record_.length >= bufferSize_; }
    // Reads up to length bytes at the current position into the area, as the source's byte
    // order says; the bytes produced (0 at the end). A callback error ends the import.
    int32_t ReadSource(uint8_t* into, int32_t length);
    // The insertion batch that the import's text and objects go into, opened at the first of
    // them.
    void OpenBatch();

    int32_t formatId_ = RTE_FORMAT_PLAIN;
    intptr_t reference_ = 0;
    int32_t sourceSet_ = RTE_CHARSET_ANSI;
    RteHandle memorySource_ = nullptr;
    RteHandle doc_ = nullptr;
    RteIoProc io_ = nullptr;
    RteEnvironment* env_ = nullptr;
    int32_t offset_ = 0;
    int32_t imported_ = 0;
    int32_t consumed_ = 0;
    int16_t result_ = 0;
    uint32_t flags_ = 0;
    int32_t bufferSize_ = RTE_TRANSLATOR_BUFFER;
    const char* const* substitutions_ = kRteFontSubstitutions;
    int32_t substitutionCount_ = 14;
    const uint8_t* translation_ = kRteMacToAnsi;
    uint32_t features_ = RTE_FEATURE_FILE_BACKED | RTE_FEATURE_TEXT;
    // Read state: the buffer and the part of it not yet handed out; the source's positions.
    std::vector<uint8_t> readBuffer_;
    int32_t readLength_ = 0;
    int32_t readAt_ = 0;
    uint16_t firstRead_ = 0;
    int32_t position_ = 0;
    int32_t start_ = 0;
    int32_t end_ = 0;
    uint16_t byteOrder_ = RTE_ORDER_UNKNOWN;
    RteTranslation record_ = {};
    bool newStyle_ = false;
    bool newFormat_ = false;
    bool newFont_ = false;
    bool pagePresent_ = false;
    bool docInfoPending_ = false;
    bool fileBacked_ = false;
    RteHandle echo_ = nullptr;
    RteFontQuery fontKnown_ = RteDeviceKnowsFont;
    std::string readAhead_;

private:
    bool FileBackedPossible();
    void PourChunk();
    void FinishPage();
    bool FontInTable(const RteFont& font);
    // A font in the document's table, or mapped as MapFont left it: a source names the same
    // few fonts again and again, and the device is asked once for each.
    void FitFont(RteFont* font);
    void Progress(int32_t done);
    bool afterCr_ = false;  // the plain reader drops the LF of a CR LF pair
    bool batchOpen_ = false;
    // A callback failed: its code is the result even when it reads as the translators' own -1.
    bool ioFailed_ = false;
    std::vector<std::pair<RteFont, RteFont>> mappedFonts_;
};

class RteExportFilter {
public:
    RteExportFilter();
    virtual ~RteExportFilter();
    RteExportFilter(const RteExportFilter&) = delete;
    RteExportFilter& operator=(const RteExportFilter&) = delete;

    // Slots in the system's order.
    // The bytes of an embedded object's data and their count; a metafile's bits are copied into
    // a new moveable global block given back through copy.
    virtual const uint8_t* GetPictureData(RteHandle object, int32_t* count, void** copy);
    virtual void ReleasePictureData(RteHandle object, void* copy);
    virtual int16_t BeginExport();   // 0 to go on
    virtual int32_t WriteChunk();    // nonzero to go on
    virtual int16_t EndExport();     // the result code

    // Binds the target: with no callback the memory writer into the memory target, else the
    // file writer over the reference. Returns 0.
    uint16_t SetTarget(RteEnvironment* env, intptr_t reference, RteHandle memoryTarget, RteIoProc io, int32_t start);
    // Range mode 0: the whole text; otherwise the range, or the selection's extent when none is
    // given. Returns the result code.
    int16_t ExportFrom(RteHandle doc, const RteRange* range, uint32_t flags, int32_t rangeMode);

    int32_t Written() const { return written_; }

protected:
    // Output helpers; a write error is raised as an engine error.
    void PutByte(uint8_t byte);
    void PutBytes(const void* bytes, int32_t count);
    // The string between an optional leading and trailing byte (0: none).
    void PutString(const char* text, uint8_t lead = 0, uint8_t trail = 0);
    void PutNumber(int16_t value);
    void PutHex(uint8_t byte);
    void Flush();
    // Writes the bytes straight through the callback at the current position.
    void WriteDirect(const void* bytes, int32_t count);

    // Last-character classes.
    static constexpr int16_t kAfterPrintable = 0;
    static constexpr int16_t kAfterOther = 1;
    static constexpr int16_t kAfterControlWord = 2;

    int32_t formatId_ = RTE_FORMAT_PLAIN;
    uint32_t version_ = 0x10000;
    intptr_t reference_ = 0;
    int32_t targetSet_ = RTE_CHARSET_ANSI;
    RteHandle memoryTarget_ = nullptr;
    RteHandle doc_ = nullptr;
    RteIoProc io_ = nullptr;
    RteEnvironment* env_ = nullptr;
    int32_t rangeStart_ = 0;
    int32_t rangeEnd_ = 0;
    int32_t pieceOffset_ = 0;  // of the current piece inside its text block
    int16_t result_ = 0;
    char fileType_[4] = {'T', 'X', 'T', 0};
    uint32_t features_ = RTE_FEATURE_TEXT;
    uint32_t flags_ = 1;
    int32_t bufferSize_ = RTE_TRANSLATOR_BUFFER;
    std::vector<uint8_t> writeBuffer_;
    int32_t fill_ = 0;
    int32_t position_ = 0;
    int32_t start_ = 0;
    int32_t written_ = 0;
    int16_t lastClass_ = kAfterPrintable;
    RteTranslation record_ = {};
    bool styleChanged_ = false;
    bool formatChanged_ = false;
    bool fontChanged_ = false;
    bool objectPiece_ = false;
    RteHandle object_ = nullptr;

private:
    void ExportPieces();
};
