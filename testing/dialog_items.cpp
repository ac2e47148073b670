// Reading the texts and controls of the dialogs that tests drive.
#include "dialog_items.h"

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::string WindowClass(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND FileNameBox(HWND dialog)
{
    for (int id : {0x47C, 0x480}) {  // cmb13 (explorer dialogs), edt1
        if (HWND box = GetDlgItem(dialog, id))
            return box;
    }
    return nullptr;
}
