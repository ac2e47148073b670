// Records 6, 7 and 8: character styles, paragraph formats and fonts, with the fields that
// older versions of the stream lack.
#include <cstddef>
#include <cstring>

#include "rte_catalogue.h"
#include "rte_record_fields.h"
#include "rte_text_helpers.h"
#include "rte_typed.h"

using namespace rte_catalogue;

namespace {

constexpr uint32_t kStyleDeleted = RTE_STYLE_DELETED;
constexpr uint32_t kFormatDeleted = 0x200;
constexpr uint16_t kFontDeleted = 0x80;
constexpr uint16_t kFontHasKind = 0x100;
constexpr uint16_t kFontFlag2 = 0x2;
constexpr int32_t kPlatformKind = 257;
constexpr uint32_t kKeepStyles = 0x200;
constexpr uint32_t kKeepFormats = 0x400;
constexpr uint32_t kKeepFonts = 0x800;
// A version 0x1000F stream written with character styles of this size is a 0x1000E one.
constexpr int32_t kOldStyleBytes = 190;

// The object field travels as a per-save number (rte_record_stream.h); the document's own
// handle never reaches the stream.
template <class V>
void ObjectField(V& v, intptr_t& object, RteStreamPass* pass)
{
    int32_t number = 0;
    if constexpr (!V::reading) {
        if (object) {
            auto& seen = pass->objects;
            size_t i = 0;
            while (i < seen.size() && seen[i] != object)
                ++i;
            if (i == seen.size())
                seen.push_back(object);
            number = static_cast<int32_t>(i + 1);
        }
    }
    v.RefL(number);
    if constexpr (V::reading)
        object = number;
}

template <class V>
void StyleFields(V& v, RteCharStyle& s, RteStreamPass* pass)
{
    int16_t font = s.font;
    int32_t small = s.smallStyle;
    if constexpr (!V::reading) {
        font = static_cast<int16_t>(SavedIndex(pass->fontMap, s.font < 0 ? 0 : s.font));
        small = s.smallStyle > 0 ? SavedIndex(pass->styleMap, s.smallStyle) : s.smallStyle;
    }
    v.S(font);
    v.S(s.ascent);
    v.S(s.descent);
    v.S(s.leading);
    for (int i = 0; i < 3; ++i)
        v.S(s.units38to42[i]);
    // Whether a style's object came from a stream is the reading's own business.
    uint32_t flags = s.flags & ~RTE_STYLE_OBJECT_LOADED;
    v.L(flags);
    v.L(small);
    v.Colour(s.backColor, s.backColorSpare);
    v.Colour(s.textColor, s.textColorSpare);
    if (!v.Has(0x1000B))
        v.Skip();
    int32_t* twelve[12] = {&s.hScale,         &s.pointSize,      &s.sizes[0],       &s.sizes[1],
                           &s.sizes[2],       &s.sizes[3],       &s.units12to13[0], &s.units12to13[1],
                           &s.value14,        &s.value15,        &s.units16to25[0], &s.units16to25[1]};
    for (int i = 0; i < 11; ++i)
        v.L(*twelve[i]);
    if (!v.Has(0x1000B))
        v.L(flags);  // older streams give the flags again here
    if (v.Has(0x1000F))
        v.L(*twelve[11]);
    ObjectField(v, s.object, pass);
    v.L(s.useCount);
    for (int i = 2; i < 10; ++i)
        v.L(s.units16to25[i]);
    int16_t* attributes = RteStyleAttributes(&s);
    int attributeCount = v.Has(0x101) ? RTE_STYLE_ATTRIBUTES : 16;
    for (int i = 0; i < attributeCount; ++i)
        v.S(attributes[i]);
    if (v.Has(0x10000))
        v.L(s.styleBits);
    if (v.Has(0x10010)) {
        v.L(s.namedId);
        v.S(s.units23to34[10]);
        v.S(s.units23to34[11]);
        v.S(s.units38to42[3]);
    }
    if (v.Has(0x10013))
        v.L(s.nameIndex);
    s.font = font;
    s.smallStyle = small;
    s.flags = flags;
}

template <class V>
void TabFields(V& v, RteTab& tab)
{
    // The stream keeps the position before the leader.
    v.L(tab.kind);
    v.L(tab.position);
    v.L(tab.leader);
    v.RefL(tab.value);
}

template <class V>
void FormatFields(V& v, RteParFormat& f)
{
    v.S(f.alignment);
    v.S(f.direction);
    v.S(f.units2to6[0]);
    v.L(f.flags);
    v.L(f.useCount);
    v.L(f.namedId);
    int32_t* twelve[12] = {&f.nameIndex,    &f.unit130,    &f.leftIndent, &f.rightIndent,
                           &f.firstIndent,  &f.tabSpacing, &f.unit135,    &f.lineSpacing,
                           &f.unit137,      &f.spaceBefore, &f.spaceAfter, &f.units140to141[0]};
    for (int i = 0; i < 12; ++i)
        if (i != 3 || v.Has(0x1000B))
            v.L(*twelve[i]);
    if (v.Has(0x10010))
        v.S(f.units2to6[1]);
    v.L(f.units140to141[1]);
    v.RefL(f.value142);
    v.L(f.value143);
    for (int i = 0; i < 7; ++i)
        v.L(f.units144to155[i]);
    int16_t stored = f.tabCount;
    v.S(stored);
    int16_t kept = stored < 0 ? 0 : (stored > RTE_MAX_TABS ? RTE_MAX_TABS : stored);
    for (int i = 0; i < kept; ++i)
        TabFields(v, f.tabs[i]);
    RteTab ignored = {};
    for (int i = kept; i < stored; ++i)  // a count above 32: the rest is read and dropped
        TabFields(v, ignored);
    f.tabCount = kept;
    if (v.Has(8))
        v.L(f.units144to155[7]);
    if (v.Has(0x1000C))
        v.S(f.units2to6[2]);
    if (v.Has(0x10010)) {
        v.L(f.units144to155[8]);
        v.S(f.units2to6[3]);
        v.S(f.units2to6[4]);
        int16_t reserved = 0;
        v.S(reserved);
    }
    if (v.Has(0x10013))
        v.L(f.units144to155[9]);
}

// Names of a document that keeps 16-bit font names: 16-bit characters, perhaps opening with a
// byte-order mark, narrowed to the 64 bytes of the field.
template <class V>
void NameField(V& v, char* name, bool wide)
{
    if (!wide) {
        v.Bytes(name, RTE_FONT_NAME_BYTES, RTE_FONT_NAME_BYTES);
        return;
    }
    // A mark and the 64 characters; longer items are clamped to the buffer.
    std::vector<uint16_t> characters = RteWidenField(name, RTE_FONT_NAME_BYTES);
    size_t bytes = characters.size() * sizeof(uint16_t);
    v.Bytes(characters.data(), bytes, bytes);
    if constexpr (V::reading) {
        RteNarrowField(characters.data(), characters.size(), name, RTE_FONT_NAME_BYTES);
        name[RTE_FONT_NAME_BYTES - 1] = '\0';
    }
}

template <class V>
void FontFields(V& v, RteFont& font, bool wide)
{
    NameField(v, font.name, wide);
    if (v.Has(0x1000E))
        NameField(v, font.altName, wide);
    v.S(font.nameFlags);
    for (int i = 0; i < 3; ++i)
        v.S(font.units1to5[i]);
    if (v.Has(0x10010))
        v.L(font.values[0]);
    v.L(font.values[1]);
    v.RefL(font.values[2]);
    for (int i = 3; i < 11; ++i)
        v.L(font.values[i]);
    int32_t kind = kPlatformKind;
    if constexpr (!V::reading)
        kind = (font.nameFlags & kFontHasKind) ? font.units1to5[4] : kPlatformKind;
    v.L(kind);
    v.S(font.units1to5[3]);
    if constexpr (V::reading) {
        font.units1to5[4] = static_cast<int16_t>(kind);
        if (!v.Has(0x100)) {
            font.units1to5[4] = kPlatformKind;
            font.units1to5[3] = 0;
            font.nameFlags &= static_cast<uint16_t>(~kFontFlag2);
        } else if (!v.Has(0x10012) && (kind & 0x0FFFFF00) == 0) {
            font.values[1] &= 0xFF;
        }
    }
}

std::vector<int32_t> SavedMap(RteHandle table, size_t flagsOffset, uint32_t deleted, size_t flagBytes)
{
    std::vector<int32_t> map;
    RteLocked<uint8_t> bytes(table);
    size_t size = static_cast<size_t>(RteElementSize(table));
    int32_t next = 0;
    for (int32_t i = 0; i < RteCount(table); ++i) {
        uint32_t flags = 0;
        std::memcpy(&flags, bytes.get() + size * static_cast<size_t>(i) + flagsOffset, flagBytes);
        map.push_back((flags & deleted) ? -1 : next++);
    }
    return map;
}

template <class T, class Fields>
void WriteTable(RteHandle table, const std::vector<int32_t>& map, RteBodyWriter& body, int32_t* value, Fields fields)
{
    int32_t written = 0;
    for (int32_t i = 0; i < RteCount(table); ++i) {
        if (map[static_cast<size_t>(i)] < 0)
            continue;
        T record;
        RteGetElement(table, i, &record);
        RteFieldWriter writer(body);
        fields(writer, record);
        ++written;
    }
    *value = written;
}

template <class T>
void StoreTable(RteHandle table, const std::vector<T>& records, bool keep)
{
    int32_t first = keep ? RteCount(table) : 0;
    RteSetCount(table, first + static_cast<int32_t>(records.size()));
    RteLocked<T> entries(table);
    for (size_t i = 0; i < records.size(); ++i)
        entries[first + static_cast<int32_t>(i)] = records[i];
}

}  // namespace

