// The module's allocator: every block starts zero-filled, and when memory runs out the
// user is told once per request and the caller receives null (compiled with -fcheck-new,
// so new-expressions test the result before constructing).
#include "qxsupport.h"

#include <cstdlib>
#include <new>

namespace {

void ShowOutOfMemory()
{
    MessageBoxA(nullptr,
                "Le système est en manque de mémoire\n"
                "Veuillez fermer des applications avant de continuer.",
                "Erreur", MB_OK | MB_ICONERROR);
}

void* AllocateZeroed(size_t bytes)
{
    // A request for 0 bytes still yields a distinct block.
    void* block = std::calloc(1, bytes ? bytes : 1);
    if (!block)
        ShowOutOfMemory();
    return block;
}

}  // namespace

void* QXCallocZero(size_t count, size_t size)
{
    return std::calloc(count, size);
}

void QXModuleStart() {}
void QXModuleEnd() {}

void* operator new(size_t bytes) { return AllocateZeroed(bytes); }
void* operator new[](size_t bytes) { return AllocateZeroed(bytes); }
void* operator new(size_t bytes, const std::nothrow_t&) noexcept { return AllocateZeroed(bytes); }
void* operator new[](size_t bytes, const std::nothrow_t&) noexcept { return AllocateZeroed(bytes); }

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }
void operator delete[](void* block, size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
