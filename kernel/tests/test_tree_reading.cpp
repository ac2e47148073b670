// Reading object trees from page files: binding each record's plug-in by name, the alerts
// of modules that are missing or unusable, and files that try to break the reader.
#include "kerneltest.h"
#include "pagefiles.h"
#include "qxfile.h"

#include "dialog_answerer.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

namespace {

// A record of another module, with the plain common block.
std::vector<std::string> Record(const std::string& moduleLine, int children)
{
    std::vector<std::string> record = {Separator(), "OBJET {", moduleLine, std::to_string(children)};
    for (const std::string& line : PlainCommonBlock())
        record.push_back(line);
    return record;
}

struct BindingCase {
    const char* name;
    std::string moduleLine;
    bool loads;              // the page is read
    const char* objetName;   // of the object that takes the record's place
    const char* caption;     // of the one alert, null when none
    const char* textStart;   // of that alert
};

// The module files the cases need beside the test modules: one that is no library.
void PrepareAppFolder(const ScratchDir& app)
{
    app.Write("qxbroken40.dll", "MZ this is not a library");
    for (const char* module : {"qxtestobj40.dll", "qxnoalloc40.dll", "qxnullalloc40.dll"})
        CopyFileA((TestPluginFolder() + module).c_str(), (app.Path() + module).c_str(), FALSE);
}

class Binding : public testing::TestWithParam<BindingCase> {};

TEST_P(Binding, BindsTheModuleOrStandsInWithTheAlertsOfThePage)
{
    const BindingCase& c = GetParam();
    ScratchDir app;
    PrepareAppFolder(app);
    ScratchDir pub;
    // The object of the case holds a test object as its child, which must be read anyway.
    pub.Write("page.pag", PageText({Record(c.moduleLine, 1), TestObjRecord("child", 0)}));
    TestKernel kernel(app.Path());
    DialogAnswerer answerer;
    const int loaded = KernLLoad(kernel, (pub / "page.pag").c_str());

    ASSERT_EQ(c.loads ? 1 : 0, loaded);
    if (c.caption) {
        ASSERT_EQ(1u, answerer.Shown().size());
        EXPECT_EQ(c.caption, answerer.Shown()[0].caption);
        EXPECT_EQ(0u, answerer.Shown()[0].text.find(c.textStart)) << answerer.Shown()[0].text;
    } else {
        EXPECT_TRUE(answerer.Shown().empty()) << answerer.Shown()[0].text;
    }
    if (!c.loads)
        return;
    OBJET* root = kernel.Page();
    ASSERT_NE(nullptr, root);
    EXPECT_STREQ(c.objetName, root->GetObjetName());
    ASSERT_EQ(1, root->GetChildItems());
    EXPECT_EQ("child", TestObjLabel(root->GetChild(0)));
}

INSTANTIATE_TEST_SUITE_P(
    Modules, Binding,
    testing::Values(
        BindingCase{"Installed", "QXTESTOBJ.DLL", true, "Objet d'essai", nullptr, nullptr},
        BindingCase{"Missing", "QXABSENT.DLL", true, "Objet pur", nullptr, nullptr},
        BindingCase{"Unloadable", "QXBROKEN.DLL", true, "Objet pur", "Erreur de fichier",
                    "Impossible de charger le fichier "},
        BindingCase{"NoAllocObjet", "QXNOALLOC.DLL", true, "Objet pur", "Erreur de fichier",
                    "Impossible de charger la librairie "},
        BindingCase{"NullAllocObjet", "QXNULLALLOC.DLL", false, nullptr, "Erreur de mémoire",
                    "Impossible d'allouer de la mémoire pour cet objet."},
        BindingCase{"NotAModule", "QXTESTOBJ.EXE", false, nullptr, "Erreur de fichier",
                    "Le format du fichier est inconnu."},
        BindingCase{"BlankLineOfAPlainObject", " ", true, "Objet pur", nullptr, nullptr},
        // Whatever folder or address the line names, the module comes from the application's folder.
        BindingCase{"OtherFolder", "C:\\elsewhere\\QXTESTOBJ.DLL", true, "Objet d'essai", nullptr, nullptr},
        BindingCase{"RemoteAddress", "HTTP://example.invalid/mods/QXTESTOBJ.DLL", true, "Objet d'essai", nullptr,
                    nullptr}),
    [](const testing::TestParamInfo<BindingCase>& info) { return std::string(info.param.name); });

TEST(TreeReading, NamesTheModuleFileAndTheSystemErrorOfAModuleThatDoesNotLoad)
{
    ScratchDir app;
    PrepareAppFolder(app);
    ScratchDir pub;
    pub.Write("page.pag", PageText({Record("QXBROKEN.DLL", 0)}));
    TestKernel kernel(app.Path());
    DialogAnswerer answerer;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    ASSERT_EQ(1u, answerer.Shown().size());
    const std::string expected = "Impossible de charger le fichier " + app.Path() + "QXBROKEN40.DLL.\nErreur #";
    EXPECT_EQ(expected, answerer.Shown()[0].text.substr(0, expected.size()));
}

TEST(TreeReading, AMissingChildCountStopsThePageWithItsAlert)
{
    ScratchDir pub;
    pub.Write("page.pag", Lines({"QORVEX-HYPERMEDIA PAGE", "version : 4.0.0.5", Separator(), "OBJET {",
                                 "QXTESTOBJ.DLL"}));
    TestKernel kernel;
    DialogAnswerer answerer;
    EXPECT_EQ(0, KernLLoad(kernel, (pub / "page.pag").c_str()));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Enfant non défini  pour cet objet.", answerer.Shown()[0].text);
    EXPECT_EQ(0, kernel->loadedPages.Items());
}

TEST(TreeReading, SkipsEverythingBeforeTheFirstRecordAndReadsAnOldPageAsVersionZero)
{
    ScratchDir pub;
    std::vector<std::string> lines = {"QORVEX-HYPERMEDIA PAGE", "not a version line", "anything", Separator()};
    for (const std::string& line : TestObjRecord("old", 0))
        lines.push_back(line);
    pub.Write("page.pag", Lines(lines));
    TestKernel kernel;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    EXPECT_EQ(0, KernGetCurPageVersion(kernel));
    EXPECT_EQ("old", TestObjLabel(kernel.Page()));
}

TEST(TreeReading, ReadsTheVersionOfThePage)
{
    ScratchDir pub;
    pub.Write("page.pag", PageText({TestObjRecord("v", 0)}, "3.0.2.0"));
    TestKernel kernel;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    EXPECT_EQ(0x03000200, KernGetCurPageVersion(kernel));
}

TEST(TreeReading, RefusesNestingDeeperThanAFileCanHoldWithoutRunningOutOfStack)
{
    ScratchDir pub;
    std::vector<std::vector<std::string>> records;
    for (int depth = 0; depth < 1000; ++depth)
        records.push_back(TestObjRecord("nested", depth < 999 ? 1 : 0));
    pub.Write("deep.pag", PageText(records));
    TestKernel kernel;
    DialogAnswerer answerer;
    EXPECT_EQ(0, KernLLoad(kernel, (pub / "deep.pag").c_str()));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Le format du fichier est inconnu.", answerer.Shown()[0].text);
}

TEST(TreeReading, ReadsNestingWithinTheLimit)
{
    ScratchDir pub;
    std::vector<std::vector<std::string>> records;
    for (int depth = 0; depth < 200; ++depth)
        records.push_back(TestObjRecord("nested", depth < 199 ? 1 : 0));
    pub.Write("deep.pag", PageText(records));
    TestKernel kernel;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "deep.pag").c_str()));
    int depth = 1;
    for (OBJET* object = kernel.Page(); object->GetChildItems() == 1; object = object->GetChild(0))
        ++depth;
    EXPECT_EQ(200, depth);
}

