// The bookmark file and the slide show that plays the bookmarks.
#include "kerneltest.h"

#include "bookmarks.h"
#include "branch.h"
#include "dialog_answerer.h"
#include "held_file.h"
#include "history.h"
#include "kernelres.h"
#include "qxmsgwind.h"
#include "scratch_dir.h"
#include "slideshow.h"
#include "test_canvas.h"

#include <gtest/gtest.h>

namespace {

std::string Titles(KERNEL* kernel)
{
    std::string titles;
    for (int i = 0; i < kernel->bookmarks.Items(); ++i) {
        auto* bookmark = static_cast<KERNBOOKMARK*>(kernel->bookmarks.GetItem(i));
        titles += std::string(bookmark->title) + ">" + static_cast<const char*>(bookmark->page) + ";";
    }
    return titles;
}

constexpr const char* Header = "QORVEX-HYPERMEDIA BOOKMARKS";

// A program reading the file, which lets others write to it but not delete or replace it.
constexpr DWORD ReaderSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;

TEST(Bookmarks, ARoundTripKeepsEveryBookmarkAndTheSettings)
{
    ScratchDir dir;
    TestKernel kernel;
    const std::string longTitle(600, 't');
    const std::string titles[] = {"Accueil", "a=b", "SlideShowLoopy=3", longTitle, "Fin"};
    for (const std::string& title : titles)
        ASSERT_EQ(1, KernAddBookMark(kernel, (title + ".pag").c_str(), title.c_str()));
    kernel->slideLoop = 0;
    kernel->slideDelay = 7;
    ASSERT_EQ(1, KernSaveBookmarks(kernel, (dir / "s.qxb").c_str()));
    const std::string saved =
        Lines({Header, "version : 4.0.0.5", "SlideShowLoop=0", "SlideShowDelay=7", "Accueil\tAccueil.pag",
               "a=b\ta=b.pag", "SlideShowLoopy=3\tSlideShowLoopy=3.pag", longTitle + "\t" + longTitle + ".pag",
               "Fin\tFin.pag"});
    EXPECT_EQ(saved, dir.Read("s.qxb"));

    TestKernel reader;
    ASSERT_EQ(1, KernLoadBookmarks(reader, (dir / "s.qxb").c_str()));
    EXPECT_EQ(Titles(kernel), Titles(reader));
    EXPECT_EQ(0, reader->slideLoop);
    EXPECT_EQ(7, reader->slideDelay);
    EXPECT_STREQ((dir / "s.qxb").c_str(), KernGetBookmarkFile(reader));
    // Read without a rewrite.
    EXPECT_EQ(saved, dir.Read("s.qxb"));
}

// A save that cannot put the new file in the old one's place leaves the old one whole, and
// no work file behind.
TEST(Bookmarks, ASaveThatCannotCompleteLeavesTheFileWhole)
{
    ScratchDir dir;
    const std::string before = Lines({Header, "version : 4.0.0.5", "SlideShowLoop=1", "SlideShowDelay=3", "A\ta.pag"});
    dir.Write("s.qxb", before);
    TestKernel kernel;
    KernAddBookMark(kernel, "b.pag", "B");
    {
        HeldFile reader(dir / "s.qxb", ReaderSharing);
        ASSERT_TRUE(reader.Held());
        EXPECT_EQ(0, KernSaveBookmarks(kernel, (dir / "s.qxb").c_str()));
    }
    EXPECT_EQ(before, dir.Read("s.qxb"));
    EXPECT_EQ(std::vector<std::string>{"s.qxb"}, FilesIn(dir.Path()));
}

// An older file that cannot be brought up to date stays as it was; the user is told, and
// its bookmarks are read as they are.
TEST(Bookmarks, AConversionThatCannotCompleteLeavesTheFileWholeAndSaysSo)
{
    ScratchDir dir;
    const std::string before = Lines({Header, "SlideShowLoop=1", "A\ta.pag"});
    dir.Write("old.qxb", before);
    TestKernel kernel;
    DialogAnswerer answerer;
    {
        HeldFile reader(dir / "old.qxb", ReaderSharing);
        ASSERT_TRUE(reader.Held());
        EXPECT_EQ(1, KernLoadBookmarks(kernel, (dir / "old.qxb").c_str()));
    }
    EXPECT_EQ(before, dir.Read("old.qxb"));
    EXPECT_EQ(std::vector<std::string>{"old.qxb"}, FilesIn(dir.Path()));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Erreur", answerer.Shown()[0].caption);
    EXPECT_EQ("Impossible de faire la mise à jour du fichier de signet.", answerer.Shown()[0].text);
    EXPECT_EQ("A>a.pag;", Titles(kernel));
    EXPECT_EQ(1, kernel->slideLoop);
}

// The publication moved since its bookmarks were made: the author's path of a page is
// looked for around the publication's new folder, and the file then names it where it lies.
TEST(Bookmarks, AnOldFileIsRewrittenWithAVersionLineAndRelocatedPaths)
{
    ScratchDir dir;
    dir.Write("pubs\\demo\\p.pag", "QORVEX-HYPERMEDIA PAGE\r\n");
    const std::string lost = "Perdue\tQ:\\travail\\demo\\absente.pag";
    dir.Write("old.qxb", Lines({Header, "SlideShowDelay=x", "Page\tQ:\\travail\\demo\\p.pag", lost}));
    TestKernel kernel;
    kernel->scnPath = (dir / "pubs\\demo\\").c_str();
    ASSERT_EQ(1, KernLoadBookmarks(kernel, (dir / "old.qxb").c_str()));
    const std::string moved = dir / "pubs\\demo\\p.pag";
    EXPECT_EQ(Lines({Header, "version : 4.0.0.5", "SlideShowDelay=x", "Page\t" + moved, lost}), dir.Read("old.qxb"));
    EXPECT_EQ(0, kernel->slideDelay);
    EXPECT_EQ("Page>" + moved + ";Perdue>Q:\\travail\\demo\\absente.pag;", Titles(kernel));
}

// A large old file naming the same pages on many lines: every line names its page where it
// lies now, or keeps the author's path when the page is nowhere, in the file's order.
TEST(Bookmarks, ALargeOldFileNamesEachPageWhereItLiesOnEveryLine)
{
    ScratchDir dir;
    dir.Write("pubs\\demo\\p1.pag", "QORVEX-HYPERMEDIA PAGE\r\n");
    dir.Write("pubs\\demo\\p2.pag", "QORVEX-HYPERMEDIA PAGE\r\n");
    const std::string authorPaths[] = {"Q:\\travail\\demo\\p1.pag", "Q:\\travail\\demo\\absente.pag",
                                       "Q:\\travail\\demo\\p2.pag"};
    const std::string pathsNow[] = {dir / "pubs\\demo\\p1.pag", authorPaths[1], dir / "pubs\\demo\\p2.pag"};
    std::vector<std::string> lines{Header, "SlideShowLoop=1"};
    std::vector<std::string> converted{Header, "version : 4.0.0.5", "SlideShowLoop=1"};
    for (int i = 0; i < 20000; ++i) {
        const std::string title = "Signet " + std::to_string(i) + "\t";
        lines.push_back(title + authorPaths[i % 3]);
        converted.push_back(title + pathsNow[i % 3]);
    }
    dir.Write("old.qxb", Lines(lines));
    TestKernel kernel;
    kernel->scnPath = (dir / "pubs\\demo\\").c_str();
    ASSERT_EQ(1, KernLoadBookmarks(kernel, (dir / "old.qxb").c_str()));
    EXPECT_TRUE(Lines(converted) == dir.Read("old.qxb")) << Visible(dir.Read("old.qxb").substr(0, 400));
    ASSERT_EQ(20000, kernel->bookmarks.Items());
    auto* last = static_cast<KERNBOOKMARK*>(kernel->bookmarks.GetItem(19999));
    EXPECT_EQ(pathsNow[19999 % 3], static_cast<const char*>(last->page));
}

// Older files are brought up to date with every line whole; a file of no known form is
// refused and left byte for byte, the list as it was.
TEST(Bookmarks, OlderFilesAreConvertedWholeAndUnknownOnesLeftAlone)
{
    const std::string longTitle(600, 't');
    const std::string hugePage = std::string(100000, 'p') + ".pag";
    struct Case {
        const char* what;
        std::vector<std::string> lines;      // after the header
        std::vector<std::string> converted;  // after the header; none when refused
        std::string titles;
    };
    const Case cases[] = {
        {"a 600-character bookmark and no version line",
         {"SlideShowLoop=1", longTitle + "\ta.pag"},
         {"version : 4.0.0.5", "SlideShowLoop=1", longTitle + "\ta.pag"},
         longTitle + ">a.pag;"},
        {"a page name of 100 KB first",
         {"Grand\t" + hugePage, "SlideShowDelay=4"},
         {"version : 4.0.0.5", "Grand\t" + hugePage, "SlideShowDelay=4"},
         "Grand>" + hugePage + ";"},
        {"a version that reads as 0", {"version : 0.0", "B\tb.pag"}, {"version : 4.0.0.5", "B\tb.pag"}, "B>b.pag;"},
        {"the header alone", {}, {}, "A>a.pag;"},
        {"a version line cut short", {"versi"}, {}, "A>a.pag;"},
        {"a text that is neither setting nor bookmark", {"Mes signets", "B\tb.pag"}, {}, "A>a.pag;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDir dir;
        std::vector<std::string> lines{Header};
        lines.insert(lines.end(), c.lines.begin(), c.lines.end());
        dir.Write("f.qxb", Lines(lines));
        TestKernel kernel;
        KernAddBookMark(kernel, "a.pag", "A");
        DialogAnswerer answerer;
        const bool refused = c.converted.empty();
        EXPECT_EQ(refused ? 0 : 1, KernLoadBookmarks(kernel, (dir / "f.qxb").c_str()));
        if (refused) {
            EXPECT_EQ(0, KernRefreshBookMark(kernel, (dir / "f.qxb").c_str())) << "asked to convert it all the same";
        }
        std::vector<std::string> expected{Header};
        expected.insert(expected.end(), c.converted.begin(), c.converted.end());
        const std::string after = dir.Read("f.qxb");
        EXPECT_TRUE(after == Lines(refused ? lines : expected))
            << after.size() << " bytes: " << Visible(after.substr(0, 200));
        EXPECT_TRUE(c.titles == Titles(kernel)) << Visible(Titles(kernel).substr(0, 200));
        EXPECT_EQ(std::vector<std::string>{"f.qxb"}, FilesIn(dir.Path()));
        EXPECT_TRUE(answerer.Shown().empty());
    }
}

TEST(Bookmarks, RefusedFilesLeaveTheListAsItWas)
{
    ScratchDir dir;
    dir.Write("page.qxb", "QORVEX-HYPERMEDIA PAGE\r\n");
    TestKernel kernel;
    KernAddBookMark(kernel, "a.pag", "A");
    const std::string cases[] = {dir / "missing.qxb", dir / "page.qxb"};
    for (const std::string& file : cases) {
        EXPECT_EQ(0, KernLoadBookmarks(kernel, file.c_str())) << file;
        EXPECT_EQ("A>a.pag;", Titles(kernel)) << file;
    }
    EXPECT_EQ(0, KernSaveBookmarks(kernel, (dir / "no\\such\\folder.qxb").c_str()));
}

TEST(Bookmarks, TheSameTitleAndPageIsKeptOnce)
{
    TestKernel kernel;
    EXPECT_EQ(1, KernAddBookMark(kernel, "a.pag", "A"));
    EXPECT_EQ(0, KernAddBookMark(kernel, "A.PAG", "a"));
    EXPECT_EQ(1, KernAddBookMark(kernel, "a.pag", "Autre"));
    EXPECT_EQ(0, KernAddBookMark(kernel, "", "Vide"));
    EXPECT_EQ(1, KernAddBookMark(kernel, "\xe9t\xe9.pag", "\xc9t\xe9"));
    EXPECT_EQ(0, KernAddBookMark(kernel, "\xc9T\xc9.PAG", "\xe9T\xe9"));
    // The title and the page are not one text: moving a character from one to the other
    // makes another bookmark.
    EXPECT_EQ(1, KernAddBookMark(kernel, "t.pag", "Au"));
    EXPECT_EQ(1, KernAddBookMark(kernel, "ut.pag", "A"));
    KernDeleteBookMark(kernel, 0);
    EXPECT_EQ("Autre>a.pag;\xc9t\xe9>\xe9t\xe9.pag;Au>t.pag;A>ut.pag;", Titles(kernel));
    EXPECT_EQ(1, KernAddBookMark(kernel, "a.pag", "A"));
}

TEST(Bookmarks, ABookmarkAFileNamesTwiceIsThereUntilBothAreDeleted)
{
    ScratchDir dir;
    TestKernel kernel;
    dir.Write("s.qxb", Lines({Header, "version : 4.0.0.5", "A\ta.pag", "B\tb.pag", "A\ta.pag"}));
    ASSERT_EQ(1, KernLoadBookmarks(kernel, (dir / "s.qxb").c_str()));
    KernDeleteBookMark(kernel, 0);
    EXPECT_EQ(0, KernAddBookMark(kernel, "a.pag", "A"));
    KernDeleteBookMark(kernel, 1);
    EXPECT_EQ("B>b.pag;", Titles(kernel));
    EXPECT_EQ(1, KernAddBookMark(kernel, "a.pag", "A"));
    kernel->bookmarks.Clear();
    EXPECT_EQ(1, KernAddBookMark(kernel, "a.pag", "A"));
}

std::vector<int> slideShowModes;
void RecordSlideShow(void*, int running) { slideShowModes.push_back(running); }

class SlideShow : public testing::Test {
protected:
    void SetUp() override
    {
        slideShowModes.clear();
        kernel->eventSlideShow = RecordSlideShow;
        for (const char* page : {"1.pag", "2.pag", "3.pag"})
            KernAddBookMark(kernel, page, page);
    }

    // The page each step requests, the pending branch then dropped as if it had run.
    std::string Step(void (*step)(KERNEL*))
    {
        step(kernel);
        if (kernel->branchState != 1)
            return "-";
        kernel->branchState = 0;
        return static_cast<const char*>(kernel->pendingBranch->target);
    }

    TestKernel kernel;
};

TEST_F(SlideShow, ALoopingShowGoesRoundAndBack)
{
    kernel->slideLoop = 1;
    KernStartSlideShow(kernel);
    kernel->branchState = 0;
    EXPECT_EQ("1.pag", std::string(kernel->pendingBranch->target));
    std::string visited;
    for (int i = 0; i < 3; ++i)
        visited += Step(KernNextSlide) + " ";
    EXPECT_EQ("2.pag 3.pag 1.pag ", visited);
    EXPECT_EQ("3.pag", Step(KernPreviousSlide));
    EXPECT_EQ(std::vector<int>{1}, slideShowModes);
}

TEST_F(SlideShow, AShowWithoutLoopStopsAtTheEnd)
{
    kernel->slideLoop = 0;
    KernStartSlideShow(kernel);
    kernel->branchState = 0;
    std::string visited;
    for (int i = 0; i < 3; ++i)
        visited += Step(KernNextSlide) + " ";
    EXPECT_EQ("2.pag 3.pag - ", visited);
    EXPECT_EQ("2.pag", Step(KernPreviousSlide));
    KernEndSlideShow(kernel);
    EXPECT_EQ((std::vector<int>{1, 0}), slideShowModes);
}

TEST_F(SlideShow, OneBookmarkEndsTheShowAtOnce)
{
    KernDeleteBookMark(kernel, 0);
    KernDeleteBookMark(kernel, 0);
    KernStartSlideShow(kernel);
    EXPECT_EQ(0, kernel->slideRunning);
    EXPECT_EQ(0, kernel->branchState);
    EXPECT_EQ((std::vector<int>{1, 0}), slideShowModes);
}

// The bookmark dialog, modeless, over a kernel in the given mode: the test drives its list
// with mouse messages as the user's hand would.
class BookmarkList : public testing::Test {
protected:
    void Open(int mode, int bookmarks = 4)
    {
        kernel->mode = mode;
        for (int i = 0; i < bookmarks; ++i) {
            const std::string title(1, static_cast<char>('A' + i));
            KernAddBookMark(kernel, ("page-" + title + ".pag").c_str(), title.c_str());
        }
        dialog = CreateDialogParamA(GetModuleHandleA("qxcore40.dll"), MAKEINTRESOURCEA(DLG_BOOKMARK), nullptr,
                                    KernBookMarkDialogProc, reinterpret_cast<LPARAM>(static_cast<KERNEL*>(kernel)));
        list = GetDlgItem(dialog, IDC_BOOKMARK_LIST);
        ASSERT_NE(nullptr, list);
    }
    void TearDown() override
    {
        if (dialog)
            DestroyWindow(dialog);
    }

    POINT Centre(int entry) const
    {
        RECT rect{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&rect));
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    // The message at a point of the list, then what it posted.
    void Mouse(UINT message, POINT at, WPARAM keys = 0) const
    {
        SendMessageA(list, message, keys, MAKELPARAM(at.x, at.y));
        MSG posted;
        while (PeekMessageA(&posted, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&posted);
    }
    // The titles in the list's order.
    std::string Order() const
    {
        std::string titles;
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char entry[200] = "";
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
            titles += std::string(entry).substr(0, std::string(entry).find('\t'));
        }
        return titles;
    }
    int Top() const { return static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0)); }

