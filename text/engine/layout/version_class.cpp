// The class of a version or platform word.
#include "version_class.h"

int RteVersionClass(uint32_t word)
{
    const uint32_t middle = word & 0x0FFFFF00;
    if (middle == 0)
        return 1;
    return middle == 0x100000 ? 3 : 2;
}
