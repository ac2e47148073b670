// Exporting whole pages as DHTML: the HTML frame around the objects' lines, the default
// branches for the script, and a page exported alone with its media beside it.
#include "kerneltest.h"
#include "accessors.h"
#include "branch.h"
#include "dhtmlexport.h"
#include "exportnames.h"
#include "pagefiles.h"
#include "qxfile.h"

#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const std::string comment = "//" + std::string(93, '-');

// The lines of an exported page around the objects' own lines.
std::string Frame(const std::string& body, const std::string& home, const std::vector<std::string>& objects)
{
    std::vector<std::string> lines = {"<html>",
                                      body,
                                      "<meta name=\"description\" content=\"Page publiée avec Vistrelle 4.0\">",
                                      "<meta name=\"keywords\" content=\"Vistrelle, Qorvex, DHTML, multimédia\">",
                                      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">",
                                      "",
                                      "<script src=\"./qxstage40.js\"></script>",
                                      "<script>",
                                      "",
                                      "var QXObjects = new Array();",
                                      "",
                                      "var pub_home = \"" + home + "\"",
                                      "var objindex=0;",
                                      comment,
                                      "if(isValideBrowser()) {",
                                      "InitResources();"};
    lines.insert(lines.end(), objects.begin(), objects.end());
    for (const char* line : {"}", comment.c_str(), "</script>", "</body>", "</html>"})
        lines.push_back(line);
    return Lines(lines);
}

std::string ObjectLine(const std::string& label, int index, const std::string& published = "")
{
    return "QXObjects[objindex++] = QXTest(\"" + label + "\"," + std::to_string(index) + ",\"" + published + "\");";
}

FILETIME LastWrite(const std::string& file)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

class DhtmlExport : public testing::Test {
protected:
    // A page of test objects whose labels are given in tree order, each with its number
    // of children; the first is the root.
    void Load(const std::vector<std::pair<std::string, int>>& objects)
    {
        std::vector<std::vector<std::string>> records;
        for (size_t i = 0; i < objects.size(); ++i)
            records.push_back(TestObjRecord(objects[i].first, objects[i].second, i == 0 ? 1 : 0));
        pub.Write("page.pag", PageText(records));
        ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
        kernel.Show(pub / "page.pag");
        // The plug-ins are loaded: the program folder now only has to hold the script.
        app.Write("qxstage40.js", "// script\r\n");
        kernel->appPath = app.Path().c_str();
    }

    // The page shown written by KernSaveDHTML, as a host exporting a site does.
    std::string SiteExport()
    {
        const std::string page = site / "page.html";
        KernSetDHTMLDestPath(kernel, site.Path().c_str());
        KernSetDHTMLActivePage(kernel, page.c_str());
        const QXFILE file = QXopen(page.c_str(), 1);
        EXPECT_EQ(1, KernSaveDHTML(kernel, file, page.c_str()));
        QXclose(file);
        return site.Read("page.html");
    }

    ScratchDir pub;
    ScratchDir app;
    // Published folders must have names fit for FTP.
    ScratchDir site{"qxsite"};
    TestKernel kernel;
};

TEST_F(DhtmlExport, TheFrameHoldsTheObjectsInDepthFirstOrder)
{
    Load({{"ROOT", 2}, {"A", 1}, {"A1", 0}, {"B", 0}});
    KernSetDHTMLHomePage(kernel, (site / "accueil.html").c_str());
    EXPECT_EQ(RGB(0x12, 0xAB, 0x0F), KernSetDHTMLColorBackground(kernel, RGB(0x12, 0xAB, 0x0F)));
    const std::string written = SiteExport();
    EXPECT_EQ(Frame("<body onload=\"QXObjectAnimate(QXObjects)\" bgcolor=\"#12ab0f\">", "./accueil.html",
                    {ObjectLine("ROOT", 0), ObjectLine("A", 1), ObjectLine("A1", 2), ObjectLine("B", 3)}),
              written)
        << Visible(written);
}

TEST_F(DhtmlExport, TheBackgroundImageIsRelativeToThePage)
{
    Load({{"ROOT", 0}});
    KernSetDHTMLImageBackground(kernel, (site / "images\\fond.jpg").c_str());
    const std::string written = SiteExport();
    EXPECT_EQ(Frame("<body onload=\"QXObjectAnimate(QXObjects)\" bgcolor=\"#ffffff\" background=\"./images/fond.jpg\">",
                    "", {ObjectLine("ROOT", 0)}),
              written)
        << Visible(written);
}

