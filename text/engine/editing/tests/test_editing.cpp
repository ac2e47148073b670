// Insertion, deletion and typed keys: the text, its blocks, runs and selection after each.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "block_text.h"
#include "document_fixture.h"
#include "gdi_document_fixture.h"
#include "rte_block_upkeep.h"
#include "rte_activation.h"
#include "rte_editing.h"
#include "rte_line_builder.h"
#include "rte_paragraph_bindings.h"
#include "rte_links.h"
#include "rte_position_cache.h"
#include "rte_text_blocks.h"
#include "rte_selection.h"
#include "rte_shift.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "style_checks.h"

namespace {

using Range = std::pair<int32_t, int32_t>;

class EditingTest : public DocumentTest {
protected:
    static int32_t Insert(RteHandle doc, const std::string& text, int32_t offset, int32_t keys = RTE_KEYS_NONE)
    {
        return RteInsertText(doc, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int32_t>(text.size()),
                             offset, keys, 0, 0);
    }

    static Range Selection(RteHandle doc)
    {
        int32_t start = 0, end = 0;
        RteGetSelection(doc, &start, &end);
        return {start, end};
    }

    // Blocks cover the text in order, none over the maximum; runs and use counts hold; every
    // selection point lies in the text.
    static std::string Problems(RteHandle doc, const std::string& model)
    {
        if (DocumentText(doc) != model)
            return "text differs";
        if (RteTextLength(doc) != static_cast<int32_t>(model.size()))
            return "length differs";
        std::vector<int32_t> lengths = BlockLengths(doc);
        for (int32_t length : lengths)
            if (length > RTE_MAX_BLOCK_BYTES || (length == 0 && lengths.size() > 1))
                return "block of " + std::to_string(length);
        for (const RteSelectPoint& point : Elements<RteSelectPoint>(DocumentOf(doc).selection))
            if (point.offset < 0 || point.offset > static_cast<int32_t>(model.size()))
                return "selection point at " + std::to_string(point.offset);
        return RunProblems(doc);
    }
};

TEST_F(EditingTest, TextGoesInAtItsOffsetOrOverTheSelection)
{
    RteHandle doc = MakeDocument("hello world");
    EXPECT_EQ(1, Insert(doc, "big ", 6));
    EXPECT_EQ("", Problems(doc, "hello big world"));
    RteSetSelection(doc, 0, 5, 0, 0);
    EXPECT_EQ(1, Insert(doc, "HELLO", -1));
    EXPECT_EQ("", Problems(doc, "HELLO big world"));
    EXPECT_EQ(Range(5, 5), Selection(doc));
    EXPECT_EQ(0, Insert(doc, "", 3)) << "nothing to insert";
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(EditingTest, TenThousandBytesGoInAsChunksAndLeaveBalancedBlocks)
{
    RteHandle doc = MakeDocument("ab");
    std::string text;
    while (text.size() < 10000)
        text += "chunk of words ";
    text.resize(10000);
    Insert(doc, text, 1);
    EXPECT_EQ("", Problems(doc, "a" + text + "b"));
    EXPECT_GE(BlockLengths(doc).size(), 3u);
}

TEST_F(EditingTest, DeletingTheWholeTextLeavesOneEmptyBlockAndOneRunOfEachKind)
{
    RteHandle doc = MakeDocument();
    SetBlocks(doc, {"one\r", "two\r", "three"});
    RteCharStyle style = {}, mask;
    RteClearCharStyle(&mask, 0);
    style.bold = 1;
    mask.bold = -1;
    RteRange bold = {2, 6};
    RteSetCharStyle(doc, &bold, &style, &mask, 0);
    RteRange all = {0, 13};
    RteDeleteRange(doc, &all, 0);
    EXPECT_EQ("", Problems(doc, ""));
    EXPECT_EQ(std::vector<int32_t>{0}, BlockLengths(doc));
    EXPECT_EQ(2, RteCount(DocumentOf(doc).charRuns));
    EXPECT_EQ(2, RteCount(DocumentOf(doc).parRuns));
}

TEST_F(EditingTest, ATwoRangeSelectionIsDeletedWholeAndLeavesTheCaretAtItsStart)
{
    RteHandle doc = MakeDocument("0123456789abcdef");
    RteSetSelection(doc, 3, 8, 0, 0);
    RteSetSelection(doc, 10, 12, RTE_SELECT_ADD, 0);
    RteDeleteRange(doc, nullptr, 0);
    EXPECT_EQ("", Problems(doc, "01289cdef"));
    EXPECT_EQ(Range(3, 3), Selection(doc));
}

TEST_F(EditingTest, OffsetsInsideADeletedStretchGoToItsStart)
{
    struct Case {
        int32_t from, to;
        Range before, after;
    };
    const Case cases[] = {{3, 8, {5, 10}, {3, 5}}, {4, 9, {2, 6}, {2, 4}}, {4, 9, {0, 2}, {0, 2}},
                          {4, 9, {9, 12}, {4, 7}}, {4, 9, {4, 9}, {4, 4}}};
    for (const Case& c : cases) {
        RteHandle doc = MakeDocument("0123456789abcdef");
        RteSetSelection(doc, c.before.first, c.before.second, 0, 0);
        RteSetSelection(doc, 14, 15, RTE_SELECT_ADD, 0);
        int32_t end = c.to;
        RteDeleteInBlock(doc, c.from, &end);
        std::vector<RteSelectPoint> points = Elements<RteSelectPoint>(DocumentOf(doc).selection);
        ASSERT_EQ(4u, points.size());
        EXPECT_EQ(c.after, Range(points[0].offset, points[1].offset)) << c.from << "-" << c.to;
        int32_t deleted = c.to - c.from;
        EXPECT_EQ(Range(14 - deleted, 15 - deleted), Range(points[2].offset, points[3].offset))
            << "every range follows the edit";
        RteDocDestroy(doc);
    }
    EXPECT_EQ(9, RteShiftedOffset(7, 3, 2, false));
    EXPECT_EQ(3, RteShiftedOffset(3, 3, 2, false));
    EXPECT_EQ(5, RteShiftedOffset(3, 3, 2, true));
}

TEST_F(EditingTest, KeysAtTheTextsEdgesChangeNothing)
{
    RteHandle doc = MakeDocument("ab");
    RteSetCaretQuiet(doc, 0);
    uint32_t changes = RteGetChangeCounter(doc);
    EXPECT_EQ(0, Insert(doc, "\b", -1, RTE_KEYS_TYPED));
    RteSetCaretQuiet(doc, 2);
    EXPECT_EQ(0, Insert(doc, "\x7F", -1, RTE_KEYS_TYPED));
    EXPECT_EQ("", Problems(doc, "ab"));
    EXPECT_EQ(changes, RteGetChangeCounter(doc));
}

TEST_F(EditingTest, TypedKeysInsertDeleteAndMove)
{
    RteHandle doc = MakeDocument("ac");
    RteSetCaretQuiet(doc, 1);
    EXPECT_EQ(1, Insert(doc, "bX\b", -1, RTE_KEYS_TYPED));
    EXPECT_EQ("", Problems(doc, "abc"));
    EXPECT_EQ(Range(2, 2), Selection(doc));
    Insert(doc, "\x1C\x1C\x7F", -1, RTE_KEYS_TYPED);
    EXPECT_EQ("", Problems(doc, "bc"));
    EXPECT_EQ(Range(0, 0), Selection(doc));
    Insert(doc, "\x1D\x1D\x1D\b", -1, RTE_KEYS_TYPED);
    EXPECT_EQ("", Problems(doc, "b"));
}

TEST_F(EditingTest, ClosedDocumentsTakeNoTypedKeys)
{
    RteHandle doc = MakeDocument("ab");
    RteLocked<RteDocument>(doc)->flags |= 0x10000;
    EXPECT_EQ(0, Insert(doc, "x", 1, RTE_KEYS_TYPED));
    EXPECT_EQ("", Problems(doc, "ab"));
    EXPECT_EQ(1, Insert(doc, "x", 1, RTE_KEYS_NONE)) << "text without keys still goes in";
}

TEST_F(EditingTest, TypedTextTakesTheInsertionStyle)
{
    RteHandle doc = MakeDocument("ab");
    RteCharStyle style = {}, mask;
    RteClearCharStyle(&mask, 0);
    style.bold = 1;
    mask.bold = -1;
    RteRange first = {0, 1};
    RteSetCharStyle(doc, &first, &style, &mask, 0);
    RteSetCaretQuiet(doc, 1);
    RteCharStyle italic = Elements<RteCharStyle>(DocumentOf(doc).charStyles)[0];
    italic.italic = 1;
    RteSetInsertionStyle(doc, &italic, nullptr);
    Insert(doc, "xy", -1, RTE_KEYS_TYPED);
    EXPECT_EQ("", Problems(doc, "axyb"));
    RteCharStyle typed = Elements<RteCharStyle>(DocumentOf(doc).charStyles)[RteLocked<RteStyleRun>(DocumentOf(doc).charRuns)[1].index];
    EXPECT_EQ(1, typed.italic);
    EXPECT_EQ(0, typed.bold);
}

TEST_F(EditingTest, KeysStepOverHiddenTextAndNeverDeleteIt)
{
    const struct {
        int32_t caret;
        const char* key;
        const char* left;
    } cases[] = {{3, "\b", "aHc"},   // the hidden H and the b before it: only the b goes
                 {2, "\x7F", "abH"}, // the hidden H and the c after it: only the c goes
                 {4, "\b", "abH"},   // the c alone
                 {1, "\x7F", "aHc"}};
    for (const auto& c : cases) {
        RteHandle doc = MakeDocument("abHc");
        HideText(doc, 2, 3);
        RteSetCaretQuiet(doc, c.caret);
        EXPECT_EQ(1, Insert(doc, c.key, -1, RTE_KEYS_TYPED)) << c.caret;
        EXPECT_EQ("", Problems(doc, c.left)) << c.caret << " " << DocumentText(doc);
    }
    RteHandle doc = MakeDocument("aH");
    HideText(doc, 1, 2);
    RteSetCaretQuiet(doc, 1);
    EXPECT_EQ(0, Insert(doc, "\x7F", -1, RTE_KEYS_TYPED)) << "only hidden text ahead";
    EXPECT_EQ("", Problems(doc, "aH"));
}

TEST_F(EditingTest, ABreakPairLaysOutTheLinesAtItsOffsetWithoutChangingTheText)
{
    RteHandle doc = MakeDocument("one\rtwo");
    RteLayoutDocument(doc);
    ASSERT_EQ(0u, Elements<RteTextBlock>(DocumentOf(doc).blocks)[0].flags & RTE_BLOCK_RELAYOUT);
    RteInsertBreakPair(doc, 5, 0);
    EXPECT_EQ("", Problems(doc, "one\rtwo"));
    EXPECT_NE(0u, Elements<RteTextBlock>(DocumentOf(doc).blocks)[0].flags & RTE_BLOCK_RELAYOUT);
    RteInsertBreakPair(doc, 5, 1);
    EXPECT_EQ(0u, Elements<RteTextBlock>(DocumentOf(doc).blocks)[0].flags & RTE_BLOCK_RELAYOUT) << "redrawn, laid out";
    const std::string code(2, static_cast<char>(RTE_BREAK_CODE & 0xFF));
    EXPECT_EQ(1, Insert(doc, code, 3)) << "as text the break code is text";
    EXPECT_EQ("", Problems(doc, "one" + code + "\rtwo"));
}

TEST_F(EditingTest, AChunkedInsertionLeavesTheMarkOfALargeChange)
{
    RteHandle doc = MakeDocument("ab");
    Insert(doc, "small", 1);
    EXPECT_EQ(0, DocumentOf(doc).largeChange);
    Insert(doc, std::string(10000, 'x'), 1);
    EXPECT_EQ(RTE_LARGE_CHANGE, DocumentOf(doc).largeChange);
}

bool SamePieces(const std::vector<RteLinePiece>& a, const std::vector<RteLinePiece>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const RteLinePiece& x, const RteLinePiece& y) {
        return x.offset == y.offset && x.extra == y.extra && x.spaceAfter == y.spaceAfter && x.flags == y.flags &&
               x.container == y.container && x.rect == y.rect;
    });
}

