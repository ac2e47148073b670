// The file callbacks and wrappers over the platform's file handles. Every failure of the
// platform is the engine's file error, 0xFFFF.
#include <windows.h>

#include "rte_io.h"
#include "rte_typed.h"

namespace {

HANDLE FileOf(intptr_t file) { return reinterpret_cast<HANDLE>(file); }

const char* PathOf(RteHandle path) { return static_cast<const char*>(RteLock(path)); }

// The file behind the reference of the registry's callbacks: the first element of a handle.
intptr_t FileInHandle(intptr_t reference)
{
    return *static_cast<intptr_t*>(RteLockData(reinterpret_cast<RteHandle>(reference)));
}

uint16_t Transfer(intptr_t file, void* buffer, int32_t operation, int32_t* position, int32_t* length,
                  bool writing)
{
    if (RteFileSeek(file, *position))
        return RTE_ERR_FILE;
    auto handle = static_cast<RteHandle>(buffer);
    if (operation == RTE_IO_TRANSFER_HANDLE) {
        if (writing)
            *length = static_cast<int32_t>(RteByteSize(handle));
        else
            RteSetCount(handle, *length);
    }
    if (*length == 0)
        return 0;
    void* bytes = operation == RTE_IO_TRANSFER_HANDLE ? RteLock(handle) : buffer;
    uint16_t code = writing ? RteFileWrite(file, length, bytes) : RteFileRead(file, length, bytes);
    if (operation == RTE_IO_TRANSFER_HANDLE)
        RteUnlock(handle);
    if (code == 0)
        *position += *length;
    return code;
}

uint16_t FileIo(intptr_t file, void* buffer, int32_t operation, int32_t* position, int32_t* length, bool writing)
{
    switch (operation) {
    case RTE_IO_TRANSFER:
    case RTE_IO_TRANSFER_HANDLE:
        return Transfer(file, buffer, operation, position, length, writing);
    case RTE_IO_SIZE:
        return RteFileSize(file, static_cast<int32_t*>(buffer));
    case RTE_IO_SEEK:
        return RteFileSeek(file, *position);
    case RTE_IO_END:
        return writing ? RteFileSetEnd(file, *position) : 0;
    case RTE_IO_REFERENCE:
        *static_cast<intptr_t*>(buffer) = file;
        return 0;
    default:
        return 0;
    }
}

uint16_t Opened(HANDLE handle, intptr_t* file)
{
    if (handle == INVALID_HANDLE_VALUE)
        return RTE_ERR_FILE;
    *file = reinterpret_cast<intptr_t>(handle);
    return 0;
}

}  // namespace

uint16_t RteFileReader(void* buffer, int32_t operation, int32_t* position, int32_t* length, intptr_t reference)
{
    return FileIo(FileInHandle(reference), buffer, operation, position, length, false);
}

uint16_t RteFileWriter(void* buffer, int32_t operation, int32_t* position, int32_t* length, intptr_t reference)
{
    return FileIo(FileInHandle(reference), buffer, operation, position, length, true);
}

uint16_t RteDirectFileReader(void* buffer, int32_t operation, int32_t* position, int32_t* length,
                             intptr_t reference)
{
    return FileIo(reference, buffer, operation, position, length, false);
}

uint16_t RteDirectFileWriter(void* buffer, int32_t operation, int32_t* position, int32_t* length,
                             intptr_t reference)
{
    return FileIo(reference, buffer, operation, position, length, true);
}

uint16_t RteFileCreate(RteHandle path, int32_t, intptr_t* file)
{
    HANDLE handle = CreateFileA(PathOf(path), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    RteUnlock(path);
    return Opened(handle, file);
}

uint16_t RteFileOpen(RteHandle path, int32_t mode, intptr_t* file)
{
    static const DWORD kAccess[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    if (mode < 0 || mode > 2)
        return RTE_ERR_FILE;
    HANDLE handle = CreateFileA(PathOf(path), kAccess[mode], FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    RteUnlock(path);
    return Opened(handle, file);
}

uint16_t RteFileClose(intptr_t file) { return CloseHandle(FileOf(file)) ? 0 : RTE_ERR_FILE; }

uint16_t RteFileDelete(RteHandle path)
{
    BOOL deleted = DeleteFileA(PathOf(path));
    RteUnlock(path);
    return deleted ? 0 : RTE_ERR_FILE;
}

uint16_t RteFileRename(RteHandle path, RteHandle newName)
{
    BOOL moved = MoveFileA(PathOf(path), PathOf(newName));
    RteUnlock(path);
    RteUnlock(newName);
    return moved ? 0 : RTE_ERR_FILE;
}

uint16_t RteFileWrite(intptr_t file, int32_t* length, const void* data)
{
    DWORD written = 0;
    BOOL ok = *length >= 0 && WriteFile(FileOf(file), data, static_cast<DWORD>(*length), &written, nullptr);
    bool whole = ok && written == static_cast<DWORD>(*length);
    *length = static_cast<int32_t>(written);
    return whole ? 0 : RTE_ERR_FILE;
}

uint16_t RteFileRead(intptr_t file, int32_t* length, void* data)
{
    DWORD read = 0;
    BOOL ok = *length >= 0 && ReadFile(FileOf(file), data, static_cast<DWORD>(*length), &read, nullptr);
    *length = static_cast<int32_t>(read);
    return ok && read > 0 ? 0 : RTE_ERR_FILE;
}

uint16_t RteFileWriteN(intptr_t file, int32_t length, const void* data) { return RteFileWrite(file, &length, data); }

uint16_t RteFileReadN(intptr_t file, int32_t length, void* data) { return RteFileRead(file, &length, data); }

uint16_t RteFileSeek(intptr_t file, int32_t position)
{
    LARGE_INTEGER to;
    to.QuadPart = position;
    return position >= 0 && SetFilePointerEx(FileOf(file), to, nullptr, FILE_BEGIN) ? 0 : RTE_ERR_FILE;
}

uint16_t RteFileSetEnd(intptr_t file, int32_t position)
{
    if (RteFileSeek(file, position))
        return RTE_ERR_FILE;
    return SetEndOfFile(FileOf(file)) ? 0 : RTE_ERR_FILE;
}

uint16_t RteFileSize(intptr_t file, int32_t* size)
{
    LARGE_INTEGER bytes;
    if (!GetFileSizeEx(FileOf(file), &bytes) || bytes.QuadPart > INT32_MAX)
        return RTE_ERR_FILE;
    *size = static_cast<int32_t>(bytes.QuadPart);
    return 0;
}
