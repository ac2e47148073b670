// The RTF header's tables: fonts, colours and the style sheet.
#include <cstring>

#include "rtf_reader.h"

namespace {

constexpr size_t kMaxFontName = 62;
constexpr size_t kMaxStyleName = 63;
// Entries kept at most per table; later ones are read and dropped.
constexpr size_t kMaxEntries = 4096;

}  // namespace

// The next word or text of a header table whose group is depth deep; braces and marked groups
// are taken here. False once the table's group has closed or the source ended.
bool RtfReader::HeaderToken(RtfToken& token, int32_t& depth)
{
    while (depth > 0 && !exhausted_) {
        token = tokens_.Next();
        switch (token.kind) {
        case RtfTokenKind::End:
            exhausted_ = endChunk_ = true;
            break;
        case RtfTokenKind::Open:
            ++depth;
            break;
        case RtfTokenKind::Close:
            --depth;
            break;
        case RtfTokenKind::Destination:
            SkipGroup(false);
            break;
        case RtfTokenKind::Word:
        case RtfTokenKind::Text:
            return true;
        }
    }
    return false;
}

void RtfReader::ReadFontTable()
{
    int32_t depth = 1;
    FontEntry entry{0, font_};
    std::string name;
    for (RtfToken token; HeaderToken(token, depth);) {
        switch (token.kind) {
        case RtfTokenKind::Word:
            if (token.keyword.word == RtfWord::F)
                entry.number = token.parameter;
            else if (token.keyword.word == RtfWord::Fcharset || token.keyword.word == RtfWord::Cchs)
                RtfSetCharset(entry.font, token.parameter);
            break;
        case RtfTokenKind::Text:
            if (token.byte == ';') {
                std::memset(entry.font.name, 0, sizeof entry.font.name);
                std::memcpy(entry.font.name, name.data(), name.size());
                entry.font.nameFlags |= RTE_FONT_NAME_CSTRING;
                if (fonts_.size() < kMaxEntries) {
                    // Mapped once here: the text's fonts then match the document's table,
                    // and the device is not asked again for every change of font.
                    host_.MapFont(entry.font);
                    fonts_.push_back(entry);
                }
                entry = {0, font_};
                name.clear();
            } else if (token.byte >= 32 && name.size() < kMaxFontName && !(name.empty() && token.byte == ' ')) {
                name.push_back(static_cast<char>(token.byte));
            }
            break;
        default:
            break;
        }
    }
    Pop();
    if (fonts_.empty())
        return;
    SelectFont(defaultFont_, font_);
    host_.DefaultFontRead(font_);
}

void RtfReader::ReadColourTable()
{
    int32_t depth = 1;
    RteColor colour{};
    for (RtfToken token; HeaderToken(token, depth);) {
        switch (token.kind) {
        case RtfTokenKind::Word: {
            uint16_t channel = static_cast<uint16_t>((token.parameter & 0xFF) * 256);
            if (token.keyword.word == RtfWord::Red)
                colour.red = channel;
            else if (token.keyword.word == RtfWord::Green)
                colour.green = channel;
            else if (token.keyword.word == RtfWord::Blue)
                colour.blue = channel;
            break;
        }
        case RtfTokenKind::Text:
            if (token.byte == ';') {
                if (colours_.size() < kMaxEntries)
                    colours_.push_back(colour);
                colour = {};
            }
            break;
        default:
            break;
        }
    }
    Pop();
}

void RtfReader::ReadStyleSheet()
{
    int32_t depth = 1;
    const RteCharStyle startStyle = style_;
    const RteFont startFont = font_;
    const RteParFormat startFormat = format_;
    Definition definition;
    auto fresh = [&] {
        definition = {};
        definition.style = startStyle;
        definition.font = startFont;
        definition.format = host_.DocumentFormat();
    };
    fresh();
    for (RtfToken token; HeaderToken(token, depth);) {
        switch (token.kind) {
        case RtfTokenKind::Word:
            if (token.keyword.word == RtfWord::S) {
                definition.number = token.parameter;
            } else if (token.keyword.table == RtfTable::Paragraph) {
                ParagraphWord(token, definition.format);
                definition.setsFormat = true;
            } else if (token.keyword.table == RtfTable::Character) {
                CharacterWord(token, definition.style, definition.font);
                definition.setsStyle = true;
                definition.setsFont |= token.keyword.word == RtfWord::F;
            }
            break;
        case RtfTokenKind::Text:
            if (token.byte == ';') {
                if (sheet_.size() < kMaxEntries) {
                    const RteParFormat* format = definition.setsFormat ? &definition.format : nullptr;
                    const RteFont* font = definition.setsFont ? &definition.font : nullptr;
                    int32_t index = host_.AddNamedStyle(definition.name.c_str(), definition.style, font, format);
                    sheet_.push_back({definition.number, index});
                    if (definition.number == 0)
                        host_.DefaultNamedStyle(index, format);
                }
                fresh();
            } else if (token.byte > 32 || (token.byte == ' ' && !definition.name.empty())) {
                if (definition.name.size() < kMaxStyleName)
                    definition.name.push_back(static_cast<char>(token.byte));
            }
            break;
        default:
            break;
        }
    }
    Pop();
    // The definitions leave the text's state as it was before the sheet.
    style_ = startStyle;
    font_ = startFont;
    format_ = startFormat;
}
