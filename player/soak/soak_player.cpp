#include "soak_player.h"

#include "program_folder.h"

#include <cwchar>
#include <vector>

namespace {

constexpr DWORD START_MS = 60000;
constexpr DWORD PAGE_MS = 10000;

struct TITLESEARCH {
    DWORD processId;
    std::string titles;
    HWND page = nullptr;  // the window whose title names the page
};

BOOL CALLBACK AddTitle(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<TITLESEARCH*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId)
        return TRUE;
    // Read without a message to the player, so that a player busy changing pages is never
    // waited for here.
    wchar_t title[256] = L"";
    const int length = InternalGetWindowText(window, title, 256);
    for (int i = 0; i < length; ++i)
        search->titles += static_cast<char>(title[i] < 128 ? title[i] : '?');
    search->titles += '|';
    if (!search->page && wcschr(title, L'('))
        search->page = window;
    return TRUE;
}

}  // namespace

bool SoakPlayer::Start(const std::string& publication, const std::string& bookmarks)
{
    const std::string program = ProgramFolder() + "qxstage30.exe";
    // The player's switches are single words: the bookmark file's name cannot be quoted.
    std::string line = "\"" + program + "\" \"" + publication + "\" -WEXOR -S=" + bookmarks + " -G";
    std::vector<char> command(line.begin(), line.end());
    command.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        ProgramFolder().c_str(), &startup, &process_))
        return false;
    // The first page is shown once a window's title names it: "publication (page)".
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < START_MS) {
        if (Titles().find('(') != std::string::npos)
            return true;
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0)
            return false;
    }
    return false;
}

std::string SoakPlayer::Titles() const
{
    TITLESEARCH search{process_.dwProcessId, {}};
    EnumWindows(AddTitle, reinterpret_cast<LPARAM>(&search));
    return search.titles;
}

bool SoakPlayer::WaitForTitlesOtherThan(const std::string& titles, DWORD ms) const
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        const std::string now = Titles();
        if (now != titles && now.find('(') != std::string::npos)
            return true;
        if (WaitForSingleObject(process_.hProcess, 1) == WAIT_OBJECT_0)
            return false;
    }
    return false;
}

bool SoakPlayer::NextPage()
{
    TITLESEARCH search{process_.dwProcessId, {}};
    EnumWindows(AddTitle, reinterpret_cast<LPARAM>(&search));
    // The player's message loop hands keys to its accelerators whatever window they are for.
    PostMessageA(search.page, WM_KEYDOWN, VK_RIGHT, 1);
    PostMessageA(search.page, WM_KEYUP, VK_RIGHT, 0xC0000001);
    return WaitForTitlesOtherThan(search.titles, PAGE_MS);
}

void SoakPlayer::Close()
{
    if (!process_.hProcess)
        return;
    PostThreadMessageA(process_.dwThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
}
