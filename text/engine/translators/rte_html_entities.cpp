// Character entities of HTML as bytes of code page 1252: the Latin-1 set by its code order,
// the markup's own four (and the apostrophe), the names of the characters 1252 adds, and
// numbers.
#include <cstdlib>
#include <cstring>

#include "rte_html_import.h"
#include "rte_text_helpers.h"

namespace {

// "nbsp" is 160, each next name one more, up to "yuml" for 255.
const char* const kLatin1[96] = {
    "nbsp", "iexcl", "cent", "pound", "curren", "yen", "brvbar", "sect", "uml", "copy", "ordf", "laquo", "not",
    "shy", "reg", "macr", "deg", "plusmn", "sup2", "sup3", "acute", "micro", "para", "middot", "cedil", "sup1",
    "ordm", "raquo", "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc", "Atilde", "Auml",
    "Aring", "AElig", "Ccedil", "Egrave", "Eacute", "Ecirc", "Euml", "Igrave", "Iacute", "Icirc", "Iuml",
    "ETH", "Ntilde", "Ograve", "Oacute", "Ocirc", "Otilde", "Ouml", "times", "Oslash", "Ugrave", "Uacute",
    "Ucirc", "Uuml", "Yacute", "THORN", "szlig", "agrave", "aacute", "acirc", "atilde", "auml", "aring",
    "aelig", "ccedil", "egrave", "eacute", "ecirc", "euml", "igrave", "iacute", "icirc", "iuml", "eth",
    "ntilde", "ograve", "oacute", "ocirc", "otilde", "ouml", "divide", "oslash", "ugrave", "uacute", "ucirc",
    "uuml", "yacute", "thorn", "yuml",
};

struct NamedByte {
    const char* name;
    uint8_t byte;
};

const NamedByte kOthers[] = {
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},     {"apos", '\''},
    {"OElig", 0x8C},   {"oelig", 0x9C},   {"Scaron", 0x8A},  {"scaron", 0x9A},  {"Yuml", 0x9F},
    {"fnof", 0x83},    {"circ", 0x88},    {"tilde", 0x98},   {"ndash", 0x96},   {"mdash", 0x97},
    {"lsquo", 0x91},   {"rsquo", 0x92},   {"sbquo", 0x82},   {"ldquo", 0x93},   {"rdquo", 0x94},
    {"bdquo", 0x84},   {"dagger", 0x86},  {"Dagger", 0x87},  {"bull", 0x95},    {"hellip", 0x85},
    {"permil", 0x89},  {"lsaquo", 0x8B},  {"rsaquo", 0x9B},  {"euro", 0x80},    {"trade", 0x99},
};

constexpr long kLastChar = 0x10FFFF;

int32_t ByteOfNumber(const std::string& digits)
{
    bool hex = !digits.empty() && (digits[0] == 'x' || digits[0] == 'X');
    const char* start = digits.c_str() + (hex ? 1 : 0);
    char* end = nullptr;
    long code = std::strtol(start, &end, hex ? 16 : 10);
    if (end == start || *end || code < 0 || code > kLastChar)
        return '?';
    if (code <= 0xFF)
        return static_cast<int32_t>(code);
    uint8_t byte = code <= 0xFFFF ? RteCharToCp1252(static_cast<uint16_t>(code)) : 0;
    return byte ? byte : '?';
}

}  // namespace

int32_t RteHtmlEntityByte(const std::string& entity)
{
    if (!entity.empty() && entity[0] == '#')
        return ByteOfNumber(entity.substr(1));
    for (int i = 0; i < 96; ++i)
        if (entity == kLatin1[i])
            return 160 + i;
    for (const NamedByte& other : kOthers)
        if (entity == other.name)
            return other.byte;
    return -1;
}
