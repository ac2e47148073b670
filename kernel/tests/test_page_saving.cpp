// Saving pages when things go wrong: a save that cannot be completed leaves the page as it
// was, says so, and leaves no work file behind; names are relative to where the page goes.
#include "kerneltest.h"
#include "branch.h"
#include "pagefiles.h"
#include "undo.h"

#include "dialog_answerer.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

namespace {

int WorkFilesIn(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((folder + "~qx*.tmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        ++count;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return count;
}

class FailedSave : public testing::Test {
protected:
    void Load(const std::string& label)
    {
        page = PageText({TestObjRecord(label, 0)});
        pub.Write("page.pag", page);
        ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
        kernel.Show(pub / "page.pag");
    }

    void ExpectUntouchedAndReported()
    {
        EXPECT_EQ(page, pub.Read("page.pag"));
        ASSERT_EQ(1u, answerer.Shown().size());
        EXPECT_EQ("Erreur de fichier", answerer.Shown()[0].caption);
        EXPECT_EQ("Impossible de sauvegarder le fichier " + (pub / "page.pag") + ".", answerer.Shown()[0].text);
        EXPECT_EQ(0, WorkFilesIn(pub.Path()));
    }

    ScratchDir pub;
    std::string page;
    TestKernel kernel;
    DialogAnswerer answerer;
};

TEST_F(FailedSave, AWriteThatFailsLeavesThePageWhole)
{
    Load("FAILSAVE");
    EXPECT_EQ(0, KernSave(kernel));
    ExpectUntouchedAndReported();
}

TEST_F(FailedSave, AReadOnlyPageIsNotReplaced)
{
    Load("fine");
    ASSERT_TRUE(SetFileAttributesA((pub / "page.pag").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(0, KernSave(kernel));
    SetFileAttributesA((pub / "page.pag").c_str(), FILE_ATTRIBUTE_NORMAL);
    ExpectUntouchedAndReported();
}

TEST_F(FailedSave, AFolderThatCannotBeWrittenGetsNothing)
{
    Load("fine");
    const std::string target = pub / "no such folder\\page.pag";
    EXPECT_EQ(0, KernSaveAs(kernel, target.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(target.c_str()));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Impossible de sauvegarder le fichier " + target + ".", answerer.Shown()[0].text);
}

TEST_F(FailedSave, AnAddressIsNoPlaceToSaveTo)
{
    Load("fine");
    kernel->history.Add("HTTP://example.invalid/page.pag");
    EXPECT_EQ(0, KernSave(kernel));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Impossible de sauvegarder le fichier HTTP://example.invalid/page.pag.", answerer.Shown()[0].text);
}

TEST(SaveAs, MakesNamesRelativeToTheFolderThePageGoesTo)
{
    ScratchDir pub;
    pub.Write("page.pag", PageText({TestObjRecord("root", 0)}));
    pub.Write("p2.pag", PageText({TestObjRecord("p2", 0)}));
    TestKernel kernel;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    kernel.Show(pub / "page.pag");
    BRANCH* branch = new BRANCH(kernel);
    branch->SetFilename((pub / "p2.pag").c_str());
    kernel.Page()->AddBranch(branch);

    CreateDirectoryA((pub / "copies").c_str(), nullptr);
    ASSERT_EQ(1, KernSaveAs(kernel, (pub / "copies\\copy.pag").c_str()));
    const std::string written = pub.Read("copies\\copy.pag");
    EXPECT_NE(std::string::npos, written.find("\r\nBR [\r\n0\r\n..\\p2.pag\r\n")) << Visible(written);
    EXPECT_EQ(pub / "page.pag", std::string(KernGetActiveFilename(kernel)));
}

TEST(Save, CallsTheHostAndLeavesThePageUnmodified)
{
    ScratchDir pub;
    pub.Write("page.pag", PageText({TestObjRecord("root", 0)}));
    TestKernel kernel(TestPluginFolder(), 2);
    int saves = 0;
    kernel->appPointer = &saves;
    kernel->eventSave = [](void* host) { ++*static_cast<int*>(host); };
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    kernel.Show(pub / "page.pag");
    KernUndoPush(kernel, new UNDO_ADD(kernel.Page()));
    ASSERT_EQ(1, kernel->undo.IsModified());
    ASSERT_EQ(1, KernSave(kernel));
    EXPECT_EQ(1, saves);
    EXPECT_EQ(0, kernel->undo.IsModified());
}

TEST(IsSave, AsksOnlyForAModifiedPage)
{
    ScratchDir pub;
    pub.Write("page.pag", PageText({TestObjRecord("root", 0)}));
    TestKernel kernel(TestPluginFolder(), 2);
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    kernel.Show(pub / "page.pag");
    {
        DialogAnswerer answerer;
        EXPECT_EQ(1, KernIsSave(kernel));
        EXPECT_TRUE(answerer.Shown().empty());
    }
    KernUndoPush(kernel, new UNDO_ADD(kernel.Page()));
    {
        DialogAnswerer answerer(IDCANCEL);
        EXPECT_EQ(0, KernIsSave(kernel));
        ASSERT_EQ(1u, answerer.Shown().size());
        EXPECT_EQ("Fichier modifié", answerer.Shown()[0].caption);
        EXPECT_EQ(1, kernel->undo.IsModified());
    }
    {
        DialogAnswerer answerer(IDNO);
        EXPECT_EQ(1, KernIsSave(kernel));
        EXPECT_EQ(0, kernel->undo.IsModified());
    }
}

}  // namespace
