// The player end to end: qxstage30.exe started on a copy of the sample publication, driven
// only by window messages from this process.
#include "scratch_dir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string SampleFolder()
{
    std::string folder = "Z:" QX_SAMPLE_DIR "/";
    for (char& c : folder)
        if (c == '/') c = '\\';
    return folder;
}

std::string ReadFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class Player : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"accueil.pag", "galerie.pag", "son.pag", "fin.pag", "signets.qxb", "coucher.bmp",
                                 "damier.bmp", "bouton_haut.bmp", "bouton_bas.bmp", "carillon.wav"})
            pub.Write(name, ReadFile(SampleFolder() + name));
        // The sample's settings with a short idle time, so that the return to the first page
        // comes within the test.
        std::string settings = ReadFile(SampleFolder() + "demo.xsc");
        settings.replace(settings.find("Timer=120"), 9, "Timer=3");
        pub.Write("demo.xsc", settings);
    }

    void TearDown() override
    {
        if (process.hProcess) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }

    void Start(const std::string& arguments)
    {
        std::string line = "qxstage30.exe " + arguments;
        STARTUPINFOA start{};
        start.cb = sizeof start;
        ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
            << GetLastError();
    }

    DWORD ExitCode(int ms)
    {
        if (WaitForSingleObject(process.hProcess, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    ScratchDir pub;
    PROCESS_INFORMATION process{};
};

}  // namespace

TEST_F(Player, AStartDocumentOfAnotherKindClosesTheProgram)
{
    pub.Write("notes.txt", "texte\r\n");
    Start("\"" + pub.Path() + "notes.txt\"");
    EXPECT_EQ(0u, ExitCode(30000));
}
