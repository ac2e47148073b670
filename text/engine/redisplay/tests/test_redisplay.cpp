// The redraw loop: what it draws for a view, where it stops and what it tells its hooks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_fixture.h"
#include "rect_list.h"
#include "rte_gdi_text.h"
#include "rte_areas.h"
#include "rte_containers.h"
#include "rte_redisplay.h"
#include "rte_text_blocks.h"

namespace {

// What the recording hooks saw, in order.
std::vector<std::string> g_events;

intptr_t RecordRun(RteHandle, RteCharStyle*, intptr_t request, intptr_t, intptr_t, intptr_t)
{
    const auto& run = *reinterpret_cast<const RteDrawRun*>(request);
    g_events.push_back("run " + std::to_string(run.blockStart + run.offset) + " " +
                       std::string(reinterpret_cast<const char*>(run.text), static_cast<size_t>(run.count)) + " @" +
                       std::to_string(run.line.top));
    return 0;
}

void RecordContainer(RteHandle, int32_t container, const RteRect* rect, intptr_t, intptr_t, int32_t mode, int32_t*)
{
    g_events.push_back("container " + std::to_string(container) + " mode " + std::to_string(mode) + " @" +
                       std::to_string(rect->top));
}

// What paragraph slot 2 is told of paragraphs drawn.
std::vector<std::string> g_paragraphs;

intptr_t RecordParagraph(RteHandle, RteParFormat*, intptr_t mode, intptr_t request, intptr_t)
{
    if (mode != RTE_PAR_DRAW_PARAGRAPH)
        return 0;
    const auto& drawn = *reinterpret_cast<const RteParagraphDrawn*>(request);
    std::string told = std::to_string(drawn.start) + "-" + std::to_string(drawn.end);
    told += (drawn.firstFlags & RTE_PIECE_PAR_FIRST) ? " starts" : "";
    told += (drawn.lastFlags & RTE_PIECE_PAR_LAST) ? " ends" : "";
    told += " @" + std::to_string(drawn.rect.top) + "-" + std::to_string(drawn.rect.bottom);
    told += " mode " + std::to_string(drawn.mode);
    if (drawn.second)
        told += " then @" + std::to_string(drawn.second->top) + "," + std::to_string(drawn.second->left);
    g_paragraphs.push_back(told);
    return 0;
}

void RecordPort(RteHandle, int32_t open) { g_events.push_back(open ? "port open" : "port close"); }

void RecordDrawing(RteHandle, intptr_t code, intptr_t, intptr_t, intptr_t, intptr_t)
{
    g_events.push_back("slot 19 " + std::to_string(code));
}

class RedisplayTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        env_.defaultStyle.hooks.draw = RecordRun;
        env_.hooks.port = RecordPort;
        env_.hooks.drawing = RecordDrawing;
        env_.defaultFormat.hooks.draw = RecordParagraph;
        g_events.clear();
        g_paragraphs.clear();
    }

    RteHandle Document(const std::string& text, const RteRect& view)
    {
        RteHandle doc = MakeDocument(text);
        RteRect wrap{0, 0, 10000, 100};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteSetRectList(RteViewArea(doc), &view);
        return doc;
    }

    std::vector<std::string> Runs() const
    {
        std::vector<std::string> runs;
        for (const std::string& event : g_events)
            if (event.rfind("run ", 0) == 0)
                runs.push_back(event);
        return runs;
    }
};

TEST_F(RedisplayTest, EveryLineIsDrawnWithoutItsParagraphEnd)
{
    RteHandle doc = Document("one two\rthree", {0, 0, 500, 100});
    EXPECT_EQ(13, RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 3, false));
    EXPECT_EQ((std::vector<std::string>{"port open", "run 0 one two @0", "run 8 three @12", "port close"}),
              g_events);
}

TEST_F(RedisplayTest, ModeNineBracketsTheDrawingWithSlot19AndModeThreeDoesNot)
{
    RteHandle doc = Document("abc", {0, 0, 500, 100});
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 9, false);
    EXPECT_EQ((std::vector<std::string>{"port open", "slot 19 0", "run 0 abc @0", "slot 19 1", "port close"}),
              g_events);
    g_events.clear();
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 3, false);
    EXPECT_EQ((std::vector<std::string>{"port open", "run 0 abc @0", "port close"}), g_events);
    g_events.clear();
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 0, false);
    EXPECT_TRUE(g_events.empty()) << "mode 0 draws nothing";
    EXPECT_FALSE(DocumentOf(doc).flags & RTE_DOC_OFFSCREEN_CONTAINERS);
}

