// The publication settings read through a kernel: the names they give resolved against the
// settings file's folder, old publications, the extra files fetched, the publication served
// by a server, and the data module with its two export pairs, its failures and its refusal
// from a server.
#include "player.h"

#include "dialog_answerer.h"
#include "filefetch.h"
#include "scratch_dir.h"
#include "stand_in_internet.h"
#include "test_programs.h"
#include "test_window.h"
#include "usercode/usercode_journal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char HostClass[] = "QxPubSettingsHost";

// A host hands the kernel its messages first: the transfers of the synchronous fetches need it.
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const LRESULT handled = KernCommand(window, message, wParam, lParam))
        return handled;
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string UserCodeDll(const char* pair) { return TestProgramFolder() + "usercode\\qxusercode_" + pair + ".dll"; }

// Slashes as an address made absolute has them.
std::string WithSlashes(std::string name)
{
    for (char& c : name)
        if (c == '\\') c = '/';
    return name;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A kernel on a hidden host, the settings record of the player on it with the player's
// strings, and a publication folder "pub\" inside a scratch folder.
class PubSettingsKernel : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = CreateTestWindow(HostClass, HostProc, WS_OVERLAPPEDWINDOW, nullptr, 300, 200);
        kernel = KernConstructeur(host, nullptr, "", "", "");
        ASSERT_TRUE(kernel);
        strings = LoadLibraryExA((TestProgramFolder() + "qxstage30.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(strings);
        settings.kernel = kernel;
        settings.instance = strings;
        settings.window = host;
        SetPubDefaults(settings);
        CreateDirectoryA(Pub("").c_str(), nullptr);
    }

    void TearDown() override
    {
        ResetPublication(settings);
        if (settings.background) DeleteObject(settings.background);
        if (kernel) KernDestructeur(kernel);
        if (strings) FreeLibrary(strings);
        DestroyWindow(host);
    }

    std::string Pub(const std::string& name) const { return dir / ("pub\\" + name); }

    // Writes the settings file into the publication folder and reads it.
    int Read(const std::string& text, bool loadDataModule = false)
    {
        dir.Write("pub\\pub.xsc", text);
        SetSettingsFile(settings, Pub("pub.xsc"));
        return ReadPublicationFile(settings, loadDataModule);
    }

    ScratchDir dir;
    HWND host = nullptr;
    KERNEL* kernel = nullptr;
    HMODULE strings = nullptr;
    PUBSETTINGS settings;
};

}  // namespace

TEST_F(PubSettingsKernel, EveryFileNameIsResolvedAgainstTheSettingsFolder)
{
    for (const char* file : {"pub\\accueil.pag", "pub\\lib\\scn.dll", "signets.qxb", "pub\\media\\logo.bmp",
                             "pub\\media\\w640.bmp", "pub\\media\\w800.bmp", "pub\\media\\w1024.bmp",
                             "pub\\media\\w1152.bmp", "pub\\media\\w1280.bmp", "pub\\media\\w1600.bmp"})
        dir.Write(file, "x");
    DialogAnswerer answerer;
    ASSERT_EQ(1, Read("[General]\r\nVersion=4.0.0.5\r\nFirstNode=.\\accueil.pag\r\n"
                      "[Libraries]\r\nData=.\\lib\\scn.dll\r\n"
                      "[Viewer]\r\nBookMarkFile=..\\signets.qxb\r\n"
                      "[Background]\r\nBackgroundType=4\r\nShowLogo=1\r\nLogoType=1\r\nLogoStr=.\\media\\logo.bmp\r\n"
                      "ImageFile640=.\\media\\w640.bmp\r\nImageFile800=.\\media\\w800.bmp\r\n"
                      "ImageFile1024=.\\media\\w1024.bmp\r\nImageFile1152=.\\media\\w1152.bmp\r\n"
                      "ImageFile1280=.\\media\\w1280.bmp\r\nImageFile1600=.\\media\\w1600.bmp\r\n"));
    EXPECT_TRUE(answerer.Shown().empty()) << answerer.Shown()[0].text;
    EXPECT_EQ(Pub("accueil.pag"), settings.firstPage);
    EXPECT_EQ(Pub("lib\\scn.dll"), settings.dataModuleName);
    EXPECT_EQ(dir / "signets.qxb", settings.bookmarkFile);
    EXPECT_EQ(Pub("media\\logo.bmp"), settings.logoStr);
    const char* widths[] = {"640", "800", "1024", "1152", "1280", "1600"};
    for (int i = 0; i < QX_PERWIDTH_IMAGES; ++i)
        EXPECT_EQ(Pub("media\\w" + std::string(widths[i]) + ".bmp"), settings.perWidthImages[i]) << widths[i];
    EXPECT_EQ(Pub(""), std::string(KernGetScnPath(kernel)));
    EXPECT_TRUE(settings.layoutPending);
}

