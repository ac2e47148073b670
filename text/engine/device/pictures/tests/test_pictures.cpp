// The picture primitives in a memory DC: bitmaps copied or stretched with their raster
// operation, vector pictures scaled with their items' flags, and recordings that draw nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "rte_picture.h"
#include "rte_style_records.h"
#include "rte_typed.h"
#include "test_canvas.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class PictureTest : public testing::Test {
protected:
    void SetUp() override { RteMemInit(&context_, 0); }
    void TearDown() override { RteMemFree(&context_); }

    RtePicturePort Port(TestCanvas& canvas) { return RtePicturePort{canvas.Dc(), &context_, nullptr, nullptr}; }

    RteMemContext context_ = {};
};

// A 32-bit bitmap record whose pixel (x, y) is colour(x, y), 0x00RRGGBB.
template <class Colour>
std::vector<uint8_t> Bitmap(int width, int height, Colour colour)
{
    std::vector<uint8_t> bytes(RTE_BITMAP_HEADER_BYTES + static_cast<size_t>(width * height * 4));
    RteBitmapRecord header = {static_cast<int16_t>(width), static_cast<int16_t>(height), 32};
    std::memcpy(bytes.data(), &header, RTE_BITMAP_HEADER_BYTES);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t pixel = colour(x, y);
            std::memcpy(bytes.data() + RTE_BITMAP_HEADER_BYTES + (y * width + x) * 4, &pixel, 4);
        }
    return bytes;
}

uint32_t Checker(int x, int y) { return (x + y) % 2 ? 0x0000FF : 0xFF0000; }

TEST_F(PictureTest, ABitmapOfTheTargetsSizeIsCopiedAndOneLargerIsStretched)
{
    std::vector<uint8_t> bitmap = Bitmap(4, 4, Checker);
    auto* record = reinterpret_cast<const RteBitmapRecord*>(bitmap.data());
    TestCanvas canvas(12, 12);
    RtePicturePort port = Port(canvas);
    RteRect same = {1, 1, 5, 5};
    RteDrawBitmap(&port, record, bitmap.size(), nullptr, &same, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Checker(x, y), canvas.Raw(1 + x, 1 + y)) << x << "," << y;
    EXPECT_EQ(0xFFFFFFu & canvas.Raw(5, 1), 0xFFFFFFu) << "nothing beyond the target";

    canvas.Fill(kWhite);
    RteRect larger = {1, 1, 6, 6};
    RteDrawBitmap(&port, record, bitmap.size(), nullptr, &larger, 0);
    int coloured = 0;
    for (int y = 1; y < 6; ++y)
        for (int x = 1; x < 6; ++x)
            coloured += canvas.Pixel(x, y) != kWhite;
    EXPECT_EQ(25, coloured) << "stretched over the whole target";
    bool repeated = false;
    for (int x = 1; x < 5; ++x)
        repeated = repeated || canvas.Raw(x, 1) == canvas.Raw(x + 1, 1);
    EXPECT_TRUE(repeated) << "a column of the checker drawn twice";
}

TEST_F(PictureTest, OperationsSixAndSevenPaintAndInvert)
{
    std::vector<uint8_t> bitmap = Bitmap(2, 2, [](int, int) { return 0x00F00F; });
    auto* record = reinterpret_cast<const RteBitmapRecord*>(bitmap.data());
    struct Case {
        int16_t operation;
        uint32_t expected;
    } cases[] = {{RTE_BITMAP_PAINT, 0x30F03F}, {RTE_BITMAP_INVERT, 0x30F030}, {0, 0x00F00F}, {3, 0x00F00F}};
    for (const Case& c : cases) {
        TestCanvas canvas(4, 4, RGB(0x30, 0x00, 0x3F));
        RtePicturePort port = Port(canvas);
        RteRect target = {0, 0, 2, 2};
        RteDrawBitmap(&port, record, bitmap.size(), nullptr, &target, c.operation);
        EXPECT_EQ(c.expected, canvas.Raw(1, 1) & 0xFFFFFF) << c.operation;
        EXPECT_EQ(0x30003Fu, canvas.Raw(3, 3) & 0xFFFFFF) << c.operation;
    }
}

