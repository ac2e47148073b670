// The RTF export translator: header, pieces and the end of the document.
#include "rte_rtf_export.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "rte_device_units.h"
#include "rte_document_internal.h"
#include "rte_error.h"
#include "rte_fonts.h"
#include "rte_io.h"
#include "rte_object_records.h"
#include "rte_rtf_document.h"
#include "rte_style_names.h"
#include "rte_style_units.h"
#include "rte_text_helpers.h"
#include "rtf_reader.h"

namespace {

// Written bytes after which the next control word or brace starts a new line.
constexpr int32_t kLineBytes = 128;

constexpr const char* kFamilies[] = {
    "Arial*[fswiss",     "Book*[froman",       "Century Gothic[fswiss", "Century Sch*[froman",
    "Courie*[fmodern",   "FixedSys[fswiss",    "Helvetic*[fswiss",      "Monotype Cors*[fmodern",
    "MS S*[fswiss",      "Roman[froman",       "Script[fscript",        "Small Fonts[fmodern",
    "Terminal[fmodern",  "Times*[froman",      "Tms Rmn[froman",        "WingDings[ftech",
};

// A font name as the record keeps it: a C string, or counted by its first byte.
std::string NameOf(const char* name, bool cString)
{
    if (cString)
        return std::string(name, strnlen(name, RTE_FONT_NAME_BYTES));
    size_t length = std::min<size_t>(static_cast<uint8_t>(name[0]), RTE_FONT_NAME_BYTES - 1);
    return std::string(name + 1, length);
}

bool StylesEqual(const RteCharStyle& a, const RteCharStyle& b) { return RteUnitsEqual(RteCharStyleUnits(), &a, &b); }
bool FormatsEqual(const RteParFormat& a, const RteParFormat& b) { return RteUnitsEqual(RteParFormatUnits(), &a, &b); }

// The switches of a style and the words that set them, in the order they are written.
struct Switch {
    int16_t RteCharStyle::*unit;
    const char* word;
};
constexpr Switch kSwitches[] = {
    {&RteCharStyle::bold, "b"},          {&RteCharStyle::allCaps, "caps"},
    {&RteCharStyle::italic, "i"},        {&RteCharStyle::outline, "outl"},
    {&RteCharStyle::smallCaps, "scaps"}, {&RteCharStyle::strikeOut, "strike"},
    {&RteCharStyle::shadow, "shad"},     {&RteCharStyle::underline, "ul"},
    {&RteCharStyle::dottedUnderline, "uld"}, {&RteCharStyle::doubleUnderline, "uldb"},
    {&RteCharStyle::wordUnderline, "ulw"},   {&RteCharStyle::hidden, "v"},
};

bool AnySwitch(const RteCharStyle& style)
{
    if (style.subscript != 0 || style.superscript != 0)
        return true;
    return std::any_of(std::begin(kSwitches), std::end(kSwitches), [&](const Switch& s) { return style.*s.unit != 0; });
}

}  // namespace

const char* RtfFontFamily(const char* name)
{
    for (const char* entry : kFamilies) {
        int32_t through = RteMatchPattern(name, entry);
        if (through > 0)
            return std::strchr(entry, '[') + 1;
    }
    return "fnil";
}

RteRTFExportFilter::RteRTFExportFilter()
{
    formatId_ = RTE_FORMAT_RTF;
    std::memcpy(fileType_, "RTF", 4);
    features_ = RTE_FEATURE_BUFFERED | RTE_FEATURE_DOC_INFO | RTE_FEATURE_OBJECTS | RTE_FEATURE_PAGE |
                RTE_FEATURE_FORMATS | RTE_FEATURE_STYLES | RTE_FEATURE_TEXT;
}

void RteRTFExportFilter::Hook(int16_t code)
{
    if (code != 0)
        RteRaise(env_->context, code, nullptr);
}

void RteRTFExportFilter::LineBreakIfLong()
{
    int32_t total = written_ + fill_;
    if (total - lineStart_ <= kLineBytes)
        return;
    PutByte(RTF_CHAR_PARAGRAPH);
    if (targetSet_ == RTE_CHARSET_ANSI)
        PutByte(RTF_CHAR_LINE_BREAK);
    lineStart_ = written_ + fill_;
}

void RteRTFExportFilter::Word(const char* word, bool space)
{
    LineBreakIfLong();
    PutString(word, '\\');
    if (space)
        PutByte(' ');
    else
        lastClass_ = kAfterControlWord;
}

