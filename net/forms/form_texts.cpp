// Texts of the library's string table.
#include "form_texts.h"

#include "synchronize_window.h"

std::string LibraryString(UINT id)
{
    char text[512] = {};
    LoadStringA(LibraryInstance(), id, text, sizeof text);
    return text;
}
