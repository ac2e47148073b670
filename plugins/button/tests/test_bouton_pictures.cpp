// The bitmap style: its pictures drawn through a mask or with a transparent colour, the
// arrival of a fetched picture, the pictures dropped when the page is disabled, and the
// pictures an exported page shows.
#include "buttontest.h"

#include "filefetch.h"
#include "pagehost.h"
#include "qxfile.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// Red on the left half, the rest in `right`.
std::string HalfRed(COLORREF right)
{
    return BmpFile(20, 10, [right](int x, int) { return x < 10 ? Red : right; });
}

// A bitmap button of 40 x 20 whose slot shows the file, as if it had been fetched.
void Show(BOUTON* b, int image, const std::string& file)
{
    b->style = BOUTON_STYLE_BITMAP;
    b->SetXYWH(0, 0, 40, 20);
    b->imageNames[image] = file.c_str();
    b->localCopies[image] = file.c_str();
}

TEST(BitmapLooks, TheMaskLetsTheBackgroundThroughWhereItIsWhite)
{
    KernelHolder k;
    ScratchDir dir;
    dir.Write("up.bmp", HalfRed(Black));
    dir.Write("mask.bmp", BmpFile(20, 10, [](int x, int) { return x < 10 ? Black : White; }));
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    Show(b.get(), BOUTON_IMAGE_RELEASED, dir / "up.bmp");
    Show(b.get(), BOUTON_IMAGE_MASK, dir / "mask.bmp");
    Canvas canvas(40, 20);
    Paint(b.get(), canvas);
    canvas.SaveForViewing("bitmap with mask");
    EXPECT_EQ(canvas.At(2, 2), Red);
    EXPECT_EQ(canvas.At(18, 17), Red);
    // Without a window the background captured is the light grey of an empty page.
    EXPECT_EQ(canvas.At(22, 2), Light);
    EXPECT_EQ(canvas.At(38, 17), Light);
    // Pictures imported for one drawing are not kept.
    EXPECT_FALSE(b->releasedImage.Loaded());
    EXPECT_FALSE(b->maskImage.Loaded());
}

TEST(BitmapLooks, ThePressedLookShowsThePressedPictureOrElseTheReleasedOne)
{
    KernelHolder k;
    ScratchDir dir;
    dir.Write("up.bmp", HalfRed(Green));
    dir.Write("down.bmp", BmpFile(20, 10, [](int, int) { return Blue; }));
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    Show(b.get(), BOUTON_IMAGE_RELEASED, dir / "up.bmp");
    b->checked = 1;
    Canvas released(40, 20);
    Paint(b.get(), released);
    EXPECT_EQ(released.At(5, 10), Red);
    EXPECT_EQ(released.At(35, 10), Green);
    Show(b.get(), BOUTON_IMAGE_PRESSED, dir / "down.bmp");
    Canvas pressed(40, 20);
    Paint(b.get(), pressed);
    EXPECT_EQ(pressed.At(5, 10), Blue);
    EXPECT_EQ(pressed.At(35, 10), Blue);
}

TEST(BitmapLooks, ThePointerOverTheButtonShowsTheMouseOverPicture)
{
    KernelHolder k;
    ScratchDir dir;
    dir.Write("up.bmp", HalfRed(Green));
    dir.Write("over.bmp", BmpFile(20, 10, [](int, int) { return Blue; }));
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    Show(b.get(), BOUTON_IMAGE_RELEASED, dir / "up.bmp");
    Show(b.get(), BOUTON_IMAGE_OVER, dir / "over.bmp");
    MSGL move{0, nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)};
    b->WindowsMessage(&move);
    EXPECT_EQ(b->highlighted, 1);
    Canvas over(40, 20);
    Paint(b.get(), over);
    EXPECT_EQ(over.At(5, 10), Blue);
    MSGL away{0, nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(50, 10)};
    b->WindowsMessage(&away);
    EXPECT_EQ(b->highlighted, 0);
    Canvas left(40, 20);
    Paint(b.get(), left);
    EXPECT_EQ(left.At(5, 10), Red);
}

