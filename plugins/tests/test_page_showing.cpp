// A page with two images and a sound read from its file and shown: by the page snapshot and
// by the live page, the images' pixels where they lie, the page's colour through the
// transparent colour, nothing where the sound lies, the windows stacked in the objects'
// order; the picture arriving after the show, and what a failed picture file falls back to.
#include "pagehost.h"

#include "accessors.h"
#include "dialog_answerer.h"
#include "image/image.h"
#include "snapshot.h"

#include <gtest/gtest.h>

namespace {

const COLORREF PageColour = RGB(10, 20, 200);
const COLORREF Magenta = RGB(255, 0, 255);
const COLORREF Green = RGB(0, 160, 0);

// 40 x 20: the left half magenta, the right half green.
std::string Picture()
{
    return BmpFile(40, 20, [](int x, int) { return x < 20 ? Magenta : Green; });
}

RecordLines ImageRecord(const std::string& name, const std::string& rect, const std::string& file,
                        const std::string& transparency)
{
    return ObjectRecord("QXPICT.DLL", 0, name, NoBranch(),
                        {"IMAGE {", rect, file, "0 0 0 0", "NULL", transparency, "0 0 0 0", "0 0 0 0", "}"});
}

// "transparente" at (100, 50) drawn with magenta transparent, "opaque" at (200, 50) without,
// and the sound "son" at (300, 300).
std::string ShowPage(const std::string& picture = ".\\pic.bmp")
{
    return PageFile({ObjectRecord("QXSHEET.DLL", 3, "NULL", NoBranch(), PageBlock("A", 10, 20, 200)),
                     ImageRecord("transparente", "100 50 40 20", picture, "1 255 0 255"),
                     ImageRecord("opaque", "200 50 40 20", picture, "0 255 0 255"),
                     ObjectRecord("QXAUDIO.DLL", 0, "son", NoBranch(),
                                  {"SOUND {", "300 300 48 48", ".\\tone.wav", "0", "1", "}"})});
}

void WritePublication(const PageHost& host)
{
    host.pub.Write("pic.bmp", Picture());
    host.pub.Write("tone.wav", WavFile(200));
    host.pub.Write("a.pag", ShowPage());
}

IMAGE* ImageNamed(const PageHost& host, const char* name)
{
    return static_cast<IMAGE*>(KernFindObjetEx(host, name));
}

void ExpectPagePixels(HBITMAP page)
{
    EXPECT_EQ(Green, PixelOf(page, 130, 60));
    EXPECT_EQ(PageColour, PixelOf(page, 110, 60));  // through the transparent colour
    EXPECT_EQ(Magenta, PixelOf(page, 210, 60));
    EXPECT_EQ(Green, PixelOf(page, 230, 60));
    EXPECT_EQ(PageColour, PixelOf(page, 50, 200));
    EXPECT_EQ(PageColour, PixelOf(page, 320, 320));  // a sound draws nothing while the publication runs
}

}  // namespace

TEST(PageShowing, TheSnapshotShowsTheImagesAsTheirTransparencySays)
{
    PageHost host;
    WritePublication(host);
    const HBITMAP shot = KernPreviewPage(host.Page("a.pag").c_str());
    ASSERT_NE(nullptr, shot);
    ExpectPagePixels(shot);
    DeleteObject(shot);
}

TEST(PageShowing, ThePictureArrivesAfterTheShowAndIsPainted)
{
    PageHost host;
    WritePublication(host);
    ASSERT_EQ(1, host.Go("a.pag"));
    EXPECT_EQ("A", host.Shown());
    IMAGE* image = ImageNamed(host, "transparente");
    ASSERT_NE(nullptr, image);
    ASSERT_NE(nullptr, KernFindObjetEx(host, "son"));
    EXPECT_STREQ("QXAUDIO.DLL", KernFindObjetEx(host, "son")->GetDLLName());
    // Asked for in the background: nothing is held until the file's notification.
    EXPECT_EQ(nullptr, image->picture);
    ASSERT_TRUE(PumpUntil([&] { return image->picture && ImageNamed(host, "opaque")->picture; }, 5000));
    EXPECT_EQ(0, image->Invisibility());
    const HBITMAP page = host.Render();
    ASSERT_NE(nullptr, page);
    ExpectPagePixels(page);
    DeleteObject(page);
}

TEST(PageShowing, EachObjectWindowLiesJustBelowTheWindowOfTheNextObject)
{
    PageHost host;
    WritePublication(host);
    ASSERT_EQ(1, host.Go("a.pag"));
    OBJET* root = KernGetTopObjet(host);
    ASSERT_EQ(3, root->GetChildItems());
    for (int i = 0; i < root->GetChildItems(); ++i) {
        const HWND window = root->GetChild(i)->window;
        ASSERT_NE(nullptr, window) << i;
        const HWND above = GetWindow(window, GW_HWNDPREV);
        if (i + 1 < root->GetChildItems())
            EXPECT_EQ(root->GetChild(i + 1)->window, above) << i;
        else
            EXPECT_EQ(nullptr, above);
    }
    // Moving an object keeps it there.
    SetWindowPos(root->GetChild(0)->window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(root->GetChild(1)->window, GetWindow(root->GetChild(0)->window, GW_HWNDPREV));
}

TEST(ImageFetch, ANewFileThatFailsFallsBackToThePictureOfThePage)
{
    PageHost host;
    WritePublication(host);
    ASSERT_EQ(1, host.Go("a.pag"));
    IMAGE* image = ImageNamed(host, "opaque");
    ASSERT_NE(nullptr, image);
    ASSERT_TRUE(PumpUntil([&] { return image->picture != nullptr; }, 5000));
    DialogAnswerer answerer;
    ASSERT_EQ(1, SendMessageA(image->window, QX_IMAGE_SETFILE, 0,
                              reinterpret_cast<LPARAM>(host.Page("absent.bmp").c_str())));
    char name[MAX_PATH] = "";
    ASSERT_TRUE(PumpUntil([&] { return image->picture && image->GetProperties(1000, sizeof name, name) &&
                                       host.Page("pic.bmp") == name; },
                          5000))
        << name;
    const HBITMAP page = host.Render();
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(Magenta, PixelOf(page, 210, 60));
    DeleteObject(page);
}

TEST(ImageFetch, APictureOfThePageThatFailsLeavesThePageColour)
{
    PageHost host;
    host.pub.Write("tone.wav", WavFile(200));
    host.pub.Write("a.pag", ShowPage(".\\absent.bmp"));
    DialogAnswerer answerer;
    ASSERT_EQ(1, host.Go("a.pag"));
    IMAGE* image = ImageNamed(host, "opaque");
    ASSERT_NE(nullptr, image);
    // The failure stops the object taking part in drawing and forgets the name it was read with.
    ASSERT_TRUE(PumpUntil([&] { return image->loadedName.length() == 0; }, 5000));
    EXPECT_EQ(nullptr, image->picture);
    EXPECT_EQ(0, image->paintThrough);
    const HBITMAP page = host.Render();
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(PageColour, PixelOf(page, 210, 60));
    DeleteObject(page);
}
