// WINDOW_CHILDREN: the snapshot of all descendant windows of a window.
#include "qxwindowptr.h"

#include <new>

WINDOW_CHILDREN::WINDOW_CHILDREN(HWND window) : fillMode(0), fillIndex(0), count(0), windows(nullptr)
{
    // The system's child enumeration reaches grandchildren too; two passes: count, then store.
    EnumChildWindows(window, CallBack, reinterpret_cast<LPARAM>(this));
    if (count == 0)
        return;
    windows = new (std::nothrow) HWND[count];
    if (!windows) {
        count = 0;  // callers walk count entries: an empty snapshot, never a null array
        return;
    }
    fillMode = 1;
    fillIndex = 0;
    EnumChildWindows(window, CallBack, reinterpret_cast<LPARAM>(this));
    // Windows destroyed between the passes leave null entries behind.
}

WINDOW_CHILDREN::~WINDOW_CHILDREN() { delete[] windows; }

BOOL CALLBACK WINDOW_CHILDREN::CallBack(HWND window, LPARAM snapshot)
{
    auto* children = reinterpret_cast<WINDOW_CHILDREN*>(snapshot);
    if (children->fillMode == 0)
        ++children->count;
    else if (children->fillIndex < children->count)  // windows created since the count are not recorded
        children->windows[children->fillIndex++] = window;
    return TRUE;
}

HWND WINDOW_CHILDREN::FindID(int id) const
{
    // Control ids travel as 16 bits in WM_COMMAND: compare them that way.
    const WORD wanted = LOWORD(id);
    for (int i = 0; i < count; ++i)
        if (windows[i] && LOWORD(GetDlgCtrlID(windows[i])) == wanted)
            return windows[i];
    return nullptr;
}

int WINDOW_CHILDREN::GetWindowPos(int id, int& left, int& top, int& right, int& bottom) const
{
    left = top = right = bottom = 0;
    const HWND found = FindID(id);
    if (!found)
        return 0;
    RECT rect, parentRect{};
    GetWindowRect(found, &rect);
    // Relative to the direct parent only: further ancestors are not subtracted.
    GetWindowRect(GetParent(found), &parentRect);
    left = rect.left - parentRect.left;
    right = rect.right - parentRect.left;
    top = rect.top - parentRect.top;
    bottom = rect.bottom - parentRect.top;
    return 0;
}

LRESULT WINDOW_CHILDREN::BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    for (int i = 0; i < count; ++i)
        if (const LRESULT answer = SendMessageA(windows[i], message, wParam, lParam))
            return answer;
    return 0;
}

void* WINDOW_CHILDREN::operator new(size_t bytes) { return ::operator new(bytes); }
void WINDOW_CHILDREN::operator delete(void* block) { ::operator delete(block); }
