// Word comparisons, length-prefixed strings and version classes.
#include "pascal_strings.h"
#include "version_class.h"
#include "word_blocks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WordBlocks, EqualWordsIgnoresAnOddLastByte)
{
    const unsigned char a[] = {1, 2, 3, 4, 5};
    const unsigned char b[] = {1, 2, 3, 4, 9};
    const unsigned char c[] = {1, 2, 3, 7, 5};
    EXPECT_EQ(RteEqualWords(a, b, 5), 1);
    EXPECT_EQ(RteEqualWords(a, b, 4), 1);
    EXPECT_EQ(RteEqualWords(a, c, 5), 0);
    EXPECT_EQ(RteEqualWords(a, c, 3), 1);
    EXPECT_EQ(RteEqualWords(a, c, 0), 1);
    EXPECT_EQ(RteEqualWords(a, c, -4), 1);
}

TEST(WordBlocks, ZeroWords)
{
    const unsigned char zeros[] = {0, 0, 0, 0, 7};
    const unsigned char notZero[] = {0, 0, 0, 1};
    EXPECT_EQ(RteZeroWords(zeros, 4), 1);
    EXPECT_EQ(RteZeroWords(zeros, 5), 1);
    EXPECT_EQ(RteZeroWords(notZero, 4), 0);
    EXPECT_EQ(RteZeroWords(notZero, 3), 1);
}

TEST(PascalStrings, RoundTrip)
{
    char buffer[16] = "Arial";
    RteCToPascal(buffer);
    EXPECT_EQ(buffer[0], 5);
    EXPECT_EQ(std::string(buffer + 1, 5), "Arial");
    char back[16];
    RtePascalToC(back, buffer);
    EXPECT_STREQ(back, "Arial");
}

TEST(PascalStrings, EmptyString)
{
    char buffer[1] = {'\0'};
    RteCToPascal(buffer);
    EXPECT_EQ(buffer[0], 0);
    char back[1] = {'x'};
    RtePascalToC(back, buffer);
    EXPECT_STREQ(back, "");
}

TEST(PascalStrings, LongStringKeepsTheLowByteOfItsLength)
{
    std::string text(300, 'a');
    text[299] = 'z';
    std::string buffer = text;  // 300 characters and the terminator: all the room there is
    RteCToPascal(buffer.data());
    EXPECT_EQ(static_cast<unsigned char>(buffer[0]), 44);
    EXPECT_EQ(buffer[300], 'z');
    char back[256];
    RtePascalToC(back, buffer.data());
    EXPECT_EQ(std::string(back), std::string(44, 'a'));
}

TEST(VersionClass, Table)
{
    const struct {
        uint32_t word;
        int versionClass;
    } cases[] = {
        {0, 1},          {0xFF, 1},      {0xF00000FF, 1},  // only bits 8..27 count
        {0x100000, 3},   {0xF01000FF, 3}, {0x20001, 2},    // the document version
        {0x100100, 2},   {0x0FFFFF00, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RteVersionClass(c.word), c.versionClass) << std::hex << c.word;
    }
}

}  // namespace
