// Finding the help program (the application folder first, then the publication's CD-ROM)
// and starting it on a page of its help folder.
#include "help.h"

#include "extprog.h"
#include "filefind.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxpath.h"
#include "qxutil.h"

#include <cstring>

namespace {

constexpr int CommandChars = 500;

QXSTRING OnCdrom(const char* root, const char* version)
{
    QXSTRING program;
    program.Format("%s\\APP\\QXASSIST%s.EXE", root, version);
    return program;
}

// The program and the folder of its pages: beside the host program, else on the CD-ROM the
// settings name, else (when allowed) on the one the user points at. False when it is nowhere
// to be found.
bool LocateHelp(KERNEL* kernel, int askForCd, int warn, QXSTRING* program, QXSTRING* folder)
{
    const QXSTRING helpFolder = KernString(IDS_HELP_FOLDER);
    program->Format("%sQXASSIST%s.EXE", static_cast<const char*>(kernel->appPath), kernel->version);
    if (DoFileExist(*program)) {
        folder->Format("%s%s\\", static_cast<const char*>(kernel->appPath), static_cast<const char*>(helpFolder));
        return true;
    }
    QXSTRING root;
    // "_:" names no drive, so that without a known CD-ROM the program is not found there.
    *program = OnCdrom(KernGetCDROMPath(kernel, &root) ? static_cast<const char*>(root) : "_:", kernel->version);
    if (!DoFileExist(*program)) {
        if (!askForCd)
            return false;
        QXSTRING file;
        file.Format("QXASSIST%s.EXE", kernel->version);
        if (!KernLocateCDROMRootPath(kernel, GetActiveWindow(), file, "APP", &root)) {
            if (warn)
                Warning(GetActiveWindow(), KernString(IDS_CDROM_ERROR), KernString(IDS_CDROM_MISSING));
            return false;
        }
        *program = OnCdrom(root, kernel->version);
    }
    folder->Format("%s\\APP\\%s\\", static_cast<const char*>(kernel->cdromRoot), static_cast<const char*>(helpFolder));
    return true;
}

bool IsBarePage(const char* page) { return page && *page && !std::strchr(page, '\\'); }

}  // namespace

void KernGetHelpCmdLine(KERNEL* kernel, char* buffer, int size, const char* page, int askForCd, int warn)
{
    if (!kernel || !buffer || !IsBarePage(page))
        return;
    QXSTRING program;
    QXSTRING folder;
    if (!LocateHelp(kernel, askForCd, warn, &program, &folder))
        return;
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
    KernTreeMessageBox(KernGetAppWindow(kernel), IDS_HELP_CAPTION, IDS_HELP_MISSING, MB_OK | MB_ICONWARNING);
}
