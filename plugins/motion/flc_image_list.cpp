// The image list 402 of the settings dialog: the series' pictures in play order, added,
// replaced and deleted at once on the working copy's series; the list shows a picture's full
// name under the mouse and reorders pictures by dragging.
#include "flc_settings.h"

#include "anim.h"
#include "authoring.h"
#include "filefetch.h"
#include "kernel.h"
#include "motionres.h"
#include "objdialog.h"
#include "qxmsgwind.h"
#include "qxpath.h"
#include "qxpreview.h"

#include <commdlg.h>
#include <cderr.h>

#include <vector>

namespace {

constexpr int LIST_EXTENT = 130;
// Room for many long names chosen at once.
constexpr DWORD SELECTION_BUFFER = 32 * 1024;
constexpr COLORREF TIP_COLOUR = 0x80FFFF;
constexpr int TIP_POINTS = 8;
constexpr UINT_PTR DRAG_SCROLL_LINES = 1;

// One list is subclassed at a time: the dialog is modal.
struct ListState {
    int tipItem = -1;
    bool dragging = false;
    MSGWIND tip;
    HBRUSH tipBrush = nullptr;
};
ListState listState;

std::string ShortName(const std::string& name)
{
    size_t cut = name.rfind('\\');
    if (cut == std::string::npos)
        cut = name.rfind('/');
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_SET_IMAGES); }

void LoadImages(FLC* copy)
{
    copy->anim->FetchAll([copy](const std::string& name) {
        char local[QX_NAME_BUFFER] = "";
        KernGetFileSync(copy->GetKernel(), name.c_str(), local);
        return std::string(local);
    });
    copy->anim->Start();
}

// The open-file dialog with a picture preview; the selection as the dialog gives it (a folder
// and zero-separated names for several), "" when cancelled.
std::string AskImages(HWND dialog, FLC* copy, bool several, const char* current)
{
    std::vector<char> selection(several ? SELECTION_BUFFER : QX_NAME_BUFFER, '\0');
    if (!AskPreviewedFiles(copy->GetKernel(), dialog, ModuleFilter(IDS_IMAGE_FILTER), current,
                           QXPREVIEW_IMAGE | QXPREVIEW_CHECKBOX, several ? OFN_ALLOWMULTISELECT | OFN_EXPLORER : 0,
                           nullptr, 0, selection.data(), static_cast<DWORD>(selection.size()))) {
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            ModuleBox(dialog, IDS_NO_FILE_CAPTION, IDS_LIST_TOO_SMALL, MB_OK | MB_ICONWARNING);
        return "";
    }
    // The selection ends with two zeros.
    size_t end = 0;
    while (end + 1 < selection.size() && (selection[end] || selection[end + 1]))
        ++end;
    return std::string(selection.data(), end + 1) + '\0';
}

void PutLine(HWND list, int index, const std::string& name, bool replace)
{
    if (replace)
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(ShortName(name).c_str()));
}

void RemoveTip(HWND list)
{
    if (listState.tipItem < 0)
        return;
    listState.tip.DetruireFenetre();
    listState.tipItem = -1;
    if (GetCapture() == list)
        ReleaseCapture();
}

void ShowTip(HWND list, FLC* copy, POINT at)
{
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = top; i < count; ++i) {
        RECT item{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        if (!PtInRect(&item, at))
            continue;
        if (!copy->anim || i >= copy->anim->Count())
            return;
        LOGFONTA font{};
        const HDC screen = GetDC(nullptr);
        font.lfHeight = -MulDiv(TIP_POINTS, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
        lstrcpyA(font.lfFaceName, "MS Sans Serif");
        if (!listState.tipBrush)
            listState.tipBrush = CreateSolidBrush(TIP_COLOUR);
        if (listState.tip.AfficherFenetre(nullptr, copy->anim->Frame(i).name.c_str(), Color{0, 0, 0, 0}, &font, 0, 0,
                                          GetParent(list), MotionModule(), WS_CHILD, listState.tipBrush) ==
            MSGWIND_SHOWN) {
            listState.tipItem = i;
            SetCapture(list);
        }
        return;
    }
}

int ItemAt(HWND list, POINT at)
{
    const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
    return HIWORD(hit) ? -1 : LOWORD(hit);
}

void DragTo(HWND list, FLC* copy, POINT at)
{
    RECT client{};
    GetClientRect(list, &client);
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    if (at.y < client.top) {
        if (top > 0)
            SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top - DRAG_SCROLL_LINES), 0);
        return;
    }
    if (at.y >= client.bottom) {
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top + DRAG_SCROLL_LINES), 0);
        return;
    }
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    const int over = ItemAt(list, at);
    if (over < 0 || selected < 0 || over == selected || !copy->anim->MoveFrame(selected, over))
        return;
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    PutLine(list, over, copy->anim->Frame(over).name, false);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(over), 0);
    copy->anim->StepTo(over);
}