TEST(TreeReading, EveryObjectHoldsItsPlugInUntilItGoesAndTheReadHoldsNone)
{
    ScratchDir app;
    PrepareAppFolder(app);
    const std::string module = app.Path() + "qxtestobj40.dll";
    ScratchDir pub;
    pub.Write("page.pag", PageText({TestObjRecord("page", 3, 1), TestObjRecord("a", 0), TestObjRecord("b", 0),
                                    TestObjRecord("c", 0)}));
    ASSERT_EQ(nullptr, GetModuleHandleA(module.c_str()));
    {
        TestKernel kernel(app.Path());
        ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
        OBJET* root = kernel.Page();
        ASSERT_EQ(3, root->GetChildItems());
        const HMODULE loaded = GetModuleHandleA(module.c_str());
        ASSERT_NE(nullptr, loaded);
        EXPECT_EQ(loaded, root->GetHDLL());
        for (OBJET* child : root->Children())
            EXPECT_EQ(loaded, child->GetHDLL());
        // The page's object keeps it when the others have gone.
        while (root->GetChildItems() > 0) {
            KillObjet(root->GetChild(0));
            EXPECT_EQ(loaded, GetModuleHandleA(module.c_str())) << root->GetChildItems();
        }
    }
    EXPECT_EQ(nullptr, GetModuleHandleA(module.c_str()));
}

