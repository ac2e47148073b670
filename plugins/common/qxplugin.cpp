// The tool record and the tool-bar bitmaps of a module with one tool, and the window of an object.
#include "qxplugin.h"

#include "kerntree.h"
#include "qxsupport.h"

#include <cstring>

void TOOLBITMAPS::Load(HINSTANCE module)
{
    static const char* const names[] = {"BITMAP1", "BITMAP2", "BITMAP3"};
    for (int i = 0; i < 3; ++i)
        bitmaps[i] = LoadBitmapA(module, names[i]);
}

void TOOLBITMAPS::Free()
{
    for (HBITMAP& bitmap : bitmaps) {
        if (bitmap)
            DeleteObject(bitmap);
        bitmap = nullptr;
    }
}

int ToolCount(int category) { return category == QX_TOOL_CATEGORY_OBJECT ? 1 : 0; }

void FillToolInfo(HINSTANCE module, const TOOLBITMAPS& bitmaps, TOOLCREATE create, int tooltipId,
                  const char* helpPage, int category, TOOLINFO* tool)
{
    if (category != QX_TOOL_CATEGORY_OBJECT || !tool)
        return;
    tool->create = create;
    tool->reserved1 = 0;
    tool->reserved2 = 0;
    tool->bitmap1 = bitmaps.bitmaps[0];
    tool->bitmap2 = bitmaps.bitmaps[1];
    tool->bitmap3 = bitmaps.bitmaps[2];
    char text[200] = "";
    LoadStringA(module, QX_STRING_MENU_PATH, text, sizeof text);
    lstrcpynA(tool->menuPath, text, sizeof tool->menuPath);
    text[0] = '\0';
    LoadStringA(module, tooltipId, text, sizeof text);
    lstrcpynA(tool->tooltip, text, sizeof tool->tooltip);
    tool->helpPage = helpPage;
}

bool HasSuffixIn(const char* path, const char* words)
{
    const char* dot = path ? std::strrchr(path, '.') : nullptr;
    if (!dot || !dot[1] || std::strpbrk(dot + 1, " \\/"))
        return false;
    for (const char* word = words; *word;) {
        const char* end = std::strchr(word, ' ');
        const size_t length = end ? static_cast<size_t>(end - word) : std::strlen(word);
        if (length == std::strlen(dot + 1) && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, word,
                                                             static_cast<int>(length), dot + 1,
                                                             static_cast<int>(length)) == CSTR_EQUAL)
            return true;
        word += length;
        while (*word == ' ')
            ++word;
    }
    return false;
}

HWND CreateShownObjectWindow(OBJET& object, const char* helpPage, const char* title)
{
    const HWND window =
        KernCreateObjetWindow(object.GetKernel(), &object, object.x, object.y, object.w, object.h, helpPage);
    if (window) {
        SetWindowTextA(window, title);
        SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    return window;
}
