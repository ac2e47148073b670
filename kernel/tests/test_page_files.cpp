// Page files read and written back: whole pages byte for byte, records of missing plug-ins,
// the coordinate flag handed down the tree, older pages, file types and copies.
#include "kerneltest.h"
#include "branch.h"
#include "pagefiles.h"

#include "dialog_answerer.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A root with everything the common block holds: message with line ends, sound, font,
// colours, show delay, and branches with return-code branches and a built-in action.
std::vector<std::string> RichRoot()
{
    return {Separator(), "OBJET {", "QXTESTOBJ.DLL", "2",
            "rootid", "une chaîne  avec des blancs", "Titre", "16", "ligne 1", "ligne 2", "3", ".\\snd.wav", "1",
            "20 0 0 0 700 1 0 0 0 3 2 0 34", "System", "255 0 0", "0 0 255", "-1", "NULL", "  2.5",
            "FONTS [", "1", "System", ".\\fonts\\~~Fsystem", "0", "]", "}", "BRANCH {", "0", "BRANCHEX [", "2",
            "BR [", "1", ".\\p2.pag", "NULL", "1", "1", "  0.0", "0", "0", "NULL", "NULL", "NULL", "NULL", "NULL",
            "0", "]",
            "BR [", "0", "NULL", "NULL", "1", "1", "  1.5", "1", "0", "NULL", "NULL", "NULL", "NULL", "7", "-1", "]",
            "BR [", "0", "GADGET: 6", "params x", "3", "0", " 10.0", "0", "1", ".\\snd.wav", "NULL", "Fonction",
            "alert(\"x\")", "0", "-2", "]",
            "]", "}", "TESTOBJ {", "root", "0", "}"};
}

// A record whose plug-in is missing; its hover text holds a line like a record separator.
std::vector<std::string> MissingPluginRecord(int children)
{
    return {Separator(), "OBJET {", "QXMISSING.DLL", std::to_string(children),
            "absent", "NULL", "Titre", "82", Separator(), "OBJET {", "0", "NULL", "1",
            "20 0 0 0 400 0 0 0 0 3 2 0 34", "System", "0 0 0", "192 192 192", "-1", "NULL", "  0.0",
            "FONTS [", "0", "]", "}", "BRANCH {", "0", "BRANCHEX [", "0", "]", "}",
            "MISSING {", "des données du module", "}"};
}

std::string RichPage(const std::vector<std::string>& root = RichRoot())
{
    return PageText({root, MissingPluginRecord(1), TestObjRecord("grandchild", 0),
                     TestObjRecord("second", 0, 0, "deux")});
}

// The rich root with another text on a line.
std::vector<std::string> RichRootWith(const std::string& line, const std::string& replacement)
{
    std::vector<std::string> root = RichRoot();
    *std::find(root.begin(), root.end(), line) = replacement;
    return root;
}

// A publication folder with the files the rich page names.
void WritePublication(const ScratchDir& pub, const std::string& page)
{
    pub.Write("page.pag", page);
    pub.Write("p2.pag", PageText({TestObjRecord("p2", 0)}));
    pub.Write("snd.wav", "RIFF");
    // The font store already holds the face the root's message uses.
    pub.Write("fonts\\fonts.mgr", Lines({"System", "~~Fsystem"}));
    pub.Write("fonts\\~~Fsystem", "not a real font");
}

class PageFiles : public testing::Test {
protected:
    void Load(const std::string& page)
    {
        WritePublication(pub, page);
        kernel->scnPath = pub.Path().c_str();
        ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
        kernel.Show(pub / "page.pag");
    }

    ScratchDir pub;
    TestKernel kernel;
    DialogAnswerer answerer;
};