namespace rte_catalogue {

int32_t SavedIndex(const std::vector<int32_t>& map, int32_t index)
{
    if (index < 0 || static_cast<size_t>(index) >= map.size() || map[static_cast<size_t>(index)] < 0)
        return 0;
    return map[static_cast<size_t>(index)];
}

void PrepareSave(RteDocument* doc, RteStreamPass* pass)
{
    pass->styleMap = SavedMap(doc->charStyles, offsetof(RteCharStyle, flags), kStyleDeleted, sizeof(uint32_t));
    pass->formatMap = SavedMap(doc->parFormats, offsetof(RteParFormat, flags), kFormatDeleted, sizeof(uint32_t));
    pass->fontMap = SavedMap(doc->fonts, offsetof(RteFont, nameFlags), kFontDeleted, sizeof(uint16_t));
}

void WriteStyles(RteDocument* doc, int16_t type, RteBodyWriter& body, int32_t* value, RteStreamPass* pass)
{
    bool wide = (doc->flags2 & RTE_DOC2_WIDE_NAMES) != 0;
    switch (type) {
    case RTE_REC_CHAR_STYLES:
        body.Short(doc->styleSetting);
        WriteTable<RteCharStyle>(doc->charStyles, pass->styleMap, body, value,
                                 [&](RteFieldWriter& w, RteCharStyle& s) { StyleFields(w, s, pass); });
        break;
    case RTE_REC_PAR_FORMATS:
        WriteTable<RteParFormat>(doc->parFormats, pass->formatMap, body, value,
                                 [&](RteFieldWriter& w, RteParFormat& f) { FormatFields(w, f); });
        break;
    case RTE_REC_FONTS:
        WriteTable<RteFont>(doc->fonts, pass->fontMap, body, value,
                            [&](RteFieldWriter& w, RteFont& f) { FontFields(w, f, wide); });
        break;
    default:
        break;
    }
}

void ReadStyles(RteDocument* doc, int16_t type, RteBodyReader& body, int32_t value, RteStreamPass* pass)
{
    RteEnvironment* env = doc->env;
    if (type == RTE_REC_CHAR_STYLES) {
        int32_t setting = body.Short();
        int32_t version = pass->version;
        // The body opens with the style setting (2 bytes) before the styles.
        if (version == 0x1000F && value > 0 && (pass->bodyBytes - 2) / value == kOldStyleBytes)
            version = 0x1000E;
        auto styles = ReadEntries<RteCharStyle>(doc, body, value, pass, version,
                                              [&](RteFieldReader& r, RteCharStyle& s) { StyleFields(r, s, pass); });
        for (RteCharStyle& s : styles)
            s.hooks = env->defaultStyle.hooks;
        if (version < 0x10011 && !styles.empty())
            ++styles[0].useCount;
        doc->styleSetting = static_cast<int16_t>(setting);
        bool keep = (doc->flags2 & kKeepStyles) != 0;
        pass->stylesRead = true;
        pass->firstReadStyle = keep ? RteCount(doc->charStyles) : 0;
        StoreTable(doc->charStyles, styles, keep);
    } else if (type == RTE_REC_PAR_FORMATS) {
        auto formats = ReadEntries<RteParFormat>(doc, body, value, pass, pass->version,
                                               [&](RteFieldReader& r, RteParFormat& f) { FormatFields(r, f); });
        for (RteParFormat& f : formats)
            f.hooks = env->defaultFormat.hooks;
        if (pass->version < 0x10011 && !formats.empty())
            ++formats[0].useCount;
        StoreTable(doc->parFormats, formats, (doc->flags2 & kKeepFormats) != 0);
    } else if (type == RTE_REC_FONTS) {
        bool wide = (doc->flags2 & RTE_DOC2_WIDE_NAMES) != 0;
        auto fonts = ReadEntries<RteFont>(doc, body, value, pass, pass->version,
                                        [&](RteFieldReader& r, RteFont& f) { FontFields(r, f, wide); });
        StoreTable(doc->fonts, fonts, (doc->flags2 & kKeepFonts) != 0);
    }
}

}  // namespace rte_catalogue