TEST_F(DhtmlExport, AnObjectThatFailsMakesTheExportFail)
{
    Load({{"ROOT", 2}, {"FAILSAVE", 0}, {"B", 0}});
    KernSetDHTMLActivePage(kernel, (site / "page.html").c_str());
    const QXFILE file = QXopen((site / "page.html").c_str(), 1);
    int counter = 0;
    EXPECT_EQ(0, KernSaveTreeDHTML(kernel, KernGetTopObjet(kernel), file, &counter));
    EXPECT_EQ(3, counter);
    EXPECT_EQ(0, KernSaveDHTML(kernel, file, nullptr));
    QXclose(file);
}

TEST_F(DhtmlExport, SharedMediaAreCopiedOnceUnderTheirExportName)
{
    pub.Write("Photo Été.JPG", "jpeg bytes");
    Load({{"ROOT", 2}, {"MEDIA:.\\Photo Été.JPG", 0}, {"MEDIA:.\\Photo Été.JPG", 0}});
    // Only the file's own name is made fit for FTP: the folders are where the page looks.
    KernAddExportName(kernel, (pub / "Photo Été.JPG").c_str(), (site / "Mes Images\\Photo Été.JPG").c_str(), false);
    const std::string written = SiteExport();
    EXPECT_NE(std::string::npos, written.find(ObjectLine("MEDIA:.\\Photo Été.JPG", 1, "./Mes Images/photo_ete.jpg")))
        << Visible(written);
    EXPECT_NE(std::string::npos, written.find(ObjectLine("MEDIA:.\\Photo Été.JPG", 2, "./Mes Images/photo_ete.jpg")))
        << Visible(written);
    EXPECT_EQ(std::vector<std::string>{"photo_ete.jpg"}, FilesIn(site / "Mes Images\\"));
    EXPECT_EQ("jpeg bytes", site.Read("Mes Images\\photo_ete.jpg"));
}

TEST_F(DhtmlExport, APageExportedAloneTakesItsMediaBesideIt)
{
    pub.Write("Photo Été.JPG", "first");
    pub.Write("autre\\Photo Été.JPG", "second");
    pub.Write("son.wav", "wave");
    // A date on an even second: copies keep it at the two-second resolution of the copy.
    SYSTEMTIME when = {2001, 2, 0, 3, 4, 5, 6, 0};
    FILETIME date;
    SystemTimeToFileTime(&when, &date);
    const HANDLE source = CreateFileA((pub / "son.wav").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, source);
    SetFileTime(source, nullptr, nullptr, &date);
    CloseHandle(source);
    Load({{"ROOT", 4},
          {"MEDIA:.\\Photo Été.JPG", 0},
          {"MEDIA:.\\autre\\Photo Été.JPG", 0},
          {"MEDIA:.\\Photo Été.JPG", 0},
          {"MEDIA:.\\son.wav", 0}});
    // A name left by an earlier site export has no say here.
    KernAddExportName(kernel, (pub / "son.wav").c_str(), "D:\\ailleurs\\son.wav", false);

    const std::string page = site / "page.html";
    ASSERT_EQ(1, KernSaveCurrentPageInDHTML(kernel, page.c_str()));

    const std::string written = site.Read("page.html");
    EXPECT_EQ(Frame("<body onload=\"QXObjectAnimate(QXObjects)\" bgcolor=\"#ffffff\">", "./page.html",
                    {ObjectLine("ROOT", 0), ObjectLine("MEDIA:.\\Photo Été.JPG", 1, "./photo_ete1.jpg"),
                     ObjectLine("MEDIA:.\\autre\\Photo Été.JPG", 2, "./photo_ete2.jpg"),
                     ObjectLine("MEDIA:.\\Photo Été.JPG", 3, "./photo_ete1.jpg"),
                     ObjectLine("MEDIA:.\\son.wav", 4, "./son1.wav")}),
              written)
        << Visible(written);
    EXPECT_EQ("first", site.Read("photo_ete1.jpg"));
    EXPECT_EQ("second", site.Read("photo_ete2.jpg"));
    EXPECT_EQ("wave", site.Read("son1.wav"));
    EXPECT_EQ("// script\r\n", site.Read("qxstage40.js"));
    EXPECT_EQ(5u, FilesIn(site.Path()).size());
    const FILETIME copied = LastWrite(site / "son1.wav");
    EXPECT_EQ(0, CompareFileTime(&date, &copied));

    // The names belonged to that export alone.
    EXPECT_EQ(0, kernel->distList->Items());
    char name[QX_NAME_BUFFER];
    EXPECT_EQ(QX_EXPORT_UNKNOWN, KernGetExportName(kernel, (pub / "son.wav").c_str(), name));
    EXPECT_EQ(site.Path(), std::string(kernel->dhtmlDestPath));
}