TEST_F(PictureTest, ABitmapRecordShorterThanItsRowsDrawsNothing)
{
    std::vector<uint8_t> bitmap = Bitmap(4, 4, Checker);
    TestCanvas canvas(8, 8);
    RtePicturePort port = Port(canvas);
    RteRect target = {0, 0, 4, 4};
    RteDrawBitmap(&port, reinterpret_cast<const RteBitmapRecord*>(bitmap.data()), bitmap.size() - 1, nullptr, &target, 0);
    EXPECT_EQ(kWhite, canvas.Pixel(0, 0));
}

struct PictureBytes {
    std::vector<uint8_t> bytes;

    PictureBytes(int16_t width, int16_t height)
    {
        RtePictureHeader header = {width, height, 0, 0};
        bytes.resize(sizeof header);
        std::memcpy(bytes.data(), &header, sizeof header);
    }
    void Add(int16_t type, int16_t flags, RteRect rect, int32_t size = RTE_PICTURE_ITEM_BYTES)
    {
        RtePictureItem item = {type, flags, 1, rect, size};
        size_t at = bytes.size();
        bytes.resize(at + RTE_PICTURE_ITEM_BYTES);
        std::memcpy(bytes.data() + at, &item, sizeof item);
        auto* header = reinterpret_cast<RtePictureHeader*>(bytes.data());
        ++header->count;
    }
};

TEST_F(PictureTest, APictureAtTwiceItsSizeDoublesItsItemsButPinnedEdges)
{
    PictureBytes picture(20, 10);
    picture.Add(0, 1, {2, 2, 6, 8});                // framed
    picture.Add(0, 1 | RTE_ITEM_RIGHT, {2, 12, 6, 16});  // framed, its right edge on the target's
    RteHandle handle = RteNewFromData(&context_, picture.bytes.data(), 1, static_cast<int32_t>(picture.bytes.size()));
    TestCanvas canvas(60, 30);
    RtePicturePort port = Port(canvas);
    RteRect target = {5, 10, 25, 50};  // 40 x 20
    RteDrawPicture(&port, handle, &target, true, true, false);
    // The first frame: {2,2,6,8} doubled and moved: left 14, top 9, right 26, bottom 17.
    EXPECT_EQ(kBlack, canvas.Pixel(14, 9));
    EXPECT_EQ(kBlack, canvas.Pixel(25, 16));
    EXPECT_EQ(kWhite, canvas.Pixel(26, 17));
    EXPECT_EQ(kWhite, canvas.Pixel(20, 12)) << "framed, not filled";
    // The pinned frame: left 34, right at the target's right (50).
    EXPECT_EQ(kBlack, canvas.Pixel(34, 9));
    EXPECT_EQ(kBlack, canvas.Pixel(49, 9));
    EXPECT_EQ(kWhite, canvas.Pixel(50, 9));
    EXPECT_EQ(kBlack, canvas.Pixel(49, 12)) << "the right side on the target's right edge";
    EXPECT_EQ(kWhite, canvas.Pixel(41, 12)) << "not where the doubled rect would end (42)";
    RteFree(handle);
}

TEST_F(PictureTest, ItemsOutsideTheirPictureEndTheDrawing)
{
    PictureBytes picture(10, 10);
    picture.Add(0, 1, {1, 1, 4, 4});
    picture.Add(0, 1, {5, 5, 9, 9}, 1000);  // a size past the picture
    RteHandle handle = RteNewFromData(&context_, picture.bytes.data(), 1, static_cast<int32_t>(picture.bytes.size()));
    TestCanvas canvas(10, 10);
    RtePicturePort port = Port(canvas);
    RteRect target = {0, 0, 10, 10};
    RteDrawPicture(&port, handle, &target, true, true, false);
    EXPECT_EQ(kBlack, canvas.Pixel(1, 1));
    EXPECT_EQ(kWhite, canvas.Pixel(5, 5));
    // A count above the items there are stops at the end of the handle.
    reinterpret_cast<RtePictureHeader*>(picture.bytes.data())->count = 30000;
    picture.bytes.resize(picture.bytes.size() - RTE_PICTURE_ITEM_BYTES);
    RteHandle counted = RteNewFromData(&context_, picture.bytes.data(), 1, static_cast<int32_t>(picture.bytes.size()));
    RteDrawPicture(&port, counted, &target, true, true, false);
    RteFree(counted);
    RteFree(handle);
}

