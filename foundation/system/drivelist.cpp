// The table of the machine's fixed drives.
#include "qxdirs.h"

void GetLocalFixedDrives(int drives[QX_DRIVE_LETTERS])
{
    char root[] = "A:\\";
    for (int letter = 0; letter < QX_DRIVE_LETTERS; ++letter) {
        root[0] = static_cast<char>('A' + letter);
        switch (GetDriveTypeA(root)) {
        case DRIVE_FIXED:
            drives[letter] = 1;
            break;
        case DRIVE_UNKNOWN:
        case DRIVE_REMOVABLE:
        case DRIVE_REMOTE:
            drives[letter] = 0;
            break;
        default:
            break;  // no drive, CD-ROM or RAM disk: the caller's value stays
        }
    }
}
