// The RTF reader's loop: groups, text, special characters and the words of paragraphs,
// characters, pages and tables.
#include "rtf_reader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "rte_style_units.h"

namespace {

// Groups nested deeper than this share the state of the deepest kept one: the stack's memory
// stays bounded whatever the input holds.
constexpr int32_t kMaxDepth = 512;
// Fallback characters after a "\u" word are counted in bytes; no writer uses more than a few.
constexpr int32_t kMaxUnicodeSkip = 16;

bool StylesEqual(const RteCharStyle& a, const RteCharStyle& b) { return RteUnitsEqual(RteCharStyleUnits(), &a, &b); }
bool FontsEqual(const RteFont& a, const RteFont& b) { return RteUnitsEqual(RteFontUnits(), &a, &b); }
bool FormatsEqual(const RteParFormat& a, const RteParFormat& b) { return RteUnitsEqual(RteParFormatUnits(), &a, &b); }

// A switch-type style word is -1 when on.
int16_t Toggle(const RtfToken& token) { return token.hasNumber && token.parameter == 0 ? 0 : -1; }

int16_t Clamp16(int32_t value) { return static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX)); }

}  // namespace

void RtfSetCharset(RteFont& font, int32_t charset)
{
    font.values[RTE_FONT_CHARSET] = (font.values[RTE_FONT_CHARSET] & ~0xFFF) | (charset & 0xFFF);
}

RtfReader::RtfReader(RtfInput& input, RtfReaderHost& host, const RteCharStyle& style, const RteFont& font,
                     const RteParFormat& format, size_t chunkLimit)
    : tokens_(input), host_(host), chunkLimit_(std::max<size_t>(chunkLimit, 2)), style_(style), font_(font),
      format_(format), lastStyle_(style), lastFont_(font), lastFormat_(format)
{
}

bool RtfReader::ReadChunk(RtfChunk& chunk)
{
    chunk_ = &chunk;
    chunk.text.clear();
    chunk.newStyle = chunk.newFont = chunk.newFormat = false;
    endChunk_ = false;
    if (tableEnding_) {
        tableEnding_ = false;
        tablesOn_ = false;
        format_ = host_.DocumentFormat();
    }
    if (!pendingObject_.empty()) {
        // An object met while text was pending comes as a chunk of its own.
        RteCharStyle text = style_;
        style_ = objectStyle_;
        AddByte('[');
        AddByte(']');
        style_ = text;
        pendingObject_.clear();
        endChunk_ = true;
    }
    while (!endChunk_) {
        RtfToken token = tokens_.Next();
        switch (token.kind) {
        case RtfTokenKind::End:
            exhausted_ = true;
            endChunk_ = true;
            break;
        case RtfTokenKind::Open:
            Push();
            break;
        case RtfTokenKind::Close:
            Pop();
            EndChunkOnChange();
            break;
        case RtfTokenKind::Text:
            AddText(token.byte);
            break;
        case RtfTokenKind::Destination:
            SkipGroup(true);
            break;
        case RtfTokenKind::Word:
            Word(token);
            break;
        }
    }
    if (!FormatsEqual(format_, lastFormat_)) {
        lastFormat_ = format_;
        chunk.format = format_;
        chunk.newFormat = true;
    }
    chunk_ = nullptr;
    return !(exhausted_ && chunk.text.empty());
}

void RtfReader::Push()
{
    if (groups_.size() >= static_cast<size_t>(kMaxDepth)) {
        ++unpushed_;
        return;
    }
    groups_.push_back({style_, font_, unicodeSkip_});
}

void RtfReader::Pop()
{
    fallbackLeft_ = 0;
    if (unpushed_ > 0) {
        --unpushed_;
        return;
    }
    if (groups_.empty())
        return;  // more closing braces than opening ones: the state stays
    style_ = groups_.back().style;
    font_ = groups_.back().font;
    unicodeSkip_ = groups_.back().unicodeSkip;
    groups_.pop_back();
}

