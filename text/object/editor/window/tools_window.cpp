// The tools palette: set-up beside the control, the state of its controls after each change of
// the selection, and its procedure.
#include "tools_window.h"

#include "bullets.h"
#include "dialog_support.h"
#include "edit_rulers.h"
#include "edit_frame.h"
#include "editwindow_res.h"
#include "font_hook.h"
#include "font_list.h"
#include "format_commands.h"
#include "kernel.h"
#include "qxwindowptr.h"
#include "rte_edit_control.h"
#include "rte_style_wrappers.h"
#include "rte_styles.h"
#include "text_document.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int Sizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// What an external text does not let the author change: only branches are set in it.
constexpr int FormattingMenu[] = {CMD_NEXT_BRANCH, CMD_PROPERTIES, CMD_PARAGRAPH, CMD_SELECT_ALL,
                                  CMD_TEXT_BACKGROUND, CMD_FONT};
constexpr int FormattingButtons[] = {CMD_ALIGN_LEFT, CMD_ALIGN_CENTRE, CMD_ALIGN_RIGHT, CMD_ALIGN_JUSTIFY,
                                     CMD_COLOUR, CMD_FONT_LIST, CMD_SIZE_LIST, CMD_BOLD, CMD_ITALIC, CMD_UNDERLINE};

