// The bookmark file and the slide show that plays the bookmarks.
#include "kerneltest.h"

#include "bookmarks.h"
#include "branch.h"
#include "history.h"
#include "scratch_dir.h"
#include "slideshow.h"

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

TEST(Bookmarks, ARoundTripKeepsEveryBookmarkAndTheSettings)
{
    ScratchDir dir;
    TestKernel kernel;
    const char* titles[] = {"Accueil", "a=b", "SlideShowLoopy=3", "Fin"};
    for (const char* title : titles)
        ASSERT_EQ(1, KernAddBookMark(kernel, (std::string(title) + ".pag").c_str(), title));
    kernel->slideLoop = 0;
    kernel->slideDelay = 7;
    ASSERT_EQ(1, KernSaveBookmarks(kernel, (dir / "s.qxb").c_str()));
    EXPECT_EQ(Lines({"QORVEX-HYPERMEDIA BOOKMARKS", "version : 4.0.0.5", "SlideShowLoop=0", "SlideShowDelay=7",
                     "Accueil\tAccueil.pag", "a=b\ta=b.pag", "SlideShowLoopy=3\tSlideShowLoopy=3.pag", "Fin\tFin.pag"}),
              dir.Read("s.qxb"));

    TestKernel reader;
    ASSERT_EQ(1, KernLoadBookmarks(reader, (dir / "s.qxb").c_str()));
    EXPECT_EQ(Titles(kernel), Titles(reader));
    EXPECT_EQ(0, reader->slideLoop);
    EXPECT_EQ(7, reader->slideDelay);
    EXPECT_STREQ((dir / "s.qxb").c_str(), KernGetBookmarkFile(reader));
    // Read without a rewrite.
    EXPECT_EQ(Lines({"QORVEX-HYPERMEDIA BOOKMARKS", "version : 4.0.0.5", "SlideShowLoop=0", "SlideShowDelay=7",
                     "Accueil\tAccueil.pag", "a=b\ta=b.pag", "SlideShowLoopy=3\tSlideShowLoopy=3.pag", "Fin\tFin.pag"}),
              dir.Read("s.qxb"));
}

TEST(Bookmarks, AnOldFileIsRewrittenWithAVersionLineAndRelocatedPaths)
{
    ScratchDir dir;
    dir.Write("p.pag", "QORVEX-HYPERMEDIA PAGE\r\n");
    dir.Write("old.qxb", Lines({"QORVEX-HYPERMEDIA BOOKMARKS", "SlideShowDelay=x", "Page\t" + (dir / "p.pag")}));
    TestKernel kernel;
    ASSERT_EQ(1, KernLoadBookmarks(kernel, (dir / "old.qxb").c_str()));
    EXPECT_EQ(Lines({"QORVEX-HYPERMEDIA BOOKMARKS", "version : 4.0.0.5", "SlideShowDelay=x", "Page\t" + (dir / "p.pag")}),
              dir.Read("old.qxb"));
    EXPECT_EQ(0, kernel->slideDelay);
    EXPECT_EQ("Page>" + (dir / "p.pag") + ";", Titles(kernel));
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
    KernDeleteBookMark(kernel, 0);
    EXPECT_EQ("Autre>a.pag;", Titles(kernel));
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

}  // namespace
