// The edit frame: set-up of the "rtedit" control over the object, the control's notifications
// (typing steps, paste and copy with branches), the frame around the control, and the end of
// the editor.
#include "edit_frame.h"

#include "bullet_navigation.h"
#include "bullets.h"
#include "dialog_support.h"
#include "edit_background.h"
#include "edit_rulers.h"
#include "edit_subclass.h"
#include "editwindow_res.h"
#include "filefetch.h"
#include "format_commands.h"
#include "kernel.h"
#include "qxwindowptr.h"
#include "rte_edit_control.h"
#include "rte_gdi.h"
#include "rte_scrolling.h"
#include "rte_styles.h"
#include "rte_selection.h"
#include "rte_transfer.h"
#include "rte_undo.h"
#include "text_document.h"
#include "text_files.h"
#include "textclip.h"
#include "tools_window.h"

#include <algorithm>
#include <cstring>

namespace {

// The frame's margin around the control.
constexpr int FrameMargin = 10;

// The text's rectangle on the screen: the object's window, or for a new object the rectangle
// its creation gave it in its parent's window.
RECT ReferenceRect(EDITSESSION* session)
{
    TEXTE* copy = session->copy;
    RECT r{copy->x, copy->y, copy->x + copy->w, copy->y + copy->h};
    HWND host = copy->parent ? copy->parent->window : nullptr;
    if (session->objectWindow) {
        GetClientRect(session->objectWindow, &r);
        host = session->objectWindow;
    }
    MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool SetUpEditControl(EDITSESSION* session)
{
    TEXTE* copy = session->copy;
    HWND frame = session->frame;
    if (copy->editControl)
        DestroyWindow(copy->editControl);
    copy->editControl = nullptr;
    RECT r = ReferenceRect(session);
    // The control's client area lies exactly over the object's.
    InflateRect(&r, FrameMargin, FrameMargin);
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(frame, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(frame, GWL_EXSTYLE)));
    MoveWindow(frame, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    RECT client{};
    GetClientRect(frame, &client);
    HWND control = CreateWindowExA(0, RTE_CONTROL_CLASS, "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, FrameMargin,
                                   FrameMargin, client.right - 2 * FrameMargin, client.bottom - 2 * FrameMargin, frame,
                                   reinterpret_cast<HMENU>(IDC_EDIT_TEXT), TextModule(), nullptr);
    if (!control)
        return false;
    session->control = control;
    session->document = reinterpret_cast<RteHandle>(SendMessageA(control, RTEM_GETDOC, 0, 0));
    copy->editControl = control;
    copy->editDocument = session->document;
    copy->editScrollBar = &copy->scrollBar;
    // The editor keeps its own steps; the control's single undo would undo them behind it.
    SendMessageA(control, RTEM_ENABLEUNDO, 0, 0);
    SendMessageA(control, RTEM_SETNOTIFY, 0,
                 SendMessageA(control, RTEM_GETNOTIFY, 0, 0) | RTEN_FLAG_CHAR | RTEN_FLAG_PASTEDATA |
                     RTEN_FLAG_COPYDATA | RTEN_FLAG_PREDRAW);
    SendMessageA(control, RTEM_SETNOTIFYWND, 0, reinterpret_cast<LPARAM>(frame));
    SubclassEditControl(session);
    // What a new paragraph and typed text start with.
    LOGFONTA font = copy->defaults.properties.font;
    SendMessageA(control, RTEM_SETLOGFONT, 0, reinterpret_cast<LPARAM>(&font));
    SendMessageA(control, RTEM_SETTEXTCOLOR, 0, copy->defaults.properties.fontColour & QX_COLOUR_RGB_MASK);
    const COLORREF textBack = copy->defaults.properties.textBackground;
    SendMessageA(control, RTEM_SETBACKCOLOR, 0, IsOpaqueColour(textBack) ? textBack & QX_COLOUR_RGB_MASK : QX_NO_BACKGROUND);
    // The text as the page shows it, without the visited look.
    TEXTE* original = session->original;
    if (original && original->document) {
        original->RemoveVisitedStyling();
        EngineDo([&] { RteInsertDocument(session->document, original->document, 0, 0, 0); });
        original->ApplyVisitedStyling();
    } else {
        copy->LoadText();
    }
    // A new text steps its tabs at the author's default interval; so does one whose paragraphs
    // have none, whose tabs would otherwise step a pixel at a time.
    if (!RteTextLength(session->document) || !TextTabInterval(session))
        SetTextTabInterval(session, copy->defaults.properties.tabInterval);
    copy->SetViewAreas();
    copy->UpdateScrollBar();
    const COLORREF back = copy->transparent && !copy->backgroundSnapshot ? QX_NO_BACKGROUND : copy->background;
    SendMessageA(control, RTEM_SETBKCOLOR, 0, back);
    SetEditSelection(session, 0, 0);
    SetFocus(control);
    PostMessageA(frame, TM_REFRESHSCROLL, 0, 0);
    return true;
}

// The keystroke's step: keystrokes of one kind continue the step of the run.
void RecordKeystroke(EDITSESSION* session, int c)
{
    const int16_t code = c == VK_BACK ? RTE_UNDO_BACKSPACE : c == 127 ? RTE_UNDO_FORWARD_DELETE : RTE_UNDO_TYPING;
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    if (!session->undo.typingRun) {
        if (code == RTE_UNDO_BACKSPACE && start == 0 && end == 0)
            return;
        if (code == RTE_UNDO_TYPING && start == end && SelectionBranchId(session)) {
            // Typing never makes a branch longer.
            RteCharStyle plain{}, mask{};
            std::memset(&mask.value14, 0xFF, sizeof mask.value14);
            const RteRange caret{start, end};
            EngineDo([&] { RteSetCharStyle(session->document, &caret, &plain, &mask, 0); });
        }
    }
    if (start != end && code == RTE_UNDO_TYPING) {
        // Typing over a range: the range's deletion and the typing are undone together.
        BeginUndoGroup(&session->undo);
        if (TXTUNDO* step = AddUndoStep(&session->undo, RTE_UNDO_CUT, nullptr, VERB_REPLACE))
            step->replace = 1;
        AddKeystrokeStep(&session->undo, code);
        EndUndoGroup(&session->undo);
    } else {
        AddKeystrokeStep(&session->undo, code);
    }
    MarkModified(session);
}

// The dialog answer of a notification.
INT_PTR Answer(HWND frame, LRESULT value)
{
    SetWindowLongPtrA(frame, DWLP_MSGRESULT, value);
    return TRUE;
}

void PaintFrame(HWND frame, EDITSESSION* session)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(frame, &paint);
    RECT r{};
    GetWindowRect(session->control, &r);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
    InflateRect(&r, 2, 2);
    HPEN dark = CreatePen(PS_SOLID, 2, RGB(0x80, 0x80, 0x80)), light = CreatePen(PS_SOLID, 2, RGB(0xFA, 0xFA, 0xFA));
    HGDIOBJ old = SelectObject(dc, dark);
    MoveToEx(dc, r.left, r.bottom, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right, r.top);
    SelectObject(dc, light);
    LineTo(dc, r.right, r.bottom);
    LineTo(dc, r.left, r.bottom);
    SelectObject(dc, old);
    DeleteObject(dark);
    DeleteObject(light);
    EndPaint(frame, &paint);
}

INT_PTR CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* session = reinterpret_cast<EDITSESSION*>(lParam);
        session->frame = frame;
        SetQORVEXpointer(frame, session);
        if (!SetUpEditControl(session)) {
            EndDialog(frame, 0);
            return TRUE;
        }
        session->undo.editControl = session->control;
        session->undo.clipboardOwner = frame;
        session->undo.snapshotFolder = KernGetCachePath(session->copy->GetKernel());
        LoadUndoVerbs(&session->undo, TextModule());
        OpenToolsWindow(session);
        // Paste follows the clipboard.
        AddClipboardFormatListener(frame);
        return FALSE;
    }
    EDITSESSION* session = SessionOf(frame);
    if (!session)
        return FALSE;
    switch (message) {
    case TM_REFRESHSCROLL:
        PurgeUnusedBranches(session->copy, session->document);
        SetEditSelection(session, 0, 0);
        ShowCaret(session);
        CreateEditRulers(session);
        KeepOutOfBulletPrefix(session, 0);
        RefreshTools(session);
        return TRUE;
    case QX_EDIT_CONTINUE_BULLETS:
        ContinueBulletedList(session);
        return TRUE;
    case QX_EDIT_REFRESH:
        RefreshTools(session);
        return TRUE;
    case WM_PAINT:
        PaintFrame(frame, session);
        return TRUE;
    case WM_CLIPBOARDUPDATE:
        RefreshPaste(session);
        return TRUE;
    case RTEN_CHAR:
        if (lParam >= 28 && lParam <= 31) {
            PostMessageA(frame, QX_EDIT_REFRESH, 0, lParam);
            return Answer(frame, 0);
        }
        if (lParam == RTE_CHAR_PARAGRAPH && OnBulletedEnter(session))
            return Answer(frame, 1);
        RecordKeystroke(session, static_cast<int>(lParam));
        return Answer(frame, 0);
    case RTEN_PASTEDATA:
        // Asked only whether something can be pasted: the control looks itself.
        if (!lParam)
            return Answer(frame, 0);
        return Answer(frame, reinterpret_cast<LRESULT>(PasteDocumentWithBranches(session->copy, RteEnvironmentOf())));
    case RTEN_COPYDATA:
        return Answer(frame, CopyDocumentWithBranches(session->copy, reinterpret_cast<RteHandle>(lParam)));
    case RTEN_PREDRAW: {
        const auto* record = reinterpret_cast<const RtePageNotify*>(lParam);
        const RECT area{record->rect.left, record->rect.top, record->rect.right, record->rect.bottom};
        PaintEditBackground(session, record->dc, area);
        return Answer(frame, 0);
    }
    case WM_SIZE:
        LayOutEditFrame(session);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_EDIT_TEXT) {
            if (HIWORD(wParam) == EN_CHANGE && DrawsOverSnapshot(session))
                InvalidateRect(session->control, nullptr, TRUE);
            return TRUE;
        }
        // The palette's commands also reach the frame (the Escape key, the tests' menus).
        if (session->tools)
            SendMessageA(session->tools, WM_COMMAND, wParam, lParam);
        return TRUE;
    case WM_DESTROY:
        RemoveClipboardFormatListener(frame);
        UnsubclassEditControl(session);
        DestroyEditRulers(session);
        session->copy->editControl = nullptr;
        session->copy->editDocument = nullptr;
        session->copy->editScrollBar = nullptr;
        session->copy->scrollBar = nullptr;
        SetQORVEXpointer(frame, nullptr);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

