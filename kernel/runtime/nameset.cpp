// Names folded to one case as the system's comparisons of file names ignore it.
#include "nameset.h"

std::string NAME_SET::Folded(const char* name)
{
    std::string folded = name;
    if (!folded.empty())
        CharUpperBuffA(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}