// The lines of every block as laid out now, and as a layout of the whole text builds them.
std::string ReflowProblems(RteHandle doc)
{
    RteLayoutDocument(doc);
    std::vector<std::vector<RteLinePiece>> kept;
    for (const RteTextBlock& block : Elements<RteTextBlock>(DocumentOf(doc).blocks))
        kept.push_back(Elements<RteLinePiece>(block.lines));
    {
        RteLocked<RteDocument> locked(doc);
        RteLocked<RteTextBlock> blocks(locked->blocks);
        for (int32_t i = 0; i < blocks.size(); ++i)
            blocks[i].flags |= RTE_BLOCK_LAYOUT_WHOLE;
    }
    RteLayoutDocument(doc);
    std::vector<RteTextBlock> blocks = Elements<RteTextBlock>(DocumentOf(doc).blocks);
    for (size_t b = 0; b < blocks.size(); ++b)
        if (!SamePieces(kept[b], Elements<RteLinePiece>(blocks[b].lines)))
            return "block " + std::to_string(b) + " lines taken back differ";
    return "";
}

// Laid out, every block's pieces start at its start and follow one another within it, and the
// positions its cache holds are those measured afresh.
std::string LayoutProblems(RteHandle doc)
{
    RteLayoutDocument(doc);
    std::vector<RteTextBlock> blocks = Elements<RteTextBlock>(DocumentOf(doc).blocks);
    for (size_t b = 0; b < blocks.size(); ++b) {
        std::vector<RteLinePiece> pieces = Elements<RteLinePiece>(blocks[b].lines);
        if (pieces.size() < 2 || pieces.front().offset != 0 || pieces.back().flags != RTE_PIECE_SENTINEL)
            return "block " + std::to_string(b) + " pieces";
        for (size_t i = 1; i + 1 < pieces.size(); ++i)
            if (pieces[i].offset < pieces[i - 1].offset || pieces[i].offset > blocks[b].length)
                return "block " + std::to_string(b) + " piece " + std::to_string(i);
        RteHandle cached = nullptr, types = nullptr;
        const int32_t* positions = RteBlockPositions(doc, static_cast<int32_t>(b), &cached, &types);
        std::vector<int32_t> kept(positions, positions + blocks[b].length + 1);
        RteReleasePositions(doc, cached);
        std::vector<int32_t> fresh(kept.size());
        fresh[0] = kept[0];
        std::string text(RteLocked<char>(blocks[b].text).get(), static_cast<size_t>(blocks[b].length));
        int32_t start = RteBlockStart(RteLocked<RteDocument>(doc).get(), static_cast<int32_t>(b));
        RteMeasureRange(doc, reinterpret_cast<const uint8_t*>(text.data()), start, blocks[b].length, fresh.data(),
                        nullptr);
        if (fresh != kept)
            return "block " + std::to_string(b) + " cached positions";
    }
    return "";
}

