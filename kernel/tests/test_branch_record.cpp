// Branch records: the eleven-line form, "BR [" trees with return-code branches, built-in
// actions, pages of older versions, the flat clipboard form and deep copies.
#include "kerneltest.h"
#include "branch.h"
#include "qxfile.h"

#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class BranchRecords : public testing::Test {
protected:
    // Writes with the branch's writer, then reads the text back into a fresh branch.
    std::string Write(const BRANCH& branch, bool tree)
    {
        const QXFILE file = QXopen((dir / "branch.txt").c_str(), 1);
        EXPECT_EQ(1, tree ? branch.SaveEx(file) : branch.Save(file));
        QXclose(file);
        return dir.Read("branch.txt");
    }

    int Read(BRANCH* branch, const std::string& text, bool tree, int oldPage = 0)
    {
        dir.Write("branch.txt", text);
        const QXFILE file = QXopen((dir / "branch.txt").c_str(), 0);
        const int read = tree ? branch->LoadEx(file, oldPage) : branch->Load(file, oldPage);
        QXclose(file);
        return read;
    }

    ScratchDir dir;
    TestKernel kernel;
};

TEST_F(BranchRecords, TheElevenLineFormRoundTrips)
{
    kernel->curPageVersion = static_cast<int>(QX_KERNEL_VERSION_PACKED);
    BRANCH branch(kernel);
    branch.secondText = "/x verb";
    branch.windowState = SW_SHOWMAXIMIZED;
    branch.execMode = QX_EXEC_DEPENDENT;
    branch.delay = 2.5;
    branch.visited = 1;
    branch.pluginMark = 1;
    branch.function = "Run";
    branch.parameter = "a=1; b=\"2\"";
    const std::string text = Write(branch, false);
    EXPECT_EQ(Lines({"NULL", "/x verb", "3", "0", "  2.5", "1", "1", "NULL", "NULL", "Run", "a=1; b=\"2\""}), text);
    BRANCH read(kernel);
    ASSERT_EQ(1, Read(&read, text, false));
    EXPECT_STREQ("/x verb", read.secondText);
    EXPECT_EQ(SW_SHOWMAXIMIZED, read.windowState);
    EXPECT_EQ(QX_EXEC_DEPENDENT, read.execMode);
    EXPECT_DOUBLE_EQ(2.5, read.delay);
    EXPECT_EQ(1, read.visited);
    EXPECT_EQ(1, read.pluginMark);
    EXPECT_STREQ("Run", read.function);
    EXPECT_STREQ("a=1; b=\"2\"", read.parameter);
    EXPECT_EQ(Visible(text), Visible(Write(read, false)));
}

TEST_F(BranchRecords, ABuiltInActionIsWrittenByNumberAndReadBackWithItsLabel)
{
    BRANCH read(kernel);
    ASSERT_EQ(1, Read(&read, Lines({"gadget: 6", "NULL", "1", "1", "0.0", "0", "0", "NULL", "NULL", "NULL", "NULL"}),
                      false));
    ASSERT_NE(nullptr, read.gadget);
    EXPECT_EQ(6, read.gadget->id);
    EXPECT_STREQ("GADGET: Aller à la prochaine page d'une séquence", read.target);
    EXPECT_STREQ("KernGadgetNextPage", read.gadget->function);
    EXPECT_EQ(0u, Write(read, false).find("GADGET: 6\r\n"));
}

TEST_F(BranchRecords, AnUnknownActionGivesAnEmptyTargetAndNoAction)
{
    BRANCH read(kernel);
    read.gadget = new GADGET(kernel, 2, "old", "");
    ASSERT_EQ(1, Read(&read, Lines({"GADGET: 99", "NULL", "1", "1", "0.0", "0", "0", "NULL", "NULL", "NULL", "NULL"}),
                      false));
    EXPECT_EQ(nullptr, read.gadget);
    EXPECT_STREQ("", read.target);
    EXPECT_EQ(0, read.IsBranchingSomewhere());
}

