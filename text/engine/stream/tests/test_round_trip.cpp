// Documents saved and read back: every record the catalogue writes, to a file and to memory,
// a second save byte for byte the first, the save mask, bound documents, and the drivers' codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "rect_list.h"
#include "rte_io.h"
#include "rte_line_piece.h"
#include "rte_link_range.h"
#include "rte_record_codec.h"
#include "rte_text_blocks.h"
#include "stream_fixture.h"
#include "style_checks.h"
#include "scratch_dir.h"

namespace {

using RoundTripTest = StreamTest;

std::string TextOf(RteHandle handle)
{
    RteLocked<RteDocument> doc(handle);
    std::string text;
    RteLocked<RteTextBlock> blocks(doc->blocks);
    for (int32_t i = 0; i < blocks.size(); ++i) {
        if (!blocks[i].text) {
            text += "<in stream>";
            continue;
        }
        RteLocked<char> bytes(blocks[i].text);
        text.append(bytes.get(), static_cast<size_t>(blocks[i].length));
        text += "|";
    }
    return text;
}

// The types of the records in a stream, in order.
std::vector<int> RecordTypes(const Bytes& bytes)
{
    std::vector<int> types;
    size_t at = 0;
    RteRecordHeader header;
    while (at + RTE_HEADER_BYTES <= bytes.size() && RteParseHeader(bytes.data() + at, &header)) {
        types.push_back(header.type);
        at += RTE_HEADER_BYTES + static_cast<size_t>(header.length);
    }
    return types;
}

// A link or marked range as its record keeps it.
std::string RangesOf(RteHandle table)
{
    std::string text;
    for (const RteLinkRange& range : Elements<RteLinkRange>(table)) {
        std::string name = range.nameHandle ? std::string(RteLocked<char>(range.nameHandle).get())
                                            : std::string(range.name);
        text += std::to_string(range.start) + "-" + std::to_string(range.end) + " " + name + " " +
                std::to_string(range.currentStyle) + "/" + std::to_string(range.kindStyles[0]) + "," +
                std::to_string(range.kindStyles[1]) + "," + std::to_string(range.kindStyles[2]) + ";";
    }
    return text;
}

std::vector<RteLinePiece> LinesOf(RteHandle doc, int32_t block)
{
    return Elements<RteLinePiece>(Elements<RteTextBlock>(DocumentOf(doc).blocks)[static_cast<size_t>(block)].lines);
}

TEST_F(RoundTripTest, EveryRecordOfARichDocumentReadsBackAndSavesAgainByteForByte)
{
    RteHandle doc = MakeRichDocument();
    // Line records are written when the caller registers them.
    RteRegisterRecordType(&env_, RTE_REC_LINES, nullptr, nullptr, nullptr, nullptr);
    Bytes first = Save(doc);
    std::vector<int> expected = {-1, 0, 1, 2, 2, 2, 3, 3, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 19, 23, 26, 296, 297, -2};
    EXPECT_EQ(expected, RecordTypes(first));

    uint16_t code = 1;
    RteHandle back = Load(first, &code);
    ASSERT_EQ(0, code);
    EXPECT_EQ(TextOf(doc), TextOf(back));
    EXPECT_EQ(CharRuns(doc), CharRuns(back));
    EXPECT_EQ(ParRuns(doc), ParRuns(back));
    EXPECT_EQ("", RunProblems(back));
    RteDocument a = DocumentOf(doc), b = DocumentOf(back);
    EXPECT_EQ(RteCount(a.charStyles), RteCount(b.charStyles));
    EXPECT_EQ(RteCount(a.fonts), RteCount(b.fonts));
    EXPECT_STREQ("Liberation Serif", Elements<RteFont>(b.fonts).back().name);
    EXPECT_EQ(1440, Elements<RteParFormat>(b.parFormats).back().tabs[0].position);
    EXPECT_EQ(0x1234, Elements<RteCharStyle>(b.charStyles)[2].textColor.green);
    EXPECT_EQ(Elements<RteSelectPoint>(a.selection).size(), Elements<RteSelectPoint>(b.selection).size());
    EXPECT_EQ(22, Elements<RteSelectPoint>(b.selection)[3].offset);
    EXPECT_EQ(2, RteRectListCount(b.wrapArea));
    EXPECT_EQ(0, std::memcmp(&a.page, &b.page, sizeof a.page));
    EXPECT_EQ(Elements<int32_t>(a.valuesA), Elements<int32_t>(b.valuesA));
    EXPECT_EQ(Elements<int32_t>(a.valuesB), Elements<int32_t>(b.valuesB));
    EXPECT_EQ(3, RteCount(b.points));
    EXPECT_EQ(RteCount(a.styleNames), RteCount(b.styleNames));
    EXPECT_EQ(a.scroll, b.scroll);
    EXPECT_EQ("3-8 chapitre-2 11/11,12,13;20-25 " + std::string(70, 'n') + " 14/14,0,0;48-48  0/0,0,0;",
              RangesOf(b.linkRanges[0]));
    EXPECT_EQ("30-40 note 15/15,0,0;48-48  0/0,0,0;", RangesOf(b.linkRanges[1]));
    EXPECT_EQ(nullptr, Elements<RteLinkRange>(b.linkRanges[0])[0].callback) << "the table's default";
    for (int32_t i = 0; i < 3; ++i) {
        std::vector<RteLinePiece> lines = LinesOf(back, i);
        ASSERT_EQ(3u, lines.size()) << i;
        EXPECT_EQ(0, std::memcmp(LinesOf(doc, i).data(), lines.data(), 3 * sizeof(RteLinePiece))) << i;
        EXPECT_FALSE(Elements<RteTextBlock>(b.blocks)[static_cast<size_t>(i)].flags & RTE_BLOCK_RELAYOUT)
            << "block " << i << " keeps the lines it was saved with";
    }
    EXPECT_EQ(0, LockedHandles());

    Bytes second = Save(back);
    EXPECT_EQ(Printable(first), Printable(second));
}

TEST_F(RoundTripTest, AFileStreamHoldsTheSameBytesAsAMemoryStream)
{
    RteHandle doc = MakeRichDocument();
    RteRegisterRecordType(&env_, RTE_REC_LINES, nullptr, nullptr, nullptr, nullptr);
    Bytes memory = Save(doc);
    ScratchDir scratch;
    std::string path = scratch / "rich.rtd";
    RteHandle name = RteNewString(&context_, path.c_str());
    intptr_t file = 0;
    ASSERT_EQ(0, RteFileCreate(name, 0, &file));
    // The registry's default callbacks take a handle whose first element is the file.
    RteHandle reference = RteNewFromData(&context_, &file, sizeof file, 1);
    int32_t position = 0;
    ASSERT_EQ(0, RteSaveDoc(doc, &position, nullptr, 0, nullptr, reinterpret_cast<intptr_t>(reference), 0));
    ASSERT_EQ(0, RteSaveDocEnd(doc, &position, nullptr, reinterpret_cast<intptr_t>(reference)));
    ASSERT_EQ(0, RteFileClose(file));
    std::ifstream in(path, std::ios::binary);
    Bytes written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(Printable(memory), Printable(written));

    ASSERT_EQ(0, RteFileOpen(name, 0, &file));
    *static_cast<intptr_t*>(RteLock(reference)) = file;
    RteUnlock(reference);
    RteHandle back = RteNewDocument(&env_);
    position = 0;
    ASSERT_EQ(0, RteReadDoc(back, &position, nullptr, 0, nullptr, reinterpret_cast<intptr_t>(reference)));
    EXPECT_EQ(static_cast<int32_t>(written.size()), position);
    EXPECT_EQ(TextOf(doc), TextOf(back));
    EXPECT_EQ(Printable(memory), Printable(Save(back)));
    RteFileClose(file);
    RteFree(reference);
    RteFree(name);
}

TEST_F(RoundTripTest, TheSaveMaskLeavesOutItsRecords)
{
    struct Case {
        uint32_t mask;
        std::vector<int> absent;
    } cases[] = {
        {0x1, {1, 2, 3}}, {0x2, {4, 6, 8}}, {0x4, {5, 7}}, {0x8, {15}}, {0x10, {10, 16}}, {0x400, {23}},
    };
    RteHandle doc = MakeRichDocument();
    RteRegisterRecordType(&env_, RTE_REC_LINES, nullptr, nullptr, nullptr, nullptr);
    std::vector<int> all = RecordTypes(Save(doc));
    for (const Case& c : cases) {
        RteLocked<RteDocument>(doc)->saveMask = c.mask;
        std::vector<int> types = RecordTypes(Save(doc));
        for (int type : all) {
            bool left = std::find(c.absent.begin(), c.absent.end(), type) != c.absent.end();
            EXPECT_EQ(!left, std::find(types.begin(), types.end(), type) != types.end())
                << "mask " << c.mask << " type " << type;
        }
    }
}

TEST_F(RoundTripTest, ADeletedStyleIsNotWrittenAndRunsStillNameTheirStyles)
{
    RteHandle doc = MakeRichDocument();
    std::string runs = CharRuns(doc);
    {
        // A record no run names, marked deleted, in the middle of the table.
        RteLocked<RteDocument> d(doc);
        RteCharStyle spare = RteLocked<RteCharStyle>(d->charStyles)[1];
        spare.flags |= 0x8;
        spare.useCount = 0;
        *static_cast<RteCharStyle*>(RteInsert(d->charStyles, 1, 1)) = spare;
        RteUnlock(d->charStyles);
        RteLocked<RteStyleRun> entries(d->charRuns);
        for (int32_t i = 0; i < entries.size(); ++i)
            if (entries[i].index >= 1)
                ++entries[i].index;
    }
    int32_t count = RteCount(DocumentOf(doc).charStyles);
    Bytes bytes = Save(doc);
    uint16_t code = 1;
    RteHandle back = Load(bytes, &code);
    ASSERT_EQ(0, code);
    EXPECT_EQ(count - 1, RteCount(DocumentOf(back).charStyles));
    EXPECT_EQ(runs, CharRuns(back));
    EXPECT_EQ("", RunProblems(back));
}

TEST_F(RoundTripTest, TextLaidOutAtAnotherResolutionIsScaledToThePorts)
{
    RteHandle doc = MakeRichDocument();
    ASSERT_EQ(72, DocumentOf(doc).resolution);
    Bytes bytes = Save(doc);
    RteHandle back = RteNewDocument(&env_);
    RteLocked<RteDocument>(back)->port.resolution = 144;
    RteHandle source = Source(bytes);
    int32_t position = 0;
    ASSERT_EQ(0, RteReadDoc(back, &position, nullptr, 0, RteMemReader, reinterpret_cast<intptr_t>(source)));
    RteDocument b = DocumentOf(back);
    EXPECT_EQ(144, b.resolution);
    EXPECT_EQ(720, Elements<RteParFormat>(b.parFormats).back().leftIndent);
    RteRect wrap = {};
    RteRectListFirst(b.wrapArea, &wrap);
    EXPECT_EQ(800, wrap.bottom);
    EXPECT_EQ(600, wrap.right);
    for (const RteTextBlock& block : Elements<RteTextBlock>(b.blocks))
        EXPECT_TRUE(block.flags & RTE_BLOCK_RELAYOUT);
    RteDocDestroy(back);
}

TEST_F(RoundTripTest, ACaretIsOneSelectionRecordAndComesBackAsACaret)
{
    RteHandle doc = MakeDocument("abc");
    {
        RteLocked<RteSelectPoint> points(DocumentOf(doc).selection);
        points[0].offset = points[1].offset = 2;
    }
    Bytes bytes = Save(doc);
    size_t at = Printable(bytes).find("000C");
    ASSERT_NE(std::string::npos, at);
    EXPECT_EQ("00000001", Printable(bytes).substr(at + 12, 8)) << "header value 1 for a caret";
    uint16_t code = 1;
    RteHandle back = Load(bytes, &code);
    ASSERT_EQ(0, code);
    auto points = Elements<RteSelectPoint>(DocumentOf(back).selection);
    ASSERT_EQ(2u, points.size());
    EXPECT_EQ(2, points[0].offset);
    EXPECT_EQ(2, points[1].offset);
}

TEST_F(RoundTripTest, ReadingWithoutLineRecordsMarksEveryBlockForRebuilding)
{
    RteHandle doc = MakeRichDocument();
    uint16_t code = 1;
    RteHandle back = Load(Save(doc), &code);
    ASSERT_EQ(0, code);
    for (const RteTextBlock& block : Elements<RteTextBlock>(DocumentOf(back).blocks))
        EXPECT_TRUE(block.flags & RTE_BLOCK_RELAYOUT);
}

TEST_F(RoundTripTest, StreamsThatAreNoDocumentsEndWithTheirCodes)
{
    RteHandle doc = MakeDocument("abc");
    Bytes good = Save(doc);
    // A record of type 2 first, no records at all, an unknown type in the middle.
    Bytes typeTwoFirst = BytesOf("00020000000300000000");
    typeTwoFirst.insert(typeTwoFirst.end(), {0x00, '1', ','});
    typeTwoFirst.back() = ',';
    struct Case {
        Bytes bytes;
        uint16_t code;
        const char* why;
    } cases[] = {
        {typeTwoFirst, RTE_ERR_STREAM_DAMAGED, "first record of type 2"},
        {Bytes(), RTE_ERR_EMPTY_STREAM, "empty"},
        {BytesOf("FFFF0000000600020001\x01" "77AB\x03"), RTE_ERR_STREAM_DAMAGED, "bad start mark"},
    };
    for (const Case& c : cases) {
        uint16_t code = 0;
        RteHandle back = Load(c.bytes, &code);
        EXPECT_EQ(c.code, code) << c.why;
        EXPECT_EQ(0, LockedHandles()) << c.why;
        EXPECT_EQ("", RunProblems(back)) << c.why;
    }

    Bytes unknown = good;
    std::string record = "0100000000040000000A" "\x01" "5" "\x81" "\x03";
    unknown.insert(unknown.begin() + 26, record.begin(), record.end());
    uint16_t code = 1;
    RteHandle back = Load(unknown, &code);
    EXPECT_EQ(0, code) << "a type without a handler is skipped";
    EXPECT_EQ("abc|", TextOf(back));
}

TEST_F(RoundTripTest, ABoundDocumentSavedToAnotherStreamKeepsItsText)
{
    RteHandle doc = MakeRichDocument();
    {
        // Saved without its lines, as the bound document will be after its read.
        RteLocked<RteTextBlock> blocks(DocumentOf(doc).blocks);
        for (int32_t i = 0; i < blocks.size(); ++i)
            blocks[i].flags |= RTE_BLOCK_RELAYOUT;
    }
    Bytes bytes = Save(doc);
    RteHandle source = Source(bytes);
    RteHandle bound = RteNewDocument(&env_);
    int32_t position = 0;
    ASSERT_EQ(0, RteReadDocBound(bound, &position, nullptr, 0, RteMemReader, reinterpret_cast<intptr_t>(source)));
    EXPECT_EQ(1, RteIsBoundDoc(&context_, bound));
    EXPECT_EQ("<in stream><in stream><in stream>", TextOf(bound)) << "the text stays in its stream";

    // The copy holds every block's text although none was in memory.
    Bytes copy = Save(bound);
    EXPECT_EQ(Printable(bytes), Printable(copy));

    // Given up (as memory pressure does with clean text), the text comes back from the stream.
    {
        RteLocked<RteTextBlock> blocks(DocumentOf(bound).blocks);
        for (int32_t i = 0; i < blocks.size(); ++i) {
            ASSERT_FALSE(blocks[i].flags & RTE_BLOCK_DIRTY);
            RteFree(blocks[i].text);
            blocks[i].text = nullptr;
        }
    }
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(1, DocumentOf(bound).hooks.loadText(bound, i)) << i;
    EXPECT_EQ(TextOf(doc), TextOf(bound));
}

TEST_F(RoundTripTest, ProgressIsToldBeforeAndAfterEachRecord)
{
    static std::vector<std::pair<int32_t, int32_t>> seen;
    seen.clear();
    RteHandle doc = MakeRichDocument();
    RteLocked<RteDocument>(doc)->hooks.progress = [](RteHandle, int32_t mode, int32_t done, int32_t total) {
        if (mode == RTE_PROGRESS_SAVE)
            seen.emplace_back(done, total);
    };
    Save(doc);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(0, seen.front().first);
    for (size_t i = 0; i + 1 < seen.size(); ++i)
        EXPECT_LT(seen[i].first, seen[i].second) << "done stays below the total until the end";
    EXPECT_EQ(seen.back().second, seen.back().first);
}

}  // namespace

