// Locating and fetching the files a page names: the publication's drive, names reported
// missing once, and the notification of a background request.
#include "kerneltest.h"
#include "filefetch.h"
#include "filefind.h"

#include "dialog_answerer.h"
#include "qxpath.h"
#include "qxregistry.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(FindFile, FindsAFileOfThePublicationAndReportsAMissingOneOnce)
{
    ScratchDir pub;
    pub.Write("media\\a.wav", "RIFF");
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    char name[QX_NAME_BUFFER];
    lstrcpyA(name, (pub / "media\\a.wav").c_str());
    EXPECT_EQ(1, KernFindFile(kernel, name, 1));
    EXPECT_EQ(pub / "media\\a.wav", std::string(name));

    DialogAnswerer answerer;
    lstrcpyA(name, (pub / "media\\absent.wav").c_str());
    EXPECT_EQ(0, KernFindFile(kernel, name, 1));
    EXPECT_EQ(0, KernFindFile(kernel, name, 1));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Fichier introuvable", answerer.Shown()[0].caption);
    EXPECT_EQ("Impossible de trouver le fichier " + (pub / "media\\absent.wav") +
                  ".\nVeuillez contacter l'auteur de la publication.",
              answerer.Shown()[0].text);
}

TEST(FindFile, LeavesAddressesAndNamesWithoutPublicationAlone)
{
    TestKernel kernel;
    char name[QX_NAME_BUFFER] = "C:\\x\\a.wav";
    EXPECT_EQ(0, KernFindFile(kernel, name, 1));
    EXPECT_STREQ("C:\\x\\a.wav", name);
    kernel->scnPath = "C:\\pub\\";
    lstrcpyA(name, "HTTP://host/a.wav");
    EXPECT_EQ(1, KernFindFile(kernel, name, 1));
    EXPECT_STREQ("HTTP://host/a.wav", name);
}

TEST(FindFile, KeepsAnExistingFileOfAnotherDrive)
{
    char exe[QX_NAME_BUFFER];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    ScratchDir pub;
    ASSERT_NE(exe[0], pub.Path()[0]) << "the program and the scratch folders must lie on two drives";
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    char name[QX_NAME_BUFFER];
    lstrcpyA(name, exe);
    EXPECT_EQ(1, KernFindFile(kernel, name, 0));
    EXPECT_STREQ(exe, name);
    QXSTRING text = exe;
    EXPECT_EQ(1, KernFindFileStr(kernel, &text, 0));
    EXPECT_STREQ(exe, text);
}

TEST(FindFile, FollowsARelocationTheUserChose)
{
    ScratchDir pub;
    pub.Write("moved\\b.wav", "RIFF");
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    kernel->relocations.AddFile((pub / "old\\b.wav").c_str(), (pub / "moved\\b.wav").c_str());
    char name[QX_NAME_BUFFER];
    lstrcpyA(name, (pub / "old\\b.wav").c_str());
    EXPECT_EQ(1, KernFindFile(kernel, name, 1));
    EXPECT_EQ(pub / "moved\\b.wav", std::string(name));
}

TEST(SeekPaths, TheRingKeepsTheLastSixteenDistinctFolders)
{
    TestKernel kernel;
    for (int i = 0; i < 17; ++i)
        KernAddSeekPath(kernel, ("C:\\dossier" + std::to_string(i) + "\\").c_str());
    EXPECT_EQ(16, kernel->seekCount);
    EXPECT_STREQ("C:\\dossier16\\", kernel->seekPaths[0]) << "the oldest made room";
    EXPECT_STREQ("C:\\dossier1\\", kernel->seekPaths[1]);
    EXPECT_EQ(1, kernel->seekNext);
    struct Case {
        const char* folder;
        bool added;
    } cases[] = {{"C:\\dossier5\\", false},
                 {"C:\\dOSSIER5\\", false},  // the rest of the name is compared ignoring case
                 {"c:\\dossier5\\", true},   // but not the first character
                 {"D:\\dossier5\\", true}};
    for (const Case& c : cases) {
        const int next = kernel->seekNext;
        KernAddSeekPath(kernel, c.folder);
        EXPECT_EQ(c.added, kernel->seekNext != next) << c.folder;
    }
}

