// The template chooser stand-in, bound by name and driven as its callers drive it.
#include "dialog_answerer.h"
#include "qxtmpl_api.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Chooser : QXTMPL_ENTRIES {
    Chooser() : QXTMPL_ENTRIES(QxtmplLoad("40")) {}
    ~Chooser() { FreeLibrary(module); }
};

class TemplateChooser : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(chooser.module, nullptr);
        SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, library.Path().c_str());
    }
    void TearDown() override { SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, nullptr); }

    // Every file the handle hands out, then disposes of it.
    std::vector<std::string> DrainFiles(void* files)
    {
        std::vector<std::string> names;
        char name[QXTMPL_NAME_SIZE];
        for (int position = 0; chooser.next(files, name, sizeof name) == position; ++position)
            names.push_back(name);
        EXPECT_EQ(chooser.next(files, name, sizeof name), -1);
        chooser.dispose(files);
        return names;
    }

    ScratchDir library;
    Chooser chooser;
    QXTMPL_BLOCK block{};
};

// Picks `name` in the chooser, then answers `command`.
DialogAnswerer Picking(const char* name, int command = IDOK)
{
    return DialogAnswerer([name, command](HWND dialog) {
        EXPECT_TRUE(QxtmplIsChooser(dialog));
        EXPECT_TRUE(QxtmplSelectTemplate(dialog, name)) << name;
        return command;
    });
}

TEST_F(TemplateChooser, ExportsEveryNameTheCallersBind)
{
    EXPECT_NE(chooser.choose, nullptr);
    EXPECT_NE(chooser.count, nullptr);
    EXPECT_NE(chooser.next, nullptr);
    EXPECT_NE(chooser.dispose, nullptr);
    EXPECT_NE(chooser.setHelpFile, nullptr);
    EXPECT_NE(chooser.setKernel, nullptr);
}

TEST_F(TemplateChooser, OneFileTemplateIsHandedOutAndWrittenToTheFolderBuffer)
{
    library.Write("Page\\alpha.pag", "a");
    library.Write("Page\\beta.pag", "b");
    char folder[QXTMPL_NAME_SIZE] = "C:\\publication\\";
    block.category = QXTMPL_CATEGORY_PAGE;
    block.folder = folder;
    block.flags = QXTMPL_FLAGS_PAGE;
    chooser.setHelpFile("PAGELIB.PAG");
    const auto answerer = Picking("BETA.PAG");

    ASSERT_EQ(chooser.choose(&block), 1);
    EXPECT_EQ(block.answer, 0);
    ASSERT_EQ(chooser.count(block.files), 1);
    EXPECT_EQ(DrainFiles(block.files), std::vector<std::string>{library / "Page\\beta.pag"});
    EXPECT_EQ(std::string(folder), library / "Page\\beta.pag");
}

TEST_F(TemplateChooser, FolderTemplateHandsOutItsFilesInNameOrder)
{
    for (const char* picture : {"4.bmp", "2.bmp", "1.bmp", "3.bmp"})
        library.Write(std::string("Button\\Fleche\\") + picture, "p");
    block.category = QXTMPL_CATEGORY_BUTTON;
    block.flags = QXTMPL_FLAGS_BUTTON;
    const auto answerer = Picking("Fleche");

    ASSERT_EQ(chooser.choose(&block), 1);
    ASSERT_EQ(chooser.count(block.files), 4);
    const std::string folder = library / "Button\\Fleche\\";
    EXPECT_EQ(DrainFiles(block.files),
              (std::vector<std::string>{folder + "1.bmp", folder + "2.bmp", folder + "3.bmp", folder + "4.bmp"}));
}

TEST_F(TemplateChooser, NothingChosenLeavesNoHandle)
{
    library.Write("Sound\\gong.wav", "w");
    struct Case {
        const char* pick;
        int command;
        intptr_t answer;
    };
    for (const Case& c : {Case{"gong.wav", IDCANCEL, QXTMPL_CANCELLED}, Case{"(Aucun modèle)", IDOK, 0}}) {
        QXTMPL_BLOCK sound{};
        sound.category = QXTMPL_CATEGORY_SOUND;
        sound.answer = 77;
        const auto answerer = Picking(c.pick, c.command);
        EXPECT_EQ(chooser.choose(&sound), 0) << c.pick;
        EXPECT_EQ(sound.answer, c.answer) << c.pick;
        EXPECT_EQ(sound.files, nullptr) << c.pick;
    }
}

TEST_F(TemplateChooser, CategoryWithoutFolderOffersOnlyNoTemplate)
{
    block.category = "Animation";
    LRESULT entries = 0;
    const DialogAnswerer answerer([&entries](HWND dialog) {
        entries = SendDlgItemMessageA(dialog, QXTMPL_LIST_ID, LB_GETCOUNT, 0, 0);
        return IDOK;
    });
    EXPECT_EQ(chooser.choose(&block), 0);
    EXPECT_EQ(entries, 1);
}

