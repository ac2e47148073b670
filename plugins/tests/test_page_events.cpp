// Files dropped onto a page shown, the page's procedure seeing a click before the page, and
// where the procedure's DLL may come from.
#include "pagehost.h"

#include "dialog_answerer.h"
#include "image/image.h"
#include "page/page.h"
#include "plugintest.h"
#include "stand_in_internet.h"
#include "test_programs.h"
#include "usercode/usercode_journal.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using DROP = int (*)(KERNEL*, const char*, POINT*);

int ChildrenOf(OBJET* root, const char* module)
{
    int count = 0;
    for (int i = 0; i < root->GetChildItems(); ++i)
        count += lstrcmpiA(root->GetChild(i)->GetDLLName(), module) == 0;
    return count;
}

std::string PlainPage(const std::string& title, const RecordLines& branches = NoBranch())
{
    return PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", branches, PageBlock(title, 255, 255, 255))});
}

int vetoedClicks = 0;

LRESULT VetoClicks(HWND, UINT message, WPARAM, LPARAM)
{
    if (message != WM_LBUTTONDOWN)
        return 0;
    ++vetoedClicks;
    return 1;
}

}  // namespace

TEST(Drop, OntoAPageShownImagesAndSoundsAreAddedOtherFilesRefused)
{
    PageHost host;
    host.pub.Write("a.pag", PlainPage("A"));
    host.pub.Write("pic.bmp", BmpFile(40, 20, [](int, int) { return RGB(0, 0, 255); }));
    host.pub.Write("broken.bmp", "BM pas une image");
    host.pub.Write("tone.wav", WavFile(100));
    host.pub.Write("notes.txt", "texte");
    ASSERT_EQ(1, host.Go("a.pag"));
    OBJET* root = KernGetTopObjet(host);
    ASSERT_NE(nullptr, root);
    auto imageDrop = PluginExport<DROP>("qxpict40.dll", "FileDropped");
    auto soundDrop = PluginExport<DROP>("qxaudio40.dll", "FileDropped");
    ASSERT_TRUE(imageDrop && soundDrop);
    POINT at{200, 150};
    ClientToScreen(root->window, &at);

    EXPECT_EQ(1, imageDrop(host, host.Page("pic.bmp").c_str(), &at));
    ASSERT_EQ(1, ChildrenOf(root, "QXPICT.DLL"));
    const auto* image = static_cast<IMAGE*>(root->GetChild(root->GetChildItems() - 1));
    // Centred on the drop point, at the picture's size.
    EXPECT_EQ(180, image->x);
    EXPECT_EQ(140, image->y);
    EXPECT_EQ(40, image->w);
    EXPECT_EQ(20, image->h);

    // A file that does not decode leaves nothing behind.
    EXPECT_EQ(0, imageDrop(host, host.Page("broken.bmp").c_str(), &at));
    EXPECT_EQ(0, imageDrop(host, host.Page("tone.wav").c_str(), &at));
    EXPECT_EQ(0, imageDrop(host, host.Page("notes.txt").c_str(), &at));
    EXPECT_EQ(1, ChildrenOf(root, "QXPICT.DLL"));

    EXPECT_EQ(0, soundDrop(host, host.Page("notes.txt").c_str(), &at));
    EXPECT_EQ(0, soundDrop(host, host.Page("pic.bmp").c_str(), &at));
    EXPECT_EQ(0, ChildrenOf(root, "QXAUDIO.DLL"));
    EXPECT_EQ(1, soundDrop(host, host.Page("tone.wav").c_str(), &at));
    EXPECT_EQ(1, ChildrenOf(root, "QXAUDIO.DLL"));
    EXPECT_EQ(2, root->GetChildItems());
}

TEST(PageHook, TheProcedureVetoesTheClickThatWouldTakeThePageBranch)
{
    PageHost host;
    host.pub.Write("a.pag", PlainPage("A", BranchTo("b.pag")));
    host.pub.Write("b.pag", PlainPage("B"));
    ASSERT_EQ(1, host.Go("a.pag"));
    auto* page = static_cast<PAGE*>(KernGetTopObjet(host));
    ASSERT_NE(nullptr, page);
    char hook[32];
    std::snprintf(hook, sizeof hook, "%p", reinterpret_cast<void*>(&VetoClicks));
    ASSERT_EQ(1, page->SetProperties(1000, hook));
    vetoedClicks = 0;
    SendMessageA(page->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(PumpUntil([&] { return host.Shown() != "A"; }, 500));
    EXPECT_EQ(1, vetoedClicks);

    // Without the procedure the same click takes the branch.
    ASSERT_EQ(1, page->SetProperties(1000, "0"));
    SendMessageA(page->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(PumpUntil([&] { return host.Shown() == "B"; }, 5000));
    EXPECT_EQ(1, vetoedClicks);
}

// The procedure DLL of a local page binds from a local copy; the same DLL on a server is refused
// before any fetch, so that no copy of it, cached or not, is loaded.
TEST(PageHook, AProcedureDllOnAServerIsNeitherFetchedNorLoaded)
{
    StandInInternet internet;
    ASSERT_TRUE(internet.Bound());
    PageHost host;
    const std::string dll = TestProgramFolder() + "usercode\\qxusercode_cpp.dll";
    ASSERT_TRUE(CopyFileA(dll.c_str(), (internet.server / "hook.dll").c_str(), FALSE)) << dll;
    ASSERT_TRUE(CopyFileA(dll.c_str(), host.Page("hook.dll").c_str(), FALSE)) << dll;
    struct Case {
        const char* page;
        std::string dll;
        bool local;
    };
    // The served copies first: a module loaded from the local copy is still loaded afterwards.
    for (const Case& c : {Case{"http", internet.Address("HTTP://", "hook.dll"), false},
                          Case{"ftp", internet.Address("FTP://", "hook.dll"), false},
                          Case{"local", host.Page("hook.dll"), true}}) {
        host.pub.Write(std::string(c.page) + ".pag",
                       PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(),
                                              PageBlock(c.page, 255, 255, 255, {c.dll, "PageProcedure"}))}));
        ClearUserCodeJournal();
        DialogAnswerer answerer;
        ASSERT_EQ(1, host.Go(std::string(c.page) + ".pag")) << c.page;
        auto* page = static_cast<PAGE*>(KernGetTopObjet(host));
        ASSERT_NE(nullptr, page) << c.page;
        EXPECT_STREQ(c.dll.c_str(), page->procDll) << c.page;
        if (c.local) {
            EXPECT_NE(nullptr, page->procHook);
            EXPECT_EQ(0u, UserCodeJournal().rfind("loaded;procedure;", 0)) << UserCodeJournal();
            EXPECT_TRUE(answerer.Shown().empty());
            continue;
        }
        EXPECT_EQ(nullptr, page->procHook) << c.page;
        EXPECT_EQ("", UserCodeJournal()) << c.page;
        // Told once for the page shown.
        ASSERT_EQ(1u, answerer.Shown().size()) << c.page;
        EXPECT_EQ("Erreur de branchement", answerer.Shown()[0].caption);
        EXPECT_EQ(0u, answerer.Shown()[0].text.find(c.dll + " se trouve sur un serveur distant."))
            << answerer.Shown()[0].text;
    }
    EXPECT_EQ(std::string::npos, internet.Journal().find("Retrieve(")) << internet.Journal();
}
