// Reading HTML: text into chunks, tags and entities read between chunks. Tags are matched by
// their name alone, so that a paragraph with attributes or an XHTML line break still ends a
// paragraph.
#include "rte_html_import.h"

#include <cctype>

#include "rte_text_blocks.h"

namespace {

// A tag's text beyond this is read and dropped; an entity name longer than this is no entity.
constexpr size_t kTagRoom = 256;
constexpr size_t kEntityRoom = 32;
// Elements whose content is not text to show.
const char* const kHidden[] = {"TITLE", "STYLE", "SCRIPT"};

std::string UpperName(const std::string& tag, size_t from)
{
    std::string name;
    for (size_t i = from; i < tag.size() && !std::isspace(static_cast<unsigned char>(tag[i])) && tag[i] != '/'; ++i)
        name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(tag[i]))));
    return name;
}

bool EntityChar(int16_t c) { return c >= 0 && c < 0x80 && (std::isalnum(c) || c == '#'); }

}  // namespace

HTMLImportFilter::HTMLImportFilter()
{
    formatId_ = RTE_FORMAT_MARKUP;
    features_ = RTE_FEATURE_BUFFERED | RTE_FEATURE_STYLES | RTE_FEATURE_TEXT;
}

int16_t HTMLImportFilter::VerifyFormat() { return 1; }

int16_t HTMLImportFilter::BeginImport()
{
    font_ = record_.font;
    style_ = record_.style;
    output_ = true;
    whiteSpace_ = false;
    paragraphStart_ = false;
    tagPending_ = false;
    entityPending_ = false;
    hiddenUntil_.clear();
    return 0;
}

void HTMLImportFilter::ReadTag()
{
    tag_.clear();
    char quote = 0;
    bool comment = false;
    char last[2] = {0, 0};
    for (int16_t c = NextChar(); c != RTE_END_OF_SOURCE; c = NextChar()) {
        // A ">" inside a quoted attribute value, or inside a comment before its "--", does not
        // end the tag.
        if (c == '>' && (comment ? last[0] == '-' && last[1] == '-' : !quote))
            break;
        last[0] = last[1];
        last[1] = static_cast<char>(c);
        if (!comment && (c == '"' || c == '\'') && (!quote || quote == c))
            quote = quote ? 0 : static_cast<char>(c);
        if (tag_.size() < kTagRoom)
            tag_.push_back(static_cast<char>(c));
        comment = comment || tag_ == "!--";
    }
    RunTag();
}

void HTMLImportFilter::RunTag()
{
    bool closing = !tag_.empty() && tag_[0] == '/';
    std::string name = UpperName(tag_, closing ? 1 : 0);
    if (!hiddenUntil_.empty()) {
        // A script may hold a "<" of its own that swallows the closing tag into its text.
        std::string upper;
        for (char c : tag_)
            upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        if ((closing && name == hiddenUntil_) || upper.find("</" + hiddenUntil_) != std::string::npos) {
            hiddenUntil_.clear();
            output_ = true;
        }
        return;
    }
    for (const char* hidden : kHidden) {
        if (!closing && name == hidden) {
            hiddenUntil_ = name;
            output_ = false;
            return;
        }
    }
    int ends = closing ? 0 : name == "P" ? 2 : name == "BR" ? 1 : 0;
    for (int i = 0; i < ends; ++i)
        PutByte(RTE_PARAGRAPH_END);
    if (ends && output_)
        paragraphStart_ = true;
}

void HTMLImportFilter::ReadEntity()
{
    std::string entity;
    int16_t c = NextChar();
    while (EntityChar(c) && entity.size() < kEntityRoom) {
        entity.push_back(static_cast<char>(c));
        c = NextChar();
    }
    bool number = !entity.empty() && entity[0] == '#';
    bool named = !entity.empty() && !number;
    if (c == ';' && (named || entity.find_first_of("0123456789", 1) != std::string::npos)) {
        int32_t byte = RteHtmlEntityByte(entity);
        if (byte >= 0)
            TakeChar(static_cast<uint8_t>(byte));
        return;
    }
    // Not an entity: the "&" and what followed it are text.
    TakeChar('&');
    if (c != RTE_END_OF_SOURCE)
        entity.push_back(static_cast<char>(c));
    GiveBack(entity);
}

void HTMLImportFilter::TakeChar(uint8_t byte)
{
    if (byte <= 31) {
        whiteSpace_ = true;
        return;
    }
    // The line ends of the source after a paragraph end are no text of the new paragraph.
    if (output_ && whiteSpace_ && !paragraphStart_)
        PutByte(' ');
    whiteSpace_ = false;
    if (output_) {
        PutByte(byte);
        paragraphStart_ = false;
    }
}

int32_t HTMLImportFilter::ReadChunk()
{
    record_.length = 0;
    record_.style = style_;
    record_.font = font_;
    if (tagPending_) {
        tagPending_ = false;
        ReadTag();
    }
    if (entityPending_) {
        entityPending_ = false;
        ReadEntity();
    }
    // Two bytes of room: a character may bring the space before it.
    while (record_.length + 2 <= bufferSize_) {
        int16_t c = NextChar();
        if (c == RTE_END_OF_SOURCE)
            return 0;
        if (c == '<' || c == '&') {
            (c == '<' ? tagPending_ : entityPending_) = true;
            return 1;
        }
        TakeChar(static_cast<uint8_t>(c));
    }
    return 1;
}
