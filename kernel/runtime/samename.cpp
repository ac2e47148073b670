#include "samename.h"

#include <windows.h>

namespace {

char FoldedAscii(unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c); }

}  // namespace

bool KernSameName(const char* a, const char* b)
{
    for (const char *x = a, *y = b;; ++x, ++y) {
        const auto cx = static_cast<unsigned char>(*x), cy = static_cast<unsigned char>(*y);
        // Accented letters fold by the code page, and some match a pair of letters.
        if ((cx | cy) >= 0x80)
            return lstrcmpiA(a, b) == 0;
        if (FoldedAscii(cx) != FoldedAscii(cy))
            return false;
        if (!cx)
            return true;
    }
}
