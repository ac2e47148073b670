// The record stream's bytes: headers, values, repeats and runs, byte strings, 16-bit text,
// whole handles, and the body reader's limits.
#include <gtest/gtest.h>

#include "rte_io.h"
#include "rte_record_codec.h"
#include "stream_fixture.h"

namespace {

using CodecTest = StreamTest;

Bytes Closed(RteBodyWriter& writer)
{
    writer.Close();
    return writer.bytes();
}

TEST(RecordBody, ValuesRepeatsAndRunsHaveTheirGoldenBytes)
{
    struct Case {
        std::vector<int32_t> longs;
        std::string expected;
    } cases[] = {
        {{5, 5, 5, 5}, "<02>5<C2><03><03>"},
        {{5, 5}, "<02>5<82><03>"},
        {{5, 5, 5}, "<02>5<82><82><03>"},
        {{-1}, "<02>-1<03>"},
        {{0}, "<02>0<03>"},
        {{0x7FFFFFFF, INT32_MIN}, "<02>7FFFFFFF<02>-80000000<03>"},
        {{0x1A2B, 0x1A2B, 7}, "<02>1A2B<82><02>7<03>"},
    };
    for (const Case& c : cases) {
        RteBodyWriter writer;
        for (int32_t value : c.longs)
            writer.Long(value);
        EXPECT_EQ(c.expected, Printable(Closed(writer)));
    }
}

TEST(RecordBody, RunsLongerThan127AreSplitAndShortRestsStayPlain)
{
    RteBodyWriter writer;
    for (int i = 0; i < 1 + 127 + 2; ++i)
        writer.Short(9);
    EXPECT_EQ("<01>9<C1><7F><81><81><03>", Printable(Closed(writer)));
    RteBodyWriter more;
    for (int i = 0; i < 1 + 127 + 3; ++i)
        more.Short(9);
    EXPECT_EQ("<01>9<C1><7F><C1><03><03>", Printable(Closed(more)));
}

TEST(RecordBody, ByteStringsAndSixteenBitText)
{
    RteBodyWriter writer;
    writer.Bytes("", 0);
    writer.Short(1);
    // Bytes of 0x81 inside a string are not runs of repeats.
    const char inside[] = "\x81\x81\x81\x81";
    writer.Bytes(inside, 4);
    const uint16_t wide[] = {'a', 0x20AC};
    writer.Wide(wide, 2);
    EXPECT_EQ("<01>1<00>4,<81><81><81><81><00>5,<FE>a<00><AC> <03>", Printable(Closed(writer)));

    Bytes body = writer.bytes();
    RteBodyReader reader(body.data(), body.size());
    EXPECT_EQ(1, reader.Short());
    EXPECT_EQ(BytesOf("\x81\x81\x81\x81"), reader.Bytes());
    EXPECT_EQ(5u, reader.Bytes().size());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.failed());
}

TEST(RecordBody, AnEmptyByteStringLeavesNoItemAndItsReaderSeesTheNextOne)
{
    RteBodyWriter writer;
    writer.Bytes("x", 0);
    writer.Long(12);
    Bytes body = Closed(writer);
    RteBodyReader reader(body.data(), body.size());
    EXPECT_TRUE(reader.Bytes().empty());
    EXPECT_EQ(12, reader.Long());
    EXPECT_FALSE(reader.failed());
}

TEST(RecordBody, ValuesReadBackAsWritten)
{
    const int32_t values[] = {0, 1, -1, 255, 0x7FFF, -0x8000, 0x12345678, INT32_MIN, INT32_MAX, 3, 3, 3, 3, 3, 4};
    RteBodyWriter writer;
    for (int32_t value : values)
        writer.Long(value);
    Bytes body = Closed(writer);
    RteBodyReader reader(body.data(), body.size());
    for (int32_t value : values)
        EXPECT_EQ(value, reader.Long());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(0, reader.Long()) << "the end yields 0";
    EXPECT_FALSE(reader.failed());
}

