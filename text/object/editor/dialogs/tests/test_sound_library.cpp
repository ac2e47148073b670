// The sound library through the stand-in template chooser beside the test: a recorded voice
// of alsa-utils in its "Sound" folder, the preview pane shown, and the chooser missing.
#include "dialogdriver.h"
#include "dialogsres.h"
#include "pagehost.h"
#include "qxtmpl_api.h"
#include "scratch_dir.h"
#include "sound_library.h"
#include "test_programs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadWholeFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The preview pane "D_PLAYSOUND" inside the chooser's dialog, null when it is not there.
HWND PreviewPane(HWND chooser) { return QxtmplHookHolding(chooser, IDC_PLAYSOUND_START, IDC_PLAYSOUND_STOP); }

class SoundLibrary : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string voice = ReadWholeFile("Z:\\usr\\share\\sounds\\alsa\\Front_Center.wav");
        ASSERT_GT(voice.size(), 1000u) << "alsa-utils' sounds are missing";
        library.Write("Sound\\Front_Center.wav", voice);
        SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, library.Path().c_str());
    }
    void TearDown() override { SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, nullptr); }

    ScratchDir library;
    PageHost host;
};

}  // namespace

TEST_F(SoundLibrary, TheSoundPickedComesBackWithThePreviewPaneShown)
{
    bool paneShown = false;
    const DialogAnswerer answerer([&](HWND chooser) {
        paneShown = PreviewPane(chooser) != nullptr;
        EXPECT_TRUE(QxtmplSelectTemplate(chooser, "Front_Center.wav"));
        return IDOK;
    });
    char file[QX_SOUND_NAME_SIZE] = "";
    EXPECT_EQ(1, ChooseLibrarySound(nullptr, host, file));
    EXPECT_EQ(library / "Sound\\Front_Center.wav", file);
    EXPECT_TRUE(paneShown);
}

TEST_F(SoundLibrary, NoChoiceGivesNothing)
{
    for (const int command : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(command);
        const DialogAnswerer answerer([&](HWND) { return command; });  // nothing selected
        char file[QX_SOUND_NAME_SIZE] = "avant";
        EXPECT_EQ(0, ChooseLibrarySound(nullptr, host, file));
        EXPECT_STREQ("avant", file);
    }
}

TEST_F(SoundLibrary, WithoutTheChooserNothingIsShown)
{
    const std::string chooser = TestProgramFolder() + "QXTMPL40.DLL";
    const std::string aside = chooser + ".aside";
    ASSERT_TRUE(MoveFileA(chooser.c_str(), aside.c_str()));
    int dialogs = 0;
    char file[QX_SOUND_NAME_SIZE] = "avant";
    int result;
    {
        const DialogAnswerer answerer([&](HWND) {
            ++dialogs;
            return IDCANCEL;
        });
        result = ChooseLibrarySound(nullptr, host, file);
    }
    MoveFileA(aside.c_str(), chooser.c_str());
    EXPECT_EQ(0, result);
    EXPECT_EQ(0, dialogs);
    EXPECT_STREQ("avant", file);
}
