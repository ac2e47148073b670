// The kernel's file dialogs, the publication-drive check, the copy of files onto the
// publication's disk, and the page preview of the open-file dialog.
#include "authoring.h"
#include "dialog_answerer.h"
#include "dialog_items.h"
#include "filedialogs.h"
#include "navtest.h"
#include "pagepreview.h"
#include "qxpreview.h"
#include "scndrive.h"
#include "test_canvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

// A folder on another drive than the scratch folders (which lie on C:): Z: is the root of the
// machine's file system in every Wine prefix. Removed with all it holds.
class OtherDriveDir {
public:
    OtherDriveDir()
    {
        static int count = 0;
        path_ = "Z:\\tmp\\qxfiles-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count) + "\\";
        std::filesystem::create_directories(path_);
    }
    ~OtherDriveDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    OtherDriveDir(const OtherDriveDir&) = delete;
    OtherDriveDir& operator=(const OtherDriveDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path_ + name, std::ios::binary) << bytes;
    }

private:
    std::string path_;
};

std::string ReadFile(const std::string& name)
{
    std::ifstream file(name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Shown by its own style, whether its parents are on screen or not.
bool HasVisibleStyle(HWND window) { return GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE; }

bool Exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

constexpr const char* CopyCaption = "Copie de fichier sur le disque de la publication";
constexpr const char* CopyQuestion = "Tous les composantes d'une publication\ndoivent être sur le même disque\n"
                                     "Désirez-vous copier le fichier :\n";

bool IsCopyDialog(HWND dialog) { return WindowText(dialog) == CopyCaption; }
bool IsMessageBox(HWND dialog) { return GetDlgItem(dialog, 0xFFFF) != nullptr; }

bool IsFileDialog(HWND dialog) { return FileNameBox(dialog) && !IsCopyDialog(dialog); }

int TypeFileName(HWND dialog, const std::string& name)
{
    SetWindowTextA(FileNameBox(dialog), name.c_str());
    return IDOK;
}

// Runs the action once the dialogs opened meanwhile are up, or gone again: a timer fires only
// when no other message waits, so what was posted to them comes first.
std::function<void()> later;

void CALLBACK RunLaterProc(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    later();
}

void RunLater(std::function<void()> action)
{
    later = std::move(action);
    SetTimer(nullptr, 0, 50, RunLaterProc);
}

// A kernel over a publication folder on C: with a host window, as the authoring host has it.
struct Publication : NavKernel {
    std::string Drive() const { return pub.Path().substr(0, 2); }
    int Relocations() const { return kernel->relocations.Items(); }
    std::string RelocatedTo(const std::string& source) const
    {
        const RELOCFILE_ITEM* item = kernel->relocations.Find(source.c_str());
        return item ? static_cast<const char*>(item->destination) : "(none)";
    }
};

// ---- The publication-drive check ----

struct DriveCase {
    const char* what;
    const char* publication;
    const char* name;
    const char* copied;   // the name on the publication's disk of a file copied there before, or null
    int ask;
    int answer;           // what the question box is answered, 0 when no box may show
    int expected;
};

class DriveCheck : public testing::TestWithParam<DriveCase> {};

TEST_P(DriveCheck, FlagsTheFilesThatAreNotOnThePublicationsDisk)
{
    const DriveCase& c = GetParam();
    TestKernel kernel;
    kernel->scnPath = c.publication;
    if (c.copied)
        kernel->relocations.AddFile(c.copied, "C:\\pub\\media\\a.bmp");
    DialogAnswerer answerer(c.answer ? c.answer : IDCANCEL);
    EXPECT_EQ(c.expected, KernValidateScnFileDrive(kernel, c.name, c.ask)) << c.what;
    if (!c.answer) {
        EXPECT_TRUE(answerer.Shown().empty()) << c.what;
        return;
    }
    ASSERT_EQ(1u, answerer.Shown().size()) << c.what;
    EXPECT_EQ("Attention", answerer.Shown()[0].caption);
    EXPECT_EQ(std::string(CopyQuestion) + c.name + "\nsur le disque : C:", answerer.Shown()[0].text);
}

INSTANTIATE_TEST_SUITE_P(
    Names, DriveCheck,
    testing::Values(
        DriveCase{"null name", "C:\\pub\\", nullptr, nullptr, 1, 0, 1},
        DriveCase{"empty name", "C:\\pub\\", "", nullptr, 1, 0, 1},
        DriveCase{"no publication folder", "", "D:\\media\\a.bmp", nullptr, 1, 0, 1},
        DriveCase{"invalid characters", "C:\\pub\\", "D:\\media\\a|b.bmp", nullptr, 1, 0, 1},
        DriveCase{"FTP", "C:\\pub\\", "ftp://server/media/a.bmp", nullptr, 1, 0, 0},
        DriveCase{"HTTP", "C:\\pub\\", "HTTP://server/a.bmp", nullptr, 1, 0, 0},
        DriveCase{"same drive, other case", "C:\\pub\\", "c:\\media\\a.bmp", nullptr, 1, 0, 0},
        DriveCase{"UNC on the publication's share", "\\\\server\\share\\pub\\", "\\\\SERVER\\share\\a.bmp",
                  nullptr, 1, 0, 0},
        DriveCase{"UNC from a local publication", "C:\\pub\\", "\\\\server\\share\\a.bmp", nullptr, 0, 0, 6},
        DriveCase{"copied onto the publication's disk before", "C:\\pub\\", "D:\\media\\a.bmp",
                  "c:\\MEDIA\\a.bmp", 1, 0, 4},
        DriveCase{"other drive, not asked", "C:\\pub\\", "D:\\media\\a.bmp", nullptr, 0, 0, 6},
        DriveCase{"other drive, answered Yes", "C:\\pub\\", "D:\\media\\a.bmp", nullptr, 1, IDYES, 6},
        DriveCase{"other drive, answered No", "C:\\pub\\", "D:\\media\\a.bmp", nullptr, 1, IDNO, 4}));

TEST(DriveCheck, NeedsAKernel) { EXPECT_EQ(1, KernValidateScnFileDrive(nullptr, "D:\\media\\a.bmp", 0)); }

// ---- The copy onto the publication's disk ----

TEST(CopyToScnDrive, CopiesIntoThePublicationFolderAndRecordsTheMove)
{
    Publication publication;
    OtherDriveDir media;
    media.Write("a.bmp", "picture");
    char name[QX_NAME_BUFFER];
    lstrcpyA(name, (media / "a.bmp").c_str());
    std::string source;
    std::string proposed;
    DialogAnswerer answerer([&](HWND dialog) {
        source = ItemText(dialog, 100);
        proposed = ItemText(dialog, 101);
        return IDOK;
    });

    ASSERT_EQ(1, KernCopyToScnDrive(publication, name, sizeof name));

    EXPECT_EQ(media / "a.bmp", source);
    EXPECT_EQ(publication.Page("a.bmp"), proposed);
    EXPECT_EQ(publication.Page("a.bmp"), name);
    EXPECT_EQ("picture", ReadFile(name));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ(CopyCaption, answerer.Shown()[0].caption);
    // Pages naming the file where it was find the copy.
    EXPECT_EQ(name, publication.RelocatedTo(publication.Drive() + media.Path().substr(2) + "a.bmp"));
}

TEST(CopyToScnDrive, ACopyIntoTheSameFolderPathRecordsNoMove)
{
    Publication publication;
    OtherDriveDir media;
    media.Write("a.bmp", "picture");
    const std::string sameFolder = publication.Drive() + media.Path().substr(2);
    std::string name = media / "a.bmp";
    QXSTRING text(name.c_str());
    DialogAnswerer answerer([&](HWND dialog) {
        SetDlgItemTextA(dialog, 101, (sameFolder + "a.bmp").c_str());
        return IDOK;
    });

    EXPECT_EQ(1, KernCopyToScnDriveStr(publication, &text));

    EXPECT_EQ(sameFolder + "a.bmp", static_cast<const char*>(text));
    EXPECT_EQ("picture", ReadFile(sameFolder + "a.bmp"));
    EXPECT_EQ(0, publication.Relocations());
    std::error_code ignored;
    std::filesystem::remove_all(sameFolder, ignored);
}

TEST(CopyToScnDrive, AFileOnThePublicationsDiskStaysAsItIs)
{
    Publication publication;
    publication.pub.Write("a.bmp", "picture");
    char name[QX_NAME_BUFFER];
    lstrcpyA(name, publication.Page("a.bmp").c_str());
    DialogAnswerer answerer(IDCANCEL);

    EXPECT_EQ(1, KernCopyToScnDrive(publication, name, sizeof name));

    EXPECT_EQ(publication.Page("a.bmp"), name);
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST(CopyToScnDrive, CancelledCopiesNothing)
{
    Publication publication;
    OtherDriveDir media;
    media.Write("a.bmp", "picture");
    char name[QX_NAME_BUFFER];
    lstrcpyA(name, (media / "a.bmp").c_str());
    DialogAnswerer answerer(IDCANCEL);

    EXPECT_EQ(0, KernCopyToScnDrive(publication, name, sizeof name));

    EXPECT_EQ(media / "a.bmp", name);
    EXPECT_FALSE(Exists(publication.Page("a.bmp")));
    EXPECT_EQ(0, publication.Relocations());
}

// The copy is made, but its name would be cut into the name of another file.
TEST(CopyToScnDrive, ANameTooLongForTheBufferIsRefused)
{
    Publication publication;
    OtherDriveDir media;
    media.Write("a.bmp", "picture");
    const std::string original = media / "a.bmp";
    std::vector<char> name(original.begin(), original.end());
    name.push_back('\0');
    ASSERT_LT(name.size(), publication.Page("a.bmp").size() + 1);
    DialogAnswerer answerer(IDOK);

    EXPECT_EQ(0, KernCopyToScnDrive(publication, name.data(), static_cast<int>(name.size())));

    EXPECT_EQ(original, name.data());
}

struct CopyFailureCase {
    const char* what;
    bool sourceExists;
    const char* destination;  // relative to the publication folder
    const char* message;
};

class CopyFailure : public testing::TestWithParam<CopyFailureCase> {};

TEST_P(CopyFailure, IsToldAndRefused)
{
    const CopyFailureCase& c = GetParam();
    Publication publication;
    OtherDriveDir media;
    if (c.sourceExists)
        media.Write("a.bmp", "picture");
    char name[QX_NAME_BUFFER];
    lstrcpyA(name, (media / "a.bmp").c_str());
    DialogAnswerer answerer([&](HWND dialog) {
        if (IsCopyDialog(dialog))
            SetDlgItemTextA(dialog, 101, publication.Page(c.destination).c_str());
        return IDOK;
    });

    EXPECT_EQ(0, KernCopyToScnDrive(publication, name, sizeof name)) << c.what;

    EXPECT_EQ(media / "a.bmp", name);
    ASSERT_EQ(2u, answerer.Shown().size()) << c.what;
    EXPECT_EQ("Erreur de copie de fichier.", answerer.Shown()[1].caption);
    EXPECT_EQ(c.message, answerer.Shown()[1].text) << c.what;
    EXPECT_EQ(0, publication.Relocations());
}

INSTANTIATE_TEST_SUITE_P(
    Copies, CopyFailure,
    testing::Values(CopyFailureCase{"missing source", false, "a.bmp", "Imposible d'ouvrir le fichier source"},
                    CopyFailureCase{"destination is a folder", true, "", "Impossible de créer le fichier."}));

TEST(CopyToScnDrive, TheDestinationButtonPicksAFolderOnThePublicationsDisk)
{
    Publication publication;
    publication.pub.Write("sub\\keep.txt", "");
    OtherDriveDir media;
    media.Write("a.bmp", "picture");
    char name[QX_NAME_BUFFER];
    lstrcpyA(name, (media / "a.bmp").c_str());
    std::vector<std::string> kinds;
    HWND copyDialog = nullptr;
    DialogAnswerer answerer([&](HWND dialog) {
        if (IsCopyDialog(dialog)) {
            kinds.push_back("copy " + ItemText(dialog, 101));
            copyDialog = dialog;
            return 998;
        }
        kinds.push_back("chooser");
        RunLater([&] { PostMessageA(copyDialog, WM_COMMAND, IDOK, 0); });
        return TypeFileName(dialog, publication.Page("sub\\Qorvex.dir"));
    });

    ASSERT_EQ(1, KernCopyToScnDrive(publication, name, sizeof name));

    EXPECT_EQ((std::vector<std::string>{"copy " + publication.Page("a.bmp"), "chooser"}), kinds);
    EXPECT_EQ(publication.Page("sub\\a.bmp"), name);
    EXPECT_EQ("picture", ReadFile(name));
}

struct WrongDriveCase {
    const char* what;
    int command;  // how the author goes on from the proposed destination on another disk
};

class WrongDestinationDrive : public testing::TestWithParam<WrongDriveCase> {};

TEST_P(WrongDestinationDrive, IsToldAndNotTaken)
{
    Publication publication;
    OtherDriveDir media;
    media.Write("a.bmp", "picture");
    char name[QX_NAME_BUFFER];
    lstrcpyA(name, (media / "a.bmp").c_str());
    HWND copyDialog = nullptr;
    DialogAnswerer answerer([&](HWND dialog) {
        if (IsCopyDialog(dialog)) {
            copyDialog = dialog;
            SetDlgItemTextA(dialog, 101, (media / "b.bmp").c_str());
            return GetParam().command;
        }
        if (IsMessageBox(dialog))
            PostMessageA(copyDialog, WM_COMMAND, IDCANCEL, 0);
        return IDOK;
    });

    EXPECT_EQ(0, KernCopyToScnDrive(publication, name, sizeof name)) << GetParam().what;

    EXPECT_EQ(media / "a.bmp", name);
    EXPECT_FALSE(Exists(media / "b.bmp"));
    ASSERT_GE(answerer.Shown().size(), 2u);
    EXPECT_EQ("Erreur", answerer.Shown().back().caption);
    EXPECT_EQ("Le disque de destination doit être: C:", answerer.Shown().back().text);
}

INSTANTIATE_TEST_SUITE_P(Destinations, WrongDestinationDrive,
                         testing::Values(WrongDriveCase{"folder chosen on another disk", 998},
                                         WrongDriveCase{"name typed on another disk", IDOK}));

TEST(CopyToScnDrive, RefusesWhatCannotBeCopied)
{
    Publication publication;
    DialogAnswerer answerer(IDOK);
    char remote[QX_NAME_BUFFER] = "http://server/a.bmp";
    EXPECT_EQ(0, KernCopyToScnDrive(publication, remote, sizeof remote));
    char empty[QX_NAME_BUFFER] = "";
    EXPECT_EQ(0, KernCopyToScnDrive(publication, empty, sizeof empty));
    char bad[QX_NAME_BUFFER] = "Z:\\a|b.bmp";
    EXPECT_EQ(0, KernCopyToScnDrive(publication, bad, sizeof bad));
    EXPECT_EQ(0, KernCopyToScnDrive(nullptr, bad, sizeof bad));
    publication->scnPath = "";
    char other[QX_NAME_BUFFER] = "Z:\\tmp\\a.bmp";
    EXPECT_EQ(0, KernCopyToScnDrive(publication, other, sizeof other));
    EXPECT_TRUE(answerer.Shown().empty());
}

// ---- A multiple selection ----

std::vector<char> Selection(const std::string& folder, const std::vector<std::string>& names, size_t size)
{
    std::vector<char> buffer(size, 'x');
    std::string text = folder + '\0';
    for (const std::string& name : names)
        text += name + '\0';
    text += '\0';
    std::copy(text.begin(), text.end(), buffer.begin());
    return buffer;
}

TEST(MultipleSelection, SeveralFilesFromAnotherDiskAreCopiedTogether)
{
    Publication publication;
    OtherDriveDir media;
    media.Write("a.bmp", "first");
    media.Write("b.bmp", "second");
    const std::string folder = media.Path().substr(0, media.Path().size() - 1);
    std::vector<char> buffer = Selection(folder, {"a.bmp", "b.bmp"}, QX_NAME_BUFFER);
    const std::string copies = publication.Page(folder.substr(folder.rfind('\\') + 1));
    DialogAnswerer answerer([](HWND dialog) { return IsMessageBox(dialog) ? IDYES : IDOK; });

    ASSERT_EQ(1, KernValidateOFNScnDrive(publication, buffer.data(), QX_NAME_BUFFER, 1));

    EXPECT_EQ(Selection(copies, {"a.bmp", "b.bmp"}, QX_NAME_BUFFER), buffer);
    EXPECT_EQ("first", ReadFile(copies + "\\a.bmp"));
    EXPECT_EQ("second", ReadFile(copies + "\\b.bmp"));
    EXPECT_EQ(2, publication.Relocations());
    ASSERT_EQ(2u, answerer.Shown().size());
    EXPECT_EQ(std::string(CopyQuestion) + media.Path() + "a.bmp\nsur le disque : C:", answerer.Shown()[0].text);
}

TEST(MultipleSelection, AnsweredNoIsRefused)
{
    Publication publication;
    OtherDriveDir media;
    media.Write("a.bmp", "first");
    const std::string folder = media.Path().substr(0, media.Path().size() - 1);
    std::vector<char> buffer = Selection(folder, {"a.bmp", "b.bmp"}, QX_NAME_BUFFER);
    const std::vector<char> before = buffer;
    DialogAnswerer answerer(IDNO);

    EXPECT_EQ(0, KernValidateOFNScnDrive(publication, buffer.data(), QX_NAME_BUFFER, 1));

    EXPECT_EQ(before, buffer);
}

TEST(MultipleSelection, FilesOnThePublicationsDiskAreTakenAsTheyAre)
{
    Publication publication;
    const std::string folder = publication.pub.Path().substr(0, publication.pub.Path().size() - 1);
    std::vector<char> buffer = Selection(folder, {"a.bmp", "b.bmp"}, QX_NAME_BUFFER);
    const std::vector<char> before = buffer;
    DialogAnswerer answerer(IDCANCEL);

    EXPECT_EQ(1, KernValidateOFNScnDrive(publication, buffer.data(), QX_NAME_BUFFER, 1));

    EXPECT_EQ(before, buffer);
    EXPECT_TRUE(answerer.Shown().empty());
}

// ---- The open and save dialogs ----

struct OpenRequest {
    explicit OpenRequest(const std::string& folder)
    {
        initialDir = folder;
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrFilter = "Tous\0*.*\0";
        ofn.lpstrInitialDir = initialDir.c_str();
        ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    }
    OPENFILENAMEA ofn{};
    char file[QX_NAME_BUFFER] = "";
    std::string initialDir;
};

struct OpenCase {
    const char* what;
    bool onOtherDisk;
    int answer;  // the question box's answer, 0 when none may show
    int expected;
    bool copied;
};

class OpenDialog : public testing::TestWithParam<OpenCase> {};

TEST_P(OpenDialog, TakesFilesOnThePublicationsDiskOrTheirCopies)
{
    const OpenCase& c = GetParam();
    Publication publication;
    OtherDriveDir media;
    const std::string picked = c.onOtherDisk ? media / "a.bmp" : publication.Page("a.bmp");
    media.Write("a.bmp", "picture");
    publication.pub.Write("a.bmp", "picture");
    OpenRequest request(publication.pub.Path());
    std::vector<std::string> kinds;
    DialogAnswerer answerer([&](HWND dialog) {
        if (IsFileDialog(dialog)) {
            kinds.push_back("file");
            return TypeFileName(dialog, picked);
        }
        kinds.push_back(IsCopyDialog(dialog) ? "copy" : "question");
        return IsMessageBox(dialog) ? c.answer : IDOK;
    });

    EXPECT_EQ(c.expected, KernGetOpenFileName(publication, &request.ofn) != 0) << c.what;

    EXPECT_EQ(c.copied ? publication.Page("a.bmp") : picked, request.file) << c.what;
    std::vector<std::string> expected = {"file"};
    if (c.answer)
        expected.push_back("question");
    if (c.copied)
        expected.push_back("copy");
    EXPECT_EQ(expected, kinds) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Files, OpenDialog,
                         testing::Values(OpenCase{"on the publication's disk", false, 0, 1, false},
                                         OpenCase{"other disk, answered No", true, IDNO, 0, false},
                                         OpenCase{"other disk, answered Yes", true, IDYES, 1, true}));

TEST(OpenDialog, CancelledGivesZero)
{
    Publication publication;
    OpenRequest request(publication.pub.Path());
    DialogAnswerer answerer(IDCANCEL);
    EXPECT_EQ(0, KernGetOpenFileName(publication, &request.ofn));
    EXPECT_EQ(0, KernGetOpenFileName(publication, nullptr));
}

// One name picked where several may be is checked as one file.
TEST(OpenDialog, OneNameOfAMultipleSelectionIsOneFile)
{
    Publication publication;
    publication.pub.Write("a.bmp", "picture");
    OpenRequest request(publication.pub.Path());
    request.ofn.Flags = OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;
    DialogAnswerer answerer([&](HWND dialog) { return TypeFileName(dialog, publication.Page("a.bmp")); });
    EXPECT_NE(0, KernGetOpenFileName(publication, &request.ofn));
    EXPECT_EQ(publication.Page("a.bmp"), request.file);
    // Only the explorer kind separates several names by zeros; the dialog is always of it.
    EXPECT_TRUE(request.ofn.Flags & OFN_EXPLORER);
}

TEST(OpenDialog, ThePreviewDialogChecksTheDriveToo)
{
    Publication publication;
    OtherDriveDir media;
    media.Write("a.bmp", "picture");
    OpenRequest request(media.Path());
    QXPREVIEW_REQUEST preview{&request.ofn, QXPREVIEW_IMAGE | QXPREVIEW_CHECKBOX, nullptr, 0, 0};
    DialogAnswerer answerer([&](HWND dialog) {
        if (IsFileDialog(dialog))
            return TypeFileName(dialog, media / "a.bmp");
        return IDNO;
    });

    EXPECT_EQ(0, KernGetOpenFileNamePreview(publication, &preview));

    EXPECT_EQ(2u, answerer.Shown().size());
    EXPECT_EQ(nullptr, preview.callback);
}

TEST(OpenDialog, ThePreviewDialogRunsAPreviewKernelWhileItIsUp)
{
    Publication publication;
    publication.pub.Write("a.pag", RecPage("a"));
    KERNPREVIEWPAGE record{};
    ASSERT_TRUE(KernCreatePreviewPageWindows(publication.view, &record));
    OpenRequest request(publication.pub.Path());
    QXPREVIEW_REQUEST preview{&request.ofn, QXPREVIEW_IMAGE, nullptr, reinterpret_cast<LPARAM>(&record), 0};
    KERNEL* whileUp = nullptr;
    DialogAnswerer answerer([&](HWND dialog) {
        // The preview comes up with the dialog's controls, after the dialog itself.
        RunLater([&, dialog] {
            whileUp = record.kernel;
            PostMessageA(dialog, WM_COMMAND, TypeFileName(dialog, publication.Page("a.pag")), 0);
        });
        return 0;
    });

    EXPECT_NE(0, KernGetOpenFileNamePreview(publication, &preview));

    EXPECT_EQ(publication.Page("a.pag"), request.file);
    EXPECT_NE(nullptr, whileUp);
    EXPECT_EQ(static_cast<KERNEL*>(publication), record.opener);
    // The dialog's end took the preview kernel and both windows down.
    EXPECT_EQ(nullptr, record.kernel);
    EXPECT_EQ(nullptr, record.preview);
}

struct SaveRequest : OpenRequest {
    using OpenRequest::OpenRequest;
};

TEST(SaveDialog, ANameOnAnotherDiskIsAskedAgainWithItsNameAlone)
{
    Publication publication;
    OtherDriveDir media;
    SaveRequest request(publication.pub.Path());
    std::vector<std::string> shownNames;
    DialogAnswerer answerer([&](HWND dialog) {
        if (!IsFileDialog(dialog))
            return IDOK;
        char typed[QX_NAME_BUFFER] = "";
        GetWindowTextA(FileNameBox(dialog), typed, sizeof typed);
        shownNames.push_back(typed);
        return TypeFileName(dialog, shownNames.size() == 1 ? media / "out.pag" : publication.Page("out.pag"));
    });

    EXPECT_NE(0, KernGetSaveFileName(publication, &request.ofn));

    EXPECT_EQ(publication.Page("out.pag"), request.file);
    ASSERT_EQ(2u, shownNames.size());
    EXPECT_EQ("out.pag", shownNames[1]);
    ASSERT_EQ(3u, answerer.Shown().size());
    EXPECT_EQ("Erreur", answerer.Shown()[1].caption);
    EXPECT_EQ("Le disque de destination doit être: C:", answerer.Shown()[1].text);
}

TEST(SaveDialog, CancelledGivesZero)
{
    Publication publication;
    SaveRequest request(publication.pub.Path());
    DialogAnswerer answerer(IDCANCEL);
    EXPECT_EQ(0, KernGetSaveFileName(publication, &request.ofn));
}

// ---- The page preview ----

class PagePreview : public testing::Test {
protected:
    void SetUp() override
    {
        dialog = CreateWindowExA(0, "STATIC", "dialog", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        pane = CreateWindowExA(0, "STATIC", "", WS_CHILD, 7, 200, 100, 80, dialog, nullptr, nullptr, nullptr);
        ASSERT_TRUE(KernCreatePreviewPageWindows(dialog, &record));
        record.opener = publication;
        publication.pub.Write("a.pag", RecPage("a", "255 0 0"));
    }
    void TearDown() override
    {
        if (record.preview)
            KernPreviewPageCallback(QXPREVIEW_END, nullptr, nullptr, "", reinterpret_cast<LPARAM>(&record));
        DestroyWindow(dialog);
    }
    int Callback(char code, HANDLE handle, const RECT* area, const char* file)
    {
        return KernPreviewPageCallback(code, handle, area, file, reinterpret_cast<LPARAM>(&record));
    }
    // The preview window sized to 200 x 120 client pixels, drawn into a white canvas.
    void Print(TestCanvas& canvas)
    {
        MoveWindow(record.preview, 0, 0, 200, 120, FALSE);
        SendMessageA(record.preview, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    }

    Publication publication;
    HWND dialog = nullptr;  // the window that opens the file dialog
    HWND pane = nullptr;    // the file dialog's preview pane
    KERNPREVIEWPAGE record{};
    const RECT area{2, 2, 98, 78};
};

TEST_F(PagePreview, TheDialogsPaneGetsAKernelAndShowsTheSelectedPage)
{
    ASSERT_EQ(1, Callback(QXPREVIEW_READY, pane, &area, ""));
    ASSERT_NE(nullptr, record.kernel);
    EXPECT_EQ(pane, GetParent(record.preview));
    EXPECT_EQ(pane, GetParent(record.host));
    EXPECT_FALSE(HasVisibleStyle(record.preview));
    EXPECT_FALSE(HasVisibleStyle(record.host));

    EXPECT_EQ(1, Callback(QXPREVIEW_PAINT, nullptr, &area, publication.Page("a.pag").c_str()));

    EXPECT_TRUE(HasVisibleStyle(record.preview));

    EXPECT_EQ(publication.Page("a.pag"), KernGetActiveFilename(record.kernel));
    EXPECT_EQ(publication.pub.Path(), KernGetScnPath(record.kernel));
    EXPECT_EQ(0, record.kernel->autoBranch);
    RECT placed;
    GetWindowRect(record.preview, &placed);
    EXPECT_EQ(97, placed.right - placed.left);
    EXPECT_EQ(77, placed.bottom - placed.top);
}

TEST_F(PagePreview, OtherFilesAreLeftToTheDialog)
{
    ASSERT_EQ(1, Callback(QXPREVIEW_READY, pane, &area, ""));
    EXPECT_EQ(0, Callback(QXPREVIEW_PAINT, nullptr, &area, publication.Page("a.bmp").c_str()));
    EXPECT_STREQ("", KernGetActiveFilename(record.kernel));
    EXPECT_TRUE(HasVisibleStyle(record.preview));
    EXPECT_EQ(0, Callback(QXPREVIEW_PAINT, nullptr, &area, ""));
    EXPECT_FALSE(HasVisibleStyle(record.preview));
    EXPECT_EQ(0, Callback(QXPREVIEW_PLAY_PRESSED, nullptr, nullptr, ""));
    // Without a record the dialog's own preview does everything.
    EXPECT_EQ(0, KernPreviewPageCallback(QXPREVIEW_READY, pane, &area, "", 0));
}

TEST_F(PagePreview, APageThatDoesNotLoadLeavesThePreviewEmptyAndSaysNothing)
{
    publication.pub.Write("bad.pag", "pas une page\r\n");
    ASSERT_EQ(1, Callback(QXPREVIEW_READY, pane, &area, ""));
    DialogAnswerer answerer(IDOK);
    for (const char* name : {"bad.pag", "absent.pag"}) {
        Callback(QXPREVIEW_PAINT, nullptr, &area, publication.Page(name).c_str());
        Callback(QXPREVIEW_PAINT, nullptr, &area, publication.Page(name).c_str());
    }
    for (const ShownDialog& shown : answerer.Shown())
        ADD_FAILURE() << "shown: " << shown.caption << ": " << shown.text;
    TestCanvas canvas(200, 120);
    Print(canvas);
    for (uint32_t pixel : canvas.Pixels())
        ASSERT_EQ(0xFFFFFFu, pixel);
}

TEST_F(PagePreview, TheEndTakesTheWindowsAndTheKernelDown)
{
    ASSERT_EQ(1, Callback(QXPREVIEW_READY, pane, &area, ""));
    const HWND preview = record.preview;
    const HWND host = record.host;
    EXPECT_EQ(1, Callback(QXPREVIEW_END, nullptr, nullptr, ""));
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_FALSE(IsWindow(host));
    EXPECT_EQ(nullptr, record.kernel);
}

TEST_F(PagePreview, PaintsThePageScaledIntoACentredSquare)
{
    ASSERT_EQ(1, Callback(QXPREVIEW_READY, pane, &area, ""));
    ASSERT_EQ(1, Callback(QXPREVIEW_PAINT, nullptr, &area, publication.Page("a.pag").c_str()));
    TestCanvas canvas(200, 120);
    Print(canvas);
    const COLORREF white = RGB(255, 255, 255);
    // Side 121 at x = 40, y = 0: the columns on either side stay untouched.
    for (int y : {0, 60, 119}) {
        EXPECT_EQ(white, canvas.Pixel(39, y)) << y;
        EXPECT_NE(white, canvas.Pixel(40, y)) << y;
        EXPECT_NE(white, canvas.Pixel(160, y)) << y;
        EXPECT_EQ(white, canvas.Pixel(161, y)) << y;
    }
    int red = 0;
    for (uint32_t pixel : canvas.Pixels())
        red += pixel == 0xFF0000;
    EXPECT_GT(red, 0);
}

TEST_F(PagePreview, NothingIsPaintedBeforeAPageIsLoaded)
{
    TestCanvas canvas(200, 120);
    Print(canvas);
    for (uint32_t pixel : canvas.Pixels())
        ASSERT_EQ(0xFFFFFFu, pixel);
    ASSERT_EQ(1, Callback(QXPREVIEW_READY, pane, &area, ""));
    Print(canvas);
    for (uint32_t pixel : canvas.Pixels())
        ASSERT_EQ(0xFFFFFFu, pixel);
}

}  // namespace
