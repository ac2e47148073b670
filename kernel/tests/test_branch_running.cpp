// Running a pending branch: the host's filter, the user function, the page's own handling,
// bad targets and pages, and the refusal of code from servers.
#include "navtest.h"

#include "branch.h"
#include "branchrun.h"
#include "dialog_answerer.h"
#include "qxmedia.h"

#include <gtest/gtest.h>

namespace {

int vetoes = 0;
int Veto(BRANCH*, void*)
{
    ++vetoes;
    return 0;
}

std::string CalledWith()
{
    char value[200] = "";
    if (!GetEnvironmentVariableA("QXBRANCHFN_CALLED", value, sizeof value))
        return "<not called>";
    return value;
}

class BranchRunning : public testing::Test {
protected:
    void SetUp() override
    {
        nav.pub.Write("a.pag", RecPage("a"));
        nav.pub.Write("b.pag", RecPage("b"));
        ASSERT_EQ(1, nav.Go("a.pag"));
        SetEnvironmentVariableA("QXBRANCHFN_CALLED", nullptr);
        branch.target = nav.Page("b.pag").c_str();
    }

    int Run()
    {
        if (!KernSetBranch(nav, &branch))
            return 0;
        return KernRunPendingBranch(nav);
    }

    NavKernel nav;
    BRANCH branch{nav};
};

TEST_F(BranchRunning, NothingPendingLeavesTheMessageToTheObject) { EXPECT_EQ(0, KernRunPendingBranch(nav)); }

TEST_F(BranchRunning, APendingBranchGoesToItsPageAndEnds)
{
    ASSERT_EQ(1, Run());
    EXPECT_EQ("b", nav.Shown());
    EXPECT_EQ(0, nav->branchState);
    EXPECT_EQ(nullptr, nav->pendingBranch);
    EXPECT_EQ("a:1040;a:1037;a:1027;b:1040;", RecLog());
}

TEST_F(BranchRunning, APendingBranchRunsOnTheNextMessageOfThePageWindow)
{
    ASSERT_NE(0, KernSetBranch(nav, &branch));
    // Any message of a page window would run it, reading the page's title too.
    EXPECT_EQ(1, nav->branchState);
    EXPECT_EQ(1, nav->history.Items());
    MSG msg;
    for (int i = 0; i < 100 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
        DispatchMessageA(&msg);
    EXPECT_EQ("b", nav.Shown());
    EXPECT_EQ(0, nav->branchState);
}

// The media server's call loop hands out the page window's messages while an object of the
// page waits on the server: the page stays until the call has returned.
TEST_F(BranchRunning, ABranchPendingDuringAMediaCallWaitsForTheCallToReturn)
{
    ASSERT_NE(0, KernSetBranch(nav, &branch));
    MSG msg;
    {
        MEDIACALL call;
        for (int i = 0; i < 20 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
            DispatchMessageA(&msg);
        EXPECT_EQ("a", nav.Shown());
        EXPECT_EQ(1, nav->branchState);
    }
    for (int i = 0; i < 100 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
        DispatchMessageA(&msg);
    EXPECT_EQ("b", nav.Shown());
    EXPECT_EQ(0, nav->branchState);
}

TEST_F(BranchRunning, TheHostsFilterVetoesTheBranch)
{
    vetoes = 0;
    nav->filterBranch = Veto;
    ASSERT_EQ(1, Run());
    EXPECT_EQ(1, vetoes);
    EXPECT_EQ("a", nav.Shown());
    EXPECT_EQ(0, nav->branchState);
    EXPECT_EQ(nullptr, nav->pendingBranch);
}

TEST_F(BranchRunning, TheUserFunctionDecidesWhetherTheBranchGoesOn)
{
    const struct {
        const char* function;
        const char* shown;
    } cases[] = {{"AnswerStop", "a"}, {"AnswerGoOn", "b"}, {"Missing", "b"}};
    // The publication's DLLs lie with its pages.
    ASSERT_TRUE(CopyFileA((TestToolFolder("kernbranchdll") + "qxbranchfn.dll").c_str(), nav.Page("fn.dll").c_str(), FALSE));
    for (const auto& c : cases) {
        ASSERT_EQ(1, nav.Go("a.pag"));
        SetEnvironmentVariableA("QXBRANCHFN_CALLED", nullptr);
        branch.dll = nav.Page("fn.dll").c_str();
        branch.function = c.function;
        branch.parameter = "le paramètre";
        ASSERT_EQ(1, Run());
        EXPECT_EQ(c.shown, nav.Shown()) << c.function;
        const std::string expected = std::string(c.function) == "Missing" ? "<not called>" : "le paramètre";
        EXPECT_EQ(expected, CalledWith()) << c.function;
    }
}

TEST_F(BranchRunning, AUserDllOnAServerIsNeitherFetchedNorRun)
{
    DialogAnswerer answerer;
    branch.dll = "http://example.invalid/qxbranchfn.dll";
    branch.function = "AnswerStop";
    ASSERT_EQ(1, Run());
    EXPECT_EQ("<not called>", CalledWith());
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Erreur de branchement", answerer.Shown()[0].caption);
    EXPECT_EQ("b", nav.Shown());
}

TEST_F(BranchRunning, TheWrongArchitectureIsABranchErrorNotACrash)
{
    // Any file that is not a module for this machine fails as a 32-bit DLL does.
    nav.pub.Write("old.dll", std::string("MZ") + std::string(200, '\0'));
    DialogAnswerer answerer;
    branch.dll = nav.Page("old.dll").c_str();
    branch.function = "AnswerStop";
    ASSERT_EQ(1, Run());
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Erreur de branchement", answerer.Shown()[0].caption);
    EXPECT_EQ("b", nav.Shown());
}

TEST_F(BranchRunning, BadTargetsAreReported)
{
    const struct {
        const char* target;
        const char* caption;
    } cases[] = {{"sansextension", "Erreur de branchement"}, {"bad.pag", "Erreur de fichier"}};
    nav.pub.Write("bad.pag", "pas une page\r\n");
    for (const auto& c : cases) {
        DialogAnswerer answerer;
        branch.target = std::string(c.target) == "bad.pag" ? nav.Page(c.target).c_str() : c.target;
        ASSERT_EQ(1, Run());
        ASSERT_FALSE(answerer.Shown().empty()) << c.target;
        EXPECT_EQ(c.caption, answerer.Shown()[0].caption) << c.target;
        EXPECT_EQ("a", nav.Shown());
        EXPECT_EQ(0, nav->branchState);
    }
}

TEST_F(BranchRunning, BranchParametersNameTheActionAndTheSource)
{
    branch.gadget = KernFindGadget(nav, 7)->Clone();
    branch.parameter = "p";
    branch.source = KernGetTopObjet(nav)->GetChild(0)->window;
    lstrcpynA(KernGetTopObjet(nav)->GetChild(0)->userID, "bouton", 20);
    char target[30], name[30], user[30], parameter[30], file[30];
    ASSERT_EQ(1, KernGetBranchParams(nav, &branch, target, sizeof target, name, sizeof name, user, sizeof user,
                                     parameter, sizeof parameter, file, 5));
    EXPECT_STREQ("GADGET: 7", target);
    EXPECT_STREQ("bouton", name);
    EXPECT_STREQ("p", parameter);
    EXPECT_EQ(4u, strlen(file));
    KernSetBranchLocation(nav, &branch, "ailleurs.pag");
    EXPECT_STREQ("ailleurs.pag", branch.target);
}

}  // namespace
