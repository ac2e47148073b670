// The visited look of branch runs: given to the runs of visited branches only, from after a
// bullet prefix, and taken off again to the style each run had.
#include "text_files_fixture.h"

#include <cstring>

#include "rte_device_units.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "text_files.h"

namespace {

constexpr int kVisitedId = 3;
constexpr int kOtherId = 7;

RteCharStyle StyleAt(RteHandle doc, int32_t offset)
{
    RteCharStyle style;
    RteCharStyle mask;
    RteRange range{offset, offset + 1};
    RteGetCharStyle(doc, &range, false, &style, &mask);
    return style;
}

void SetBranch(RteHandle doc, int32_t start, int32_t end, int id)
{
    RteCharStyle style;
    RteCharStyle mask;
    RteClearCharStyle(&style, 0);
    RteClearCharStyle(&mask, 0);
    style.value14 = id;
    mask.value14 = -1;
    RteRange range{start, end};
    RteSetCharStyle(doc, &range, &style, &mask, 0);
}

BRANCHSTYLE VisitedStyle(COLORREF background)
{
    BRANCHSTYLE visited;
    visited.fontColour = RGB(128, 0, 128) | QX_VISITED_UNDERLINE;
    visited.background = background;
    return visited;
}

bool SameColour(const RteColor& a, const RteColor& b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

RteColor EngineColour(COLORREF rgb)
{
    RteColor colour;
    RteColorFromRGB(rgb, &colour);
    return colour;
}

const char kBulletPrefix[] = {char(183), '\t', 0};

}  // namespace

using VisitedLook = TextFilesTest;

TEST_F(VisitedLook, IsGivenToTheRunsOfVisitedBranchesAndTakenOffAgain)
{
    RteHandle doc = MakeDocument("lien texte autre lien");
    SetBranch(doc, 0, 4, kVisitedId);
    SetBranch(doc, 11, 16, kOtherId);
    SetBranch(doc, 17, 21, kVisitedId);
    const RteCharStyle before = StyleAt(doc, 0);
    LIST saved;
    ShowVisitedRuns(doc, &saved, VisitedStyle(0xFFFFFF), kBulletPrefix, [](int id) { return id == kVisitedId; });
    EXPECT_EQ(2, saved.Items());
    for (int32_t offset : {0, 3, 17, 20}) {
        const RteCharStyle style = StyleAt(doc, offset);
        EXPECT_TRUE(SameColour(EngineColour(RGB(128, 0, 128)), style.textColor)) << offset;
        EXPECT_EQ(1, style.underline) << offset;
        EXPECT_EQ(0, style.strikeOut) << offset;
        // A transparent visited background leaves the run's own.
        EXPECT_TRUE(SameColour(before.backColor, style.backColor)) << offset;
    }
    for (int32_t offset : {5, 12})
        EXPECT_EQ(0, StyleAt(doc, offset).underline) << offset;

    HideVisitedRuns(doc, &saved, kBulletPrefix);
    EXPECT_EQ(0, saved.Items());
    for (int32_t offset : {0, 17}) {
        const RteCharStyle style = StyleAt(doc, offset);
        EXPECT_TRUE(SameColour(before.textColor, style.textColor)) << offset;
        EXPECT_EQ(before.underline, style.underline) << offset;
        EXPECT_EQ(kVisitedId, style.value14) << offset;
    }
    RteDocDestroy(doc);
}

TEST_F(VisitedLook, AnOpaqueBackgroundAndStrikeOutAreGivenToo)
{
    RteHandle doc = MakeDocument("lien");
    SetBranch(doc, 0, 4, kVisitedId);
    BRANCHSTYLE visited = VisitedStyle(QX_COLOUR_OPAQUE | RGB(255, 255, 0));
    visited.font.lfStrikeOut = 1;
    LIST saved;
    ShowVisitedRuns(doc, &saved, visited, kBulletPrefix, [](int) { return true; });
    const RteCharStyle style = StyleAt(doc, 1);
    EXPECT_TRUE(SameColour(EngineColour(RGB(255, 255, 0)), style.backColor));
    EXPECT_EQ(1, style.strikeOut);
    HideVisitedRuns(doc, &saved, kBulletPrefix);
    EXPECT_EQ(0, StyleAt(doc, 1).strikeOut);
    RteDocDestroy(doc);
}

TEST_F(VisitedLook, ARunAtTheStartOfABulletedParagraphBeginsAfterTheBullet)
{
    const std::string text = std::string(kBulletPrefix) + "lien";
    RteHandle doc = MakeDocument(text);
    SetBranch(doc, 0, 6, kVisitedId);
    LIST saved;
    ShowVisitedRuns(doc, &saved, VisitedStyle(0xFFFFFF), kBulletPrefix, [](int) { return true; });
    EXPECT_EQ(0, StyleAt(doc, 0).underline);
    EXPECT_EQ(0, StyleAt(doc, 1).underline);
    EXPECT_EQ(1, StyleAt(doc, 2).underline);
    EXPECT_EQ(1, StyleAt(doc, 5).underline);
    HideVisitedRuns(doc, &saved, kBulletPrefix);
    EXPECT_EQ(0, StyleAt(doc, 2).underline);
    RteDocDestroy(doc);
}

TEST_F(VisitedLook, PlainTextAndUnvisitedBranchesAreLeftAlone)
{
    RteHandle doc = MakeDocument("texte lien");
    SetBranch(doc, 6, 10, kOtherId);
    LIST saved;
    int asked = 0;
    ShowVisitedRuns(doc, &saved, VisitedStyle(0xFFFFFF), kBulletPrefix, [&](int id) {
        ++asked;
        EXPECT_EQ(kOtherId, id);
        return false;
    });
    EXPECT_EQ(1, asked);
    EXPECT_EQ(0, saved.Items());
    EXPECT_EQ(0, StyleAt(doc, 7).underline);
    RteDocDestroy(doc);
}
