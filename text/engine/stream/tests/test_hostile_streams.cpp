// Hostile streams, read from memory that ends where a page no one may read begins: every
// truncation of a small stream, absurd lengths and counts, bad headers, overlong names, wild
// indexes and thousands of seeded mutations end with a code, and the document stays usable.
#include <gtest/gtest.h>

#include <random>

#include "guarded_blocks.h"
#include "rte_io.h"
#include "rte_link_range.h"
#include "rte_text_blocks.h"
#include "rte_record_codec.h"
#include "stream_fixture.h"
#include "style_checks.h"

namespace {

class HostileTest : public StreamTest {
protected:
    // Every block of the engine ends at a page no one may read, from before the memory
    // context is made until after it is gone.
    GuardedBlocks guarded_;

    // Reads the bytes into a new document: a code the drivers give, nothing left locked, the
    // runs whole, and the document saved again.
    uint16_t Survives(const Bytes& bytes, const std::string& why)
    {
        uint16_t code = 0;
        RteHandle doc = Load(bytes, &code);
        EXPECT_TRUE(code == 0 || code == RTE_ERR_STREAM_DAMAGED || code == RTE_ERR_EMPTY_STREAM) << why << ": " << code;
        EXPECT_EQ(0, LockedHandles()) << why;
        std::string problems = RunProblems(doc);
        EXPECT_EQ(std::string::npos, problems.find("run")) << why << ": " << problems;
        EXPECT_EQ(std::string::npos, problems.find("counts")) << why << ": " << problems;
        uint16_t saved = 1;
        Bytes again = Save(doc, nullptr, 0, &saved);
        EXPECT_EQ(0, saved) << why;
        uint16_t reread = 1;
        RteDocDestroy(Load(again, &reread));
        EXPECT_EQ(0, reread) << why << ": what a damaged stream left is a sound document";
        RteDocDestroy(doc);
        return code;
    }
};

Bytes Record(int16_t type, int32_t value, RteBodyWriter& body, int32_t length = -1)
{
    body.Close();
    Bytes bytes = BytesOf(RteFormatHeader({type, length < 0 ? static_cast<int32_t>(body.bytes().size()) : length, value}));
    bytes.insert(bytes.end(), body.bytes().begin(), body.bytes().end());
    return bytes;
}

Bytes StartRecord()
{
    RteBodyWriter body;
    body.Short(0x77AA);
    return Record(RTE_RECORD_START, 0x20001, body);
}

Bytes Stream(std::initializer_list<Bytes> records)
{
    Bytes bytes = StartRecord();
    for (const Bytes& record : records)
        bytes.insert(bytes.end(), record.begin(), record.end());
    return bytes;
}

template <class Fill>
Bytes RecordOf(int16_t type, int32_t value, Fill fill, int32_t length = -1)
{
    RteBodyWriter body;
    fill(body);
    return Record(type, value, body, length);
}

// A good stream with one more record before its end record.
Bytes BeforeEnd(const Bytes& good, const Bytes& record)
{
    Bytes bytes(good.begin(), good.end() - 26);
    bytes.insert(bytes.end(), record.begin(), record.end());
    bytes.insert(bytes.end(), good.end() - 26, good.end());
    return bytes;
}

TEST_F(HostileTest, TheGuardStandsRightBehindTheSource)
{
    Bytes bytes = BytesOf("0123456789");
    GuardedBytes guarded(bytes.data(), bytes.size());
    RteBodyReader reader(guarded.data(), guarded.size());
    EXPECT_EQ(0, reader.Long());
    EXPECT_TRUE(reader.failed()) << "'0' is no code";
    EXPECT_EQ(bytes.back(), guarded.data()[guarded.size() - 1]);
}

TEST_F(HostileTest, EveryTruncationOfASmallStreamEndsWithACode)
{
    RteRegisterRecordType(&env_, RTE_REC_LINES, nullptr, nullptr, nullptr, nullptr);
    RteHandle doc = MakeRichDocument();
    Bytes whole = Save(doc);
    for (size_t size = 0; size < whole.size(); ++size)
        Survives(Bytes(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(size)), "cut at " + std::to_string(size));
}

RteHandle g_subDocument;

// Takes the records of every sub-document into the test's second document.
uint16_t TakeSubDocument(RteHandle, int16_t, RteHandle, int32_t*, intptr_t argument, int32_t*)
{
    *reinterpret_cast<RteHandle*>(argument) = g_subDocument;
    return 1;
}

TEST_F(HostileTest, EveryTruncationOfAStreamWithASubDocumentEndsWithACode)
{
    RteRegisterRecordType(&env_, RTE_REC_SUBDOCUMENT, TakeSubDocument, nullptr, nullptr, nullptr);
    RteHandle target = RteAlloc(&context_, 1, 0, 256, false);
    auto reference = reinterpret_cast<intptr_t>(target);
    int32_t position = 0;
    RteHandle main = MakeDocument("main");
    ASSERT_EQ(0, RteSaveDoc(main, &position, nullptr, 0, RteMemWriter, reference, 0));
    ASSERT_EQ(0, RteSaveDoc(MakeRichDocument(), &position, nullptr, 0, RteMemWriter, reference, 3));
    ASSERT_EQ(0, RteSaveDocEnd(main, &position, RteMemWriter, reference));
    Bytes whole = Contents(target);
    RteFree(target);
    for (size_t size = 0; size < whole.size(); size += 7) {
        g_subDocument = RteNewDocument(&env_);
        Survives(Bytes(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(size)), "cut at " + std::to_string(size));
        EXPECT_EQ("", RunProblems(g_subDocument)) << size;
        RteDocDestroy(g_subDocument);
    }
    g_subDocument = RteNewDocument(&env_);
    EXPECT_EQ(0, Survives(whole, "whole"));
    EXPECT_EQ(RteTextLength(MakeRichDocument()), RteTextLength(g_subDocument)) << "the sub-document read whole";
    RteDocDestroy(g_subDocument);
}

TEST_F(HostileTest, HeadersThatDoNotFitTheStreamAreRefused)
{
    Bytes settings = Save(MakeDocument("abc"));
    Bytes tail(settings.begin() + 26, settings.end());
    struct Case {
        Bytes bytes;
        const char* why;
    } cases[] = {
        {Stream({BytesOf("0000FFFFFFFF00000000")}), "a body longer than the stream"},
        {Stream({BytesOf("000080000000000000000")}), "a negative length"},
        {Stream({BytesOf("00000000000g00000000\x03")}), "a lower-case digit"},
        {Stream({BytesOf("0000 000000100000000\x03")}), "a blank in a header"},
        {Stream({BytesOf("0000000001")}), "a header cut short"},
        {BytesOf("FFFF0000000700020001\x01" "77AA\x03"), "a start body longer than the stream"},
        {RecordOf(RTE_REC_TEXT, 0, [](RteBodyWriter& b) { b.Bytes("abc", 3); }), "a first record of type 2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RTE_ERR_STREAM_DAMAGED, Survives(c.bytes, c.why)) << c.why;
    Survives(tail, "records without a start");
}

TEST_F(HostileTest, AbsurdCountsAndBadItemsAreRefusedBeforeATableGrows)
{
    auto runs = [](RteBodyWriter& b) {
        b.Long(0);
        b.Short(0);
    };
    auto bigString = [](RteBodyWriter& b) {
        b.Long(0);
        Bytes huge(5000, 'n');
        b.Bytes(huge.data(), huge.size());
    };
    struct Case {
        Bytes bytes;
        const char* why;
    } cases[] = {
        {Stream({RecordOf(RTE_REC_CHAR_RUNS, 0x7FFFFFFF, runs)}), "a count of runs far above the body"},
        {Stream({RecordOf(RTE_REC_CHAR_RUNS, -5, runs)}), "a negative count"},
        {Stream({RecordOf(RTE_REC_BLOCKS, 1000000, runs)}), "a million blocks"},
        {Stream({RecordOf(RTE_REC_CHAR_STYLES, 60000, bigString)}), "styles of a long string"},
        {Stream({RecordOf(RTE_REC_VALUES_A, 3, [](RteBodyWriter& b) { b.Long(1); })}), "fewer values than counted"},
        {Stream({RecordOf(RTE_REC_BLOCKS, 1, [](RteBodyWriter& b) { b.Long(10); b.Long(2); })}), "a block ending before it starts"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RTE_ERR_STREAM_DAMAGED, Survives(c.bytes, c.why)) << c.why;
}

TEST_F(HostileTest, OverlongNamesAreClampedToTheirFields)
{
    Bytes longName(500, 'F');
    Bytes bytes = Stream({RecordOf(RTE_REC_FONTS, 1, [&](RteBodyWriter& b) {
        b.Bytes(longName.data(), longName.size());
        b.Bytes(longName.data(), longName.size());
        for (int i = 0; i < 4; ++i)
            b.Short(0);
        for (int i = 0; i < 12; ++i)
            b.Long(0);
        b.Short(0);
    })});
    EXPECT_EQ(0, Survives(bytes, "a font name of 500 bytes"));
    uint16_t code = 1;
    RteHandle doc = Load(bytes, &code);
    RteFont font = Elements<RteFont>(DocumentOf(doc).fonts)[0];
    EXPECT_EQ(std::string(63, 'F'), std::string(font.name)) << "64 bytes, the last one ending the name";

    Bytes named = Stream({RecordOf(RTE_REC_NAMED, 1, [&](RteBodyWriter& b) {
        b.Bytes(longName.data(), longName.size());
        b.Short(1);
        b.Short(1);
    })});
    EXPECT_EQ(0, Survives(named, "a named entry of 500 bytes"));
}

TEST_F(HostileTest, WildIndexesAndOffsetsAreBroughtIntoRange)
{
    Bytes good = Save(MakeDocument("abcdef"));
    auto with = [&](const Bytes& record) { return BeforeEnd(good, record); };
    struct Case {
        Bytes bytes;
        const char* why;
    } cases[] = {
        {with(RecordOf(RTE_REC_CHAR_RUNS, 3, [](RteBodyWriter& b) {
             b.Long(0), b.Short(9999), b.Long(-40), b.Short(0), b.Long(0x7FFFFFF0), b.Short(3);
         })), "runs naming missing styles at wild offsets"},
        {with(RecordOf(RTE_REC_PAR_RUNS, 2, [](RteBodyWriter& b) { b.Long(5), b.Short(-1), b.Long(3), b.Short(7); })),
         "paragraph runs out of order"},
        {with(RecordOf(RTE_REC_SELECTION, 3, [](RteBodyWriter& b) {
             for (int i = 0; i < 3; ++i)
                 b.Long(1000000 * (i - 1)), b.Long(0), b.Long(0), b.Long(0), b.Long(0), b.Short(0), b.Long(0), b.Long(0), b.Short(0);
         })), "a selection past the text and an odd count"},
        {with(RecordOf(RTE_REC_TEXT, 0x7FFFFFF0, [](RteBodyWriter& b) { b.Bytes("far", 3); })), "text far past the end"},
        {with(RecordOf(RTE_REC_TEXT, -7, [](RteBodyWriter& b) { b.Bytes("neg", 3); })), "text at a negative offset"},
        {with(RecordOf(RTE_REC_POINTS, 0, [](RteBodyWriter&) {})), "an empty point list"},
    };
    for (const Case& c : cases)
        Survives(c.bytes, c.why);
}

// A link range of the stream: start, end, four style ids, the name's length and its bytes.
void WriteRange(RteBodyWriter& b, int32_t start, int32_t end, int32_t length, const std::string& name)
{
    b.Long(start), b.Long(end);
    for (int i = 0; i < 4; ++i)
        b.Short(i);
    b.Long(length);
    b.Bytes(name.data(), name.size());
}

// A line record: five shorts and a rect.
void WriteLine(RteBodyWriter& b, int32_t offset, int32_t flags, int32_t container)
{
    b.Short(offset), b.Short(0), b.Short(0), b.Short(flags), b.Short(container);
    for (int i = 0; i < 4; ++i)
        b.Long(i * 7);
}

TEST_F(HostileTest, LinkRangesAndLinesFromAStreamFitTheText)
{
    Bytes good = Save(MakeDocument("abcdef"));
    auto with = [&](const Bytes& record) { return BeforeEnd(good, record); };
    std::string longName(300, 'x');
    struct Case {
        Bytes bytes;
        std::string links;  // start-end of each range the table keeps, its sentinel included
        bool relayout;      // the block's lines are to be built again
        const char* why;
    } cases[] = {
        {with(RecordOf(RTE_REC_LINKS_A, 4, [&](RteBodyWriter& b) {
             WriteRange(b, -5, 3, 1, "a");
             WriteRange(b, 2, 100000, 3, longName);  // the length says 3, the bytes are 300
             WriteRange(b, 1, 2, 0, "");             // ends before the range before it
             WriteRange(b, 0, 0, 0, "");
         })), "0-3 2-6 8-8 ", true, "ranges outside the text and out of order"},
        {with(RecordOf(RTE_REC_LINKS_B, 2, [&](RteBodyWriter& b) {
             WriteRange(b, 4, 4, 1, "e");
             WriteRange(b, 9, 9, 0, "");
         })), "8-8 ", true, "a range holding no text"},
        {with(RecordOf(RTE_REC_LINES, 0, [](RteBodyWriter& b) {
             WriteLine(b, 0, 0x400, 0);
             WriteLine(b, 5000, 0x400, 0);
             WriteLine(b, 0, 0xFFFF, 0);
         })), "8-8 ", true, "a line past its block"},
        {with(RecordOf(RTE_REC_LINES, 0, [](RteBodyWriter& b) { WriteLine(b, 0, 0x400, 0); })), "8-8 ", true,
         "lines without their closing entry"},
        {with(RecordOf(RTE_REC_LINES, 0, [](RteBodyWriter& b) {
             WriteLine(b, 0, 0x400, -3);
             WriteLine(b, 0, 0xFFFF, 0);
         })), "8-8 ", true, "a line in a negative container"},
        {with(RecordOf(RTE_REC_LINES, 0, [](RteBodyWriter& b) {
             WriteLine(b, 0, 0x400, 0);
             WriteLine(b, 3, 0x400, 0);
             WriteLine(b, 0, 0xFFFF, 0);
         })), "8-8 ", false, "lines that fit"},
        {with(RecordOf(RTE_REC_LINES, 77, [](RteBodyWriter& b) {
             WriteLine(b, 0, 0x400, 0);
             WriteLine(b, 0, 0xFFFF, 0);
         })), "8-8 ", true, "lines of no block"},
    };
    RteRegisterRecordType(&env_, RTE_REC_LINES, nullptr, nullptr, nullptr, nullptr);
    for (const Case& c : cases) {
        EXPECT_EQ(0, Survives(c.bytes, c.why)) << c.why;
        uint16_t code = 1;
        RteHandle back = Load(c.bytes, &code);
        RteDocument d = DocumentOf(back);
        bool marks = std::string(c.why) == "a range holding no text";
        std::string kept;
        for (const RteLinkRange& range : Elements<RteLinkRange>(d.linkRanges[marks ? 1 : 0]))
            kept += std::to_string(range.start) + "-" + std::to_string(range.end) + " ";
        EXPECT_EQ(c.links, kept) << c.why;
        EXPECT_EQ(c.relayout, (Elements<RteTextBlock>(d.blocks)[0].flags & RTE_BLOCK_RELAYOUT) != 0) << c.why;
        RteDocDestroy(back);
    }
}

TEST_F(HostileTest, StylesWhoseObjectMetNoObjectRecordLoseIt)
{
    RteHandle doc = MakeDocument("[]");
    {
        RteLocked<RteDocument> d(doc);
        RteLocked<RteCharStyle>(d->charStyles)[0].object = reinterpret_cast<intptr_t>(&context_);
    }
    Bytes bytes = Save(doc);
    EXPECT_EQ(0, Survives(bytes, "object styles without type-20 records"));
    uint16_t code = 1;
    RteHandle back = Load(bytes, &code);
    RteCharStyle style = Elements<RteCharStyle>(DocumentOf(back).charStyles)[0];
    EXPECT_EQ(0, style.object);
    EXPECT_EQ(env_.defaultStyle.hooks.draw, style.hooks.draw) << "the object hooks go with the object";
}

TEST_F(HostileTest, ThousandsOfSeededMutationsEndWithACode)
{
    RteRegisterRecordType(&env_, RTE_REC_LINES, nullptr, nullptr, nullptr, nullptr);
    Bytes whole = Save(MakeRichDocument());
    std::mt19937 random(20261211);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes = whole;
        int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i) {
            size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0:
                bytes[at] = static_cast<uint8_t>(random());
                break;
            case 1:
                bytes[at] = "0123456789ABCDEF\x01\x02\x03\x81\xC2,-"[random() % 22];
                break;
            case 2:
                bytes.erase(bytes.begin() + static_cast<ptrdiff_t>(at));
                break;
            default:
                bytes.insert(bytes.begin() + static_cast<ptrdiff_t>(at), static_cast<uint8_t>(random()));
                break;
            }
        }
        Survives(bytes, "round " + std::to_string(round));
        if (HasFailure())
            break;
    }
}

}  // namespace
