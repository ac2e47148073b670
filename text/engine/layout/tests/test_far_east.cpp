// The Far-East break tables: their sizes, every code classed, and the codes in both tables.
#include <gtest/gtest.h>

#include <cstdint>

#include "rte_far_east.h"

namespace {

int32_t Entries(const uint16_t* table)
{
    int32_t count = 0;
    while (table[count])
        ++count;
    return count;
}

intptr_t ClassOf(uint16_t code, int32_t charset)
{
    uint8_t bytes[2] = {static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code)};
    return code > 0xFF ? RteFarEastClass(bytes, 2, charset, 0x10) : RteFarEastClass(bytes + 1, 1, charset, 0x10);
}

TEST(FarEastTest, EveryCodeOfEveryTableIsClassed)
{
    struct Case {
        int32_t charset;
        int32_t noBegin;
        int32_t noEnd;
    };
    const Case cases[] = {{128, 81, 20}, {129, 35, 17}, {134, 44, 26}, {136, 60, 26}};
    for (const Case& c : cases) {
        const uint16_t* noBegin = RteNoBeginTable(c.charset);
        const uint16_t* noEnd = RteNoEndTable(c.charset);
        ASSERT_NE(noBegin, nullptr);
        EXPECT_EQ(Entries(noBegin), c.noBegin) << "set " << c.charset;
        EXPECT_EQ(Entries(noEnd), c.noEnd) << "set " << c.charset;
        for (const uint16_t* code = noBegin; *code; ++code)
            EXPECT_EQ(ClassOf(*code, c.charset), 0x10 | RTE_BREAK_NO_BEGIN) << std::hex << *code;
        for (const uint16_t* code = noEnd; *code; ++code) {
            intptr_t expected = RteFindWord16(noBegin, *code) ? RTE_BREAK_NO_BEGIN : RTE_BREAK_NO_END;
            EXPECT_EQ(ClassOf(*code, c.charset), 0x10 | expected) << std::hex << *code;
        }
    }
}

TEST(FarEastTest, NamedCodes)
{
    struct Case {
        uint16_t code;
        int32_t charset;
        intptr_t added;
    };
    const Case cases[] = {
        {0xA2, 128, RTE_BREAK_NO_BEGIN},      // in both Shift-JIS tables: may not begin wins
        {0x8142, 128, RTE_BREAK_NO_BEGIN},    // the ideographic full stop
        {0x8175, 128, RTE_BREAK_NO_END},      // the opening corner bracket
        {0x93FA, 128, 0},                     // an ideograph
        {0xA3DC, 129, RTE_BREAK_NO_BEGIN},    // in both Hangul tables
        {0xA3B0, 134, RTE_BREAK_NO_END},      // a full-width digit
        {0xA3B9, 134, RTE_BREAK_NO_END},
        {0xA3AE, 134, RTE_BREAK_NO_BEGIN},    // in both GB2312 tables
        {0xA15D, 136, RTE_BREAK_NO_END},
        {0xA1AC, 136, RTE_BREAK_NO_BEGIN},
        {0x2C, 0x1000 | 134, RTE_BREAK_NO_BEGIN},  // only the low 12 bits name the set
        {0x2C, 0, 0},                              // a set without tables
        {0x8142, 1252, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassOf(c.code, c.charset), 0x10 | c.added) << std::hex << c.code << " in set " << std::dec << c.charset;
}

TEST(FarEastTest, FindWord16StopsAtTheTerminator)
{
    const uint16_t words[] = {5, 7, 0, 9};
    EXPECT_EQ(RteFindWord16(words, 7), 1);
    EXPECT_EQ(RteFindWord16(words, 9), 0);
    EXPECT_EQ(RteFindWord16(words, 6), 0);
}

}  // namespace