TEST_F(PageFiles, AWholePageReadAndSavedIsByteIdentical)
{
    Load(RichPage());
    ASSERT_EQ(1, KernSave(kernel));
    EXPECT_EQ(Visible(RichPage()), Visible(pub.Read("page.pag")));
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST_F(PageFiles, ReadsWhatTheCommonBlockHolds)
{
    Load(RichPage());
    OBJET* root = kernel.Page();
    EXPECT_STREQ("rootid", root->GetUserID());
    EXPECT_STREQ("une chaîne  avec des blancs", root->GetUserString());
    ASSERT_NE(nullptr, root->message);
    EXPECT_STREQ("Titre", root->message->title);
    EXPECT_STREQ("ligne 1\r\nligne 2", root->message->text);
    EXPECT_EQ(3, root->message->delay);
    EXPECT_EQ(pub / "snd.wav", std::string(root->message->sound));
    EXPECT_EQ(700, root->message->font.lfWeight);
    EXPECT_EQ(1, root->message->font.lfItalic);
    EXPECT_EQ(255, root->message->textColour.red);
    EXPECT_EQ(255, root->message->backColour.blue);
    EXPECT_DOUBLE_EQ(2.5, root->showDelay);
    EXPECT_EQ(0, root->effectId);
    ASSERT_EQ(1, root->fonts.Items());
    EXPECT_STREQ("System", root->fonts.GetFont(0)->logName);
    EXPECT_EQ(pub / "fonts\\~~Fsystem", std::string(root->fonts.GetFont(0)->dosName));
    EXPECT_EQ(1, root->loaded);

    ASSERT_EQ(2, root->GetBranchItems());
    BRANCH* page = root->GetBranch(0);
    EXPECT_EQ(pub / "p2.pag", std::string(page->target));
    EXPECT_EQ(1, page->defaultCode);
    ASSERT_EQ(1, page->codeBranches.Items());
    EXPECT_EQ(7u, page->GetCodeBranch(0)->code);
    EXPECT_EQ(QX_BRANCH_DEFAULT_FORWARD, page->GetCodeBranch(0)->kind);
    BRANCH* action = root->GetBranch(1);
    ASSERT_NE(nullptr, action->gadget);
    EXPECT_EQ(6, action->gadget->id);
    EXPECT_STREQ("GADGET: Aller à la prochaine page d'une séquence", action->target);
    EXPECT_EQ(QX_BRANCH_DEFAULT_BACK, action->kind);
    EXPECT_STREQ("alert(\"x\")", action->parameter);

    ASSERT_EQ(2, root->GetChildItems());
    OBJET* standIn = root->GetChild(0);
    EXPECT_STREQ("Objet pur", standIn->GetObjetName());
    ASSERT_EQ(1, standIn->GetChildItems());
    EXPECT_EQ("grandchild", TestObjLabel(standIn->GetChild(0)));
    EXPECT_STREQ("deux", root->GetChild(1)->GetUserID());
}

// Show delays and branch delays read from a file are seconds from 0 to 60, as the dialogs
// keep them; what is no finite number is no delay.
struct StoredDelay {
    const char* stored;
    double read;
};

class StoredDelays : public PageFiles, public testing::WithParamInterface<StoredDelay> {};

TEST_P(StoredDelays, AreBoundedAsTheDialogsBoundThem)
{
    const StoredDelay& delay = GetParam();
    Load(RichPage(RichRootWith(" 10.0", delay.stored)));
    EXPECT_DOUBLE_EQ(delay.read, kernel.Page()->GetBranch(1)->delay) << delay.stored;
    Load(RichPage(RichRootWith("  2.5", delay.stored)));
    EXPECT_DOUBLE_EQ(delay.read, kernel.Page()->showDelay) << delay.stored;
}

INSTANTIATE_TEST_SUITE_P(Table, StoredDelays,
                         testing::Values(StoredDelay{"2.5", 2.5}, StoredDelay{"-3", 0.0}, StoredDelay{"75", 60.0},
                                         StoredDelay{"1e300", 60.0}, StoredDelay{"inf", 0.0},
                                         StoredDelay{"-inf", 0.0}, StoredDelay{"nan", 0.0}));

TEST_F(PageFiles, ARecordOfAMissingPlugInSurvivesSaveAndReload)
{
    Load(RichPage());
    ASSERT_EQ(1, KernSave(kernel));
    TestKernel again;
    again->scnPath = pub.Path().c_str();
    ASSERT_EQ(1, KernLLoad(again, (pub / "page.pag").c_str()));
    again.Show(pub / "page.pag");
    ASSERT_EQ(1, KernSave(again));
    EXPECT_EQ(Visible(RichPage()), Visible(pub.Read("page.pag")));
    ASSERT_EQ(2, again.Page()->GetChildItems());
    EXPECT_EQ("grandchild", TestObjLabel(again.Page()->GetChild(0)->GetChild(0)));
}

TEST_F(PageFiles, APlainObjectIsWrittenWithABlankModuleLineAndReadBack)
{
    Load(PageText({TestObjRecord("root", 0)}));
    OBJET* plain = new OBJET(kernel, nullptr);
    kernel.Page()->AddChild(plain);
    ASSERT_EQ(1, KernSave(kernel));
    const std::string written = pub.Read("page.pag");
    EXPECT_NE(std::string::npos, written.find("OBJET {\r\n \r\n0\r\n")) << Visible(written);

    TestKernel again;
    ASSERT_EQ(1, KernLLoad(again, (pub / "page.pag").c_str()));
    ASSERT_EQ(1, again.Page()->GetChildItems());
    EXPECT_STREQ("Objet pur", again.Page()->GetChild(0)->GetObjetName());
    EXPECT_TRUE(answerer.Shown().empty());
}

// The coordinate flag: the writer and the reader hand the flag an object leaves on to its
// children, so a root laid out in pixels has its objects in pixels.
struct UnitsCase {
    const char* rootLabel;
    int childUnits;
};

class CoordinateFlag : public testing::TestWithParam<UnitsCase> {};

TEST_P(CoordinateFlag, GoesFromTheRootToItsChildren)
{
    ScratchDir pub;
    pub.Write("page.pag", PageText({TestObjRecord(GetParam().rootLabel, 1), TestObjRecord("child", 0)}));
    TestKernel kernel;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    EXPECT_EQ(1, TestObjUnitsSeen(kernel.Page()));
    EXPECT_EQ(GetParam().childUnits, TestObjUnitsSeen(kernel.Page()->GetChild(0)));
    kernel.Show(pub / "page.pag");
    ASSERT_EQ(1, KernSave(kernel));
    EXPECT_EQ(GetParam().childUnits, TestObjUnitsSeen(kernel.Page()->GetChild(0)));
}

INSTANTIATE_TEST_SUITE_P(Roots, CoordinateFlag, testing::Values(UnitsCase{"PIXELS", 0}, UnitsCase{"units", 1}));

TEST(OldPages, ABranchTreeWithoutKindLineReadsAsOrdinaryBranches)
{
    // Pages before 3.0.2.0 wrote no kind line: the tree ends after the code line.
    const std::vector<std::string> branches = {"BRANCH {", "0", "BRANCHEX [", "1", "BR [", "0", "NULL", "NULL",
                                               "1", "1", "  0.0", "0", "0", "NULL", "NULL", "NULL", "NULL",
                                               "NULL", "]", "]", "}"};
    for (const char* version : {"3.0.1.9", "none"}) {
        std::vector<std::string> record = {Separator(), "OBJET {", "QXTESTOBJ.DLL", "1"};
        const auto common = PlainCommonBlock("ancien");
        record.insert(record.end(), common.begin(), common.end() - 6);
        record.insert(record.end(), branches.begin(), branches.end());
        for (const char* line : {"TESTOBJ {", "old", "0", "}"})
            record.push_back(line);
        std::string text = PageText({record, TestObjRecord("after", 0)}, version);
        if (std::string(version) == "none")
            text.replace(text.find("version : none"), 14, "sans version");
        ScratchDir pub;
        pub.Write("old.pag", text);
        TestKernel kernel;
        ASSERT_EQ(1, KernLLoad(kernel, (pub / "old.pag").c_str())) << version;
        OBJET* root = kernel.Page();
        EXPECT_STREQ("ancien", root->GetUserID()) << version;
        ASSERT_EQ(1, root->GetBranchItems()) << version;
        EXPECT_EQ(QX_BRANCH_ORDINARY, root->GetBranch(0)->kind) << version;
        EXPECT_EQ(1, root->GetBranch(0)->defaultCode) << version;
        ASSERT_EQ(1, root->GetChildItems()) << version;
        EXPECT_EQ("after", TestObjLabel(root->GetChild(0))) << version;
    }
}

TEST(OldPages, AnObjectPartClosedEarlyKeepsTheOldMessageStyle)
{
    std::vector<std::string> record = {Separator(), "OBJET {", "QXTESTOBJ.DLL", "0", "court", "NULL", "}",
                                       "BRANCH {", "2"};
    // Two branches in the eleven-line form.
    for (const char* target : {"NULL", "NULL"}) {
        for (const char* line : {target, "NULL", "1", "1", "  0.0", "0", "0", "NULL", "NULL", "NULL", "NULL"})
            record.push_back(line);
    }
    for (const char* line : {"}", "TESTOBJ {", "short", "0", "}"})
        record.push_back(line);
    ScratchDir pub;
    pub.Write("old.pag", PageText({record}));
    TestKernel kernel;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "old.pag").c_str()));
    OBJET* root = kernel.Page();
    ASSERT_NE(nullptr, root->message);
    EXPECT_EQ(-20, root->message->font.lfHeight);
    EXPECT_STREQ("System", root->message->font.lfFaceName);
    EXPECT_EQ(192, root->message->backColour.red);
    EXPECT_EQ(0, root->fonts.Items());
    EXPECT_EQ(2, root->GetBranchItems());
    EXPECT_EQ("short", TestObjLabel(root));
}