void RteRTFExportFilter::Word(const char* word, int32_t parameter, bool space)
{
    LineBreakIfLong();
    PutString(word, '\\');
    PutString(std::to_string(parameter).c_str());
    if (space)
        PutByte(' ');
    else
        lastClass_ = kAfterControlWord;
}

void RteRTFExportFilter::Brace(uint8_t brace)
{
    LineBreakIfLong();
    PutByte(brace);
}

int32_t RteRTFExportFilter::Twips(int32_t pixels)
{
    int32_t halfPoints = static_cast<int32_t>((static_cast<int64_t>(RtePixelsToPoints(doc_, pixels)) * 2 + 0x8000) >> 16);
    return static_cast<int16_t>(halfPoints) * 10;
}

int16_t RteRTFExportFilter::BeginExport()
{
    if (rte_document::DocLock(doc_)->version < 0x10015)
        return 528;
    baseStyle_ = record_.style;
    baseFormat_ = record_.format;
    baseFont_ = record_.font;
    Header();
    return 0;
}

void RteRTFExportFilter::Header()
{
    fonts_ = rte_document::ElementsOf<RteFont>(RteFontTable(doc_));
    PutString("{\\rtf1");
    if (targetSet_ == RTE_CHARSET_MAC) {
        Word("mac");
        Word("deff", 0);
    } else {
        Word("ansi");
        Word("deff", std::max<int16_t>(baseStyle_.font, 0));
    }
    PutByte(' ');
    FontTable();
    ColourTable();
    StyleSheet();
    const RtePageSettings& page = record_.docInfo;
    const std::pair<const char*, int32_t> margins[] = {{"margl", page.margins.left},
                                                       {"margr", page.margins.right},
                                                       {"margt", page.margins.top},
                                                       {"margb", page.margins.bottom}};
    for (const auto& [word, value] : margins) {
        if (value != 0)
            Word(word, Twips(value), true);
    }
    Hook(WriteHeaderExtra());
    Hook(WriteHeaderExtra2());
    Word("pard", true);
    RteCharStyle empty{};
    empty.font = -2;
    CharacterProperties(baseStyle_, empty);
    groups_.push_back({baseStyle_, baseFont_});
    headerDepth_ = groups_.size();
}

void RteRTFExportFilter::FontTable()
{
    Brace('{');
    Word("fonttbl");
    for (size_t i = 0; i < fonts_.size(); ++i) {
        std::string name = NameOf(fonts_[i].name, fonts_[i].nameFlags & RTE_FONT_NAME_CSTRING);
        Brace('{');
        Word("f", static_cast<int32_t>(i));
        Word(RtfFontFamily(name.c_str()), true);
        PutString(name.c_str(), 0, ';');
        Brace('}');
    }
    Brace('}');
}

void RteRTFExportFilter::ColourTable()
{
    for (const RteCharStyle& style : rte_document::ElementsOf<RteCharStyle>(rte_document::DocLock(doc_)->charStyles)) {
        if (ColourIndex(style.textColor) < 0)
            colours_.push_back(style.textColor);
    }
    Brace('{');
    Word("colortbl");
    for (const RteColor& colour : colours_) {
        Word("red", colour.red >> 8);
        Word("green", colour.green >> 8);
        Word("blue", colour.blue >> 8);
        PutByte(';');
    }
    Brace('}');
}

int32_t RteRTFExportFilter::ColourIndex(const RteColor& colour) const
{
    for (size_t i = 0; i < colours_.size(); ++i) {
        if (colours_[i].red == colour.red && colours_[i].green == colour.green && colours_[i].blue == colour.blue)
            return static_cast<int32_t>(i);
    }
    return -1;
}

void RteRTFExportFilter::StyleSheet()
{
    Brace('{');
    Word("stylesheet");
    const RteCharStyle emptyStyle{};
    const RteParFormat emptyFormat{};
    auto entry = [&](int32_t number, const RteCharStyle& style, const RteParFormat& format, const char* name) {
        Brace('{');
        Word("s", number);
        CharacterProperties(style, emptyStyle);
        ParagraphProperties(format, emptyFormat);
        PutByte(' ');
        PutString(name, 0, ';');
        Brace('}');
    };
    int32_t count = RteStyleNameCount(doc_);
    if (count == 0) {
        entry(0, baseStyle_, baseFormat_, sheetName_);
    } else {
        // Names are numbered from 1; the document's default one (kept from 0) goes first as 0.
        int32_t first = std::clamp(RteGetCurrentStyleName(doc_) + 1, 1, count);
        for (int32_t pass = 0; pass < 2; ++pass) {
            for (int32_t i = 1; i <= count; ++i) {
                if ((pass == 0) != (i == first))
                    continue;
                RteStyleName name{};
                RteCharStyle style{};
                RteFont font{};
                RteParFormat format{};
                RteGetStyleName(doc_, i, &name);
                RteGetStyleNameStyles(doc_, i, &style, &font, &format);
                entry(pass == 0 ? 0 : i, style, format, name.name);
            }
        }
    }
    Brace('}');
}

