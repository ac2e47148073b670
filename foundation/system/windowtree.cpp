// qutl_EnableWindowTree: recording an application's windows and switching them off and back.
#include "qxwindowtree.h"

namespace {

class WindowRecord : public LNODE {
public:
    explicit WindowRecord(HWND recorded) : window(recorded), enabled(IsWindowEnabled(recorded) != 0) {}
    HWND window;
    bool enabled;  // the state when recorded
};

// Windows destroyed since they were recorded are refused by the system calls and so skipped.
void SetEnabled(HWND window, bool enable)
{
    if ((IsWindowEnabled(window) != 0) != enable)
        EnableWindow(window, enable);
}

}  // namespace

void qutl_EnableWindowTree::Record(HWND window)
{
    if (auto* record = new WindowRecord(window))
        AddTail(record);
}

void qutl_EnableWindowTree::RecordWithDescendants(HWND window)
{
    Record(window);
    EnumChildWindows(
        window,
        [](HWND child, LPARAM tree) -> BOOL {
            reinterpret_cast<qutl_EnableWindowTree*>(tree)->Record(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
}

void qutl_EnableWindowTree::GetWindowTree(HWND window)
{
    Clear();
    if (!window)
        return;
    HWND top = window;
    while (HWND parent = GetParent(top))
        top = parent;
    // The top window's own children need no record: disabling it blocks them.
    Record(top);
    // Windows it owns (dialogs, palettes, their owned windows in turn) lie above it.
    for (HWND above = GetWindow(top, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        if (FindHWND(GetParent(above)) || FindHWND(GetWindow(above, GW_OWNER)))
            RecordWithDescendants(above);
    }
}

void qutl_EnableWindowTree::SetEnableState(int enable)
{
    for (LNODE* node = head; node; node = node->next)
        SetEnabled(static_cast<WindowRecord*>(node)->window, enable != 0);
}

void qutl_EnableWindowTree::ResetInitEnableState()
{
    for (LNODE* node = head; node; node = node->next) {
        const auto* record = static_cast<WindowRecord*>(node);
        SetEnabled(record->window, record->enabled);
    }
}

int qutl_EnableWindowTree::FindHWND(HWND window)
{
    if (!window)
        return 0;
    for (LNODE* node = head; node; node = node->next) {
        if (static_cast<WindowRecord*>(node)->window == window)
            return 1;
    }
    return 0;
}
