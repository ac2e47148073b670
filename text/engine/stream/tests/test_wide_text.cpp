// Documents whose second flags ask for 16-bit text: each block's text goes on the stream as
// 16-bit characters behind the 0xFE marker, and comes back as the same bytes.
#include <gtest/gtest.h>

#include "rte_block_upkeep.h"
#include "rte_io.h"
#include "rte_record_codec.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"
#include "rte_wide_text.h"
#include "stream_fixture.h"

namespace {

using WideTextTest = StreamTest;

// The text of each block, in order.
std::vector<std::string> BlockTexts(RteHandle doc)
{
    std::vector<std::string> texts;
    for (const RteTextBlock& block : Elements<RteTextBlock>(DocumentOf(doc).blocks)) {
        EXPECT_NE(nullptr, block.text);
        EXPECT_EQ(1, RteElementSize(block.text)) << "the engine keeps bytes";
        std::vector<char> bytes = Elements<char>(block.text);
        EXPECT_EQ(block.length, static_cast<int32_t>(bytes.size()));
        texts.emplace_back(bytes.begin(), bytes.end());
    }
    return texts;
}

// The byte string of every type-2 record of a stream, as it lies behind its length and ",".
std::vector<Bytes> TextItems(const Bytes& stream)
{
    std::vector<Bytes> items;
    RteRecordHeader header;
    for (size_t at = 0; at + RTE_HEADER_BYTES <= stream.size() && RteParseHeader(stream.data() + at, &header);
         at += RTE_HEADER_BYTES + static_cast<size_t>(header.length)) {
        if (header.type != RTE_REC_TEXT)
            continue;
        auto body = stream.begin() + static_cast<ptrdiff_t>(at + RTE_HEADER_BYTES);
        auto comma = std::find(body, body + header.length, ',');
        items.emplace_back(comma + 1, body + header.length - 1);  // the end code closes the body
    }
    return items;
}

// The 16-bit item a block's bytes make: the marker, then each CP1252 character little-endian.
Bytes WideItem(const std::string& text)
{
    Bytes item = {RTE_WIDE_TEXT_MARK};
    for (char c : text) {
        uint16_t character = RteCp1252ToChar(static_cast<uint8_t>(c));
        item.push_back(static_cast<uint8_t>(character & 0xFF));
        item.push_back(static_cast<uint8_t>(character >> 8));
    }
    return item;
}

// Every byte value in turn, with a paragraph end every 100 bytes, so that the text falls into
// several blocks.
std::string EveryByte(size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += i % 100 == 99 ? '\r' : static_cast<char>(i % 256);
    return text;
}

void SetBold(RteHandle doc, int32_t start, int32_t end)
{
    RteCharStyle style = {}, mask;
    RteClearCharStyle(&mask, 0);
    style.bold = 1;
    mask.bold = -1;
    RteRange range = {start, end};
    RteSetCharStyle(doc, &range, &style, &mask, 0);
}

TEST_F(WideTextTest, SixteenBitTextReadsBackAsTheSameBytes)
{
    struct Case {
        const char* what;
        std::string text;
        int32_t boldFrom;
        int32_t boldTo;
    };
    const Case cases[] = {
        {"every byte value over three blocks", EveryByte(9000), 5, 5000},
        {"text opening like a little-endian mark", "\xFF\xFE" "ab cd", 0, 4},
        {"text opening like a big-endian mark", "\xFE\xFF", 0, 0},
        {"text opening with the marker byte", "\xFEtext", 1, 3},
        {"no text", "", 0, 0},
    };
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument(c.text);
        RteBalanceTextBlocks(doc);
        if (c.boldFrom < c.boldTo)
            SetBold(doc, c.boldFrom, c.boldTo);
        RteLocked<RteDocument>(doc)->flags2 |= RTE_DOC2_WIDE_TEXT;
        std::vector<std::string> texts = BlockTexts(doc);
        if (c.text.size() > 4096) {
            ASSERT_GE(texts.size(), 3u) << c.what;
        }

        Bytes stream = Save(doc);
        std::vector<Bytes> items = TextItems(stream);
        std::vector<Bytes> expected;
        for (const std::string& text : texts)
            if (!text.empty())
                expected.push_back(WideItem(text));
        EXPECT_EQ(expected, items) << c.what;
        EXPECT_EQ(texts, BlockTexts(doc)) << c.what << ": the document keeps its own text";

        uint16_t code = 1;
        RteHandle back = Load(stream, &code);
        ASSERT_EQ(0, code) << c.what;
        EXPECT_EQ(texts, BlockTexts(back)) << c.what;
        EXPECT_EQ(static_cast<int32_t>(c.text.size()), DocumentOf(back).textLength) << c.what;
        EXPECT_EQ(CharRuns(doc), CharRuns(back)) << c.what;
        EXPECT_EQ("", RunProblems(back)) << c.what;
        EXPECT_EQ(0u, DocumentOf(back).flags2 & RTE_DOC2_WIDE_TEXT) << c.what << ": cleared after the read";

        // A document bound to the stream holds this text in memory: the stream has no bytes of it.
        RteHandle source = Source(stream);
        RteHandle bound = RteNewDocument(&env_);
        int32_t position = 0;
        ASSERT_EQ(0, RteReadDocBound(bound, &position, nullptr, 0, RteMemReader, reinterpret_cast<intptr_t>(source)))
            << c.what;
        EXPECT_EQ(texts, BlockTexts(bound)) << c.what;
        for (const RteTextBlock& block : Elements<RteTextBlock>(DocumentOf(bound).blocks))
            EXPECT_TRUE(block.length == 0 || (block.flags & RTE_BLOCK_DIRTY)) << c.what << ": never given up";
        EXPECT_EQ(0, LockedHandles()) << c.what;
        RteDocDestroy(bound);
        RteDocDestroy(back);
        RteDocDestroy(doc);
    }
}

TEST_F(WideTextTest, BytesSavedAgainAfterTheRead)
{
    RteHandle doc = MakeDocument("caf\xE9 \x80");
    RteLocked<RteDocument>(doc)->flags2 |= RTE_DOC2_WIDE_TEXT;
    uint16_t code = 1;
    RteHandle back = Load(Save(doc), &code);
    ASSERT_EQ(0, code);
    EXPECT_EQ((std::vector<Bytes>{BytesOf("caf\xE9 \x80")}), TextItems(Save(back)))
        << "the read clears the flag: the next save writes bytes";
}

}  // namespace