// Marked ranges as the edits should leave them, ordered by end.
class RangeModel {
public:
    void Add(Range range)
    {
        auto at = std::find_if(ranges_.begin(), ranges_.end(), [&](const Range& r) { return r.second > range.first; });
        ranges_.insert(at, range);
    }

    void Shift(int32_t at, int32_t delta)
    {
        std::vector<Range> kept;
        for (Range r : ranges_) {
            r.first = delta > 0 ? (r.first >= at ? r.first + delta : r.first) : RteShiftedOffset(r.first, at, delta, false);
            r.second = RteShiftedOffset(r.second, at, delta, false);
            if (r.first < r.second)
                kept.push_back(r);
        }
        ranges_ = kept;
    }

    // "" when the document's table holds the same ranges, then its sentinel.
    std::string Problems(RteHandle doc, int32_t length) const
    {
        std::vector<RteLinkRange> records = Elements<RteLinkRange>(DocumentOf(doc).linkRanges[RTE_MARK_TABLE]);
        if (records.size() != ranges_.size() + 1)
            return "ranges: " + std::to_string(records.size() - 1) + " for " + std::to_string(ranges_.size());
        for (size_t i = 0; i < ranges_.size(); ++i)
            if (Range(records[i].start, records[i].end) != ranges_[i])
                return "range " + std::to_string(i) + " at " + std::to_string(records[i].start);
        if (records.back().start != length + 2 || records.back().end != length + 2)
            return "sentinel";
        return "";
    }

private:
    std::vector<Range> ranges_;
};

