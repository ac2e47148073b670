// Pictures in RTF: a Windows metafile read into an embedded object, written back as the same
// bits, and pictures of kinds not kept leaving nothing behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "block_text.h"
#include "rte_object_queries.h"
#include "rte_object_records.h"
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

}  // namespace
