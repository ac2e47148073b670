// Records of the document's plain tables: style runs (4, 5, 26), areas (9, 10, 11), the
// selection (12), the point list (14), the value lists (16, 17) and the named entries (23).
#include <cstring>

#include "rect_list.h"
#include "rte_catalogue.h"
#include "rte_record_fields.h"
#include "rte_runs.h"
#include "rte_typed.h"

using namespace rte_catalogue;

namespace {

constexpr int32_t kNameBytes = 64;
constexpr int16_t kNamedEntryBytes = 68;
constexpr int16_t kPointBytes = 8;
constexpr uint16_t kPointGrowth = 4;

template <class V>
void SelectFields(V& v, RteSelectPoint& p)
{
    v.L(p.offset);
    v.Pair(p.point);
    RtePoint place = {p.line, p.height};
    v.Pair(place);
    p.line = place.v;
    p.height = place.h;
    v.S(p.flags);
    v.L(p.values[0]);
    v.L(p.values[1]);
    v.S(p.values[2]);
}

RteHandle RunTable(RteDocument* doc, int16_t type)
{
    switch (type) {
    case RTE_REC_CHAR_RUNS:
        return doc->charRuns;
    case RTE_REC_PAR_RUNS:
        return doc->parRuns;
    default:
        return doc->runListC;
    }
}

// Run tables differ in their entries' size (list C packs its 6 bytes), so entries are moved
// field by field at the table's own element size.
RteStyleRun RunAt(const uint8_t* entries, size_t size, int32_t i)
{
    RteStyleRun run = {};
    const uint8_t* entry = entries + size * static_cast<size_t>(i);
    std::memcpy(&run.offset, entry, sizeof run.offset);
    std::memcpy(&run.index, entry + sizeof run.offset, sizeof run.index);
    return run;
}

void StoreRuns(RteHandle table, const std::vector<RteStyleRun>& runs)
{
    size_t size = static_cast<size_t>(RteElementSize(table));
    RteSetCount(table, static_cast<int32_t>(runs.size()));
    RteLocked<uint8_t> entries(table);
    for (size_t i = 0; i < runs.size(); ++i) {
        std::memcpy(entries.get() + size * i, &runs[i].offset, sizeof runs[i].offset);
        std::memcpy(entries.get() + size * i + sizeof runs[i].offset, &runs[i].index, sizeof runs[i].index);
    }
}

RteRectList AreaOf(RteDocument* doc, int16_t type)
{
    switch (type) {
    case RTE_REC_VIEW:
        return doc->viewArea;
    case RTE_REC_WRAP:
        return doc->wrapArea;
    default:
        return doc->extraArea;
    }
}

const std::vector<int32_t>* RunMap(RteStreamPass* pass, int16_t type)
{
    if (type == RTE_REC_CHAR_RUNS)
        return &pass->styleMap;
    if (type == RTE_REC_PAR_RUNS)
        return &pass->formatMap;
    return nullptr;
}

void WriteRuns(RteHandle table, const std::vector<int32_t>* map, RteBodyWriter& body, int32_t* value)
{
    RteLocked<uint8_t> entries(table);
    size_t size = static_cast<size_t>(RteElementSize(table));
    for (int32_t i = 0; i < RteCount(table); ++i) {
        RteStyleRun run = RunAt(entries.get(), size, i);
        body.Long(run.offset);
        body.Short(map ? SavedIndex(*map, run.index) : run.index);
    }
    *value = RteCount(table);
}

void WriteArea(RteRectList area, RteBodyWriter& body, int32_t* value)
{
    RteRectIterator rects(area);
    RteFieldWriter writer(body);
    for (RteRect& rect : rects.Rects())
        writer.Rect(rect);
    *value = rects.Count();
}

void WriteLongs(RteHandle table, RteBodyWriter& body, int32_t* value)
{
    if (!table)
        return;
    RteLocked<int32_t> values(table);
    for (int32_t i = 0; i < values.size(); ++i)
        body.Long(values[i]);
    *value = values.size();
}

void WritePoints(RteHandle points, RteBodyWriter& body, int32_t* value)
{
    if (!points)
        return;
    RteFieldWriter writer(body);
    RteLocked<RtePoint> pairs(points);
    for (int32_t i = 0; i < pairs.size(); ++i)
        writer.Pair(pairs[i]);
    *value = pairs.size();
}

void WriteSelection(RteDocument* doc, RteBodyWriter& body, int32_t* value)
{
    RteFieldWriter writer(body);
    RteLocked<RteSelectPoint> points(doc->selection);
    // A caret is one record.
    int32_t count = RteSelectionIsCaret(doc) ? 1 : points.size();
    for (int32_t i = 0; i < count; ++i) {
        RteSelectPoint point = points[i];
        SelectFields(writer, point);
    }
    *value = count;
}

void WriteNamed(RteDocument* doc, RteBodyWriter& body, int32_t* value)
{
    RteLocked<uint8_t> entries(doc->styleNames);
    int32_t count = RteCount(doc->styleNames);
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t* entry = entries.get() + static_cast<size_t>(i) * kNamedEntryBytes;
        int16_t shorts[2];
        std::memcpy(shorts, entry + kNameBytes, sizeof shorts);
        body.Bytes(entry, kNameBytes);
        body.Short(shorts[0]);
        body.Short(shorts[1]);
    }
    *value = count;
}