TEST_F(TemplateChooser, EnumerationWithoutHandleOrRoomAnswersNone)
{
    char name[8] = "x";
    EXPECT_EQ(chooser.count(nullptr), 0);
    EXPECT_EQ(chooser.next(nullptr, name, sizeof name), -1);
    EXPECT_EQ(chooser.choose(nullptr), 0);
}

TEST_F(TemplateChooser, LongNameIsCutToTheCallersBuffer)
{
    library.Write("Page\\longname.pag", "a");
    block.category = QXTMPL_CATEGORY_PAGE;
    const auto answerer = Picking("longname.pag");
    ASSERT_EQ(chooser.choose(&block), 1);
    char name[6] = "?????";
    EXPECT_EQ(chooser.next(block.files, name, sizeof name), 0);
    EXPECT_EQ(std::string(name), (library / "Page").substr(0, 5));
    chooser.dispose(block.files);
}

// What the hook dialog saw while the chooser ran.
struct HookLog {
    LPARAM initData = 0;
    HWND window = nullptr;
    std::vector<WPARAM> itemChanges;
    std::string fileFromChooser;
    std::string fileFromItself;
    std::string name;
    std::string description;
    int okCount = 0;
    int refuseOks = 0;
};

INT_PTR CALLBACK TestHookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const UINT itemChanged = RegisterWindowMessageA(QXTMPL_ITEMCHANGED_MSG);
    static const UINT getFile = RegisterWindowMessageA(QXTMPL_GETFILE_MSG);
    static const UINT getName = RegisterWindowMessageA(QXTMPL_GETNAME_MSG);
    static const UINT getDescription = RegisterWindowMessageA(QXTMPL_GETDESCRIPTION_MSG);
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(hook, DWLP_USER, lParam);
        reinterpret_cast<HookLog*>(lParam)->initData = lParam;
        reinterpret_cast<HookLog*>(lParam)->window = hook;
        return TRUE;
    }
    auto* log = reinterpret_cast<HookLog*>(GetWindowLongPtrA(hook, DWLP_USER));
    if (!log)
        return FALSE;
    if (message == itemChanged) {
        log->itemChanges.push_back(wParam);
        char file[QXTMPL_NAME_SIZE] = {};
        SendMessageA(GetParent(hook), getFile, sizeof file, reinterpret_cast<LPARAM>(file));
        log->fileFromChooser = file;
        SendMessageA(hook, getFile, sizeof file, reinterpret_cast<LPARAM>(file));
        log->fileFromItself = file;
        SendMessageA(GetParent(hook), getName, sizeof file, reinterpret_cast<LPARAM>(file));
        log->name = file;
        SendMessageA(hook, getDescription, sizeof file, reinterpret_cast<LPARAM>(file));
        log->description = file;
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        ++log->okCount;
        SetWindowLongPtrA(hook, DWLP_MSGRESULT, log->refuseOks-- > 0);
        return TRUE;
    }
    return FALSE;
}

TEST_F(TemplateChooser, HookDialogIsShownToldAndAskedBeforeOk)
{
    library.Write("Page\\alpha.pag", "a");
    library.Write("Page\\beta.pag", "b");
    HookLog log;
    log.refuseOks = 1;
    block.category = QXTMPL_CATEGORY_PAGE;
    block.hookModule = GetModuleHandleA(nullptr);
    block.hookTemplate = "TESTHOOK";
    block.hookProc = TestHookProc;
    block.hookData = reinterpret_cast<LPARAM>(&log);
    bool hookAboveOk = false;
    HWND hookParent = nullptr;
    HWND chooserWindow = nullptr;
    const DialogAnswerer answerer([&](HWND dialog) {
        chooserWindow = dialog;
        hookParent = GetParent(log.window);
        RECT hook, ok;
        GetWindowRect(log.window, &hook);
        GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
        hookAboveOk = (GetWindowLongA(log.window, GWL_STYLE) & WS_VISIBLE) && hook.bottom <= ok.top;
        QxtmplSelectTemplate(dialog, "beta.pag");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);  // refused: the chooser goes on to the next OK
        return IDOK;
    });

    ASSERT_EQ(chooser.choose(&block), 1);
    chooser.dispose(block.files);
    EXPECT_EQ(log.initData, reinterpret_cast<LPARAM>(&log));
    EXPECT_EQ(hookParent, chooserWindow);
    EXPECT_TRUE(hookAboveOk);
    EXPECT_EQ(log.itemChanges, (std::vector<WPARAM>{0, 2}));
    EXPECT_EQ(log.fileFromChooser, library / "Page\\beta.pag");
    EXPECT_EQ(log.fileFromItself, library / "Page\\beta.pag");
    EXPECT_EQ(log.name, "beta.pag");
    EXPECT_EQ(log.description, "beta.pag");
    EXPECT_EQ(log.okCount, 2);
}

}  // namespace
