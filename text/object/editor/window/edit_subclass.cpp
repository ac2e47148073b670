// The control's subclass: shortcuts, context menu, typing runs and selection direction.
#include "edit_subclass.h"

#include "bullet_navigation.h"
#include "dialog_support.h"
#include "edit_background.h"
#include "edit_frame.h"
#include "editwindow_res.h"
#include "format_commands.h"
#include "qxwindowptr.h"
#include "rte_edit_control.h"
#include "rte_style_records.h"
#include "rte_styles.h"
#include "text_document.h"
#include "tools_window.h"

#include <cstring>

namespace {

// The key pair of the control's own procedure on the frame.
constexpr int KeyControlProc1 = 1, KeyControlProc2 = 0;

struct CONTEXTITEM {
    int menuCommand;
    int toolCommand;
    bool focusFirst;
};
constexpr CONTEXTITEM ContextItems[] = {
    {CTX_CUT, CMD_CUT, false},        {CTX_COPY, CMD_COPY, false},          {CTX_PASTE, CMD_PASTE, false},
    {CTX_DELETE, CMD_DELETE, false},  {CTX_SELECT_ALL, CMD_SELECT_ALL, false}, {CTX_FONT, CMD_FONT, true},
    {CTX_PARAGRAPH, CMD_PARAGRAPH, true}, {CTX_BRANCH, CMD_MODIFY_BRANCH, true}, {CTX_NEXT_BRANCH, CMD_NEXT_BRANCH, true},
};

EDITSESSION* SessionOfControl(HWND control) { return SessionOf(GetParent(control)); }

bool IsChecked(EDITSESSION* session, int id) { return IsDlgButtonChecked(session->tools, id) == BST_CHECKED; }
bool IsEnabledTool(EDITSESSION* session, int id) { return IsWindowEnabled(GetDlgItem(session->tools, id)) != FALSE; }

// Checks an alignment button as a click would, then runs it.
int Aligned(EDITSESSION* session, int id)
{
    for (int other = CMD_ALIGN_LEFT; other <= CMD_ALIGN_JUSTIFY; ++other)
        CheckDlgButton(session->tools, other, other == id ? BST_CHECKED : BST_UNCHECKED);
    return id;
}

// Toggles bold, italic or underline as the button's click would.
int Toggled(EDITSESSION* session, int id)
{
    CheckDlgButton(session->tools, id, IsChecked(session, id) ? BST_UNCHECKED : BST_CHECKED);
    return id;
}

void OpenList(EDITSESSION* session, int id)
{
    session->shiftHeld = 0;
    SetFocus(GetDlgItem(session->tools, id));
    SendDlgItemMessageA(session->tools, id, CB_SHOWDROPDOWN, TRUE, 0);
}

void ToggleRaised(EDITSESSION* session, bool lowered)
{
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    RteCharStyle style{}, uniform{};
    const RteRange range{start, end};
    EngineDo([&] { RteGetCharStyle(session->document, &range, false, &style, &uniform); });
    RteCharStyle values{}, mask{};
    const int16_t current = lowered ? style.subscript : style.superscript;
    (lowered ? values.subscript : values.superscript) = current ? 0 : QX_RAISED_POINTS;
    std::memset(&mask.superscript, 0xFF, sizeof mask.superscript);
    std::memset(&mask.subscript, 0xFF, sizeof mask.subscript);
    AddUndoStep(&session->undo, 6, nullptr, VERB_FORMAT);
    EngineDo([&] { RteSetCharStyle(session->document, &range, &values, &mask, 1); });
    MarkModified(session);
}

void ShowContextMenu(EDITSESSION* session, HWND control, LPARAM lParam)
{
    HMENU bar = LoadMenuA(TextModule(), "TEXTEDCONTEXTMENU");
    HMENU menu = bar ? GetSubMenu(bar, 0) : nullptr;
    if (!menu)
        return;
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == -1) {
        // From the keyboard: below the caret.
        POINT caret{};
        GetCaretPos(&caret);
        caret.y += 20;
        ClientToScreen(control, &caret);
        at = caret;
    }
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    const bool range = start != end;
    for (int id : {CTX_CUT, CTX_COPY, CTX_DELETE, CTX_BRANCH})
        EnableMenuItem(menu, id, MF_BYCOMMAND | (range ? MF_ENABLED : MF_GRAYED));
    const bool branch = range && SelectionBranchId(session);
    ModifyMenuA(menu, CTX_BRANCH, MF_BYCOMMAND | MF_STRING | (range ? MF_ENABLED : MF_GRAYED), CTX_BRANCH,
                DialogString(branch ? IDS_CONTEXT_MODIFY_BRANCH : IDS_CONTEXT_CREATE_BRANCH));
    const bool paste = SendMessageA(control, RTEM_CANPASTE, 0, 0) != 0;
    EnableMenuItem(menu, CTX_PASTE, MF_BYCOMMAND | (paste ? MF_ENABLED : MF_GRAYED));
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, control, nullptr);
    DestroyMenu(bar);
    if (chosen)
        MapContextCommand(session, chosen);
}

// The characters 28 to 31 the control turns its arrow keys into.
bool IsArrowCharacter(WPARAM c) { return c >= 28 && c <= 31; }

// Keys that move the caret or the selection.
bool IsNavigation(WPARAM key)
{
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END ||
           key == VK_PRIOR || key == VK_NEXT;
}