TEST_F(BranchRecords, AMissingLineFailsTheRead)
{
    for (int lines = 0; lines < 11; ++lines) {
        std::vector<std::string> record = {"NULL", "NULL", "1", "1", "0.0", "0", "0", "NULL", "NULL", "NULL", "NULL"};
        record.resize(static_cast<size_t>(lines));
        BRANCH read(kernel);
        EXPECT_EQ(0, Read(&read, Lines(record), false)) << lines << " lines";
    }
}

TEST_F(BranchRecords, AReturnCodeTreeTwoLevelsDeepRoundTrips)
{
    kernel->curPageVersion = static_cast<int>(QX_KERNEL_VERSION_PACKED);
    BRANCH top(kernel);
    top.kind = QX_BRANCH_DEFAULT_FORWARD;
    top.defaultCode = 1;
    for (unsigned int code : {3u, 4000000000u}) {
        BRANCH* child = new BRANCH(kernel);
        child->code = code;
        child->delay = code % 60;
        BRANCH* grandchild = new BRANCH(kernel);
        grandchild->defaultCode = 1;
        grandchild->kind = QX_BRANCH_DEFAULT_BACK;
        child->codeBranches.AddTail(grandchild);
        top.codeBranches.AddTail(child);
    }
    const std::string text = Write(top, true);
    BRANCH read(kernel);
    ASSERT_EQ(1, Read(&read, text, true));
    EXPECT_EQ(QX_BRANCH_DEFAULT_FORWARD, read.kind);
    EXPECT_EQ(1, read.defaultCode);
    ASSERT_EQ(2, read.codeBranches.Items());
    EXPECT_EQ(4000000000u, read.GetCodeBranch(1)->code);
    ASSERT_EQ(1, read.GetCodeBranch(1)->codeBranches.Items());
    EXPECT_EQ(QX_BRANCH_DEFAULT_BACK, read.GetCodeBranch(1)->GetCodeBranch(0)->kind);
    EXPECT_EQ(Visible(text), Visible(Write(read, true)));
}

TEST_F(BranchRecords, ATreeNestedBeyondTheLimitFailsWithoutRunningOutOfStack)
{
    kernel->curPageVersion = static_cast<int>(QX_KERNEL_VERSION_PACKED);
    std::vector<std::string> lines;
    for (int depth = 0; depth < 5000; ++depth) {
        for (const char* line : {"BR [", "1", "NULL", "NULL", "1", "1", "0.0", "0", "0", "NULL", "NULL", "NULL",
                                 "NULL", "NULL", "0", "]"})
            lines.push_back(line);
    }
    BRANCH read(kernel);
    EXPECT_EQ(0, Read(&read, Lines(lines), true));
}

TEST_F(BranchRecords, PagesBeforeTheKindLineReadEveryBranchAsOrdinary)
{
    const std::vector<std::string> tree = {"BR [", "0", "NULL", "NULL", "1", "1", "0.0", "0", "0", "NULL",
                                           "NULL", "NULL", "NULL", "12", "]"};
    for (const char* version : {"0.0.0.0", "3.0.1.255"}) {
        kernel->curPageVersion = static_cast<int>(KernFormatVersionStringAsDWORD(version));
        BRANCH read(kernel);
        read.kind = QX_BRANCH_DEFAULT_BACK;
        ASSERT_EQ(1, Read(&read, Lines(tree), true, kernel->curPageVersion == 0)) << version;
        EXPECT_EQ(QX_BRANCH_ORDINARY, read.kind) << version;
        EXPECT_EQ(12u, read.code) << version;
    }
}

struct SomewhereCase {
    const char* name;
    void (*set)(BRANCH&);
    int expected;
};

class Somewhere : public testing::TestWithParam<SomewhereCase> {};

