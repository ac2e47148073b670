// The three exports as the kernel binds and calls them: effect counts, names and the answers
// to indexes and image kinds that are not the module's.
#include "area.h"
#include "effect_module.h"
#include "effect_request.h"
#include "image_handle.h"
#include "target_window.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kWipe2Names = {
    "Croisé vertical",          "Croisé horizontal",       "Cercles aléatoires",
    "Ouverture circulaire",     "Ouverture en demi-cercle", "Ouverture papillon",
    "Ouverture en coin",        "Ouverture circulaire noire", "Ouverture papillon noire",
};

const std::vector<std::string> kWipe3Names = {
    "Transition vers le bas",     "Transition vers le haut", "Transition vers la droite",
    "Transition vers la gauche",  "Transition verticale",    "Transition horizontale",
    "Portes verticales (IE, NS)", "Portes horizontales (IE, NS)",
};

TEST(EffectExports, BothModulesBindAllThreeExportsByName)
{
    EXPECT_TRUE(Wipe2().Bound()) << Wipe2().FileName();
    EXPECT_TRUE(Wipe3().Bound()) << Wipe3().FileName();
}

TEST(EffectExports, CountsAreNineAndEight)
{
    EXPECT_EQ(Wipe2().Count(), 9);
    EXPECT_EQ(Wipe3().Count(), 8);
}

TEST(EffectExports, NamesAreTheFrenchTextsInCp1252)
{
    for (int i = 0; i < static_cast<int>(kWipe2Names.size()); ++i)
        EXPECT_EQ(Wipe2().NameOf(i), kWipe2Names[i]) << "qxfxwipe2 effect " << i;
    for (int i = 0; i < static_cast<int>(kWipe3Names.size()); ++i)
        EXPECT_EQ(Wipe3().NameOf(i), kWipe3Names[i]) << "qxfxwipe3 effect " << i;
    EXPECT_EQ(Wipe2().NameOf(0)[5], '\xE9') << "é is stored as one CP1252 byte";
}

TEST(EffectExports, NameIsCutToTheBufferAndTerminated)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(Wipe2().Name(0, buffer, 6), 0);
    EXPECT_STREQ(buffer, "Crois");
    EXPECT_EQ(buffer[6], 'x') << "nothing is written past the given size";
}

TEST(EffectExports, NameWithoutRoomAnswersZeroAndWritesNothing)
{
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(Wipe2().Name(1, buffer, 0), 0);
    EXPECT_EQ(std::string(buffer, 4), "xxxx");
    EXPECT_EQ(Wipe3().Name(1, nullptr, 10), 0);
}

struct OutOfRange {
    const EffectModule& (*module)();
    int index;
};

class NameOutOfRange : public testing::TestWithParam<OutOfRange> {};

TEST_P(NameOutOfRange, AnswersMinusOneAndLeavesTheBuffer)
{
    char buffer[16] = "untouched";
    EXPECT_EQ(GetParam().module().Name(GetParam().index, buffer, sizeof buffer), -1);
    EXPECT_STREQ(buffer, "untouched");
}

INSTANTIATE_TEST_SUITE_P(Indexes, NameOutOfRange,
                         testing::Values(OutOfRange{Wipe2, -1}, OutOfRange{Wipe2, 9}, OutOfRange{Wipe2, 10},
                                         OutOfRange{Wipe2, INT_MIN}, OutOfRange{Wipe2, INT_MAX},
                                         OutOfRange{Wipe3, -1}, OutOfRange{Wipe3, 8}, OutOfRange{Wipe3, 9},
                                         OutOfRange{Wipe3, INT_MIN}));

TEST(EffectExports, Wipe2HoldsATenthNameThatItDoesNotOffer)
{
    char buffer[64] = {};
    ASSERT_GT(LoadStringA(Wipe2().Handle(), 9, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "Fermeture par triangles");
    EXPECT_EQ(Wipe2().Name(9, buffer, sizeof buffer), -1);
}

// Draw calls that must not touch the DC.
class UntouchedDc : public testing::Test {
protected:
    UntouchedDc() : window_(40, 30), old_(OldPicture(40, 30)), image_(NewImagePicture(30, 20), kBitmapImage)
    {
        window_.Show(old_);
    }

    void ExpectUntouched() { EXPECT_EQ(Differences(window_.Read(), old_, {0, 0, 40, 30}), ""); }

    TargetWindow window_;
    Picture old_;
    ImageHandle image_;
    Area area_{5, 5, 30, 20};
};

TEST_F(UntouchedDc, IndexOutsideTheModuleAnswersMinusOne)
{
    for (int index : {-1, 9, 10, INT_MIN})
        EXPECT_EQ(Wipe2().Draw(window_.Dc(), area_, image_.get(), kBitmapImage, index), -1) << index;
    for (int index : {-1, 8, INT_MAX})
        EXPECT_EQ(Wipe3().Draw(window_.Dc(), area_, image_.get(), kBitmapImage, index), -1) << index;
    ExpectUntouched();
}

TEST_F(UntouchedDc, UnknownImageKindDrawsNothingAndAnswersZero)
{
    for (int index = 0; index < 9; ++index)
        EXPECT_EQ(Wipe2().Draw(window_.Dc(), area_, image_.get(), 5, index), 0) << index;
    for (int index = 0; index < 8; ++index)
        EXPECT_EQ(Wipe3().Draw(window_.Dc(), area_, image_.get(), 5, index), 0) << index;
    ExpectUntouched();
}

TEST_F(UntouchedDc, BitmapWhoseSizeCannotBeReadDrawsNothing)
{
    HBITMAP gone = BitmapOf(NewImagePicture(4, 4));
    DeleteObject(gone);
    EXPECT_EQ(Wipe2().Draw(window_.Dc(), area_, gone, kBitmapImage, 7), 0);
    ExpectUntouched();
}

TEST_F(UntouchedDc, DibHandleThatCannotBeLockedDrawsNothing)
{
    GlobalBlock discarded(GlobalAlloc(GMEM_MOVEABLE, 0));
    EXPECT_EQ(Wipe3().Draw(window_.Dc(), area_, discarded.get(), kPackedDibImage, 0), 0);
    ExpectUntouched();
}

TEST_F(UntouchedDc, NullDcDrawsNothing)
{
    EXPECT_EQ(Wipe2().Draw(nullptr, area_, image_.get(), kBitmapImage, 8), 0);
    EXPECT_EQ(Wipe3().Draw(nullptr, area_, image_.get(), kBitmapImage, 0), 0);
    ExpectUntouched();
}

TEST_F(UntouchedDc, EmptyTargetRectangleDrawsNothing)
{
    EXPECT_EQ(Wipe2().Draw(window_.Dc(), Area{5, 5, 0, 20}, image_.get(), kBitmapImage, 2), 0);
    EXPECT_EQ(Wipe3().Draw(window_.Dc(), Area{5, 5, 30, -4}, image_.get(), kBitmapImage, 6), 0);
    ExpectUntouched();
}

} // namespace
