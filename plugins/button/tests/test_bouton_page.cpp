// Buttons on a page shown by the kernel: drawn into the device context of another object
// (the page rendered, the background of a see-through button), the visited stamp, clicks
// through real mouse messages on the button's window, creation mode and disabling.
#include "buttontest.h"

#include "accessors.h"
#include "branch.h"
#include "dialog_answerer.h"
#include "kerntree.h"
#include "pagehost.h"
#include "pagerender.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF PageColour = RGB(0, 128, 0);

// The host window hands the kernel what concerns it, as an application's window does: the
// arrival of fetched files among others.
WNDPROC staticProcedure = nullptr;

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == KM_FILEREADY)
        return KernCommand(window, message, wParam, lParam);
    return CallWindowProcA(staticProcedure, window, message, wParam, lParam);
}

class ButtonPage : public ::testing::Test {
protected:
    // The host window's procedure, and the pages the buttons lead to.
    void SetUp() override
    {
        staticProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(host.host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostProcedure)));
        for (const char* name : {"b.pag", "c.pag"})
            host.pub.Write(name, PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(), PageBlock(name, 0, 0, 0))}));
    }
    // A new button of the page being written, at (x, y), 60 x 30.
    BOUTON* Add(int style, int x, int y)
    {
        buttons.emplace_back(NewButton(host));
        BOUTON* b = buttons.back().get();
        b->style = style;
        b->SetXYWH(x, y, 60, 30);
        return b;
    }
    void Aim(BOUTON* b, const char* first, const char* second)
    {
        b->GetBranch(0)->SetFilename(host.Page(first).c_str());
        b->GetBranch(1)->SetFilename(host.Page(second).c_str());
    }
    // Writes the page with the buttons added so far and shows it.
    void Show(const std::string& name)
    {
        std::vector<RecordLines> records = {ObjectRecord("QXSHEET.DLL", static_cast<int>(buttons.size()), "NULL",
                                                         NoBranch(), PageBlock(name, 0, 128, 0))};
        for (auto& b : buttons)
            records.push_back(SavedRecord(b.get(), host.pub));
        buttons.clear();
        host.pub.Write(name, PageFile(records));
        ASSERT_EQ(host.Go(name), 1);
    }
    BOUTON* Shown(int index) { return static_cast<BOUTON*>(KernGetTopObjet(host)->GetChild(index)); }
    // The button's look drawn into the canvas as its window paints itself.
    void PaintShown(int index, const Canvas& canvas) { Paint(Shown(index), canvas); }
    // A visited button aimed at `first` (b.pag having been visited) on the page a.pag, painted
    // with its visited mark and without it.
    void PaintVisitedAndNot(const char* first, const Canvas& marked, const Canvas& plain)
    {
        BOUTON* b = Add(BOUTON_STYLE_3D, 100, 50);
        Aim(b, first, "c.pag");
        b->GetBranch(0)->visited = 1;
        ASSERT_EQ(host.Go("b.pag"), 1);
        Show("a.pag");
        PaintShown(0, marked);
        Shown(0)->GetBranch(0)->visited = 0;
        PaintShown(0, plain);
    }

    void TearDown() override
    {
        for (const ShownDialog& shown : answerer.Shown())
            ADD_FAILURE() << "alert: " << shown.caption << ": " << shown.text;
    }

    // Declared first: it answers what the page shows until the page is gone.
    DialogAnswerer answerer;
    PageHost host;
    std::vector<std::unique_ptr<BOUTON>> buttons;
};

