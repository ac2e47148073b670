// Printing and the page snapshot draw a page through its objects; the help program is
// started with its command line or reported missing.
#include "navtest.h"

#include "dialog_answerer.h"
#include "help.h"
#include "pagerender.h"
#include "printing.h"
#include "snapshot.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

COLORREF PixelOf(HBITMAP bitmap, int x, int y)
{
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST(PagePrinting, ThePageBitmapHoldsWhatItsObjectsDrew)
{
    NavKernel nav;
    nav.pub.Write("a.pag", RecPage("a", "0 0 255"));
    ASSERT_EQ(1, nav.Go("a.pag"));
    OBJET* root = KernGetTopObjet(nav);
    RECT area;
    GetClientRect(root->window, &area);
    MapWindowPoints(root->window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const HDC screen = GetDC(nullptr);
    const HBITMAP page = KernRenderPage(nav, root, area, screen);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(RGB(0, 0, 255), PixelOf(page, 30, 20));
    EXPECT_EQ(RGB(192, 192, 192), PixelOf(page, 100, 80));

    // Printed into a memory context standing for the printer's page.
    const HDC printer = CreateCompatibleDC(screen);
    const HBITMAP sheet = CreateCompatibleBitmap(screen, 200, 100);
    const HGDIOBJ old = SelectObject(printer, sheet);
    PatBlt(printer, 0, 0, 200, 100, WHITENESS);
    EXPECT_EQ(1, KernDrawPageBitmap(printer, page));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(printer, 30, 20));
    SelectObject(printer, old);
    DeleteObject(sheet);
    DeleteDC(printer);
    ReleaseDC(nullptr, screen);

    // A context that cannot start a document is reported, not printed on.
    DialogAnswerer answerer;
    const HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(0, KernPrintPageBitmap(nav.host, memory, page, "doc"));
    EXPECT_EQ(1u, answerer.Shown().size());
    DeleteDC(memory);
    DeleteObject(page);
}

TEST(PageSnapshot, ShowsThePageAsItsObjectsDrawIt)
{
    ScratchDir pub;
    pub.Write("a.pag", RecPage("a", "0 255 0"));
    // The snapshot's kernel takes its plug-ins from the host's kernel.
    const HWND host = CreateWindowExA(0, "STATIC", "h", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    KERNEL* hostKernel = KernConstructeur(host, nullptr, "", "", "");
    hostKernel->appPath = TestPluginFolder().c_str();
    const HBITMAP shot = KernPreviewPage((pub / "a.pag").c_str());
    KernDestructeur(hostKernel);
    DestroyWindow(host);
    ASSERT_NE(nullptr, shot);
    BITMAP info{};
    GetObjectA(shot, sizeof info, &info);
    EXPECT_EQ(640, info.bmWidth);
    EXPECT_EQ(480, info.bmHeight);
    EXPECT_EQ(RGB(0, 255, 0), PixelOf(shot, 30, 20));
    EXPECT_EQ(RGB(192, 192, 192), PixelOf(shot, 300, 300));
    DeleteObject(shot);
}

TEST(PageSnapshot, NoBitmapForFoldersMissingFilesAndPagesThatDoNotLoad)
{
    ScratchDir pub;
    pub.Write("bad.pag", "pas une page\r\n");
    DialogAnswerer answerer;
    PostQuitMessage(5);
    EXPECT_EQ(nullptr, KernPreviewPage(pub.Path().substr(0, pub.Path().size() - 1).c_str()));
    EXPECT_EQ(nullptr, KernPreviewPage((pub / "absent.pag").c_str()));
    EXPECT_EQ(nullptr, KernPreviewPage((pub / "bad.pag").c_str()));
    // The quit request of the caller's loop is still there.
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(5u, msg.wParam);
}

TEST(HelpProgram, AMissingProgramIsReported)
{
    ScratchDir app;
    TestKernel kernel(app.Path());
    const char* pages[] = {"bookmark.pag", "sous\\page.pag"};
    for (const char* page : pages) {
        DialogAnswerer answerer;
        KernHelp(kernel, page);
        ASSERT_EQ(1u, answerer.Shown().size()) << page;
        EXPECT_EQ("Aide Vistrelle", answerer.Shown()[0].caption) << page;
    }
}

TEST(HelpProgram, TheProgramIsStartedOnTheHelpPage)
{
    ScratchDir app;
    const std::string program = app / "QXASSIST40.EXE";
    ASSERT_TRUE(CopyFileA((TestToolFolder("kernprograms") + "qxrecordargs.exe").c_str(), program.c_str(), FALSE));
    TestKernel kernel(app.Path());
    // The tests never enable internet access.
    const std::string expected = "\"" + program + "\" -N " + app.Path() + "AIDE\\bookmark.pag";
    char line[600] = "inchangé";
    KernGetHelpCmdLine(kernel, line, static_cast<int>(expected.size()), "bookmark.pag", 0, 0);
    EXPECT_STREQ("inchangé", line);  // one character too small
    KernGetHelpCmdLine(kernel, line, sizeof line, "bookmark.pag", 0, 0);
    EXPECT_EQ(expected, line);
    KernHelp(kernel, "bookmark.pag");
    std::string recorded;
    for (int i = 0; i < 400 && recorded.empty(); ++i) {
        Sleep(10);
        std::ifstream in(program + ".args", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        recorded = text.str();
    }
    EXPECT_EQ(expected, recorded);
    // Wait for it to go, so that its folder can be removed.
    Sleep(200);
}

}  // namespace
