// Finding the help program (the application folder first, then the publication's CD-ROM)
// and starting it on a page of its help folder.
#include "help.h"

#include "extprog.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxpath.h"
#include "qxutil.h"
#include "qxwindowtree.h"

#include <cstring>

namespace {

constexpr int CommandChars = 500;

// The program and the folder of its pages, or false when it is nowhere to be found.
bool LocateHelp(KERNEL* kernel, QXSTRING* program, QXSTRING* folder)
{
    const QXSTRING helpFolder = KernString(IDS_HELP_FOLDER);
    program->Format("%sQXASSIST%s.EXE", static_cast<const char*>(kernel->appPath), kernel->version);
    if (DoFileExist(*program)) {
        folder->Format("%s%s\\", static_cast<const char*>(kernel->appPath), static_cast<const char*>(helpFolder));
        return true;
    }
    if (!kernel->cdromRoot.length())
        return false;
    program->Format("%s\\APP\\QXASSIST%s.EXE", static_cast<const char*>(kernel->cdromRoot), kernel->version);
    if (!DoFileExist(*program))
        return false;
    folder->Format("%s\\APP\\%s\\", static_cast<const char*>(kernel->cdromRoot), static_cast<const char*>(helpFolder));
    return true;
}

bool IsBarePage(const char* page) { return page && *page && !std::strchr(page, '\\'); }

}  // namespace

void KernGetHelpCmdLine(KERNEL* kernel, char* buffer, int size, const char* page, int, int warn)
{
    if (!kernel || !buffer || !IsBarePage(page))
        return;
    QXSTRING program;
    QXSTRING folder;
    if (!LocateHelp(kernel, &program, &folder)) {
        // The CD-ROM is not asked for: the program is looked for where the kernel knows it.
        if (warn)
            Warning(GetActiveWindow(), KernString(IDS_CDROM_ERROR), KernString(IDS_CDROM_MISSING));
        return;
    }
    QXSTRING line;
    line.Format("\"%s\"%s%s%s", static_cast<const char*>(program), KernProcess().withInternet ? " " : " -N ",
                static_cast<const char*>(folder), page);
    if (line.length() + 1 <= size)
        lstrcpynA(buffer, line, size);
}

void KernGetHelpCmdLineStr(KERNEL* kernel, QXSTRING* line, const char* page, int askForCd, int warn)
{
    if (!line || !IsBarePage(page))
        return;
    char buffer[CommandChars] = {};
    KernGetHelpCmdLine(kernel, buffer, sizeof buffer, page, askForCd, warn);
    *line = buffer;
}

void KernHelp(KERNEL* kernel, const char* page)
{
    if (!kernel)
        return;
    char line[CommandChars] = {};
    KernGetHelpCmdLine(kernel, line, sizeof line, page, 1, 0);
    PROCESS_INFORMATION info{};
    if (*line && KernStartProgram(line, nullptr, SW_SHOWNORMAL, &info)) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        return;
    }
    const HWND host = KernGetAppWindow(kernel);
    qutl_EnableWindowTree tree;
    tree.GetWindowTree(host);
    tree.SetEnableState(0);
    Warning(host, KernString(IDS_HELP_CAPTION), KernString(IDS_HELP_MISSING));
    tree.ResetInitEnableState();
}
