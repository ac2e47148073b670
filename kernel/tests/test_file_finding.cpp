// Finding the files that pages name when the publication no longer lies where its author
// made it: another drive, a file the author points at, old pages' whole paths, the CD-ROM.
#include "kerneltest.h"
#include "accessors.h"
#include "filefind.h"
#include "help.h"

#include "dialog_answerer.h"
#include "dialog_items.h"
#include "qxregistry.h"
#include "scratch_dir.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

// The name of a scratch file as the author's machine wrote it: the same path on drive Z.
std::string OnAuthorsDrive(const std::string& path) { return "Z" + path.substr(1); }

TEST(FindFile, AFileMovedToThePublicationsDriveIsFoundThere)
{
    ScratchDir pub;
    ASSERT_EQ('C', pub.Path()[0]);
    pub.Write("media\\a.wav", "RIFF");
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    QXSTRING name = OnAuthorsDrive(pub / "media\\a.wav").c_str();
    EXPECT_EQ(1, KernFindFileStr(kernel, &name, 1));
    EXPECT_EQ(pub / "media\\a.wav", std::string(name));
}

// Each missing name is told once, however its case is written; another name is told too.
TEST(FindFile, AMissingNameOnAnotherDriveIsReportedOnlyOnce)
{
    ScratchDir pub;
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    DialogAnswerer answerer;
    for (const char* written : {"été.wav", "ÉTÉ.WAV", "Été.Wav", "autre.wav", "AUTRE.wav"}) {
        QXSTRING name = OnAuthorsDrive(pub / written).c_str();
        EXPECT_EQ(0, KernFindFileStr(kernel, &name, 1)) << written;
    }
    ASSERT_EQ(2u, answerer.Shown().size());
    EXPECT_EQ("Fichier introuvable", answerer.Shown()[0].caption);
}

TEST(FindFile, AnAuthorLocatesAMissingFileOnceForAll)
{
    ScratchDir pub;
    pub.Write("nouveau\\b.wav", "RIFF");
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    KernSetAppIsEditor(kernel, 1);
    const std::string chosen = pub / "nouveau\\b.wav";
    DialogAnswerer answerer([&](HWND dialog) {
        if (WindowText(dialog) == "Fichier introuvable")
            return IDYES;
        // The open-file dialog: its file name box is a combo box in the explorer style.
        if (!SetDlgItemTextA(dialog, 0x47c, chosen.c_str()))
            SetDlgItemTextA(dialog, 0x480, chosen.c_str());
        return IDOK;
    });
    char name[QX_NAME_BUFFER];
    lstrcpyA(name, (pub / "ancien\\b.wav").c_str());
    EXPECT_EQ(1, KernFindFile(kernel, name, 1));
    EXPECT_EQ(chosen, std::string(name));
    ASSERT_LE(1u, answerer.Shown().size());
    EXPECT_EQ("Impossible de trouver le fichier " + (pub / "ancien\\b.wav") +
                  ".\nIl est possible qu'il est été deplacé ou effacé\nDésirez-vous localiser manuellement ce fichier?",
              answerer.Shown()[0].text);

    const size_t asked = answerer.Shown().size();
    lstrcpyA(name, (pub / "ancien\\b.wav").c_str());
    EXPECT_EQ(1, KernFindFile(kernel, name, 1)) << "the choice stands for the name";
    EXPECT_EQ(chosen, std::string(name));
    EXPECT_EQ(asked, answerer.Shown().size()) << "nothing asked again";
}

TEST(FindFile, AnAuthorWhoDeclinesIsNotAskedAgain)
{
    ScratchDir pub;
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    KernSetAppIsEditor(kernel, 1);
    DialogAnswerer answerer(IDNO);
    const std::string missing = pub / "c.wav";
    char name[QX_NAME_BUFFER];
    lstrcpyA(name, missing.c_str());
    EXPECT_EQ(0, KernFindFile(kernel, name, 1));
    lstrcpyA(name, missing.c_str());
    EXPECT_EQ(0, KernFindFile(kernel, name, 1));
    EXPECT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ(missing, std::string(name));
}

