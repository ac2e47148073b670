// The system open-file dialog with a preview: the library's child template and hook carry a
// QXPREVIEW under the dialog's controls and feed it the selected file, while the caller's
// own hook and custom data keep working as with GetOpenFileNameA.
#include "preview_parts.h"

#include "preview_ids.h"
#include "qxwindowptr.h"

namespace {

constexpr int ImagePaneHeight = 100;
constexpr int CheckBoxRowHeight = 22;
constexpr int ButtonRowHeight = 29;

// Kept on the dialog under the keyed pointer (999, 999) while it runs; lives on the stack of
// PreviewGetOpenFileName.
struct PreviewDialogState {
    LPOFNHOOKPROC callerHook;
    LPARAM callerData;
    const QXPREVIEW_REQUEST* request;  // the preview's flags, callback, user value and options
    QXPREVIEW* preview;
};

// The hook's window is the child made from the template; the dialog is its parent.
HWND DialogOf(HWND hook) { return GetParent(hook); }

PreviewDialogState* StateOf(HWND hook)
{
    return static_cast<PreviewDialogState*>(
        GetQORVEXXpointer(DialogOf(hook), QXKEY_WINDOW_BLOCK_1, QXKEY_WINDOW_BLOCK_2));
}

RECT PreviewRect(HWND hook, char flags)
{
    RECT width{};
    if (HWND control = GetDlgItem(hook, IDC_PREVIEW_WIDTH))
        GetWindowRect(control, &width);
    int height = ImagePaneHeight;
    if (!(flags & QXPREVIEW_IMAGE))
        height = ((flags & QXPREVIEW_CHECKBOX) ? CheckBoxRowHeight : 0) +
                 ((flags & (QXPREVIEW_PLAY | QXPREVIEW_STOP)) ? ButtonRowHeight : 0);
    return RECT{0, 0, width.right - width.left, height};
}

bool Previewing(const QXPREVIEW* preview) { return !preview->GetHwnd(QXPREVIEW_CHECKBOX) || PreviewSwitchOn(); }

// The dialog's selected file goes to the preview, or none while previewing is off.
void ShowSelection(HWND hook, QXPREVIEW* preview)
{
    char path[QX_NAME_BUFFER] = {};
    if (Previewing(preview))
        SendMessageA(DialogOf(hook), CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path));
    preview->SetFilename(path);
    preview->DrawImage();
}

void OnInitDialog(HWND hook, OPENFILENAMEA* ofn)
{
    auto* state = reinterpret_cast<PreviewDialogState*>(ofn->lCustData);
    ofn->lCustData = state->callerData;
    SetQORVEXXpointer(DialogOf(hook), QXKEY_WINDOW_BLOCK_1, state, QXKEY_WINDOW_BLOCK_2);
    const QXPREVIEW_REQUEST& request = *state->request;
    RECT rect = PreviewRect(hook, request.flags);
    state->preview = new QXPREVIEW(hook, request.flags, QXPREVIEW_BELOW_LEFT, &rect, request.callback, request.user);
}

void OnCommand(HWND hook, QXPREVIEW* preview, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_PREVIEW_WIDTH && HIWORD(wParam) == 1) {
        ShowSelection(hook, preview);
        return;
    }
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (!control)
        return;
    if (control == preview->GetHwnd(QXPREVIEW_PLAY)) {
        preview->DoCallback(QXPREVIEW_PLAY_PRESSED, nullptr, nullptr);
    } else if (control == preview->GetHwnd(QXPREVIEW_STOP)) {
        preview->DoCallback(QXPREVIEW_STOP_PRESSED, nullptr, nullptr);
    } else if (control == preview->GetHwnd(QXPREVIEW_CHECKBOX)) {
        SetPreviewSwitch(SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
        // Asks for the selection again when previewing (see above), forgets it when not.
        preview->SetActiveControls(hook);
    }
}

// With the preview following the file-type box, only the first type is previewed: the others
// turn previewing off and lock the check box (a preview without one always previews). False
// when the box has no selection: the notification then goes on untouched.
bool FollowFileType(HWND hook, QXPREVIEW* preview)
{
    const LRESULT type = SendDlgItemMessageA(DialogOf(hook), cmb1, CB_GETCURSEL, 0, 0);
    if (type == CB_ERR)
        return false;
    if (const HWND checkBox = preview->GetHwnd(QXPREVIEW_CHECKBOX)) {
        EnableWindow(checkBox, type == 0);
        SetPreviewSwitch(type == 0 && SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED);
    }
    return true;
}

void OnSelectionChange(HWND hook, const PreviewDialogState& state)
{
    if ((state.request->options & QXPREVIEW_FOLLOW_FILE_TYPE) && !FollowFileType(hook, state.preview))
        return;
    ShowSelection(hook, state.preview);
}

void OnDestroy(PreviewDialogState* state)
{
    state->preview->DoCallback(QXPREVIEW_END, nullptr, nullptr);
    delete state->preview;
    state->preview = nullptr;
}

UINT_PTR CALLBACK PreviewHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam)
{
    UINT_PTR result = 0;
    if (message == WM_INITDIALOG) {
        OnInitDialog(hook, reinterpret_cast<OPENFILENAMEA*>(lParam));
        result = 1;
    }
    PreviewDialogState* state = StateOf(hook);
    if (!state)
        return result;
    if (state->preview) {
        switch (message) {
        case WM_COMMAND:
            OnCommand(hook, state->preview, wParam, lParam);
            break;
        case WM_NOTIFY:
            if (reinterpret_cast<NMHDR*>(lParam)->code == CDN_SELCHANGE)
                OnSelectionChange(hook, *state);
            break;
        case WM_DESTROY:
            OnDestroy(state);
            break;
        }
    }
    if (state->callerHook)
        result = state->callerHook(hook, message, wParam, lParam);
    // The caller's hook sees the last message too; then the state is forgotten.
    if (message == WM_NCDESTROY)
        ClearQORVEXXpointer(DialogOf(hook), state, QXKEY_WINDOW_BLOCK_1, QXKEY_WINDOW_BLOCK_2);
    return result;
}

}  // namespace

BOOL PreviewGetOpenFileName(QXPREVIEW_REQUEST* request)
{
    if (!request || !request->ofn)
        return FALSE;
    OPENFILENAMEA* ofn = request->ofn;
    PreviewDialogState state{(ofn->Flags & OFN_ENABLEHOOK) ? ofn->lpfnHook : nullptr, ofn->lCustData, request,
                             nullptr};
    const OPENFILENAMEA callers = *ofn;
    constexpr DWORD OurFlags = OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    ofn->lpfnHook = PreviewHook;
    ofn->lCustData = reinterpret_cast<LPARAM>(&state);
    ofn->hInstance = PreviewLibrary();
    ofn->lpTemplateName = QX_PREVIEW_TEMPLATE;
    ofn->Flags = (ofn->Flags & ~OFN_ENABLETEMPLATEHANDLE) | OurFlags;
    const BOOL chosen = GetOpenFileNameA(ofn);
    // The results stay; what the caller described comes back as it was.
    ofn->lpfnHook = callers.lpfnHook;
    ofn->lCustData = callers.lCustData;
    ofn->hInstance = callers.hInstance;
    ofn->lpTemplateName = callers.lpTemplateName;
    constexpr DWORD Lent = OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE;
    ofn->Flags = (ofn->Flags & ~Lent) | (callers.Flags & Lent);
    return chosen;
}
