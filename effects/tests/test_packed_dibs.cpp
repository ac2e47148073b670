// Packed DIBs handed to an effect: every header form is drawn as it is meant, and DIBs whose
// header does not fit their block are refused without reading past it.
#include "area.h"
#include "effect_module.h"
#include "effect_request.h"
#include "image_handle.h"
#include "packed_dib.h"
#include "target_window.h"
#include "test_dibs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

// Random discs: the quickest effect, with no pauses.
constexpr int kDiscs = 2;

const DibForm kForms[] = {
    {"Core1", 12, 1, BI_RGB, 0, false},
    {"Core4", 12, 4, BI_RGB, 0, false},
    {"Core8", 12, 8, BI_RGB, 0, false},
    {"Core24", 12, 24, BI_RGB, 0, false},
    {"Info1", 40, 1, BI_RGB, 0, false},
    {"Info4", 40, 4, BI_RGB, 0, false},
    {"Info8", 40, 8, BI_RGB, 0, false},
    {"Info8With20Colours", 40, 8, BI_RGB, 20, false},
    {"Info16", 40, 16, BI_RGB, 0, false},
    {"Info16BitFields", 40, 16, BI_BITFIELDS, 0, false},
    {"Info24", 40, 24, BI_RGB, 0, false},
    {"Info24TopDown", 40, 24, BI_RGB, 0, true},
    {"Info24With5Colours", 40, 24, BI_RGB, 5, false},
    {"Info32", 40, 32, BI_RGB, 0, false},
    {"Info32BitFields", 40, 32, BI_BITFIELDS, 0, false},
    {"Info32BitFieldsTopDown", 40, 32, BI_BITFIELDS, 0, true},
    {"V5Info24", 124, 24, BI_RGB, 0, false},
    {"V5Info32BitFields", 124, 32, BI_BITFIELDS, 0, false},
};

// Draws `dib` with the discs effect on a window showing the old picture; answers the window.
Picture DrawDib(const std::vector<unsigned char>& dib, const Area& area, const Picture& old)
{
    TargetWindow window(old.width, old.height);
    window.Show(old);
    GlobalBlock block(dib);
    EXPECT_EQ(Wipe2().Draw(window.Dc(), area, block.get(), kPackedDibImage, kDiscs), 0);
    return window.Read();
}

class DibForms : public testing::TestWithParam<DibForm> {};

// An odd width, so that rows carry padding.
TEST_P(DibForms, AreDrawnAsTheyAreMeant)
{
    DibSample sample = MakeDib(GetParam(), NewImagePicture(23, 13));
    Picture old = OldPicture(30, 20);
    Area area{4, 3, 23, 13};
    Picture actual = DrawDib(sample.bytes, area, old);
    EXPECT_EQ(Differences(actual, WithInset(old, sample.picture, area.x, area.y), {0, 0, 30, 20}), "");
}

TEST_P(DibForms, LayoutFindsTheBitsWhereTheyWereWritten)
{
    DibSample sample = MakeDib(GetParam(), NewImagePicture(23, 13));
    auto layout = ReadPackedDib(sample.bytes.data(), sample.bytes.size());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->bitsOffset, sample.bitsOffset);
    EXPECT_EQ(layout->width, 23);
    EXPECT_EQ(layout->rows, 13);
}

INSTANTIATE_TEST_SUITE_P(HeaderForms, DibForms, testing::ValuesIn(kForms),
                         [](const auto& info) { return std::string(info.param.name); });

struct LayoutCase {
    const char* name;
    DibForm form;
    std::size_t colourEntries;
    std::size_t bitsOffset;
};

class DibLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(DibLayout, CountsTheColourTableByTheHeaderForm)
{
    DibSample sample = MakeDib(GetParam().form, NewImagePicture(8, 4));
    auto layout = ReadPackedDib(sample.bytes.data(), sample.bytes.size());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->colourEntries, GetParam().colourEntries);
    EXPECT_EQ(layout->bitsOffset, GetParam().bitsOffset);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DibLayout,
    testing::Values(LayoutCase{"Core8Has256EntriesOf3Bytes", kForms[2], 256, 12 + 256 * 3},
                    LayoutCase{"Info24WithoutUsedColoursHasNone", kForms[10], 0, 40},
                    LayoutCase{"Info16HasNone", kForms[8], 0, 40},
                    LayoutCase{"Info8HasItsUsedColours", kForms[7], 20, 40 + 20 * 4},
                    LayoutCase{"Info24WithUsedColoursHasThem", kForms[12], 5, 40 + 5 * 4},
                    LayoutCase{"BitFieldsMasksFollowAVersion1Header", kForms[14], 0, 40 + 12},
                    LayoutCase{"BitFieldsMasksLieInAVersion5Header", kForms[17], 0, 124}),
    [](const auto& info) { return std::string(info.param.name); });