// Old pages name whole paths of the author's tree: where each layout is found.
TEST(FindFileOld, TheAuthorsTreeIsFoundAroundThePublication)
{
    ScratchDir root;
    root.Write("pubs\\demo\\media\\a.wav", "RIFF");
    root.Write("pubs\\demo\\b.wav", "RIFF");
    root.Write("pubs\\commun\\sons\\c.wav", "RIFF");
    const std::string publication = root / "pubs\\demo\\";
    struct Case {
        const char* why;
        std::string name;
        std::string found;
    } cases[] = {
        {"climbing the publication's folder", "Q:\\travail\\demo\\media\\a.wav", root / "pubs\\demo\\media\\a.wav"},
        {"a sibling tree of the publication", "Q:\\ancien\\commun\\sons\\c.wav", root / "pubs\\commun\\sons\\c.wav"},
        {"re-rooted on a folder of the publication's path", "Q:\\x\\demo\\y\\b.wav", root / "pubs\\demo\\b.wav"},
        {"the same path on the publication's drive", OnAuthorsDrive(root / "pubs\\demo\\b.wav"),
         root / "pubs\\demo\\b.wav"},
    };
    for (const Case& c : cases) {
        TestKernel kernel;
        kernel->scnPath = publication.c_str();
        QXSTRING name = c.name.c_str();
        EXPECT_EQ(1, KernFindFileOldStr(kernel, &name, 0, 0)) << c.why;
        EXPECT_STREQ(c.found.c_str(), name) << c.why;
    }
}

TEST(FindFileOld, AFolderWhereAFileWasFoundIsSearchedForTheNext)
{
    ScratchDir root;
    root.Write("ailleurs\\sons\\d.wav", "RIFF");
    root.Write("ailleurs\\sons\\e.wav", "RIFF");
    TestKernel kernel;
    kernel->scnPath = (root / "pub\\").c_str();
    QXSTRING name = (root / "ailleurs\\sons\\d.wav").c_str();
    ASSERT_EQ(1, KernFindFileOldStr(kernel, &name, 0, 0));
    ASSERT_EQ(1, kernel->seekCount);
    EXPECT_EQ(root / "ailleurs\\sons\\", std::string(kernel->seekPaths[0]));

    name = "Q:\\autre\\sons\\e.wav";
    EXPECT_EQ(1, KernFindFileOldStr(kernel, &name, 0, 0)) << "re-rooted on the seek path";
    EXPECT_EQ(root / "ailleurs\\sons\\e.wav", std::string(name));
    EXPECT_EQ(1, kernel->seekCount) << "a listed folder is not added again";
}

TEST(FindFileOld, AMissingFileIsReportedOnceAndAddressesAreNotLocated)
{
    ScratchDir pub;
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    DialogAnswerer answerer;
    QXSTRING name = "Q:\\nulle\\part.wav";
    EXPECT_EQ(0, KernFindFileOldStr(kernel, &name, 1, 0));
    EXPECT_EQ(0, KernFindFileOldStr(kernel, &name, 1, 0));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Fichier introuvable", answerer.Shown()[0].caption);

    name = "HTTP://hote/a.wav";
    EXPECT_EQ(0, KernFindFileOldStr(kernel, &name, 1, 0));
    EXPECT_STREQ("HTTP://hote/a.wav", name);
    kernel->scnPath = "";
    name = (pub / "x.wav").c_str();
    EXPECT_EQ(0, KernFindFileOldStr(kernel, &name, 1, 0)) << "no publication folder, no search";
    EXPECT_EQ(1u, answerer.Shown().size());
}

// A page read in one go may name the same absent file in thousands of branches: the search
// is made once a page, and the next page searches again.
TEST(FindFileOld, AFileFoundMissingIsSearchedForAgainOnlyAtTheNextPage)
{
    ScratchDir root;
    TestKernel kernel;
    kernel->scnPath = (root / "pub\\").c_str();
    const std::string author = OnAuthorsDrive(root / "ailleurs\\sons\\tard.wav");
    QXSTRING name = author.c_str();
    ASSERT_EQ(0, KernFindFileOldStr(kernel, &name, 0, 0));
    root.Write("ailleurs\\sons\\tard.wav", "RIFF");
    name = author.c_str();
    EXPECT_EQ(0, KernFindFileOldStr(kernel, &name, 0, 0)) << "the same page";
    kernel->missing.Clear();
    name = author.c_str();
    EXPECT_EQ(1, KernFindFileOldStr(kernel, &name, 0, 0)) << "the next page";
    EXPECT_EQ(root / "ailleurs\\sons\\tard.wav", std::string(name));
}

TEST(FindFileOld, AFileOffThePublicationsDriveThatStaysThereCountsAsMissing)
{
    char program[QX_NAME_BUFFER];
    GetModuleFileNameA(nullptr, program, sizeof program);
    ScratchDir pub;
    ASSERT_NE(program[0], pub.Path()[0]);
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    DialogAnswerer answerer(IDNO);  // not copied onto the publication's drive
    QXSTRING name = program;
    EXPECT_EQ(1, KernFindFileOldStr(kernel, &name, 0, 0)) << "found where it is";
    EXPECT_EQ(0, KernFindFileOldStr(kernel, &name, 1, 1));
    std::string onPublicationDrive = program;
    onPublicationDrive[0] = pub.Path()[0];
    EXPECT_EQ(onPublicationDrive, std::string(name));
    ASSERT_EQ(2u, answerer.Shown().size());
    EXPECT_EQ("Attention", answerer.Shown()[0].caption);
    EXPECT_EQ("Fichier introuvable", answerer.Shown()[1].caption);
}

