// The image list of the settings dialog: many pictures of long names added at once, one
// replaced, the last deleted, the full name shown under the mouse, and dragging.
#include "dialogdriver.h"
#include "motion_pages.h"
#include "plugintest.h"

#include "accessors.h"
#include "motion/anim.h"
#include "motion/flc.h"
#include "motion/motionres.h"

#include <gtest/gtest.h>

namespace {

constexpr int Marker = IDC_SET_SERIES_MODE;
constexpr int Pictures = 40;

std::string LongName(int i)
{
    char name[120];
    std::snprintf(name, sizeof name, "image-numero-%02d-avec-un-nom-assez-long-pour-remplir-un-petit-tampon.bmp", i);
    return name;
}

// An empty series on a page, with the pictures beside the page.
struct SeriesOnPage {
    PageHost host;
    FLC* flc = nullptr;

    SeriesOnPage()
    {
        for (int i = 0; i < Pictures; ++i)
            host.pub.Write(LongName(i), BmpFile(40, 30, [i](int, int) { return RGB(i * 6, 0, 255 - i * 6); }));
        host.pub.Write("autre.bmp", BmpFile(40, 30, [](int, int) { return RGB(0, 255, 0); }));
        FlcRecord series;
        series.files = {"NULL"};
        series.x = 100;
        series.y = 100;
        series.w = 320;
        series.h = 200;
        host.pub.Write("a.pag", AnimationPage({{"serie", series}}));
        EXPECT_EQ(1, host.Go("a.pag"));
        flc = static_cast<FLC*>(KernFindObjetEx(host, "serie"));
        host.kernel->scnPath = (host.pub.Path() + "\\").c_str();
    }
};

// Every picture typed at once into the open dialog's name box.
int ChooseAll(HWND open)
{
    std::string names;
    for (int i = 0; i < Pictures; ++i)
        names += "\"" + LongName(i) + "\" ";
    return OpenFileNamed(open, names);
}

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_SET_IMAGES); }
int Count(HWND dialog) { return static_cast<int>(SendMessageA(List(dialog), LB_GETCOUNT, 0, 0)); }
int Selected(HWND dialog) { return static_cast<int>(SendMessageA(List(dialog), LB_GETCURSEL, 0, 0)); }
std::string Line(HWND dialog, int index)
{
    char text[200] = "";
    SendMessageA(List(dialog), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}
LPARAM PointOf(HWND dialog, int index)
{
    RECT item{};
    SendMessageA(List(dialog), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
}

}  // namespace

TEST(MotionImages, FortyPicturesOfLongNamesAtOnceThenModifyAndDeleteTheLast)
{
    SeriesOnPage page;
    ASSERT_TRUE(page.flc);
    int added = 0, afterDelete = 0, selectedAfterDelete = -2;
    std::string speed, replaced;
    int opens = 0;
    DialogDriver driver(
        Marker,
        [&](HWND dialog) {
            Click(dialog, IDC_SET_ADD_IMAGES);
            added = Count(dialog);
            speed = ItemText(dialog, IDC_SET_FPS);
            SendMessageA(List(dialog), LB_SETCURSEL, Pictures - 1, 0);
            Click(dialog, IDC_SET_MODIFY_IMAGE);
            replaced = Line(dialog, Pictures - 1);
            SendMessageA(List(dialog), LB_SETCURSEL, Pictures - 1, 0);
            Click(dialog, IDC_SET_DELETE_IMAGE);
            afterDelete = Count(dialog);
            selectedAfterDelete = Selected(dialog);
            Click(dialog, IDOK);
        },
        [&](HWND other) {
            if (!FileNameBox(other))
                return IDCANCEL;
            return ++opens == 1 ? ChooseAll(other) : OpenFileNamed(other, "autre.bmp");
        });
    EXPECT_EQ(1, page.flc->Modify());
    EXPECT_EQ(Pictures, added);
    EXPECT_EQ("5", speed);
    EXPECT_EQ("autre.bmp", replaced);
    EXPECT_EQ(Pictures - 1, afterDelete);
    EXPECT_EQ(Pictures - 2, selectedAfterDelete);
    ASSERT_TRUE(page.flc->anim);
    ASSERT_EQ(Pictures - 1, page.flc->anim->Count());
    EXPECT_EQ(page.host.Page(LongName(0)), page.flc->anim->Frame(0).name);
    EXPECT_EQ(5, page.flc->framesPerSecond);
    // Resized to the first picture around its old centre.
    EXPECT_EQ(40, page.flc->w);
    EXPECT_EQ(30, page.flc->h);
    EXPECT_EQ(100 + (320 - 40) / 2, page.flc->x);
    EXPECT_EQ(100 + (200 - 30) / 2, page.flc->y);
    for (const ShownDialog& shown : driver.Shown())
        EXPECT_EQ(std::string::npos, shown.text.find("Trop d'images")) << shown.text;
}

TEST(MotionImages, DraggingOntoItselfChangesNothingAndAboveScrolls)
{
    SeriesOnPage page;
    ASSERT_TRUE(page.flc);
    std::string firstBefore, firstAfterSelf, firstAfterMove, secondAfterMove;
    int topBefore = -1, topAfter = -1;
    bool tipShown = false, tipGone = false;
    DialogDriver driver(
        Marker,
        [&](HWND dialog) {
            Click(dialog, IDC_SET_ADD_IMAGES);
            const HWND list = List(dialog);
            SendMessageA(list, LB_SETTOPINDEX, 0, 0);
            // The full name under the mouse.
            SendMessageA(list, WM_MOUSEMOVE, 0, PointOf(dialog, 1));
            tipShown = FindWindowExA(nullptr, nullptr, "MsgWind", nullptr) != nullptr;
            SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(500, 500));
            tipGone = FindWindowExA(nullptr, nullptr, "MsgWind", nullptr) == nullptr;
            firstBefore = Line(dialog, 0);
            SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(dialog, 0));
            SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, PointOf(dialog, 0));
            SendMessageA(list, WM_LBUTTONUP, 0, PointOf(dialog, 0));
            firstAfterSelf = Line(dialog, 0);
            SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(dialog, 0));
            SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, PointOf(dialog, 1));
            SendMessageA(list, WM_LBUTTONUP, 0, PointOf(dialog, 1));
            firstAfterMove = Line(dialog, 0);
            secondAfterMove = Line(dialog, 1);
            SendMessageA(list, LB_SETTOPINDEX, 10, 0);
            topBefore = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
            SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, PointOf(dialog, 12));
            SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, static_cast<WORD>(-5)));
            topAfter = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
            SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(5, static_cast<WORD>(-5)));
            Click(dialog, IDOK);
        },
        [&](HWND other) { return FileNameBox(other) ? ChooseAll(other) : IDCANCEL; });
    EXPECT_EQ(1, page.flc->Modify());
    EXPECT_TRUE(tipShown);
    EXPECT_TRUE(tipGone);
    EXPECT_EQ(LongName(0), firstBefore);
    EXPECT_EQ(LongName(0), firstAfterSelf);
    EXPECT_EQ(LongName(1), firstAfterMove);
    EXPECT_EQ(LongName(0), secondAfterMove);
    EXPECT_EQ(10, topBefore);
    EXPECT_EQ(9, topAfter);
    ASSERT_TRUE(page.flc->anim);
    EXPECT_EQ(page.host.Page(LongName(1)), page.flc->anim->Frame(0).name);
    EXPECT_EQ(page.host.Page(LongName(0)), page.flc->anim->Frame(1).name);
}