void RteRTFExportFilter::CharacterProperties(const RteCharStyle& style, const RteCharStyle& reference)
{
    // "\plain" goes first: other readers also reset the font and size with it, which follow.
    bool plain = !AnySwitch(style) && AnySwitch(reference);
    if (plain)
        Word("plain");
    if (style.font != reference.font)
        Word("f", std::max<int16_t>(style.font, 0));
    if (style.pointSize != reference.pointSize || plain)
        Word("fs", static_cast<int32_t>((static_cast<int64_t>(style.pointSize) * 2) >> 16));
    if (!plain) {
        // A switch on in the reference and off here is switched off: the group keeps the
        // reference's state otherwise.
        for (const Switch& s : kSwitches) {
            if ((style.*s.unit != 0) != (reference.*s.unit != 0))
                style.*s.unit != 0 ? Word(s.word) : Word(s.word, 0);
        }
        if (style.subscript != reference.subscript)
            Word("dn", style.subscript * 2);
        if (style.superscript != reference.superscript)
            Word("up", style.superscript * 2);
    }
    const RteColor& colour = style.textColor;
    const RteColor& old = reference.textColor;
    if (colour.red != old.red || colour.green != old.green || colour.blue != old.blue || plain) {
        int32_t index = ColourIndex(colour);
        if (index >= 0)
            Word("cf", index);
    }
    int32_t spacing = style.units16to25[0];
    if (spacing != 0 && spacing != reference.units16to25[0])
        Word("expnd", spacing / 16384);  // 16.16 points to quarter-points, toward zero
}

void RteRTFExportFilter::ParagraphProperties(const RteParFormat& format, const RteParFormat& reference)
{
    if (format.alignment != reference.alignment) {
        static constexpr const char* kAlign[] = {"ql", "qc", "qr", "qj", "ql", "qr"};
        Word(kAlign[std::clamp<int16_t>(format.alignment, 0, 5)]);
    }
    const std::pair<const char*, int32_t RteParFormat::*> lengths[] = {
        {"li", &RteParFormat::leftIndent},   {"ri", &RteParFormat::rightIndent},
        {"fi", &RteParFormat::firstIndent},  {"sb", &RteParFormat::spaceBefore},
        {"sa", &RteParFormat::spaceAfter},   {"sl", &RteParFormat::lineSpacing},
    };
    for (const auto& [word, unit] : lengths) {
        if (format.*unit != reference.*unit)
            Word(word, Twips(format.*unit));
    }
    if (format.flags & 0x04)
        Word("pagebb");
    if (format.flags & 0x01)
        Word("keepn");
    const int32_t origin = RtfTabEdge(doc_);
    const int32_t count = std::clamp<int32_t>(format.tabCount, 0, RTE_MAX_TABS);
    for (int32_t i = 0; i < count; ++i) {
        const RteTab& tab = format.tabs[i];
        if (i < reference.tabCount && reference.tabs[i].position == tab.position)
            continue;
        switch (tab.kind & 0xFFF) {
        case RTE_TAB_CENTRED: Word("tqc"); break;
        case RTE_TAB_RIGHT: Word("tqr"); break;
        case RTE_TAB_DECIMAL: Word("tqdec"); break;
        default: break;
        }
        if (tab.leader == '.')
            Word("tldot");
        else if (tab.leader != 0)
            Word("tlhyph");
        Word("tx", Twips(tab.position - origin));
    }
}

void RteRTFExportFilter::Text(const uint8_t* bytes, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        uint8_t byte = bytes[i];
        switch (byte) {
        case RTF_CHAR_TAB:
            Word("tab", true);
            continue;
        case RTF_CHAR_PARAGRAPH:
            Word("par");
            PutByte(RTF_CHAR_PARAGRAPH);
            if (targetSet_ == RTE_CHARSET_ANSI)
                PutByte(RTF_CHAR_LINE_BREAK);
            lineStart_ = written_ + fill_;
            continue;
        case RTF_CHAR_PAGE_BREAK:
            Word("page", true);
            continue;
        case RTF_CHAR_LINE_BREAK:
            // The line break of the text: read back as "\line".
            Word("line", true);
            continue;
        default:
            break;
        }
        if (byte < 32)
            continue;
        if (byte == ':' || byte == '\\' || byte == '{' || byte == '}') {
            PutByte('\\');
            PutByte(byte);
        } else if (byte >= 0x80) {
            PutString("\\'");
            PutHex(byte);
        } else {
            if (lastClass_ == kAfterControlWord)
                PutByte(' ');
            PutByte(byte);
        }
    }
}

