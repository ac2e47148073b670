// Fonts and characters of a source written for another system: faces the device lacks take a
// substitute from the table (or the default font), and upper-half bytes go through the
// translation table.
#include <cstring>
#include <string>

#include "rte_text_helpers.h"
#include "rte_translator.h"

namespace {

constexpr size_t kNameRoom = RTE_FONT_NAME_BYTES - 1;

std::string NameOf(const RteFont& font, bool alternate)
{
    const char* name = alternate ? font.altName : font.name;
    bool cString = font.nameFlags & (alternate ? RTE_FONT_ALT_CSTRING : RTE_FONT_NAME_CSTRING);
    if (cString)
        return std::string(name, strnlen(name, kNameRoom));
    return std::string(name + 1, std::min<size_t>(static_cast<uint8_t>(name[0]), kNameRoom));
}

void SetName(RteFont* font, bool alternate, const std::string& value)
{
    char* name = alternate ? font->altName : font->name;
    std::memset(name, 0, RTE_FONT_NAME_BYTES);
    std::memcpy(name, value.data(), std::min(value.size(), kNameRoom));
    font->nameFlags |= alternate ? RTE_FONT_ALT_CSTRING : RTE_FONT_NAME_CSTRING;
}

// The bracketed substitute of the first entry that matches the name ("" when none does). The
// entries are sorted: the search ends at the first whose initial comes after the name's.
std::string Substitute(const char* const* table, int32_t count, const std::string& name)
{
    for (int32_t i = 0; i < count; ++i) {
        const char* entry = table[i];
        if (static_cast<uint8_t>(entry[0]) > static_cast<uint8_t>(name.c_str()[0]))
            break;
        if (!RteMatchPattern(name.c_str(), entry))
            continue;
        const char* open = std::strchr(entry, '[');
        const char* close = open ? std::strchr(open, ']') : nullptr;
        if (!close)
            return std::string();
        return std::string(open + 1, std::min<size_t>(static_cast<size_t>(close - open - 1), kNameRoom));
    }
    return std::string();
}

}  // namespace

void RteImportFilter::MapFont(RteFont* font, int32_t, int32_t)
{
    std::string name = NameOf(*font, false);
    if (fontKnown_(name.c_str(), 0))
        return;
    std::string substitute = Substitute(substitutions_, substitutionCount_, name);
    if (!substitute.empty()) {
        SetName(font, true, name);
        SetName(font, false, substitute);
        name = substitute;
    }
    if (fontKnown_(name.c_str(), 1))
        return;
    *font = env_->defaultFont;
    SetName(font, true, name);
}

void RteImportFilter::TranslateChars(uint8_t* text, int32_t length, int32_t sourceSet, int32_t targetSet)
{
    bool wide = byteOrder_ != RTE_ORDER_BYTES && byteOrder_ != RTE_ORDER_UNKNOWN;
    if (sourceSet == targetSet || !translation_ || length == 0 || wide)
        return;
    RteMapHighChars(env_, text, length, translation_);
}
