// Pictures in RTF: a Windows metafile read into an embedded object, written back as the same
// bits, and pictures of kinds not kept leaving nothing behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "block_text.h"
#include "rect_list.h"
#include "rte_areas.h"
#include "rte_line_builder.h"
#include "rte_object_queries.h"
#include "rte_object_records.h"
#include "rte_text_blocks.h"
#include "rtf_fixture.h"

namespace {

// The bits of a small metafile drawn with GDI.
std::vector<uint8_t> MetafileBits()
{
    HDC dc = CreateMetaFileA(nullptr);
    Rectangle(dc, 0, 0, 40, 20);
    Ellipse(dc, 5, 5, 35, 15);
    HMETAFILE metafile = CloseMetaFile(dc);
    std::vector<uint8_t> bits(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, static_cast<UINT>(bits.size()), bits.data());
    DeleteMetaFile(metafile);
    return bits;
}

std::string Hex(const std::vector<uint8_t>& bytes, bool upper)
{
    std::string text;
    char pair[3];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(pair, sizeof pair, upper ? "%02X" : "%02x", bytes[i]);
        text += pair;
        if (i % 32 == 31)
            text += "\r\n";
    }
    return text;
}

std::vector<uint8_t> ObjectBits(RteHandle doc)
{
    RteRange all{0, RteTextLength(doc)};
    int32_t offset = 0, style = 0;
    RteHandle object = RteNthObject(doc, &all, 1, &offset, &style);
    if (!object)
        return {};
    RteObject record;
    RteGetElement(object, 0, &record);
    auto metafile = reinterpret_cast<HMETAFILE>(record.data);
    std::vector<uint8_t> bits(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, static_cast<UINT>(bits.size()), bits.data());
    return bits;
}

TEST_F(RtfTest, MetafileComesBackAsTheSameBits)
{
    std::vector<uint8_t> bits = MetafileBits();
    for (bool upper : {false, true}) {
        SCOPED_TRACE(upper ? "upper-case digits" : "lower-case digits");
        std::string rtf = "{\\rtf1 a{\\pict\\wmetafile8\\picw1058\\pich529\\picwgoal600\\pichgoal300 " +
                          Hex(bits, upper) + "}b\\par}";
        RteHandle first = Import(rtf);
        EXPECT_EQ(result_, 0);
        EXPECT_EQ(DocumentText(first), "a[]b\r");
        EXPECT_EQ(RteCountObjects(first, nullptr), 1);
        EXPECT_EQ(ObjectBits(first), bits);

        std::string written = Export(first);
        EXPECT_NE(written.find("{\\pict\\wmetafile8\\picw1058\\pich529\\picwgoal600\\pichgoal300 "), std::string::npos)
            << written;
        RteHandle second = Import(written);
        EXPECT_EQ(DocumentText(second), "a[]b\r");
        EXPECT_EQ(ObjectBits(second), bits);
        EXPECT_EQ(Export(second), written);
    }
}

TEST_F(RtfTest, MacPicturesAndObjectsKeepTheirBytes)
{
    std::string metafile = Hex(MetafileBits(), false);
    std::string rtf = "{\\rtf1 a{\\pict\\macpict\\picw20\\pich10 0011AAbb}b"
                      "{\\object\\objemb{\\*\\objclass Paint}\\objw200\\objh100{\\*\\objdata 01050000}"
                      "{\\result{\\pict\\wmetafile8\\picw10\\pich10\\picwgoal150\\pichgoal150 " + metafile + "}}}c\\par}";
    RteHandle first = Import(rtf);
    EXPECT_EQ(result_, 0);
    EXPECT_EQ(DocumentText(first), "a[]b[]c\r");
    EXPECT_EQ(RteCountObjects(first, nullptr), 2);
    std::string written = Export(first);
    std::string flat = written;
    flat.erase(std::remove(flat.begin(), flat.end(), '\r'), flat.end());
    flat.erase(std::remove(flat.begin(), flat.end(), '\n'), flat.end());
    EXPECT_NE(flat.find("{\\pict\\macpict\\picw20\\pich10 0011aabb}"), std::string::npos) << written;
    EXPECT_NE(flat.find("{\\object\\objemb{\\*\\objclass Paint}\\objw200\\objh100{\\*\\objdata 01050000}"
                           "{\\result {{\\pict\\wmetafile8\\picw10\\pich10\\picwgoal150\\pichgoal150 "),
              std::string::npos)
        << written;
    RteHandle second = Import(written);
    EXPECT_EQ(DocumentText(second), "a[]b[]c\r");
    EXPECT_EQ(Export(second), written);
}

TEST_F(RtfTest, PicturesOfOtherKindsLeaveNothing)
{
    RteHandle doc = Import("{\\rtf1 a{\\pict\\pngblip\\picw2\\pich2 89504e47}{\\pict\\jpegblip ffd8}b}");
    EXPECT_EQ(DocumentText(doc), "ab");
    EXPECT_EQ(RteCountObjects(doc, nullptr), 0);
}

// A picture read into a paragraph stands on the paragraph's line, as wide as the picture with
// its insets, with the text before and after it; a picture that opens the text comes first.
TEST_F(RtfTest, APictureInsideAParagraphLaysOutOnItsLine)
{
    std::string picture = "{\\pict\\wmetafile8\\picw1058\\pich529\\picwgoal600\\pichgoal300 " + Hex(MetafileBits(), false) + "}";
    struct Case {
        std::string rtf;
        const char* text;
        int32_t object;
    };
    const Case cases[] = {
        {"{\\rtf1 ab " + picture + " cd\\par}", "ab [] cd\r", 3},
        {"{\\rtf1 " + picture + " cd\\par}", "[] cd\r", 0},
        {"{\\rtf1 ab " + picture + "\\par}", "ab []\r", 3},
        {"{\\rtf1 ab\\par " + picture + " cd\\par}", "ab\r[] cd\r", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RteHandle doc = Import(c.rtf);
        EXPECT_EQ(result_, 0);
        EXPECT_EQ(c.text, DocumentText(doc));
        RteRect wrap{0, 0, 800, 600};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteMarkForLayout(RteLocked<RteDocument>(doc).get(), 0, RteTextLength(doc));
        RteLayoutDocument(doc);
        int32_t lines = 0, start = 0, pictureWidth = 0;
        for (const RteTextBlock& block : Elements<RteTextBlock>(DocumentOf(doc).blocks)) {
            std::vector<RteLinePiece> pieces = Elements<RteLinePiece>(block.lines);
            for (size_t i = 0; i + 1 < pieces.size(); ++i) {
                lines += (pieces[i].flags & RTE_PIECE_LINE_FIRST) ? 1 : 0;
                if (start + pieces[i].offset == c.object)
                    pictureWidth = pieces[i].rect.right - pieces[i].rect.left;
            }
            start += block.length;
        }
        int32_t paragraphs = static_cast<int32_t>(std::count(c.text, c.text + std::strlen(c.text), '\r'));
        EXPECT_EQ(paragraphs, lines);
        RteRange all{0, RteTextLength(doc)};
        int32_t offset = 0, style = 0;
        RteHandle object = RteNthObject(doc, &all, 1, &offset, &style);
        ASSERT_NE(nullptr, object);
        EXPECT_EQ(c.object, offset);
        RteObject record;
        RteGetElement(object, 0, &record);
        EXPECT_EQ(record.width + record.insets[RTE_INSET_LEFT] + record.insets[RTE_INSET_RIGHT], pictureWidth);
        EXPECT_GT(pictureWidth, 0);
    }
}

}  // namespace
