// What an effect does with the DC it is handed: it paints only inside the DC's clip region,
// wherever that lies, and gives the DC back with its clip region and palette as they were.
#include "area.h"
#include "effect_cases.h"
#include "effect_request.h"
#include "image_handle.h"
#include "target_window.h"

#include <gtest/gtest.h>

namespace {

class ClippedDc : public testing::TestWithParam<EffectCase> {};

// The clip region starts well inside the window, reaches out of the target rectangle and has
// a hole, so that a region taken at the wrong place or ignored shows.
HRGN MakeClip(const Area& area)
{
    HRGN clip = CreateRectRgn(area.x + 4, area.y + 3, area.Right() + 3, area.y + 15);
    HRGN disc = CreateEllipticRgn(area.x + 10, area.y + 8, area.x + 30, area.Bottom() + 4);
    HRGN hole = CreateRectRgn(area.x + 12, area.y + 5, area.x + 16, area.y + 9);
    CombineRgn(clip, clip, disc, RGN_OR);
    CombineRgn(clip, clip, hole, RGN_DIFF);
    DeleteObject(disc);
    DeleteObject(hole);
    return clip;
}

TEST_P(ClippedDc, PaintsOnlyInsideTheClipRegionAndKeepsIt)
{
    Area area{6, 5, 37, 23};
    TargetWindow window(area.Right() + 6, area.Bottom() + 6);
    Picture old = OldPicture(area.Right() + 6, area.Bottom() + 6);
    window.Show(old);
    Picture image = NewImagePicture(area.width, area.height);
    ImageHandle handle(image, GetParam().kind);
    HRGN clip = MakeClip(area);
    SelectClipRgn(window.Dc(), clip);

    ASSERT_EQ(GetParam().module().Draw(window.Dc(), area, handle.get(), GetParam().kind, GetParam().index), 0);

    Picture expected = old;
    RECT inside = area.Rect();
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x)
            if (PtInRect(&inside, POINT{x, y}) && PtInRegion(clip, x, y))
                expected.At(x, y) = image.At(x - area.x, y - area.y);
    EXPECT_EQ(Differences(window.Read(), expected, {0, 0, expected.width, expected.height}), "");

    HRGN after = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetClipRgn(window.Dc(), after), 1);
    EXPECT_TRUE(EqualRgn(after, clip)) << "the DC keeps the clip region it came with";
    DeleteObject(after);
    DeleteObject(clip);
}

INSTANTIATE_TEST_SUITE_P(AllEffects, ClippedDc, testing::ValuesIn(AllEffects({kBitmapImage})),
                         [](const auto& info) { return CaseName(info.param); });

class PaletteDc : public testing::TestWithParam<int> {};

HPALETTE MakePalette()
{
    // LOGPALETTE with room for all its entries.
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[16];
    } palette = {0x300, 16, {}};
    for (int i = 0; i < 16; ++i)
        palette.entries[i] = PALETTEENTRY{BYTE(i * 16), BYTE(255 - i * 16), BYTE(i * 7), 0};
    return CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette));
}

TEST_P(PaletteDc, GetsItsOwnPaletteBack)
{
    Area area{2, 2, 20, 14};
    TargetWindow window(24, 18);
    Picture old = OldPicture(24, 18);
    window.Show(old);
    Picture image = NewImagePicture(20, 14);
    HPALETTE palette = MakePalette();
    HGDIOBJ before = GetCurrentObject(window.Dc(), OBJ_PAL);
    int foreground = GetParam();
    for (int kind : {kBitmapImage, kPackedDibImage}) {
        ImageHandle handle(image, kind);
        EXPECT_EQ(Wipe3().Draw(window.Dc(), area, handle.get(), kind, 5, palette, foreground), 0);
        EXPECT_EQ(GetCurrentObject(window.Dc(), OBJ_PAL), before) << KindName(kind);
        EXPECT_EQ(Differences(window.Read(), WithInset(old, image, 2, 2), {0, 0, 24, 18}), "") << KindName(kind);
        window.Show(old);
    }
    DeleteObject(palette);
}

INSTANTIATE_TEST_SUITE_P(ForegroundFlag, PaletteDc, testing::Values(0, 1));

} // namespace
