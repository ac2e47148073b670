// The RTF reader: a single pass over the tokens with a stack of group states, turning fonts,
// colours, character and paragraph properties, page margins, a style sheet, pictures and
// simple tables into engine records, and the text into chunks. A chunk ends with each
// paragraph and wherever the character style or font changes, so that the import loop can
// apply formats piece by piece. Plain C++: what needs a document goes through RtfReaderHost.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rte_style_records.h"
#include "rtf_tokenizer.h"

// Picture types, as the embedded objects keep them.
constexpr int32_t RTF_PICTURE_NONE = 0;
constexpr int32_t RTF_PICTURE_MAC = 8;
constexpr int32_t RTF_PICTURE_METAFILE = 9;
constexpr int32_t RTF_PICTURE_OBJECT = 36;

struct RtfPicture {
    int32_t type = RTF_PICTURE_NONE;
    int32_t mapMode = 8;
    int32_t width = 0;  // device units
    int32_t height = 0;
    int32_t picw = 0;  // as written
    int32_t pich = 0;
    int32_t picwgoal = 0;
    int32_t pichgoal = 0;
    int32_t scaleX = 0;  // value in the high, 100 in the low 16 bits; 0 when not given
    int32_t scaleY = 0;
    std::string rtf;  // an object's own RTF after "\object"
    std::vector<uint8_t> data;
};

// Page settings in device units: margins (top, left, bottom, right) and paper size.
struct RtfPage {
    int32_t margins[4] = {};
    int32_t paperWidth = 0;
    int32_t paperHeight = 0;
    bool changed = false;
};

class RtfReaderHost {
public:
    virtual ~RtfReaderHost() = default;
    // Twips to device units at the document's resolution.
    virtual int32_t TwipsToDevice(int32_t twips) = 0;
    // The document's default paragraph format ("\pard").
    virtual RteParFormat DocumentFormat() = 0;
    // What a "\tx" position gains: the document's tab origin, with the wrap area's left edge
    // added back when the document's tab base is not -1 (the writer takes both away).
    virtual int32_t TabOffset() = 0;
    // The byte that stands for a Unicode character, 0 when there is none.
    virtual uint8_t UnicodeByte(uint16_t character) = 0;
    // Each font of the font table as the device has it (or its substitute), and the table's
    // default font for the document's first font.
    virtual void MapFont(RteFont& font) = 0;
    virtual void DefaultFontRead(const RteFont& font) = 0;
    // A style-sheet definition; null parts were not set by it. Returns the named style's index.
    virtual int32_t AddNamedStyle(const char* name, const RteCharStyle& style, const RteFont* font,
                                  const RteParFormat* format) = 0;
    // Style number 0: the document's default paragraph format and default named style.
    virtual void DefaultNamedStyle(int32_t index, const RteParFormat* format) = 0;
    virtual void ApplyNamedStyle(int32_t index, RteCharStyle& style, RteFont& font, RteParFormat& format) = 0;
    // Whether picture data is kept at all (text is imported).
    virtual bool KeepsPictures() = 0;
    // An embedded object for the picture (its data taken), 0 when none can be made. A result
    // picture is given the object it belongs to.
    virtual intptr_t MakeObject(RtfPicture& picture, intptr_t owner) = 0;
};

struct RtfChunk {
    std::string text;
    RteCharStyle style{};
    RteFont font{};
    RteParFormat format{};
    bool newStyle = false;
    bool newFont = false;
    bool newFormat = false;
};

// Characters the reader puts into the text.
constexpr uint8_t RTF_CHAR_TAB = 9;
constexpr uint8_t RTF_CHAR_LINE_BREAK = 10;
constexpr uint8_t RTF_CHAR_PAGE_BREAK = 12;
constexpr uint8_t RTF_CHAR_PARAGRAPH = 13;

// Source character sets.
constexpr int32_t RTF_SET_MAC = 1;
constexpr int32_t RTF_SET_ANSI = 2;

// The font's character set (the low 12 bits of its charset unit).
void RtfSetCharset(RteFont& font, int32_t charset);

class RtfReader {
public:
    // The style, font and format the text starts with; a chunk holds at most chunkLimit bytes.
    RtfReader(RtfInput& input, RtfReaderHost& host, const RteCharStyle& style, const RteFont& font,
              const RteParFormat& format, size_t chunkLimit);

    // The next chunk; false once the source is exhausted and the chunk is empty.
    bool ReadChunk(RtfChunk& chunk);
    int32_t SourceSet() const { return sourceSet_; }
    RtfPage& Page() { return page_; }
    // The page settings the reader starts from (device units).
    void SetPage(const RtfPage& page) { page_ = page; }

private:
    struct Group {
        RteCharStyle style;
        RteFont font;
        int32_t unicodeSkip;
    };
    struct FontEntry {
        int32_t number;
        RteFont font;
    };
    struct SheetEntry {
        int32_t number;
        int32_t index;
    };
    struct Definition {
        std::string name;
        int32_t number = 0;
        RteCharStyle style{};
        RteFont font{};
        RteParFormat format{};
        bool setsStyle = false;
        bool setsFont = false;
        bool setsFormat = false;
    };
    // The tab stop a "\tx" or "\cellx" completes.
    struct TabDraft {
        int32_t kind = RTE_TAB_LEFT;
        int32_t leader = 0;
    };

    void Push();
    void Pop();
    void SkipGroup(bool pop);
    // Raw bytes of a "\bin" passed over, up to the end of the source.
    void SkipBytes(int32_t count);
    void Word(const RtfToken& token);
    void Special(const RtfToken& token);
    void DocumentWord(const RtfToken& token);
    void PageWord(const RtfToken& token);
    void TableWord(const RtfToken& token);
    void ParagraphWord(const RtfToken& token, RteParFormat& format);
    void CharacterWord(const RtfToken& token, RteCharStyle& style, RteFont& font);
    void AddTab(RteParFormat& format, int32_t twips);
    void SelectFont(int32_t number, RteFont& font);
    bool HeaderToken(RtfToken& token, int32_t& depth);
    void ReadFontTable();
    void ReadColourTable();
    void ReadStyleSheet();
    void CloseDefinition();
    void ReadPicture(bool object);
    bool ReadPictureData(RtfPicture& picture, int32_t first);
    intptr_t InsertObject(RtfPicture& picture);

    void AddByte(uint8_t byte);
    void AddText(uint8_t byte);
    void EndChunkOnChange();

    RtfTokenizer tokens_;
    RtfReaderHost& host_;
    size_t chunkLimit_;
    RtfChunk* chunk_ = nullptr;
    bool endChunk_ = false;
    bool exhausted_ = false;

    RteCharStyle style_;
    RteFont font_;
    RteParFormat format_;
    RteCharStyle lastStyle_;
    RteFont lastFont_;
    RteParFormat lastFormat_;
    bool firstText_ = true;

    std::vector<Group> groups_;
    int32_t unpushed_ = 0;  // groups opened beyond the deepest kept
    int32_t unicodeSkip_ = 1;
    int32_t fallbackLeft_ = 0;

    std::vector<FontEntry> fonts_;
    std::vector<RteColor> colours_;
    std::vector<SheetEntry> sheet_;
    int32_t defaultFont_ = 0;
    int32_t sourceSet_ = RTF_SET_ANSI;
    RtfPage page_;
    TabDraft tab_;

    bool tablesOn_ = false;
    bool newRow_ = false;
    bool tableEnding_ = false;
    std::string pendingObject_;  // "[]" waiting for its own chunk
    RteCharStyle objectStyle_{};
};
