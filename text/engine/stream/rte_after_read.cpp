// The post-read fix-up: whatever records were read, and whatever they held, the document
// leaves the read consistent: its blocks hold their text, its runs cover the text and name
// records that exist, indexes and offsets are in range, and no style keeps an object that no
// object record gave it.
#include <algorithm>
#include <cstring>

#include "rte_areas.h"
#include "rte_block_upkeep.h"
#include "rte_document_internal.h"
#include "rte_link_range.h"
#include "rte_record_stream.h"
#include "rte_style_names.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

constexpr uint32_t kFontFlagsCleared = 0x24;
constexpr uint32_t kFlags2Cleared = 0x0080C000;
constexpr int32_t kSentinelPast = 2;

bool WasRead(const RteStreamPass* pass, int16_t type) { return (pass->typesRead[type / 32] >> (type % 32)) & 1; }

int32_t Clamp(int32_t value, int32_t low, int32_t high) { return value < low ? low : (value > high ? high : value); }

// Text read as 16-bit characters becomes bytes through the styles of the runs now read, block
// after block, each block's runs found at the bytes the blocks before it came to.
void NarrowWideText(RteDocument* doc)
{
    int32_t start = 0;
    for (int32_t i = 0; i < RteCount(doc->blocks); ++i) {
        RteTextBlock block = rte_document::ElementOf<RteTextBlock>(doc->blocks, i);
        if (block.text && RteElementSize(block.text) != 1) {
            RteNarrowBlockText(doc->self, start, &block);
            rte_document::SetElement(doc->blocks, i, block);
        }
        start += std::max(block.length, 0);
    }
}

// Every block holds exactly its text; text that is neither in memory nor in a bound stream
// is gone, and the block with it.
void FixBlocks(RteDocument* doc, const RteStreamPass* pass)
{
    bool linesRead = WasRead(pass, RTE_REC_LINES);
    int64_t total = 0;
    {
        RteLocked<RteTextBlock> blocks(doc->blocks);
        for (int32_t i = 0; i < blocks.size(); ++i) {
            RteTextBlock& block = blocks[i];
            bool inStream = !block.text && doc->streamIo && block.streamPosition >= 0;
            if (!block.text && !inStream) {
                block.text = RteAllocKeyedClear(doc->env->context, 1, 0, 64, doc->key);
                block.length = 0;
            }
            if (block.text)
                block.length = RteCount(block.text);
            block.length = std::max(block.length, 0);
            if (!linesRead)
                block.flags |= RTE_BLOCK_RELAYOUT;
            total += block.length;
        }
    }
    if (RteCount(doc->blocks) == 0 || total > INT32_MAX - 2 * kSentinelPast) {
        for (int32_t i = 0; i < RteCount(doc->blocks); ++i) {
            RteTextBlock block = rte_document::ElementOf<RteTextBlock>(doc->blocks, i);
            if (block.text)
                RteFree(block.text);
        }
        RteInitTextBlock(doc);
        total = 0;
    }
    doc->textLength = static_cast<int32_t>(total);
}

template <class T>
void EnsureOne(RteHandle table, const T& record)
{
    if (RteCount(table) > 0)
        return;
    *static_cast<T*>(RteAppend(table, 1, false)) = record;
    RteUnlock(table);
}

// Runs from offset 0, rising, within the text, naming records of the table, and the sentinel.
void FixRuns(RteHandle table, int32_t textLength, int32_t records)
{
    std::vector<RteStyleRun> runs;
    {
        RteLocked<RteStyleRun> entries(table);
        int32_t last = entries.size() - 1;  // the stored sentinel carries nothing more
        for (int32_t i = 0; i < std::max(last, 1) && i < entries.size(); ++i) {
            uint16_t index = static_cast<uint16_t>(entries[i].index < records ? entries[i].index : 0);
            int32_t offset = i == 0 ? 0 : entries[i].offset;
            if (!runs.empty() && offset <= runs.back().offset) {
                runs.back().index = index;
                continue;
            }
            if (offset >= textLength && !runs.empty())
                break;
            if (!runs.empty() && runs.back().index == index)
                continue;
            runs.push_back({offset, index});
        }
    }
    if (runs.empty())
        runs.push_back({0, 0});
    runs.push_back({textLength + kSentinelPast, runs.back().index});
    RteSetCount(table, static_cast<int32_t>(runs.size()));
    std::memcpy(RteLocked<RteStyleRun>(table).get(), runs.data(), runs.size() * sizeof(RteStyleRun));
}

