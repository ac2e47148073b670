// The control's windows: its own window in the container, and the "Static" child on which the
// kernel plays the publication, moved by the control's scroll bars.
#include "stage_control.h"

#include "module.h"

namespace {

constexpr const char* kControlClass = "QXStageCtrlWindow";
constexpr const char* kBindingProperty = "QXKERNELOCX";
constexpr int kLineStep = 5;
constexpr int kPageStep = 25;

// The control windows alive: the class goes with the last, so that a module loaded again
// never finds it registered with a procedure of its earlier load.
int controlWindows = 0;
// The "Static" class's own procedure, the same for every child.
WNDPROC staticProcedure = nullptr;

LRESULT CALLBACK KernelChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* binding = static_cast<KERNELBINDING*>(GetPropA(window, kBindingProperty));
    if (binding) {
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT area;
            GetClientRect(window, &area);
            Rectangle(dc, area.left, area.top, area.right, area.bottom);
            EndPaint(window, &paint);
            binding->Command(window, message, wParam, lParam);
            return 0;
        }
        case WM_WINDOWPOSCHANGED: {
            RECT area;
            GetClientRect(window, &area);
            binding->SetAppExtent(area.right, area.bottom);
            break;
        }
        case WM_NCDESTROY:
            RemovePropA(window, kBindingProperty);
            break;
        default:
            break;
        }
        binding->Command(window, message, wParam, lParam);
    }
    return CallWindowProcA(staticProcedure, window, message, wParam, lParam);
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* control = reinterpret_cast<CQXStageCtrl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!control) return DefWindowProcA(window, message, wParam, lParam);
    static const UINT quitMessage = RegisterWindowMessageA("LOCX_WM_QUIT_MESSAGE");
    switch (message) {
    case WM_CLOSE:
        // The presentation asked to close: that is the container's to decide.
        PostMessageA(GetParent(window), WM_CLOSE, 0, 0);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        control->Scroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT area;
        GetClientRect(window, &area);
        control->PaintControl(dc, area);
        EndPaint(window, &paint);
        control->Binding().Command(window, message, wParam, lParam);
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    default:
        if (message == quitMessage) {
            control->OnQuitMessage(wParam != 0);
            return 0;
        }
        break;
    }
    control->Binding().Command(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterControlClass()
{
    WNDCLASSA type{};
    if (GetClassInfoA(ModuleInstance(), kControlClass, &type)) return true;
    type.lpfnWndProc = ControlWindowProc;
    type.hInstance = ModuleInstance();
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    type.lpszClassName = kControlClass;
    return RegisterClassA(&type) != 0;
}

}  // namespace

bool CQXStageCtrl::CreateWindows(HWND parent, const RECT& position)
{
    if (!RegisterControlClass()) return false;
    window_ = CreateWindowExA(0, kControlClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                              position.left, position.top, position.right - position.left,
                              position.bottom - position.top, parent, nullptr, ModuleInstance(), this);
    if (!window_) return false;
    ++controlWindows;
    RECT area;
    GetClientRect(window_, &area);
    child_ = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                             area.right, area.bottom, window_, nullptr, ModuleInstance(), nullptr);
    if (!child_) return true;
    SetPropA(child_, kBindingProperty, &binding_);
    staticProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(child_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KernelChildProc)));
    if (binding_.Construct(child_, this)) {
        binding_.SetAppPath(ModuleFolder().c_str());
        binding_.SetAppExtent(area.right, area.bottom);
        binding_.SetFilterBranch(ControlBranchFilter());
        LoadPublication();
    }
    return true;
}

// The kernel goes while its windows are still there: its pages and objects are destroyed with
// the window they were made on.
void CQXStageCtrl::DestroyWindows()
{
    binding_.SetFilterBranch(nullptr);
    binding_.Destruct();
    if (child_) DestroyWindow(child_);
    child_ = nullptr;
    if (window_) {
        DestroyWindow(window_);
        if (--controlWindows == 0) UnregisterClassA(kControlClass, ModuleInstance());
    }
    window_ = nullptr;
}

void CQXStageCtrl::LayoutPublication()
{
    if (!window_ || !child_) return;
    RECT outer;
    GetWindowRect(window_, &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    // A publication of unknown size takes the control's.
    const int pubWidth = size_.width > 0 ? size_.width : width;
    const int pubHeight = size_.height > 0 ? size_.height : height;
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
    bool vertical = pubHeight > height;
    const bool horizontal = pubWidth > width - (vertical ? barWidth : 0);
    vertical = vertical || (horizontal && pubHeight > height - barHeight);
    scrollMaxX_ = horizontal ? pubWidth - width + (vertical ? barWidth : 0) : 0;
    scrollMaxY_ = vertical ? pubHeight - height + (horizontal ? barHeight : 0) : 0;
    scrollX_ = scrollY_ = 0;
    ShowScrollBar(window_, SB_HORZ, horizontal);
    ShowScrollBar(window_, SB_VERT, vertical);
    SetScrollRange(window_, SB_HORZ, 0, scrollMaxX_, FALSE);
    SetScrollRange(window_, SB_VERT, 0, scrollMaxY_, FALSE);
    SetScrollPos(window_, SB_HORZ, 0, TRUE);
    SetScrollPos(window_, SB_VERT, 0, TRUE);
    SetWindowPos(child_, nullptr, 0, 0, pubWidth, pubHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CQXStageCtrl::Scroll(int bar, WORD request, int thumb)
{
    int& position = bar == SB_HORZ ? scrollX_ : scrollY_;
    const int maximum = bar == SB_HORZ ? scrollMaxX_ : scrollMaxY_;
    switch (request) {
    case SB_LINEUP: position -= kLineStep; break;
    case SB_LINEDOWN: position += kLineStep; break;
    case SB_PAGEUP: position -= kPageStep; break;
    case SB_PAGEDOWN: position += kPageStep; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: position = thumb; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = maximum; break;
    default: return;
    }
    position = position < 0 ? 0 : position > maximum ? maximum : position;
    SetScrollPos(window_, bar, position, TRUE);
    if (child_) SetWindowPos(child_, nullptr, -scrollX_, -scrollY_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
