// Records 296 and 297: the two link-range tables, every range with its sentinel. A range comes
// back without a callback, which stands for its table's default.
#include <cstring>

#include "rte_catalogue.h"
#include "rte_document_internal.h"
#include "rte_link_range.h"
#include "rte_typed.h"

using namespace rte_catalogue;

namespace {

struct StoredRange {
    RteLinkRange range;
    std::vector<uint8_t> name;
};

std::vector<uint8_t> NameOf(const RteLinkRange& range)
{
    if (range.nameHandle) {
        RteLocked<char> name(range.nameHandle);
        return std::vector<uint8_t>(name.get(), name.get() + strnlen(name.get(), static_cast<size_t>(name.size())));
    }
    return std::vector<uint8_t>(range.name, range.name + strnlen(range.name, sizeof range.name));
}

template <class V>
void RangeFields(V& v, RteLinkRange& range)
{
    v.L(range.start);
    v.L(range.end);
    v.S(range.currentStyle);
    for (int16_t& id : range.kindStyles)
        v.S(id);
}

RteHandle TableOf(RteDocument* doc, int16_t type) { return doc->linkRanges[type == RTE_REC_LINKS_A ? 0 : 1]; }

// A name shorter than the inline field stays inline; a longer one goes into a handle.
void SetName(RteDocument* doc, RteLinkRange* range, const std::vector<uint8_t>& name)
{
    size_t length = strnlen(reinterpret_cast<const char*>(name.data()), name.size());
    if (length < sizeof range->name) {
        std::memcpy(range->name, name.data(), length);
        return;
    }
    range->nameHandle = RteAllocKeyedClear(doc->env->context, 1, static_cast<int32_t>(length + 1), 16, doc->key);
    std::memcpy(RteLocked<uint8_t>(range->nameHandle).get(), name.data(), length);
}

}  // namespace

namespace rte_catalogue {

void WriteLinks(RteDocument* doc, int16_t type, RteBodyWriter& body, int32_t* value, RteStreamPass*)
{
    RteHandle table = TableOf(doc, type);
    RteFieldWriter writer(body);
    std::vector<RteLinkRange> ranges = rte_document::ElementsOf<RteLinkRange>(table);
    // The sentinel stands after the text, wherever edits left it.
    ranges.back().start = ranges.back().end = doc->textLength + 2;
    for (RteLinkRange& range : ranges) {
        RangeFields(writer, range);
        std::vector<uint8_t> name = NameOf(range);
        body.Long(static_cast<int32_t>(name.size()));
        body.Bytes(name.data(), name.size());
    }
    *value = static_cast<int32_t>(ranges.size());
}

void ReadLinks(RteDocument* doc, int16_t type, RteBodyReader& body, int32_t value, RteStreamPass* pass)
{
    auto stored = ReadEntries<StoredRange>(doc, body, value, pass, pass->version, [&](RteFieldReader& r, StoredRange& s) {
        RangeFields(r, s.range);
        int32_t length = 0;
        r.L(length);
        if (length != 0)
            s.name = body.Bytes();
    });
    if (stored.empty())
        return;  // a table keeps at least its sentinel
    RteHandle table = TableOf(doc, type);
    for (const RteLinkRange& old : rte_document::ElementsOf<RteLinkRange>(table))
        if (old.nameHandle)
            RteFree(old.nameHandle);
    RteSetCount(table, static_cast<int32_t>(stored.size()));
    RteLocked<RteLinkRange> ranges(table);
    for (size_t i = 0; i < stored.size(); ++i) {
        RteLinkRange range = {};
        range.start = stored[i].range.start;
        range.end = stored[i].range.end;
        range.currentStyle = stored[i].range.currentStyle;
        std::memcpy(range.kindStyles, stored[i].range.kindStyles, sizeof range.kindStyles);
        SetName(doc, &range, stored[i].name);
        ranges[static_cast<int32_t>(i)] = range;
    }
}

}  // namespace rte_catalogue
