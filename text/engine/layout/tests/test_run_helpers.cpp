// Helpers for drawing a style run: point sizes, case copies, word segments and their lines.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "document_fixture.h"
#include "rte_run_helpers.h"

namespace {

using RunHelpersTest = DocumentTest;

TEST_F(RunHelpersTest, PointSizesOfRaisedAndLoweredText)
{
    struct Case {
        int32_t points;
        int16_t raisedSize;
        int16_t loweredSize;
        int32_t size;
    };
    const Case cases[] = {{0, 0, 0, 12}, {18, 8, 0, 12}, {18, 0, 0, 18}, {18, 0, 4, 18}, {10, 6, 0, 5}};
    for (const Case& c : cases) {
        RteCharStyle style = env_.defaultStyle;
        style.pointSize = c.points << 16;
        style.unit21 = c.raisedSize;
        style.units23to34[RTE_STYLE_LOWERED_SIZE_UNIT] = c.loweredSize;
        style.superscript = 3;  // a raising moves the text and leaves its size
        EXPECT_EQ(RteDrawPointSize(nullptr, &style), c.size) << c.points << " " << c.raisedSize << " " << c.loweredSize;
    }
}

TEST_F(RunHelpersTest, CaseCopiesChangeAsciiLettersOnly)
{
    RteHandle doc = MakeDocument("x");
    RteCharStyle style = env_.defaultStyle;
    const std::string text = "Été ok\xE9";
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    EXPECT_EQ(RteCaseText(doc, &style, bytes, 7), nullptr) << "no case field";
    style.allCaps = 1;
    RteHandle copy = RteCaseText(doc, &style, bytes, 7);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::string(RteLocked<char>(copy).get(), 7), "\xC9T\xE9 OK\xE9");
    style.unit17 = 1;
    copy = RteCaseText(doc, &style, reinterpret_cast<const uint8_t*>("AbC"), 3);
    EXPECT_EQ(std::string(RteLocked<char>(copy).get(), 3), "abc");
    style.styleBits = RTE_STYLE_KEEP_CASE;
    EXPECT_EQ(RteCaseText(doc, &style, bytes, 7), nullptr) << "the class bit keeps the case";
}

std::vector<std::pair<int32_t, int32_t>> g_lines;
void RecordLine(void*, int32_t x0, int32_t x1, int32_t) { g_lines.emplace_back(x0, x1); }

TEST_F(RunHelpersTest, WordLinesStandUnderWordsOnly)
{
    struct Case {
        std::string text;
        std::vector<std::pair<int32_t, int32_t>> lines;
    };
    // Every character is 10 wide; the lines start at x = 100.
    const Case cases[] = {
        {"mot a mot", {{100, 129}, {140, 149}, {160, 189}}},
        {"   ", {}},
        {"  deux  ", {{120, 159}}},
        {"fin.suite", {{100, 129}, {140, 189}}},
    };
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument(c.text);
        auto count = static_cast<int32_t>(c.text.size());
        std::vector<int32_t> positions(count + 1);
        for (int32_t i = 0; i <= count; ++i)
            positions[i] = i * 10;
        RteStyleWalk walker;
        RteStyleWalkBegin(doc, 0, &walker, false);
        g_lines.clear();
        RteDrawWordLines(doc, &walker, reinterpret_cast<const uint8_t*>(c.text.data()), 0, 0, count, positions.data(),
                         100, 20, RecordLine, nullptr);
        RteStyleWalkEnd(doc, false);
        EXPECT_EQ(g_lines, c.lines) << c.text;
        RteDocDestroy(doc);
    }
}

TEST(ColourTest, Comparisons)
{
    RteColor a{1, 2, 3};
    RteColor b{1, 2, 3};
    RteColor c{1, 2, 4};
    EXPECT_EQ(RteEqualColor(&a, &b), 1);
    EXPECT_EQ(RteEqualColor(&a, &c), 0);
}

}  // namespace
