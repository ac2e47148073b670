// The forms are laid out in French; their English forms replace captions from tables.
#pragma once

#include <windows.h>

#include <string>

// One English caption: the form's own when `control` is 0.
struct ENGLISH_CAPTION {
    int control;
    const char* text;
};

template <size_t Count>
void PutEnglishCaptions(HWND form, const ENGLISH_CAPTION (&captions)[Count])
{
    for (const ENGLISH_CAPTION& caption : captions)
        SetWindowTextA(caption.control ? GetDlgItem(form, caption.control) : form, caption.text);
}

// A text of the library's string table; "" when missing.
std::string LibraryString(UINT id);
