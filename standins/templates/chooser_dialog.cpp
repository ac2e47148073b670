// The chooser's dialog procedure, the placing of the hook dialog and the answers to the
// hook's questions.
#include "chooser_dialog.h"

#include "qxtmplres.h"

#include <string>

static_assert(IDC_TEMPLATE_LIST == QXTMPL_LIST_ID);

namespace {

// The hook dialog keeps its own procedure here while ours forwards the questions.
constexpr const char* HOOK_PROC_PROPERTY = "QXTMPL_HOOKPROC";

struct CHOOSER_MESSAGES {
    UINT getName = RegisterWindowMessageA(QXTMPL_GETNAME_MSG);
    UINT getDescription = RegisterWindowMessageA(QXTMPL_GETDESCRIPTION_MSG);
    UINT getFile = RegisterWindowMessageA(QXTMPL_GETFILE_MSG);
    UINT itemChanged = RegisterWindowMessageA(QXTMPL_ITEMCHANGED_MSG);

    bool IsQuestion(UINT message) const
    {
        return message == getName || message == getDescription || message == getFile;
    }
};

const CHOOSER_MESSAGES& Messages()
{
    static const CHOOSER_MESSAGES messages;
    return messages;
}

struct CHOOSER {
    QXTMPL_BLOCK& block;
    const std::vector<TEMPLATE_ITEM>& templates;
    HWND hook = nullptr;
};

CHOOSER* ChooserOf(HWND dialog) { return reinterpret_cast<CHOOSER*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

// The template selected in the list, or null for "no template" and no selection.
const TEMPLATE_ITEM* SelectedTemplate(HWND dialog, const CHOOSER& chooser)
{
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_TEMPLATE_LIST, LB_GETCURSEL, 0, 0);
    if (index < 1 || static_cast<size_t>(index) > chooser.templates.size())
        return nullptr;
    return &chooser.templates[static_cast<size_t>(index) - 1];
}

std::string Description(const TEMPLATE_ITEM& item)
{
    std::string text;
    for (const std::string& file : item.files) {
        if (!text.empty())
            text += "; ";
        text += file.substr(file.find_last_of('\\') + 1);
    }
    return text;
}

// The answer of one of the three questions about the selected template.
LRESULT Answer(HWND dialog, const CHOOSER& chooser, UINT question, WPARAM size, LPARAM buffer)
{
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0)
        return 0;
    out[0] = '\0';
    const TEMPLATE_ITEM* item = SelectedTemplate(dialog, chooser);
    if (!item)
        return 0;
    std::string text;
    if (question == Messages().getName)
        text = item->name;
    else if (question == Messages().getDescription)
        text = Description(*item);
    else if (!item->files.empty())
        text = item->files.front();
    lstrcpynA(out, text.c_str(), static_cast<int>(size));
    return lstrlenA(out);
}

// Lets a hook that asks its own window be answered as if it had asked the chooser.
LRESULT CALLBACK ForwardingHookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto own = reinterpret_cast<WNDPROC>(GetPropA(hook, HOOK_PROC_PROPERTY));
    if (Messages().IsQuestion(message))
        return SendMessageA(GetParent(hook), message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hook, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        RemovePropA(hook, HOOK_PROC_PROPERTY);
    }
    return CallWindowProcA(own, hook, message, wParam, lParam);
}

