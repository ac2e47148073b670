// Windows to draw effects on, and reading their pixels back.
#include "target_window.h"

namespace {

const char* const kClassName = "QxfxTargetWindow";

// No background brush: nothing but the test paints the client area.
void RegisterTargetClass()
{
    static bool registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace

TargetWindow::TargetWindow(int width, int height) : width_(width), height_(height)
{
    RegisterTargetClass();
    window_ = CreateWindowExA(WS_EX_TOPMOST, kClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ValidateRect(window_, nullptr);
    dc_ = GetDC(window_);
}

TargetWindow::~TargetWindow()
{
    ReleaseDC(window_, dc_);
    DestroyWindow(window_);
}

void TargetWindow::Show(const Picture& picture) const
{
    BITMAPINFO info = TopDown32(picture.width, picture.height);
    HDC dc = GetDC(window_);
    SetDIBitsToDevice(dc, 0, 0, picture.width, picture.height, 0, 0, 0, picture.height,
                      picture.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(window_, dc);
}

Picture TargetWindow::Read() const
{
    Picture picture(width_, height_);
    BITMAPINFO info = TopDown32(width_, height_);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, section);
    HDC dc = GetDC(window_);
    BitBlt(memory, 0, 0, width_, height_, dc, 0, 0, SRCCOPY);
    ReleaseDC(window_, dc);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = pixels[i] & 0xFFFFFF;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
    return picture;
}

Picture WithInset(Picture picture, const Picture& inset, int left, int top)
{
    for (int y = 0; y < inset.height; ++y)
        for (int x = 0; x < inset.width; ++x)
            picture.At(left + x, top + y) = inset.At(x, y);
    return picture;
}
