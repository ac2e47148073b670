// Creation of object windows with their tag: the mark that says "object window" and the
// name of the page the object belongs to.
#include "qxsupport.h"

#include <cstring>

namespace {

// The page name as it is tagged: without a final ".PAG" (any case), other extensions kept,
// cut so that the terminating zero always fits in the window's bytes.
size_t TaggedNameLength(const char* pageName)
{
    size_t length = std::strlen(pageName);
    const char* dot = std::strrchr(pageName, '.');
    if (dot && lstrcmpiA(dot, ".PAG") == 0)
        length = static_cast<size_t>(dot - pageName);
    const size_t room = QX_PAGENAME_TAG_BYTES - 1;
    return length < room ? length : room;
}

void WritePageTag(HWND window, const char* pageName)
{
    char tag[QX_PAGENAME_TAG_BYTES] = {};
    const size_t length = TaggedNameLength(pageName);
    std::memcpy(tag, pageName, length);
    const size_t words = length / 4 + 1;
    for (size_t k = 0; k < words; ++k) {
        LONG word;
        std::memcpy(&word, tag + 4 * k, sizeof word);
        SetWindowLongA(window, QXWL_PAGENAME + static_cast<int>(4 * k), word);
    }
}

}  // namespace

HWND QXCreateTaggedWindow(LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                          int height, HWND parent, HMENU menu, HINSTANCE module, LPVOID parameter,
                          LPCSTR pageName)
{
    HWND window = CreateWindowExA(0, className, title, style, x, y, width, height, parent, menu,
                                  module, parameter);
    if (!window)
        return nullptr;
    SetWindowLongA(window, QXWL_MARK, QX_OBJECT_WINDOW_MARK);
    if (pageName)
        WritePageTag(window, pageName);
    return window;
}
