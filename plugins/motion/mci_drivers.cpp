// The drivers are named in the system's MCI list, as MCI itself finds them.
#include "mci_drivers.h"

#include <windows.h>

namespace {

constexpr const char MCI_DRIVER_LIST[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI32";
constexpr const char* HELD_DEVICE_TYPES[] = {"waveaudio", "avivideo"};

HMODULE heldDrivers[sizeof HELD_DEVICE_TYPES / sizeof HELD_DEVICE_TYPES[0]]{};

HMODULE LoadDriverOf(HKEY list, const char* deviceType)
{
    char file[MAX_PATH] = "";
    DWORD size = sizeof file - 1;
    DWORD type = 0;
    if (RegQueryValueExA(list, deviceType, nullptr, &type, reinterpret_cast<BYTE*>(file), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return nullptr;
    file[size] = '\0';
    return LoadLibraryA(file);
}

}  // namespace

void HoldMciDrivers()
{
    HKEY list = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, MCI_DRIVER_LIST, 0, KEY_QUERY_VALUE, &list) != ERROR_SUCCESS)
        return;
    for (size_t i = 0; i < sizeof heldDrivers / sizeof heldDrivers[0]; ++i)
        if (!heldDrivers[i])
            heldDrivers[i] = LoadDriverOf(list, HELD_DEVICE_TYPES[i]);
    RegCloseKey(list);
}

void ReleaseMciDrivers()
{
    for (HMODULE& driver : heldDrivers) {
        if (driver)
            FreeLibrary(driver);
        driver = nullptr;
    }
}
