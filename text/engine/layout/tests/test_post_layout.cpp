// The post-layout rules: paragraphs kept together, widows and orphans, and the overflow count.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "document_fixture.h"
#include "rte_areas.h"
#include "rte_paragraph_hooks.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"

namespace {

// Three paragraphs: A of two lines (0, 5), B of three (10, 15, 20), C of one (25); each line
// ten units high.
class PostLayoutTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        doc_ = MakeDocument("aaaaaaaaa\rbbbbbbbbbbbbbb\rcccc\r");
    }

    void LayOut(const std::vector<int32_t>& containers)
    {
        const int32_t starts[] = {0, 5, 10, 15, 20, 25};
        const uint16_t ends[] = {0, RTE_PIECE_PAR_LAST, 0, 0, RTE_PIECE_PAR_LAST, RTE_PIECE_PAR_LAST};
        const bool firsts[] = {true, false, true, false, false, true};
        std::vector<RteLinePiece> pieces;
        for (size_t i = 0; i < containers.size(); ++i) {
            auto flags = static_cast<uint16_t>(RTE_PIECE_LINE_FIRST | RTE_PIECE_LINE_LAST | ends[i] |
                                               (firsts[i] ? RTE_PIECE_PAR_FIRST : 0));
            auto top = static_cast<int32_t>(10 * i);
            pieces.push_back(RteLinePiece{static_cast<uint16_t>(starts[i]), 0, 0, flags, containers[i],
                                          RteRect{top, 0, top + 10, 100}});
        }
        LayOutBlock(doc_, 0, pieces);
        RteLocked<RteTextBlock>(RteLocked<RteDocument>(doc_)->blocks)[0].flags = 0;
    }

    void KeepTogether(int32_t start, int32_t end)
    {
        RteParFormat format;
        RteParFormat mask;
        std::memset(&format, 0, sizeof format);
        std::memset(&mask, 0, sizeof mask);
        format.units2to6[RTE_PAR_KEEP_UNIT] = RTE_PAR_KEEP_TOGETHER;
        mask.units2to6[RTE_PAR_KEEP_UNIT] = -1;
        RteRange range{start, end};
        RteSetParFormat(doc_, &range, &format, &mask, 0);
    }

    intptr_t PostLayout()
    {
        RteHookTable hooks;
        RteGetDocHooks(doc_, &hooks);
        return hooks.postLayout(doc_, 0, 0, 0, 6, 0);
    }

    RteDocument& Doc() { return *static_cast<RteDocument*>(RteElementPtr(doc_, 0, false)); }

    RteHandle doc_ = nullptr;
};

TEST_F(PostLayoutTest, BreakRules)
{
    struct Case {
        std::vector<int32_t> containers;
        int32_t keepStart;  // -1: no paragraph kept together
        int16_t minBefore;
        int16_t minAfter;
        int32_t forcedBreak;  // 0: none
        const char* why;
    };
    const Case cases[] = {
        {{1, 1, 1, 1, 1, 1}, 10, 2, 2, 0, "one container: nothing to do"},
        {{1, 1, 1, 1, 2, 2}, 10, 0, 0, 10, "a kept paragraph across two containers starts the next"},
        {{1, 1, 1, 1, 2, 2}, 0, 0, 0, 0, "a kept paragraph within one container stays"},
        {{1, 1, 1, 1, 2, 2}, -1, 0, 2, 15, "one line after the break, two wanted: one more moves"},
        {{1, 1, 1, 1, 2, 2}, -1, 3, 0, 10, "two lines before the break, three wanted: all move"},
        {{1, 1, 1, 1, 2, 2}, -1, 2, 2, 10, "moving one line would leave one before: all move"},
        {{1, 1, 1, 2, 2, 2}, -1, 2, 0, 10, "one line before the break, two wanted: all move"},
        {{1, 1, 2, 3, 3, 3}, -1, 2, 0, 0, "a paragraph already first in its container stays"},
        {{1, 2, 2, 2, 2, 2}, 0, 0, 0, 0, "a kept paragraph first in the block and its container: left"},
        {{1, 1, 1, 2, 2, 2}, -1, 0, 0, 0, "no rule"},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        Doc().layoutFlags = RTE_LAYOUT_REPEAT_DOWN;
        Doc().minLinesBefore = c.minBefore;
        Doc().minLinesAfter = c.minAfter;
        if (c.keepStart >= 0)
            KeepTogether(c.keepStart, c.keepStart + 1);
        LayOut(c.containers);
        EXPECT_EQ(PostLayout(), c.forcedBreak ? 1 : 0) << c.why;
        EXPECT_EQ(Doc().forcedBreak, c.forcedBreak) << c.why;
        bool relayout = (RteLocked<RteTextBlock>(Doc().blocks)[0].flags & RTE_BLOCK_RELAYOUT) != 0;
        EXPECT_EQ(relayout, c.forcedBreak != 0) << c.why;
        EXPECT_EQ(LockedHandles(), 0) << c.why;
    }
}

TEST_F(PostLayoutTest, APendingForcedBreakIsLeftToTheLineBuilder)
{
    Doc().layoutFlags = RTE_LAYOUT_REPEAT_DOWN;
    KeepTogether(10, 11);
    LayOut({1, 1, 1, 1, 2, 2});
    Doc().forcedBreak = 10;
    EXPECT_EQ(PostLayout(), 0);
    Doc().forcedBreak = 0;
    RteHookTable hooks;
    RteGetDocHooks(doc_, &hooks);
    EXPECT_EQ(hooks.postLayout(doc_, 0, 0, 3, 3, 0), 0) << "an empty line range";
}

TEST_F(PostLayoutTest, TheOverflowOfATextTallerThanItsArea)
{
    RteRect wrap{0, 0, 40, 100};
    RteSetAreaRects(doc_, &wrap, nullptr);
    Doc().layoutFlags = RTE_LAYOUT_KEEP_LAST_HEIGHT;
    LayOut({1, 1, 1, 1, 1, 1});
    PostLayout();
    EXPECT_EQ(Doc().overflow, 0) << "the document does not count its overflow";
    RteSetDocFlags2(doc_, RteGetDocFlags2(doc_) | RTE_DOC2_COUNT_OVERFLOW);
    PostLayout();
    EXPECT_EQ(Doc().overflow, 10) << "from the line at 20, whose bottom passes 40";
    wrap.bottom = 60;
    RteSetAreaRects(doc_, &wrap, nullptr);
    LayOut({1, 1, 1, 1, 1, 1});
    PostLayout();
    EXPECT_EQ(Doc().overflow, 0) << "every line fits";
}

}  // namespace
