// The import box and the copy of the chosen picture.
#include "import_box.h"

#include "camera_ids.h"

#include <cstdio>
#include <cstring>

namespace {

struct IMPORTING {
    const std::string* cameraFolder;
    const char* targetFolder;
    const QCAM_SAVEINFO* saveInfo;
    std::string chosen;  // the picture's name in the camera folder
};

bool IsPicture(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    if (!dot)
        return false;
    for (const char* suffix : {".bmp", ".jpg", ".jpeg", ".png", ".gif", ".tif", ".tiff"}) {
        if (lstrcmpiA(dot, suffix) == 0)
            return true;
    }
    return false;
}

void ListPictures(HWND list, const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsPicture(found.cFileName))
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    SendMessageA(list, LB_SETCURSEL, 0, 0);
}

void OnInit(HWND box, const IMPORTING& importing)
{
    ListPictures(GetDlgItem(box, QCAM_PICTURE_LIST_ID), *importing.cameraFolder);
    SetDlgItemTextA(box, IDC_DESTINATION, importing.targetFolder);
    if (const QCAM_SAVEINFO* info = importing.saveInfo) {
        char line[160];
        std::snprintf(line, sizeof line, "Taille voulue: %d x %d, original gardé avec \"%.15s\"", info->width,
                      info->height, info->suffix);
        SetDlgItemTextA(box, QCAM_SAVEINFO_TEXT_ID, line);
    }
}

bool TakeSelection(HWND box, IMPORTING& importing)
{
    const HWND list = GetDlgItem(box, QCAM_PICTURE_LIST_ID);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return false;
    char name[MAX_PATH] = "";
    if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= static_cast<LRESULT>(sizeof name))
        return false;
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name));
    importing.chosen = name;
    return true;
}

INT_PTR CALLBACK ImportBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* importing = reinterpret_cast<IMPORTING*>(GetWindowLongPtrA(box, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(box, DWLP_USER, lParam);
        OnInit(box, *reinterpret_cast<IMPORTING*>(lParam));
        return TRUE;
    }
    if (!importing || message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        if (TakeSelection(box, *importing))
            EndDialog(box, 1);
        else
            MessageBeep(MB_ICONEXCLAMATION);
        return TRUE;
    case IDCANCEL:
        EndDialog(box, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

bool Exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

// "<folder>\<name><suffix><ext>", numbered from 2 when that file is there already: an import
// never replaces a picture of the publication.
std::string TargetName(const char* folder, const std::string& picture, const QCAM_SAVEINFO* saveInfo)
{
    std::string base = picture, ext;
    if (const size_t dot = picture.rfind('.'); dot != std::string::npos) {
        base = picture.substr(0, dot);
        ext = picture.substr(dot);
    }
    if (saveInfo)
        base += std::string(saveInfo->suffix, strnlen(saveInfo->suffix, sizeof saveInfo->suffix));
    std::string into = folder;
    if (!into.empty() && into.back() != '\\' && into.back() != '/')
        into += '\\';
    std::string name = into + base + ext;
    for (int number = 2; Exists(name); ++number)
        name = into + base + "_" + std::to_string(number) + ext;
    return name;
}

bool Fits(const std::string& text, DWORD size) { return text.size() < size; }

}  // namespace

int ImportPicture(HINSTANCE module, OPENFILENAMEA* request, HWND owner, const std::string& cameraFolder,
                  const QCAM_SAVEINFO* saveInfo)
{
    if (!request || request->lStructSize < OPENFILENAME_SIZE_VERSION_400A || !request->lpstrFile ||
        !request->lpstrInitialDir || !*request->lpstrInitialDir || cameraFolder.empty())
        return 2;
    IMPORTING importing{&cameraFolder, request->lpstrInitialDir, saveInfo, {}};
    const INT_PTR answer = DialogBoxParamA(module, IDD_IMPORTPICBOX, owner, ImportBoxProc,
                                           reinterpret_cast<LPARAM>(&importing));
    if (answer == 0)
        return 1;
    if (answer != 1)
        return 2;
    const std::string target = TargetName(request->lpstrInitialDir, importing.chosen, saveInfo);
    const size_t nameAt = target.rfind('\\') + 1;
    const std::string title = target.substr(nameAt);
    if (!Fits(target, request->nMaxFile) || (request->lpstrFileTitle && !Fits(title, request->nMaxFileTitle)))
        return 2;
    if (!CopyFileA((cameraFolder + importing.chosen).c_str(), target.c_str(), TRUE))
        return 2;
    lstrcpynA(request->lpstrFile, target.c_str(), static_cast<int>(request->nMaxFile));
    if (request->lpstrFileTitle)
        lstrcpynA(request->lpstrFileTitle, title.c_str(), static_cast<int>(request->nMaxFileTitle));
    request->nFileOffset = static_cast<WORD>(nameAt);
    const size_t dot = target.rfind('.');
    request->nFileExtension = static_cast<WORD>(dot != std::string::npos && dot > nameAt ? dot + 1 : target.size());
    return 0;
}
