// Templates: saving the page or the selection as a template, and inserting a template into
// the page shown; opening a page through the general loader.
#include "kerneltest.h"
#include "pagefiles.h"
#include "selection.h"
#include "undo.h"

#include "dialog_answerer.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

namespace {

struct HostCalls {
    int addObjet = 0;
    OBJET* lastAdded = reinterpret_cast<OBJET*>(1);
};

void CountAddObjet(void* host, KERNEL*, OBJET* object)
{
    auto* calls = static_cast<HostCalls*>(host);
    ++calls->addObjet;
    calls->lastAdded = object;
}

class Templates : public testing::Test {
protected:
    void SetUp() override
    {
        pub.Write("page.pag", PageText({TestObjRecord("page", 1, 0, "pageid"), TestObjRecord("existing", 0)}));
        kernel->appPointer = &calls;
        kernel->eventAddObjet = CountAddObjet;
        ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
        kernel.Show(pub / "page.pag");
    }

    // The entries of a template: a separator, the coordinate flag, then the record.
    static std::vector<std::string> Entry(const std::vector<std::string>& record)
    {
        std::vector<std::string> entry = {Separator(), "1"};
        entry.insert(entry.end(), record.begin(), record.end());
        return entry;
    }

    ScratchDir pub;
    TestKernel kernel{TestPluginFolder(), 2};
    HostCalls calls;
    DialogAnswerer answerer;
};

TEST_F(Templates, AnInsertedTemplateChangesThePagePropertiesAndAddsItsObjectsSelected)
{
    std::vector<std::string> lines = {"QORVEX-HYPERMEDIA TEMPLATE"};
    for (const auto& record : {TestObjRecord("template root", 0, 1, "tmplroot"), TestObjRecord("a", 0),
                               TestObjRecord("b", 0)}) {
        const auto entry = Entry(record);
        lines.insert(lines.end(), entry.begin(), entry.end());
    }
    lines.push_back(Separator());
    pub.Write("objects.qxt", Lines(lines));

    char name[QX_NAME_BUFFER];
    ASSERT_EQ(1, KernLoadTemplate(kernel, (pub / "objects.qxt").c_str(), name, sizeof name));
    EXPECT_EQ(pub / "objects.qxt", std::string(name));

    OBJET* root = kernel.Page();
    EXPECT_STREQ("tmplroot", root->GetUserID());
    EXPECT_EQ("template root", TestObjLabel(root));
    ASSERT_EQ(3, root->GetChildItems());
    EXPECT_EQ("existing", TestObjLabel(root->GetChild(0)));
    EXPECT_EQ("a", TestObjLabel(root->GetChild(1)));
    EXPECT_EQ("b", TestObjLabel(root->GetChild(2)));
    ASSERT_EQ(2, KernObjectsSelected(kernel));
    EXPECT_EQ(1, root->GetChild(1)->selected);
    EXPECT_EQ(1, root->GetChild(2)->selected);
    EXPECT_EQ(0, root->GetChild(0)->selected);
    EXPECT_EQ(1, kernel->undo.IsModified());
    EXPECT_EQ(1, calls.addObjet);
    EXPECT_EQ(nullptr, calls.lastAdded);
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST_F(Templates, UndoingTheInsertionRemovesTheObjectsAndRestoresThePage)
{
    std::vector<std::string> lines = {"QORVEX-HYPERMEDIA TEMPLATE"};
    for (const auto& record : {TestObjRecord("template root", 0, 1, "tmplroot"), TestObjRecord("a", 0)}) {
        const auto entry = Entry(record);
        lines.insert(lines.end(), entry.begin(), entry.end());
    }
    lines.push_back(Separator());
    pub.Write("objects.qxt", Lines(lines));
    ASSERT_EQ(1, KernLoadTemplate(kernel, (pub / "objects.qxt").c_str(), nullptr, 0));
    KernUndoPop(kernel);
    OBJET* root = kernel.Page();
    EXPECT_STREQ("pageid", root->GetUserID());
    ASSERT_EQ(1, root->GetChildItems());
    EXPECT_EQ("existing", TestObjLabel(root->GetChild(0)));
    EXPECT_EQ(0, kernel->undo.Items());
}

TEST_F(Templates, ASelectionSavedAsTemplateHoldsFlatEntriesWithoutFonts)
{
    OBJET* existing = kernel.Page()->GetChild(0);
    ASSERT_EQ(1, KernSelectObject(kernel, existing));
    ASSERT_EQ(1, KernSaveTemplate(kernel, (pub / "saved.qxt").c_str(), 0, 1));
    const std::string expected =
        Lines({"QORVEX-HYPERMEDIA TEMPLATE", Separator(), "1"}) + Lines(TestObjRecord("existing", 0)) +
        Lines({Separator()});
    EXPECT_EQ(Visible(expected), Visible(pub.Read("saved.qxt")));
    EXPECT_EQ(0, kernel->templateSave);
    EXPECT_EQ(kernel.Page(), existing->GetParent());
}

TEST_F(Templates, AWholePageSavedAsTemplateHoldsEveryObjectAsItsOwnEntry)
{
    ASSERT_EQ(1, KernSaveTemplate(kernel, (pub / "whole.qxt").c_str(), 1, 1));
    // Each entry's child count stays; no child record follows it.
    const std::string expected = Lines({"QORVEX-HYPERMEDIA TEMPLATE", Separator(), "1"}) +
                                 Lines(TestObjRecord("page", 1, 0, "pageid")) + Lines({Separator(), "1"}) +
                                 Lines(TestObjRecord("existing", 0)) + Lines({Separator()});
    EXPECT_EQ(Visible(expected), Visible(pub.Read("whole.qxt")));
}

TEST_F(Templates, ATemplateIsNotSavedWithoutSomethingToSave)
{
    EXPECT_EQ(0, KernSaveTemplate(kernel, (pub / "none.qxt").c_str(), 0, 1));
    EXPECT_EQ(0, KernSaveTemplate(kernel, "", 1, 1));
    EXPECT_EQ(0, KernSaveTemplate(kernel, "HTTP://example.invalid/t.qxt", 1, 1));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((pub / "none.qxt").c_str()));
}

TEST(GeneralLoader, OpensAPageThroughTheHistory)
{
    ScratchDir pub;
    pub.Write("first.pag", PageText({TestObjRecord("first", 0)}));
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    char name[QX_NAME_BUFFER];
    ASSERT_EQ(1, KernLoad(kernel, (pub / "first.pag").c_str(), name, sizeof name));
    EXPECT_EQ(pub / "first.pag", std::string(name));
    ASSERT_EQ(1, kernel->history.Items());
    EXPECT_EQ(pub / "first.pag", std::string(kernel->history.Last()->name));
    EXPECT_EQ(1, kernel->visited.Items());
    EXPECT_EQ("first", TestObjLabel(kernel.Page()));
    EXPECT_EQ(pub / "first.pag", std::string(KernGetActiveFilename(kernel)));
}

TEST(GeneralLoader, RefusesBookmarkFilesAndMissingFiles)
{
    ScratchDir pub;
    pub.Write("marks.qxb", "QORVEX-HYPERMEDIA BOOKMARKS\r\n");
    TestKernel kernel;
    EXPECT_EQ(0, KernLoadTemplate(kernel, (pub / "marks.qxb").c_str(), nullptr, 0));
    EXPECT_EQ(0, KernLoadTemplate(kernel, (pub / "absent.pag").c_str(), nullptr, 0));
    EXPECT_EQ(0, kernel->loadedPages.Items());
}

}  // namespace