void Set16(std::vector<unsigned char>& bytes, std::size_t at, std::uint16_t value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

void Set32(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

struct BadDib {
    const char* name;
    DibForm form;
    std::function<void(std::vector<unsigned char>&)> spoil;
};

const DibForm kInfo8 = kForms[6];
const DibForm kInfo4 = kForms[5];
const DibForm kInfo24 = kForms[10];
const DibForm kInfo32 = kForms[13];
const DibForm kCore8 = kForms[2];

const BadDib kBadDibs[] = {
    {"HeaderSizeZero", kInfo24, [](auto& b) { Set32(b, 0, 0); }},
    {"HeaderSizeOfNoForm", kInfo24, [](auto& b) { Set32(b, 0, 13); }},
    {"HeaderSizeOfAnotherSystem", kInfo24, [](auto& b) { Set32(b, 0, 64); }},
    {"HeaderLargerThanTheBlock", kInfo24, [](auto& b) { Set32(b, 0, static_cast<std::uint32_t>(b.size() + 1)); }},
    {"BlockShorterThanItsHeader", kInfo24, [](auto& b) { b.resize(20); }},
    {"BlockShorterThanAHeaderSize", kInfo24, [](auto& b) { b.resize(3); }},
    {"PixelRowsOneByteShort", kInfo24, [](auto& b) { b.pop_back(); }},
    {"CorePixelRowsOneByteShort", kCore8, [](auto& b) { b.pop_back(); }},
    {"MoreColoursThan8BitsIndex", kInfo8, [](auto& b) { Set32(b, 32, 257); b.resize(b.size() + 4); }},
    {"MoreColoursThan4BitsIndex", kInfo4, [](auto& b) { Set32(b, 32, 17); b.resize(b.size() + 4); }},
    {"UsedColoursPastTheBlock", kInfo24, [](auto& b) { Set32(b, 32, 0xFFFFFFFF); }},
    {"BitFieldsWithoutTheirMasks", kInfo32, [](auto& b) { Set32(b, 16, BI_BITFIELDS); }},
    {"BitFieldsAt24Bits", kInfo24, [](auto& b) { Set32(b, 16, BI_BITFIELDS); b.resize(b.size() + 12); }},
    {"RunLengthPixels", kInfo8, [](auto& b) { Set32(b, 16, BI_RLE8); }},
    {"ZeroWidth", kInfo24, [](auto& b) { Set32(b, 4, 0); }},
    {"NegativeWidth", kInfo24, [](auto& b) { Set32(b, 4, static_cast<std::uint32_t>(-8)); }},
    {"ZeroHeight", kInfo24, [](auto& b) { Set32(b, 8, 0); }},
    {"HugeWidthAndHeight", kInfo24, [](auto& b) { Set32(b, 4, 0x7FFFFFFF); Set32(b, 8, 0x7FFFFFFF); }},
    {"LowestHeight", kInfo24, [](auto& b) { Set32(b, 8, 0x80000000); }},
    {"TwoPlanes", kInfo24, [](auto& b) { Set16(b, 12, 2); }},
    {"SevenBits", kInfo24, [](auto& b) { Set16(b, 14, 7); }},
    {"CoreAt16Bits", kCore8, [](auto& b) { Set16(b, 10, 16); }},
    {"CoreZeroWidth", kCore8, [](auto& b) { Set16(b, 4, 0); }},
};

class RefusedDib : public testing::TestWithParam<BadDib> {};

TEST_P(RefusedDib, DrawsNothing)
{
    DibSample sample = MakeDib(GetParam().form, NewImagePicture(8, 4));
    GetParam().spoil(sample.bytes);
    EXPECT_FALSE(ReadPackedDib(sample.bytes.data(), sample.bytes.size()));
    Picture old = OldPicture(20, 12);
    Picture actual = DrawDib(sample.bytes, Area{3, 2, 8, 4}, old);
    EXPECT_EQ(Differences(actual, old, {0, 0, 20, 12}), "");
}

INSTANTIATE_TEST_SUITE_P(Spoilt, RefusedDib, testing::ValuesIn(kBadDibs),
                         [](const auto& info) { return std::string(info.param.name); });

class ImageKinds : public testing::TestWithParam<int> {};

// Whole factors, so that every target pixel takes one image pixel.
TEST_P(ImageKinds, AreStretchedToTheTargetRectangle)
{
    Picture image = NewImagePicture(13, 7);
    Picture old = OldPicture(45, 26);
    Area area{2, 3, 39, 21};
    TargetWindow window(old.width, old.height);
    window.Show(old);
    ImageHandle handle(image, GetParam());
    EXPECT_EQ(Wipe2().Draw(window.Dc(), area, handle.get(), GetParam(), kDiscs), 0);
    EXPECT_EQ(Differences(window.Read(), WithInset(old, Enlarged(image, 3, 3), area.x, area.y), {0, 0, 45, 26}), "");
}

INSTANTIATE_TEST_SUITE_P(BothKinds, ImageKinds, testing::Values(kBitmapImage, kPackedDibImage),
                         [](const auto& info) { return std::string(KindName(info.param)); });

} // namespace