template <class T>
void Store(RteHandle table, const std::vector<T>& entries)
{
    RteSetCount(table, static_cast<int32_t>(entries.size()));
    if (!entries.empty())
        std::memcpy(RteLocked<uint8_t>(table).get(), entries.data(), entries.size() * sizeof(T));
}

void ReadArea(RteDocument* doc, RteRectList area, RteBodyReader& body, int32_t count, RteStreamPass* pass)
{
    auto rects = ReadEntries<RteRect>(doc, body, count, pass, pass->version, [](RteFieldReader& r, RteRect& rect) { r.Rect(rect); });
    RteSetRectList(area, nullptr);
    for (const RteRect& rect : rects)
        RteAddRectToList(area, &rect);
}

void ReadSelection(RteDocument* doc, RteBodyReader& body, int32_t count, RteStreamPass* pass)
{
    auto points = ReadEntries<RteSelectPoint>(doc, body, count, pass, pass->version,
                                              [](RteFieldReader& r, RteSelectPoint& p) { SelectFields(r, p); });
    // A caret, a lone point or an odd last point stands for both ends of its range.
    if (points.empty())
        points.push_back(RteSelectPoint{});
    if (points.size() % 2)
        points.push_back(points.back());
    Store(doc->selection, points);
}

void ReadNamed(RteDocument* doc, RteBodyReader& body, int32_t count, RteStreamPass* pass)
{
    struct Named {
        uint8_t bytes[kNamedEntryBytes];
    };
    auto entries = ReadEntries<Named>(doc, body, count, pass, pass->version, [&](RteFieldReader& r, Named& e) {
        r.Bytes(e.bytes, kNameBytes, kNameBytes);
        e.bytes[kNameBytes - 1] = 0;
        int16_t shorts[2];
        r.S(shorts[0]);
        r.S(shorts[1]);
        std::memcpy(e.bytes + kNameBytes, shorts, sizeof shorts);
    });
    Store(doc->styleNames, entries);
}

}  // namespace

namespace rte_catalogue {

void WriteTables(RteDocument* doc, int16_t type, RteBodyWriter& body, int32_t* value, RteStreamPass* pass)
{
    switch (type) {
    case RTE_REC_CHAR_RUNS:
    case RTE_REC_PAR_RUNS:
    case RTE_REC_RUNS_C:
        WriteRuns(RunTable(doc, type), RunMap(pass, type), body, value);
        break;
    case RTE_REC_VIEW:
    case RTE_REC_WRAP:
    case RTE_REC_EXTRA:
        WriteArea(AreaOf(doc, type), body, value);
        break;
    case RTE_REC_SELECTION:
        WriteSelection(doc, body, value);
        break;
    case RTE_REC_POINTS:
        WritePoints(doc->points, body, value);
        break;
    case RTE_REC_VALUES_A:
        WriteLongs(doc->valuesA, body, value);
        break;
    case RTE_REC_VALUES_B:
        WriteLongs(doc->valuesB, body, value);
        break;
    case RTE_REC_NAMED:
        WriteNamed(doc, body, value);
        break;
    default:
        break;
    }
}

void ReadTables(RteDocument* doc, int16_t type, RteBodyReader& body, int32_t value, RteStreamPass* pass)
{
    auto readRun = [](RteFieldReader& r, RteStyleRun& run) {
        r.L(run.offset);
        r.S(run.index);
    };
    auto readLong = [](RteFieldReader& r, int32_t& v) { r.L(v); };
    switch (type) {
    case RTE_REC_RUNS_C:
        if (pass->version < 0x10017)
            break;  // the list came with version 0x10017
        [[fallthrough]];
    case RTE_REC_CHAR_RUNS:
    case RTE_REC_PAR_RUNS:
        StoreRuns(RunTable(doc, type), ReadEntries<RteStyleRun>(doc, body, value, pass, pass->version, readRun));
        break;
    case RTE_REC_WRAP:
    case RTE_REC_EXTRA:
        ReadArea(doc, AreaOf(doc, type), body, value, pass);
        break;
    case RTE_REC_SELECTION:
        ReadSelection(doc, body, value, pass);
        break;
    case RTE_REC_POINTS: {
        // Pairs: two values an entry.
        auto values = ReadEntries<RtePoint>(doc, body, value, pass, pass->version, [](RteFieldReader& r, RtePoint& p) { r.Pair(p); });
        if (values.empty()) {
            if (doc->points)
                RteFree(doc->points);
            doc->points = nullptr;
            break;
        }
        if (!doc->points)
            doc->points = RteAllocKeyedClear(doc->env->context, kPointBytes, 0, kPointGrowth, doc->key);
        Store(doc->points, values);
        break;
    }
    case RTE_REC_VALUES_A:
        Store(doc->valuesA, ReadEntries<int32_t>(doc, body, value, pass, pass->version, readLong));
        break;
    case RTE_REC_VALUES_B:
        Store(doc->valuesB, ReadEntries<int32_t>(doc, body, value, pass, pass->version, readLong));
        break;
    case RTE_REC_NAMED:
        ReadNamed(doc, body, value, pass);
        break;
    default:
        break;
    }
}

}  // namespace rte_catalogue