// Paragraph-rect bindings as the edits should leave them, ordered by offset.
class BindingModel {
public:
    // The paragraph holding the offset is bound to the rect (0: unbound).
    void Bind(const std::string& text, int32_t offset, int16_t rect)
    {
        auto start = offset == 0 ? 0 : static_cast<int32_t>(text.rfind('\r', static_cast<size_t>(offset - 1)) + 1);
        std::erase_if(bindings_, [&](const RteAnchor& b) { return b.offset == start; });
        if (rect > 0) {
            auto at = std::find_if(bindings_.begin(), bindings_.end(), [&](const RteAnchor& b) { return b.offset > start; });
            bindings_.insert(at, RteAnchor{start, rect});
        }
    }

    void Shift(int32_t at, int32_t delta)
    {
        if (delta < 0)
            std::erase_if(bindings_, [&](const RteAnchor& b) { return b.offset >= at && b.offset < at - delta; });
        for (RteAnchor& b : bindings_)
            b.offset = RteShiftedOffset(b.offset, at, delta, true);
    }

    std::string Problems(RteHandle doc) const
    {
        RteHandle table = DocumentOf(doc).anchors;
        std::vector<RteAnchor> kept = table ? Elements<RteAnchor>(table) : std::vector<RteAnchor>{};
        if (kept.size() != bindings_.size())
            return "bindings: " + std::to_string(kept.size()) + " for " + std::to_string(bindings_.size());
        for (size_t i = 0; i < kept.size(); ++i)
            if (kept[i].offset != bindings_[i].offset || kept[i].rect != bindings_[i].rect)
                return "binding " + std::to_string(i) + " at " + std::to_string(kept[i].offset);
        return "";
    }

private:
    std::vector<RteAnchor> bindings_;
};

