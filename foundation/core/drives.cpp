// Drive types, volume labels, free space and the system version.
#include "qxpath.h"

#include "pathtext.h"

using namespace pathtext;

namespace {

constexpr int DriveLetters = 26;

// "A:\" for drive 0, "B:\" for 1 ...
std::string DriveRoot(int drive) { return std::string(1, static_cast<char>('A' + drive)) + ":\\"; }

}  // namespace

int QXGetDriveType(int drive)
{
    if (drive < 0 || drive >= DriveLetters)
        return 0;
    switch (GetDriveTypeA(DriveRoot(drive).c_str())) {
    case DRIVE_REMOVABLE:
        return 1;
    case DRIVE_FIXED:
        return 2;
    case DRIVE_REMOTE:
        return 3;
    case DRIVE_CDROM:
        return 4;
    case DRIVE_RAMDISK:
        return 6;
    default:
        return 0;
    }
}

int QXGetVolumeLabel(int drive, char* label, int size)
{
    if (!label || size < 0 || drive < 0 || drive >= DriveLetters)
        return 0;
    SwitchOffErrorBoxes();
    return GetVolumeInformationA(DriveRoot(drive).c_str(), label, size, nullptr, nullptr, nullptr, nullptr, 0);
}

unsigned long long DiskFreeSpace(const char* name)
{
    if (!name)
        return 0;
    QXSTRING drive;
    QXfnsplitStr(name, &drive, nullptr, nullptr, nullptr);
    const std::string root = Text(drive) + "\\";
    SwitchOffErrorBoxes();
    // 64-bit byte counts: free space above 4 GiB must not wrap into a small number.
    ULARGE_INTEGER available, total, totalFree;
    if (!GetDiskFreeSpaceExA(root.c_str(), &available, &total, &totalFree))
        return 0;
    return totalFree.QuadPart;
}

int TrueGetVersion(unsigned long* raw, int* major, int* minor, const char** text)
{
    const DWORD version = GetVersion();
    const int majorVersion = LOBYTE(LOWORD(version));
    const int minorVersion = HIBYTE(LOWORD(version));
    int kind = 0;
    const char* name = "Unknown";
    if (majorVersion <= 3 && minorVersion <= 51) {
        kind = 3;
        name = "Windows NT (Orig GUI)";
    } else if (majorVersion > 3) {
        kind = 4;
        name = "Windows NT (New GUI)";
    }
    if (raw)
        *raw = kind ? version : 0;
    if (major)
        *major = kind ? majorVersion : 0;
    if (minor)
        *minor = kind ? minorVersion : 0;
    if (text)
        *text = name;
    return kind;
}
