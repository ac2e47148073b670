// Every effect, drawn onto a real window from either kind of image, ends with exactly the new
// image inside the target rectangle, leaves every pixel outside it as it was and hands the DC
// back without a clip region of its own.
#include "area.h"
#include "effect_cases.h"
#include "effect_request.h"
#include "image_handle.h"
#include "target_window.h"

#include <gtest/gtest.h>

namespace {

struct Size {
    int width;
    int height;
};

void PrintTo(const Size& size, std::ostream* out)
{
    *out << size.width << "x" << size.height;
}

class FinalPicture : public testing::TestWithParam<std::tuple<EffectCase, Size>> {};

// The target rectangle lies off the window's corner, with old pixels all round it.
TEST_P(FinalPicture, ShowsTheNewImageAndNothingElse)
{
    const EffectCase& effect = std::get<0>(GetParam());
    Size size = std::get<1>(GetParam());
    Area area{5, 6, size.width, size.height};
    TargetWindow window(area.Right() + 4, area.Bottom() + 3);
    Picture old = OldPicture(area.Right() + 4, area.Bottom() + 3);
    window.Show(old);
    Picture image = NewImagePicture(size.width, size.height);
    ImageHandle handle(image, effect.kind);

    ASSERT_EQ(effect.module().Draw(window.Dc(), area, handle.get(), effect.kind, effect.index), 0);

    Picture actual = window.Read();
    EXPECT_EQ(Differences(actual, WithInset(old, image, area.x, area.y), {0, 0, actual.width, actual.height}), "");
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(window.Dc(), clip), 0) << "the DC is left without a clip region, as it came";
    DeleteObject(clip);
}

std::string Name(const testing::TestParamInfo<FinalPicture::ParamType>& info)
{
    Size size = std::get<1>(info.param);
    return CaseName(std::get<0>(info.param)) + "_" + std::to_string(size.width) + "x" + std::to_string(size.height);
}

// Odd and even sides; 20 wide makes the sweeps fall back to their largest step.
INSTANTIATE_TEST_SUITE_P(AllEffects, FinalPicture,
                         testing::Combine(testing::ValuesIn(AllEffects({kBitmapImage, kPackedDibImage})),
                                          testing::Values(Size{37, 23}, Size{20, 14})),
                         Name);

} // namespace