struct FileTypeCase {
    const char* name;
    std::string firstLines;
    int type;
};

class FileType : public testing::TestWithParam<FileTypeCase> {};

TEST_P(FileType, IsToldByTheFirstLine)
{
    ScratchDir dir;
    dir.Write("file", GetParam().firstLines);
    TestKernel kernel;
    EXPECT_EQ(GetParam().type, KernGetFileType(kernel, (dir / "file").c_str()));
}

INSTANTIATE_TEST_SUITE_P(
    FirstLines, FileType,
    testing::Values(FileTypeCase{"Empty", "", QX_FILE_ERROR},
                    FileTypeCase{"Page", "QORVEX-HYPERMEDIA PAGE\r\n", QX_FILE_PAGE},
                    FileTypeCase{"TemplateInSmallLetters", "qorvex-hypermedia template  \r\n", QX_FILE_TEMPLATE},
                    FileTypeCase{"Bookmarks", "QORVEX-HYPERMEDIA BOOKMARKS\r\nversion : 4.0.0.5\r\n",
                                 QX_FILE_BOOKMARKS},
                    FileTypeCase{"AnythingElse", "hello\r\n", QX_FILE_PAGE}),
    [](const testing::TestParamInfo<FileTypeCase>& info) { return std::string(info.param.name); });

