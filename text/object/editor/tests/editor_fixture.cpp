// The control the editor's tests work on and the clipboard helpers.
#include "editor_fixture.h"

#include <cstring>

namespace {

HGLOBAL BlockOf(const void* bytes, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    return block;
}

}  // namespace

void EditorTest::SetUp()
{
    RteControlStartup(GetModuleHandleA(nullptr), "Liberation Sans", nullptr);
    parent_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    control_ = CreateWindowA(RTE_CONTROL_CLASS, "", WS_CHILD | ES_MULTILINE, 0, 0, 300, 200, parent_, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, control_);
}

void EditorTest::TearDown()
{
    DestroyWindow(parent_);
    RteControlShutdown();
}

RteHandle EditorTest::Document() const
{
    return reinterpret_cast<RteHandle>(SendMessageA(control_, RTEM_GETDOC, 0, 0));
}

std::string EditorTest::Text() const
{
    std::string text(static_cast<size_t>(SendMessageA(control_, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    LRESULT copied = SendMessageA(control_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

// The control takes both ends from lParam.
void EditorTest::Select(int start, int end) const { SendMessageA(control_, EM_SETSEL, 0, MAKELPARAM(start, end)); }

std::string ClipboardBytes(UINT format)
{
    std::string bytes;
    if (!OpenClipboard(nullptr))
        return bytes;
    if (HANDLE data = GetClipboardData(format)) {
        const char* p = static_cast<const char*>(GlobalLock(data));
        if (p)
            bytes.assign(p, GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

std::string ClipboardText()
{
    std::string text = ClipboardBytes(CF_TEXT);
    return text.substr(0, text.find('\0'));
}

void PutClipboard(const std::string& text, UINT format, const std::string& bytes)
{
    HWND owner = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    if (!text.empty())
        SetClipboardData(CF_TEXT, BlockOf(text.c_str(), text.size() + 1));
    if (format)
        SetClipboardData(format, BlockOf(bytes.data(), bytes.size()));
    CloseClipboard();
    DestroyWindow(owner);
}
