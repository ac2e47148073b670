// Page changes through the history with pages whose roots record the kernel messages.
#include "navtest.h"

#include "branch.h"
#include "bookmarks.h"
#include "branchrun.h"
#include "dialog_answerer.h"
#include "history.h"
#include "kernelres.h"
#include "navigation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Navigation : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"a", "b", "c", "d"})
            nav.pub.Write(std::string(name) + ".pag", RecPage(name));
    }

    // Runs the branch that is pending, as the page window's next message would.
    void RunPending() { ASSERT_EQ(1, KernRunPendingBranch(nav)); }

    NavKernel nav;
};

TEST_F(Navigation, ForwardPagesStackUpAndAreTold)
{
    ASSERT_EQ(1, nav.Go("a.pag"));
    ASSERT_EQ(1, nav.Go("b.pag"));
    EXPECT_EQ("b", nav.Shown());
    EXPECT_EQ(2, nav->history.Items());
    EXPECT_EQ(2, nav->loadedPages.Items());
    EXPECT_EQ("a:1040;a:1027;b:1040;", RecLog());
    char caption[100] = "";
    GetWindowTextA(nav.host, caption, sizeof caption);
    EXPECT_STREQ("Publication (b)", caption);
    EXPECT_EQ(1, KernIsInStack(nav, nav.Page("a.pag").c_str()));
}

TEST_F(Navigation, GoingBackToTheFirstPageUnloadsThePagesAbove)
{
    for (const char* page : {"a.pag", "b.pag", "c.pag", "d.pag"})
        ASSERT_EQ(1, nav.Go(page));
    ASSERT_EQ(1, nav.Go("a.pag"));
    EXPECT_EQ(1, nav->history.Items());
    EXPECT_EQ(1, nav->loadedPages.Items());
    EXPECT_EQ("a", nav.Shown());
    // Visited pages are remembered even once left.
    EXPECT_EQ(1, KernIsInStack(nav, nav.Page("d.pag").c_str()));
}

// A slide show going round the same pages all day keeps each page visited once, whatever
// the case its name is given in.
TEST_F(Navigation, PagesVisitedAgainAndAgainAreKeptOnce)
{
    for (int round = 0; round < 50; ++round) {
        for (const char* page : {"a.pag", "b.pag", "c.pag"})
            ASSERT_EQ(1, nav.Go(page));
    }
    EXPECT_EQ(3, nav->visited.Items());
    std::string upper = nav.Page("c.pag");
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    EXPECT_EQ(1, KernIsInStack(nav, upper.c_str()));
    EXPECT_EQ(0, KernIsInStack(nav, nav.Page("d.pag").c_str()));
}

TEST_F(Navigation, ClearingAllUnloadsEveryPageAndForgetsTheVisits)
{
    for (const char* page : {"a.pag", "b.pag", "c.pag"})
        ASSERT_EQ(1, nav.Go(page));
    KernClearAllLoaded(nav);
    EXPECT_EQ(0, nav->loadedPages.Items());
    EXPECT_EQ(0, nav->history.Items());
    EXPECT_EQ(0, nav->visited.Items());
    EXPECT_EQ(0, KernIsInStack(nav, nav.Page("a.pag").c_str()));
    ASSERT_EQ(1, nav.Go("b.pag")) << "the kernel goes on";
    EXPECT_EQ("b", nav.Shown());
}

TEST_F(Navigation, TheLoadedPageIsReusedNotReadAgain)
{
    ASSERT_EQ(1, nav.Go("a.pag"));
    OBJET* shown = KernGetTopObjet(nav);
    ClearRecLog();
    ASSERT_EQ(1, nav.Go("a.pag"));
    EXPECT_EQ(shown, KernGetTopObjet(nav));
    EXPECT_EQ(1, nav->loadedPages.Items());
    EXPECT_EQ("a:1027;a:1040;", RecLog());
}