void RtfReader::SkipGroup(bool pop)
{
    int32_t depth = 1;
    while (depth > 0) {
        RtfToken token = tokens_.Next();
        if (token.kind == RtfTokenKind::End) {
            exhausted_ = endChunk_ = true;
            return;
        }
        if (token.kind == RtfTokenKind::Open)
            ++depth;
        else if (token.kind == RtfTokenKind::Close)
            --depth;
        else if (token.kind == RtfTokenKind::Word && token.keyword.word == RtfWord::Bin && token.hasNumber)
            SkipBytes(token.parameter);
    }
    if (pop)
        Pop();
}

void RtfReader::SkipBytes(int32_t count)
{
    for (int32_t i = 0; i < count && tokens_.Raw() >= 0; ++i)
        continue;
}

// A change of style or font with text pending ends the chunk; the new one starts the next.
void RtfReader::EndChunkOnChange()
{
    if (!chunk_->text.empty() && (!StylesEqual(style_, chunk_->style) || !FontsEqual(font_, chunk_->font)))
        endChunk_ = true;
}

void RtfReader::AddByte(uint8_t byte)
{
    if (chunk_->text.empty()) {
        chunk_->style = style_;
        chunk_->font = font_;
        chunk_->newStyle = firstText_ || !StylesEqual(style_, lastStyle_);
        chunk_->newFont = firstText_ || !FontsEqual(font_, lastFont_);
        lastStyle_ = style_;
        lastFont_ = font_;
        firstText_ = false;
    }
    chunk_->text.push_back(static_cast<char>(byte));
    if (chunk_->text.size() >= chunkLimit_)
        endChunk_ = true;
}

void RtfReader::AddText(uint8_t byte)
{
    if (fallbackLeft_ > 0) {
        --fallbackLeft_;
        return;
    }
    if (byte >= 32)
        AddByte(byte);
}

void RtfReader::Word(const RtfToken& token)
{
    fallbackLeft_ = 0;
    switch (token.keyword.table) {
    case RtfTable::None:
        break;  // unknown words and symbols are ignored
    case RtfTable::Special:
        Special(token);
        break;
    case RtfTable::Skipped:
    case RtfTable::Info:
        SkipGroup(true);
        break;
    case RtfTable::Document:
        DocumentWord(token);
        break;
    case RtfTable::Page:
        PageWord(token);
        break;
    case RtfTable::Paragraph:
        ParagraphWord(token, format_);
        break;
    case RtfTable::Character:
        CharacterWord(token, style_, font_);
        EndChunkOnChange();
        break;
    case RtfTable::Table:
        if (tablesOn_)
            TableWord(token);
        break;
    }
}

void RtfReader::Special(const RtfToken& token)
{
    const bool mac = sourceSet_ == RTF_SET_MAC;
    switch (token.keyword.word) {
    case RtfWord::Bullet: AddByte(mac ? 165 : 0x95); break;
    case RtfWord::Ldblquote: AddByte(mac ? 210 : 0x93); break;
    case RtfWord::Rdblquote: AddByte(mac ? 211 : 0x94); break;
    case RtfWord::Lquote: AddByte(mac ? 212 : 0x91); break;
    case RtfWord::Rquote: AddByte(mac ? 213 : 0x92); break;
    case RtfWord::Endash: AddByte(mac ? 208 : 0x96); break;
    case RtfWord::Emdash: AddByte(mac ? 209 : 0x97); break;
    case RtfWord::Line: AddByte(RTF_CHAR_LINE_BREAK); break;
    case RtfWord::Page: AddByte(RTF_CHAR_PAGE_BREAK); break;
    case RtfWord::Tab: AddByte(RTF_CHAR_TAB); break;
    case RtfWord::Par:
        AddByte(RTF_CHAR_PARAGRAPH);
        endChunk_ = true;
        // The paragraph's own format is taken with this chunk; the table ends after it.
        tableEnding_ = tablesOn_;
        break;
    case RtfWord::U: {
        uint16_t character = static_cast<uint16_t>(token.parameter < 0 ? token.parameter + 65536 : token.parameter);
        uint8_t byte = token.hasNumber ? host_.UnicodeByte(character) : 0;
        if (byte != 0) {
            AddByte(byte);
            fallbackLeft_ = unicodeSkip_;  // the fallback stands in for what was just put
        }
        break;
    }
    case RtfWord::Uc:
        if (token.hasNumber)
            unicodeSkip_ = std::clamp<int32_t>(token.parameter, 0, kMaxUnicodeSkip);
        break;
    default:
        break;  // sect
    }
}