EDITSESSION* SessionOf(HWND window) { return window ? static_cast<EDITSESSION*>(GetQORVEXpointer(window)) : nullptr; }

void GetEditSelection(EDITSESSION* session, int32_t* start, int32_t* end)
{
    int32_t pair[2]{};
    if (session->control)
        SendMessageA(session->control, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(pair));
    *start = pair[0];
    *end = pair[1];
}

void SetEditSelection(EDITSESSION* session, int32_t start, int32_t end)
{
    const int32_t pair[2]{start, end};
    if (session->control)
        SendMessageA(session->control, RTEM_SETSEL, 1, reinterpret_cast<LPARAM>(pair));
}

int SelectionBranchId(EDITSESSION* session)
{
    int32_t start = 0, end = 0, paragraph = 0;
    GetEditSelection(session, &start, &end);
    // A bullet never carries a branch: a selection from it is read from the text after it.
    if (start < end && BulletPlace(session, start, &paragraph))
        start = std::min(paragraph + QX_BULLET_PREFIX_LENGTH, end);
    RteCharStyle style{}, uniform{};
    const RteRange range{start, end};
    EngineDo([&] { RteGetCharStyle(session->document, &range, false, &style, &uniform); });
    return style.value14 > 0 ? style.value14 : 0;
}

