// A block's text widened to 16-bit characters and narrowed back, run by run through the hooks
// of each character style.
#include <gtest/gtest.h>

#include <cstring>

#include "document_fixture.h"
#include "rte_block_upkeep.h"
#include "rte_style_records.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"
#include "rte_wide_text.h"

namespace {

using WideBlockTest = DocumentTest;

// A style's hooks that keep two bytes to a character, as a double-byte character set would.
int32_t PairsToWide(const void* source, void* target, int32_t, int32_t count)
{
    auto* bytes = static_cast<const uint8_t*>(source);
    auto* characters = static_cast<uint16_t*>(target);
    for (int32_t i = 0; i + 1 < count; i += 2)
        characters[i / 2] = static_cast<uint16_t>(bytes[i] << 8 | bytes[i + 1]);
    return count / 2;
}

int32_t WideToPairs(const void* source, void* target, int32_t, int32_t count)
{
    auto* characters = static_cast<const uint16_t*>(source);
    auto* bytes = static_cast<uint8_t*>(target);
    for (int32_t i = 0; i < count; ++i) {
        bytes[2 * i] = static_cast<uint8_t>(characters[i] >> 8);
        bytes[2 * i + 1] = static_cast<uint8_t>(characters[i]);
    }
    return 2 * count;
}

// Text whose [from, to) carries a style with the double-byte hooks.
RteHandle WithPairStyle(RteHandle doc, int32_t from, int32_t to, const RteCharStyleHooks& defaults)
{
    RteRange range = {from, to};
    RteSetStyleBits(doc, &range, 0, 0x0100, 0);
    RteCharStyle values = {}, mask;
    RteClearCharStyle(&mask, 0);
    values.styleBits = 0x0100;
    mask.styleBits = 0xFFFFFFFF;
    RteCharStyleHooks hooks = defaults;
    hooks.bytesToWide = PairsToWide;
    hooks.wideToBytes = WideToPairs;
    RteSetStyleHooks(doc, &values, &mask, nullptr, &hooks, 0, 0, false, 0);
    return doc;
}

RteTextBlock FirstBlock(RteHandle doc) { return Elements<RteTextBlock>(DocumentOf(doc).blocks)[0]; }

std::vector<uint16_t> Characters(const RteTextBlock& block)
{
    EXPECT_EQ(2, RteElementSize(block.text));
    return Elements<uint16_t>(block.text);
}

std::string Bytes(const RteTextBlock& block)
{
    EXPECT_EQ(1, RteElementSize(block.text));
    std::vector<char> bytes = Elements<char>(block.text);
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(WideBlockTest, EachRunWidensThroughItsStylesHookAndNarrowsBackInPlace)
{
    RteHandle doc = WithPairStyle(MakeDocument("ab\x80\x81\x82\x83gh"), 2, 6, env_.defaultStyle.hooks);
    RteTextBlock block = FirstBlock(doc);
    RteHandle own = block.text;
    RteWidenBlockText(doc, 0, &block);
    EXPECT_NE(own, block.text) << "a new 2-byte array replaces the text";
    const std::vector<uint16_t> widened = {'a', 'b', 0x8081, 0x8283, 'g', 'h'};
    EXPECT_EQ(widened, Characters(block));
    EXPECT_EQ(6, block.length);

    RteHandle wide = block.text;
    RteNarrowBlockText(doc, 0, &block);
    EXPECT_EQ(wide, block.text) << "narrowed in place";
    EXPECT_EQ("ab\x80\x81\x82\x83gh", Bytes(block)) << "the runs count bytes: each pair stays with its style";
    EXPECT_EQ(8, block.length);
    RteFree(block.text);
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(WideBlockTest, DefaultHooksMapCp1252AndObeyAMarkOnlyOnSixteenBitText)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<uint16_t> characters;
    };
    const Case cases[] = {
        {"CP1252's upper half", "\x80\x81\x9F\xE9", {0x20AC, 0x0081, 0x0178, 0x00E9}},
        {"text that opens like a little-endian mark", "\xFF\xFExy", {0x00FF, 0x00FE, 'x', 'y'}},
        {"text that opens like a big-endian mark", "\xFE\xFF", {0x00FE, 0x00FF}},
        {"an empty block", "", {}},
    };
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument(c.bytes);
        RteTextBlock block = FirstBlock(doc);
        block.text = RteDuplicate(block.text);
        RteWidenBlockText(doc, 0, &block);
        EXPECT_EQ(c.characters, Characters(block)) << c.what;
        EXPECT_EQ(static_cast<int32_t>(c.characters.size()), block.length) << c.what;
        RteNarrowBlockText(doc, 0, &block);
        EXPECT_EQ(c.bytes, Bytes(block)) << c.what;
        EXPECT_EQ(c.bytes, Bytes(FirstBlock(doc))) << c.what << ": the document keeps its own text";
        RteFree(block.text);
        RteDocDestroy(doc);
    }
}

TEST_F(WideBlockTest, SixteenBitTextLosesItsMarkAndComesInOrder)
{
    RteHandle doc = MakeDocument("abc");
    RteTextBlock block = FirstBlock(doc);
    const uint16_t swapped[] = {RTE_MARK_SWAPPED, 0x4100, 0xAC20};  // "A€" big-endian
    block.text = RteNewFromData(&context_, swapped, 2, 3);
    RteWidenBlockText(doc, 0, &block);
    EXPECT_EQ((std::vector<uint16_t>{'A', 0x20AC}), Characters(block));
    EXPECT_EQ(2, block.length);
    RteNarrowBlockText(doc, 0, &block);
    EXPECT_EQ("A\x80", Bytes(block));
    RteFree(block.text);
    RteDocDestroy(doc);
}

TEST_F(WideBlockTest, ABlockFurtherOnFindsItsRunsAtItsStart)
{
    // The pair style covers [12, 16) of the text; a block starting at 10 sees it at 2.
    RteHandle doc = WithPairStyle(MakeDocument("0123456789ab\x91\x92\x93\x94yz"), 12, 16, env_.defaultStyle.hooks);
    RteTextBlock block = {};
    const uint8_t tail[] = {'a', 'b', 0x91, 0x92, 0x93, 0x94, 'y', 'z'};
    block.text = RteNewFromData(&context_, tail, 1, 8);
    block.length = 8;
    RteWidenBlockText(doc, 10, &block);
    EXPECT_EQ((std::vector<uint16_t>{'a', 'b', 0x9192, 0x9394, 'y', 'z'}), Characters(block));
    RteNarrowBlockText(doc, 10, &block);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(tail), 8), Bytes(block));
    RteFree(block.text);
    RteDocDestroy(doc);
}

}  // namespace
