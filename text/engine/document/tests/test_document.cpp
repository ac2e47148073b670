// Documents: what creation makes, running out of memory at each step, views, shells, the
// settings and the extension table.
#include <gtest/gtest.h>

#include <cstring>

#include "document_fixture.h"
#include "failing_blocks.h"
#include "rte_device.h"
#include "rte_position_cache.h"
#include "rte_text_blocks.h"

namespace {

using DocumentModelTest = DocumentTest;

std::vector<std::pair<void*, int32_t>> g_ownerCalls;
void NoteOwner(void* subject, int32_t code) { g_ownerCalls.emplace_back(subject, code); }

// A device that counts the ports it binds and releases.
int g_bound = 0;
int g_released = 0;
void CountingBind(RteEnvironment* env, RteDrawPort* port, void* window)
{
    RteNullDevice().bindPort(env, port, window);
    port->dc = reinterpret_cast<void*>(intptr_t{0x1234});
    ++g_bound;
}
void CountingRelease(RteDrawPort* port)
{
    EXPECT_EQ(reinterpret_cast<void*>(intptr_t{0x1234}), port->dc) << "only ports of its own are released";
    ++g_released;
}

TEST_F(DocumentModelTest, CreationFillsTheDocument)
{
    env_.ownerHook = NoteOwner;
    g_ownerCalls.clear();
    RteHandle handle = RteDocCreate(&env_, RTE_PORT_ENVIRONMENT, nullptr, nullptr, nullptr, RTE_DOC_WITH_BITS_1_2);
    ASSERT_NE(nullptr, handle);
    RteDocument doc = DocumentOf(handle);
    EXPECT_EQ(0x20001u, doc.version);
    EXPECT_EQ(257u, doc.state);
    EXPECT_EQ(handle, doc.self);
    EXPECT_EQ(RTE_DOC_WITH_BITS_1_2 | 0x3 | RTE_DOC_BORROWED_PORT, doc.flags);
    EXPECT_EQ(-1, doc.scrollMaskH);
    EXPECT_EQ(-1, doc.scrollMaskV);
    EXPECT_EQ(9, doc.value9);
    EXPECT_EQ(64u, doc.page.flags);
    EXPECT_EQ(0, std::memcmp(&doc.hooks, &env_.hooks, sizeof doc.hooks));
    EXPECT_EQ(1, RteCount(doc.blocks));
    EXPECT_EQ(1, RteCount(doc.charStyles));
    EXPECT_EQ(1, RteCount(doc.parFormats));
    EXPECT_EQ(1, RteCount(doc.fonts));
    EXPECT_EQ(2, Elements<RteCharStyle>(doc.charStyles)[0].useCount);
    EXPECT_EQ(2, Elements<RteParFormat>(doc.parFormats)[0].useCount);
    std::vector<RteStyleRun> runs = Elements<RteStyleRun>(doc.charRuns);
    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ(0, runs[0].offset);
    EXPECT_EQ(2, runs[1].offset) << "the sentinel stands at length + 2";
    EXPECT_EQ(255, RteGetPurgeFlags(handle) & RTE_PURGE_PRIORITY_MASK);
    EXPECT_EQ(255, RteGetPurgeFlags(doc.selection) & RTE_PURGE_PRIORITY_MASK);
    EXPECT_EQ(255, RteGetPurgeFlags(doc.blocks) & RTE_PURGE_PRIORITY_MASK);
    EXPECT_EQ(160, RteGetPurgeFlags(doc.charRuns) & RTE_PURGE_PRIORITY_MASK);
    EXPECT_EQ(160, RteGetPurgeFlags(doc.parRuns) & RTE_PURGE_PRIORITY_MASK);
    EXPECT_EQ(doc.key, RteGetKey(doc.charRuns));
    EXPECT_NE(doc.key, context_.currentKey) << "later handles are not the document's";
    ASSERT_EQ(1u, g_ownerCalls.size());
    EXPECT_EQ(std::make_pair(static_cast<void*>(handle), RTE_OWNER_CREATED), g_ownerCalls[0]);
    EXPECT_EQ(0, LockedHandles());

    RteDocDestroy(handle);
    EXPECT_EQ(std::make_pair(static_cast<void*>(handle), RTE_OWNER_DESTROYING), g_ownerCalls.back());
    EXPECT_EQ(0, RteKeyCount(&context_, doc.key, false)) << "every handle of the document's key is freed";
}

TEST_F(DocumentModelTest, OutOfMemoryAtEachAllocationOfCreation)
{
    int liveBefore = LiveHandles();
    int failures = 0;
    for (int n = 1;; ++n) {
        uint32_t key = context_.keyCounter + 1;
        RteHandle doc;
        {
            FailingBlocks blocks;
            blocks.FailFromRequest(n);
            doc = RteDocCreate(&env_, RTE_PORT_NEW, nullptr, nullptr, nullptr, 0);
        }
        if (doc) {
            RteDocDestroy(doc);
            break;
        }
        ++failures;
        EXPECT_EQ(0, RteKeyCount(&context_, key, false)) << "request " << n;
        EXPECT_EQ(liveBefore, LiveHandles()) << "request " << n;
        EXPECT_EQ(0, LockedHandles()) << "request " << n;
        EXPECT_EQ(nullptr, context_.innermostFrame);
        ASSERT_LT(n, 200) << "creation never succeeds";
    }
    EXPECT_GT(failures, 20) << "every table is a request of its own";
    RteHandle doc = MakeDocument("usable");
    ASSERT_NE(nullptr, doc) << "the context is usable after the failures";
    RteDocDestroy(doc);
}

TEST_F(DocumentModelTest, APortOfTheEnvironmentIsNeverReleased)
{
    RteDevice device = RteNullDevice();
    device.bindPort = CountingBind;
    device.releasePort = CountingRelease;
    RteSetDevice(&device);
    g_bound = g_released = 0;
    RteHandle borrowed = RteDocCreate(&env_, RTE_PORT_ENVIRONMENT, nullptr, nullptr, nullptr, 0);
    RteHandle own = RteDocCreate(&env_, RTE_PORT_NEW, nullptr, nullptr, nullptr, 0);
    int window = 0;
    RteHandle bound = RteDocCreate(&env_, &window, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(&window, DocumentOf(bound).port.window);
    EXPECT_EQ(2, g_bound);
    RteDocDestroy(borrowed);
    EXPECT_EQ(0, g_released);
    RteDocDestroy(own);
    RteDocDestroy(bound);
    EXPECT_EQ(2, g_released);
    RteSetDevice(nullptr);
}

TEST_F(DocumentModelTest, DestroyingAViewKeepsTheOwnersStyles)
{
    RteHandle owner = MakeDocument("shared styles");
    RteHandle view = RteNewView(owner, false, nullptr, nullptr, nullptr, 0);
    ASSERT_NE(nullptr, view);
    RteDocument o = DocumentOf(owner);
    RteDocument v = DocumentOf(view);
    EXPECT_EQ(o.charStyles, v.charStyles);
    EXPECT_EQ(o.fonts, v.fonts);
    EXPECT_EQ(o.viewArea, v.viewArea);
    EXPECT_EQ(owner, v.tableOwner);
    EXPECT_TRUE(v.flags & RTE_DOC_BORROWED_PORT);
    EXPECT_EQ(4, Elements<RteCharStyle>(o.charStyles)[0].useCount) << "the view's runs use the owner's styles";
    RteDocDestroy(view);
    ASSERT_EQ(1, RteCount(o.charStyles));
    EXPECT_EQ(2, Elements<RteCharStyle>(o.charStyles)[0].useCount);
    EXPECT_EQ(1, RteCount(o.fonts));
    EXPECT_EQ(1, RteRectListCount(o.viewArea));
    RteDocDestroy(owner);
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(DocumentModelTest, AShellKeepsAreasPageSettingsAndFlags)
{
    RteRect rect = {0, 0, 100, 200};
    RteRectList wrap = RteNewRectList(&context_, &rect);
    RteHandle doc = RteDocCreate(&env_, RTE_PORT_NEW, nullptr, wrap, nullptr, 0x1);
    RtePageSettings page = {};
    page.flags = 0x4;
    page.width = 500;
    RteSetPageSettings(doc, &page, true, 0);
    RteSetDocFlags2(doc, 0x1000);
    RteHandle shell = RteDuplicateDocShell(doc);
    ASSERT_NE(nullptr, shell);
    RteDocument copy = DocumentOf(shell);
    EXPECT_EQ(500, copy.page.width);
    EXPECT_EQ(0x1000u, copy.flags2);
    EXPECT_TRUE(RteEqualRectLists(copy.wrapArea, wrap));
    EXPECT_NE(copy.wrapArea, wrap);
    RteDocDestroy(shell);
    RteDocDestroy(doc);
    RteFreeRectList(wrap);
}

TEST_F(DocumentModelTest, ScalingOfEqualHalvesIsNoScaling)
{
    RteHandle doc = MakeDocument();
    const struct {
        int32_t given;
        int32_t stored;
    } cases[] = {{0x00010001, 0}, {0x00020002, 0}, {0x00030002, 0x00030002}, {0, 0}};
    for (auto c : cases) {
        RteScaling scaling = {1, 2, c.given};
        RteSetScaling(doc, &scaling);
        RteScaling out;
        RteGetScaling(doc, &out);
        EXPECT_EQ(c.stored, out.factor) << std::hex << c.given;
        EXPECT_EQ(c.given, DocumentOf(doc).scalingGiven);
    }
    RteDocDestroy(doc);
}

TEST_F(DocumentModelTest, ExtensionTableFromMinusSixteen)
{
    RteHandle doc = MakeDocument();
    RteSetExtValue(doc, -17, 5);
    EXPECT_EQ(nullptr, DocumentOf(doc).ext) << "an index below -16 is ignored";
    EXPECT_EQ(0, RteGetExtValue(doc, -17));
    RteSetExtValue(doc, 100, 7);
    EXPECT_EQ(117, RteCount(DocumentOf(doc).ext));
    EXPECT_EQ(7, RteGetExtValue(doc, 100));
    EXPECT_EQ(0, RteGetExtValue(doc, 101));
    EXPECT_EQ(16, RteFirstFreeExt(doc));
    RteSetExtValue(doc, 0, 1);
    RteSetExtValue(doc, 1, 1);
    RteSetExtValue(doc, -16, 3);
    EXPECT_EQ(3, RteGetExtValue(doc, -16));
    EXPECT_EQ(18, RteFirstFreeExt(doc));
    uint32_t key = DocumentOf(doc).key;
    EXPECT_EQ(key, RteGetKey(DocumentOf(doc).ext)) << "goes with the document";
    RteDocDestroy(doc);
    EXPECT_EQ(0, RteKeyCount(&context_, key, false));
}

TEST_F(DocumentModelTest, FlagsCountChangesAndMarkForLayout)
{
    RteHandle doc = MakeDocument("text");
    uint32_t before = RteGetChangeCounter(doc);
    EXPECT_EQ(0, RteSetDocFlags(doc, 0));
    EXPECT_EQ(1, RteSetDocFlags(doc, RTE_DOC_HIDDEN_TEXT));
    EXPECT_EQ(RTE_DOC_HIDDEN_TEXT | RTE_DOC_BORROWED_PORT, RteGetDocFlags(doc)) << "the borrowed port stays known";
    EXPECT_EQ(before + 1, RteGetChangeCounter(doc));
    EXPECT_TRUE(Elements<RteTextBlock>(DocumentOf(doc).blocks)[0].flags & RTE_BLOCK_RELAYOUT);
    EXPECT_EQ(1, RteSetDocFlags2(doc, 5));
    EXPECT_EQ(0, RteSetDocFlags2(doc, 5));
    RteSetChangeCounter(doc, 77);
    EXPECT_EQ(77u, RteGetChangeCounter(doc));
    RteDocDestroy(doc);
}

TEST_F(DocumentModelTest, HostValuesAndClaims)
{
    RteHandle doc = MakeDocument();
    intptr_t wide = static_cast<intptr_t>(0x123456789ABCLL);
    RteSetDocRef(doc, wide);
    EXPECT_EQ(wide, RteGetDocRef(doc)) << "pointer-sized";
    EXPECT_EQ(1, RteClaimDoc(doc, wide));
    EXPECT_EQ(0, RteClaimDoc(doc, 5));
    EXPECT_EQ(1, RteClaimDoc(doc, wide));
    EXPECT_EQ(wide, RteDocClaimant(doc));
    EXPECT_EQ(1, RteClaimDoc(doc, 0)) << "0 frees the claim";
    EXPECT_EQ(1, RteClaimDoc(doc, 5));
    RteDocDestroy(doc);
}

TEST_F(DocumentModelTest, BoundDocumentsGiveUpCleanTextOutsideTheView)
{
    RteHandle doc = MakeDocument("0123456789");
    RteHandle other = MakeDocument("abc");
    context_.boundDocuments = RteAlloc(&context_, sizeof(RteHandle), 0, 2, true);
    for (RteHandle bound : {other, doc}) {
        *static_cast<RteHandle*>(RteAppend(context_.boundDocuments, 1, false)) = bound;
        RteUnlock(context_.boundDocuments);
    }
    EXPECT_EQ(2, RteIsBoundDoc(&context_, doc));
    RteHandle blocks = DocumentOf(doc).blocks;
    RteHandle otherText = Elements<RteTextBlock>(DocumentOf(other).blocks)[0].text;
    {
        RteLocked<RteTextBlock> entries(blocks);
        entries[0].bounds = {1000, 0, 1100, 100};  // far below the empty view
    }
    size_t released = context_.freeMemoryHook(&context_, otherText, 1);
    EXPECT_EQ(10u, released);
    EXPECT_EQ(nullptr, Elements<RteTextBlock>(blocks)[0].text);
    EXPECT_NE(nullptr, Elements<RteTextBlock>(DocumentOf(other).blocks)[0].text) << "the spared handle stays";
    RteDocDestroy(doc);
    EXPECT_EQ(0, RteIsBoundDoc(&context_, doc)) << "a destroyed document leaves the list";
    EXPECT_EQ(1, RteIsBoundDoc(&context_, other));
    RteDocDestroy(other);
}

}  // namespace

namespace {

TEST_F(DocumentModelTest, StartupThatRunsOutOfMemoryFreesWhatItMade)
{
    RteEnvironment env = {};
    int live = LiveHandles();
    for (int n = 1; n <= 6; ++n) {
        uint16_t code;
        {
            FailingBlocks blocks;
            blocks.FailFromRequest(n);
            code = RteTry(&context_, [&] { RteEngineStartup(&env, &context_); });
        }
        EXPECT_EQ(RTE_ERR_NO_MEMORY, code) << "request " << n;
        EXPECT_EQ(live, LiveHandles()) << "request " << n;
    }
}

TEST_F(DocumentModelTest, HiddenTextDropsTheDocumentsCacheEntries)
{
    RteHandle other = MakeDocument("xyz");
    RteHandle doc = MakeDocument("abc");
    for (RteHandle measured : {other, doc}) {
        RteHandle positions = nullptr;
        RteBlockPositions(measured, 0, &positions, nullptr);
        RteReleasePositions(measured, positions);
    }
    RteSetDocFlags(doc, RTE_DOC_HIDDEN_TEXT);
    EXPECT_EQ(0u, env_.cache[1].owner);
    EXPECT_EQ(-1, env_.cache[1].block);
    EXPECT_EQ(DocumentOf(other).identity, env_.cache[0].owner) << "another document's entry stays";
    RteDocDestroy(doc);
}

struct PageCase {
    uint32_t flags;
    bool relayout;
    uint32_t storedFlags;
    bool docRelayout;
};

TEST_F(DocumentModelTest, PageSettings)
{
    const PageCase cases[] = {
        {0x4, true, 0x4, true},
        {0x1, true, 0x41, true},
        {0x1, false, 0x41, false},
        {64, true, 64, false},  // the same as at creation: nothing to lay out again
    };
    for (const PageCase& c : cases) {
        RteHandle doc = MakeDocument();
        RtePageSettings page = {};
        page.flags = c.flags;
        RteSetPageSettings(doc, &page, c.relayout, 0);
        RtePageSettings out;
        RteGetPageSettings(doc, &out);
        EXPECT_EQ(c.storedFlags, out.flags) << c.flags;
        EXPECT_EQ(c.docRelayout, (RteGetDocFlags(doc) & RTE_DOC_PAGE_RELAYOUT) != 0) << c.flags;
        RteDocDestroy(doc);
    }
}

}  // namespace
