// What the document's own files share: the locked document of a public call, and the tables'
// sizes at creation.
#pragma once

#include <vector>

#include "rte_document.h"
#include "rte_typed.h"

namespace rte_document {

// The document locked for one public operation: unlocked on every way out, raises included.
class DocLock : public RteLocked<RteDocument> {
public:
    explicit DocLock(RteHandle doc) : RteLocked<RteDocument>(doc) {}
};

// An element of a handle, read and written by value (the handle may move between calls).
template <class T>
T ElementOf(RteHandle handle, int32_t index)
{
    T value;
    RteGetElement(handle, index, &value);
    return value;
}

// A copy of every element of a handle.
template <class T>
std::vector<T> ElementsOf(RteHandle handle)
{
    RteLocked<T> elements(handle);
    return std::vector<T>(elements.get(), elements.get() + elements.size());
}

template <class T>
void SetElement(RteHandle handle, int32_t index, const T& value)
{
    RteLocked<T> elements(handle);
    elements[index] = value;
}

template <class T>
void InsertElement(RteHandle handle, int32_t index, const T& value)
{
    bool locked = RteLockCount(handle) > 0;
    *static_cast<T*>(RteInsert(handle, index, 1)) = value;
    if (!locked)
        RteUnlock(handle);
}

// A run table in its empty state (one run at 0 naming the record, and the sentinel), or with
// index -1 a link-range table (only its end entry).
void ResetRuns(RteHandle runs, int32_t index);

}  // namespace rte_document
