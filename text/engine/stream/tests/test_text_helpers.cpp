// The small text helpers: 16-bit text made by iconv in both byte orders, counted characters,
// keyword patterns, high characters and the attribute masks of styles.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "rte_text_blocks.h"
#include "rte_text_helpers.h"
#include "stream_fixture.h"

namespace {

Bytes Fixture(const char* name)
{
    std::ifstream in(std::string(QX_STREAM_FIXTURES) + "/" + name, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<uint16_t> Characters(const Bytes& bytes)
{
    std::vector<uint16_t> characters(bytes.size() / 2);
    std::memcpy(characters.data(), bytes.data(), characters.size() * 2);
    return characters;
}

TEST(WideText, BothByteOrdersGiveTheSameBytes)
{
    for (const char* name : {"wide_text", "beyond"}) {
        Bytes expected = Fixture((std::string(name) + ".cp1252").c_str());
        ASSERT_FALSE(expected.empty()) << name;
        for (const char* order : {".utf16le", ".utf16be"}) {
            std::vector<uint16_t> text = Characters(Fixture((std::string(name) + order).c_str()));
            Bytes bytes(text.size());
            bytes.resize(static_cast<size_t>(RteWideToBytes(text.data(), bytes.data(), 0, static_cast<int32_t>(text.size()))));
            EXPECT_EQ(Printable(expected), Printable(bytes)) << name << order;
        }
    }
}

TEST(WideText, NormalisingRemovesTheMarkAndPutsCharactersInNativeOrder)
{
    std::vector<uint16_t> little = Characters(Fixture("wide_text.utf16le"));
    std::vector<uint16_t> big = Characters(Fixture("wide_text.utf16be"));
    int32_t count = static_cast<int32_t>(little.size());
    EXPECT_EQ(count - 1, RteWideNormalise(little.data(), count, false));
    EXPECT_EQ(count - 1, RteWideNormalise(big.data(), count, false));
    EXPECT_EQ(little, big);
    EXPECT_EQ(0x20AC, little[11]) << "the euro sign";
    EXPECT_EQ(0, little[static_cast<size_t>(count - 1)]) << "the moved text ends with 0";

    // From CP1252 bytes, the same characters.
    Bytes narrow = Fixture("wide_text.cp1252");
    std::vector<uint16_t> widened(narrow.size());
    EXPECT_EQ(static_cast<int32_t>(narrow.size()),
              RteBytesToWide(narrow.data(), widened.data(), 0, static_cast<int32_t>(narrow.size())));
    EXPECT_TRUE(std::equal(widened.begin(), widened.end(), little.begin()));
}

TEST(WideText, BytesToWideCountsAndTakesMarkedTextAsItStands)
{
    EXPECT_EQ(2, RteBytesToWide(reinterpret_cast<const uint8_t*>("ab"), nullptr, 0, 2));
    const uint8_t marked[] = {0xFF, 0xFE, 'a', 0, 'b', 0};
    uint16_t target[3] = {};
    EXPECT_EQ(3, RteBytesToWide(marked, target, 0, 6));
    EXPECT_EQ(0, std::memcmp(marked, target, 6));
    EXPECT_EQ(5, RteBytesToWide(marked, nullptr, 0, 5)) << "odd length: one character a byte";
}

TEST(TextHelpers, CountedCharactersPatternsAndHighCharacters)
{
    uint8_t target[4] = {9, 9, 9, 9};
    struct Copy {
        const char* source;
        int32_t length;
        int32_t copied;
    } copies[] = {{"abcd", 1, 1}, {"abcd", 0, 3}, {"abcd", 2, 2}, {"abcd", 9, 3}, {"a\0cd", 3, 2}};
    for (const Copy& c : copies)
        EXPECT_EQ(c.copied, RteCopyCharBytes(reinterpret_cast<const uint8_t*>(c.source), target, c.length))
            << c.source << " " << c.length;

    struct Match {
        const char* text;
        const char* pattern;
        int32_t length;
    } matches[] = {{"rtf", "rtf[", 4}, {"rtf1", "rtf[", 0}, {"pict", "pi*", 3}, {"pa", "pi*", 0}, {"", "[", 1}};
    for (const Match& m : matches)
        EXPECT_EQ(m.length, RteMatchPattern(m.text, m.pattern)) << m.text << " " << m.pattern;

    uint8_t table[128] = {};
    table[0xE9 - 0x80] = 'e';
    uint8_t text[] = {'c', 0xE9, 0x80, 'x'};
    EXPECT_EQ(text + 4, RteMapHighChars(nullptr, text, 4, table));
    EXPECT_EQ(0, std::memcmp("ce?x", text, 4));
}

TEST(TextHelpers, AttributeMasksAndDrawingFlags)
{
    RteCharStyle style = {};
    style.bold = 1;
    style.dottedUnderline = -1;  // unit 10: value 9
    EXPECT_EQ((1u << 0) | (1u << 9), RteStyleBitsToMask(&style));
    RteCharStyle back = {};
    RteMaskToStyleBits((1u << 0) | (1u << 31), &back);
    EXPECT_EQ(-1, back.bold);
    EXPECT_EQ(-1, back.units23to34[9]) << "value 31 is unit 32";
    EXPECT_EQ(0, back.italic);

    struct Case {
        int value;
        bool flag;
        uint16_t flags;
    } cases[] = {{7, false, 0x1}, {9, false, 0x2}, {8, false, 0x4}, {8, true, 0x8}, {18, false, 0x10},
                 {2, false, 0}, {2, true, 0x8}};
    for (const Case& c : cases) {
        RteCharStyle s = {};
        RteStyleAttributes(&s)[c.value] = 1;
        s.styleBits = c.flag ? 0x1000 : 0;
        EXPECT_EQ(c.flags, RteDrawFlags(&s)) << c.value << " " << c.flag;
    }
}

TEST_F(StreamTest, CountByteCountsInTheBlocksText)
{
    RteHandle doc = MakeDocument("a\rb\rc");
    RteTextBlock block = Elements<RteTextBlock>(DocumentOf(doc).blocks)[0];
    EXPECT_EQ(2, RteCountByte(&block, '\r'));
    EXPECT_EQ(0, RteCountByte(&block, 'z'));
}

}  // namespace
