// Fonts carried by pages: the FONTS record, lists without two entries of one face, the
// fonts an object needs, and the font store beside the page.
#include "kerneltest.h"
#include "fonts.h"
#include "pagefiles.h"
#include "qxfile.h"

#include "dialog_answerer.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(FontsRecord, RoundTripsItsThreeLines)
{
    ScratchDir dir;
    FONTS font;
    EXPECT_STREQ("NULL", font.dosName);
    EXPECT_EQ(-1, font.flags);
    font.SetLogName("Arial");
    font.SetDosName(".\\fonts\\~~Fabcdef");
    font.flags = 4;
    QXFILE file = QXopen((dir / "f.txt").c_str(), 1);
    ASSERT_EQ(1, font.Save(file));
    QXclose(file);
    EXPECT_EQ(Lines({"Arial", ".\\fonts\\~~Fabcdef", "4"}), dir.Read("f.txt"));
    FONTS read;
    file = QXopen((dir / "f.txt").c_str(), 0);
    ASSERT_EQ(1, read.Load(file));
    QXclose(file);
    EXPECT_STREQ("Arial", read.logName);
    EXPECT_STREQ(".\\fonts\\~~Fabcdef", read.dosName);
    EXPECT_EQ(4, read.flags);
}

TEST(FontsRecord, NeedsItsNameAndFileLines)
{
    ScratchDir dir;
    dir.Write("f.txt", Lines({"Arial"}));
    FONTS read;
    const QXFILE file = QXopen((dir / "f.txt").c_str(), 0);
    EXPECT_EQ(0, read.Load(file));
    QXclose(file);
    read.SetDosName("");
    EXPECT_STREQ("NULL", read.dosName);
    read.SetLogName(nullptr);
    EXPECT_STREQ("Arial", read.logName);
}

TEST(FontsList, HoldsOneEntryAFace)
{
    FONTS_LIST list;
    FONTS* arial = new FONTS;
    arial->SetLogName("Arial");
    FONTS* again = new FONTS;
    again->SetLogName("ARIAL");
    EXPECT_EQ(1, list.AddFont(arial));
    EXPECT_EQ(0, list.AddFont(again));
    EXPECT_EQ(0, list.AddFont(nullptr));
    EXPECT_EQ(1, list.Items());
    delete again;
}

TEST(ObjectFonts, OnlyAMessageWithTextOrTitleNeedsItsFont)
{
    TestKernel kernel;
    OBJET object(kernel, nullptr);
    FONTS_LIST list;
    object.GetFonts(&list);
    EXPECT_EQ(0, list.Items());
    object.message = new MESSOBJ;
    object.GetFonts(&list);
    EXPECT_EQ(0, list.Items());
    object.message->title = "t";
    const int flags = KernGetFontEmbedingFlag(object.message->font.lfFaceName);
    const bool restricted = (flags & QX_EMBED_RESTRICTED) && !(flags & (QX_EMBED_PREVIEW_PRINT | QX_EMBED_EDITABLE));
    object.GetFonts(&list);
    object.GetFonts(&list);
    EXPECT_EQ(flags == -1 || restricted ? 0 : 1, list.Items());
}

TEST(FontStore, IsMadeBesideThePageAndReusedForAFace)
{
    ScratchDir pub;
    pub.Write("page.pag", PageText({TestObjRecord("root", 0)}));
    pub.Write("copie\\autre.txt", "");
    DialogAnswerer answerer;
    TestKernel kernel;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    QXSTRING first;
    if (!KernGetFontDosNameStr(kernel, "System", &first))
        GTEST_SKIP() << "this machine cannot write the face to a file";
    EXPECT_EQ(0u, std::string(first).find(pub / "fonts\\~~F"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(first));
    QXSTRING second;
    ASSERT_EQ(1, KernGetFontDosNameStr(kernel, "system", &second));
    EXPECT_STREQ(first, second);
    const std::string name = std::string(first).substr((pub / "fonts\\").size());
    EXPECT_EQ(Lines({"System", name}), pub.Read("fonts\\fonts.mgr"));
}

TEST(FontStore, APageSavedUnderAnotherNameTakesItsFontsToItsNewFolder)
{
    ScratchDir pub;
    pub.Write("page.pag", PageText({TestObjRecord("root", 0)}));
    pub.Write("copie\\autre.txt", "");
    DialogAnswerer answerer;
    TestKernel kernel;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    kernel.Show(pub / "page.pag");
    OBJET* root = kernel.Page();
    ASSERT_NE(nullptr, root);
    root->message = new MESSOBJ;
    root->message->title = "t";
    lstrcpyA(root->message->font.lfFaceName, "Liberation Sans");
    ASSERT_EQ(1, KernSaveAs(kernel, (pub / "copie\\page.pag").c_str()));
    const std::string saved = pub.Read("copie\\page.pag");
    EXPECT_NE(std::string::npos, saved.find("Liberation Sans\r\n.\\fonts\\~~F")) << Visible(saved);
    EXPECT_NE(std::string::npos, pub.Read("copie\\fonts\\fonts.mgr").find("Liberation Sans"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((pub / "fonts").c_str()));
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST(FontStore, NeedsALoadedPage)
{
    TestKernel kernel;
    QXSTRING file = "x";
    EXPECT_EQ(0, KernGetFontDosNameStr(kernel, "System", &file));
    EXPECT_STREQ("", file);
}

}  // namespace