TEST_F(PictureTest, NothingIsDrawnWhileRecording)
{
    std::vector<uint8_t> bitmap = Bitmap(4, 4, Checker);
    TestCanvas canvas(20, 20);
    RtePicturePort port = Port(canvas);
    RteRect bounds = {0, 0, 20, 30};
    RteBeginPolygon(&port, &bounds);
    RteRect frame = {2, 2, 10, 10};
    EXPECT_EQ(0, RteFrameRect(&port, &frame, 7, 0, 2));
    EXPECT_EQ(7, RteFrameRect(&port, &frame, 7, 3, 2)) << "shape 3 records nothing";
    RtePoint from = {1, 1}, to = {15, 15};
    EXPECT_EQ(0, RteDrawLine(&port, &from, &to, 9));
    RteDrawBitmap(&port, reinterpret_cast<const RteBitmapRecord*>(bitmap.data()), bitmap.size(), nullptr, &frame, 0);
    PictureBytes picture(10, 10);
    picture.Add(RTE_ITEM_LINE, 0, {0, 0, 10, 10});
    RteHandle handle = RteNewFromData(&context_, picture.bytes.data(), 1, static_cast<int32_t>(picture.bytes.size()));
    RteDrawPicture(&port, handle, &frame, true, true, false);
    RteFree(handle);
    for (uint32_t pixel : canvas.Pixels())
        ASSERT_EQ(0xFFFFFFu, pixel & 0xFFFFFF);

    RteHandle polygon = RteEndPolygon(&port);
    ASSERT_NE(nullptr, polygon);
    EXPECT_EQ(nullptr, port.polygon) << "handed over and detached";
    int16_t width = 0, height = 0;
    RteRecordingSize(polygon, &width, &height);
    EXPECT_EQ(30, width);
    EXPECT_EQ(20, height);
    EXPECT_EQ(8 + 2 + 2, RteRecordedPoints(polygon));
    // The frame's bottom right corner lies the pen's width inside.
    RtePoint corner;
    std::memcpy(&corner, static_cast<uint8_t*>(RteLock(polygon)) + 8 + 2 * sizeof(RtePoint), sizeof corner);
    RteUnlock(polygon);
    EXPECT_EQ((RtePoint{2, 8}), corner);
    RteFree(polygon);

    EXPECT_EQ(9, RteDrawLine(&port, &from, &to, 9)) << "no recording: the default";
}

}  // namespace

namespace {

TEST_F(PictureTest, ColoursGoToTheDcAndComeBackAsTheEnginesChannels)
{
    TestCanvas canvas(4, 4);
    RtePicturePort port = Port(canvas);
    struct Case {
        RteColor set;
        COLORREF dc;
        RteColor back;  // 8-bit channels widened as v x 256 + 255, 0 kept
    } cases[] = {
        {{0xFFFF, 0, 0}, RGB(255, 0, 0), {0xFFFF, 0, 0}},
        {{0x12FF, 0x3400, 0x0080}, RGB(0x12, 0x34, 0x00), {0x12FF, 0x34FF, 0}},
    };
    for (const Case& c : cases) {
        RteSetForeColor(&port, &c.set);
        RteSetBackColor(&port, &c.set);
        EXPECT_EQ(c.dc, GetTextColor(static_cast<HDC>(port.dc)));
        EXPECT_EQ(c.dc, GetBkColor(static_cast<HDC>(port.dc)));
        RteColor fore = {}, back = {};
        RteGetForeColor(&port, &fore);
        RteGetBackColor(&port, &back);
        EXPECT_EQ(c.back.red, fore.red);
        EXPECT_EQ(c.back.green, fore.green);
        EXPECT_EQ(c.back.blue, back.blue);
    }
}

}  // namespace
