// What objects and branches write into exported pages: the tooltip and branch arguments of
// the page's script, with names taken from the export-name table.
#include "kerneltest.h"
#include "branch.h"
#include "exportnames.h"
#include "qxfile.h"

#include "scratch_dir.h"

#include <gtest/gtest.h>

namespace {

class Export : public testing::Test {
protected:
    // The published folder has a name fit for FTP, as every exported name is.
    void SetUp() override { kernel->dhtmlActivePage = "c:\\site\\page.html"; }

    template <class Write>
    std::string Written(Write write)
    {
        const QXFILE file = QXopen((site / "out.txt").c_str(), 1);
        EXPECT_EQ(1, write(file));
        QXclose(file);
        return site.Read("out.txt");
    }

    ScratchDir site;
    TestKernel kernel;
};

TEST_F(Export, AnObjectWithoutMessageWritesNull)
{
    OBJET object(kernel, nullptr);
    EXPECT_EQ("null", Written([&](QXFILE f) { return object.ExportTooltipToDHTML(f); }));
    object.message = new MESSOBJ;
    EXPECT_EQ("null", Written([&](QXFILE f) { return object.ExportTooltipToDHTML(f); }));
}

TEST_F(Export, TheTooltipTextKeepsItsLinesAndCannotBreakTheScript)
{
    OBJET object(kernel, nullptr);
    object.message = new MESSOBJ;
    object.message->text = "Il a dit \"oui\"\r\nC:\\dossier </script>\r\n";
    object.message->delay = 2;
    EXPECT_EQ("new QXToolTip(\"Il a dit \\\"oui\\\" \\C:\\\\dossier \\x3c/script> \",null,2)",
              Written([&](QXFILE f) { return object.ExportTooltipToDHTML(f); }));
}

TEST_F(Export, TheTooltipSoundTakesItsExportName)
{
    OBJET object(kernel, nullptr);
    object.message = new MESSOBJ;
    object.message->title = "t";
    object.message->sound = "C:\\pub\\Son.WAV";
    KernAddExportName(kernel, "C:\\pub\\Son.WAV", "c:\\site\\media\\Son.WAV", false);
    EXPECT_EQ("new QXToolTip(\"\",\"./media/son.wav\",0)", Written([&](QXFILE f) { return object.ExportTooltipToDHTML(f); }));
}

TEST_F(Export, ABranchThatLeadsNowhereWritesNull)
{
    BRANCH branch(kernel);
    EXPECT_EQ("null", Written([&](QXFILE f) { return branch.ExportToDHTML(f); }));
}

TEST_F(Export, ABranchWritesItsMarkTargetSoundDelayAndParameter)
{
    KernAddExportName(kernel, "C:\\pub\\p2.pag", "c:\\site\\p2.pag", false);
    BRANCH page(kernel);
    page.pluginMark = 1;
    page.target = "C:\\pub\\p2.pag";
    page.delay = 1.25;
    page.parameter = "go(1)";
    // A page is published under its name, the source's extension and ".html".
    EXPECT_EQ("new QXBranch(\"1\",\"./p2pag.html\",null,1.2,null,go(1))",
              Written([&](QXFILE f) { return page.ExportToDHTML(f); }));

    BRANCH action(kernel);
    action.gadget = new GADGET(kernel, 2, "Reculer d'une page", "KernGoBack");
    EXPECT_EQ("new QXBranch(\"0\",\"GADGET: 2\",null,0.0,null,null)",
              Written([&](QXFILE f) { return action.ExportToDHTML(f); }));

    BRANCH link(kernel);
    link.target = "HTTP://example.invalid/a\"b.html";
    EXPECT_EQ("new QXBranch(\"0\",\"HTTP://example.invalid/a\\\"b.html\",null,0.0,null,null)",
              Written([&](QXFILE f) { return link.ExportToDHTML(f); }));
}

TEST(ExportNames, OneSourceKeepsOneNameForTheWholeExport)
{
    TestKernel kernel;
    char name[QX_NAME_BUFFER];
    EXPECT_EQ(QX_EXPORT_UNKNOWN, KernGetExportName(kernel, "C:\\pub\\a.bmp", name));
    // The folders are where the export writes: only the file's own name is made FTP-safe.
    KernAddExportName(kernel, "C:\\pub\\a.bmp", "D:\\Mon Site\\images\\A Picture.bmp", true);
    KernAddExportName(kernel, "c:\\PUB\\A.BMP", "D:\\site\\other.bmp", false);
    EXPECT_EQ(1, kernel->distList->Items());
    EXPECT_EQ(QX_EXPORT_COPY, KernGetExportName(kernel, "C:\\pub\\a.bmp", name));
    EXPECT_STREQ("D:\\Mon Site\\images\\a_picture.bmp", name);
    EXPECT_EQ(QX_EXPORT_DONE, KernGetExportName(kernel, "C:\\pub\\a.bmp", name));
    EXPECT_STREQ("D:\\Mon Site\\images\\a_picture.bmp", name);
}

TEST(ExportNames, AnotherFormatOfASourceGetsANewUniqueName)
{
    TestKernel kernel;
    KernAddExportName(kernel, "C:\\pub\\a.bmp", "D:\\site\\a.bmp", false);
    KernAddExportName(kernel, "C:\\pub\\abmp.bmp", "D:\\site\\abmp.jpg", false);
    char name[QX_NAME_BUFFER];
    // "a" + "bmp" + ".jpg" is taken by the second source: a number makes it unique.
    EXPECT_EQ(QX_EXPORT_COPY, KernGetExportName(kernel, "C:\\pub\\a.bmp", ".jpg", name));
    EXPECT_STREQ("D:\\site\\abmp2.jpg", name);
    EXPECT_EQ(QX_EXPORT_DONE, KernGetExportName(kernel, "C:\\pub\\a.bmp", ".jpg", name));
    EXPECT_EQ(3, kernel->distList->Items());
}

TEST(ExportNames, AKernelCanUseTheTableOfAnother)
{
    TestKernel first;
    TestKernel second;
    KernAddExportName(first, "C:\\pub\\a.bmp", "D:\\site\\a.bmp", false);
    SetDHTMLDistList(second, first);
    char name[QX_NAME_BUFFER];
    EXPECT_EQ(QX_EXPORT_COPY, KernGetExportName(second, "C:\\pub\\a.bmp", name));
    EXPECT_EQ(0, second->ownsDistList);
}

}  // namespace