TEST_P(Somewhere, TellsWhetherABranchLeadsAnywhere)
{
    BRANCH branch(nullptr);
    GetParam().set(branch);
    EXPECT_EQ(GetParam().expected, branch.IsBranchingSomewhere() ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Members, Somewhere,
    testing::Values(SomewhereCase{"Nothing", [](BRANCH&) {}, 0},
                    SomewhereCase{"Target", [](BRANCH& b) { b.target = "x.pag"; }, 1},
                    SomewhereCase{"DllAlone", [](BRANCH& b) { b.dll = "u.dll"; }, 0},
                    SomewhereCase{"DllAndFunction", [](BRANCH& b) { b.dll = "u.dll"; b.function = "F"; }, 1},
                    SomewhereCase{"Sound", [](BRANCH& b) { b.sound = "s.wav"; }, 1},
                    SomewhereCase{"ActionZero", [](BRANCH& b) { b.gadget = new GADGET(nullptr, 0, "", ""); }, 0},
                    SomewhereCase{"Action", [](BRANCH& b) { b.gadget = new GADGET(nullptr, 3, "q", ""); }, 1},
                    SomewhereCase{"Parameter", [](BRANCH& b) { b.parameter = "p"; }, 1},
                    SomewhereCase{"Kind", [](BRANCH& b) { b.kind = QX_BRANCH_DEFAULT_BACK; }, 1}),
    [](const testing::TestParamInfo<SomewhereCase>& info) { return std::string(info.param.name); });

TEST(BranchCopies, CopyBranchKeepsTheSlideShowMarkAndAssignmentCopiesIt)
{
    TestKernel kernel;
    BRANCH source(kernel);
    source.target = "a.pag";
    source.slideShowMark = 1;
    source.gadget = new GADGET(kernel, 1, "Retour au début", "KernGoHome");
    source.codeBranches.AddTail(new BRANCH(kernel));
    BRANCH copied(kernel);
    copied.CopyBranch(&source);
    EXPECT_EQ(0, copied.slideShowMark);
    EXPECT_STREQ("a.pag", copied.target);
    ASSERT_NE(nullptr, copied.gadget);
    EXPECT_NE(source.gadget, copied.gadget);
    EXPECT_EQ(1, copied.gadget->id);
    EXPECT_EQ(1, copied.codeBranches.Items());
    BRANCH assigned(kernel);
    assigned = source;
    EXPECT_EQ(1, assigned.slideShowMark);
}

TEST(BranchClipboard, TheFlatFormCutsLongTextsToItsFields)
{
    TestKernel kernel;
    BRANCH source(kernel);
    source.target = std::string(900, 't').c_str();
    source.function = std::string(80, 'f').c_str();
    source.parameter = std::string(700, 'p').c_str();
    source.kind = QX_BRANCH_DEFAULT_FORWARD;
    source.code = 9;
    source.gadget = new GADGET(kernel, 4, "Signets", "KernBookMark");
    source.codeBranches.AddTail(new BRANCH(kernel));
    auto* flat = new BRANCHGADGETCLIPBOARD{};
    flat->CopyBranch(&source);
    EXPECT_EQ(std::string(499, 't'), flat->target);
    EXPECT_EQ(std::string(49, 'f'), flat->function);
    EXPECT_EQ(std::string(511, 'p'), flat->parameter);
    EXPECT_EQ(4, flat->gadget.id);

    BRANCH rebuilt(kernel);
    rebuilt.CopyBranchClipboard(flat);
    EXPECT_EQ(std::string(49, 'f'), std::string(rebuilt.function));
    EXPECT_EQ(QX_BRANCH_DEFAULT_FORWARD, rebuilt.kind);
    EXPECT_EQ(9u, rebuilt.code);
    ASSERT_NE(nullptr, rebuilt.gadget);
    EXPECT_STREQ("KernBookMark", rebuilt.gadget->function);
    EXPECT_EQ(0, rebuilt.codeBranches.Items());
    delete flat;
}

TEST(BranchClipboard, TheRecordKeepsEveryFieldAtItsPlace)
{
    TestKernel kernel;
    BRANCH source(kernel);
    source.target = "page2.pag";
    source.secondText = "open";
    source.windowState = SW_SHOWMAXIMIZED;
    source.execMode = QX_EXEC_DEPENDENT;
    source.delay = 2.5;
    source.visited = 1;
    source.sound = "ding.wav";
    source.pluginMark = 0x01020304;
    source.parameter = std::string(700, 'p').c_str();
    source.gadget = new GADGET(kernel, 4, "Signets", "KernBookMark");
    source.code = 9;
    std::vector<BYTE> record(QX_BRANCH_CLIP_RECORD_SIZE + 1, 0xAA);
    KernWriteBranchClipRecord(&source, record.data());

    int32_t id = 0;
    std::memcpy(&id, record.data() + QX_BRANCH_CLIP_RECORD_ID, sizeof id);
    EXPECT_EQ(0x01020304, id);
    EXPECT_STREQ("page2.pag", reinterpret_cast<const char*>(record.data()));
    EXPECT_EQ(0xAA, record[QX_BRANCH_CLIP_RECORD_SIZE]) << "written past the record";

    BRANCH rebuilt(kernel);
    KernReadBranchClipRecord(record.data(), &rebuilt);
    EXPECT_STREQ("page2.pag", rebuilt.target);
    EXPECT_STREQ("open", rebuilt.secondText);
    EXPECT_EQ(SW_SHOWMAXIMIZED, rebuilt.windowState);
    EXPECT_EQ(QX_EXEC_DEPENDENT, rebuilt.execMode);
    EXPECT_EQ(2.5, rebuilt.delay);
    EXPECT_EQ(1, rebuilt.visited);
    EXPECT_STREQ("ding.wav", rebuilt.sound);
    EXPECT_EQ(0x01020304, rebuilt.pluginMark);
    EXPECT_EQ(std::string(511, 'p'), std::string(rebuilt.parameter));
    EXPECT_EQ(9u, rebuilt.code);
    ASSERT_NE(nullptr, rebuilt.gadget);
    EXPECT_EQ(4, rebuilt.gadget->id);
    const GADGET* bookmarks = KernFindGadget(kernel, 4);
    ASSERT_NE(nullptr, bookmarks);
    EXPECT_STREQ(bookmarks->function, rebuilt.gadget->function);
}

TEST(BranchClipboard, ARecordsActionIsTheKernelsOfItsNumberNeverANameItGives)
{
    TestKernel kernel;
    BRANCH source(kernel);
    source.gadget = new GADGET(kernel, 4, "Signets", "KernQuit");
    std::vector<BYTE> record(QX_BRANCH_CLIP_RECORD_SIZE);
    KernWriteBranchClipRecord(&source, record.data());
    BRANCH rebuilt(kernel);
    KernReadBranchClipRecord(record.data(), &rebuilt);
    ASSERT_NE(nullptr, rebuilt.gadget);
    EXPECT_STRNE("KernQuit", rebuilt.gadget->function);
    EXPECT_EQ(KernFindGadget(kernel, 4)->bound, rebuilt.gadget->bound);

    delete source.gadget;
    source.gadget = new GADGET(kernel, 999, "?", "KernQuit");
    KernWriteBranchClipRecord(&source, record.data());
    BRANCH unknown(kernel);
    KernReadBranchClipRecord(record.data(), &unknown);
    EXPECT_EQ(nullptr, unknown.gadget) << "no action of that number";
}

TEST(BranchClipboard, ARecordWithoutZerosGivesTextsCutToTheirFields)
{
    TestKernel kernel;
    std::vector<BYTE> record(QX_BRANCH_CLIP_RECORD_SIZE, 'x');
    BRANCH rebuilt(kernel);
    KernReadBranchClipRecord(record.data(), &rebuilt);
    EXPECT_EQ(499, rebuilt.target.length());
    EXPECT_EQ(49, rebuilt.function.length());
    EXPECT_EQ(511, rebuilt.parameter.length());
}

}  // namespace