// A kernel made as the player makes it, with its settings under a test key.
class CdromTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        kernel_ = KernConstructeur(host_, nullptr, "Software\\QxCdromTests\\", "Environnement", "CDRom");
        cd_.Write("APP\\QXASSIST40.EXE", "MZ");
    }
    void TearDown() override
    {
        KernDestructeur(kernel_);
        DestroyWindow(host_);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QxCdromTests");
    }
    std::string Root() const { return cd_.Path().substr(0, cd_.Path().size() - 1); }
    std::string Recorded() const
    {
        QXSTRING value;
        GetRegistryStrValueAsString(HKEY_CURRENT_USER, "Software\\QxCdromTests\\Environnement", "CDRom", "", &value);
        return static_cast<const char*>(value);
    }

    HWND host_{};
    KERNEL* kernel_{};
    ScratchDir cd_;
    ScratchDir elsewhere_;
};

TEST_F(CdromTest, TheFolderTheSettingsNameIsTakenWithoutAsking)
{
    SetRegistryStringValue(HKEY_CURRENT_USER, "Software\\QxCdromTests\\Environnement", "CDRom", Root().c_str());
    DialogAnswerer answerer(IDCANCEL);
    QXSTRING root;
    EXPECT_EQ(1, KernLocateCDROMRootPath(kernel_, host_, "QXASSIST40.EXE", "APP", &root));
    EXPECT_EQ(Root(), std::string(root));
    EXPECT_EQ(0, KernLocateCDROMRootPath(kernel_, host_, "APP\\QXASSIST40.EXE", "", &root)) << "a file, not a path";
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST_F(CdromTest, TheUserPointsAtTheFolderUntilItHoldsTheFile)
{
    const std::string wrong = elsewhere_.Path();
    const std::string right = cd_.Path();
    int browsed = 0;
    DialogAnswerer answerer([&](HWND dialog) {
        if (WindowText(dialog) == "Erreur de lecture du CDROM")
            return IDOK;
        const std::string& folder = browsed++ == 0 ? wrong : right;
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        return IDOK;
    });
    QXSTRING root;
    ASSERT_EQ(1, KernLocateCDROMRootPath(kernel_, host_, "QXASSIST40.EXE", "APP", &root));
    EXPECT_EQ(Root(), std::string(root)) << "without its final backslash";
    EXPECT_EQ(2, browsed);
    ASSERT_EQ(3u, answerer.Shown().size());
    EXPECT_EQ("Erreur de lecture du CDROM", answerer.Shown()[1].caption);
    EXPECT_EQ(Root(), Recorded()) << "remembered in the settings";
    QXSTRING known;
    EXPECT_EQ(1, KernGetCDROMPath(kernel_, &known));
    EXPECT_EQ(Root(), std::string(known));
}

TEST_F(CdromTest, CancellingTheBrowserFindsNothing)
{
    DialogAnswerer answerer(IDCANCEL);
    QXSTRING root = "inchangé";
    EXPECT_EQ(0, KernLocateCDROMRootPath(kernel_, host_, "QXASSIST40.EXE", "APP", &root));
    EXPECT_STREQ("inchangé", root);
    EXPECT_EQ("", Recorded());
}

TEST_F(CdromTest, TheHelpProgramIsLookedForOnTheCdromWhenAllowed)
{
    KernSetAppPath(kernel_, elsewhere_.Path().c_str());
    QXSTRING line;
    {
        DialogAnswerer answerer(IDCANCEL);
        KernGetHelpCmdLineStr(kernel_, &line, "index.pag", 0, 1);
        EXPECT_STREQ("", line) << "not asked for";
        EXPECT_TRUE(answerer.Shown().empty());
        KernGetHelpCmdLineStr(kernel_, &line, "index.pag", 1, 1);
        EXPECT_STREQ("", line);
        ASSERT_EQ(2u, answerer.Shown().size()) << "the browser, then the warning";
        EXPECT_EQ("Erreur de CD-ROM", answerer.Shown()[1].caption);
    }
    DialogAnswerer answerer([&](HWND dialog) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(cd_.Path().c_str()));
        return IDOK;
    });
    KernGetHelpCmdLineStr(kernel_, &line, "index.pag", 1, 1);
    EXPECT_EQ("\"" + Root() + "\\APP\\QXASSIST40.EXE\" -N " + Root() + "\\APP\\AIDE\\index.pag", std::string(line));
}

}  // namespace
