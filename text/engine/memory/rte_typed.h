// Typed access to handles for C++ callers: handles of a struct's size, and scoped locks that a
// raise unwinds.
#pragma once

#include <type_traits>

#include "rte_memory.h"

// A handle whose elements are T (a plain type whose size fits an element size).
template <class T>
RteHandle RteAllocOf(RteMemContext* context, int32_t count, uint16_t growBy, bool clear)
{
    static_assert(std::is_trivially_copyable_v<T> && sizeof(T) <= INT16_MAX, "handles move their bytes");
    return RteAlloc(context, static_cast<int16_t>(sizeof(T)), count, growBy, clear);
}

// Holds one lock of a handle for a scope; the lock goes when the scope ends, raise or not.
template <class T>
class RteLocked {
public:
    explicit RteLocked(RteHandle handle) : handle_(handle), elements_(static_cast<T*>(RteLock(handle))) {}
    ~RteLocked() { RteUnlock(handle_); }
    RteLocked(const RteLocked&) = delete;
    RteLocked& operator=(const RteLocked&) = delete;

    T* get() const { return elements_; }
    T& operator[](int32_t index) const { return elements_[index]; }
    T* operator->() const { return elements_; }
    int32_t size() const { return RteCount(handle_); }

private:
    RteHandle handle_;
    T* elements_;
};