LRESULT CALLBACK EditSubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    EDITSESSION* session = SessionOfControl(control);
    if (!session || !session->controlProc)
        return DefWindowProcA(control, message, wParam, lParam);
    const WNDPROC own = session->controlProc;
    switch (message) {
    case WM_KEYDOWN: {
        if (wParam == VK_SHIFT) {
            session->shiftHeld = 1;
            return 0;
        }
        if (wParam == VK_CONTROL) {
            session->ctrlHeld = 1;
            return 0;
        }
        const bool ctrl = session->ctrlHeld || GetKeyState(VK_CONTROL) < 0;
        const bool shift = session->shiftHeld || GetKeyState(VK_SHIFT) < 0;
        if (wParam == VK_ESCAPE) {
            PostMessageA(session->tools, WM_COMMAND, CMD_CANCEL, 0);
            return 0;
        }
        if (ctrl && (wParam == VK_OEM_PLUS || wParam == '=')) {
            ToggleRaised(session, shift);
            return 0;
        }
        if (ctrl && wParam >= 'A' && wParam <= 'Z') {
            // The shortcut runs from the key: posted keys give no control character.
            if (const int command = ShortcutCommand(session, static_cast<int>(wParam), shift))
                RunToolCommand(session, command);
            return 0;
        }
        if (IsNavigation(wParam)) {
            EndTypingRun(&session->undo);
            const LRESULT result = NavigateByKey(session, own, control, wParam, lParam, ctrl, shift);
            RefreshTools(session);
            return result;
        }
        return CallWindowProcA(own, control, message, wParam, lParam);
    }
    case WM_KEYUP:
        if (wParam == VK_SHIFT)
            session->shiftHeld = 0;
        else if (wParam == VK_CONTROL)
            session->ctrlHeld = 0;
        return CallWindowProcA(own, control, message, wParam, lParam);
    case WM_CHAR:
        // Control characters are the shortcuts, run from their keys; Escape closes. A letter with
        // Ctrl held is the shortcut's too. The arrows reach the control as the characters it
        // sends itself for them.
        if (session->ctrlHeld || (wParam < 32 && wParam != VK_RETURN && wParam != VK_TAB && wParam != VK_BACK &&
                                  !IsArrowCharacter(wParam)))
            return 0;
        return CallWindowProcA(own, control, message, wParam, lParam);
    case WM_CONTEXTMENU:
        ShowContextMenu(session, control, lParam);
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(control, &client);
        PaintEditBackground(session, reinterpret_cast<HDC>(wParam), client);
        return 1;
    }
    case WM_LBUTTONDOWN:
        session->click = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        EndTypingRun(&session->undo);
        if (session->ctrlHeld)
            return 0;
        return CallWindowProcA(own, control, message, wParam, lParam);
    case WM_LBUTTONUP: {
        const LRESULT result = CallWindowProcA(own, control, message, wParam, lParam);
        int32_t start = 0, end = 0;
        GetEditSelection(session, &start, &end);
        const POINT up{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        session->direction = start == end ? 0
                             : (up.y > session->click.y || (up.y == session->click.y && up.x >= session->click.x)) ? 1
                                                                                                                     : -1;
        KeepOutOfBulletPrefix(session, 0);
        RefreshTools(session);
        return result;
    }
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = CallWindowProcA(own, control, message, wParam, lParam);
        if (SendMessageA(control, RTEM_HASRANGE, 0, 0))
            session->direction = 1;
        KeepOutOfBulletPrefix(session, 0);
        RefreshTools(session);
        return result;
    }
    default:
        return CallWindowProcA(own, control, message, wParam, lParam);
    }
}

}  // namespace

void SubclassEditControl(EDITSESSION* session)
{
    session->controlProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(session->control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditSubclassProc)));
    SetQORVEXXpointer(session->frame, KeyControlProc1, reinterpret_cast<void*>(session->controlProc), KeyControlProc2);
}

void UnsubclassEditControl(EDITSESSION* session)
{
    if (!session->controlProc)
        return;
    if (IsWindow(session->control))
        SetWindowLongPtrA(session->control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(session->controlProc));
    ClearQORVEXXpointer(session->frame, reinterpret_cast<void*>(session->controlProc), KeyControlProc1, KeyControlProc2);
    session->controlProc = nullptr;
}

void MapContextCommand(EDITSESSION* session, int menuCommand)
{
    for (const CONTEXTITEM& item : ContextItems) {
        if (item.menuCommand != menuCommand)
            continue;
        if (item.focusFirst)
            SetFocus(session->tools);
        PostMessageA(session->tools, WM_COMMAND, item.toolCommand, 0);
        return;
    }
}

int ShortcutCommand(EDITSESSION* session, int key, bool shift)
{
    switch (key) {
    case 'A': return CMD_SELECT_ALL;
    case 'B': return CMD_BRANCH;
    case 'C': return shift ? Aligned(session, CMD_ALIGN_CENTRE) : IsEnabledTool(session, CMD_COPY) ? CMD_COPY : 0;
    case 'D': return shift ? Aligned(session, CMD_ALIGN_RIGHT) : 0;
    case 'E':
        if (shift)
            OpenList(session, CMD_SIZE_LIST);
        return 0;
    case 'G': return shift ? Aligned(session, CMD_ALIGN_LEFT) : Toggled(session, CMD_BOLD);
    case 'I': return Toggled(session, CMD_ITALIC);
    case 'J': return shift ? Aligned(session, CMD_ALIGN_JUSTIFY) : 0;
    case 'P':
        if (shift)
            OpenList(session, CMD_FONT_LIST);
        return 0;
    case 'U': return Toggled(session, CMD_UNDERLINE);
    case 'V': return IsEnabledTool(session, CMD_PASTE) ? CMD_PASTE : 0;
    case 'X': return IsEnabledTool(session, CMD_CUT) ? CMD_CUT : 0;
    case 'Z': return session->undo.steps.Items() ? CMD_UNDO : 0;
    default: return 0;
    }
}