LRESULT CALLBACK ImageListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    FLC* copy = SettingsCopy(GetParent(list));
    if (!copy || !copy->preview.listProc)
        return DefWindowProcA(list, message, wParam, lParam);
    const WNDPROC own = copy->preview.listProc;
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_MOUSEMOVE:
        if (listState.dragging) {
            DragTo(list, copy, at);
            return 0;
        }
        if (listState.tipItem >= 0) {
            RECT item{};
            SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(listState.tipItem), reinterpret_cast<LPARAM>(&item));
            if (!PtInRect(&item, at))
                RemoveTip(list);
            return 0;
        }
        ShowTip(list, copy, at);
        break;
    case WM_LBUTTONDOWN:
        RemoveTip(list);
        if (listState.dragging)
            return 0;
        CallWindowProcA(own, list, message, wParam, lParam);
        if (SendMessageA(list, LB_GETCURSEL, 0, 0) >= 0) {
            CallWindowProcA(own, list, WM_LBUTTONUP, wParam, lParam);
            SetCapture(list);
            listState.dragging = true;
            PostMessageA(list, WM_MOUSEMOVE, wParam, lParam);
        }
        return 0;
    case WM_LBUTTONUP:
        if (listState.dragging) {
            listState.dragging = false;
            ReleaseCapture();
            return 0;
        }
        break;
    case WM_DESTROY:
    case WM_CANCELMODE:
        RemoveTip(list);
        listState.dragging = false;
        if (GetCapture() == list)
            ReleaseCapture();
        if (message == WM_DESTROY && listState.tipBrush) {
            DeleteObject(listState.tipBrush);
            listState.tipBrush = nullptr;
        }
        break;
    default:
        break;
    }
    return CallWindowProcA(own, list, message, wParam, lParam);
}

}  // namespace

void FillImageList(HWND dialog, FLC* copy)
{
    const HWND list = List(dialog);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, LIST_EXTENT, 0);
    if (!copy->anim)
        return;
    for (int i = 0; i < copy->anim->Count(); ++i)
        PutLine(list, i, copy->anim->Frame(i).name, false);
}

void SubclassImageList(HWND dialog, FLC* copy)
{
    listState.tipItem = -1;
    listState.dragging = false;
    copy->preview.listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(List(dialog), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ImageListProc)));
}

void OnImageSelected(HWND dialog, FLC* copy)
{
    if (!copy->anim)
        return;
    int selected = static_cast<int>(SendMessageA(List(dialog), LB_GETCURSEL, 0, 0));
    if (selected >= copy->anim->Count())
        selected = -1;
    if (selected >= 0) {
        if (copy->anim->Current() < 0)
            copy->anim->StepTo(0);
        copy->anim->StepTo(selected);
        copy->anim->Start();
    }
    ApplySeriesLayout(dialog, copy);
}

void OnAddImages(HWND dialog, FLC* copy)
{
    if (!copy->anim)
        copy->anim = std::make_unique<ANIM>();
    // From the folder of the last picture, else the publication's, else the page's.
    KERNEL* kernel = copy->GetKernel();
    const std::string from = copy->anim->Count() ? copy->anim->Frame(copy->anim->Count() - 1).name
                             : *KernGetScnPath(kernel) ? std::string(KernGetScnPath(kernel)) + "*"
                                                       : std::string(KernGetActiveFilename(kernel));
    const std::string selection = AskImages(dialog, copy, true, from.c_str());
    if (selection.empty())
        return;
    const bool wasEmpty = copy->anim->Count() == 0;
    copy->anim->AddFiles(List(dialog), selection.c_str());
    LoadImages(copy);
    int width = 0, height = 0;
    if (wasEmpty && copy->anim->PictureSize(0, &width, &height)) {
        copy->x += (copy->w - width) / 2;
        copy->y += (copy->h - height) / 2;
        copy->w = width;
        copy->h = height;
        const QXSTRING speed = ControlText(dialog, IDC_SET_FPS);
        if (!speed.length() || lstrcmpA(speed, "0") == 0)
            SetDlgItemTextA(dialog, IDC_SET_FPS, "5");
    }
    AttachSeriesToPreview(copy);
    ApplySeriesLayout(dialog, copy);
}

void OnModifyImage(HWND dialog, FLC* copy)
{
    const HWND list = List(dialog);
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (!copy->anim || copy->anim->Count() == 0 || selected < 0 || selected >= copy->anim->Count())
        return;
    const std::string chosen = AskImages(dialog, copy, false, copy->anim->Frame(selected).name.c_str());
    if (chosen.empty())
        return;
    const std::string name = chosen.c_str();
    copy->anim->ReplaceFrame(selected, name);
    PutLine(list, selected, name, true);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    LoadImages(copy);
    copy->anim->StepTo(selected);
    if (copy->preview.window)
        InvalidateRect(copy->preview.window, nullptr, FALSE);
}

void OnDeleteImage(HWND dialog, FLC* copy)
{
    const HWND list = List(dialog);
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (!copy->anim || copy->anim->Count() == 0 || selected < 0 || selected >= copy->anim->Count())
        return;
    copy->anim->RemoveFrame(selected);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    const int current = copy->anim->Current();
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
    if (current >= 0)
        copy->anim->Start();
    ApplySeriesLayout(dialog, copy);
}
