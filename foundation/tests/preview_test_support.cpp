// What the preview tests share.
#include "preview_test_support.h"

#include <cstring>

namespace preview_test {

std::string HalvesBmp(int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t imageBytes = static_cast<uint32_t>(stride * height);
    std::string file(54 + imageBytes, '\0');
    auto put32 = [&](size_t at, uint32_t value) { std::memcpy(&file[at], &value, 4); };
    auto put16 = [&](size_t at, uint16_t value) { std::memcpy(&file[at], &value, 2); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, imageBytes);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            char* pixel = &file[54 + static_cast<size_t>(y * stride + x * 3)];
            const bool left = x < width / 2;
            pixel[0] = left ? 0 : '\xFF';  // blue
            pixel[2] = left ? '\xFF' : 0;  // red
        }
    return file;
}

SIZE ClientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

namespace {

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

HostDialog::HostDialog(const std::vector<WORD>& staticIds)
{
    std::vector<WORD> words;
    auto align = [&] {
        if (words.size() % 2)
            words.push_back(0);
    };
    auto put32 = [&](DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    };
    put32(WS_POPUP | WS_CAPTION | DS_SETFONT);
    put32(0);
    words.push_back(static_cast<WORD>(staticIds.size()));
    words.insert(words.end(), {0, 0, 200, 100, 0, 0, 0, 8});
    for (const char* c = "MS Sans Serif"; *c; ++c)
        words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    for (WORD id : staticIds) {
        align();
        put32(WS_CHILD | WS_VISIBLE | SS_LEFT);
        put32(0);
        words.insert(words.end(), {1, 1, 10, 8, id, 0xFFFF, 0x0082, 0, 0});
    }
    align();
    window_ = CreateDialogIndirectParamA(nullptr, reinterpret_cast<DLGTEMPLATE*>(words.data()), nullptr,
                                         QuietDialog, 0);
    RECT frame{0, 0, 400, 200};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION, FALSE, 0);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HostDialog::~HostDialog()
{
    if (IsWindow(window_))
        DestroyWindow(window_);
}

RECT PlaceOf(HWND control)
{
    RECT place{};
    if (!control)
        return place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::string RectText(const RECT& rect)
{
    return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom) + ")";
}

std::vector<Call> calls;
int callbackAnswer = 0;

int Record(char code, HANDLE handle, const RECT* rect, const char* file, LPARAM user)
{
    calls.push_back(Call{code, handle, rect ? *rect : RECT{}, rect != nullptr, file ? file : "", user});
    return callbackAnswer;
}

}  // namespace preview_test
