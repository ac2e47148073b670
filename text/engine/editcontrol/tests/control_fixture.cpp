// The parent window of the control tests and the helpers that drive its controls.
#include "control_fixture.h"

std::vector<Notification> ControlTest::notifications_;
std::vector<std::pair<UINT, LRESULT>> ControlTest::answers_;

namespace {

constexpr char kParentClass[] = "RteControlTestParent";

bool HasMouseRecord(UINT message) { return message >= 0x360A && message <= 0x3610; }

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace

struct ControlTestAccess : ControlTest {
    static LRESULT Record(UINT message, WPARAM wParam, LPARAM lParam)
    {
        Notification note{message, wParam, lParam, {}};
        if (HasMouseRecord(message)) {
            auto* bytes = reinterpret_cast<const uint8_t*>(lParam);
            note.record.assign(bytes, bytes + sizeof(RteMouseNotify));
        } else if (message == RTEN_USERRECORD) {
            // The record's type and bytes, as "type:bytes".
            auto* record = reinterpret_cast<const RteUserRecordNotify*>(lParam);
            std::string text = std::to_string(record->type) + ":" +
                               std::string(static_cast<const char*>(record->bytes), static_cast<size_t>(record->count));
            note.record.assign(text.begin(), text.end());
        }
        notifications_.push_back(note);
        for (auto& [which, answer] : answers_)
            if (which == message)
                return answer;
        return 0;
    }
};

namespace {

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message >= 0x3600 && message <= 0x361E) ||
        (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE))
        return ControlTestAccess::Record(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void ControlTest::SetUp()
{
    notifications_.clear();
    answers_.clear();
    RteControlStartup(GetModuleHandleA(nullptr), "Liberation Sans", nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);
    parent_ = CreateWindowA(kParentClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
}

void ControlTest::TearDown()
{
    DestroyWindow(parent_);
    Pump();
    RteControlShutdown();
}

HWND ControlTest::MakeControl(DWORD style, int width, int height, int id)
{
    return CreateWindowA(RTE_CONTROL_CLASS, "", WS_CHILD | style, 0, 0, width, height, parent_,
                         reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), GetModuleHandleA(nullptr), nullptr);
}

HWND ControlTest::ScrollingControl(int lines)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VSCROLL, 300, 60);
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += "ligne " + std::to_string(i) + "\r";
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(control, EM_SETSEL, 0, 0);
    return control;
}

std::string ControlTest::Text(HWND control)
{
    std::string text(static_cast<size_t>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    LRESULT copied = SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

void ControlTest::PressKey(HWND control, UINT key, bool shift)
{
    if (shift)
        PostMessageA(control, WM_KEYDOWN, VK_SHIFT, 0);
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
    if (shift)
        PostMessageA(control, WM_KEYUP, VK_SHIFT, 0xC0000001);
    Pump();
}

void ControlTest::Type(HWND control, const std::string& keys)
{
    for (char c : keys) {
        SHORT scan = VkKeyScanA(c);
        bool shift = (scan & 0x100) != 0;
        // A key pumped through TranslateMessage turns into its character by the keyboard state;
        // the shift state is the thread's, so it is set for the translation.
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        PostMessageA(control, WM_KEYDOWN, LOBYTE(scan), 1);
        Pump();
        state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }
}

int ControlTest::Count(UINT message) const
{
    int count = 0;
    for (const Notification& note : notifications_)
        count += note.message == message;
    return count;
}

void ControlTest::Snapshot(HWND control, TestCanvas& canvas)
{
    UpdateWindow(control);
    Pump();
    HDC dc = GetDC(control);
    BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(control, dc);
}

void FrameTwoColumnsWithRule(HWND control)
{
    SendMessageA(control, RTEM_SETFRAMEPEN, PS_SOLID, 0);
    RECT margins{6, 6, 6, 30};
    SendMessageA(control, RTEM_SETMARGINS, 0, reinterpret_cast<LPARAM>(&margins));
    SendMessageA(control, RTEM_SETCOLUMNPEN, PS_SOLID, 0);
    SendMessageA(control, RTEM_SETRULEPEN, PS_SOLID, 0);
    SendMessageA(control, RTEM_SETCOLUMNS, 0, MAKELPARAM(2, 24));
}

RteRect CaretRect(HWND control, int32_t offset)
{
    RteCaretRecord record{offset, {}, 0, 0};
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&record));
    return record.rect;
}