TEST_F(PubSettingsKernel, ALogoTextAndTheNamesOfAnotherBackgroundStayAsWritten)
{
    dir.Write("pub\\media\\fond.bmp", "x");
    DialogAnswerer answerer;
    ASSERT_EQ(1, Read("[General]\r\nTimer=5\r\n[Background]\r\nBackgroundType=3\r\n"
                      "ImageFile=.\\media\\fond.bmp\r\nImageFile800=.\\media\\fond.bmp\r\n"
                      "ShowLogo=1\r\nLogoType=0\r\nLogoStr=.\\Vistrelle\r\n"));
    EXPECT_TRUE(answerer.Shown().empty()) << answerer.Shown()[0].text;
    EXPECT_EQ(Pub("media\\fond.bmp"), settings.imageFile);
    EXPECT_EQ("", settings.perWidthImages[1]);
    EXPECT_EQ(".\\Vistrelle", settings.logoStr);
}

TEST_F(PubSettingsKernel, AnOldPublicationFindsItsFilesWhereTheyWereMoved)
{
    // Written on the author's machine: the name of a folder that is not there, whose end
    // names the publication's own folder.
    dir.Write("pub\\media\\fond.bmp", "x");
    const std::string authorsName = "C:\\auteur\\pub\\media\\fond.bmp";
    struct Case {
        const char* name;
        const char* version;  // "" for none: an old publication
        bool found;
    } cases[] = {{"old", "", true}, {"version 0", "Version=0.0.0.0\r\n", true}, {"current", "Version=4.0.0.5\r\n", false}};
    for (const Case& c : cases) {
        SetPubDefaults(settings);
        DialogAnswerer answerer;
        ASSERT_EQ(1, Read("[General]\r\n" + std::string(c.version) + "Timer=5\r\n[Background]\r\nBackgroundType=3\r\n"
                          "ImageFile=" + authorsName + "\r\n"))
            << c.name;
        if (c.found) {
            EXPECT_EQ(Pub("media\\fond.bmp"), settings.imageFile) << c.name;
            EXPECT_TRUE(answerer.Shown().empty()) << c.name;
        } else {
            EXPECT_NE(Pub("media\\fond.bmp"), settings.imageFile) << c.name;
            ASSERT_EQ(1u, answerer.Shown().size()) << c.name;
            EXPECT_EQ("Fichier introuvable", answerer.Shown()[0].caption) << c.name;
        }
    }
}

TEST_F(PubSettingsKernel, ExtraFilesAreFetchedAndAMissingOneIsReportedAndSkipped)
{
    StandInInternet internet;
    ASSERT_TRUE(internet.Bound());
    internet.server.Write("served.wav", "RIFF");
    dir.Write("pub\\a.wav", "RIFF");
    const std::string served = internet.Address("HTTP://", "served.wav");
    const std::string gone = internet.Address("HTTP://", "gone.wav");
    DialogAnswerer answerer;
    ASSERT_EQ(1, Read("[General]\r\nVersion=4.0.0.5\r\nTimer=5\r\n[Libraries]\r\nOther1=.\\a.wav\r\nOther2=" + gone +
                      "\r\nOther3=" + served + "\r\n"));
    EXPECT_EQ((std::vector<std::string>{Pub("a.wav"), gone, served}), settings.extraFiles);
    EXPECT_TRUE(Contains(internet.Journal(), "HTTP_Retrieve(served.wav,")) << internet.Journal();
    const std::string missing = "Impossible de charger le fichier " + gone + ", qui est nécessaire";
    int reports = 0;
    for (const ShownDialog& shown : answerer.Shown()) {
        if (shown.caption == "Connexion Internet") continue;  // the transfers' own dialog
        EXPECT_FALSE(Contains(shown.text, "a.wav") || Contains(shown.text, "served.wav")) << shown.text;
        if (shown.caption == "Erreur de fichier" && shown.text.rfind(missing, 0) == 0) ++reports;
    }
    EXPECT_EQ(1, reports);
}

