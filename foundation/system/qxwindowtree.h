// qutl_EnableWindowTree: the windows of an application recorded with their enabled state, so
// that they can all be disabled while a modal box or a dependent program runs and be given
// back exactly the state they had.
#pragma once

#include "qxbase.h"
#include "qxlist.h"

class QXBASE_API qutl_EnableWindowTree : public LIST {
public:
    qutl_EnableWindowTree() = default;
    // Forgets the windows; their states are not touched.
    ~qutl_EnableWindowTree() override = default;

    // Records, each with its enabled state: the top of the window's parent chain (the window
    // itself when it has no parent), then every window above it in Z-order whose parent or owner
    // is recorded, with all its descendants. A null window records nothing.
    void GetWindowTree(HWND window);
    // Enables or disables every recorded window whose state differs.
    void SetEnableState(int enable);
    // Gives every recorded window back its recorded state where it differs.
    void ResetInitEnableState();
    // 1 when the window is recorded.
    int FindHWND(HWND window);

private:
    void Record(HWND window);
    void RecordWithDescendants(HWND window);
};