// Names are compared case aside, accented letters included, as the system compares them.
TEST_F(Navigation, APageNamedInAnotherCaseIsTheSamePage)
{
    nav.pub.Write("\xe9t\xe9.pag", RecPage("e"));
    ASSERT_EQ(1, nav.Go("\xe9t\xe9.pag"));
    OBJET* first = KernGetTopObjet(nav);
    ASSERT_EQ(1, nav.Go("b.pag"));
    ASSERT_EQ(1, nav.Go("\xc9T\xc9.PAG"));
    EXPECT_EQ(first, KernGetTopObjet(nav));
    EXPECT_EQ(1, nav->history.Items());
    ASSERT_EQ(1, nav.Go("A.Pag"));
    ASSERT_EQ(1, nav.Go("c.pag"));
    ASSERT_EQ(1, nav.Go("a.PAG"));
    EXPECT_EQ(2, nav->history.Items());
    EXPECT_EQ("a", nav.Shown());
    const struct {
        std::string name;
        int visited;
    } cases[] = {{"\xc9t\xc9.pag", 1}, {"ete.pag", 0}, {"B.PAG", 1}, {"b.pa", 0}, {"b.pagx", 0}, {"d.pag", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.visited, KernIsInStack(nav, nav.Page(c.name).c_str())) << c.name;
}

TEST_F(Navigation, APageMarkedToCloseIsDestroyedOnLeaveAndReadAgainOnReturn)
{
    nav.pub.Write("a.pag", RecPage("a", "255 0 0", 1));
    ASSERT_EQ(1, nav.Go("a.pag"));
    ASSERT_EQ(1, nav.Go("b.pag"));
    auto* left = static_cast<TREE*>(nav->loadedPages.GetItem(0));
    EXPECT_EQ(nullptr, left->root);
    ASSERT_EQ(1, nav.Go("a.pag"));
    EXPECT_EQ("a", nav.Shown());
    EXPECT_EQ(1, nav->loadedPages.Items());
}

// A closed page read again on return takes its entry back under its own name: later changes
// find it loaded, in any case, and going back unloads it with the pages above.
TEST_F(Navigation, AClosedPageReadAgainIsFoundUnderItsNameLater)
{
    nav.pub.Write("b.pag", RecPage("b", "255 0 0", 1));
    for (const char* page : {"a.pag", "b.pag", "c.pag", "B.PAG"})
        ASSERT_EQ(1, nav.Go(page));
    OBJET* reread = KernGetTopObjet(nav);
    ASSERT_NE(nullptr, reread);
    EXPECT_EQ(2, nav->loadedPages.Items());
    ASSERT_EQ(1, nav.Go("a.pag"));
    EXPECT_EQ(1, nav->loadedPages.Items());
    EXPECT_EQ(0, nav->loadedPages.LastNamed(nav.Page("b.pag").c_str()) != nullptr);
    ASSERT_EQ(1, nav.Go("b.Pag"));
    ASSERT_EQ(1, nav.Go("c.pag"));
    ASSERT_EQ(1, nav.Go("B.pag"));
    EXPECT_EQ("b", nav.Shown());
    EXPECT_EQ(2, nav->history.Items());
    EXPECT_EQ(2, nav->loadedPages.Items());
}

// An entry added twice leaves the history only with its second removal.
TEST_F(Navigation, APageTwiceInTheHistoryStaysInItUntilBothEntriesGo)
{
    const std::string page = nav.Page("a.pag");
    nav->history.Add(page.c_str());
    nav->history.Add(page.c_str());
    nav->history.Pop();
    EXPECT_EQ(1, nav->history.isInStack(page.c_str()));
    nav->history.Pop();
    EXPECT_EQ(0, nav->history.isInStack(page.c_str()));
    nav->history.Add(page.c_str());
    nav->history.Clear();
    EXPECT_EQ(0, nav->history.isInStack(page.c_str()));
}

// The index of the loaded pages follows whichever page leaves, first, in between or last, and
// whichever page closes or opens again.
TEST_F(Navigation, TheLoadedPagesKnowTheirOrderAndTheirOpenPagesWhicheverPageLeaves)
{
    OBJET first(nav, nullptr), second(nav, nullptr), third(nav, nullptr), fourth(nav, nullptr);
    LOADED_PAGES pages;
    TREE* a = new TREE("a", &first);
    TREE* b = new TREE("b", &second);
    TREE* c = new TREE("c", nullptr);
    TREE* d = new TREE("d", &fourth);
    for (TREE* page : {a, b, c, d})
        ASSERT_EQ(0, pages.AddTail(page));
    EXPECT_EQ(c, pages.BeforeLast());
    EXPECT_EQ(&fourth, pages.OpenAfter(&second)) << "a closed page has no window";
    EXPECT_EQ(&first, pages.OpenAfter(&third)) << "a root of no page is below them all";
    EXPECT_EQ(nullptr, pages.OpenAfter(&fourth));
    pages.SetRoot(c, &third);
    pages.SetRoot(a, nullptr);
    EXPECT_EQ(&third, pages.OpenAfter(&second));
    EXPECT_EQ((std::vector<OBJET*>{&second, &third, &fourth}), pages.OpenRoots());

    ASSERT_EQ(0, pages.Remove(b));
    EXPECT_EQ(&fourth, pages.OpenAfter(&third));
    ASSERT_EQ(0, pages.Remove(d));
    EXPECT_EQ(a, pages.BeforeLast());
    ASSERT_EQ(0, pages.Remove(a));
    EXPECT_EQ(1, pages.Remove(a)) << "no longer listed";
    ASSERT_EQ(1, pages.Items());
    EXPECT_EQ(c, pages.GetItem(0));
    EXPECT_EQ(nullptr, pages.BeforeLast());
    EXPECT_EQ(std::vector<OBJET*>{&third}, pages.OpenRoots());
    ASSERT_EQ(0, pages.AddTail(b));
    EXPECT_EQ(c, pages.BeforeLast());
    EXPECT_EQ(b, pages.LastNamed("B"));
    EXPECT_EQ(&second, pages.OpenAfter(&third));
    delete a;
    delete d;
}

TEST_F(Navigation, HomeAndBackAreBuiltInActionsOfTheTable)
{
    for (const char* page : {"a.pag", "b.pag", "c.pag"})
        ASSERT_EQ(1, nav.Go(page));
    struct Case {
        int action;
        const char* shown;
        int history;
    } cases[] = {{2, "b", 2}, {1, "a", 1}};
    for (const Case& c : cases) {
        BRANCH branch(nav);
        branch.target = "GADGET: x";
        branch.gadget = KernFindGadget(nav, c.action)->Clone();
        ASSERT_NE(0, KernSetBranch(nav, &branch));
        RunPending();  // the action requests the kernel's branch
        EXPECT_EQ(1, nav->branchState) << c.action;
        RunPending();  // which goes to the page
        EXPECT_EQ(c.shown, nav.Shown()) << c.action;
        EXPECT_EQ(c.history, nav->history.Items()) << c.action;
        EXPECT_EQ(0, nav->branchState);
    }
    // Back with one page left does nothing.
    EXPECT_EQ(1, KernGoBack(nav));
    EXPECT_EQ(0, nav->branchState);
}

TEST_F(Navigation, QuitClosesTheApplicationView)
{
    EXPECT_EQ(1, KernQuit(nav));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nav.view, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(SC_CLOSE), msg.wParam);
    DialogAnswerer no(IDNO);
    EXPECT_EQ(0, KernQuitConfirm(nav));
    ASSERT_EQ(1u, no.Shown().size());
    EXPECT_EQ("Quitter", no.Shown()[0].caption);
}

