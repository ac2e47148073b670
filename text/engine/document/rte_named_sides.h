// What named styles do alike on both sides: the character-style table and the paragraph-format
// table, each with its records, units, find-or-add and use counts.
#pragma once

#include <algorithm>

#include "rte_document_internal.h"
#include "rte_style_tables.h"
#include "rte_style_units.h"

namespace rte_named {

template <class Record>
struct Side;

template <>
struct Side<RteCharStyle> {
    static RteHandle Table(const RteDocument* doc) { return doc->charStyles; }
    static std::span<const RteUnit> Units() { return RteCharStyleUnits(); }
    static int32_t FindOrAdd(RteDocument* doc, const RteCharStyle& r, int32_t reason) { return RteFindOrAddCharStyle(doc, r, reason); }
    static void Use(RteDocument* doc, int32_t index, int32_t delta) { RteUseCharStyle(doc, index, delta); }
};

template <>
struct Side<RteParFormat> {
    static RteHandle Table(const RteDocument* doc) { return doc->parFormats; }
    static std::span<const RteUnit> Units() { return RteParFormatUnits(); }
    static int32_t FindOrAdd(RteDocument* doc, const RteParFormat& r, int32_t reason) { return RteFindOrAddParFormat(doc, r, reason); }
    static void Use(RteDocument* doc, int32_t index, int32_t delta) { RteUseParFormat(doc, index, delta); }
};

// The table index of the entry with the id (> 0), -1 when there is none.
template <class Record>
int32_t EntryIndex(const RteDocument* doc, int32_t id)
{
    if (id <= 0)
        return -1;
    RteLocked<Record> records(Side<Record>::Table(doc));
    for (int32_t i = 0; i < records.size(); ++i)
        if (records[i].namedId == id)
            return i;
    return -1;
}

template <class Record>
int32_t MaxId(const RteDocument* doc)
{
    RteLocked<Record> records(Side<Record>::Table(doc));
    int32_t most = 0;
    for (int32_t i = 0; i < records.size(); ++i)
        most = std::max(most, records[i].namedId);
    return most;
}

}  // namespace rte_named
