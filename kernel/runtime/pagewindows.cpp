// The windows of the loaded pages as the host sees them: which pages take input, the host
// caption, the keyboard focus, and unloading the page shown.
#include "kernel.h"

#include "branch.h"
#include "filefetch.h"
#include "objet.h"
#include "qxwindowptr.h"
#include "sound.h"
#include "../authoring/selection.h"
#include "../authoring/undo.h"

#include <cstdio>
#include <vector>

namespace {

// The host caption holds at most this many characters.
constexpr int CaptionChars = 200;

}  // namespace

void KernUpdateModeless(KERNEL* kernel, int)
{
    OBJET* top = KernGetTopObjet(kernel);
    if (!top)
        return;
    // Below a modeless page the pages stay usable down to the first one that is not.
    bool enable = top->modeless != 0;
    // Only the open pages have windows: the closed ones of a long history are not walked.
    std::vector<OBJET*> below = kernel->loadedPages.OpenRoots();
    if (!below.empty() && below.back() == top)
        below.pop_back();
    for (auto at = below.rbegin(); at != below.rend(); ++at) {
        OBJET* root = *at;
        if (!root || !root->window)
            continue;
        EnableWindow(root->window, enable);
        if (enable && !root->modeless)
            enable = false;
    }
    if (top->window)
        EnableWindow(top->window, TRUE);
}

void KernChangeAppTitle(KERNEL* kernel, const char* pageTitle)
{
    if (!kernel)
        return;
    char caption[CaptionChars + 1];
    if (pageTitle && *pageTitle)
        std::snprintf(caption, sizeof caption, "%s (%s)", static_cast<const char*>(kernel->appTitle), pageTitle);
    else
        std::snprintf(caption, sizeof caption, "%s", static_cast<const char*>(kernel->appTitle));
    SetWindowTextA(KernGetAppWindow(kernel), caption);
}

void KernSetNextWindowFocus(KERNEL* kernel, HWND window)
{
    if (!kernel || !window)
        return;
    WINDOW_CHILDREN descendants(window);
    const HWND focus = GetFocus();
    HWND chosen = nullptr;
    HWND first = nullptr;
    bool afterFocus = false;
    for (int i = 0; i < descendants.count && !chosen; ++i) {
        const HWND candidate = descendants.windows[i];
        const bool stops = (GetWindowLongA(candidate, GWL_STYLE) & WS_TABSTOP) != 0;
        if (stops && !first)
            first = candidate;
        if (stops && afterFocus)
            chosen = candidate;
        if (candidate == focus)
            afterFocus = true;
    }
    if (!chosen)
        chosen = first;
    if (!chosen)
        return;
    SetFocus(chosen);
    kernel->focusWindow = chosen;
}

void KernSetPrevWindowFocus(KERNEL* kernel, HWND window)
{
    if (!kernel || !window)
        return;
    WINDOW_CHILDREN descendants(window);
    const HWND focus = GetFocus();
    HWND beforeFocus = nullptr;
    HWND last = nullptr;
    bool afterFocus = false;
    for (int i = 0; i < descendants.count; ++i) {
        const HWND candidate = descendants.windows[i];
        if (candidate == focus)
            afterFocus = true;
        if (!(GetWindowLongA(candidate, GWL_STYLE) & WS_TABSTOP))
            continue;
        last = candidate;
        if (!afterFocus)
            beforeFocus = candidate;
    }
    // Before the first stop the cycle wraps round to the last one.
    const HWND chosen = afterFocus && beforeFocus ? beforeFocus : last;
    if (chosen)
        SetFocus(chosen);
}

namespace {

void DestroyShownPage(KERNEL* kernel)
{
    auto* shown = static_cast<TREE*>(kernel->loadedPages.GetItem(kernel->loadedPages.Items() - 1));
    kernel->loadedPages.Remove(shown);
    KillObjet(shown->root);
    delete shown;
}

}  // namespace

void KernClearTopLoaded(KERNEL* kernel)
{
    if (!kernel)
        return;
    KernRemoveAllFtpProcess(kernel);
    KernClearBranchTimer(kernel);
    KernUnSelectAllObjects(kernel);
    KernFlushUndoBuffer(kernel);
    if (kernel->loadedPages.Items() > 0)
        DestroyShownPage(kernel);
    kernel->processes.Clear();
}

void KernClearAllLoaded(KERNEL* kernel)
{
    if (!kernel)
        return;
    KernStopSound();
    KernRemoveAllFtpProcess(kernel);
    kernel->history.Clear();
    kernel->visited.Clear();
    KernClearBranchTimer(kernel);
    KernFlushUndoBuffer(kernel);
    KernUnSelectAllObjects(kernel);
    while (kernel->loadedPages.Items() > 0)
        DestroyShownPage(kernel);
    kernel->processes.Clear();
}
