// Streams written by older versions of the engine (fixtures/make_old_streams.py): each version
// branch of the reader takes the fields that version wrote and no more.
#include <gtest/gtest.h>

#include "rte_line_piece.h"
#include "rte_link_range.h"
#include "rte_text_blocks.h"
#include "stream_fixture.h"

namespace {

using OldVersionTest = StreamTest;

TEST_F(OldVersionTest, EachVersionReadsTheFieldsItWrote)
{
    struct Case {
        const char* name;
        int32_t twelfthLong;   // the character style's twelfth long, from 0x1000F
        uint32_t styleBits;    // from 0x10000
        int16_t unit41;        // from 0x10010
        int32_t nameIndex;     // from 0x10013
        int32_t rightIndent;   // the format's fourth long, from 0x1000B
        int16_t shortAfterTabs;  // from 0x1000C
        const char* altName;   // the font's second name, from 0x1000E
        int32_t primary;       // up to 0x10011 only the low byte of a plain kind's value (below 0x100 the kind is 257)
        bool fontFlag2;        // cleared below 0x100
    } cases[] = {
        {"v00007", 0, 0, 0, 0, 0, 0, "", 0x1FF, false},
        {"v000FF", 0, 0, 0, 0, 0, 0, "", 0x1FF, false},
        {"v00100", 0, 0, 0, 0, 0, 0, "", 0xFF, true},
        {"v1000B", 0, 0x1000, 0, 0, 720, 0, "", 0xFF, true},
        {"v1000C", 0, 0x1000, 0, 0, 720, 12, "", 0xFF, true},
        {"v1000E", 0, 0x1000, 0, 0, 720, 12, "Helvetica", 0xFF, true},
        {"v1000F", 5, 0x1000, 0, 0, 720, 12, "Helvetica", 0xFF, true},
        {"v1000F-190", 0, 0x1000, 0, 0, 720, 12, "Helvetica", 0xFF, true},
        {"v10010", 5, 0x1000, 41, 0, 720, 12, "Helvetica", 0xFF, true},
        {"v10011", 5, 0x1000, 41, 0, 720, 12, "Helvetica", 0xFF, true},
        {"v10013", 5, 0x1000, 41, 3, 720, 12, "Helvetica", 0x1FF, true},
        {"v10017", 5, 0x1000, 41, 3, 720, 12, "Helvetica", 0x1FF, true},
        {"v20000", 5, 0x1000, 41, 3, 720, 12, "Helvetica", 0x1FF, true},
    };
    for (const Case& c : cases) {
        Bytes bytes = OldStream(c.name);
        ASSERT_FALSE(bytes.empty()) << c.name;
        uint16_t code = 1;
        RteHandle doc = Load(bytes, &code);
        ASSERT_EQ(0, code) << c.name;
        RteDocument d = DocumentOf(doc);
        EXPECT_EQ(8, d.textLength) << c.name;
        EXPECT_EQ(120, d.scroll.v) << c.name << ": the scroll position becomes the current one";
        EXPECT_EQ(0u, d.flags & 0x00250000) << c.name << ": flags a stream may not set";
        EXPECT_EQ(RTE_STREAM_VERSION, d.version) << c.name;
        EXPECT_EQ(0, d.hostRef) << c.name << ": the stored host value is not read back";

        auto styles = Elements<RteCharStyle>(d.charStyles);
        ASSERT_EQ(2u, styles.size()) << c.name;
        EXPECT_EQ(-1, styles[1].bold) << c.name;
        EXPECT_EQ(14 << 16, styles[1].pointSize) << c.name;
        EXPECT_EQ(c.twelfthLong, styles[1].units16to25[1]) << c.name;
        EXPECT_EQ(c.styleBits, styles[1].styleBits) << c.name;
        EXPECT_EQ(c.unit41, styles[1].units38to42[3]) << c.name;
        EXPECT_EQ(c.nameIndex, styles[1].nameIndex) << c.name;
        EXPECT_EQ("0:0 3:1 10:1 ", CharRuns(doc)) << c.name;

        RteParFormat format = Elements<RteParFormat>(d.parFormats)[0];
        EXPECT_EQ(360, format.leftIndent) << c.name;
        EXPECT_EQ(c.rightIndent, format.rightIndent) << c.name;
        ASSERT_EQ(1, format.tabCount) << c.name;
        EXPECT_EQ(1440, format.tabs[0].position) << c.name;
        EXPECT_EQ(46, format.tabs[0].leader) << c.name;
        EXPECT_EQ(c.shortAfterTabs, format.units2to6[2]) << c.name;
        // Fields that held references: 4-byte strings in version 0x1000B, longs elsewhere.
        EXPECT_EQ(142, format.value142) << c.name;
        EXPECT_EQ(9, format.tabs[0].value) << c.name;

        RteFont font = Elements<RteFont>(d.fonts)[0];
        EXPECT_STREQ("Arial", font.name) << c.name;
        EXPECT_STREQ(c.altName, font.altName) << c.name;
        EXPECT_EQ(c.primary, font.values[1]) << c.name;
        EXPECT_EQ(0x66, font.values[2]) << c.name;
        EXPECT_EQ(c.fontFlag2, (font.nameFlags & 0x2) != 0) << c.name;
        RteDocDestroy(doc);
    }
}

TEST_F(OldVersionTest, TheCurrentVersionBringsItsLinesAndLinkRangesAndSkipsAnUntakenSubDocument)
{
    RteRegisterRecordType(&env_, RTE_REC_LINES, nullptr, nullptr, nullptr, nullptr);
    uint16_t code = 1;
    RteHandle doc = Load(OldStream("v20001-lines-links"), &code);
    ASSERT_EQ(0, code);
    RteDocument d = DocumentOf(doc);
    EXPECT_EQ(22, d.textLength) << "the sub-document's text went nowhere";
    RteTextBlock block = Elements<RteTextBlock>(d.blocks)[0];
    EXPECT_FALSE(block.flags & RTE_BLOCK_RELAYOUT);
    auto pieces = Elements<RteLinePiece>(block.lines);
    ASSERT_EQ(3u, pieces.size());
    EXPECT_EQ(8, pieces[1].offset);
    EXPECT_EQ(1, pieces[1].container);
    EXPECT_EQ(200, pieces[1].rect.right);
    EXPECT_EQ(RTE_PIECE_SENTINEL, pieces[2].flags);

    auto links = Elements<RteLinkRange>(d.linkRanges[0]);
    ASSERT_EQ(3u, links.size());
    EXPECT_EQ(5, links[0].start);
    EXPECT_EQ(13, links[0].end);
    EXPECT_STREQ("chap", links[0].name);
    EXPECT_EQ(12, links[0].kindStyles[1]);
    ASSERT_NE(nullptr, links[1].nameHandle) << "a name of 69 characters goes into a handle";
    EXPECT_EQ("chapitre-" + std::string(60, '2'), std::string(RteLocked<char>(links[1].nameHandle).get()));
    EXPECT_EQ(24, links[2].start);
    auto marks = Elements<RteLinkRange>(d.linkRanges[1]);
    ASSERT_EQ(2u, marks.size());
    EXPECT_STREQ("note", marks[0].name);
    EXPECT_EQ(15, marks[0].currentStyle);
    RteDocDestroy(doc);
}

}  // namespace