void RtfReader::DocumentWord(const RtfToken& token)
{
    switch (token.keyword.word) {
    case RtfWord::Ansi: sourceSet_ = RTF_SET_ANSI; break;
    case RtfWord::Mac: sourceSet_ = RTF_SET_MAC; break;
    case RtfWord::Deff: defaultFont_ = token.parameter; break;
    case RtfWord::Fonttbl: ReadFontTable(); break;
    case RtfWord::Colortbl: ReadColourTable(); break;
    case RtfWord::Stylesheet: ReadStyleSheet(); break;
    case RtfWord::Pict: ReadPicture(false); break;
    case RtfWord::Object: ReadPicture(true); break;
    case RtfWord::Bin:
        // Binary data outside a picture is passed over.
        if (token.hasNumber)
            SkipBytes(token.parameter);
        break;
    case RtfWord::Trowd:
        if (!chunk_->text.empty()) {
            if (chunk_->text.back() != static_cast<char>(RTF_CHAR_PARAGRAPH))
                AddByte(RTF_CHAR_PARAGRAPH);
            endChunk_ = true;
        }
        newRow_ = true;
        tablesOn_ = true;
        tableEnding_ = false;
        break;
    default:
        break;  // picture words outside a picture, rtf
    }
}

void RtfReader::PageWord(const RtfToken& token)
{
    int32_t value = host_.TwipsToDevice(token.parameter);
    int32_t* slot = nullptr;
    switch (token.keyword.word) {
    case RtfWord::Margt: slot = &page_.margins[0]; break;
    case RtfWord::Margl: slot = &page_.margins[1]; break;
    case RtfWord::Margb: slot = &page_.margins[2]; break;
    case RtfWord::Margr: slot = &page_.margins[3]; break;
    case RtfWord::Paperw: slot = &page_.paperWidth; break;
    case RtfWord::Paperh: slot = &page_.paperHeight; break;
    default: return;
    }
    if (*slot != value) {
        *slot = value;
        page_.changed = true;
    }
}

void RtfReader::TableWord(const RtfToken& token)
{
    if (newRow_) {
        newRow_ = false;
        format_ = host_.DocumentFormat();
        format_.tabCount = 0;
    }
    switch (token.keyword.word) {
    case RtfWord::Cell: AddByte(RTF_CHAR_TAB); break;
    case RtfWord::Cellx: AddTab(format_, token.parameter); break;
    case RtfWord::Row:
        if (!chunk_->text.empty() && chunk_->text.back() == static_cast<char>(RTF_CHAR_TAB))
            chunk_->text.back() = static_cast<char>(RTF_CHAR_PARAGRAPH);
        else
            AddByte(RTF_CHAR_PARAGRAPH);
        endChunk_ = true;
        break;
    default:
        break;  // borders, gaps, alignment and heights of rows are not kept
    }
}

void RtfReader::AddTab(RteParFormat& format, int32_t twips)
{
    if (format.tabCount < 0 || format.tabCount >= RTE_MAX_TABS) {
        tab_ = {};
        return;
    }
    RteTab& tab = format.tabs[format.tabCount++];
    tab = {};
    tab.kind = tab_.kind;
    tab.leader = tab_.leader;
    tab.position = std::max(0, host_.TwipsToDevice(twips) + host_.TabOffset());
    tab_ = {};
}