TEST_F(ButtonPage, EachButtonDrawsItselfIntoThePageRenderedAtItsPlace)
{
    Add(BOUTON_STYLE_3D, 100, 50);
    Add(BOUTON_STYLE_FLAT, 200, 50)->background = {255, 0, 0, 0};
    Show("a.pag");
    OBJET* root = KernGetTopObjet(host);
    ASSERT_NE(root, nullptr);
    ASSERT_NE(Shown(1)->window, nullptr);
    RECT area;
    GetWindowRect(root->window, &area);
    area.right = area.left + 300;
    area.bottom = area.top + 100;
    Canvas canvas(300, 100);
    HBITMAP page = KernRenderPage(host, root, area, canvas.Dc());
    ASSERT_NE(page, nullptr);
    HDC memory = CreateCompatibleDC(canvas.Dc());
    HGDIOBJ previous = SelectObject(memory, page);
    BitBlt(canvas.Dc(), 0, 0, 300, 100, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(page);
    canvas.SaveForViewing("page rendered");
    EXPECT_EQ(canvas.At(50, 20), PageColour);
    EXPECT_EQ(canvas.At(100, 50), Black);
    EXPECT_EQ(canvas.At(101, 51), White);
    EXPECT_EQ(canvas.At(130, 65), Light);
    EXPECT_EQ(canvas.At(159, 79), Black);
    EXPECT_EQ(canvas.At(200, 50), Black);
    EXPECT_EQ(canvas.At(230, 65), Red);
    EXPECT_EQ(canvas.At(265, 65), PageColour);
}

TEST_F(ButtonPage, AButtonAskedForWhatLiesBehindItselfStopsTheDrawing)
{
    Add(BOUTON_STYLE_3D, 100, 50);
    Show("a.pag");
    BOUTON* b = Shown(0);
    Canvas canvas(60, 30);
    KERNDRAW request{{0, 0, 2000, 2000}, canvas.Dc()};
    MSGL own{0, nullptr, KM_PAINTTO, reinterpret_cast<WPARAM>(b->window), reinterpret_cast<LPARAM>(&request)};
    EXPECT_EQ(b->KernelMessage(&own), 1);
    EXPECT_EQ(canvas.CountOf(Magenta), 60 * 30);
}

TEST_F(ButtonPage, ASeeThroughButtonShowsTheButtonBehindIt)
{
    Add(BOUTON_STYLE_3D, 100, 50);
    BOUTON* front = Add(BOUTON_STYLE_FLAT, 120, 55);
    front->background = {255, 0, 0, 1};
    front->border = {0, 0, 255, 0};
    Show("a.pag");
    Canvas canvas(60, 30);
    PaintShown(1, canvas);
    canvas.SaveForViewing("see-through over raised");
    EXPECT_EQ(canvas.At(0, 0), Blue);
    EXPECT_EQ(canvas.At(59, 29), Blue);
    // The raised button's inside, its black right edge, then the page.
    EXPECT_EQ(canvas.At(5, 5), Light);
    EXPECT_EQ(canvas.At(39, 15), Black);
    EXPECT_EQ(canvas.At(45, 15), PageColour);
    EXPECT_EQ(canvas.CountOf(Red), 0);
}

TEST_F(ButtonPage, ATransparentColourShowsThePageBehindThePicture)
{
    host.pub.Write("up.bmp", BmpFile(20, 10, [](int x, int) { return x < 10 ? Red : Blue; }));
    BOUTON* b = Add(BOUTON_STYLE_BITMAP, 100, 50);
    b->imageNames[BOUTON_IMAGE_RELEASED] = host.Page("up.bmp").c_str();
    b->releasedImage.transparentEnable = 1;
    b->releasedImage.transparentColour = Blue;
    Show("a.pag");
    BOUTON* shown = Shown(0);
    ASSERT_TRUE(PumpUntil([shown] { return shown->localCopies[BOUTON_IMAGE_RELEASED].length() > 0; }, 3000));
    Canvas canvas(60, 30);
    PaintShown(0, canvas);
    canvas.SaveForViewing("bitmap with transparent colour");
    EXPECT_EQ(canvas.At(5, 15), Red);
    EXPECT_EQ(canvas.At(45, 15), PageColour);

    // Drawn into another object's device context, the picture leaves what is there.
    Canvas other(60, 30);
    RECT area;
    GetWindowRect(shown->window, &area);
    KERNDRAW request{area, other.Dc()};
    MSGL paintTo{0, nullptr, KM_PAINTTO, 0, reinterpret_cast<LPARAM>(&request)};
    EXPECT_EQ(shown->KernelMessage(&paintTo), 0);
    EXPECT_EQ(other.At(5, 15), Red);
    EXPECT_EQ(other.At(45, 15), Magenta);
}

TEST_F(ButtonPage, AMaskedPictureDrawnIntoAnotherObjectsContextLeavesWhatIsThere)
{
    host.pub.Write("up.bmp", BmpFile(20, 10, [](int x, int) { return x < 10 ? Red : Black; }));
    host.pub.Write("mask.bmp", BmpFile(20, 10, [](int x, int) { return x < 10 ? Black : White; }));
    BOUTON* b = Add(BOUTON_STYLE_BITMAP, 100, 50);
    b->imageNames[BOUTON_IMAGE_RELEASED] = host.Page("up.bmp").c_str();
    b->imageNames[BOUTON_IMAGE_MASK] = host.Page("mask.bmp").c_str();
    Show("a.pag");
    BOUTON* shown = Shown(0);
    ASSERT_TRUE(PumpUntil([shown] { return shown->localCopies[BOUTON_IMAGE_MASK].length() > 0; }, 3000));
    Canvas other(70, 40);
    RECT area;
    GetWindowRect(shown->window, &area);
    OffsetRect(&area, -10, -10);
    area.right = area.left + 70;
    area.bottom = area.top + 40;
    KERNDRAW request{area, other.Dc()};
    MSGL paintTo{0, nullptr, KM_PAINTTO, 0, reinterpret_cast<LPARAM>(&request)};
    EXPECT_EQ(shown->KernelMessage(&paintTo), 0);
    other.SaveForViewing("masked picture into another context");
    EXPECT_EQ(other.At(5, 5), Magenta);
    EXPECT_EQ(other.At(15, 25), Red);
    EXPECT_EQ(other.At(55, 25), Magenta);
}

TEST_F(ButtonPage, DisablingThePageDropsThePicturesOfItsButtons)
{
    host.pub.Write("up.bmp", BmpFile(20, 10, [](int, int) { return Red; }));
    BOUTON* b = Add(BOUTON_STYLE_BITMAP, 100, 50);
    b->imageNames[BOUTON_IMAGE_RELEASED] = host.Page("up.bmp").c_str();
    Show("a.pag");
    BOUTON* shown = Shown(0);
    ASSERT_TRUE(PumpUntil([shown] { return shown->localCopies[BOUTON_IMAGE_RELEASED].length() > 0; }, 3000));
    OBJET* root = KernGetTopObjet(host);
    EnableWindow(root->window, FALSE);
    EXPECT_STREQ(shown->localCopies[BOUTON_IMAGE_RELEASED], "");
    EXPECT_FALSE(shown->releasedImage.Loaded());
    EnableWindow(root->window, TRUE);
}

bool SamePixels(const Canvas& a, const Canvas& b, int width, int height)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

TEST_F(ButtonPage, ABranchToAPageNotVisitedShowsNoStamp)
{
    Canvas marked(60, 30), plain(60, 30);
    PaintVisitedAndNot("c.pag", marked, plain);
    EXPECT_TRUE(SamePixels(marked, plain, 60, 30));
}

TEST_F(ButtonPage, ABranchToAVisitedPageShowsTheKernelsStamp)
{
    Canvas marked(60, 30), plain(60, 30);
    PaintVisitedAndNot("b.pag", marked, plain);
    EXPECT_FALSE(SamePixels(marked, plain, 60, 30));
    KernDrawPost(host, plain.Dc(), 5, 5);
    EXPECT_TRUE(SamePixels(marked, plain, 60, 30));
}

// The branches the host was asked to take, by the file name of their target; it takes none.
std::vector<std::string> taken;

int RecordBranch(BRANCH* branch, void*)
{
    const char* target = branch->target;
    const char* slash = std::strrchr(target, '\\');
    taken.push_back(slash ? slash + 1 : target);
    return 0;
}

class ButtonClicks : public ButtonPage {
protected:
    void SetUp() override
    {
        ButtonPage::SetUp();
        taken.clear();
        KernSetFilterBranch(host, RecordBranch);
    }
    // Presses at (10, 10) and releases at (x, 10), as the mouse would, then lets the kernel
    // run what the click asked for.
    void Click(BOUTON* b, int x)
    {
        SendMessageA(b->window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        SendMessageA(b->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        SendMessageA(b->window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 10));
        SendMessageA(b->window, WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
        const size_t before = taken.size();
        PumpUntil([before] { return taken.size() > before; }, 500);
    }
    LRESULT Checked(BOUTON* b) { return SendMessageA(b->window, BM_GETCHECK, 0, 0); }
};

TEST_F(ButtonClicks, AToggleTakesItsTwoBranchesInTurn)
{
    BOUTON* b = Add(BOUTON_STYLE_3D, 100, 50);
    b->toggle = 1;
    Aim(b, "b.pag", "c.pag");
    Show("a.pag");
    BOUTON* shown = Shown(0);
    Click(shown, 10);
    EXPECT_EQ(Checked(shown), 1);
    Click(shown, 10);
    EXPECT_EQ(Checked(shown), 0);
    Click(shown, 10);
    EXPECT_EQ(Checked(shown), 1);
    EXPECT_EQ(taken, (std::vector<std::string>{"b.pag", "c.pag", "b.pag"}));
}

TEST_F(ButtonClicks, AnOrdinaryButtonTakesItsFirstBranchEachTime)
{
    Aim(Add(BOUTON_STYLE_3D, 100, 50), "b.pag", "c.pag");
    Show("a.pag");
    Click(Shown(0), 10);
    Click(Shown(0), 10);
    EXPECT_EQ(Checked(Shown(0)), 0);
    EXPECT_EQ(taken, (std::vector<std::string>{"b.pag", "b.pag"}));
}

TEST_F(ButtonClicks, AReleaseOutsideTakesNothing)
{
    BOUTON* b = Add(BOUTON_STYLE_3D, 100, 50);
    b->toggle = 1;
    Aim(b, "b.pag", "c.pag");
    Show("a.pag");
    BOUTON* shown = Shown(0);
    Click(shown, 80);
    EXPECT_TRUE(taken.empty());
    EXPECT_EQ(Checked(shown), 0);
    EXPECT_EQ(shown->held, 0);
    // Leaving the area while held shows the released look again.
    SendMessageA(shown->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    Canvas pressed(60, 30);
    PaintShown(0, pressed);
    EXPECT_EQ(pressed.At(1, 1), Dark);
    SendMessageA(shown->window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 10));
    Canvas released(60, 30);
    PaintShown(0, released);
    EXPECT_EQ(released.At(1, 1), White);
    SendMessageA(shown->window, WM_LBUTTONUP, 0, MAKELPARAM(80, 10));
}

TEST_F(ButtonClicks, CreationModeIgnoresPressesAndOutlinesTheInvisibleArea)
{
    Aim(Add(BOUTON_STYLE_INVISIBLE, 100, 50), "b.pag", "c.pag");
    Show("a.pag");
    BOUTON* shown = Shown(0);
    EXPECT_EQ(shown->outlineMarker, 0);
    KernSetMode(host, QX_MODE_EDIT_BIT);
    EXPECT_EQ(shown->outlineMarker, 2);
    SendMessageA(shown->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(shown->held, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    Click(shown, 10);
    EXPECT_TRUE(taken.empty());
    Canvas outlined(60, 30);
    PaintShown(0, outlined);
    EXPECT_GT(outlined.CountOf(Red), 100);
    KernSetMode(host, QX_MODE_PRESENTATION);
    EXPECT_EQ(shown->outlineMarker, 0);
}

}  // namespace
