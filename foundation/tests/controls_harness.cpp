// Shared fixtures of the control tests.
#include "controls_harness.h"

#include <cstdio>
#include <cstring>

HINSTANCE TestModule() { return GetModuleHandleA(nullptr); }
HINSTANCE LibraryModule() { return GetModuleHandleA("qxbase40.dll"); }

void Pump(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (milliseconds)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace

void MouseMove(HWND window, int x, int y) { SendMessageA(window, WM_MOUSEMOVE, 0, At(x, y)); }
void MouseDown(HWND window, int x, int y) { SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
void MouseDoubleClick(HWND window, int x, int y) { SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, At(x, y)); }
void MouseUp(HWND window, int x, int y) { SendMessageA(window, WM_LBUTTONUP, 0, At(x, y)); }

void KeyDown(HWND window, WPARAM key, bool repeated)
{
    SendMessageA(window, WM_KEYDOWN, key, repeated ? 0x40000001 : 1);
}

void KeyUp(HWND window, WPARAM key) { SendMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001)); }

ParentWindow::ParentWindow()
{
    static const ATOM registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = TestModule();
        windowClass.lpszClassName = "QXControlsTestParent";
        return RegisterClassA(&windowClass);
    }();
    (void)registered;
    window_ = CreateWindowExA(0, "QXControlsTestParent", "Parent", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100,
                              400, 300, nullptr, nullptr, TestModule(), this);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    Pump();
}

ParentWindow::~ParentWindow()
{
    DestroyWindow(window_);
    ReleaseCapture();
    Pump();
}

LRESULT CALLBACK ParentWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<ParentWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_COMMAND) {
        self->commands_.push_back(Command{wParam, lParam});
        return 0;
    }
    if (self && message == WM_ERASEBKGND) {
        ++self->erasures_;
        RECT area;
        GetClipBox(reinterpret_cast<HDC>(wParam), &area);
        HBRUSH brush = CreateSolidBrush(RGB(0x33, 0x66, 0x99));
        FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

namespace {

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

Picture ResourcePicture(HINSTANCE module, const char* name)
{
    Picture picture;
    auto* bitmap = static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size))
        return picture;
    picture.width = size.bmWidth;
    picture.height = size.bmHeight;
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    BITMAPINFO info = TopDown32(picture.width, picture.height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (Rgb& pixel : picture.pixels)
        pixel &= 0xFFFFFF;
    return picture;
}

Picture Greyed(Picture picture)
{
    for (int y = 3; y <= 28 && y < picture.height; ++y)
        for (int x = 3; x <= 28 && x < picture.width; ++x)
            if ((x + y) % 2 == 0)
                picture.pixels[static_cast<size_t>(y) * picture.width + x] = 0xC0C0C0;
    return picture;
}

Picture Crop(const Picture& picture, int width, int height)
{
    Picture part;
    part.width = width;
    part.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            part.pixels.push_back(picture.At(x, y));
    return part;
}

testing::AssertionResult SamePicture(const Picture& actual, const Picture& expected)
{
    if (actual.width != expected.width || actual.height != expected.height)
        return testing::AssertionFailure() << "size " << actual.width << "x" << actual.height << ", expected "
                                           << expected.width << "x" << expected.height;
    int differing = 0;
    std::string first;
    for (int y = 0; y < actual.height; ++y)
        for (int x = 0; x < actual.width; ++x)
            if (actual.At(x, y) != expected.At(x, y) && differing++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, " first at (%d, %d): %06lX, expected %06lX", x, y,
                              static_cast<unsigned long>(actual.At(x, y)), static_cast<unsigned long>(expected.At(x, y)));
                first = text;
            }
    if (differing)
        return testing::AssertionFailure() << differing << " pixels differ;" << first;
    return testing::AssertionSuccess();
}

HBITMAP SolidBitmap(int width, int height, Rgb colour)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF));
    RECT all{0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

Canvas::Canvas(int width, int height, Rgb fill) : width_(width), height_(height), fill_(fill)
{
    BITMAPINFO info = TopDown32(width, height);
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    Fill();
}

Canvas::~Canvas()
{
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void Canvas::Fill()
{
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i)
        bits_[i] = fill_;
}

Rgb Canvas::At(int x, int y) const
{
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
}

Picture Canvas::Render(HWND control, LPARAM flags)
{
    Fill();
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), flags);
    RECT client{};
    GetClientRect(control, &client);
    return Snapshot(client.right, client.bottom);
}

Picture Canvas::Snapshot(int width, int height) const
{
    Picture picture;
    picture.width = width < width_ ? width : width_;
    picture.height = height < height_ ? height : height_;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(At(x, y));
    return picture;
}

HWND ShownTooltip()
{
    HWND popup = FindWindowA("MsgWind", nullptr);
    return popup && IsWindowVisible(popup) ? popup : nullptr;
}

int TooltipWidth(const char* text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTA font{};
    font.lfHeight = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(font.lfFaceName, "MS Sans Serif");
    HFONT handle = CreateFontIndirectA(&font);
    HGDIOBJ previous = SelectObject(dc, handle);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, previous);
    DeleteObject(handle);
    DeleteDC(dc);
    return 4 + size.cx + 5;
}

int WidthOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.right - rect.left;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}