// Moves the window of control `id` down by `dy` pixels.
void MoveControlDown(HWND dialog, int id, int dy)
{
    const HWND control = GetDlgItem(dialog, id);
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    SetWindowPos(control, nullptr, place.left, place.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Creates the caller's hook dialog where the hook area lies and makes room for it.
void ShowHook(HWND dialog, CHOOSER& chooser)
{
    const QXTMPL_BLOCK& block = chooser.block;
    if (!block.hookTemplate || !block.hookProc)
        return;
    chooser.hook = CreateDialogParamA(block.hookModule, block.hookTemplate, dialog, block.hookProc, block.hookData);
    if (!chooser.hook)
        return;
    SetPropA(chooser.hook, HOOK_PROC_PROPERTY, reinterpret_cast<HANDLE>(GetWindowLongPtrA(chooser.hook, GWLP_WNDPROC)));
    SetWindowLongPtrA(chooser.hook, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForwardingHookProc));

    RECT area, hookSize, frame;
    GetWindowRect(GetDlgItem(dialog, IDC_HOOK_AREA), &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    GetWindowRect(chooser.hook, &hookSize);
    const int height = hookSize.bottom - hookSize.top;
    SetWindowPos(chooser.hook, GetDlgItem(dialog, IDC_HOOK_AREA), area.left, area.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    MoveControlDown(dialog, IDOK, height);
    MoveControlDown(dialog, IDCANCEL, height);
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(chooser.hook, SW_SHOW);
}

void TellSelection(HWND dialog, const CHOOSER& chooser)
{
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_TEMPLATE_LIST, LB_GETCURSEL, 0, 0);
    const TEMPLATE_ITEM* item = SelectedTemplate(dialog, chooser);
    SetDlgItemTextA(dialog, IDC_DESCRIPTION, item ? Description(*item).c_str() : "");
    if (chooser.hook)
        SendMessageA(chooser.hook, Messages().itemChanged, static_cast<WPARAM>(index == LB_ERR ? -1 : index),
                     reinterpret_cast<LPARAM>(dialog));
}

BOOL OnInitDialog(HWND dialog, CHOOSER& chooser)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&chooser));
    const std::string category = chooser.block.category ? chooser.block.category : "";
    SetDlgItemTextA(dialog, IDC_CATEGORY, ("Modèles : " + category).c_str());
    const HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("(Aucun modèle)"));
    for (const TEMPLATE_ITEM& item : chooser.templates)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.name.c_str()));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    ShowHook(dialog, chooser);
    TellSelection(dialog, chooser);
    return TRUE;
}

void OnOk(HWND dialog, const CHOOSER& chooser)
{
    if (chooser.hook && SendMessageA(chooser.hook, WM_COMMAND, IDOK, 0) != 0)
        return;  // the hook refused what the user entered in it
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_TEMPLATE_LIST, LB_GETCURSEL, 0, 0);
    EndDialog(dialog, index < 1 ? CHOSE_NO_TEMPLATE : index - 1);
}

void OnCancel(HWND dialog, const CHOOSER& chooser)
{
    if (chooser.hook)
        SendMessageA(chooser.hook, WM_COMMAND, IDCANCEL, 0);
    EndDialog(dialog, CHOSE_CANCELLED);
}

INT_PTR CALLBACK ChooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog(dialog, *reinterpret_cast<CHOOSER*>(lParam));
    CHOOSER* chooser = ChooserOf(dialog);
    if (!chooser)
        return FALSE;
    if (Messages().IsQuestion(message)) {
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, Answer(dialog, *chooser, message, wParam, lParam));
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOk(dialog, *chooser);
        return TRUE;
    case IDCANCEL:
        OnCancel(dialog, *chooser);
        return TRUE;
    case IDC_TEMPLATE_LIST:
        if (HIWORD(wParam) == LBN_SELCHANGE)
            TellSelection(dialog, *chooser);
        else if (HIWORD(wParam) == LBN_DBLCLK)
            OnOk(dialog, *chooser);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int RunChooserDialog(HINSTANCE module, QXTMPL_BLOCK& block, const std::vector<TEMPLATE_ITEM>& templates)
{
    CHOOSER chooser{block, templates};
    const INT_PTR chosen = DialogBoxParamA(module, IDD_CHOOSER, block.owner, ChooserProc,
                                           reinterpret_cast<LPARAM>(&chooser));
    // A dialog that cannot be shown answers -1 as a cancel does: nothing was chosen.
    static_assert(CHOSE_CANCELLED == -1);
    return static_cast<int>(chosen);
}
