// WINDOW_PROPS: the snapshot of the string names of a window's properties.
#include "qxwindowptr.h"

#include "keyedname.h"

#include <new>

WINDOW_PROPS::WINDOW_PROPS(HWND window) : fillMode(0), fillIndex(0), count(0), names(nullptr)
{
    // Two passes, the snapshot itself handed to the enumeration: count, then copy.
    EnumPropsExA(window, CallBack, reinterpret_cast<LPARAM>(this));
    if (count == 0)
        return;
    names = new (std::nothrow) char[count][QX_PROPERTY_NAME_CHARS + 1];
    if (!names) {
        count = 0;
        return;
    }
    fillMode = 1;
    fillIndex = 0;
    EnumPropsExA(window, CallBack, reinterpret_cast<LPARAM>(this));
    // Properties removed between the passes leave their entries empty.
}

WINDOW_PROPS::~WINDOW_PROPS() { delete[] names; }

BOOL CALLBACK WINDOW_PROPS::CallBack(HWND, LPSTR name, HANDLE, ULONG_PTR snapshot)
{
    auto* props = reinterpret_cast<WINDOW_PROPS*>(snapshot);
    if (props->fillMode == 0) {
        ++props->count;
        return TRUE;
    }
    if (props->fillIndex >= props->count)
        return FALSE;  // properties added since the count are not recorded
    // An atom-named property keeps its (zero-filled) entry, which never matches.
    if (!IS_INTRESOURCE(name))
        lstrcpynA(props->names[props->fillIndex], name, QX_PROPERTY_NAME_CHARS + 1);
    ++props->fillIndex;
    return TRUE;
}

void* WINDOW_PROPS::GetQORVEXXpointer(int first, int second) const
{
    for (int i = 0; i < count; ++i) {
        void* pointer;
        int nameFirst, nameSecond;
        if (keyedname::Parse(names[i], pointer, nameFirst, nameSecond) && nameFirst == first && nameSecond == second)
            return pointer;
    }
    return nullptr;
}

void* WINDOW_PROPS::operator new(size_t bytes) { return ::operator new(bytes); }
void WINDOW_PROPS::operator delete(void* block) { ::operator delete(block); }