// The offsets a backspace (or forward delete) at the caret deletes: one character and the hidden
// text stepped over on the way, less that hidden text.
std::vector<int32_t> KeyDeletes(RteHandle doc, int32_t caret, int32_t length, bool back)
{
    int32_t direction = back ? -1 : 1;
    int32_t at = caret + direction;
    while (at > 0 && at < length && RteHiddenAt(doc, back ? at : at - 1))
        at += direction;
    at = std::clamp(at, 0, length);
    std::vector<int32_t> deleted;
    for (int32_t i = std::min(at, caret); i < std::max(at, caret); ++i)
        if (!RteHiddenAt(doc, i))
            deleted.push_back(i);
    return deleted;
}

int g_fills = 0;

intptr_t CountingFill(RteHandle doc, void* builder)
{
    ++g_fills;
    return RteDefaultFillLine(doc, builder);
}

std::vector<intptr_t> g_postLayoutModes;

intptr_t NotePostLayout(RteHandle, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t mode)
{
    g_postLayoutModes.push_back(mode);
    return 0;
}

TEST_F(EditingTest, AnEditLaysOutItsParagraphAndTakesTheLinesAfterItBack)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line " + std::to_string(i) + "\r";
    RteHandle doc = MakeDocument(text);
    RteRect wrap{0, 0, 100000, 200};
    RteSetRectList(RteWrapArea(doc), &wrap);
    RteLocked<RteDocument>(doc)->hooks.postLayout = NotePostLayout;
    g_postLayoutModes.clear();
    RteLayoutDocument(doc);
    EXPECT_EQ(std::vector<intptr_t>{5}, g_postLayoutModes) << "a full layout";
    RteLocked<RteDocument>(doc)->hooks.fillLine = CountingFill;
    g_fills = 0;
    g_postLayoutModes.clear();
    Insert(doc, "x", 8);
    RteLayoutDocument(doc);
    EXPECT_EQ(1, g_fills) << "the edited line alone";
    EXPECT_EQ(std::vector<intptr_t>{4}, g_postLayoutModes) << "told of a quick re-flow";
    EXPECT_EQ("", ReflowProblems(doc));
    g_fills = 0;
    g_postLayoutModes.clear();
    RteRange second = {9, 10};
    RteDeleteRange(doc, &second, 0);
    Insert(doc, "yy", 20);
    RteLayoutDocument(doc);
    EXPECT_EQ(40, g_fills) << "after two edits every line is built again";
    EXPECT_EQ(std::vector<intptr_t>{5}, g_postLayoutModes);
    EXPECT_EQ("", ReflowProblems(doc));
}

