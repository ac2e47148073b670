// Read, write and seek on open file handles, with the system's -1 failure convention.
#include "qxsupport.h"

#include <cstring>

long QXReadFile(QXFILE file, void* buffer, unsigned long count)
{
    DWORD read = 0;
    if (!ReadFile(file, buffer, count, &read, nullptr))
        return -1;
    return static_cast<long>(read);
}

long QXWriteFile(QXFILE file, const void* buffer, unsigned long count)
{
    DWORD written = 0;
    if (!WriteFile(file, buffer, count, &written, nullptr))
        return -1;
    return static_cast<long>(written);
}

long QXWriteString(QXFILE file, const char* text)
{
    return QXWriteFile(file, text, static_cast<unsigned long>(std::strlen(text)));
}

long QXSeekFile(QXFILE file, long distance, int origin)
{
    static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    if (origin < 0 || origin > 2)
        return -1;
    return static_cast<long>(SetFilePointer(file, distance, nullptr, methods[origin]));
}
