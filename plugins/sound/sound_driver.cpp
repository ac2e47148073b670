// Keeping the MCI driver of a played sound loaded.
#include "sound.h"

#include <mmsystem.h>

namespace {

constexpr const char* DriversKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI32";

}  // namespace

// A play that reports its end plays in a thread of the driver, which posts the report just
// before it leaves the driver's code. Closing the device on that report, or when the page
// goes, unloads a driver that no other device uses: the thread, still on its way out, would
// then run in freed code. The driver stays loaded for the rest of the process instead.
void KeepDriverLoaded(UINT device)
{
    char type[QX_NAME_BUFFER] = "";
    MCI_SYSINFO_PARMSA info{};
    info.lpstrReturn = type;
    info.dwRetSize = sizeof type;
    if (mciSendCommandA(device, MCI_SYSINFO, MCI_SYSINFO_INSTALLNAME, reinterpret_cast<DWORD_PTR>(&info)) != 0)
        return;
    char driver[MAX_PATH] = "";
    DWORD size = sizeof driver;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, DriversKey, type, RRF_RT_REG_SZ, nullptr, driver, &size) != ERROR_SUCCESS)
        return;
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, driver, &module);
}
