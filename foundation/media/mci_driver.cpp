// Keeping the MCI driver of a played sound loaded.
#include "qxmedia.h"

#include <mmsystem.h>

namespace {

constexpr const char* DriversKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI32";
constexpr DWORD DeviceTypeChars = 64;

}  // namespace

// A play that is not waited for runs in a thread of the driver, which posts its end report
// just before it leaves the driver's code. Closing the device on that report, when the page
// goes or when the next sound starts unloads a driver that no other device uses: the thread,
// still on its way out, would then run in freed code. The driver stays loaded for the rest
// of the process instead.
void KeepMciDriverLoaded(UINT device)
{
    char type[DeviceTypeChars] = "";
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