TEST_F(RedisplayTest, OnlyTheBlocksTheViewShowsAreDrawnAndTheLoopStopsBelowIt)
{
    // Three paragraphs of 12-pixel lines, each in a block of its own.
    RteHandle doc = Document("first\rsecond\rthird", {12, 0, 24, 100});
    {
        RteLocked<RteDocument> locked(doc);
        const char* paragraphs[] = {"first\r", "second\r", "third"};
        RteFree(RteLocked<RteTextBlock>(locked->blocks)[0].text);
        RteSetCount(locked->blocks, 3);
        RteLocked<RteTextBlock> blocks(locked->blocks);
        for (int32_t i = 0; i < 3; ++i) {
            auto length = static_cast<int32_t>(std::string(paragraphs[i]).size());
            blocks[i] = RteTextBlock{};
            blocks[i].text = RteNewFromData(locked->env->context, paragraphs[i], 1, length);
            RteSetKey(blocks[i].text, locked->key);
            blocks[i].length = length;
            blocks[i].flags = RTE_BLOCK_RELAYOUT;
        }
    }
    EXPECT_EQ(13, RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 3, false))
        << "stops at the start of the first block below the view";
    EXPECT_EQ((std::vector<std::string>{"run 6 second @12"}), Runs());
}

TEST_F(RedisplayTest, AParagraphWhoseLastLineIsDrawnIsToldToItsFormat)
{
    // A first paragraph of two lines (the second starts at 20), then a short one.
    const std::string text = "aaaa bbbb cccc dddd eeee\rzz";
    struct Case {
        int32_t from, to;
        RteRect view;
        int16_t mode;
        std::vector<std::string> told;
    };
    const Case cases[] = {
        {0, -1, {0, 0, 500, 100}, 3, {"0-25 starts ends @0-24 mode 3", "25-27 starts @24-36 mode 3"}},
        {21, -1, {0, 0, 500, 100}, 9, {"20-25 ends @12-24 mode 9", "25-27 starts @24-36 mode 9"}},
        {0, 10, {0, 0, 500, 100}, 3, {}},  // its last line is not drawn
        {0, -1, {0, 0, 12, 100}, 3, {"0-25 starts ends @0-24 mode 3"}},  // the view shows no more
        {0, -1, {0, 0, 500, 100}, 0, {}},
    };
    for (const Case& c : cases) {
        RteHandle doc = Document(text, c.view);
        g_paragraphs.clear();
        RteRedisplay(doc, nullptr, c.from, c.to, nullptr, nullptr, c.mode, false);
        EXPECT_EQ(c.told, g_paragraphs) << c.from << " " << c.to << " mode " << c.mode;
        RteDocDestroy(doc);
    }
}

TEST_F(RedisplayTest, LinesThatRunOnIntoTheNextContainerAreToldApart)
{
    RteHandle doc = Document("aaaa bbbb cccc dddd eeee\rzz", {0, 0, 500, 300});
    RteRect columns[] = {{0, 0, 12, 100}, {0, 120, 500, 220}};
    RteSetRectList(RteWrapArea(doc), &columns[0]);
    RteAddRectToList(RteWrapArea(doc), &columns[1]);
    RteMarkForLayout(RteLocked<RteDocument>(doc).get(), 0, 27);
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 3, false);
    EXPECT_EQ((std::vector<std::string>{"0-25 starts ends @0-12 mode 3 then @0,120", "25-27 starts @12-24 mode 3"}),
              g_paragraphs);
}

int32_t ReloadText(RteHandle doc, int32_t block)
{
    g_events.push_back("load " + std::to_string(block));
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteTextBlock> blocks(locked->blocks);
    blocks[block].text = RteNewFromData(locked->env->context, "abc", 1, 3);
    RteSetKey(blocks[block].text, locked->key);
    return 0;
}

TEST_F(RedisplayTest, ABlockWhoseTextWasGivenUpIsReadAgainToBeDrawn)
{
    RteHandle doc = Document("abc", {0, 0, 500, 100});
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 3, false);
    {
        RteLocked<RteDocument> locked(doc);
        locked->hooks.loadText = ReloadText;
        RteLocked<RteTextBlock> blocks(locked->blocks);
        RteFree(blocks[0].text);
        blocks[0].text = nullptr;
    }
    g_events.clear();
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 3, false);
    EXPECT_EQ((std::vector<std::string>{"port open", "load 0", "run 0 abc @0", "port close"}), g_events);
}

RteStyleDeviceHook g_plainInfo = nullptr;

// The byte after 0x82 continues its character (class 0x1000); '-' joins the next one (0x0800).
intptr_t JoiningInfo(RteHandle doc, RteCharStyle* style, intptr_t character, intptr_t b, intptr_t mask,
                     intptr_t before)
{
    const auto* at = reinterpret_cast<const uint8_t*>(character);
    intptr_t classes = g_plainInfo(doc, style, character, b, mask, before);
    if (before >= 1 && at[-1] == 0x82)
        classes |= 0x1000;
    if (at[0] == '-')
        classes |= 0x0800;
    return mask ? classes & mask : classes;
}

