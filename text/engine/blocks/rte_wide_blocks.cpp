// Text blocks between bytes and 16-bit characters, run by run through the hooks of each
// character style (slot 15 widens, slot 16 narrows). The engine measures, lays out and edits
// bytes: 16-bit text lives only on its way to and from a stream.
#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "rte_block_upkeep.h"
#include "rte_document_internal.h"
#include "rte_style_tables.h"
#include "rte_wide_text.h"

namespace {

constexpr int16_t kWideBytes = 2;
constexpr uint16_t kWideGrowth = 32;
// Room for the bytes of one narrowed character: a counted character has at most three.
constexpr int32_t kCharacterBytes = 8;

// Bytes of a block, from its start, and the widening and narrowing hooks of the style over them.
struct RunPiece {
    int32_t from;
    int32_t to;
    RteStyleWideHook widen;
    RteStyleWideHook narrow;
};

// The character runs over the block's bytes from its start to end (INT_MAX: on to the last
// run's end), in order. The runs may come straight from a stream that the read's fix-up has not
// put in order yet: a run that does not rise is passed over, and an index outside the table
// names the first style; a style without the hooks takes the environment's.
std::vector<RunPiece> RunPieces(RteDocument* doc, int32_t start, int32_t end)
{
    const RteCharStyleHooks& defaults = doc->env->defaultStyle.hooks;
    int32_t styles = RteCount(doc->charStyles);
    auto piece = [&](int32_t from, int32_t to, uint16_t index) {
        RteCharStyleHooks hooks = styles > 0 ? RteCharStyleRecord(doc, index < styles ? index : 0).hooks : defaults;
        return RunPiece{from, to, hooks.bytesToWide ? hooks.bytesToWide : defaults.bytesToWide,
                        hooks.wideToBytes ? hooks.wideToBytes : defaults.wideToBytes};
    };
    std::vector<RteStyleRun> runs = rte_document::ElementsOf<RteStyleRun>(doc->charRuns);
    std::vector<RteStyleRun> rising;
    for (const RteStyleRun& run : runs) {
        if (rising.empty())
            rising.push_back({0, run.index});
        else if (run.offset > rising.back().offset)
            rising.push_back(run);
    }
    if (rising.empty())
        rising.push_back({0, 0});
    std::vector<RunPiece> pieces;
    for (size_t i = 0; i < rising.size(); ++i) {
        int64_t from = std::max<int64_t>(rising[i].offset, start) - start;
        int64_t to = i + 1 < rising.size() ? int64_t{rising[i + 1].offset} - start : INT_MAX;
        to = std::min<int64_t>(to, end == INT_MAX ? INT_MAX : int64_t{end} - start);
        if (from < to)
            pieces.push_back(piece(static_cast<int32_t>(from), static_cast<int32_t>(to), rising[i].index));
    }
    if (pieces.empty())
        pieces.push_back(piece(0, end == INT_MAX ? INT_MAX : end - start, rising.back().index));
    return pieces;
}

void WidenBytes(RteStyleWideHook hook, const uint8_t* bytes, int32_t count, std::vector<uint16_t>* characters)
{
    // A byte gives at most one character.
    size_t at = characters->size();
    characters->resize(at + static_cast<size_t>(count));
    int32_t written = hook(bytes, characters->data() + at, 0, count);
    characters->resize(at + static_cast<size_t>(std::clamp(written, 0, count)));
}

}  // namespace

void RteWidenBlockText(RteHandle handle, int32_t start, RteTextBlock* block)
{
    if (!block->text)
        return;
    rte_document::DocLock doc(handle);
    if (RteElementSize(block->text) == kWideBytes) {
        int32_t count;
        {
            RteLocked<uint16_t> characters(block->text);
            count = RteWideNormalise(characters.get(), characters.size(), false);
        }
        RteSetCount(block->text, count);
        block->length = count;
        return;
    }
    std::vector<uint8_t> bytes;
    {
        RteLocked<uint8_t> text(block->text);
        bytes.assign(text.get(), text.get() + std::clamp(block->length, 0, text.size()));
    }
    std::vector<uint16_t> characters;
    for (const RunPiece& piece : RunPieces(doc.get(), start, start + static_cast<int32_t>(bytes.size()))) {
        const uint8_t* from = bytes.data() + piece.from;
        int32_t count = piece.to - piece.from;
        // CP1252 text may open a run with "ÿþ" or "þÿ": handed over alone, its first byte cannot
        // be taken for a byte-order mark by a hook that looks for one.
        if (count >= 2 && count % 2 == 0 && RteIsByteOrderMark(static_cast<uint16_t>(from[0] | from[1] << 8))) {
            WidenBytes(piece.widen, from, 1, &characters);
            ++from;
            --count;
        }
        WidenBytes(piece.widen, from, count, &characters);
    }
    auto count = static_cast<int32_t>(characters.size());
    RteHandle wide = RteAllocKeyed(doc->env->context, kWideBytes, count, kWideGrowth, RteGetKey(block->text));
    RteSetPurgeFlags(wide, static_cast<uint8_t>(RteGetPurgeFlags(block->text) & RTE_PURGE_PRIORITY_MASK), false);
    if (count > 0)
        std::memcpy(RteLocked<uint16_t>(wide).get(), characters.data(), characters.size() * sizeof(uint16_t));
    RteFree(block->text);
    block->text = wide;
    block->length = count;
}

void RteNarrowBlockText(RteHandle handle, int32_t start, RteTextBlock* block)
{
    if (!block->text || RteElementSize(block->text) != kWideBytes)
        return;
    rte_document::DocLock doc(handle);
    std::vector<uint16_t> characters = rte_document::ElementsOf<uint16_t>(block->text);
    characters.resize(static_cast<size_t>(
        RteWideNormalise(characters.data(), static_cast<int32_t>(characters.size()), false)));
    std::vector<uint8_t> bytes;
    bytes.reserve(characters.size());
    size_t next = 0;
    // The runs count the bytes the text is to have, not its characters: characters go one at a
    // time until a run has its bytes, so that none of several bytes is parted from its style.
    for (const RunPiece& piece : RunPieces(doc.get(), start, INT_MAX)) {
        for (; next < characters.size() && bytes.size() < static_cast<size_t>(piece.to); ++next) {
            uint8_t out[kCharacterBytes];
            int32_t written = piece.narrow(&characters[next], out, 0, 1);
            bytes.insert(bytes.end(), out, out + std::clamp(written, 0, kCharacterBytes));
        }
    }
    RteReset(block->text, 1, RteGetGrowBy(block->text));
    auto count = static_cast<int32_t>(bytes.size());
    RteSetCount(block->text, count);
    if (count > 0)
        std::memcpy(RteLocked<uint8_t>(block->text).get(), bytes.data(), bytes.size());
    block->length = count;
}
