// Object pointers kept on windows: the "QXHI"/"QXLO" pair and the keyed property names.
#include "qxwindowptr.h"

#include "keyedname.h"

namespace {

// The pair keeps the split of the 32-bit system (low 16 bits apart) and widens the high
// part to every bit above them, so that a 64-bit pointer comes back whole.
constexpr int LowBits = 16;
constexpr uintptr_t LowMask = 0xFFFF;

HANDLE AsHandle(uintptr_t value) { return reinterpret_cast<HANDLE>(value); }
uintptr_t AsValue(HANDLE handle) { return reinterpret_cast<uintptr_t>(handle); }

// The search state handed to the property enumeration in lParam.
struct KeyedSearch {
    int first;
    int second;
    void* found;
};

BOOL CALLBACK MatchKeyedName(HWND, LPSTR name, HANDLE, ULONG_PTR searchState)
{
    auto* search = reinterpret_cast<KeyedSearch*>(searchState);
    void* pointer;
    int first, second;
    if (keyedname::Parse(name, pointer, first, second) && first == search->first && second == search->second) {
        search->found = pointer;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BOOL SetQORVEXpointer(HWND window, void* pointer)
{
    const uintptr_t value = reinterpret_cast<uintptr_t>(pointer);
    SetPropA(window, "QXHI", AsHandle(value >> LowBits));
    return SetPropA(window, "QXLO", AsHandle(value & LowMask));
}

void* GetQORVEXpointer(HWND window)
{
    const uintptr_t low = AsValue(GetPropA(window, "QXLO"));
    const uintptr_t high = AsValue(GetPropA(window, "QXHI"));
    return reinterpret_cast<void*>((high << LowBits) | (low & LowMask));
}

BOOL SetQORVEXXpointer(HWND window, int first, void* pointer, int second)
{
    char name[keyedname::Chars];
    keyedname::Format(name, pointer, first, second);
    return SetPropA(window, name, nullptr);
}

void* GetQORVEXXpointer(HWND window, int first, int second)
{
    // Matched during the enumeration itself: no copy of the names, so no limit on how many
    // properties a window may carry before a pointer is lost.
    KeyedSearch search{first, second, nullptr};
    EnumPropsExA(window, MatchKeyedName, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HANDLE ClearQORVEXXpointer(HWND window, void* pointer, int first, int second)
{
    char name[keyedname::Chars];
    keyedname::Format(name, pointer, first, second);
    return RemovePropA(window, name);
}
