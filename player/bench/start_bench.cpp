// Benchmark of the player's start: from the process's creation to the sample publication's
// first page shown, against a bare program of ours that shows and paints a window of the
// same size, started the same way in the same warm Wine. Run by tools/bench, or alone:
//   cd <build>/bin && ../wine-run qxstage30_start_bench.exe [runs]
// The moment a page is shown is told by the player's own windowing: a hook of ours in it sets
// an event when its window takes the page's title; a message sent then to the program returns
// once it has finished what it was doing (the page change). The bare program is also timed
// starting, stage by stage, the system libraries, OLE and the media server the player starts,
// which tells how much of the player's start is the platform's.
#include "bench_report.h"
#include "program_folder.h"
#include "scratch_dir.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD LongestStartMs = 60000;

// The sample's first page as the player titles its window.
constexpr const char* HomeTitle = "D\xe9monstration Vistrelle (Accueil)";

constexpr const char* ShownEvent = "QxStartBenchShown";

struct Found {
    DWORD processId;
    HWND window = nullptr;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM lParam)
{
    auto* found = reinterpret_cast<Found*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != found->processId)
        return TRUE;
    found->window = window;
    return FALSE;
}

// The sample publication's folder in the source tree, ending in a backslash.
std::string SampleFolder()
{
    std::string folder = "Z:" QX_SAMPLE_DIR "/";
    for (char& c : folder)
        if (c == '/')
            c = '\\';
    return folder;
}

// Starts the program and waits until a window of it takes that title and the program has
// done with what it was doing; then asks it to end and waits for that outside the time.
// The milliseconds from before the creation; exits the benchmark when the program fails.
double StartUntilTitled(const std::string& program, const std::string& arguments, const char* title)
{
    static HMODULE hook = LoadLibraryA("qxstart_hook.dll");
    static auto titleTaken = reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(hook, "TitleTaken")));
    if (!titleTaken) {
        std::printf("qxstart_hook.dll cannot be loaded (%lu)\n", GetLastError());
        std::exit(1);
    }
    // The hook in the program reads what to wait for from the environment it inherits.
    SetEnvironmentVariableA("QX_START_TITLE", title);
    SetEnvironmentVariableA("QX_START_EVENT", ShownEvent);
    HANDLE shown = CreateEventA(nullptr, TRUE, FALSE, ShownEvent);
    std::string line = "\"" + ProgramFolder() + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = NowMs();
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        ProgramFolder().c_str(), &startup, &process)) {
        std::printf("%s cannot be started (%lu)\n", program.c_str(), GetLastError());
        std::exit(1);
    }
    // Hooked before the program runs, so that no title goes unseen.
    HHOOK watching = SetWindowsHookExA(WH_CALLWNDPROCRET, titleTaken, hook, process.dwThreadId);
    ResumeThread(process.hThread);
    const HANDLE either[] = {shown, process.hProcess};
    if (!watching || WaitForMultipleObjects(2, either, FALSE, LongestStartMs) != WAIT_OBJECT_0) {
        std::printf("%s ended or showed nothing in %lu ms\n", program.c_str(), LongestStartMs);
        std::exit(1);
    }
    Found found{process.dwProcessId};
    EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&found));
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(found.window, WM_NULL, 0, 0, SMTO_NORMAL, LongestStartMs, &answer);
    const double elapsed = NowMs() - start;
    UnhookWindowsHookEx(watching);
    CloseHandle(shown);
    PostThreadMessageA(process.dwThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(process.hProcess, LongestStartMs) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    // The player writes beside its publication: it plays a copy.
    ScratchDir copy;
    for (const std::string& name : FilesIn(SampleFolder()))
        CopyFileA((SampleFolder() + name).c_str(), (copy / name).c_str(), FALSE);
    const std::string publication = "\"" + (copy / "demo.xsc") + "\"";
    // The sample's publication window is 640 by 480. The bare window is started plain, then
    // starting more of what the player starts before its first page, stage by stage. The
    // programs are started in turns, a round after a round that is not counted, so that a
    // machine busy for a while slows a round of each rather than all the runs of one.
    const char* const stages[] = {"", "libraries", "ole", "media"};
    const char* const told[] = {"bare window shown and painted", "  with the player's system libraries loaded",
                                "  and OLE initialised", "  and the media server's module made"};
    std::vector<double> players, bares[4];
    for (int round = 0; round <= runs; ++round) {
        const double ms = StartUntilTitled("qxstage30.exe", publication, HomeTitle);
        if (round > 0)
            players.push_back(ms);
        for (int i = 0; i < 4; ++i) {
            const double bareMs = StartUntilTitled("qxbare_window.exe", std::string("640 480 ") + stages[i], "painted");
            if (round > 0)
                bares[i].push_back(bareMs);
        }
    }
    const double player = Median(players);
    double bare[4];
    for (int i = 0; i < 4; ++i)
        bare[i] = Median(bares[i]);
    std::printf("%-48s %9.1f ms\n", "player start to the first page shown", player);
    for (int i = 0; i < 4; ++i)
        std::printf("%-48s %9.1f ms (%+.1f)\n", told[i], bare[i], i ? bare[i] - bare[i - 1] : 0.0);
    std::printf("%-48s %9.1f ms\n", "the player's own beyond those", player - bare[3]);
    ReportRow("player start", player, bare[0], "bare window painted", 2.0);
    ReportRow("player start", player, bare[3], "bare window + services", 0);
    return 0;
}
