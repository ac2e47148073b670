// The platform side of the memory seam on Windows: moveable global blocks and file handles.
#include <windows.h>

#include "rte_block.h"

namespace {

RteBlock Alloc(size_t bytes, bool clear)
{
    return GlobalAlloc(GMEM_MOVEABLE | (clear ? GMEM_ZEROINIT : 0), bytes);
}

// No flags: a locked block may only grow in place, an unlocked one may move.
RteBlock Resize(RteBlock block, size_t bytes) { return GlobalReAlloc(block, bytes, 0); }

void* Lock(RteBlock block) { return GlobalLock(block); }
void Unlock(RteBlock block) { GlobalUnlock(block); }
void Free(RteBlock block) { GlobalFree(block); }
size_t Size(RteBlock block) { return GlobalSize(block); }
RteBlock FromPointer(const void* start) { return GlobalHandle(start); }

const RteBlockOps kPlatformOps = {Alloc, Resize, Lock, Unlock, Free, Size, FromPointer};
const RteBlockOps* g_ops = &kPlatformOps;

HANDLE FileOf(intptr_t file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

const RteBlockOps& RteBlocks() { return *g_ops; }
void RteSetBlockOps(const RteBlockOps* ops) { g_ops = ops ? ops : &kPlatformOps; }
const RteBlockOps& RtePlatformBlockOps() { return kPlatformOps; }

bool RteSpillSeek(intptr_t file, uint32_t offset)
{
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return SetFilePointerEx(FileOf(file), to, nullptr, FILE_BEGIN) != 0;
}

bool RteSpillWrite(intptr_t file, const void* bytes, size_t count)
{
    DWORD written = 0;
    return count <= MAXDWORD && WriteFile(FileOf(file), bytes, static_cast<DWORD>(count), &written, nullptr) &&
           written == count;
}

bool RteSpillRead(intptr_t file, void* bytes, size_t count)
{
    DWORD read = 0;
    return count <= MAXDWORD && ReadFile(FileOf(file), bytes, static_cast<DWORD>(count), &read, nullptr) &&
           read == count;
}

void RtePostQuit(int exitCode) { PostQuitMessage(exitCode); }

void RteEndProcess(unsigned exitCode)
{
    // No DLL detach: the module's state is broken at this point.
    TerminateProcess(GetCurrentProcess(), exitCode);
    ExitProcess(exitCode);
}