void Enable(EDITSESSION* session, int id, bool on)
{
    EnableMenuItem(session->menuBar, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    if (HWND item = GetDlgItem(session->tools, id))
        EnableWindow(item, on);
}

void AddSize(HWND list, int size)
{
    char text[8];
    std::snprintf(text, sizeof text, "%2.2s", std::to_string(size).c_str());
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// Selects the entry, added when missing; nothing selected for "".
void SelectEntry(HWND list, const char* text)
{
    if (!*text) {
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        return;
    }
    LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (index == CB_ERR)
        index = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(list, CB_SETCURSEL, index, 0);
}

int EmbeddingNote(const char* face) { return EmbeddingNoteId(KernGetFontEmbedingFlag(face)); }

void ShowEmbeddingNote(EDITSESSION* session, const char* face)
{
    SetDlgItemTextA(session->tools, IDC_EMBEDDING_NOTE, DialogString(EmbeddingNote(face)));
}

void SetUpLists(EDITSESSION* session)
{
    HWND faces = GetDlgItem(session->tools, CMD_FONT_LIST), sizes = GetDlgItem(session->tools, CMD_SIZE_LIST);
    SendMessageA(faces, CB_RESETCONTENT, 0, 0);
    for (const std::string& face : TextFontList())
        SendMessageA(faces, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    for (int size : Sizes)
        AddSize(sizes, size);
    const LOGFONTA& font = session->copy->defaults.properties.font;
    SelectEntry(faces, font.lfFaceName);
    SelectEntry(sizes, std::to_string(font.lfHeight < 0 ? -font.lfHeight : font.lfHeight).c_str());
    ShowEmbeddingNote(session, font.lfFaceName);
    HDC dc = GetDC(session->control);
    session->resolution = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(session->control, dc);
}

void PlaceBesideControl(EDITSESSION* session)
{
    RECT control{}, tools{};
    GetWindowRect(session->control, &control);
    GetWindowRect(session->tools, &tools);
    const POINT at = ToolsPlacement({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, control, tools);
    SetWindowPos(session->tools, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetButtonLabel(EDITSESSION* session, int label)
{
    // The button's text may be "bitmap;tooltip": the part after the first ';' is the label.
    HWND button = GetDlgItem(session->tools, CMD_BRANCH);
    char text[96] = "";
    GetWindowTextA(button, text, sizeof text);
    char* semicolon = std::strchr(text, ';');
    char changed[160];
    if (semicolon) {
        semicolon[1] = 0;
        std::snprintf(changed, sizeof changed, "%s%s", text, session->labels[label]);
    } else {
        std::snprintf(changed, sizeof changed, "%s", session->labels[label]);
    }
    SetWindowTextA(button, changed);
}

void ShowSelectionFormat(EDITSESSION* session)
{
    HWND tools = session->tools;
    const RteHandle doc = session->document;
    RteParFormat format{}, uniformFormat{};
    RteCharStyle style{}, uniform{};
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    const RteRange range{start, end};
    EngineDo([&] {
        RteGetParFormat(doc, &range, false, &format, &uniformFormat);
        RteGetCharStyle(doc, &range, false, &style, &uniform);
    });
    for (int i = 0; i < 4; ++i)
        CheckDlgButton(tools, CMD_ALIGN_LEFT + i, format.alignment == i ? BST_CHECKED : BST_UNCHECKED);
    const bool caret = start == end;
    auto pressed = [&](int16_t RteCharStyle::*field) {
        return caret ? (style.*field) != 0 : SelectionHasStyle(session, field) && (uniform.*field) != 0;
    };
    CheckDlgButton(tools, CMD_BOLD, pressed(&RteCharStyle::bold) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(tools, CMD_ITALIC, pressed(&RteCharStyle::italic) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(tools, CMD_UNDERLINE, pressed(&RteCharStyle::underline) ? BST_CHECKED : BST_UNCHECKED);
    char face[RTE_FONT_NAME_BYTES + 1] = "";
    int32_t sameFace = 0, sameSize = 0;
    int16_t points = 0;
    EngineDo([&] {
        sameFace = RteGetFontName(doc, face);
        sameSize = RteGetPointSize(doc, &points);
    });
    SelectEntry(GetDlgItem(tools, CMD_FONT_LIST), sameFace ? face : "");
    if (sameFace)
        ShowEmbeddingNote(session, face);
    const int pixels = points * session->resolution / 96;
    SelectEntry(GetDlgItem(tools, CMD_SIZE_LIST), sameSize && pixels > 0 ? std::to_string(pixels).c_str() : "");
}

INT_PTR CALLBACK ToolsProc(HWND tools, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* session = reinterpret_cast<EDITSESSION*>(lParam);
        session->tools = tools;
        session->menuBar = GetMenu(tools);
        session->undo.menuBar = session->menuBar;
        session->undo.undoButton = GetDlgItem(tools, CMD_UNDO);
        SetQORVEXpointer(tools, session);
        PlaceBesideControl(session);
        SetUpLists(session);
        Enable(session, CMD_UNDO, false);
        LoadStringA(TextModule(), IDS_BRANCH_LABEL, session->labels[LABEL_BRANCH], sizeof session->labels[0]);
        LoadStringA(TextModule(), IDS_BRANCH_LABEL_CREATE, session->labels[LABEL_CREATE], sizeof session->labels[0]);
        LoadStringA(TextModule(), IDS_BRANCH_LABEL_MODIFY, session->labels[LABEL_MODIFY], sizeof session->labels[0]);
        if (session->copy->external)
            DisableFormatting(session);
        RefreshTools(session);
        RefreshPaste(session);
        return FALSE;
    }
    EDITSESSION* session = SessionOf(tools);
    if (!session)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == CBN_SELCHANGE || HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == 0 ||
            HIWORD(wParam) == 1)
            RunToolCommand(session, LOWORD(wParam));
        return TRUE;
    case WM_CHAR:
        if (wParam == 'A')
            RunToolCommand(session, CMD_HELP);
        else if (wParam == 'P')
            RunToolCommand(session, CMD_PROPERTIES);
        return TRUE;
    case WM_MENUSELECT:
        SetWindowLongPtrA(tools, DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_CLOSE:
        RunToolCommand(session, CMD_CLOSE);
        return TRUE;
    case WM_DESTROY:
        SetQORVEXpointer(tools, nullptr);
        session->tools = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

POINT ToolsPlacement(SIZE screen, const RECT& control, const RECT& tools)
{
    const int w = tools.right - tools.left, h = tools.bottom - tools.top;
    POINT at{tools.left, tools.top};
    if (screen.cx > control.right + w * 9 / 8)
        at.x = control.right + w / 8;
    else if (w * 9 / 8 < control.left)
        at.x = control.left - w * 9 / 8;
    else if (h * 9 / 8 < control.top)
        at.y = control.top - h * 9 / 8;
    else if (screen.cy > control.bottom + h * 9 / 8)
        at.y = control.bottom + h / 8;
    else
        at.x = screen.cx - w * 9 / 8;
    if (at.x < 0)
        at.x = 5;
    if (at.y < 0)
        at.y = 5;
    return at;
}

void OpenToolsWindow(EDITSESSION* session)
{
    BuildTextFontList(session->frame);
    CreateDialogParamA(TextModule(), "D_TOOLS", session->frame, ToolsProc, reinterpret_cast<LPARAM>(session));
}

void RefreshTools(EDITSESSION* session)
{
    if (!session->tools)
        return;
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    const bool range = start != end;
    Enable(session, CMD_CUT, range);
    Enable(session, CMD_COPY, range);
    Enable(session, CMD_DELETE, range);
    const bool branch = range && SelectionBranchId(session);
    EnableMenuItem(session->menuBar, CMD_BRANCH, MF_BYCOMMAND | (branch ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(session->menuBar, CMD_MODIFY_BRANCH, MF_BYCOMMAND | (branch ? MF_ENABLED : MF_GRAYED));
    SetButtonLabel(session, !range ? LABEL_BRANCH : branch ? LABEL_MODIFY : LABEL_CREATE);
    ShowSelectionFormat(session);
    ShowBulletState(session);
    RefreshRulers(session);
}

void DisableFormatting(EDITSESSION* session)
{
    for (int id : FormattingMenu)
        EnableMenuItem(session->menuBar, id, MF_BYCOMMAND | MF_GRAYED);
    for (int id : FormattingButtons)
        EnableWindow(GetDlgItem(session->tools, id), FALSE);
    RefreshPaste(session);
}

void RefreshPaste(EDITSESSION* session)
{
    if (!session->tools)
        return;
    const bool usable = (IsClipboardFormatAvailable(CF_TEXT) ||
                         IsClipboardFormatAvailable(RegisterClipboardFormatA(RTE_CLIPBOARD_FORMAT))) &&
                        !session->copy->external;
    Enable(session, CMD_PASTE, usable);
}
