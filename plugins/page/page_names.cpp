// Names of new pages: the save dialog that asks for one, and the numbered names of a series.
#include "page_create.h"

#include "authoring.h"
#include "page_module.h"
#include "pageres.h"
#include "qxpath.h"

#include <commdlg.h>

#include <cstdio>
#include <string>

namespace {

constexpr int MAX_PAGE_NUMBER = 99999;

// "PAGES\" under the publication folder, made when missing.
std::string PagesFolder(KERNEL* kernel)
{
    const char* publication = KernGetScnPath(kernel);
    const std::string folder = std::string(publication ? publication : "") + "PAGES\\";
    QXCreateFilePath(folder.c_str());
    return folder;
}

// The last folder of `folder` (which ends in a backslash), "" at a root.
std::string LastFolder(const std::string& folder)
{
    const size_t end = folder.find_last_not_of('\\');
    if (end == std::string::npos)
        return "";
    const size_t start = folder.find_last_of("\\:", end);
    return folder.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}

}  // namespace

int AskNewPageName(KERNEL* kernel, QXSTRING* name, int several, HWND parent)
{
    char file[QX_NAME_BUFFER] = {};
    const std::string folder = PagesFolder(kernel);
    const std::string title = PageString(IDS_NEW_PAGE_NAME);
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = parent;
    request.hInstance = PageModule();
    request.lpstrFilter = "Page (*.PAG)\0*.pag\0";
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrInitialDir = folder.c_str();
    request.lpstrTitle = title.c_str();
    request.lpstrDefExt = "PAG";
    request.lpTemplateName = "D_MESSAGEOFN";
    request.Flags = OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_HIDEREADONLY | (several ? 0 : OFN_OVERWRITEPROMPT);
    if (!KernGetSaveFileName(kernel, &request))
        return 0;
    *name = file;
    return 1;
}

int NextNumberedPageName(KERNEL* kernel, QXSTRING* name)
{
    const int location = GetFileLocation(*name, nullptr, 0, nullptr, 0);
    if (location != QX_LOCATION_LOCAL && location != QX_LOCATION_UNC && name->length() != 0)
        return -1;
    std::string drive, dir, base;
    if (name->length() == 0) {
        const char* publication = KernGetScnPath(kernel);
        FNSPLIT parts(publication ? publication : "");
        drive = static_cast<const char*>(parts.drive);
        dir = std::string(static_cast<const char*>(parts.dir)) + "PAGES\\";
        base = LastFolder(static_cast<const char*>(parts.dir));
        if (base.empty())
            base = "page";
    } else {
        FNSPLIT parts(*name);
        drive = static_cast<const char*>(parts.drive);
        dir = static_cast<const char*>(parts.dir);
        base = static_cast<const char*>(parts.name);
    }
    QXCreateFilePath((drive + dir + base + ".pag").c_str());
    for (int number = 1; number <= MAX_PAGE_NUMBER; ++number) {
        char numbered[QX_NAME_BUFFER];
        const int length = snprintf(numbered, sizeof numbered, "%s%s%s_%04d.pag", drive.c_str(), dir.c_str(),
                                    base.c_str(), number);
        if (length < 0 || length >= QX_NAME_BUFFER)
            return -1;
        if (!DoFileExist(numbered)) {
            *name = numbered;
            return number;
        }
    }
    return -1;
}
