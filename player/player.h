// The application object of the player and the functions its windows share.
#pragma once

#include "cmdline.h"
#include "preferences.h"
#include "pubsettings.h"

#include "accessors.h"
#include "kernel.h"

#include <memory>
#include <string>
#include <vector>

// Private messages of the frame window.
constexpr UINT WM_QX_OPENPUBLICATION = 1052;
constexpr UINT WM_QX_CLOSEPLAYER = 1053;
// Kernel message broadcast to the page's objects one second before the idle return.
constexpr UINT KM_IDLERETURN = 1051;

// Window longs of the player's windows: the application object at 0 and, on the frame and
// view windows, the kernel at the kernel's host slot. 40 bytes leave room for both.
constexpr int QX_PLAYER_WINDOW_EXTRA = 40;
constexpr int QXPL_APP = 0;

constexpr UINT_PTR QX_IDLE_TIMER = 1;

// A page or tool module loaded from the application path; freed with the node.
struct TOOLMODULE {
    explicit TOOLMODULE(HMODULE module, const std::string& shortName);
    ~TOOLMODULE();
    TOOLMODULE(const TOOLMODULE&) = delete;
    TOOLMODULE& operator=(const TOOLMODULE&) = delete;

    HMODULE module;
    std::string fileName;  // the name without suffix, the kernel version and ".DLL"
    CREATEBASEOBJET createBaseObjet;  // the page creator handed to the kernel
    FARPROC getNumberTools, getTool, fileDropped;
};

struct PLAYERAPP {
    int playerMode = -1;
    KERNEL* kernel = nullptr;
    std::string programFolder;  // ends with "\"
    std::string programFile;
    std::string firstPage;
    RECT frameClient{};
    bool publicationOpened = false;
    bool openingDone = false;
    HWND frame = nullptr, appView = nullptr, background = nullptr, view = nullptr;
    int slideShow = 0;
    int scrollX = 0, scrollY = 0, scrollMaxX = 0, scrollMaxY = 0;
    int idleState = 0, idleCounter = 0;
    HCURSOR helpCursor = nullptr;
    int afficherNavigateur = 0;
    PUBSETTINGS settings;
    COMMANDLINE commandLine;
    std::string startDocument;
    PREFERENCES preferences;
    QORVEXWINDOW appWindow{};
    std::vector<std::unique_ptr<TOOLMODULE>> withCreator, withoutCreator;
    HINSTANCE instance = nullptr;
};

PLAYERAPP* AppOf(HWND window);
int ScreenWidth();
int ScreenHeight();

// The callbacks handed to the kernel, the program's only exports (main.cpp).
extern "C" __declspec(dllexport) void EventSlideShowMode(void* host, int on);
extern "C" __declspec(dllexport) int FilterMsg(MSGL* msg, void* host);
extern "C" __declspec(dllexport) int FilterBranch(BRANCH* branch, void* host);

// Windows (player_windows.cpp).
bool RegisterPlayerClasses(HINSTANCE instance);
LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FondWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK AppViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void IdleTick(PLAYERAPP& app);

// Publication settings with the kernel (pubsettings_kernel.cpp).
void SetSettingsFile(PUBSETTINGS& settings, const std::string& name);
int ReadPublicationFile(PUBSETTINGS& settings, bool loadDataModule);
void LoadDataModule(PUBSETTINGS& settings, const std::string& name);
void FreeDataModule(PUBSETTINGS& settings);
void ResetPublication(PUBSETTINGS& settings);

// Opening (openpub.cpp).
std::unique_ptr<TOOLMODULE> LoadToolModule(KERNEL* kernel, const std::string& name);
void OpenPublication(PLAYERAPP& app);

// Layout and background (layout.cpp, background.cpp).
void SetPlayerMode(PLAYERAPP& app, int mode);
void LayoutFrame(PLAYERAPP& app, const std::string& title, bool caption, int frameType, bool topMost, bool centre,
                 bool fullScreen, int x, int y, int w, int h);
void PlaceBackgroundWindow(PLAYERAPP& app, bool force);
void PaintBackground(PUBSETTINGS& settings, HWND window, HDC dc);
void PlaceByPosition(int code, int& x, int& y, int boxWidth, int boxHeight, int areaWidth, int areaHeight);

// Media server (mediaserver.cpp).
int RegisterMediaServer();
void DeleteMediaModule();