TEST_F(Navigation, DefaultForwardAndBackTakeTheFirstBranchOfTheirKind)
{
    ASSERT_EQ(1, nav.Go("a.pag"));
    OBJET* child = KernGetTopObjet(nav)->GetChild(0);
    const struct {
        int kind;
        const char* page;
    } branches[] = {{QX_BRANCH_DEFAULT_BACK, "c.pag"}, {QX_BRANCH_DEFAULT_FORWARD, "b.pag"},
                    {QX_BRANCH_DEFAULT_FORWARD, "d.pag"}};
    for (const auto& made : branches) {
        auto* branch = new BRANCH(nav);
        branch->kind = made.kind;
        branch->target = nav.Page(made.page).c_str();
        child->AddBranch(branch);
    }
    const struct {
        int (*take)(KERNEL*);
        const char* shown;
    } cases[] = {{KernEventReculer, "c"}, {KernEventAvancer, "b"}};
    for (const auto& c : cases) {
        ASSERT_EQ(1, nav.Go("a.pag"));
        ASSERT_EQ(1, c.take(nav));
        RunPending();
        EXPECT_EQ(c.shown, nav.Shown());
    }
}

TEST_F(Navigation, TheBookmarkDialogGoesToTheChosenBookmark)
{
    {
        DialogAnswerer never;
        EXPECT_EQ(0, KernBookMark(nav));  // no page shown
        EXPECT_TRUE(never.Shown().empty());
    }
    ASSERT_EQ(1, nav.Go("a.pag"));
    KernAddBookMark(nav, nav.Page("c.pag").c_str(), "C");
    KernAddBookMark(nav, nav.Page("b.pag").c_str(), "B");
    DialogAnswerer chooser([](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_BOOKMARK_LIST, LB_SETSEL, TRUE, 1);
        return IDC_BOOKMARK_GOTO;
    });
    EXPECT_EQ(1, KernBookMark(nav));
    EXPECT_EQ("b", nav.Shown());
}

TEST_F(Navigation, TheBookmarkDialogKeepsTheSlideShowSettingsOnOk)
{
    ASSERT_EQ(1, nav.Go("a.pag"));
    nav->slideLoop = 1;
    // The answerer may see the dialog more than once; it is edited the first time.
    DialogAnswerer editor([edited = false](HWND dialog) mutable {
        if (edited)
            return IDOK;
        edited = true;
        CheckDlgButton(dialog, IDC_BOOKMARK_LOOP, BST_UNCHECKED);
        SetDlgItemTextA(dialog, IDC_BOOKMARK_DELAY, "12");
        SetDlgItemTextA(dialog, IDC_BOOKMARK_TITLE, "Ici");
        SendMessageA(dialog, WM_COMMAND, IDC_BOOKMARK_ADD, 0);
        return IDOK;
    });
    EXPECT_EQ(0, KernBookMark(nav));
    EXPECT_EQ(0, nav->slideLoop);
    EXPECT_EQ(12, nav->slideDelay);
    ASSERT_EQ(1, nav->bookmarks.Items());
    EXPECT_STREQ("Ici", static_cast<KERNBOOKMARK*>(nav->bookmarks.GetItem(0))->title);
}

}  // namespace