TEST_F(EditingTest, SeededEditsKeepEveryTableInStepWithAPlainModel)
{
    RangeModel marks;
    BindingModel bindings;
    const unsigned seed = 20261211;
    std::mt19937 random(seed);
    RteHandle doc = MakeDocument();
    std::string model;
    auto pick = [&](int32_t n) { return static_cast<int32_t>(random() % static_cast<unsigned>(n + 1)); };
    for (int step = 0; step < 3000; ++step) {
        int32_t length = static_cast<int32_t>(model.size());
        switch (random() % 10) {
        case 7: {
            int32_t at = pick(length);
            auto rect = static_cast<int16_t>(random() % 4);
            RteBindParagraph(doc, at, rect, 0);
            bindings.Bind(model, at, rect);
            break;
        }
        case 8: {
            RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_HIDDEN_TEXT);
            RteCharStyle style = {}, mask;
            RteClearCharStyle(&mask, 0);
            style.hidden = static_cast<int16_t>(random() % 3 == 0 ? 0 : 1);
            mask.hidden = -1;
            int32_t a = pick(length);
            RteRange range = {a, std::min(length, a + pick(3))};
            RteSetCharStyle(doc, &range, &style, &mask, 0);
            break;
        }
        case 9:
            RteInsertBreakPair(doc, pick(length), static_cast<int16_t>(random() % 2));
            break;
        case 6: {
            int32_t a = pick(length), b = pick(length);
            if (a == b)
                break;
            RteRange range = {std::min(a, b), std::max(a, b)};
            RteAddMarkRange(doc, &range, "mark", nullptr, 1, 0);
            marks.Add({range.start, range.end});
            break;
        }
        case 0:
        case 1: {
            std::string text(static_cast<size_t>(1 + pick(random() % 50 == 0 ? 6000 : 20)), 'x');
            for (char& c : text)
                c = "abc \r"[random() % 5];
            int32_t at = pick(length);
            Insert(doc, text, at);
            model.insert(static_cast<size_t>(at), text);
            marks.Shift(at, static_cast<int32_t>(text.size()));
            bindings.Shift(at, static_cast<int32_t>(text.size()));
            break;
        }
        case 2: {
            int32_t a = pick(length), b = pick(length);
            RteRange range = {std::min(a, b), std::max(a, b)};
            RteDeleteRange(doc, &range, 0);
            model.erase(static_cast<size_t>(range.start), static_cast<size_t>(range.end - range.start));
            marks.Shift(range.start, range.start - range.end);
            bindings.Shift(range.start, range.start - range.end);
            break;
        }
        case 3: {
            int32_t at = pick(length);
            RteSetCaretQuiet(doc, at);
            bool back = random() % 2 == 0;
            std::vector<int32_t> deleted = KeyDeletes(doc, at, length, back);
            Insert(doc, back ? "\b" : "\x7F", -1, RTE_KEYS_TYPED);
            // From the last, so that each offset still names its byte.
            for (auto i = deleted.rbegin(); i != deleted.rend(); ++i) {
                model.erase(static_cast<size_t>(*i), 1);
                marks.Shift(*i, -1);
                bindings.Shift(*i, -1);
            }
            break;
        }
        case 4: {
            RteCharStyle style = {}, mask;
            RteClearCharStyle(&mask, 0);
            style.bold = static_cast<int16_t>(random() % 2);
            mask.bold = -1;
            int32_t a = pick(length), b = pick(length);
            RteRange range = {std::min(a, b), std::max(a, b)};
            RteSetCharStyle(doc, &range, &style, &mask, 0);
            break;
        }
        default: {
            int32_t a = pick(length), b = pick(length);
            RteSetSelection(doc, a, b, 0, 0);
            RteSetSelection(doc, pick(length), pick(length), RTE_SELECT_ADD, 0);
            break;
        }
        }
        std::string problems = Problems(doc, model);
        ASSERT_EQ("", problems) << "seed " << seed << " step " << step;
        ASSERT_EQ("", marks.Problems(doc, static_cast<int32_t>(model.size()))) << "seed " << seed << " step " << step;
        ASSERT_EQ("", bindings.Problems(doc)) << "seed " << seed << " step " << step;
        // Laid out after every edit, so that the lines after it are taken back.
        ASSERT_EQ("", ReflowProblems(doc)) << "seed " << seed << " step " << step;
        if (step % 10 == 0) {
            ASSERT_EQ("", LayoutProblems(doc)) << "seed " << seed << " step " << step;
        }
    }
}

}  // namespace

