// A file held open by another program.
#include "held_file.h"

HeldFile::HeldFile(const std::string& path, DWORD share)
    : file_(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
{
}

HeldFile::~HeldFile()
{
    if (Held())
        CloseHandle(file_);
}