TEST(AppRegistry, TheBaseKeysAndTheCdromRootComeFromTheHostsSettings)
{
    const char key[] = "Software\\QxKernelTests\\";
    const HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    KERNEL* kernel = KernConstructeur(host, nullptr, key, "Environnement", "CDRom");
    QXSTRING text = "unchanged";
    EXPECT_EQ(0, KernGetCDROMPath(kernel, &text)) << "nothing recorded yet";
    ASSERT_EQ(1, SetRegistryStringValue(HKEY_CURRENT_USER, "Software\\QxKernelTests\\Environnement", "CDRom",
                                        "E:\\"));
    EXPECT_EQ(1, KernGetCDROMPath(kernel, &text));
    EXPECT_STREQ("E:\\", text);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QxKernelTests");
    EXPECT_EQ(1, KernGetCDROMPath(kernel, &text)) << "remembered once read";
    EXPECT_EQ(1, KernGetAppCurrentUserRegBaseKey(kernel, &text));
    EXPECT_STREQ(key, text);
    EXPECT_EQ(1, KernGetAppAllUsersRegBaseKey(kernel, &text));
    EXPECT_STREQ(".Default\\Software\\QxKernelTests\\", text);
    KernDestructeur(kernel);

    kernel = KernConstructeur(host, nullptr, "", "", "");
    text = "unchanged";
    EXPECT_EQ(0, KernGetAppCurrentUserRegBaseKey(kernel, &text));
    EXPECT_EQ(0, KernGetCDROMPath(kernel, &text));
    EXPECT_STREQ("unchanged", text);
    KernDestructeur(kernel);
    DestroyWindow(host);
}

// The notifications a window receives.
struct Notification {
    WPARAM status;
    GETFILE_STRUCT record;
};

std::vector<Notification> Received(HWND window)
{
    std::vector<Notification> received;
    MSG msg;
    while (PeekMessageA(&msg, window, KM_FILEREADY, KM_FILEREADY, PM_REMOVE)) {
        auto* record = reinterpret_cast<GETFILE_STRUCT*>(msg.lParam);
        received.push_back({msg.wParam, *record});
        delete record;
    }
    return received;
}

TEST(GetFile, ABackgroundRequestIsAnsweredByANotification)
{
    ScratchDir pub;
    pub.Write("a.wav", "RIFF");
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    for (const char* file : {"a.wav", "absent.wav"}) {
        GETFILE_STRUCT request;
        DialogAnswerer answerer;
        KernGetFile(kernel, (pub / file).c_str(), QX_FETCH_BACKGROUND, 0, window, &request, nullptr, nullptr);
        const auto received = Received(window);
        ASSERT_EQ(1u, received.size()) << file;
        EXPECT_EQ(std::string(file) == "a.wav" ? QX_FILE_ARRIVED : QX_FILE_FAILED, received[0].status) << file;
        EXPECT_EQ(QX_REQUEST_LOCAL, received[0].record.state);
        EXPECT_EQ(pub / file, std::string(received[0].record.localFile));
    }
    DestroyWindow(window);
}

TEST(GetFile, RemoteFilesFailWhileInternetAccessIsOff)
{
    TestKernel kernel;
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    GETFILE_STRUCT request;
    KernGetFile(kernel, "HTTP://example.invalid/a.wav", QX_FETCH_SYNC, 0, window, &request, nullptr, nullptr);
    EXPECT_STREQ("", request.localFile);
    EXPECT_TRUE(Received(window).empty());
    KernGetFile(kernel, "HTTP://example.invalid/a.wav", QX_FETCH_BACKGROUND, 0, window, &request, nullptr, nullptr);
    const auto received = Received(window);
    ASSERT_EQ(1u, received.size());
    EXPECT_EQ(QX_FILE_NO_INTERNET, received[0].status);
    DestroyWindow(window);
}

