// Undo records: each kind undone and its reverse redone, keystroke runs, the records handed
// back unchanged, styles and formats restored, and the change count.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "block_text.h"
#include "rect_list.h"
#include "rte_editing.h"
#include "rte_selection.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_transfer.h"
#include "rte_undo.h"
#include "rte_undo_record.h"
#include "style_checks.h"
#include "transfer_fixture.h"

namespace {

class UndoTest : public TransferTest {
protected:
    static void Key(RteHandle doc, uint8_t key)
    {
        RteInsertText(doc, &key, 1, -1, RTE_KEYS_TYPED, 0, 0);
        RteFlushTypeahead(doc);
    }
    // What a change may alter: text with bold marked, alignments, the areas' bounds, page width.
    static std::string State(RteHandle doc)
    {
        std::string state = Marked(doc) + " |";
        for (int32_t i = 0; i <= RteTextLength(doc); ++i)
            state += std::to_string(AlignmentAt(doc, i));
        RteRect bounds;
        for (RteRectList area : {RteViewArea(doc), RteWrapArea(doc), RteExtraArea(doc)}) {
            RteRectListFirst(area, &bounds);
            state += " " + std::to_string(bounds.right);
        }
        RtePageSettings page;
        RteGetPageSettings(doc, &page);
        return state + " " + std::to_string(page.width);
    }
};

TEST_F(UndoTest, EveryKindIsUndoneAndItsReverseRedoesIt)
{
    struct Case {
        const char* name;
        int16_t kind;
        std::function<const void*(RteHandle doc)> before;  // selects, and gives the reference
        std::function<void(RteHandle doc)> change;
    };
    static int32_t values[2];
    static RteRange range;
    const Case cases[] = {
        {"cut", RTE_UNDO_CUT, [](RteHandle) { range = {3, 9}; return &range; },
         [](RteHandle doc) { RteDeleteRange(doc, &range, 0); }},
        {"cut of the selection", RTE_UNDO_CUT,
         [](RteHandle doc) {
             const RteRange ranges[] = {{1, 3}, {6, 8}, {10, 12}};
             RteSetSelectionRanges(doc, ranges, 3, 0, false);
             return nullptr;
         },
         [](RteHandle doc) { RteDeleteRange(doc, nullptr, 0); }},
        {"insert text over a selection", RTE_UNDO_INSERT_TEXT,
         [](RteHandle doc) {
             RteSetSelection(doc, 2, 7, 0, 0);
             values[0] = 3;
             return values;
         },
         [](RteHandle doc) { Insert(doc, "xyz", -1); }},
        {"insert a span", RTE_UNDO_INSERT_SPAN,
         [](RteHandle) {
             values[0] = 4;
             values[1] = 2;
             return values;
         },
         [](RteHandle doc) { Insert(doc, "++", 4); }},
        {"insert an object's two characters", RTE_UNDO_INSERT_OBJECT,
         [](RteHandle) {
             values[0] = 5;
             return values;
         },
         [](RteHandle doc) { Insert(doc, "[]", 5); }},
        {"backspace over a selection", RTE_UNDO_BACKSPACE,
         [](RteHandle doc) {
             RteSetSelection(doc, 1, 10, 0, 0);
             return nullptr;
         },
         [](RteHandle doc) { Key(doc, RTE_KEY_BACKSPACE); }},
        {"forward delete", RTE_UNDO_FORWARD_DELETE,
         [](RteHandle doc) {
             RteSetSelection(doc, 4, 4, 0, 0);
             return nullptr;
         },
         [](RteHandle doc) { Key(doc, RTE_KEY_DELETE); }},
        {"restyle", RTE_UNDO_RESTYLE, [](RteHandle) { return nullptr; },
         [](RteHandle doc) {
             SetBold(doc, 0, 12);
             SetAlignment(doc, 0, 0, 2);
         }},
        {"wrap area", RTE_UNDO_WRAP_AREA, [](RteHandle) { return nullptr; },
         [](RteHandle doc) {
             RteRect rect = {0, 0, 100, 321};
             RteSetRectList(RteWrapArea(doc), &rect);
         }},
        {"view area", RTE_UNDO_VIEW_AREA, [](RteHandle) { return nullptr; },
         [](RteHandle doc) {
             RteRect rect = {0, 0, 100, 432};
             RteSetRectList(RteViewArea(doc), &rect);
         }},
        {"extra area", RTE_UNDO_EXTRA_AREA, [](RteHandle) { return nullptr; },
         [](RteHandle doc) {
             RteRect rect = {0, 0, 100, 543};
             RteSetRectList(RteExtraArea(doc), &rect);
         }},
        {"page settings", RTE_UNDO_PAGE_SETTINGS, [](RteHandle) { return nullptr; },
         [](RteHandle doc) {
             RtePageSettings page;
             RteGetPageSettings(doc, &page);
             page.width = 777;
             RteSetPageSettings(doc, &page, true, 0);
         }},
    };
    for (const Case& c : cases) {
        RteHandle doc = Text("one two\rthree four");
        SetBold(doc, 2, 5);
        SetAlignment(doc, 9, 9, 1);
        const void* reference = c.before(doc);
        std::string original = State(doc);
        RteHandle record = RteUndoPrepare(doc, c.kind, reference);
        ASSERT_NE(nullptr, record) << c.name;
        EXPECT_EQ(c.kind, RteUndoKind(record));
        c.change(doc);
        std::string changed = State(doc);
        ASSERT_NE(original, changed) << c.name;
        uint32_t count = RteGetChangeCounter(doc);
        RteHandle reverse = RteUndo(doc, record, true, 0);
        EXPECT_EQ(original, State(doc)) << c.name;
        EXPECT_EQ(count - 1, RteGetChangeCounter(doc)) << c.name;
        ASSERT_NE(nullptr, reverse) << c.name;
        EXPECT_EQ(-c.kind, RteUndoKind(reverse));
        RteHandle again = RteUndo(doc, reverse, true, 0);
        EXPECT_EQ(changed, State(doc)) << c.name << " redone";
        EXPECT_EQ(count, RteGetChangeCounter(doc)) << c.name;
        RteHandle third = RteUndo(doc, again, false, 0);
        EXPECT_EQ(nullptr, third);
        EXPECT_EQ(original, State(doc)) << c.name << " undone again";
        EXPECT_EQ("", RunProblems(doc)) << c.name;
        for (RteHandle r : {record, reverse, again})
            RteUndoFree(r);
    }
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(UndoTest, InsertingADocumentIsUndoneAndRedone)
{
    RteHandle doc = Text("0123456789");
    RteHandle source = Text("0123456789");
    SetBold(source, 4, 6);
    const RteRange ranges[] = {{1, 3}, {5, 7}};
    RteSetSelectionRanges(source, ranges, 2, 0, false);
    RteHandle copy = Own(RteCopyRange(source, nullptr));
    RteSetSelection(doc, 2, 2, 0, 0);
    RteHandle record = RteUndoPrepare(doc, RTE_UNDO_INSERT_DOCUMENT, copy);
    RteInsertDocument(doc, copy, -1, 0, 0);
    EXPECT_EQ("011223[5]6456789", Marked(doc));
    RteHandle reverse = RteUndo(doc, record, true, 0);
    EXPECT_EQ("0123456789", Marked(doc));
    RteHandle again = RteUndo(doc, reverse, true, 0);
    EXPECT_EQ("011223[5]6456789", Marked(doc));
    for (RteHandle r : {record, reverse, again})
        RteUndoFree(r);
}

TEST_F(UndoTest, AKeystrokeRunIsOneRecord)
{
    struct Case {
        int16_t kind;
        uint8_t key;
        int32_t caret;
        std::string after;
    };
    const Case cases[] = {
        {RTE_UNDO_TYPING, 'x', 3, "abcxxxxxdef"},
        {RTE_UNDO_BACKSPACE, RTE_KEY_BACKSPACE, 6, "a"},
        {RTE_UNDO_FORWARD_DELETE, RTE_KEY_DELETE, 0, "f"},
    };
    for (const Case& c : cases) {
        RteHandle doc = Text("abcdef");
        SetBold(doc, 1, 3);
        RteSetSelection(doc, c.caret, c.caret, 0, 0);
        uint32_t before = RteGetChangeCounter(doc);
        RteHandle record = nullptr;
        for (int i = 0; i < 5; ++i) {
            RteHandle next = RteUndoPrepare(doc, c.kind, record);
            if (record) {
                EXPECT_EQ(record, next) << "passed back and extended";
            }
            record = next;
            Key(doc, c.key);
        }
        EXPECT_EQ(c.after, DocumentText(doc));
        uint32_t typed = RteGetChangeCounter(doc);
        EXPECT_LT(before, typed);
        RteUndo(doc, record, false, 0);
        EXPECT_EQ("a[bc]def", Marked(doc)) << c.key;
        EXPECT_EQ(typed - 1, RteGetChangeCounter(doc));
        RteUndoFree(record);
    }
}

TEST_F(UndoTest, AContinuedRunKeepsThePreviousRecordWholeWhenTheKeystrokeIsElsewhere)
{
    RteHandle doc = Text("abcdef");
    RteSetSelection(doc, 3, 3, 0, 0);
    RteHandle first = RteUndoContinue(doc, RTE_UNDO_TYPING, nullptr);
    Key(doc, 'x');
    EXPECT_EQ(first, RteUndoContinue(doc, RTE_UNDO_TYPING, first)) << "the next of its run";
    Key(doc, 'y');
    RteSetSelection(doc, 0, 0, 0, 0);
    RteHandle second = RteUndoContinue(doc, RTE_UNDO_TYPING, first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second) << "a keystroke elsewhere gets a record of its own";
    Key(doc, 'z');
    EXPECT_EQ("zabcxydef", DocumentText(doc));
    RteUndo(doc, second, false, 0);
    RteUndo(doc, first, false, 0);
    EXPECT_EQ("abcdef", DocumentText(doc)) << "the first run was kept whole";
    RteUndoFree(second);
    RteUndoFree(first);
}

TEST_F(UndoTest, NothingToDeleteHandsTheRecordBackUnchanged)
{
    RteHandle doc = Text("abc");
    RteSetSelection(doc, 0, 0, 0, 0);
    EXPECT_EQ(nullptr, RteUndoPrepare(doc, RTE_UNDO_BACKSPACE, nullptr));
    RteHandle typed = RteUndoPrepare(doc, RTE_UNDO_TYPING, nullptr);
    EXPECT_EQ(typed, RteUndoPrepare(doc, RTE_UNDO_BACKSPACE, typed));
    EXPECT_EQ(RTE_UNDO_TYPING, RteUndoKind(typed)) << "unchanged";
    RteSetSelection(doc, 3, 3, 0, 0);
    EXPECT_EQ(typed, RteUndoPrepare(doc, RTE_UNDO_FORWARD_DELETE, typed));
    EXPECT_EQ(RTE_UNDO_TYPING, RteUndoKind(typed));
    RteUndoSetValue(typed, 42);
    EXPECT_EQ(42, RteUndoGetValue(typed));
    EXPECT_EQ(0, RteUndoGetValue(nullptr));
    EXPECT_EQ(0, RteUndoKind(nullptr));
    RteUndoFree(typed);
    RteUndoFree(nullptr);
}

TEST_F(UndoTest, BackspaceRestoresTheStyleAndParagraphFormatOfWhatItRemoved)
{
    RteHandle doc = Text("ab\rcd");
    SetBold(doc, 1, 2);
    SetAlignment(doc, 3, 3, 2);
    RteSetSelection(doc, 4, 4, 0, 0);
    std::string original = State(doc);
    RteHandle record = nullptr;
    for (int i = 0; i < 3; ++i) {
        record = RteUndoPrepare(doc, RTE_UNDO_BACKSPACE, record);
        Key(doc, RTE_KEY_BACKSPACE);
    }
    EXPECT_EQ("ad", DocumentText(doc));
    RteUndo(doc, record, false, 0);
    EXPECT_EQ(original, State(doc));
    RteUndoFree(record);
}

TEST_F(UndoTest, AHiddenCharacterIsNotSavedWhileHiddenTextIsHidden)
{
    RteHandle doc = Text("ab");
    SetHidden(doc, 1, 2);
    RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_HIDDEN_TEXT);
    RteSetSelection(doc, 2, 2, 0, 0);
    RteHandle record = RteUndoPrepare(doc, RTE_UNDO_BACKSPACE, nullptr);
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(nullptr, RteUndoFields(record).copy) << "nothing saved";
    RteUndoFree(record);
}

}  // namespace
