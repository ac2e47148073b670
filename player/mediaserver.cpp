// Making sure the outside media server is registered before the application starts.
#include "player.h"
#include "resource.h"

#include "media_registration.h"
#include "qxmedia.h"

namespace {

CMediaModule* mediaModule = nullptr;

std::string LoadText(UINT id)
{
    char text[500] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

void ShowMediaMessage(UINT id)
{
    MessageBoxA(nullptr, LoadText(id).c_str(), LoadText(IDS_MEDIA_CAPTION).c_str(), MB_OK);
}

}  // namespace

int RegisterMediaServer()
{
    char module[500] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string folder(module);
    folder.erase(folder.find_last_of('\\') + 1);
    if (!EnsureMediaServerRegistered(folder, QX_MEDIA_REGISTRAR_WAIT_MS)) {
        ShowMediaMessage(IDS_NEED_QUICKTIME);
        return 0;
    }
    mediaModule = new CMediaModule;
    if (!mediaModule || !mediaModule->Active()) return 0;
    mediaModule->Init();
    if (mediaModule->IsQuickTime4Install()) return 1;
    std::string installer = "\"" + folder + "Redist\\QuickTime\\QuickTimeInstaller.exe\"";
    if (StartAndWait(installer, 0)) {
        ShowMediaMessage(IDS_INSTALL_QUICKTIME);
        mediaModule->Init();
    } else {
        ShowMediaMessage(IDS_NEED_QUICKTIME);
    }
    return 0;
}

void DeleteMediaModule()
{
    delete mediaModule;
    mediaModule = nullptr;
}
