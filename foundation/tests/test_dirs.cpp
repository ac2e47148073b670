// The directory chooser answered headless, the fixed-drive table and the recursive file search
// on a scratch tree.
#include "qxdirs.h"
#include "qxutil.h"

#include "dialog_answerer.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// ---- Fixed drives ----

TEST(Drives, FixedDrivesAreMarkedAndOthersKeepTheCallersValue)
{
    constexpr int Untouched = 7;
    int drives[QX_DRIVE_LETTERS];
    std::fill(drives, drives + QX_DRIVE_LETTERS, Untouched);
    GetLocalFixedDrives(drives);
    EXPECT_EQ(drives['C' - 'A'], 1);
    int missing = 0;
    for (int letter = 0; letter < QX_DRIVE_LETTERS; ++letter) {
        const char root[] = {static_cast<char>('A' + letter), ':', '\\', '\0'};
        const UINT type = GetDriveTypeA(root);
        const int expected = type == DRIVE_FIXED ? 1
                             : type == DRIVE_UNKNOWN || type == DRIVE_REMOVABLE || type == DRIVE_REMOTE ? 0
                                                                                                       : Untouched;
        EXPECT_EQ(drives[letter], expected) << root << " of type " << type;
        missing += type == DRIVE_NO_ROOT_DIR;
    }
    // At least one letter has no drive, so the "left as it was" rule is exercised.
    EXPECT_GT(missing, 0);
}

// ---- Recursive file search ----

constexpr int TableEntries = 16;

// Records every text that the search shows, as a status window would show it.
std::vector<std::string> statusTexts;

LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT)
        statusTexts.emplace_back(reinterpret_cast<const char*>(lParam));
    return DefWindowProcA(window, message, wParam, lParam);
}

class FileSearch : public testing::Test {
protected:
    static constexpr char Unused = 'Z';

    void SetUp() override
    {
        for (const char* name : {"a.txt", "b.txt", "c.dat", "sub\\d.txt", "sub\\deeper\\e.txt", "sub\\deeper\\f.dat",
                                 "hidden\\g.txt", "system\\h.txt", ".dot\\i.txt"})
            scratch_.Write(name, "x");
        // Any attribute beside the directory bit keeps a folder out of the search. (Wine keeps
        // no read-only attribute on folders, so the hidden and system ones stand for it.)
        SetFileAttributesA((scratch_ / "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA((scratch_ / "system").c_str(), FILE_ATTRIBUTE_SYSTEM);
        EXPECT_EQ(GetFileAttributesA((scratch_ / "hidden").c_str()), DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN});
        EXPECT_EQ(GetFileAttributesA((scratch_ / "system").c_str()), DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM});
        std::memset(table_, Unused, sizeof table_);
    }
    // The found paths relative to the scratch folder, sorted (the system's order is its own).
    std::set<std::string> Found(int count) const
    {
        std::set<std::string> found;
        for (int i = 0; i < count; ++i) {
            const std::string path = table_[i];
            EXPECT_EQ(path.compare(0, scratch_.Path().size(), scratch_.Path()), 0) << path;
            found.insert(path.substr(scratch_.Path().size()));
        }
        return found;
    }
    // Entries from `count` on were never written.
    bool RestUntouched(int count) const
    {
        for (int i = count; i < TableEntries; ++i)
            for (char c : table_[i])
                if (c != Unused)
                    return false;
        return true;
    }

    ScratchDir scratch_;
    char table_[TableEntries][QX_FOUND_PATH_CHARS];
};

struct SearchCase {
    const char* name;
    const char* pattern;
    int capacity;
    int result;
    std::set<std::string> found;  // for a full table: the candidates, of which `capacity` are found
};

class FileSearchTable : public FileSearch, public testing::WithParamInterface<SearchCase> {};

TEST_P(FileSearchTable, FillsTheTable)
{
    const SearchCase& c = GetParam();
    int count = 0;
    EXPECT_EQ(pff(scratch_.Path().c_str(), c.pattern, table_, &count, c.capacity, nullptr), c.result);
    if (c.result == 0) {
        EXPECT_EQ(Found(count), c.found);
    } else {
        ASSERT_EQ(count, c.capacity);
        for (const std::string& path : Found(count))
            EXPECT_EQ(c.found.count(path), 1u) << path;
    }
    EXPECT_TRUE(RestUntouched(count));
}