// Hover-message lengths a crafted page may give: the object's record is refused, the page
// goes on with the next record.
class MessageLength : public testing::TestWithParam<const char*> {};

TEST_P(MessageLength, IsRefusedWithoutReadingPastTheRecord)
{
    std::vector<std::string> record = {Separator(), "OBJET {", "QXTESTOBJ.DLL", "1",
                                       "crafted", "NULL", "title", GetParam(), "short text"};
    ScratchDir pub;
    pub.Write("page.pag", PageText({record, TestObjRecord("after", 0)}));
    TestKernel kernel;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    OBJET* root = kernel.Page();
    EXPECT_EQ(nullptr, root->message);
    EXPECT_EQ(0, root->loaded);
    ASSERT_EQ(1, root->GetChildItems());
    EXPECT_EQ("after", TestObjLabel(root->GetChild(0)));
}

INSTANTIATE_TEST_SUITE_P(Crafted, MessageLength,
                         testing::Values("-5", "2147483647", "1048577", "100000", "not a number x"));

// The record of a missing plug-in whose hover text claims more bytes than the file holds is
// kept as it stands, to the last byte of the file.
TEST(TreeReading, AStandInKeepsARecordWhoseCountedTextRunsPastTheEnd)
{
    const std::string page = Lines({"QORVEX-HYPERMEDIA PAGE", "version : 4.0.0.5", Separator(), "OBJET {",
                                    "QXMISSING.DLL", "0", "crafted", "NULL", "title", "5000", "short text"});
    ScratchDir pub;
    pub.Write("page.pag", page);
    DialogAnswerer answerer;
    TestKernel kernel;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    kernel.Show(pub / "page.pag");
    ASSERT_EQ(1, KernSave(kernel));
    EXPECT_EQ(Visible(page + Lines({Separator()})), Visible(pub.Read("page.pag")));
}

TEST(TreeReading, CutsLongTextsToTheirFields)
{
    const std::string longText(450, 'u');
    std::vector<std::string> record = {Separator(), "OBJET {", "QXTESTOBJ.DLL", "0", longText, longText,
                                       "NULL", "0", "NULL", "0", "NULL", "1", "20 0 0 0 400 0 0 0 0 3 2 0 34",
                                       std::string(200, 'f'), "0 0 0", "192 192 192", "-1", "NULL", "  0.0",
                                       "FONTS [", "0", "]", "}", "BRANCH {", "0", "}",
                                       "TESTOBJ {", "long", "0", "}"};
    ScratchDir pub;
    pub.Write("page.pag", PageText({record}));
    TestKernel kernel;
    ASSERT_EQ(1, KernLLoad(kernel, (pub / "page.pag").c_str()));
    OBJET* root = kernel.Page();
    EXPECT_EQ(std::string(19, 'u'), root->GetUserID());
    EXPECT_EQ(longText, root->GetUserString());
    ASSERT_NE(nullptr, root->message);
    EXPECT_EQ(std::string(31, 'f'), root->message->font.lfFaceName);
    EXPECT_EQ("long", TestObjLabel(root));
}

}  // namespace