// Use counts as the tables keep them: a use for every run entry, named entry and name that
// refers to a record, a character style's uses carrying one on its small derived style.
void Recount(RteDocument* doc)
{
    RteLocked<RteCharStyle> styles(doc->charStyles);
    RteLocked<RteParFormat> formats(doc->parFormats);
    std::vector<int32_t> styleUses(static_cast<size_t>(styles.size()), 0);
    std::vector<int32_t> formatUses(static_cast<size_t>(formats.size()), 0);
    auto useStyle = [&](int32_t i) {
        ++styleUses[static_cast<size_t>(i)];
        if (styles[i].smallCaps != 0)
            ++styleUses[static_cast<size_t>(styles[i].smallStyle)];
    };
    {
        RteLocked<RteStyleRun> runs(doc->charRuns);
        for (int32_t i = 0; i < runs.size(); ++i)
            useStyle(runs[i].index);
    }
    {
        RteLocked<RteStyleRun> runs(doc->parRuns);
        for (int32_t i = 0; i < runs.size(); ++i)
            ++formatUses[runs[i].index];
    }
    for (int32_t i = 0; i < styles.size(); ++i)
        if (styles[i].namedId > 0)
            useStyle(i);
    for (int32_t i = 0; i < formats.size(); ++i)
        if (formats[i].namedId > 0)
            ++formatUses[static_cast<size_t>(i)];
    RteLocked<RteStyleName> names(doc->styleNames);
    for (int32_t n = 0; n < names.size(); ++n) {
        for (int32_t i = 0; i < styles.size(); ++i)
            if (names[n].charId > 0 && styles[i].namedId == names[n].charId)
                useStyle(i);
        for (int32_t i = 0; i < formats.size(); ++i)
            if (names[n].parId > 0 && formats[i].namedId == names[n].parId)
                ++formatUses[static_cast<size_t>(i)];
    }
    for (int32_t i = 0; i < styles.size(); ++i)
        styles[i].useCount = styleUses[static_cast<size_t>(i)];
    for (int32_t i = 0; i < formats.size(); ++i)
        formats[i].useCount = formatUses[static_cast<size_t>(i)];
}

void FixStyles(RteDocument* doc, const RteStreamPass* pass)
{
    int32_t fonts = RteCount(doc->fonts);
    RteLocked<RteCharStyle> styles(doc->charStyles);
    for (int32_t i = 0; i < styles.size(); ++i) {
        RteCharStyle& style = styles[i];
        style.font = static_cast<int16_t>(style.font < 0 || style.font >= fonts ? 0 : style.font);
        if (style.smallStyle < 0 || style.smallStyle >= styles.size())
            style.smallStyle = 0;
        // A stream gives an object only through its object records; a number that met none
        // would leave the style's object hooks on nothing.
        bool fromStream = pass->stylesRead && i >= pass->firstReadStyle;
        if (fromStream && style.object && !(style.flags & RTE_STYLE_OBJECT_LOADED)) {
            style.object = 0;
            style.hooks = doc->env->defaultStyle.hooks;
        }
        style.fontHandle = 0;
        style.fontCache = 0;
        RteFont font = rte_document::ElementOf<RteFont>(doc->fonts, style.font);
        style.hooks.metrics(doc->self, &style, &font);
    }
}

void FixFonts(RteDocument* doc)
{
    RteLocked<RteFont> fonts(doc->fonts);
    for (int32_t i = 0; i < fonts.size(); ++i) {
        fonts[i].nameFlags &= static_cast<uint16_t>(~kFontFlagsCleared);
        fonts[i].name[RTE_FONT_NAME_BYTES - 1] = '\0';
        fonts[i].altName[RTE_FONT_NAME_BYTES - 1] = '\0';
        doc->hooks.fontInit(doc->self, &fonts[i]);
    }
}

void FixFormats(RteDocument* doc)
{
    RteLocked<RteParFormat> formats(doc->parFormats);
    for (int32_t i = 0; i < formats.size(); ++i)
        formats[i].tabCount = static_cast<int16_t>(Clamp(formats[i].tabCount, 0, RTE_MAX_TABS));
}

// Two points a range, each within the text.
void FixSelection(RteDocument* doc)
{
    int32_t count = RteCount(doc->selection);
    if (count < 2) {
        RteSetCount(doc->selection, 2);
        std::memset(RteLocked<RteSelectPoint>(doc->selection).get(), 0, 2 * sizeof(RteSelectPoint));
    } else if (count % 2) {
        RteSelectPoint last = rte_document::ElementOf<RteSelectPoint>(doc->selection, count - 1);
        *static_cast<RteSelectPoint*>(RteAppend(doc->selection, 1, false)) = last;
        RteUnlock(doc->selection);
    }
    RteLocked<RteSelectPoint> points(doc->selection);
    for (int32_t i = 0; i < points.size(); ++i)
        points[i].offset = Clamp(points[i].offset, 0, doc->textLength);
}

// List C keeps 6-byte entries: an offset and an index.
void FixOtherRuns(RteDocument* doc)
{
    RteLocked<uint8_t> entries(doc->runListC);
    size_t size = static_cast<size_t>(RteElementSize(doc->runListC));
    for (int32_t i = 0; i < RteCount(doc->runListC); ++i) {
        uint8_t* entry = entries.get() + size * static_cast<size_t>(i);
        int32_t offset;
        std::memcpy(&offset, entry, sizeof offset);
        offset = Clamp(offset, 0, doc->textLength + kSentinelPast);
        std::memcpy(entry, &offset, sizeof offset);
    }
}