INSTANTIATE_TEST_SUITE_P(
    Dirs, FileSearchTable,
    testing::Values(
        SearchCase{"AllTextFiles", "*.txt", TableEntries, 0, {"a.txt", "b.txt", "sub\\d.txt", "sub\\deeper\\e.txt"}},
        SearchCase{"OtherPattern", "*.dat", TableEntries, 0, {"c.dat", "sub\\deeper\\f.dat"}},
        SearchCase{"OneName", "e.txt", TableEntries, 0, {"sub\\deeper\\e.txt"}},
        SearchCase{"NothingMatches", "*.none", TableEntries, 0, {}},
        SearchCase{"ExactlyFull", "*.dat", 2, 0, {"c.dat", "sub\\deeper\\f.dat"}},
        SearchCase{"TooSmall", "*.txt", 2, 1, {"a.txt", "b.txt", "sub\\d.txt", "sub\\deeper\\e.txt"}},
        SearchCase{"NoRoom", "*.txt", 0, 1, {}}),
    [](const testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

TEST_F(FileSearch, FilesAreAppendedAfterTheRunningCount)
{
    int count = 3;
    EXPECT_EQ(pff(scratch_.Path().c_str(), "*.dat", table_, &count, TableEntries, nullptr), 0);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(table_[0][0], Unused);
    EXPECT_EQ(table_[2][QX_FOUND_PATH_CHARS - 1], Unused);
    EXPECT_EQ(std::set<std::string>({table_[3], table_[4]}),
              std::set<std::string>({scratch_ / "c.dat", scratch_ / "sub\\deeper\\f.dat"}));
}

TEST_F(FileSearch, ShowsEachFolderSearched)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = StatusProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QxTestStatus";
    RegisterClassA(&wc);
    const HWND status = CreateWindowExA(0, "QxTestStatus", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    statusTexts.clear();
    int count = 0;
    pff(scratch_.Path().c_str(), "*.txt", table_, &count, TableEntries, status);
    DestroyWindow(status);
    UnregisterClassA("QxTestStatus", GetModuleHandleA(nullptr));
    // Hidden, system and dotted folders are not entered.
    EXPECT_EQ(std::multiset<std::string>(statusTexts.begin(), statusTexts.end()),
              std::multiset<std::string>({scratch_.Path(), scratch_ / "sub\\", scratch_ / "sub\\deeper\\"}));
}

// Paths of 128 characters and more do not fit an entry: they are left out, shorter ones are
// found however deep they lie.
TEST_F(FileSearch, PathsLongerThanAnEntryAreLeftOut)
{
    const std::string root = scratch_.Path();
    const std::string folder = "long\\" + std::string(60, 'd') + "\\";
    ASSERT_LT(root.size() + folder.size() + 6, static_cast<size_t>(QX_FOUND_PATH_CHARS - 1)) << root;
    const size_t room = QX_FOUND_PATH_CHARS - 1 - root.size() - folder.size();  // name length of a 127-character path
    const std::string fits = folder + std::string(room - 4, 'f') + ".lng";
    const std::string oneTooLong = folder + std::string(room - 3, 'g') + ".lng";
    const std::string muchTooLong = folder + std::string(90, 'h') + "\\" + std::string(40, 'i') + ".lng";
    for (const std::string& name : {fits, oneTooLong, muchTooLong})
        scratch_.Write(name, "x");
    ASSERT_EQ((root + fits).size(), static_cast<size_t>(QX_FOUND_PATH_CHARS - 1));
    ASSERT_EQ((root + oneTooLong).size(), static_cast<size_t>(QX_FOUND_PATH_CHARS));
    ASSERT_GT((root + muchTooLong).size(), 200u);

    int count = 0;
    EXPECT_EQ(pff(root.c_str(), "*.lng", table_, &count, TableEntries, nullptr), 0);
    EXPECT_EQ(Found(count), std::set<std::string>({fits}));
    EXPECT_EQ(table_[0][QX_FOUND_PATH_CHARS - 1], '\0');
    EXPECT_TRUE(RestUntouched(count));
}

// ---- Directory chooser ----
//
// The chooser is answered headless. The file dialog finishes coming up only after its
// activation, so each test looks at it from a timer once the chooser's own edit exists, acts
// on it there, then presses a button.

constexpr int ChosenFolderEdit = 1153;
constexpr int OldFileNameEdit = 1152;     // the file-name edit of older dialogs
constexpr int FileNameCombo = 1148;       // the file-name box of newer ones
constexpr int UpOneFolderCommand = 0xA001;  // the dialog's own toolbar button

std::string Text(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool Hidden(HWND dialog, int id) { return !IsWindowVisible(GetDlgItem(dialog, id)); }

// What the chooser looked like when it came up, and how its OK button reacted.
struct ChooserView {
    std::string title;
    std::string okText;
    std::string cancelText;
    std::string folderLabel;
    std::string chosenLabel;
    std::string chosenFolder;
    bool chosenEditVisible = false;
    bool fileNameHidden = false;
    bool fileTypeHidden = false;
    // The OK button after each step of Look, in order.
    bool okEnabledAfterEmptying = true;
    std::string okTextForFolder;
    bool okEnabledForFolder = false;
    bool okEnabledOnOkWhenEmpty = true;
    bool okEnabledAfterFilling = false;
    bool okEnabledOnOkWhenFilled = false;
};

ChooserView Look(HWND dialog)
{
    ChooserView view;
    view.title = Text(dialog);
    const HWND ok = GetDlgItem(dialog, IDOK);
    const HWND edit = GetDlgItem(dialog, ChosenFolderEdit);
    view.okText = Text(ok);
    view.cancelText = Text(GetDlgItem(dialog, IDCANCEL));
    view.folderLabel = Text(GetDlgItem(dialog, 1091));
    view.chosenLabel = Text(GetDlgItem(dialog, 1090));
    view.chosenFolder = Text(edit);
    view.chosenEditVisible = edit && IsWindowVisible(edit);
    view.fileNameHidden = (GetDlgItem(dialog, OldFileNameEdit) || GetDlgItem(dialog, FileNameCombo)) &&
                          Hidden(dialog, OldFileNameEdit) && Hidden(dialog, FileNameCombo);
    view.fileTypeHidden = GetDlgItem(dialog, 1136) && Hidden(dialog, 1136) && Hidden(dialog, 1089);

    // Emptying the chosen folder ...
    SetWindowTextA(edit, "");
    view.okEnabledAfterEmptying = IsWindowEnabled(ok);
    // ... the dialog naming the button after a folder selected in the list ...
    SetWindowTextA(ok, "&Enregistrer");
    view.okTextForFolder = Text(ok);
    view.okEnabledForFolder = IsWindowEnabled(ok);
    // ... and back to OK, which is possible only with a chosen folder.
    SetWindowTextA(ok, "OK");
    view.okEnabledOnOkWhenEmpty = IsWindowEnabled(ok);
    SetWindowTextA(edit, view.chosenFolder.c_str());
    view.okEnabledAfterFilling = IsWindowEnabled(ok);
    EnableWindow(ok, FALSE);
    SetWindowTextA(ok, "OK");
    view.okEnabledOnOkWhenFilled = IsWindowEnabled(ok);
    return view;
}

// The action run on the chooser once it is up, and the button pressed afterwards.
struct ChooserScript {
    std::function<void(HWND)> act;
    int button = IDOK;
    bool ran = false;
    int ticks = 0;
};
ChooserScript* script = nullptr;

void CALLBACK RunWhenReady(HWND dialog, UINT, UINT_PTR timer, DWORD)
{
    constexpr int GiveUpTicks = 200;
    if (!GetDlgItem(dialog, ChosenFolderEdit) && ++script->ticks < GiveUpTicks)
        return;
    KillTimer(dialog, timer);
    script->act(dialog);
    script->ran = true;
    PostMessageA(dialog, WM_COMMAND, script->button, 0);
}

// Runs `call` with the chooser scripted; the number of dialogs that came up.
template <class Call>
size_t RunChooser(ChooserScript& chooserScript, Call call)
{
    script = &chooserScript;
    constexpr int IgnoredCommand = 0x7FFF;
    DialogAnswerer answerer([](HWND dialog) {
        SetTimer(dialog, 1, 10, RunWhenReady);
        return IgnoredCommand;
    });
    call();
    EXPECT_TRUE(chooserScript.ran);
    script = nullptr;
    return answerer.Shown().size();
}

class DirectoryChooser : public testing::Test {
protected:
    void SetUp() override { scratch_.Write("DATA\\IMAGES\\photo.bmp", "x"); }
    std::string Data() const { return scratch_ / "DATA"; }
    std::string Images() const { return scratch_ / "DATA\\IMAGES"; }
    ScratchDir scratch_;
};

TEST_F(DirectoryChooser, ConfirmingGivesTheFolderWithItsBackslash)
{
    char dir[QX_NAME_BUFFER];
    std::strcpy(dir, Images().c_str());
    ChooserView view;
    ChooserScript chooser{[&](HWND dialog) { view = Look(dialog); }};
    int chosen = 0;
    EXPECT_EQ(RunChooser(chooser, [&] { chosen = SelectDirectory(nullptr, dir, sizeof dir); }), 1u);
    EXPECT_NE(chosen, 0);
    EXPECT_EQ(std::string(dir), Images() + "\\");
    EXPECT_EQ(view.title, "Sélection de répertoire");
    EXPECT_EQ(view.okText, "OK");
    EXPECT_EQ(view.cancelText, "Annuler");
    EXPECT_EQ(view.folderLabel, "&Dossier Courant:");
    EXPECT_EQ(view.chosenLabel, "Dossier &Choisi:");
    EXPECT_EQ(view.chosenFolder, Images());
    EXPECT_TRUE(view.chosenEditVisible);
    EXPECT_TRUE(view.fileNameHidden);
    EXPECT_TRUE(view.fileTypeHidden);
    EXPECT_FALSE(view.okEnabledAfterEmptying);
    EXPECT_EQ(view.okTextForFolder, "&Ouvrir");
    EXPECT_TRUE(view.okEnabledForFolder);
    EXPECT_FALSE(view.okEnabledOnOkWhenEmpty);
    EXPECT_TRUE(view.okEnabledAfterFilling);
    EXPECT_TRUE(view.okEnabledOnOkWhenFilled);
}

TEST_F(DirectoryChooser, EditFollowsTheFolderShown)
{
    char dir[QX_NAME_BUFFER];
    std::strcpy(dir, Images().c_str());
    std::string shownAfterMove, okTextAfterMove;
    ChooserScript chooser{[&](HWND dialog) {
        SetWindowTextA(GetDlgItem(dialog, IDOK), "&Enregistrer");
        SendMessageA(dialog, WM_COMMAND, UpOneFolderCommand, 0);
        shownAfterMove = Text(GetDlgItem(dialog, ChosenFolderEdit));
        okTextAfterMove = Text(GetDlgItem(dialog, IDOK));
    }};
    int chosen = 0;
    RunChooser(chooser, [&] { chosen = SelectDirectory(nullptr, dir, sizeof dir); });
    EXPECT_EQ(shownAfterMove, Data());
    EXPECT_EQ(okTextAfterMove, "OK");
    EXPECT_NE(chosen, 0);
    EXPECT_EQ(std::string(dir), Data() + "\\");
}

TEST_F(DirectoryChooser, CancellingLeavesTheFolder)
{
    char dir[QX_NAME_BUFFER];
    std::strcpy(dir, Images().c_str());
    ChooserScript chooser{[](HWND) {}, IDCANCEL};
    int chosen = -1;
    RunChooser(chooser, [&] { chosen = SelectDirectory(nullptr, dir, sizeof dir); });
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(std::string(dir), Images());
}

TEST_F(DirectoryChooser, ResultIsCutToTheCallersSize)
{
    std::vector<char> dir(QX_NAME_BUFFER, '#');
    std::strcpy(dir.data(), Images().c_str());
    constexpr unsigned Size = 12;
    ChooserScript chooser{[](HWND) {}};
    int chosen = 0;
    RunChooser(chooser, [&] { chosen = SelectDirectory(nullptr, dir.data(), Size); });
    EXPECT_NE(chosen, 0);
    EXPECT_EQ(std::string(dir.data()), (Images() + "\\").substr(0, Size - 1));
    EXPECT_EQ(dir[Size], Images()[Size]);  // nothing written past the size
}

struct StrCase {
    int button;
    bool chosen;
};

class DirectoryChooserStr : public DirectoryChooser, public testing::WithParamInterface<StrCase> {};

TEST_P(DirectoryChooserStr, ChangesTheStringOnlyWhenChosen)
{
    QXSTRING dir(Images().c_str());
    ChooserScript chooser{[](HWND) {}, GetParam().button};
    int chosen = -1;
    RunChooser(chooser, [&] { chosen = SelectDirectoryStr(nullptr, &dir); });
    EXPECT_EQ(chosen != 0, GetParam().chosen);
    EXPECT_STREQ(dir, (GetParam().chosen ? Images() + "\\" : Images()).c_str());
}

INSTANTIATE_TEST_SUITE_P(Dirs, DirectoryChooserStr, testing::Values(StrCase{IDOK, true}, StrCase{IDCANCEL, false}));

}  // namespace
