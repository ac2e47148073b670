// The animation and sound libraries of the template chooser, and the preview pane that the
// animation library shows inside the chooser ("D_PLAYANIM").
#include "flc_settings.h"

#include "authoring.h"
#include "kernel.h"
#include "librarychooser.h"
#include "media_preview.h"
#include "motionres.h"
#include "qxpreview.h"
#include "qxwindowptr.h"

#include <commctrl.h>

namespace {

constexpr int PANE_INSET = 4;
constexpr int PANE_WIDEST = 85;
// The tree of template folders that a chooser may show beside its list.
constexpr int CHOOSER_TREE = 5027;

UINT getFileMessage = 0;
UINT itemChangedMessage = 0;

// The hook's state: the preview record and the pane, if one is shown.
struct AnimationHook {
    PREVIEWDATA data;
    QXPREVIEW* pane = nullptr;
    WNDPROC listProc = nullptr;
    HWND list = nullptr;
};

AnimationHook* HookOf(HWND hook) { return static_cast<AnimationHook*>(GetQORVEXpointer(hook)); }

void DestroyPane(AnimationHook& state)
{
    delete state.pane;
    state.pane = nullptr;
    state.data.window = nullptr;
    state.data.CloseAll();
    state.data.file = "";
}

// A scroll of the chooser's list moves its items from under the pane: the preview stops.
LRESULT CALLBACK ChooserListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND hook = reinterpret_cast<HWND>(GetPropA(list, "QXANIMHOOK"));
    AnimationHook* state = hook ? HookOf(hook) : nullptr;
    if (!state)
        return DefWindowProcA(list, message, wParam, lParam);
    const WNDPROC own = state->listProc;
    if (message == WM_VSCROLL || message == WM_MOUSEWHEEL)
        DestroyPane(*state);
    if (message == WM_DESTROY) {
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        RemovePropA(list, "QXANIMHOOK");
        state->listProc = nullptr;
    }
    return CallWindowProcA(own, list, message, wParam, lParam);
}

void OnHookInit(HWND hook)
{
    if (!getFileMessage) {
        RegisterWindowMessageA(QXTMPL_GETNAME_MSG);
        RegisterWindowMessageA(QXTMPL_GETDESCRIPTION_MSG);
        getFileMessage = RegisterWindowMessageA(QXTMPL_GETFILE_MSG);
        itemChangedMessage = RegisterWindowMessageA(QXTMPL_ITEMCHANGED_MSG);
    }
    auto* state = new AnimationHook;
    SetQORVEXpointer(hook, state);
    state->list = GetDlgItem(GetParent(hook), QXTMPL_LIST_ID);
    if (state->list) {
        SetPropA(state->list, "QXANIMHOOK", hook);
        state->listProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(state->list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChooserListProc)));
    }
}

void OnHookStart(HWND hook, AnimationHook& state)
{
    char file[QX_NAME_BUFFER] = "";
    if (!SendMessageA(GetParent(hook), getFileMessage, sizeof file, reinterpret_cast<LPARAM>(file)) || !file[0])
        return;
    if (!state.pane && state.list) {
        const int selected = static_cast<int>(SendMessageA(state.list, LB_GETCURSEL, 0, 0));
        RECT item{};
        if (selected < 0 ||
            SendMessageA(state.list, LB_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&item)) ==
                LB_ERR)
            return;
        // Over the list's item, so in the chooser itself: a hook dialog placed beside the list,
        // as this chooser places it, would clip a pane of its own there away.
        const HWND chooser = GetParent(hook);
        MapWindowPoints(state.list, chooser, reinterpret_cast<POINT*>(&item), 2);
        InflateRect(&item, -PANE_INSET, -PANE_INSET);
        if (item.right - item.left > PANE_WIDEST)
            item.right = item.left + PANE_WIDEST;
        state.pane = new QXPREVIEW(chooser, QXPREVIEW_IMAGE, QXPREVIEW_AT_RECT, &item, MediaPreviewCallback,
                                   reinterpret_cast<LPARAM>(&state.data));
        if (state.pane) {
            state.data.window = state.pane->GetHwnd(QXPREVIEW_IMAGE);
            SetWindowPos(state.data.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
    }
    if (!state.pane)
        return;
    state.pane->SetFilename(file);
    state.pane->DoCallback(QXPREVIEW_PLAY_PRESSED, nullptr, nullptr);
}

INT_PTR CALLBACK AnimationTemplateHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            OnHookInit(hook);
            return TRUE;
        }
        AnimationHook* state = HookOf(hook);
        if (!state)
            return FALSE;
        if (message == itemChangedMessage && itemChangedMessage) {
            DestroyPane(*state);
            return TRUE;
        }
        switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_PLAYANIM_START)
                OnHookStart(hook, *state);
            else if (LOWORD(wParam) == IDC_PLAYANIM_STOP || LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
                DestroyPane(*state);
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header && header->idFrom == CHOOSER_TREE && header->code == TVN_SELCHANGEDA)
                DestroyPane(*state);
            return FALSE;
        }
        case WM_DESTROY:
            DestroyPane(*state);
            if (state->list && state->listProc) {
                SetWindowLongPtrA(state->list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state->listProc));
                RemovePropA(state->list, "QXANIMHOOK");
            }
            SetQORVEXpointer(hook, nullptr);
            delete state;
            return FALSE;
        default:
            return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

QXSTRING ChooseLibraryAnimation(HWND owner, KERNEL* kernel)
{
    QXTMPL_BLOCK block{};
    block.category = QXTMPL_CATEGORY_ANIMATION;
    block.hookModule = MotionModule();
    block.hookTemplate = "D_PLAYANIM";
    block.hookProc = AnimationTemplateHook;
    block.flags = QXTMPL_FLAGS_ANIMATION;
    return ChooseLibraryFile(kernel, owner, block, "ANIMLIB.PAG", KernGetScnPath(kernel));
}

int ChooseLibrarySound(HWND owner, KERNEL* kernel, char* buffer)
{
    const QXSTRING chosen = ChooseLibrarySoundFile(kernel, owner, MotionModule(), "D_PLAYANIMSOUND");
    if (!chosen.length())
        return 0;
    lstrcpynA(buffer, chosen, QX_NAME_BUFFER);
    return 1;
}
