// Pieces shared by the property dialogs of the object plug-ins.
#include "objdialog.h"

#include "authoring.h"
#include "qxpath.h"
#include "qxpreviewrequest.h"

#include <cstdio>
#include <cstring>

void ShowDelayBox(HWND dialog, int id, double delay)
{
    char text[32];
    std::snprintf(text, sizeof text, "%-5.1lf", delay);
    SetDlgItemTextA(dialog, id, text);
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, 6, 0);
}

double ReadDelayBox(HWND dialog, int id)
{
    double delay = 0.0;
    if (std::sscanf(ControlText(dialog, id), "%lf", &delay) != 1)
        return 0.0;
    return QxBoundedDelay(delay);
}

void ShowBranchTarget(HWND dialog, int id, const BRANCH* branch)
{
    const char* shown = "";
    if (branch)
        shown = branch->target.length() ? branch->target : branch->secondText;
    SetDlgItemTextA(dialog, id, shown);
}

void ClearBranch(BRANCH* branch)
{
    if (!branch)
        return;
    const BRANCH empty(branch->kernel);
    branch->CopyBranch(&empty);
}

QXSTRING FolderOf(const char* name)
{
    if (!name || !*name)
        return "";
    FNSPLIT parts(name);
    QXSTRING folder = parts.drive + parts.dir;
    const int length = folder.length();
    const char last = length > 0 ? static_cast<const char*>(folder)[length - 1] : '\0';
    return last == '\\' || last == '/' ? folder.subString(0, length - 2) : folder;
}

bool AskPreviewedFile(KERNEL* kernel, HWND owner, const std::string& filter, const char* current, char previewFlags,
                      QXSTRING* chosen)
{
    char file[QX_NAME_BUFFER] = "";
    if (!AskPreviewedFiles(kernel, owner, filter, current, previewFlags, 0, nullptr, 0, file, sizeof file))
        return false;
    *chosen = file;
    return true;
}

bool AskPreviewedFiles(KERNEL* kernel, HWND owner, const std::string& filter, const char* current, char previewFlags,
                       DWORD moreFlags, QXPREVIEW_CALLBACK callback, LPARAM user, char* selection, DWORD size)
{
    const QXSTRING folder = FolderOf(current);
    char title[QX_NAME_BUFFER] = "";
    selection[0] = '\0';
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = selection;
    request.nMaxFile = size;
    request.lpstrFileTitle = title;
    request.nMaxFileTitle = sizeof title;
    request.lpstrInitialDir = folder.length() > 0 ? static_cast<const char*>(folder) : nullptr;
    request.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | moreFlags;
    QXPREVIEW_REQUEST preview{&request, previewFlags, callback, user, 0};
    return KernGetOpenFileNamePreview(kernel, &preview) != 0;
}

HMODULE LoadModuleBeside(HINSTANCE self, const char* format)
{
    char folder[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(self, folder, sizeof folder);
    if (length == 0 || length >= sizeof folder)
        return nullptr;
    if (char* slash = std::strrchr(folder, '\\'))
        slash[1] = '\0';
    char path[MAX_PATH + 16];
    std::snprintf(path, sizeof path, format, folder);
    const UINT previousMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    const HMODULE module = LoadLibraryA(path);
    SetErrorMode(previousMode);
    return module;
}

QXSTRING ControlText(HWND dialog, int id)
{
    QXSTRING text;
    text.GetWindowTextA(GetDlgItem(dialog, id));
    return text;
}

void EnableControl(HWND dialog, int id, bool on) { EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE); }
