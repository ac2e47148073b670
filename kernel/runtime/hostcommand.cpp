// KernCommand: the messages of the host window that the kernel handles itself, palettes
// and the transfer notifications.
#include "kernel.h"

#include "filefetch.h"
#include "history.h"
#include "kerntree.h"
#include "transfer.h"

#include <exception>

namespace {

void BroadcastToPages(KERNEL* kernel, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (int i = 0; i < kernel->loadedPages.Items(); ++i)
        KernBroadCastToObjet(kernel, static_cast<TREE*>(kernel->loadedPages.GetItem(i))->root, message, wParam,
                             lParam);
}

LRESULT Handle(KERNEL* kernel, HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUERYNEWPALETTE:
        BroadcastToPages(kernel, message, wParam, lParam);
        return 1;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) == host)
            return 0;
        BroadcastToPages(kernel, message, wParam, lParam);
        return 1;
    case KM_FILEREADY:
        return KernFileReady(kernel, wParam, reinterpret_cast<GETFILE_STRUCT*>(lParam));
    case KM_STARTRETRIEVE:
        return KernStartRetrieve(reinterpret_cast<BACKGROUND_XFER*>(lParam));
    case KM_NETNOANSWER:
        return KernNetNoAnswer(kernel, reinterpret_cast<BACKGROUND_XFER*>(lParam));
    case KM_NETCANCEL:
        return KernNetCancel(reinterpret_cast<BACKGROUND_XFER*>(lParam));
    case KM_NETNOHOST:
        return KernNetNoHost(kernel, reinterpret_cast<BACKGROUND_XFER*>(lParam));
    default:
        return 0;
    }
}

}  // namespace

KERNEL* KernOfHost(HWND host) { return host ? static_cast<KERNEL*>(GetPropA(host, QX_KERNEL_PROPERTY)) : nullptr; }

LRESULT KernCommand(HWND host, UINT message, WPARAM wParam, LPARAM lParam)
{
    KERNEL* kernel = KernOfHost(host);
    if (!kernel)
        return 0;
    try {
        return Handle(kernel, host, message, wParam, lParam);
    } catch (const std::exception&) {
        return 0;
    }
}