TEST_F(RedisplayTest, TypedCharactersAreDrawnInPlaceWithTheCharactersTheyJoin)
{
    g_plainInfo = env_.defaultStyle.hooks.charInfo;
    env_.defaultStyle.hooks.charInfo = JoiningInfo;
    RteHandle doc = Document("ab\x82\xA0" "cd-ef", {0, 0, 500, 100});
    struct Case {
        int32_t offset, count;
        const char* run;
    };
    const Case cases[] = {{4, 2, "run 4 cd @0"}, {3, 1, "run 2 \x82\xA0 @0"}, {5, 2, "run 5 d @0"}, {0, 0, nullptr}};
    for (const Case& c : cases) {
        g_events.clear();
        RteDrawInPlace(doc, c.offset, c.count, 1);
        EXPECT_EQ(c.run ? std::vector<std::string>{c.run} : std::vector<std::string>{}, Runs()) << c.offset;
    }
}

TEST_F(RedisplayTest, SubstitutesStandOnlyForTheCall)
{
    RteHandle doc = Document("abc", {0, 0, 500, 100});
    RteRect below{100, 0, 200, 100};
    RteRectList elsewhere = RteNewRectList(&context_, &below);
    EXPECT_EQ(3, RteRedisplay(doc, nullptr, 0, -1, elsewhere, nullptr, 3, false)) << "the text lies above that view";
    EXPECT_TRUE(Runs().empty());
    EXPECT_NE(elsewhere, DocumentOf(doc).viewArea);
    RteDisplay(doc, nullptr, nullptr, nullptr, nullptr, 3);
    EXPECT_EQ((std::vector<std::string>{"run 0 abc @0"}), Runs());
    RteFreeRectList(elsewhere);
}

}  // namespace

namespace {

class ContainerPassTest : public RedisplayTest {
protected:
    // Twenty 12-pixel lines on pages of 100 repeated every 120: three pages.
    RteHandle Pages(const RteRect& view)
    {
        std::string text;
        for (int i = 0; i < 20; ++i)
            text += "line\r";
        RteHandle doc = Document(text, view);
        RteRect wrap{0, 0, 100, 200};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteLocked<RteDocument> locked(doc);
        locked->layoutFlags |= RTE_LAYOUT_REPEAT_DOWN | RTE_LAYOUT_KEEP_LAST_HEIGHT;
        locked->repeatGapV = 20;
        locked->hooks.container = RecordContainer;
        RteMarkForLayout(locked.get(), 0, locked->textLength);
        return doc;
    }

    std::vector<std::string> Containers() const
    {
        std::vector<std::string> found;
        for (const std::string& event : g_events)
            if (event.rfind("container ", 0) == 0)
                found.push_back(event);
        return found;
    }
};

TEST_F(ContainerPassTest, TheContainersTheViewShowsAreDrawnCopyByCopy)
{
    RteHandle doc = Pages({0, 0, 150, 200});
    RteDrawContainers(doc, nullptr, nullptr, nullptr, 3);
    EXPECT_EQ((std::vector<std::string>{"container 1 mode 2 @0", "container 2 mode 2 @120"}), Containers());
    EXPECT_EQ(3, DocumentOf(doc).pagesInUse);
    g_events.clear();
    RteLocked<RteDocument>(doc)->scroll = RtePoint{130, 0};
    RteDrawContainers(doc, nullptr, nullptr, nullptr, 3);
    EXPECT_EQ((std::vector<std::string>{"container 2 mode 2 @-10", "container 3 mode 2 @110"}), Containers())
        << "from the copy at the view's top";
    g_events.clear();
    RteDrawContainers(doc, nullptr, nullptr, nullptr, 0);
    EXPECT_TRUE(Containers().empty()) << "mode 0 draws nothing";
}

TEST_F(ContainerPassTest, ARedrawThatAsksForThemDrawsThemAfterTheTextOnce)
{
    RteHandle doc = Pages({0, 0, 100, 200});
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 3, false);
    EXPECT_TRUE(Containers().empty());
    RteSetDocFlags2(doc, RteGetDocFlags2(doc) | RTE_DOC2_DRAW_CONTAINERS);
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 3, false);
    std::vector<std::string> tail(g_events.end() - 4, g_events.end());
    EXPECT_EQ((std::vector<std::string>{"port open", "container 1 mode 2 @0", "port close", "port close"}), tail)
        << "after the text, inside the redraw's port pair";
    EXPECT_FALSE(RteGetDocFlags2(doc) & RTE_DOC2_DRAW_CONTAINERS);
    EXPECT_EQ(3, RteUpdatePageCount(doc, 0));
}

}  // namespace
