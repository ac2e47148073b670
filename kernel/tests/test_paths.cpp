// Names in pages, relative to the folder of the page shown, and to the page exported.
#include "kerneltest.h"
#include "paths.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* page;
    const char* name;
    const char* relative;
};

class Relative : public testing::TestWithParam<PathCase> {};

TEST_P(Relative, NamesGoToAndFromTheFolderOfThePage)
{
    TestKernel kernel;
    kernel->activeFilename = GetParam().page;
    char out[QX_NAME_BUFFER];
    KernFileToRelatifPath(kernel, GetParam().name, out);
    EXPECT_STREQ(GetParam().relative, out);
    QXSTRING text;
    KernFileToRelatifPathStr(kernel, GetParam().name, &text);
    EXPECT_STREQ(GetParam().relative, text);
    char back[QX_NAME_BUFFER];
    KernFileToAbsolutePath(kernel, out, back);
    EXPECT_STREQ(GetParam().name, back);
}

INSTANTIATE_TEST_SUITE_P(
    Names, Relative,
    testing::Values(PathCase{"C:\\pub\\page.pag", "C:\\pub\\media\\a.wav", ".\\media\\a.wav"},
                    PathCase{"C:\\pub\\pages\\page.pag", "C:\\pub\\media\\a.wav", "..\\media\\a.wav"},
                    PathCase{"C:\\pub\\page.pag", "D:\\other\\a.wav", "D:\\other\\a.wav"},
                    PathCase{"C:\\pub\\page.pag", "QXPICT.DLL", "QXPICT.DLL"},
                    PathCase{"C:\\pub\\page.pag", "HTTP://host/a.wav", "HTTP://host/a.wav"}));

TEST(Paths, OnlyDotNamesChangeWhenMadeAbsolute)
{
    TestKernel kernel;
    kernel->activeFilename = "C:\\pub\\pages\\page.pag";
    char out[QX_NAME_BUFFER] = ".\\img\\b.bmp";
    EXPECT_EQ(1, KernFileToAbsolutePath(kernel, out, out));
    EXPECT_STREQ("C:\\pub\\pages\\img\\b.bmp", out);
    EXPECT_EQ(0, KernFileToAbsolutePath(kernel, "img\\b.bmp", out));
    EXPECT_STREQ("img\\b.bmp", out);
    QXSTRING text = "..\\x.pag";
    EXPECT_EQ(1, KernFileToAbsolutePathStr(kernel, text, &text));
    EXPECT_STREQ("C:\\pub\\x.pag", text);
}

TEST(Paths, APageFolderGivenWithSlashesIsUnderstood)
{
    TestKernel kernel;
    kernel->activeFilename = "HTTP://host/pub/page.pag";
    QXSTRING text;
    KernFileToAbsolutePathStr(kernel, ".\\img\\b.bmp", &text);
    EXPECT_STREQ("HTTP://host/pub/img/b.bmp", text);
}

TEST(Paths, ANullKernelChangesNothing)
{
    char out[QX_NAME_BUFFER];
    EXPECT_EQ(0, KernFileToAbsolutePath(nullptr, ".\\a", out));
    EXPECT_STREQ(".\\a", out);
    QXSTRING text;
    EXPECT_EQ(0, KernFileToRelatifPathStr(nullptr, "C:\\a", &text));
    EXPECT_EQ(0, KernFileToRelatifPathHtml(nullptr, "C:\\a", out));
}

TEST(Paths, ExportedNamesUseForwardSlashes)
{
    TestKernel kernel;
    kernel->dhtmlActivePage = "C:\\site\\pages\\index.html";
    char out[QX_NAME_BUFFER];
    KernFileToRelatifPathHtml(kernel, "C:\\site\\images\\a.jpg", out);
    EXPECT_STREQ("../images/a.jpg", out);
}

}  // namespace