TEST(RecordBody, BadBodiesFailWithoutReadingPastThem)
{
    struct Case {
        std::string body;
        const char* why;
    } cases[] = {
        {"\x02" "123456789\x03", "nine digits"},
        {"\x02" "12", "digits to the end"},
        {"\x02", "a code with nothing after it"},
        {"\x02-\x03", "a sign without digits"},
        {"\x05" "1\x03", "no such code"},
        {"\xC2", "a run without its count"},
        {std::string("\xC2\x00\x03", 3), "a run of none"},
        {"\x00" "5,abc\x03", "a byte string longer than the body"},
        {std::string("\x00" "FFFFFFFF,", 10), "an absurd length"},
        {std::string("\x00" "3abc", 5), "a length without its comma"},
    };
    for (const Case& c : cases) {
        Bytes bytes = BytesOf(c.body);
        RteBodyReader reader(bytes.data(), bytes.size());
        reader.Long();
        reader.Bytes();
        reader.Long();
        EXPECT_TRUE(reader.failed()) << c.why;
        EXPECT_LE(reader.position(), bytes.size()) << c.why;
    }
}

TEST(RecordBody, BodySizeCountsInMemoryBytesAndEndsAtAnUnknownCode)
{
    RteBodyWriter writer;
    writer.Short(1);
    writer.Long(2);
    writer.Long(2);
    writer.Long(2);
    writer.Long(2);
    writer.Bytes("abc", 3);
    Bytes body = Closed(writer);
    EXPECT_EQ(2 + 4 * 4 + 3, RteBodyBytes(body.data(), body.size()));
    Bytes bad = BytesOf("\x01" "1\x07\x01" "2\x03");
    EXPECT_EQ(2, RteBodyBytes(bad.data(), bad.size()));
    EXPECT_EQ(RTE_ITEM_END, bad[2]) << "the unknown code is overwritten with the end code";
}

TEST(RecordHeader, TwentyUpperCaseHexDigits)
{
    EXPECT_EQ("FFFF0000000600020001", RteFormatHeader({-1, 6, 0x20001}));
    EXPECT_EQ("FFFE0000000600020001", RteFormatHeader({-2, 6, 0x20001}));
    EXPECT_EQ("0128000000A0FFFFFFFF", RteFormatHeader({296, 0xA0, -1}));
    RteRecordHeader header;
    ASSERT_TRUE(RteParseHeader(reinterpret_cast<const uint8_t*>("0128000000A0FFFFFFFF"), &header));
    EXPECT_EQ(296, header.type);
    EXPECT_EQ(0xA0, header.length);
    EXPECT_EQ(-1, header.value);
    for (const char* bad : {"0128000000a0FFFFFFFF", "0128000000A0FFFFFFF ", "-128000000A0FFFFFFFF"})
        EXPECT_FALSE(RteParseHeader(reinterpret_cast<const uint8_t*>(bad), &header)) << bad;
}

TEST_F(CodecTest, TheStartRecordOpensEveryStream)
{
    RteHandle doc = MakeDocument("a");
    const int16_t none[] = {RTE_REC_VIEW};
    Bytes bytes = Save(doc, none, 0);
    EXPECT_EQ("FFFF0000000600020001<01>77AA<03>FFFE0000000600020001<01>77AA<03>", Printable(bytes));
}

TEST_F(CodecTest, HandlesEncodeInEachWidthAndDecodeBack)
{
    const int16_t shorts[] = {7, 7, -2, 0x1234};
    RteHandle source = RteNewFromData(&context_, shorts, 1, sizeof shorts);
    RteHandle body = RteAlloc(&context_, 1, 0, 16, false);
    RteHandle back = RteAlloc(&context_, 2, 0, 4, false);
    struct Case {
        int32_t width;
        std::string expected;
    } cases[] = {
        {0, "<00>8,<07><00><07><00><FE><FF>4<12><03>"},
        {1, "<01>7<81><01>-2<01>1234<03>"},
        {2, "<02>70007<02>1234FFFE<03>"},
    };
    for (const Case& c : cases) {
        RteEncodeHandle(source, body, c.width);
        EXPECT_EQ(c.expected, Printable(Contents(body))) << c.width;
        int32_t position = 0;
        RteDecodeHandle(body, back, &position, c.width);
        EXPECT_EQ(4, RteCount(back)) << c.width;
        EXPECT_EQ(Contents(source), Contents(back)) << c.width;
        EXPECT_EQ(static_cast<int32_t>(Contents(body).size()) - 1, position) << "before the end code";
    }
    RteHandle empty = RteNewFromData(&context_, "\x03", 1, 1);
    int32_t position = 0;
    RteDecodeHandle(empty, back, &position, 1);
    EXPECT_EQ(0, RteCount(back));
    for (RteHandle h : {source, body, back, empty})
        RteFree(h);
}

}  // namespace