namespace {

TEST_F(RoundTripTest, SixteenBitTextAndFontNamesReadBackAsBytes)
{
    RteHandle doc = MakeRichDocument();
    {
        RteLocked<RteDocument> d(doc);
        d->flags2 |= RTE_DOC2_WIDE_TEXT | RTE_DOC2_WIDE_NAMES;
        // A character of CP1252's upper half, to be widened and narrowed again.
        RteLocked<char>(RteLocked<RteTextBlock>(d->blocks)[0].text)[1] = '\x80';
    }
    Bytes bytes = Save(doc);
    EXPECT_NE(std::string::npos, Printable(bytes).find("<00>21,<FE>F<00><AC> r<00>s<00>t<00>")) << "the euro sign as 0x20AC";
    uint16_t code = 1;
    RteHandle back = Load(bytes, &code);
    ASSERT_EQ(0, code);
    EXPECT_EQ(TextOf(doc), TextOf(back));
    EXPECT_STREQ("Liberation Serif", Elements<RteFont>(DocumentOf(back).fonts).back().name);
    EXPECT_STREQ("Times", Elements<RteFont>(DocumentOf(back).fonts).back().altName);
    EXPECT_EQ(0u, DocumentOf(back).flags2 & (RTE_DOC2_WIDE_TEXT | RTE_DOC2_WIDE_NAMES)) << "cleared after the read";
}

}  // namespace