TEST_F(PubSettingsKernel, APublicationOnAServerNamesItsFilesOnThatServer)
{
    StandInInternet internet;
    ASSERT_TRUE(internet.Bound());
    internet.server.Write("pub.xsc", "[General]\r\nVersion=4.0.0.5\r\nFirstNode=.\\accueil.pag\r\n"
                                     "[Libraries]\r\nOther1=.\\a.wav\r\n");
    internet.server.Write("a.wav", "RIFF");
    DialogAnswerer answerer;
    SetSettingsFile(settings, internet.Address("HTTP://", "pub.xsc"));
    ASSERT_EQ(1, ReadPublicationFile(settings, false)) << internet.Journal();
    const std::string folder = "HTTP://" + WithSlashes(internet.server.Path());
    EXPECT_EQ(folder + "accueil.pag", settings.firstPage);
    EXPECT_EQ((std::vector<std::string>{folder + "a.wav"}), settings.extraFiles);
    EXPECT_EQ(std::string(KernGetCachePath(kernel)) + "\\", std::string(KernGetScnPath(kernel)));
}

TEST_F(PubSettingsKernel, TheOlderFormGivesTheFirstPageIdleTimeAndDataModule)
{
    dir.Write("pub\\accueil.pag", "x");
    dir.Write("pub\\scn.dll", "x");
    DialogAnswerer answerer;
    ASSERT_EQ(1, Read(Pub("accueil.pag") + "\r\n30\r\n" + Pub("scn.dll") + "\r\n"));
    EXPECT_TRUE(answerer.Shown().empty()) << answerer.Shown()[0].text;
    EXPECT_EQ(Pub("accueil.pag"), settings.firstPage);
    EXPECT_EQ(30, settings.idleTime);
    EXPECT_EQ(Pub("scn.dll"), settings.dataModuleName);

    // A file of one line cannot be a publication.
    EXPECT_EQ(0, Read(Pub("accueil.pag") + "\r\n"));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Erreur de fichier", answerer.Shown()[0].caption);
    EXPECT_EQ("Impossible de charger la publication.", answerer.Shown()[0].text);
}

TEST_F(PubSettingsKernel, NoSettingsFileReadsAsDoneAndAMissingOneFails)
{
    EXPECT_EQ(1, ReadPublicationFile(settings, true));
    SetSettingsFile(settings, Pub("absent.xsc"));
    EXPECT_EQ(0, ReadPublicationFile(settings, true));
}

TEST_F(PubSettingsKernel, ADataModuleGivesTheKernelItsDataAndTakesItBack)
{
    struct Case {
        const char* pair;
        const char* journal;
        bool cpp;  // the data of C++ hosts (KernGetScnData), else the plain one
    } cases[] = {{"cpp", "loaded;AllocData;", true}, {"plain", "loaded;DataAllocate;", false}};
    for (const Case& c : cases) {
        const std::string module = Pub(std::string(c.pair) + ".dll");
        ASSERT_TRUE(CopyFileA(UserCodeDll(c.pair).c_str(), module.c_str(), FALSE)) << c.pair;
        ClearUserCodeJournal();
        DialogAnswerer answerer;
        ASSERT_EQ(1, Read("[General]\r\nVersion=4.0.0.5\r\nTimer=5\r\n[Libraries]\r\nData=.\\" + std::string(c.pair) +
                              ".dll\r\n",
                          true));
        EXPECT_TRUE(answerer.Shown().empty()) << c.pair;
        ASSERT_NE(nullptr, settings.dataModule) << c.pair;
        EXPECT_EQ(c.journal, UserCodeJournal()) << c.pair;
        void* data = c.cpp ? KernGetScnData(kernel) : KernGetScnDataNoCPP(kernel);
        EXPECT_NE(nullptr, data) << c.pair;
        EXPECT_EQ(nullptr, c.cpp ? KernGetScnDataNoCPP(kernel) : KernGetScnData(kernel)) << c.pair;
        // The same module again, named in other letters: nothing changes.
        LoadDataModule(settings, module.substr(0, module.size() - 4) + ".DLL");
        EXPECT_EQ(c.journal, UserCodeJournal()) << c.pair;

        FreeDataModule(settings);
        EXPECT_EQ(std::string(c.journal) + (c.cpp ? "FreeData;" : "DataFree;"), UserCodeJournal()) << c.pair;
        EXPECT_EQ(nullptr, settings.dataModule);
        EXPECT_EQ(nullptr, KernGetScnData(kernel));
        EXPECT_EQ(nullptr, KernGetScnDataNoCPP(kernel));
        EXPECT_EQ(nullptr, GetModuleHandleA(module.c_str())) << c.pair << " is freed";
    }
}

