// Programs started by branches: independent, and dependent with the return-code branch that
// the program's exit code chooses. The program is a helper of the tests that records its
// command line and exits with the code given as its first argument.
#include "navtest.h"

#include "branch.h"
#include "dialog_answerer.h"
#include "extprog.h"
#include "history.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string Program() { return TestToolFolder("kernprograms") + "qxrecordargs.exe"; }

std::string RecordedArgs()
{
    std::ifstream in(Program() + ".args", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

BRANCH* CodeBranch(BRANCH& branch, unsigned code, int isDefault, const std::string& target)
{
    auto* codeBranch = new BRANCH(branch.kernel);
    codeBranch->target = target.c_str();
    codeBranch->code = code;
    codeBranch->defaultCode = isDefault;
    branch.codeBranches.AddTail(codeBranch);
    return codeBranch;
}

class ExternalPrograms : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* page : {"a", "matched", "default"})
            nav.pub.Write(std::string(page) + ".pag", RecPage(page));
        ASSERT_EQ(1, nav.Go("a.pag"));
        DeleteFileA((Program() + ".args").c_str());
        branch.target = Program().c_str();
    }

    // Runs messages until the dependent program has ended and the kernel took it back.
    bool WaitForEnd(DWORD milliseconds)
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            if (!nav->depProcessRunning)
                return true;
            Sleep(5);
        }
        return false;
    }

    NavKernel nav;
    BRANCH branch{nav};
};

TEST_F(ExternalPrograms, AnIndependentProgramGetsItsExpandedParameters)
{
    nav.pub.Write("data.txt", "x");
    branch.execMode = QX_EXEC_INDEPENDENT;
    branch.secondText = ("0 (" + nav.Page("data.txt") + ") (absent.txt)").c_str();
    nav->processes.AddProcess(branch);
    EXPECT_EQ(0, nav->depProcessRunning);
    for (int i = 0; i < 400 && RecordedArgs().empty(); ++i)
        Sleep(10);
    EXPECT_EQ("\"" + Program() + "\"  0 " + nav.Page("data.txt") + " (absent.txt)", RecordedArgs());
}

TEST_F(ExternalPrograms, TheExitCodeOfADependentProgramChoosesTheBranch)
{
    struct Case {
        const char* name;
        const char* exitCode;
        bool withMatching;
        bool withDefault;
        const char* shown;  // the page the return-code branch went to
    } cases[] = {{"matching", "7", true, true, "matched"},
                 {"default", "9", true, true, "default"},
                 {"none", "9", true, false, "a"}};
    for (const Case& c : cases) {
        BRANCH dependent(nav);
        dependent.target = Program().c_str();
        dependent.execMode = QX_EXEC_DEPENDENT;
        dependent.secondText = c.exitCode;
        ASSERT_EQ(1, nav.Go("a.pag"));
        if (c.withMatching)
            CodeBranch(dependent, 7, 0, nav.Page("matched.pag"));
        if (c.withDefault)
            CodeBranch(dependent, 100, 1, nav.Page("default.pag"));
        nav->processes.AddProcess(dependent);
        ASSERT_EQ(1, nav->depProcessRunning) << c.name;
        EXPECT_FALSE(IsWindowEnabled(nav.host)) << c.name;
        EXPECT_EQ(1, KernSetBranch(nav, &branch)) << c.name;  // refused while it runs
        ASSERT_TRUE(WaitForEnd(10000)) << c.name;
        EXPECT_TRUE(IsWindowEnabled(nav.host)) << c.name;
        // The requested branch ran on the next message of the page window.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        EXPECT_EQ(c.shown, nav.Shown()) << c.name;
        EXPECT_EQ(0, nav->branchState) << c.name;
    }
}

TEST_F(ExternalPrograms, AProgramOnAServerIsNotRun)
{
    DialogAnswerer answerer;
    branch.target = "http://example.invalid/setup.exe";
    nav->processes.AddProcess(branch);
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Erreur de branchement", answerer.Shown()[0].caption);
}

TEST_F(ExternalPrograms, AMissingDocumentIsReported)
{
    DialogAnswerer answerer;
    branch.target = nav.Page("absent.doc").c_str();
    nav->processes.AddProcess(branch);
    ASSERT_FALSE(answerer.Shown().empty());
    EXPECT_EQ("Fichier introuvable", answerer.Shown()[0].caption);
}

TEST(ProgramParameters, WordsArePrecededByOneSpace)
{
    TestKernel kernel;
    EXPECT_STREQ(" a b", KernExpandProgramParameters(kernel, "a  b"));
    EXPECT_STREQ("", KernExpandProgramParameters(kernel, ""));
}

}  // namespace
