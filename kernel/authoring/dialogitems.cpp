// Dialog-item operations on the objects of a page run as a dialog, and the window procedure
// of the "DialogWindow" class that hosts such a page inside its dialog frame.
#include "dialogitems.h"

#include "authoring.h"
#include "kernel.h"
#include "accessors.h"
#include "kerntree.h"
#include "objet.h"
#include "qxsupport.h"

#include <cstdio>
#include <cstdlib>

namespace {

// WM_GETTEXT limits of the text and number readers.
constexpr int TextChars = 500;
constexpr int NumberChars = 150;
// A user ID is read as a number from a copy of this size.
constexpr int UserIDChars = 52;

int LeadingInteger(const char* text) { return static_cast<int>(std::strtol(text, nullptr, 10)); }

// The window of the item, null when no object of the page has that number or it has no window.
HWND Item(KERNEL* kernel, int id)
{
    if (!kernel)
        return nullptr;
    char name[16];
    std::snprintf(name, sizeof name, "%d", id);
    OBJET* object = KernFindObjetEx(kernel, name);
    return object ? object->window : nullptr;
}

// The object of an object window; null for any other window, whose first window long may
// hold anything.
OBJET* ObjectOfWindow(KERNEL* kernel, HWND window)
{
    if (GetClassLongPtrA(window, GCL_CBWNDEXTRA) < QX_OBJECT_WINDOW_EXTRA ||
        GetWindowLongA(window, QXWL_MARK) != QX_OBJECT_WINDOW_MARK)
        return nullptr;
    return KernGetObjetByHwnd(kernel, window);
}

}  // namespace

int KernCheckDlgButton(KERNEL* kernel, int id, UINT state)
{
    const HWND item = Item(kernel, id);
    if (!item)
        return 0;
    SendMessageA(item, BM_SETCHECK, state, 0);
    return 1;
}

UINT KernIsDlgButtonChecked(KERNEL* kernel, int id)
{
    const HWND item = Item(kernel, id);
    return item ? static_cast<UINT>(SendMessageA(item, BM_GETCHECK, 0, 0)) : 0;
}

int KernCheckRadioButton(KERNEL* kernel, int first, int last, int check)
{
    if (!kernel)
        return 0;
    for (int id = first; id <= last; ++id) {
        if (const HWND item = Item(kernel, id))
            SendMessageA(item, BM_SETCHECK, BST_UNCHECKED, 0);
        if (id == last)
            break;  // so that a range ending at INT_MAX stops
    }
    return KernCheckDlgButton(kernel, check, BST_CHECKED);
}

int KernSetDlgItemText(KERNEL* kernel, int id, const char* text)
{
    const HWND item = Item(kernel, id);
    if (!item || !text)
        return 0;
    SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    return 1;
}

int KernSetDlgItemInt(KERNEL* kernel, int id, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return KernSetDlgItemText(kernel, id, text);
}

int KernGetDlgItemText(KERNEL* kernel, int id, char* buffer, int size)
{
    const HWND item = Item(kernel, id);
    if (!item || !buffer || size <= 0)
        return 0;
    return static_cast<int>(SendMessageA(item, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int KernGetDlgItemTextStr(KERNEL* kernel, int id, QXSTRING* text)
{
    if (!text)
        return 0;
    char buffer[TextChars] = "";
    const int length = KernGetDlgItemText(kernel, id, buffer, sizeof buffer);
    if (Item(kernel, id))
        *text = buffer;
    return length;
}

int KernGetDlgItemInt(KERNEL* kernel, int id)
{
    char buffer[NumberChars] = "";
    KernGetDlgItemText(kernel, id, buffer, sizeof buffer);
    return LeadingInteger(buffer);
}

LRESULT KernSendDlgItemMessage(KERNEL* kernel, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND item = Item(kernel, id);
    return item ? SendMessageA(item, message, wParam, lParam) : 0;
}

int KernIdFromWPARAM(KERNEL* kernel, WPARAM wParam)
{
    if (!kernel)
        return 0;
    // A window handle is tested whole: handles are no 16-bit values on this system.
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (!wParam || !IsWindow(window))
        return LOWORD(wParam);
    OBJET* object = ObjectOfWindow(kernel, window);
    if (!object)
        return 0;
    char userID[UserIDChars];
    lstrcpynA(userID, object->GetUserID(), sizeof userID);
    return LeadingInteger(userID);
}

HWND KernGetDialogHwnd(KERNEL* kernel) { return kernel ? GetParent(KernGetAppWindow(kernel)) : nullptr; }

LRESULT CALLBACK DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (KernCommand(window, message, wParam, lParam))
        return 0;
    // The page reads and sets the dialog's title through its host window.
    if (message == WM_SETTEXT || message == WM_GETTEXT)
        return SendMessageA(GetParent(window), message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}
