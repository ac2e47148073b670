// Starter windows: a transfer asked for inside a message handler is started from the message
// loop, once that handler is over. The window carries the start block until then.
#include "transfer.h"

#include "kernelprocess.h"
#include "qxwindowptr.h"

const char QX_ANONYMOUS_USER[] = "anonymous";
const char QX_ANONYMOUS_PASSWORD[] = "editeur@vistrelle.invalid";

namespace {

// The replaced procedure of the "STATIC" window, kept on the window itself.
const char PreviousProcProperty[] = "QXSTARTERPROC";

DLGXFER* TakeBlock(HWND window)
{
    auto* block = static_cast<DLGXFER*>(GetQORVEXpointer(window));
    if (block)
        SetQORVEXpointer(window, nullptr);
    return block;
}

LRESULT CALLBACK StarterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, PreviousProcProperty));
    switch (message) {
    case KM_STARTERGO:
        if (DLGXFER* block = TakeBlock(window)) {
            PostMessageA(block->notify, KM_STARTRETRIEVE, 0, reinterpret_cast<LPARAM>(block->parameter));
            delete block;
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        // Destroyed before its start: the job was cancelled, the receiver drops the parameter.
        if (DLGXFER* block = TakeBlock(window)) {
            SendMessageA(block->notify, KM_NETCANCEL, 0, reinterpret_cast<LPARAM>(block->parameter));
            delete block;
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(window, PreviousProcProperty);
        break;
    default:
        break;
    }
    return previous ? CallWindowProcA(previous, window, message, wParam, lParam)
                    : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateStarterWindow(DLGXFER* block)
{
    if (!block || !IsWindow(block->notify))
        return nullptr;
    const HWND window = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 0, 0, block->notify, nullptr,
                                      KernProcess().module, nullptr);
    if (!window)
        return nullptr;
    const LONG_PTR previous = GetWindowLongPtrA(window, GWLP_WNDPROC);
    if (!SetPropA(window, PreviousProcProperty, reinterpret_cast<HANDLE>(previous)) ||
        !SetQORVEXpointer(window, block)) {
        DestroyWindow(window);
        return nullptr;
    }
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StarterProc));
    PostMessageA(window, KM_STARTERGO, 0, 0);
    return window;
}
