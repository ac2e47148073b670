// The default line break on documents of the model: single-byte text classed by the null
// device, and Shift-JIS text classed by a small double-byte classifier of the test's own.
#include <gtest/gtest.h>

#include <string>

#include "document_fixture.h"
#include "rte_device.h"
#include "rte_line_break.h"
#include "rte_position_cache.h"
#include "rte_text_blocks.h"

namespace {

bool IsLeadByte(uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Whether a byte is a continuation byte, read from the first byte the hook may read.
bool IsContinuation(const uint8_t* from, const uint8_t* byte)
{
    const uint8_t* at = from;
    while (at < byte)
        at += IsLeadByte(*at) ? 2 : 1;
    return at > byte;
}

// Shift-JIS: a lead byte starts a character after which a line may end; the byte after it is a
// continuation byte; the Far-East classes come from the document's slot 30 hook.
intptr_t ShiftJisInfo(RteHandle doc, RteCharStyle* style, intptr_t character, intptr_t length, intptr_t mask,
                      intptr_t before)
{
    const auto* byte = reinterpret_cast<const uint8_t*>(character);
    if (IsContinuation(byte - before, byte))
        return RTE_CLASS_CONTINUATION & mask;
    intptr_t classes = IsLeadByte(*byte) ? RTE_BREAK_AFTER : RteNullDevice().charInfo(doc, style, character, length, mask, 0);
    RteFont font = {};
    font.values[RTE_FONT_CHARSET] = RTE_CHARSET_SHIFTJIS;
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    return hooks.farEastClass(doc, character, IsLeadByte(*byte) ? 2 : 1, 0, reinterpret_cast<intptr_t>(&font), classes) &
           mask;
}

struct BreakResult {
    int32_t at;
    intptr_t tab;
    int32_t tabWidth;
};

class LineBreakTest : public DocumentTest {
protected:
    BreakResult Break(RteHandle doc, int32_t lineStart, int32_t overflow, int32_t force = 0)
    {
        RteHandle positionsHandle = nullptr;
        int32_t* positions = RteBlockPositions(doc, 0, &positionsHandle, nullptr);
        RteDocument model = DocumentOf(doc);
        RteTextBlock block = RteLocked<RteTextBlock>(model.blocks)[0];
        RteStyleWalk walker;
        RteStyleWalkBegin(doc, 0, &walker, false);
        RteLineBreak request{0, block.length, &walker, static_cast<const uint8_t*>(RteLock(block.text)), lineStart,
                             overflow, positions, -1, force};
        intptr_t tab = model.hooks.lineBreak(doc, reinterpret_cast<intptr_t>(&request), 0, 0, 0, 0);
        RteUnlock(block.text);
        RteStyleWalkEnd(doc, false);
        RteReleasePositions(doc, positionsHandle);
        EXPECT_EQ(LockedHandles(), 0);
        return {request.breakIndex, tab, request.tabWidth};
    }
};

TEST_F(LineBreakTest, SingleByteText)
{
    struct Case {
        const char* text;
        int32_t lineStart;
        int32_t overflow;
        int32_t force;
        int32_t expected;
        const char* why;
    };
    const Case cases[] = {
        {"hello world again", 0, 9, 0, 5, "back to the blank after the last whole word"},
        {"hello world again", 0, 5, 0, 5, "the blank that did not fit stays on the line"},
        {"ab   cd", 0, 6, 0, 2, "the break lands on the first of the blanks"},
        {"ab   cd", 0, 4, 0, 2, "from inside the blanks too"},
        {"hello world again", 6, 14, 0, 11, "from a later line start"},
        {"abcdefgh", 0, 5, 0, 5, "one word is cut where it overflowed"},
        {"abcdefgh", 0, 0, 0, 1, "a line holds at least one character"},
        {"abcdefgh", 3, 3, 0, 4, "one character from a later start"},
        {"abcdefgh", 0, 5, 1, 0, "forced: no break found leaves the line start"},
        {"   abc", 0, 4, 0, 4, "blanks from the line start are no place to end"},
    };
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument(c.text);
        BreakResult result = Break(doc, c.lineStart, c.overflow, c.force);
        EXPECT_EQ(result.at, c.expected) << c.why;
        EXPECT_EQ(result.tab, 0) << c.why;
        RteDocDestroy(doc);
    }
}

TEST_F(LineBreakTest, ATabEndsTheLineUnlessTheDocumentSaysNot)
{
    RteHandle doc = MakeDocument("ab\tcdef");
    BreakResult result = Break(doc, 0, 5);
    EXPECT_EQ(result.at, 3);
    EXPECT_EQ(result.tab, 1);
    EXPECT_EQ(result.tabWidth, 5) << "the tab's own width";
    RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_TABS_DONT_BREAK);
    result = Break(doc, 0, 5);
    EXPECT_EQ(result.at, 5) << "no place to end: the word is cut";
    EXPECT_EQ(result.tab, 0);
}

class ShiftJisBreakTest : public LineBreakTest {
protected:
    void SetUp() override
    {
        LineBreakTest::SetUp();
        env_.defaultStyle.hooks.charInfo = ShiftJisInfo;
    }
};

// 日 本 語 。 「 as Shift-JIS.
const std::string kSun = "\x93\xFA";
const std::string kBook = "\x96\x7B";
const std::string kWord = "\x8C\xEA";
const std::string kStop = "\x81\x42";
const std::string kOpen = "\x81\x75";

TEST_F(ShiftJisBreakTest, EveryIdeographIsAPlaceToEnd)
{
    struct Case {
        std::string text;
        int32_t overflow;
        int32_t expected;
        const char* why;
    };
    const Case cases[] = {
        {kSun + kBook + kWord + kSun + kBook, 6, 6, "before the ideograph that did not fit"},
        {kSun + kBook + kWord + kSun + kBook, 5, 4, "never inside a double-byte character"},
        {kSun + kBook + kWord + kStop + kSun, 6, 4, "a full stop may not begin a line: it takes the ideograph before"},
        {kSun + kOpen + kBook + kWord, 4, 2, "an opening bracket may not end a line"},
        {kSun + kBook, 0, 2, "one character of two bytes at least"},
        {"ab " + kSun + kBook, 5, 5, "between ideographs after Latin text"},
    };
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument(c.text);
        EXPECT_EQ(Break(doc, 0, c.overflow).at, c.expected) << c.why;
        RteDocDestroy(doc);
    }
}

}  // namespace
