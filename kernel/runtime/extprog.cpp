// What a branch to anything but a page starts: a program directly, or a document through the
// action of its registered file type (with DDE when the type asks for it).
#include "extprog.h"

#include "branch.h"
#include "filefetch.h"
#include "filefind.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxfiletypes.h"
#include "qxpath.h"
#include "qxutil.h"
#include "remotecode.h"

#include <cstring>
#include <vector>

namespace {

// Room for the expanded parameters, in characters.
constexpr int ParameterChars = 500;
// How long a program just started may take before it accepts the DDE command.
constexpr DWORD IdleWaitIndependent = 20000;
constexpr DWORD IdleWaitDependent = 5000;

bool IsProgram(const QXSTRING& extension, int kind)
{
    if (lstrcmpiA(extension, ".exe") == 0)
        return true;
    return lstrcmpiA(extension, ".com") == 0 && (kind == QX_LOCATION_LOCAL || kind == QX_LOCATION_UNC);
}

void AlertNotStarted(KERNEL* kernel, int text)
{
    KernAlert(KernGetAppWindow(kernel), IDS_INTERNAL_ERROR, text);
}

// The command line of a program, or false when it must not run.
bool ProgramCommandLine(KERNEL* kernel, const BRANCH& branch, QXSTRING* commandLine)
{
    if (KernIsRemoteCode(branch.target)) {
        KernAlertRemoteCode(kernel, branch.target);
        return false;
    }
    GETFILE_STRUCT request;
    KernGetFile(kernel, branch.target, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    const QXSTRING program =
        request.localFile.length() && DoFileExist(request.localFile) ? request.localFile : branch.target;
    const QXSTRING parameters = KernExpandProgramParameters(kernel, branch.secondText);
    commandLine->Format("\"%s\" %s", static_cast<const char*>(program), static_cast<const char*>(parameters));
    return true;
}

// The command line of the document's action, or false once the user was told why not.
bool DocumentCommandLine(KERNEL* kernel, const BRANCH& branch, QXSTRING* commandLine, bool* useDde)
{
    QXSTRING document = branch.target;
    const int kind = GetFileLocationStr(document, nullptr, nullptr);
    if (kind == QX_LOCATION_LOCAL || kind == QX_LOCATION_UNC) {
        KernFindFileStr(kernel, &document, 0);
        if (!DoFileExist(document)) {
            KernAlert(KernGetAppWindow(kernel), IDS_FILE_NOT_FOUND_CAPTION, IDS_FILE_NOT_FOUND, branch.target);
            return false;
        }
    }
    qutl_CRegFileType type;
    type.SetFileName(document);
    const HWND owner = KernGetAppWindow(kernel);
    switch (type.GetActionCmdLineStr(branch.secondText, commandLine)) {
    case QX_FILETYPE_USES_DDE:
        *useDde = true;
        return true;
    case QX_FILETYPE_NULL_ARGUMENT:
        KernAlert(owner, IDS_ERROR, IDS_BRANCH_ERROR);
        return false;
    case QX_FILETYPE_NOT_REGISTERED:
        KernAlert(owner, IDS_ERROR, IDS_NO_ASSOCIATED_APPLICATION);
        return false;
    default:
        // A type registered with only its executable still gives a usable command line.
        return true;
    }
}

void CarryOutDde(KERNEL* kernel, const BRANCH& branch)
{
    qutl_CRegFileType type;
    type.SetFileName(branch.target);
    const int result = type.ProcessDdeAction(branch.secondText, 0);
    if (result == QX_FILETYPE_DDE_CONNECT)
        MessageBoxA(KernGetAppWindow(kernel), KernString(IDS_DDE_NO_SERVER), KernString(IDS_ERROR), MB_OK);
    else if (result == QX_FILETYPE_NULL_ARGUMENT || result == QX_FILETYPE_UNREADABLE)
        KernAlert(KernGetAppWindow(kernel), IDS_ERROR, IDS_BRANCH_ERROR);
}

}  // namespace

bool KernStartProgram(const char* commandLine, const char* currentDirectory, WORD showState,
                      PROCESS_INFORMATION* info)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showState;
    // CreateProcess may write into the command line.
    std::vector<char> line(commandLine, commandLine + std::strlen(commandLine) + 1);
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                          nullptr, currentDirectory, &startup, info) != FALSE;
}

QXSTRING KernExpandProgramParameters(KERNEL* kernel, const char* parameters)
{
    QXSTRING expanded;
    if (!parameters)
        return expanded;
    const char* cursor = parameters;
    while (*cursor) {
        while (*cursor == ' ')
            ++cursor;
        const char* end = cursor;
        while (*end && *end != ' ')
            ++end;
        if (end == cursor)
            break;
        QXSTRING word;
        const int length = static_cast<int>(end - cursor);
        word.Format("%.*s", length, cursor);
        if (length > 2 && cursor[0] == '(' && cursor[length - 1] == ')') {
            QXSTRING named;
            named.Format("%.*s", length - 2, cursor + 1);
            GETFILE_STRUCT request;
            KernGetFile(kernel, named, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
            if (request.localFile.length() && DoFileExist(request.localFile))
                word = request.localFile;
        }
        expanded += " ";
        expanded += word;
        cursor = end;
    }
    if (expanded.length() >= ParameterChars)
        return QXSTRING(parameters);
    return expanded;
}

void PROCESS_LIST::AddProcess(BRANCH& branch)
{
    QXSTRING extension;
    QXfnsplitStr(branch.target, nullptr, nullptr, nullptr, &extension);
    const int kind = GetFileLocationStr(branch.target, nullptr, nullptr);
    QXSTRING commandLine;
    bool useDde = false;
    if (IsProgram(extension, kind) ? !ProgramCommandLine(kernel, branch, &commandLine)
                                   : !DocumentCommandLine(kernel, branch, &commandLine, &useDde))
        return;
    const WORD showState = static_cast<WORD>(branch.windowState);
    if (branch.execMode == QX_EXEC_INDEPENDENT) {
        PROCESS_INFORMATION info{};
        if (!KernStartProgram(commandLine, nullptr, showState, &info)) {
            AlertNotStarted(kernel, IDS_PROGRAM_NOT_STARTED);
            return;
        }
        if (useDde)
            WaitForInputIdle(info.hProcess, IdleWaitIndependent);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    } else {
        auto* dependent = new DEP_EXEPROCESS(kernel, &branch, GetCurrentThreadId());
        if (!dependent)
            return;
        std::vector<char> line(commandLine.length() + 1);
        lstrcpynA(line.data(), commandLine, static_cast<int>(line.size()));
        DWORD watcherId = 0;
        if (!dependent->RunProcess(line.data(), nullptr, showState, &watcherId)) {
            AlertNotStarted(kernel, IDS_PROGRAM_NOT_STARTED);
            delete dependent;
            return;
        }
        if (useDde)
            WaitForInputIdle(dependent->GetProcessHandle(), IdleWaitDependent);
    }
    if (useDde)
        CarryOutDde(kernel, branch);
}