TEST(FileType, OfAnAddressIsAPageAndOfNothingAnError)
{
    TestKernel kernel;
    EXPECT_EQ(QX_FILE_PAGE, KernGetFileType(kernel, "HTTP://example.invalid/page.pag"));
    EXPECT_EQ(QX_FILE_ERROR, KernGetFileType(kernel, "C:\\no\\such\\file.pag"));
    EXPECT_EQ(QX_FILE_ERROR, KernGetFileType(kernel, ""));
    EXPECT_EQ(QX_FILE_ERROR, KernGetFileType(nullptr, "x.pag"));
}

TEST(CopyTemplate, ChangesOnlyTheFirstLine)
{
    ScratchDir dir;
    const std::string body = Lines({"version : 4.0.0.5", "a line with trailing blanks   ",
                                    std::string(700, 'z')});
    dir.Write("page.pag", "QORVEX-HYPERMEDIA PAGE\r\n" + body);
    dir.Write("tmpl.qxt", "qorvex-hypermedia template\r\n" + body);
    TestKernel kernel;
    ASSERT_EQ(1, KernCopyTemplate(kernel, (dir / "page.pag").c_str(), (dir / "out.qxt").c_str(), QX_FILE_TEMPLATE));
    EXPECT_EQ("QORVEX-HYPERMEDIA TEMPLATE\r\n" + body, dir.Read("out.qxt"));
    ASSERT_EQ(1, KernCopyTemplate(kernel, (dir / "tmpl.qxt").c_str(), (dir / "out.pag").c_str(), QX_FILE_PAGE));
    EXPECT_EQ("QORVEX-HYPERMEDIA PAGE\r\n" + body, dir.Read("out.pag"));
}

TEST(CopyTemplate, RefusesAFileWithNothingAfterItsFirstLine)
{
    ScratchDir dir;
    dir.Write("bare.pag", "QORVEX-HYPERMEDIA PAGE\r\n");
    dir.Write("empty.pag", "");
    TestKernel kernel;
    EXPECT_EQ(0, KernCopyTemplate(kernel, (dir / "bare.pag").c_str(), (dir / "out1").c_str(), QX_FILE_TEMPLATE));
    EXPECT_EQ(0, KernCopyTemplate(kernel, (dir / "empty.pag").c_str(), (dir / "out2").c_str(), QX_FILE_TEMPLATE));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((dir / "out1").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((dir / "out2").c_str()));
}

}  // namespace
