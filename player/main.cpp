// Entry point of the player: start-up, the message loop, teardown, and the callbacks handed to
// the kernel.
#include "player.h"
#include "resource.h"

#include "accessors.h"
#include "bookmarks.h"
#include "filefind.h"
#include "qxpath.h"
#include "qxutil.h"

#include <cstdio>
#include <cstring>

namespace {

HINSTANCE moduleInstance = nullptr;

std::string LoadText(UINT id)
{
    char text[500] = {};
    LoadStringA(moduleInstance, id, text, sizeof text);
    return text;
}

std::string FolderOf(const std::string& file)
{
    size_t slash = file.find_last_of('\\');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

std::string ProgramFile()
{
    char name[500] = {};
    GetModuleFileNameA(nullptr, name, sizeof name);
    return name;
}

std::string StartLine(const PLAYERAPP& app, const char* commandLine)
{
    std::string builtIn = LoadText(IDS_BUILTIN_DOCUMENT);
    if (builtIn.compare(0, 10, "**********") == 0) return commandLine ? commandLine : "";
    if (GetFileLocation(builtIn.c_str(), nullptr, 0, nullptr, 0) == QX_LOCATION_LOCAL)
        return "\"" + app.programFolder + builtIn + "\"";
    return "\"" + builtIn + "\"";
}

std::string FrameTitle(const PLAYERAPP& app)
{
    std::string product = LoadText(IDS_PRODUCT);
    int major = 0, minor = 0, release = 0, build = 0;
    char title[300];
    if (GetFileVersion(app.programFile.c_str(), &major, &minor, &release, &build))
        std::snprintf(title, sizeof title, "%s %d.%d", product.c_str(), major, minor);
    else
        std::snprintf(title, sizeof title, "%s Ver. %s", product.c_str(), "40");
    return std::string(title) + " PRO";
}

bool HasSuffix(const std::string& name, const char* suffix)
{
    size_t dot = name.find_last_of('.');
    return dot != std::string::npos && lstrcmpiA(name.c_str() + dot, suffix) == 0;
}

HWND CreatePlayerWindow(const char* className, const char* title, DWORD style, int x, int y, int w, int h,
                        HWND parent, PLAYERAPP* app)
{
    return CreateWindowExA(0, className, title, style, x, y, w, h, parent, nullptr, moduleInstance, app);
}

bool InitApplication(PLAYERAPP& app, HINSTANCE instance, const char* commandLine)
{
    app.instance = instance;
    app.helpCursor = LoadCursorA(instance, "MF_HELP");
    app.programFile = ProgramFile();
    app.programFolder = FolderOf(app.programFile);
    std::string key = LoadText(IDS_REGISTRY_KEY);
    HKEY user = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &user, nullptr) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(user);
    ReadPreferences(app.preferences, key.c_str());
    app.afficherNavigateur = app.preferences.afficherNavigateur;
    app.commandLine = ParseCommandLine(StartLine(app, commandLine));
    app.startDocument = app.commandLine.document;
    if (!RegisterPlayerClasses(instance)) return false;

    app.frame = CreatePlayerWindow("HYPW", FrameTitle(app).c_str(),
                                   WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, -100, -100, 1,
                                   1, nullptr, &app);
    app.appWindow = QORVEXWINDOW{app.frame, instance};
    app.background = CreatePlayerWindow("FondWindow", "", WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                        0, 0, 0, 0, app.frame, &app);
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CLIPSIBLINGS | WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                 app.background, nullptr, instance, nullptr);
    app.appView = CreatePlayerWindow("AppViewWindow", "", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                     owner, &app);
    app.view = CreatePlayerWindow("ViewWindow", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                  0, 0, app.appView, &app);
    if (!app.frame || !app.view) return false;
    PostMessageA(app.frame, WM_QX_OPENPUBLICATION, 0, 0);
    app.settings.kernel = app.kernel;
    app.settings.instance = instance;
    app.settings.window = app.view;
    if (!app.kernel) return true;
    QXSTRING document = app.startDocument.c_str();
    KernFindFileStr(app.kernel, &document, 1);
    app.startDocument = static_cast<const char*>(document);
    if (!HasSuffix(app.startDocument, ".XSC") && !HasSuffix(app.startDocument, ".PAG")) app.startDocument.clear();
    SetWindowLongPtrA(app.frame, QX_HOSTWL_KERNEL, reinterpret_cast<LONG_PTR>(app.kernel));
    KernSetProgOptions(app.kernel, app.commandLine.progOptions ? 1 : 0);
    KernLoadBookmarks(app.kernel, app.preferences.fichierSignets.c_str());
    return true;
}

int RunMessageLoop(PLAYERAPP& app)
{
    HACCEL accelerators = LoadAcceleratorsA(moduleInstance, "HOTKEYPLAY");
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (app.kernel && accelerators && TranslateAcceleratorA(app.frame, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void DestroyApplication(PLAYERAPP* app)
{
    if (app->helpCursor) DestroyCursor(app->helpCursor);
    delete app;  // frees the tool modules after the kernel has gone with the frame window
}

}  // namespace

PLAYERAPP* AppOf(HWND window)
{
    return reinterpret_cast<PLAYERAPP*>(GetWindowLongPtrA(window, QXPL_APP));
}

void EventSlideShowMode(void* host, int on)
{
    if (auto* app = static_cast<PLAYERAPP*>(host)) app->slideShow = on;
}

int FilterMsg(MSGL*, void*)
{
    return 1;
}

int FilterBranch(BRANCH*, void* host)
{
    if (auto* app = static_cast<PLAYERAPP*>(host)) app->idleCounter = 0;
    return 1;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    moduleInstance = instance;
    std::string folder = FolderOf(ProgramFile());
    LoadLibraryA((folder + "qxnetdlg.dll").c_str());  // kept for the internet library's dialogs
    OleInitialize(nullptr);
    HWND active = GetActiveWindow();
    int major = 0, minor = 0, release = 0, build = 0;
    GetFileVersion(ProgramFile().c_str(), &major, &minor, &release, &build);
    char mutexName[100];
    std::snprintf(mutexName, sizeof mutexName, "Vistrelle %d.%d.%d.%d.%d", major, minor, release, build, 1036);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, mutexName);
    KernStart(CommandLineWantsInternet(commandLine ? commandLine : "") ? 1 : 0);
    RegisterMediaServer();
    int exitCode = 0;
    auto* app = new PLAYERAPP;
    if (InitApplication(*app, instance, commandLine)) exitCode = RunMessageLoop(*app);
    if (mutex) CloseHandle(mutex);
    DestroyApplication(app);
    KernEnd();
    DeleteMediaModule();
    if (active) SetActiveWindow(active);
    OleUninitialize();
    return exitCode;
}
