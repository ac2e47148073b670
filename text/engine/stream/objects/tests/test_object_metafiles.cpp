// Metafiles exported by inkscape from Debian's icons (metafiles/make_metafiles.py), played as
// kind-9 objects into a DIB section and compared cell by cell with the icon's own drawing.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "rte_io.h"
#include "rte_object_draw.h"
#include "rte_object_stream.h"
#include "object_fixture.h"
#include "test_canvas.h"

namespace {

constexpr int kSide = 200;
constexpr int kCells = 10;
constexpr size_t kPlaceableHeader = 22;

std::string ReadFile(const std::string& name)
{
    std::ifstream in(std::string(QX_METAFILES) + "/" + name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The metafile of an inkscape export, without the placeable header that files carry.
HMETAFILE LoadMetafile(const std::string& name)
{
    std::string bytes = ReadFile(name);
    if (bytes.size() <= kPlaceableHeader + sizeof(METAHEADER))
        return nullptr;
    std::string bits = bytes.substr(kPlaceableHeader);
    // inkscape counts the placeable header in the metafile's own size (in 16-bit words).
    METAHEADER header;
    std::memcpy(&header, bits.data(), sizeof header);
    header.mtSize = static_cast<DWORD>(bits.size() / 2);
    std::memcpy(bits.data(), &header, sizeof header);
    return SetMetaFileBitsEx(static_cast<UINT>(bits.size()), reinterpret_cast<const BYTE*>(bits.data()));
}

// The cells of the canvas from (left, top), '#' where more than a third is dark.
std::string Cells(const TestCanvas& canvas, int left, int top, int side = kSide)
{
    std::ostringstream map;
    int cell = side / kCells;
    for (int cy = 0; cy < kCells; ++cy) {
        for (int cx = 0; cx < kCells; ++cx) {
            int dark = 0;
            for (int y = 0; y < cell; ++y)
                for (int x = 0; x < cell; ++x) {
                    uint32_t p = canvas.Raw(left + cx * cell + x, top + cy * cell + y);
                    dark += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 600;
                }
            map << (dark * 3 > cell * cell ? '#' : '.');
        }
        map << "\n";
    }
    return map.str();
}

int Differences(const std::string& a, const std::string& b)
{
    int n = a.size() == b.size() ? 0 : 1000;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        n += a[i] != b[i];
    return n;
}

class MetafileTest : public ObjectStreamTest {
protected:
    RteHandle MetafileObject(HMETAFILE metafile, int32_t mappingMode = MM_TEXT)
    {
        RteMetafileData data = {metafile, mappingMode, kSide, kSide, {0, 0, kSide, kSide}};
        return RteNewObjectRecord(&context_, RTE_KIND_METAFILE, &data, 0);
    }

    std::string Played(RteHandle object, int left, int top, int side = kSide)
    {
        TestCanvas canvas(left + side + 20, top + side + 20);
        RtePicturePort port = {canvas.Dc(), &context_, nullptr, nullptr};
        RteRect rect = {top, left, top + side, left + side};
        RteDrawObjectDefault(&port, object, &rect);
        return Cells(canvas, left, top, side);
    }
};

TEST_F(MetafileTest, InkscapeMetafilesPlayLikeTheirIcons)
{
    for (const char* icon : {"phone-old-symbolic", "face-angry-symbolic", "emote-love-symbolic"}) {
        HMETAFILE metafile = LoadMetafile(std::string(icon) + ".wmf");
        ASSERT_NE(nullptr, metafile) << icon;
        std::string expected = ReadFile(std::string(icon) + ".cells");
        RteHandle object = MetafileObject(metafile);
        std::string drawn = Played(object, 30, 17);
        // The reference is antialiased, the platform's polygons are not: cells on an edge may
        // fall either way, a handful of the hundred.
        EXPECT_LE(Differences(expected, drawn), 5) << icon << "\nexpected\n" << expected << "drawn\n" << drawn;
    }
}

TEST_F(MetafileTest, AMappedMetafilePlaysScaledIntoTheObjectsRect)
{
    // Played whole, with its own window extent, into a rect half the size.
    HMETAFILE metafile = LoadMetafile("emote-love-symbolic.wmf");
    RteHandle object = MetafileObject(metafile, MM_ANISOTROPIC);
    std::string expected = ReadFile("emote-love-symbolic.cells");
    std::string drawn = Played(object, 12, 9, kSide / 2);
    EXPECT_LE(Differences(expected, drawn), 5) << "expected\n" << expected << "drawn\n" << drawn;
}

TEST_F(MetafileTest, AWindowOriginInTheMetafileDoesNotMoveTheObject)
{
    HDC recorder = CreateMetaFileA(nullptr);
    SetWindowOrgEx(recorder, 60, 60, nullptr);
    SetMapMode(recorder, MM_ANISOTROPIC);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    SelectObject(recorder, black);
    Rectangle(recorder, 0, 0, 40, 40);
    RteHandle object = MetafileObject(CloseMetaFile(recorder));
    std::string drawn = Played(object, 25, 45);
    EXPECT_EQ('#', drawn[0]) << "the first cell, at the object's place\n" << drawn;
    EXPECT_EQ('#', drawn[1]) << drawn;
    EXPECT_EQ('.', drawn[3]) << drawn;
}

TEST_F(MetafileTest, TheBitsSurviveTheStream)
{
    HMETAFILE metafile = LoadMetafile("phone-old-symbolic.wmf");
    RteHandle object = MetafileObject(metafile);
    RteHandle doc = MakeDocument("[]");
    RteLocked<RteCharStyle>(DocumentOf(doc).charStyles)[0].object = reinterpret_cast<intptr_t>(object);
    uint16_t code = 1;
    RteHandle back = Load(SaveWithObjects(doc), &code);
    ASSERT_EQ(0, code);
    auto read = reinterpret_cast<RteHandle>(Elements<RteCharStyle>(DocumentOf(back).charStyles)[0].object);
    ASSERT_NE(nullptr, read);
    RteObject copy = Elements<RteObject>(read)[0];
    UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    std::string original(size, '\0'), again(size, '\0');
    GetMetaFileBitsEx(metafile, size, original.data());
    ASSERT_EQ(size, GetMetaFileBitsEx(reinterpret_cast<HMETAFILE>(copy.data), size, again.data()));
    EXPECT_EQ(original, again);
    EXPECT_EQ(Played(object, 0, 0), Played(read, 0, 0));
}

}  // namespace
