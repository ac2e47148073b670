// The publication settings (".XSC") record and its two file forms: the INI form with the
// sections "General", "Libraries", "Viewer" and "Background", and the older three-line form.
// Reading here gives the names as written; ReadPublicationFile resolves them with the kernel.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr int QX_PERWIDTH_IMAGES = 6;
extern const int kPerWidthScreens[QX_PERWIDTH_IMAGES];  // 640, 800, 1024, 1152, 1280, 1600

struct KERNEL;

struct PUBSETTINGS {
    int idleTime = 0;  // seconds before the idle return to the first page; 0 never
    std::string settingsFile;
    std::string firstPage;
    KERNEL* kernel = nullptr;
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    std::string dataModuleName;
    HMODULE dataModule = nullptr;
    std::string loadedDataModule;  // the name dataModule was loaded from
    std::vector<std::string> extraFiles;
    int x = 0, y = 0, w = 800, h = 600;
    std::string title;
    bool caption = true;
    int frame = 1;  // 0 none, 1 border, 2 resizable
    bool topMost = false, center = true, fullScreen = false;
    std::string bookmarkFile;
    bool bookMarkGo = false;
    int backgroundType = 0;  // 0 none, 1 solid, 2 gradient, 3 image, 4 image by screen width
    std::string imageFile;
    int imagePos = 0;  // 1 tile, else stretch
    COLORREF startColor = 0, endColor = 0;
    int gradient = 2;
    int showLogo = 0;
    int logoType = 0;  // 0 text, 1 image
    int logoPos = 7;
    std::string logoStr;
    COLORREF logoColor = 12632256;
    LOGFONTA logoFont{};
    std::string perWidthImages[QX_PERWIDTH_IMAGES];
    HBITMAP background = nullptr;  // painted background, owned
    bool layoutPending = false;
};

// The values every reading starts from. The list of defaults (caption, 800 x 600) holds for the
// record and so for an older-form file, which has no "Viewer" keys; in the INI form an absent
// "Caption", "W" or "H" reads as the INI table says (no caption, the screen's size), since the
// platform's profile reader hands back that table's default for an absent key.
void SetPubDefaults(PUBSETTINGS& settings);
// The settings of a page opened directly: no idle time, centred, screen-sized, border frame.
void SetPageDefaults(PUBSETTINGS& settings, int screenWidth, int screenHeight);

// True when the section "General" of the file holds any key (the INI form).
bool HasGeneralKeys(const char* file);
// The INI form, names as written ("Other1", "Other2" ... until the first empty one).
void ReadIniForm(const char* file, PUBSETTINGS& settings, int screenWidth, int screenHeight);
// The older form: first page ("NULL" none), idle time, data module ("NULL" or missing none).
// False when line 1 or line 2 is missing.
bool ReadOlderForm(const char* file, PUBSETTINGS& settings);
// Empties the background names the background type does not use, and the logo text when the
// logo is off.
void DropUnusedNames(PUBSETTINGS& settings);