TEST(BitmapPictures, AnArrivedPictureIsTakenAndAFailedOneForgotten)
{
    KernelHolder k;
    ScratchDir dir;
    dir.Write("up.bmp", HalfRed(Green));
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    b->style = BOUTON_STYLE_BITMAP;
    b->SetXYWH(0, 0, 40, 20);
    b->imageNames[BOUTON_IMAGE_RELEASED] = "http://server/up.bmp";
    b->imageNames[BOUTON_IMAGE_MASK] = "http://server/up.bmp";
    GETFILE_STRUCT record;
    record.source = "HTTP://SERVER/UP.BMP";
    record.localFile = (dir / "up.bmp").c_str();
    MSGL arrived{0, nullptr, KM_FILEREADY, QX_FILE_ARRIVED, reinterpret_cast<LPARAM>(&record)};
    EXPECT_EQ(b->KernelMessage(&arrived), 0);
    EXPECT_STREQ(b->localCopies[BOUTON_IMAGE_RELEASED], record.localFile);
    EXPECT_STREQ(b->localCopies[BOUTON_IMAGE_MASK], record.localFile);
    EXPECT_STREQ(b->localCopies[BOUTON_IMAGE_PRESSED], "");
    EXPECT_EQ(b->paintThrough, 1);
    b->imageNames[BOUTON_IMAGE_MASK] = "";
    Canvas canvas(40, 20);
    Paint(b.get(), canvas);
    EXPECT_EQ(canvas.At(5, 10), Red);
    EXPECT_EQ(canvas.At(35, 10), Green);

    MSGL failed{0, nullptr, KM_FILEREADY, QX_FILE_ARRIVED + 1, reinterpret_cast<LPARAM>(&record)};
    EXPECT_EQ(b->KernelMessage(&failed), 0);
    EXPECT_STREQ(b->localCopies[BOUTON_IMAGE_RELEASED], "");
    MSGL empty{0, nullptr, KM_FILEREADY, QX_FILE_ARRIVED, 0};
    EXPECT_EQ(b->KernelMessage(&empty), 1);
}

TEST(BitmapPictures, DisablingThePageDropsThePictures)
{
    KernelHolder k;
    ScratchDir dir;
    dir.Write("up.bmp", HalfRed(Green));
    std::unique_ptr<BOUTON> b(NewButton(k.kernel));
    Show(b.get(), BOUTON_IMAGE_RELEASED, dir / "up.bmp");
    ASSERT_EQ(b->releasedImage.bmp.Import((dir / "up.bmp").c_str()), 0);
    MSGL disable{0, nullptr, KM_ENABLE, 0, 0};
    b->KernelMessage(&disable);
    EXPECT_FALSE(b->releasedImage.Loaded());
    EXPECT_STREQ(b->localCopies[BOUTON_IMAGE_RELEASED], "");
    EXPECT_STREQ(b->imageNames[BOUTON_IMAGE_RELEASED], (dir / "up.bmp").c_str());
}

// The line a bitmap button writes into an exported page.
std::string ExportLine(BOUTON* b, ScratchDir& dir)
{
    QXFILE file = QXopen((dir / "out.js").c_str(), 1);
    int index = 0;
    EXPECT_EQ(b->ExportToDHTML(file, index), 1);
    QXclose(file);
    return dir.Read("out.js");
}

// Drawn looks are named after the picture file, numbered from 0.
class BitmapDHTML : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Write("up.bmp", HalfRed(Green));
        k.kernel->dhtmlDestPath = (dir / "web\\").c_str();
        k.kernel->dhtmlActivePage = (dir / "web\\page.html").c_str();
        b.reset(NewButton(k.kernel));
        Show(b.get(), BOUTON_IMAGE_RELEASED, dir / "up.bmp");
    }

    KernelHolder k;
    ScratchDir dir;
    std::unique_ptr<BOUTON> b;
};

TEST_F(BitmapDHTML, APictureWithALabelIsDrawnUnderTheNameOfItsFile)
{
    std::strcpy(b->label, "Ok");
    const std::string text = ExportLine(b.get(), dir);
    EXPECT_NE(text.find(",\"./images/up0.jpg\",\"./images/up1.jpg\",null);\r\n"), std::string::npos) << text;
    BMP drawn;
    ASSERT_EQ(drawn.Import((dir / "web\\images\\up0.jpg").c_str()), 0);
    int w = 0, h = 0;
    drawn.GetWH(w, h);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 20);
    unsigned long colour = 0;
    ASSERT_TRUE(drawn.GetPixelColor(2, 10, &colour));
    // JPEG keeps the colour near enough.
    EXPECT_GT(GetRValue(colour), 200);
    EXPECT_LT(GetGValue(colour), 60);
}

}  // namespace