void RtfReader::ParagraphWord(const RtfToken& token, RteParFormat& format)
{
    const int32_t value = token.hasNumber ? host_.TwipsToDevice(token.parameter) : 0;
    switch (token.keyword.word) {
    case RtfWord::Fi: format.firstIndent = value; break;
    case RtfWord::Li: format.leftIndent = value; break;
    case RtfWord::Ri: format.rightIndent = value; break;
    case RtfWord::Sa: format.spaceAfter = std::abs(value); break;
    case RtfWord::Sb: format.spaceBefore = std::abs(value); break;
    case RtfWord::Sl: format.lineSpacing = std::abs(value); break;
    case RtfWord::Qc: format.alignment = 1; break;
    case RtfWord::Qj: format.alignment = 3; break;
    case RtfWord::Ql: format.alignment = 0; break;
    case RtfWord::Qr: format.alignment = 2; break;
    case RtfWord::Tldot: tab_.leader = '.'; break;
    case RtfWord::Tlhyph: tab_.leader = '-'; break;
    case RtfWord::Tqc: tab_.kind = RTE_TAB_CENTRED; break;
    case RtfWord::Tqdec: tab_.kind = RTE_TAB_DECIMAL; break;
    case RtfWord::Tqr: tab_.kind = RTE_TAB_RIGHT; break;
    case RtfWord::Tx: AddTab(format, token.parameter); break;
    case RtfWord::Pard: {
        RteParFormat fresh = host_.DocumentFormat();
        if (tablesOn_) {
            fresh.tabCount = format.tabCount;
            std::memcpy(fresh.tabs, format.tabs, sizeof fresh.tabs);
        }
        format = fresh;
        break;
    }
    default:
        break;  // keepn, pagebb
    }
}

void RtfReader::SelectFont(int32_t number, RteFont& font)
{
    for (const FontEntry& entry : fonts_) {
        if (entry.number == number) {
            font = entry.font;
            return;
        }
    }
}

void RtfReader::CharacterWord(const RtfToken& token, RteCharStyle& style, RteFont& font)
{
    const int32_t n = token.parameter;
    switch (token.keyword.word) {
    case RtfWord::B: style.bold = Toggle(token); break;
    case RtfWord::Caps: style.allCaps = Toggle(token); break;
    case RtfWord::I: style.italic = Toggle(token); break;
    case RtfWord::Outl: style.outline = Toggle(token); break;
    case RtfWord::Scaps: style.smallCaps = Toggle(token); break;
    case RtfWord::Shad: style.shadow = Toggle(token); break;
    case RtfWord::Strike: style.strikeOut = Toggle(token); break;
    case RtfWord::Ul: style.underline = Toggle(token); break;
    case RtfWord::Uld: style.dottedUnderline = Toggle(token); break;
    case RtfWord::Uldb: style.doubleUnderline = Toggle(token); break;
    case RtfWord::Ulw: style.wordUnderline = Toggle(token); break;
    case RtfWord::V: style.hidden = Toggle(token); break;
    case RtfWord::Cchs:
    case RtfWord::Fcharset:
        RtfSetCharset(font, n);
        break;
    case RtfWord::Cf:
        if (n >= 0 && static_cast<size_t>(n) < colours_.size())
            style.textColor = colours_[static_cast<size_t>(n)];
        break;
    case RtfWord::Dn: style.subscript = Clamp16(n / 2); break;
    case RtfWord::Up: style.superscript = Clamp16(n / 2); break;
    case RtfWord::Expnd: {
        int32_t quarters = (n >= 57 && n <= 63) ? n - 64 : std::clamp(n, -32767, 32767);
        style.units16to25[0] = quarters * 65536 / 4;
        break;
    }
    case RtfWord::F: SelectFont(n, font); break;
    case RtfWord::Fs: style.pointSize = std::clamp(n / 2, 0, 32767) << 16; break;
    case RtfWord::Plain:
        style.bold = style.italic = style.underline = style.outline = style.shadow = 0;
        style.doubleUnderline = style.wordUnderline = style.dottedUnderline = style.hidden = 0;
        style.strikeOut = style.superscript = style.subscript = style.allCaps = style.smallCaps = 0;
        style.units16to25[0] = 0;
        if (!colours_.empty())
            style.textColor = colours_[0];
        break;
    case RtfWord::Super: {
        int32_t points = (style.pointSize >> 16) * 3 / 4;
        style.pointSize = points << 16;
        style.superscript = Clamp16(points / 2);
        break;
    }
    case RtfWord::S:
        for (const SheetEntry& entry : sheet_) {
            if (entry.number == n) {
                host_.ApplyNamedStyle(entry.index, style, font, format_);
                break;
            }
        }
        break;
    default:
        break;  // red, green, blue outside the colour table
    }
}