void MarkModified(EDITSESSION* session) { session->modified = 1; }

int RunEditFrame(HWND owner, EDITSESSION* session)
{
    return DialogBoxParamA(TextModule(), "D_EDITWINDOW", owner, FrameProc, reinterpret_cast<LPARAM>(session)) == 1;
}

void EndEditor(EDITSESSION* session, int result)
{
    if (session->tools) {
        DestroyWindow(session->tools);
        session->tools = nullptr;
    }
    // The steps go while their document is still the control's.
    EndEditorUndo(&session->undo);
    EndDialog(session->frame, result);
}

bool FinishEditing(EDITSESSION* session)
{
    TEXTE* copy = session->copy;
    TakeRulerTabs(session);
    if (session->modified || copy->dropped || copy->external) {
        int32_t length = 0;
        EngineDo([&] { length = RteTextLength(session->document); });
        const bool hadText = session->original && session->original->fileName.length();
        if (hadText && length == 0) {
            MessageBoxA(session->frame, DialogString(IDS_EMPTY_TEXT), DialogString(IDS_EMPTY_CAPTION),
                        MB_OK | MB_ICONQUESTION);
            return false;
        }
        // A file shown from elsewhere stays the author's: only one of the plug-in's own format
        // takes the edited text (and its branch marks) back.
        const bool authorsFile = copy->external && copy->format != TEXTFORMAT_NATIVE;
        if ((length > 0 || hadText) && !authorsFile) {
            // The edited text becomes the copy's own file, which the object takes over.
            QXSTRING file = copy->external ? copy->fileName : QXSTRING(KernGetCachePath(copy->GetKernel()));
            if (!copy->external) {
                file += "x";
                MakeTextTempName(copy, &file);
            }
            if (WriteTextFile(copy, file)) {
                if (copy->ownsTempFile && copy->localCopy.length() && lstrcmpiA(copy->localCopy, file))
                    DeleteFileA(copy->localCopy);
                copy->fileName = file;
                copy->localCopy = file;
                copy->ownsTempFile = copy->external ? 0 : 1;
            }
        }
    }
    copy->defaults.properties.background =
        (copy->background & QX_COLOUR_RGB_MASK) | (copy->transparent ? 0 : QX_COLOUR_OPAQUE);
    ClearUndoList(&session->undo.steps);
    return true;
}

void ShowCaret(EDITSESSION* session)
{
    if (!session->control || !session->document)
        return;
    SetFocus(session->control);
    int32_t start = 0, end = 0;
    GetEditSelection(session, &start, &end);
    EngineDo([&] { RteScrollToOffset(session->document, session->direction < 0 ? start : end, 3, 3, true, 1); });
    session->copy->UpdateScrollBar();
}