namespace {

class TypeaheadTest : public DocumentTest {
protected:
    static int32_t Type(RteHandle doc, const std::string& text, int32_t keys, int16_t redraw = 1)
    {
        return RteInsertText(doc, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int32_t>(text.size()),
                             -1, keys, 0, redraw);
    }
};

TEST_F(TypeaheadTest, BufferedKeysWaitForTheFlush)
{
    RteHandle doc = MakeDocument("[]");
    RteSetCaretQuiet(doc, 1);
    EXPECT_EQ(0, Type(doc, "ab", RTE_KEYS_BUFFERED));
    EXPECT_EQ(0, Type(doc, "c", RTE_KEYS_TYPED)) << "bytes already wait: these wait too";
    EXPECT_EQ("[]", DocumentText(doc));
    EXPECT_EQ(1, RteFlushTypeahead(doc));
    EXPECT_EQ("[abc]", DocumentText(doc));
    EXPECT_EQ(0, RteFlushTypeahead(doc)) << "nothing waits any more";
}

TEST_F(TypeaheadTest, ControlKeysAndOtherEditsFlushFirst)
{
    RteHandle doc = MakeDocument("[]");
    RteSetCaretQuiet(doc, 1);
    Type(doc, "ab", RTE_KEYS_BUFFERED);
    EXPECT_EQ(1, Type(doc, "\b", RTE_KEYS_BUFFERED)) << "a control key is never buffered";
    EXPECT_EQ("[a]", DocumentText(doc));
    Type(doc, "x", RTE_KEYS_BUFFERED);
    const uint8_t y = 'y';
    RteInsertText(doc, &y, 1, 0, RTE_KEYS_NONE, 0, 0);
    EXPECT_EQ("y[ax]", DocumentText(doc));
    EXPECT_EQ(1, Type(doc, "z", RTE_KEYS_BUFFERED, 0)) << "without redraw nothing waits";
}

}  // namespace

namespace {

// The idle call needs the device's blink clock: the engine on GDI.
using IdleTest = GdiDocumentTest;

TEST_F(IdleTest, IdleFlushesWaitingKeysUnlessInactive)
{
    RteHandle doc = MakeDocument("[]");
    RteSetCaretQuiet(doc, 1);
    const uint8_t keys[] = {'o', 'k'};
    RteInsertText(doc, keys, 2, -1, RTE_KEYS_BUFFERED, 0, 1);
    RteLocked<RteDocument>(doc)->flags |= RTE_DOC_INACTIVE_FIRST;
    EXPECT_EQ(0, RteIdle(doc));
    EXPECT_EQ("[]", DocumentText(doc));
    RteLocked<RteDocument>(doc)->flags &= ~RTE_DOC_INACTIVE_FIRST;
    EXPECT_EQ(1, RteIdle(doc));
    EXPECT_EQ("[ok]", DocumentText(doc));
    EXPECT_EQ(0, RteIdle(doc));
}

}  // namespace

namespace {

using ArrowTest = DocumentTest;

TEST_F(ArrowTest, UpAndDownKeepTheCaretsColumn)
{
    // Lines of "abcd " in a column of 25: the caret at offset 7 stands at x 10 of the second.
    RteHandle doc = MakeDocument("abcd abcd abcd");
    RteRect wrap{0, 0, 500, 25};
    RteSetRectList(RteWrapArea(doc), &wrap);
    RteSetCaretQuiet(doc, 7);
    const uint8_t up = RTE_KEY_UP, down = RTE_KEY_DOWN;
    RteInsertText(doc, &up, 1, -1, RTE_KEYS_TYPED, 0, 0);
    int32_t start = 0, end = 0;
    RteGetSelection(doc, &start, &end);
    EXPECT_EQ(2, start);
    RteInsertText(doc, &up, 1, -1, RTE_KEYS_TYPED, 0, 0);
    RteGetSelection(doc, &start, &end);
    EXPECT_EQ(0, start) << "above the first line: the text's start";
    RteSetCaretQuiet(doc, 7);
    RteInsertText(doc, &down, 1, -1, RTE_KEYS_TYPED, 0, 0);
    RteGetSelection(doc, &start, &end);
    EXPECT_EQ(12, start);
    RteInsertText(doc, &down, 1, -1, RTE_KEYS_TYPED, 0, 0);
    RteGetSelection(doc, &start, &end);
    EXPECT_EQ(14, start) << "below the last line: the text's end";
}

}  // namespace
