// Opening the publication one message after start: the page module and the tool modules of
// "QXSTAGE.INI", then the start document, the frame and the first page.
#include "player.h"
#include "resource.h"

#include "accessors.h"
#include "bookmarks.h"
#include "filefetch.h"
#include "filefind.h"
#include "pagefiles.h"
#include "qxpath.h"
#include "qxutil.h"
#include "slideshow.h"

#include <cstdio>

namespace {

std::string LoadText(HINSTANCE instance, UINT id)
{
    char text[500] = {};
    LoadStringA(instance, id, text, sizeof text);
    return text;
}

bool EndsWithSuffix(const std::string& name, const char* suffix)
{
    size_t dot = name.find_last_of('.');
    return dot != std::string::npos && lstrcmpiA(name.c_str() + dot, suffix) == 0;
}

void AddModule(PLAYERAPP& app, std::unique_ptr<TOOLMODULE> node, bool keepWithoutCreator)
{
    if (!node) return;
    if (node->createBaseObjet) {
        KernAddBaseObject(app.kernel, node->createBaseObjet);
        app.withCreator.push_back(std::move(node));
    } else if (keepWithoutCreator) {
        app.withoutCreator.push_back(std::move(node));
    }
}

void LoadToolModules(PLAYERAPP& app)
{
    AddModule(app, LoadToolModule(app.kernel, "QXSHEET.DLL"), false);
    std::string ini = app.programFolder + "QXSTAGE.INI";
    std::string section = LoadText(app.instance, IDS_TOOLBAR_SECTION);
    std::string key = LoadText(app.instance, IDS_TOOL_KEY);
    for (int n = 1;; ++n) {
        char name[100], value[500] = {};
        std::snprintf(name, sizeof name, "%s%d", key.c_str(), n);
        GetPrivateProfileStringA(section.c_str(), name, "", value, sizeof value, ini.c_str());
        if (!*value) break;
        if (std::string(value).find("PAGE") != std::string::npos) continue;
        AddModule(app, LoadToolModule(app.kernel, value), true);
    }
}

// Steps 4 to 9; false when the program must close.
bool OpenStartDocument(PLAYERAPP& app)
{
    KERNEL* kernel = app.kernel;
    if (app.startDocument.empty()) return false;
    char copy[500] = {};
    lstrcpynA(copy, app.startDocument.c_str(), sizeof copy);
    int kind = GetFileLocation(copy, nullptr, 0, nullptr, 0);
    if (kind == QX_LOCATION_LOCAL || kind == QX_LOCATION_UNC) KernFindFile(kernel, copy, 1);
    std::string folder(copy);
    size_t slash = folder.find_last_of('\\');
    if (slash != std::string::npos)
        folder.erase(slash + 1);
    else if (*KernGetCachePath(kernel))
        folder = std::string(KernGetCachePath(kernel)) + "\\";
    else
        return false;
    KernSetScnPath(kernel, folder.c_str());
    QXSTRING document = app.startDocument.c_str();
    if (folder.empty() || !KernFindFileStr(kernel, &document, 1)) return false;
    std::string name = static_cast<const char*>(document);
    if (name.find('.') == std::string::npos) return false;
    if (EndsWithSuffix(name, ".XSC")) {
        SetSettingsFile(app.settings, name);
        if (!ReadPublicationFile(app.settings, true)) return false;
    } else {
        app.settings.firstPage = name;
        SetPageDefaults(app.settings, ScreenWidth(), ScreenHeight());
    }
    SetPlayerMode(app, 0);
    if (!KernLoad(kernel, app.settings.firstPage.c_str(), nullptr, 0)) return false;
    app.firstPage = app.settings.firstPage;
    if (!app.settings.bookmarkFile.empty()) {
        KernLoadBookmarks(kernel, app.settings.bookmarkFile.c_str());
        if (app.settings.bookMarkGo) KernStartSlideShow(kernel);
    }
    return true;
}

}  // namespace

TOOLMODULE::TOOLMODULE(HMODULE module, const std::string& shortName)
    : module(module), fileName(shortName),
      createBaseObjet(
          reinterpret_cast<CREATEBASEOBJET>(reinterpret_cast<void*>(GetProcAddress(module, "CreateBaseObjet")))),
      getNumberTools(GetProcAddress(module, "GetNumberTools")), getTool(GetProcAddress(module, "GetTool")),
      fileDropped(GetProcAddress(module, "FileDropped"))
{
}

TOOLMODULE::~TOOLMODULE()
{
    if (module) FreeLibrary(module);
}

std::unique_ptr<TOOLMODULE> LoadToolModule(KERNEL* kernel, const std::string& given)
{
    std::string name = given;
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    std::string shortName = name + KernGetVersion(kernel) + ".DLL";
    std::string fullName = std::string(KernGetAppPath(kernel)) + shortName;
    HMODULE module = LoadLibraryA(shortName.find('\\') != std::string::npos ? shortName.c_str() : fullName.c_str());
    if (!module) {
        DWORD error = GetLastError();
        HINSTANCE instance = GetModuleHandleA(nullptr);
        char text[1100];
        std::snprintf(text, sizeof text, LoadText(instance, IDS_CANNOT_LOAD_MODULE).c_str(), shortName.c_str(),
                      static_cast<int>(error));
        Alert(KernGetAppWindow(kernel), LoadText(instance, IDS_FILE_ERROR).c_str(), text);
        return nullptr;
    }
    return std::make_unique<TOOLMODULE>(module, shortName);
}

void OpenPublication(PLAYERAPP& app)
{
    if (app.publicationOpened) return;
    app.publicationOpened = true;
    if (!app.kernel) {
        SetPlayerMode(app, -1);
    } else {
        LoadToolModules(app);
        if (!OpenStartDocument(app)) SetPlayerMode(app, -1);
    }
    app.openingDone = true;
    if (app.kernel && !app.commandLine.bookmarkFile.empty()) {
        KernLoadBookmarks(app.kernel, app.commandLine.bookmarkFile.c_str());
        if (app.commandLine.slideShow) KernStartSlideShow(app.kernel);
    }
}