TEST(GetFile, AJobTiesAWaitedForFileToItsObjectUntilTheObjectGoes)
{
    ScratchDir pub;
    pub.Write("a.wav", "RIFF");
    TestKernel kernel;
    kernel->scnPath = pub.Path().c_str();
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    OBJET* object = new OBJET(kernel, nullptr);
    GETFILE_STRUCT request;
    request.object = object;
    KernGetFile(kernel, (pub / "a.wav").c_str(), QX_FETCH_BACKGROUND, 0, window, &request, nullptr, nullptr);
    KernGetFile(kernel, (pub / "a.wav").c_str(), QX_FETCH_BACKGROUND, 0, window, &request, nullptr, nullptr);
    EXPECT_EQ(1, kernel->jobs.Items());
    EXPECT_EQ(2u, Received(window).size());
    KillObjet(object);
    EXPECT_EQ(0, kernel->jobs.Items());
    DestroyWindow(window);
}

// The sources of the kernel's jobs, in their order, each with its object's place in `objects`.
std::vector<std::string> JobsOf(KERNEL* kernel, const std::vector<OBJET*>& objects)
{
    std::vector<std::string> jobs;
    for (LNODE* node = kernel->jobs.GetItem(0); node; node = node->next) {
        const auto* job = static_cast<FTP_PROCESS*>(node);
        const auto place = std::find(objects.begin(), objects.end(), job->object) - objects.begin();
        jobs.push_back(std::to_string(place) + ":" + static_cast<const char*>(job->source));
    }
    return jobs;
}

TEST(GetFile, EachObjectFindsItsOwnJobsAndLosesOnlyThemWhenItGoes)
{
    TestKernel kernel;
    std::vector<OBJET*> objects;
    for (int i = 0; i < 3; ++i)
        objects.push_back(new OBJET(kernel, nullptr));
    std::vector<FTP_PROCESS*> made;
    for (OBJET* object : objects) {
        for (const char* source : {"a.wav", "b.bmp"}) {
            int added = 0;
            made.push_back(KernAddFtpProcess(kernel, source, object, QX_LOCATION_LOCAL, &added));
            EXPECT_EQ(1, added);
        }
    }
    // Asked again, in another case, each object finds the job it has.
    struct Case {
        int object;
        const char* source;
        int job;
    } cases[] = {{0, "A.WAV", 0}, {0, "b.bmp", 1}, {2, "a.wav", 4}, {1, "B.Bmp", 3}};
    for (const Case& c : cases) {
        int added = 1;
        EXPECT_EQ(made[c.job], KernAddFtpProcess(kernel, c.source, objects[c.object], QX_LOCATION_LOCAL, &added))
            << c.object << " " << c.source;
        EXPECT_EQ(0, added);
    }
    KillObjet(objects[1]);
    objects[1] = nullptr;
    EXPECT_EQ((std::vector<std::string>{"0:a.wav", "0:b.bmp", "2:a.wav", "2:b.bmp"}), JobsOf(kernel, objects));
    // Once gone, a job is made anew for the same object and source, at the end.
    KernRemoveFtpProcess(kernel, objects[0]);
    int added = 0;
    KernAddFtpProcess(kernel, "b.bmp", objects[0], QX_LOCATION_LOCAL, &added);
    EXPECT_EQ(1, added);
    EXPECT_EQ((std::vector<std::string>{"2:a.wav", "2:b.bmp", "0:b.bmp"}), JobsOf(kernel, objects));
    KillObjet(objects[0]);
    KillObjet(objects[2]);
    EXPECT_EQ(0, kernel->jobs.Items());
}

}  // namespace