// Ranges within the text, in end order, each holding text; the end records follow the text.
void FixLinkRanges(RteDocument* doc)
{
    for (RteHandle table : doc->linkRanges) {
        if (RteCount(table) == 0)
            rte_document::ResetRuns(table, -1);
        std::vector<RteLinkRange> ranges = rte_document::ElementsOf<RteLinkRange>(table);
        std::vector<RteLinkRange> kept;
        for (size_t i = 0; i + 1 < ranges.size(); ++i) {
            RteLinkRange range = ranges[i];
            range.start = Clamp(range.start, 0, doc->textLength);
            range.end = Clamp(range.end, 0, doc->textLength);
            if (range.start < range.end && (kept.empty() || range.end >= kept.back().end))
                kept.push_back(range);
            else if (range.nameHandle)
                RteFree(range.nameHandle);
        }
        RteLinkRange sentinel = ranges.back();
        if (sentinel.nameHandle)
            RteFree(sentinel.nameHandle);
        sentinel.nameHandle = nullptr;
        sentinel.start = sentinel.end = doc->textLength + kSentinelPast;
        kept.push_back(sentinel);
        RteSetCount(table, static_cast<int32_t>(kept.size()));
        std::memcpy(RteLocked<RteLinkRange>(table).get(), kept.data(), kept.size() * sizeof(RteLinkRange));
    }
}

void FixScaling(RteDocument* doc)
{
    int32_t factor = doc->scaling.factor < 0 ? -doc->scaling.factor : doc->scaling.factor;
    if ((factor >> 16) == 0 || (factor & 0xFFFF) == 0)
        doc->scaling.factor = 0;
    // Text laid out at another resolution than the port's is scaled to the port's (its styles,
    // formats and areas), then laid out again.
    int32_t stored = doc->resolution;
    int32_t port = doc->port.resolution;
    auto fits = [](int32_t value) { return value > 0 && value <= INT16_MAX; };
    if (fits(stored) && fits(port) && stored != port)
        RteScaleDocument(doc->self, static_cast<int16_t>(port), static_cast<int16_t>(stored), true);
    doc->resolution = port;
}

// A registered type-24 handler sees every font (kind 2), character style (1) and paragraph
// format (3) that was read, then kind 4 once at the end.
void TellFixupHandler(RteDocument* doc)
{
    RteRecordHandler handler = {RTE_REC_FIXUP, 0, nullptr, nullptr, nullptr, nullptr};
    if (!doc->env->registry || RteGetRecordType(doc->env, &handler) != 0 || !handler.reader)
        return;
    auto tell = [&](RteHandle table, int32_t kind) {
        for (int32_t i = 0; i < RteCount(table); ++i) {
            int32_t value = kind;
            void* record = RteElementPtr(table, i, true);
            handler.reader(doc->self, RTE_REC_FIXUP, nullptr, &value, reinterpret_cast<intptr_t>(record), nullptr);
            RteUnlock(table);
        }
    };
    tell(doc->fonts, 2);
    tell(doc->charStyles, 1);
    tell(doc->parFormats, 3);
    int32_t end = 4;
    handler.reader(doc->self, RTE_REC_FIXUP, nullptr, &end, 0, nullptr);
}

}  // namespace

void RteAfterRead(RteHandle handle, RteStreamPass* pass)
{
    rte_document::DocLock doc(handle);
    RteEnvironment* env = doc->env;
    NarrowWideText(doc.get());
    FixBlocks(doc.get(), pass);
    EnsureOne(doc->fonts, env->defaultFont);
    RteCharStyle style = env->defaultStyle;
    style.flags &= RTE_STYLE_KEPT_FLAGS;
    EnsureOne(doc->charStyles, style);
    RteParFormat format = env->defaultFormat;
    format.flags &= RTE_STYLE_KEPT_FLAGS;
    EnsureOne(doc->parFormats, format);
    TellFixupHandler(doc.get());
    FixFonts(doc.get());
    FixRuns(doc->charRuns, doc->textLength, RteCount(doc->charStyles));
    FixRuns(doc->parRuns, doc->textLength, RteCount(doc->parFormats));
    FixStyles(doc.get(), pass);
    FixFormats(doc.get());
    Recount(doc.get());
    FixSelection(doc.get());
    FixOtherRuns(doc.get());
    FixLinkRanges(doc.get());
    FixScaling(doc.get());
    int32_t styles = RteCount(doc->charStyles);
    doc->insertStyle = static_cast<int16_t>(Clamp(doc->insertStyle, 0, styles - 1));
    doc->currentStyle = static_cast<int16_t>(Clamp(doc->currentStyle, 0, styles - 1));
    if (doc->state != RTE_DOC_STATE_READY)
        RteMarkForLayout(doc.get(), 0, doc->textLength);
    doc->flags2 &= ~kFlags2Cleared;
    doc->version = RTE_DOC_VERSION;
    doc->state = RTE_DOC_STATE_READY;
    ++doc->changes;
}