int32_t RteRTFExportFilter::WriteChunk()
{
    if (styleChanged_ || formatChanged_ || fontChanged_) {
        if (groups_.size() > headerDepth_) {
            Brace('}');
            groups_.pop_back();
        }
        if (!StylesEqual(record_.style, baseStyle_) || !FormatsEqual(record_.format, baseFormat_)) {
            Brace('{');
            groups_.push_back({record_.style, record_.font});
        }
        if (formatChanged_) {
            Word("pard", true);
            ParagraphProperties(record_.format, baseFormat_);
        }
        CharacterProperties(record_.style, baseStyle_);
        Hook(WriteRunExtra());
    }
    if (objectPiece_ && object_)
        WriteObject(object_);
    else
        Text(record_.text.data(), record_.length);
    return 1;
}

void RteRTFExportFilter::WriteHexData(const uint8_t* data, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        LineBreakIfLong();
        PutHex(data[i]);
    }
}

// Writes the picture's group, or for an embedded object the object with its own RTF text, its
// data and its result picture. False when the object has no data (nothing is written).
bool RteRTFExportFilter::WritePicture(RteHandle object)
{
    int32_t count = 0;
    void* copy = nullptr;
    const uint8_t* data = GetPictureData(object, &count, &copy);
    if (!data)
        return false;
    RteObject record;
    RteGetElement(object, 0, &record);
    const RtePictureBlock& picture = record.picture;
    auto raw = [&](int i, int32_t otherwise) { return picture.values16b[i] ? picture.values16b[i] : otherwise; };
    int32_t openBraces = 0;
    bool spaced = false;  // the words end with a space before the data
    Brace('{');
    switch (RteObjectKindOf(record)) {
    case RTE_KIND_METAFILE:
        Word("pict");
        Word("wmetafile", picture.mappingMode ? picture.mappingMode : 8);
        Word("picw", raw(0, Twips(record.width)));
        Word("pich", raw(1, Twips(record.height)));
        Word("picwgoal", raw(2, Twips(record.width)));
        Word("pichgoal", raw(3, Twips(record.height)));
        if (picture.values32[1] >> 16)
            Word("picscaley", picture.values32[1] >> 16);
        if (picture.values32[0] >> 16)
            Word("picscalex", picture.values32[0] >> 16);
        break;
    case RTE_KIND_FOREIGN_PICT:
        Word("pict");
        Word("macpict");
        Word("picw", record.width);
        Word("pich", record.height);
        break;
    case RTE_KIND_VALUE:
        Word("object");
        Word("objw", raw(0, Twips(record.width)));
        Word("objh", raw(1, Twips(record.height)));
        break;
    default: {
        // The object's own text as read, up to where its data began; the braces it leaves
        // open close after the data.
        Word("object");
        if (record.secondData) {
            RteLocked<char> text(record.secondData);
            for (int32_t i = 0; i < text.size(); ++i) {
                char c = text[i];
                if (c == '\r' || c == '\n')
                    continue;  // the writer breaks its own lines
                openBraces += c == '{' ? 1 : c == '}' ? -1 : 0;
                if (c == '{' || c == '}' || c == '\\')
                    LineBreakIfLong();
                PutByte(static_cast<uint8_t>(c));
                spaced = c == ' ';
            }
        }
        break;
    }
    }
    if (!spaced)
        PutByte(' ');
    WriteHexData(data, count);
    ReleasePictureData(object, copy);
    for (; openBraces > 0; --openBraces)
        Brace('}');
    if (record.linked) {
        PutString("{\\result {");
        WritePicture(record.linked);
        PutString("}}");
    }
    Brace('}');
    return true;
}

void RteRTFExportFilter::WriteObject(RteHandle object) { WritePicture(object); }

int16_t RteRTFExportFilter::EndExport()
{
    while (groups_.size() > headerDepth_) {
        Brace('}');
        groups_.pop_back();
    }
    Brace('}');
    groups_.clear();
    fonts_.clear();
    colours_.clear();
    return RteExportFilter::EndExport();
}
