// System metrics as the system's layouts were measured: the frame sizes of the newer window
// look are reported one pixel thinner.
#include "qxutil.h"

#include "qxpath.h"

int _GetSystemMetrics(int index)
{
    const int value = GetSystemMetrics(index);
    if (index != SM_CXFRAME && index != SM_CYFRAME)
        return value;
    const int version = TrueGetVersion(nullptr, nullptr, nullptr, nullptr);
    return version == 4 || version == 2 ? value - 1 : value;
}