    TestKernel kernel;
    HWND dialog = nullptr;
    HWND list = nullptr;
};

TEST_F(BookmarkList, ADragMovesTheEntryUnderTheMouseAndOkKeepsTheOrder)
{
    Open(QX_MODE_PRESENTATION);
    Mouse(WM_LBUTTONDOWN, Centre(0), MK_LBUTTON);
    EXPECT_EQ(list, GetCapture());
    Mouse(WM_MOUSEMOVE, Centre(2), MK_LBUTTON);
    EXPECT_EQ("BCAD", Order());
    Mouse(WM_MOUSEMOVE, Centre(3), MK_LBUTTON);
    EXPECT_EQ("BCDA", Order());
    EXPECT_EQ(1, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    EXPECT_GT(SendMessageA(list, LB_GETSEL, 3, 0), 0);
    Mouse(WM_LBUTTONUP, Centre(3));
    EXPECT_NE(list, GetCapture());
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ("B>page-B.pag;C>page-C.pag;D>page-D.pag;A>page-A.pag;", Titles(kernel));
}

TEST_F(BookmarkList, AfterTheDropTheMouseMovesNothingInAnyMode)
{
    for (int mode : {QX_MODE_PRESENTATION, 1, QX_MODE_EDIT_BIT, 3}) {
        Open(mode);
        Mouse(WM_LBUTTONDOWN, Centre(1), MK_LBUTTON);
        Mouse(WM_LBUTTONUP, Centre(1));
        Mouse(WM_MOUSEMOVE, Centre(3));
        Mouse(WM_MOUSEMOVE, Centre(0));
        EXPECT_EQ("ABCD", Order()) << "mode " << mode;
        DestroyWindow(dialog);
        dialog = nullptr;
        kernel->bookmarks.Clear();
    }
}

TEST_F(BookmarkList, AnotherWindowTakingTheMouseEndsTheDrag)
{
    Open(QX_MODE_PRESENTATION);
    Mouse(WM_LBUTTONDOWN, Centre(0), MK_LBUTTON);
    ASSERT_EQ(list, GetCapture());
    SetCapture(GetDlgItem(dialog, IDC_BOOKMARK_TITLE));
    ReleaseCapture();
    Mouse(WM_MOUSEMOVE, Centre(2));
    EXPECT_EQ("ABCD", Order());
}

TEST_F(BookmarkList, DraggingAboveOrBelowTheListScrollsItByOneEntry)
{
    Open(QX_MODE_PRESENTATION, 40);
    RECT client{};
    GetClientRect(list, &client);
    Mouse(WM_LBUTTONDOWN, Centre(0), MK_LBUTTON);
    ASSERT_EQ(0, Top());
    Mouse(WM_MOUSEMOVE, {client.right / 2, client.bottom + 5}, MK_LBUTTON);
    EXPECT_EQ(1, Top());
    Mouse(WM_MOUSEMOVE, {client.right / 2, client.bottom + 5}, MK_LBUTTON);
    EXPECT_EQ(2, Top());
    Mouse(WM_MOUSEMOVE, {client.right / 2, -5}, MK_LBUTTON);
    EXPECT_EQ(1, Top());
    Mouse(WM_LBUTTONUP, Centre(0));
    EXPECT_EQ("ABCD", Order().substr(0, 4));
}

// The tooltip's text as it paints, against a pop-up of the same look painting `page`.
class BookmarkTooltip : public BookmarkList {
protected:
    static HWND Tooltip() { return FindWindowA("MsgWind", nullptr); }

    static std::vector<uint32_t> Painting(HWND popup)
    {
        RECT client{};
        GetClientRect(popup, &client);
        TestCanvas canvas(client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1);
        SendMessageA(popup, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
        return canvas.Pixels();
    }

    std::vector<uint32_t> Expected(const char* page) const
    {
        LOGFONTA font{};
        lstrcpynA(font.lfFaceName, "MS Sans Serif", LF_FACESIZE);
        const HDC screen = GetDC(nullptr);
        font.lfHeight = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
        MSGWIND reference;
        reference.AfficherFenetre(nullptr, page, Color{0, 0, 0, 0}, &font, 0, 0, dialog, GetModuleHandleA(nullptr), 0,
                                  nullptr);
        return Painting(reference.Window());
    }
};

TEST_F(BookmarkTooltip, WhileAuthoringTheTooltipShowsThePageOfTheEntryUnderTheMouse)
{
    Open(QX_MODE_EDIT_BIT);
    Mouse(WM_MOUSEMOVE, Centre(0));
    ASSERT_NE(nullptr, Tooltip());
    EXPECT_EQ(list, GetCapture());
    EXPECT_EQ(Expected("page-A.pag"), Painting(Tooltip()));
    Mouse(WM_MOUSEMOVE, Centre(2));
    ASSERT_NE(nullptr, Tooltip());
    EXPECT_EQ(Expected("page-C.pag"), Painting(Tooltip()));
    EXPECT_NE(Expected("page-A.pag"), Painting(Tooltip()));
    // Below the last entry, and on a press, the tooltip goes.
    RECT client{};
    GetClientRect(list, &client);
    Mouse(WM_MOUSEMOVE, {client.right / 2, client.bottom - 2});
    EXPECT_EQ(nullptr, Tooltip());
    EXPECT_NE(list, GetCapture());
    Mouse(WM_MOUSEMOVE, Centre(1));
    ASSERT_NE(nullptr, Tooltip());
    Mouse(WM_LBUTTONDOWN, Centre(1), MK_LBUTTON);
    EXPECT_EQ(nullptr, Tooltip());
    Mouse(WM_LBUTTONUP, Centre(1));
}

TEST_F(BookmarkTooltip, InPresentationNoTooltipShows)
{
    Open(QX_MODE_PRESENTATION);
    Mouse(WM_MOUSEMOVE, Centre(0));
    EXPECT_EQ(nullptr, Tooltip());
}

TEST_F(BookmarkTooltip, ClosingTheDialogRemovesTheTooltip)
{
    Open(QX_MODE_EDIT_BIT);
    Mouse(WM_MOUSEMOVE, Centre(1));
    ASSERT_NE(nullptr, Tooltip());
    DestroyWindow(dialog);
    dialog = nullptr;
    EXPECT_EQ(nullptr, Tooltip());
    EXPECT_EQ(nullptr, GetCapture());
}

}  // namespace