TEST_F(DhtmlExport, ASecondExportNumbersPastTheFilesOfTheFirst)
{
    pub.Write("son.wav", "wave");
    Load({{"ROOT", 1}, {"MEDIA:.\\son.wav", 0}});
    ASSERT_EQ(1, KernSaveCurrentPageInDHTML(kernel, (site / "un.html").c_str()));
    ASSERT_EQ(1, KernSaveCurrentPageInDHTML(kernel, (site / "deux.html").c_str()));
    EXPECT_NE(std::string::npos, site.Read("deux.html").find(ObjectLine("MEDIA:.\\son.wav", 1, "./son2.wav")));
    EXPECT_EQ("wave", site.Read("son2.wav"));
}

TEST_F(DhtmlExport, AFolderUnfitForFtpGetsNothing)
{
    pub.Write("son.wav", "wave");
    Load({{"ROOT", 1}, {"MEDIA:.\\son.wav", 0}});
    for (const std::string& folder : {site / "Mon Site\\", site / "été\\", pub.Path()}) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(0, KernSaveCurrentPageInDHTML(kernel, (folder + "page.html").c_str()));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "page.html").c_str()));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "son1.wav").c_str()));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((site / "Mon Site").c_str()));
}

TEST_F(DhtmlExport, AnObjectThatNeverEndsItsDelaysDoesNotHoldTheExport)
{
    Load({{"ROOT", 1}, {"BUSY", 0}});
    EXPECT_EQ(1, KernSaveCurrentPageInDHTML(kernel, (site / "page.html").c_str()));
}

TEST_F(DhtmlExport, AnExportWithoutItsScriptFails)
{
    Load({{"ROOT", 0}});
    kernel->appPath = pub.Path().c_str();
    EXPECT_EQ(0, KernSaveCurrentPageInDHTML(kernel, (site / "page.html").c_str()));
}

TEST_F(DhtmlExport, TheDefaultBranchesAreTheFirstOfTheirKindInTreeOrder)
{
    Load({{"ROOT", 2}, {"A", 1}, {"A1", 0}, {"B", 0}});
    const auto written = [&] {
        const QXFILE file = QXopen((site / "links.js").c_str(), 1);
        EXPECT_EQ(1, KernSaveSpecialLinkDHTML(kernel, file));
        QXclose(file);
        return site.Read("links.js");
    };
    KernSetDHTMLActivePage(kernel, (site / "page.html").c_str());
    EXPECT_EQ(Lines({"branchGadget8Next=null;", "branchGadget9Back=null;"}), written());

    OBJET* root = KernGetTopObjet(kernel);
    OBJET* a1 = root->GetChild(0)->GetChild(0);
    OBJET* b = root->GetChild(1);
    for (const auto& [object, kind, page] : {std::tuple{b, QX_BRANCH_DEFAULT_FORWARD, "b.pag"},
                                             std::tuple{a1, QX_BRANCH_DEFAULT_FORWARD, "suite.pag"},
                                             std::tuple{b, QX_BRANCH_DEFAULT_BACK, "avant.pag"}}) {
        auto* branch = new BRANCH(kernel);
        branch->kind = kind;
        branch->target = (pub / page).c_str();
        object->AddBranch(branch);
        KernAddExportName(kernel, (pub / page).c_str(), (site / page).c_str(), false);
    }
    EXPECT_EQ(Lines({"branchGadget8Next=new QXBranch(\"0\",\"./suitepag.html\",null,0.0,null,null);",
                     "branchGadget9Back=new QXBranch(\"0\",\"./avantpag.html\",null,0.0,null,null);"}),
              written());
}

}  // namespace
