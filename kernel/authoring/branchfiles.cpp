// The file choices of the branch dialogs and the check of a chosen page's type.
#include "branchfiles.h"

#include "authoring.h"
#include "branchedit_res.h"
#include "pagepreview.h"
#include "scndrive.h"
#include "../runtime/kernel.h"
#include "../runtime/kernelprocess.h"
#include "../runtime/kernelres.h"
#include "../runtime/pagefiles.h"
#include "qxpath.h"
#include "qxpreviewrequest.h"

#include <cstring>
#include <vector>

namespace {

constexpr int FileChars = 500;

// Preview kinds of the open-file dialog: a picture pane with its check box, or the sound
// player's buttons.
constexpr char PagePreview = 0x01 | 0x08;
constexpr char SoundPreview = 0x02 | 0x04;

// The string-table filters joined, each '|' turned into the separator the dialog expects.
std::vector<char> Filter(std::initializer_list<int> ids)
{
    std::vector<char> filter;
    for (const int id : ids) {
        const QXSTRING part = KernString(id);
        filter.insert(filter.end(), static_cast<const char*>(part), static_cast<const char*>(part) + part.length());
    }
    for (char& c : filter) {
        if (c == '|')
            c = '\0';
    }
    filter.push_back('\0');
    filter.push_back('\0');
    return filter;
}

// The folder without its closing backslash, as the dialog wants its initial folder.
QXSTRING WithoutLastCharacter(const char* folder)
{
    QXSTRING text;
    const int length = lstrlenA(folder);
    if (length > 0)
        text.Format("%.*s", length - 1, folder);
    return text;
}

// Where a dialog that shows `current` starts: the folder of the current file with that file
// preselected, else the fallback folder.
struct StartPlace {
    StartPlace(const char* current, const char* fallback, char* file)
    {
        if (current && *current) {
            QXSTRING drive, dir;
            QXfnsplitStr(current, &drive, &dir, nullptr, nullptr);
            folder = drive + dir;
            lstrcpynA(file, current, FileChars);
        } else {
            folder = WithoutLastCharacter(fallback);
        }
    }
    QXSTRING folder;
};

OPENFILENAMEA Request(HWND owner, const std::vector<char>& filter, char* file, char* title, const char* folder)
{
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.data();
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = FileChars;
    request.lpstrFileTitle = title;
    request.nMaxFileTitle = FileChars;
    request.lpstrInitialDir = *folder ? folder : nullptr;
    request.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    return request;
}

bool AskWithPreview(KERNEL* kernel, OPENFILENAMEA& request, char previewKind, QXSTRING* chosen,
                    KERNPREVIEWPAGE* pages = nullptr)
{
    QXPREVIEW_REQUEST preview{};
    preview.ofn = &request;
    preview.flags = previewKind;
    preview.user = reinterpret_cast<LPARAM>(pages);
    if (!KernGetOpenFileNamePreview(kernel, &preview))
        return false;
    *chosen = request.lpstrFile;
    return true;
}

}  // namespace

void BranchWarning(HWND owner, int caption, int text)
{
    KernTreeMessageBox(owner, caption, text, MB_OK | MB_ICONWARNING);
}

bool AskBranchFile(HWND owner, KERNEL* kernel, const char* target, std::initializer_list<int> filterIds,
                   QXSTRING* chosen)
{
    char file[FileChars] = "";
    char title[FileChars] = "";
    const StartPlace start(target, KernGetScnPath(kernel), file);
    const std::vector<char> filter = Filter(filterIds);
    OPENFILENAMEA request = Request(owner, filter, file, title, start.folder);
    // The preview's windows are taken down by the dialog's preview when it ends; whatever a
    // dialog that never came up left behind goes here.
    KERNPREVIEWPAGE pages{};
    const bool withPages = KernCreatePreviewPageWindows(owner, &pages) != FALSE;
    const bool asked = AskWithPreview(kernel, request, PagePreview, chosen, withPages ? &pages : nullptr);
    for (const HWND window : {pages.host, pages.preview}) {
        if (window && IsWindow(window))
            DestroyWindow(window);
    }
    return asked;
}

bool HasPageExtension(const char* file)
{
    QXSTRING extension;
    QXfnsplitStr(file, nullptr, nullptr, nullptr, &extension);
    return lstrcmpiA(extension, ".pag") == 0;
}

bool IsBranchablePage(HWND owner, KERNEL* kernel, const char* file)
{
    switch (KernGetFileType(kernel, file)) {
    case QX_FILE_ERROR:
        BranchWarning(owner, IDS_FILE_TYPE_CAPTION, IDS_FILE_FORMAT_UNKNOWN);
        return false;
    case QX_FILE_TEMPLATE:
        BranchWarning(owner, IDS_FILE_TYPE_CAPTION, IDS_FILE_IS_TEMPLATE);
        return false;
    default:
        return true;
    }
}

bool AskSoundFile(HWND owner, KERNEL* kernel, const char* sound, QXSTRING* chosen)
{
    char file[FileChars] = "";
    char title[FileChars] = "";
    const char* scnPath = KernGetScnPath(kernel);
    const StartPlace start(sound, *scnPath ? scnPath : KernGetAppPath(kernel), file);
    const std::vector<char> filter = Filter({IDS_SOUND_FILTER});
    OPENFILENAMEA request = Request(owner, filter, file, title, start.folder);
    return AskWithPreview(kernel, request, SoundPreview, chosen);
}

bool AskLibraryFile(HWND owner, KERNEL* kernel, const char* library, QXSTRING* chosen)
{
    char file[FileChars] = "";
    char title[FileChars] = "";
    const StartPlace start(library, "", file);
    const std::vector<char> filter = Filter({IDS_DLL_FILTER});
    OPENFILENAMEA request = Request(owner, filter, file, title, start.folder);
    if (!KernGetOpenFileName(kernel, &request))
        return false;
    *chosen = request.lpstrFile;
    return true;
}