TEST_F(PubSettingsKernel, ADataModuleThatCannotServeIsReportedOrLeftOut)
{
    dir.Write("pub\\broken.dll", std::string("MZ") + std::string(200, '\0'));
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "usercode\\qxusercode_cpp.dll").c_str(), Pub("kept.dll").c_str(),
                          FALSE));
    // A module of neither pair: the branch DLL of the kernel's tests.
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "kernbranchdll\\qxbranchfn.dll").c_str(), Pub("nopair.dll").c_str(),
                          FALSE));
    struct Case {
        const char* name;
        const char* text;  // the start of the report, null for none
    } cases[] = {{"absent.dll", "Impossible de localiser l'extension de programme "},
                 {"broken.dll", "Impossible de charger l'extension de programme "},
                 {"nopair.dll", nullptr}};
    for (const Case& c : cases) {
        // A module loaded before is freed for the new one, whatever becomes of it.
        LoadDataModule(settings, Pub("kept.dll"));
        ASSERT_NE(nullptr, settings.dataModule) << c.name;
        DialogAnswerer answerer;
        LoadDataModule(settings, Pub(c.name));
        EXPECT_EQ(nullptr, settings.dataModule) << c.name;
        EXPECT_EQ(nullptr, KernGetScnData(kernel)) << c.name;
        EXPECT_EQ(nullptr, GetModuleHandleA(Pub(c.name).c_str())) << c.name;
        if (!c.text) {
            EXPECT_TRUE(answerer.Shown().empty()) << c.name;
            continue;
        }
        ASSERT_EQ(1u, answerer.Shown().size()) << c.name;
        EXPECT_EQ("Erreur de fichier", answerer.Shown()[0].caption) << c.name;
        EXPECT_EQ(0u, answerer.Shown()[0].text.find(c.text + Pub(c.name))) << answerer.Shown()[0].text;
    }
}

TEST_F(PubSettingsKernel, ADataModuleOnAServerIsNeitherFetchedNorLoaded)
{
    StandInInternet internet;
    ASSERT_TRUE(internet.Bound());
    ASSERT_TRUE(CopyFileA(UserCodeDll("cpp").c_str(), (internet.server / "scn.dll").c_str(), FALSE));
    for (const char* protocol : {"HTTP://", "FTP://"}) {
        const std::string module = internet.Address(protocol, "scn.dll");
        ClearUserCodeJournal();
        DialogAnswerer answerer;
        LoadDataModule(settings, module);
        EXPECT_EQ(nullptr, settings.dataModule) << protocol;
        EXPECT_EQ(nullptr, KernGetScnData(kernel)) << protocol;
        EXPECT_EQ("", UserCodeJournal()) << protocol;
        ASSERT_EQ(1u, answerer.Shown().size()) << protocol;
        EXPECT_EQ(0u, answerer.Shown()[0].text.find(module + " se trouve sur un serveur distant.")) << protocol;
    }
    // Named by a publication on that server, as it is read.
    internet.server.Write("pub.xsc", "[General]\r\nVersion=4.0.0.5\r\nTimer=5\r\n[Libraries]\r\nData=.\\scn.dll\r\n");
    ClearUserCodeJournal();
    DialogAnswerer answerer;
    SetSettingsFile(settings, internet.Address("HTTP://", "pub.xsc"));
    ASSERT_EQ(1, ReadPublicationFile(settings, true));
    EXPECT_EQ(nullptr, settings.dataModule);
    EXPECT_EQ("", UserCodeJournal());
    EXPECT_FALSE(Contains(internet.Journal(), "scn.dll")) << internet.Journal();
}

TEST_F(PubSettingsKernel, ResettingFreesTheModuleAndForgetsThePublication)
{
    ASSERT_TRUE(CopyFileA(UserCodeDll("plain").c_str(), Pub("scn.dll").c_str(), FALSE));
    dir.Write("pub\\a.wav", "RIFF");
    ASSERT_EQ(1, Read("[General]\r\nVersion=4.0.0.5\r\nTimer=9\r\n[Libraries]\r\nData=.\\scn.dll\r\nOther1=.\\a.wav\r\n",
                      true));
    ASSERT_NE(nullptr, settings.dataModule);
    ClearUserCodeJournal();
    ResetPublication(settings);
    EXPECT_EQ("DataFree;", UserCodeJournal());
    EXPECT_EQ(nullptr, settings.dataModule);
    EXPECT_TRUE(settings.extraFiles.empty());
    EXPECT_EQ("", settings.settingsFile);
    EXPECT_EQ(0, settings.idleTime);
    EXPECT_EQ(std::string(KernGetAppPath(kernel)), std::string(KernGetScnPath(kernel)));
}
