#include "pagehost.h"

#include "history.h"
#include "pagerender.h"

#include <mmsystem.h>

#include <cstdint>

namespace {

std::string Separator() { return std::string(73, '-'); }

const char HostClass[] = "QxPluginTestHost";

// A host hands the kernel its messages first: the notifications of files fetched in the
// background come this way.
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const LRESULT handled = KernCommand(window, message, wParam, lParam))
        return handled;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeHost(HWND view)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = HostClass;
    RegisterClassA(&windowClass);
    return CreateWindowA(HostClass, "Publication", WS_CHILD, 0, 0, 640, 480, view, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

template <class Value>
void Append(std::string& bytes, Value value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

RecordLines CommonBlock()
{
    return {"NULL", "NULL", "NULL", "0", "NULL", "0", "NULL", "1", "20 0 0 0 400 0 0 0 0 3 2 0 34", "System",
            "0 0 0", "192 192 192", "-1", "NULL", "  0.0", "FONTS [", "0", "]", "}", "BRANCH {", "0",
            "BRANCHEX [", "0", "]", "}"};
}

RecordLines ObjectRecord(const std::string& module, int children, const std::string& name,
                         const RecordLines& branches, const RecordLines& own)
{
    RecordLines common = CommonBlock();
    common.resize(common.size() - NoBranch().size());
    common[0] = name;
    RecordLines record = {Separator(), "OBJET {", module, std::to_string(children)};
    record.insert(record.end(), common.begin(), common.end());
    record.insert(record.end(), branches.begin(), branches.end());
    record.insert(record.end(), own.begin(), own.end());
    return record;
}

RecordLines NoBranch() { return {"BRANCH {", "0", "BRANCHEX [", "0", "]", "}"}; }

RecordLines BranchTo(const std::string& page)
{
    return {"BRANCH {", "0", "BRANCHEX [", "1", "BR [", "0", ".\\" + page, "NULL", "1", "1", "  0.0", "0", "0",
            "NULL", "NULL", "NULL", "NULL", "NULL", "0", "]", "]", "}"};
}

RecordLines PageBlock(const std::string& title, int red, int green, int blue, const RecordLines& more)
{
    // Flag 2: laid out in pixels, so that the children's rectangles are pixels too.
    RecordLines block = {"PAGE {", title, "0 0 640 480", "0", "0",
                         "2 " + std::to_string(red) + " " + std::to_string(green) + " " + std::to_string(blue)};
    block.insert(block.end(), more.begin(), more.end());
    block.push_back("}");
    return block;
}

std::string PageFile(const std::vector<RecordLines>& records)
{
    std::string text = "QORVEX-HYPERMEDIA PAGE\r\nversion : 4.0.0.5\r\n";
    for (const RecordLines& record : records)
        for (const std::string& line : record)
            text += line + "\r\n";
    return text + Separator() + "\r\n";
}

std::string BmpFile(int width, int height, const std::function<COLORREF(int, int)>& colour)
{
    const int stride = (width * 3 + 3) & ~3;
    std::string bytes = "BM";
    Append<uint32_t>(bytes, 54 + stride * height);
    Append<uint32_t>(bytes, 0);
    Append<uint32_t>(bytes, 54);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = stride * height;
    Append(bytes, info);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            row += static_cast<char>(GetBValue(c));
            row += static_cast<char>(GetGValue(c));
            row += static_cast<char>(GetRValue(c));
        }
        row.resize(stride, '\0');
        bytes += row;
    }
    return bytes;
}

std::string WavFile(int ms)
{
    const uint32_t rate = 8000;
    const uint32_t data = rate * ms / 1000;
    std::string bytes = "RIFF";
    Append<uint32_t>(bytes, 36 + data);
    bytes += "WAVEfmt ";
    Append<uint32_t>(bytes, 16);
    Append<uint16_t>(bytes, WAVE_FORMAT_PCM);
    Append<uint16_t>(bytes, 1);
    Append<uint32_t>(bytes, rate);
    Append<uint32_t>(bytes, rate);
    Append<uint16_t>(bytes, 1);
    Append<uint16_t>(bytes, 8);
    bytes += "data";
    Append<uint32_t>(bytes, data);
    return bytes + std::string(data, static_cast<char>(0x80));
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y)
{
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool PumpUntil(const std::function<bool()>& done, int ms)
{
    const DWORD end = GetTickCount() + ms;
    while (!done()) {
        if (static_cast<int>(end - GetTickCount()) <= 0)
            return false;
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
}

PageHost::PageHost()
{
    view = CreateWindowExA(0, "STATIC", "view", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    host = MakeHost(view);
    kernel = KernConstructeur(host, nullptr, "", "", "");
    kernel->scnPath = pub.Path().c_str();
}

PageHost::~PageHost()
{
    while (kernel->history.Items() > 0)
        kernel->history.Pop();
    KernDestructeur(kernel);
    DestroyWindow(view);
}

int PageHost::Go(const std::string& name) { return kernel->history.Push(Page(name).c_str(), nullptr, 0); }

std::string PageHost::Shown() const
{
    OBJET* root = KernGetTopObjet(kernel);
    if (!root || !root->window)
        return "";
    char title[100] = "";
    GetWindowTextA(root->window, title, sizeof title);
    return title;
}

HBITMAP PageHost::Render() const
{
    OBJET* root = KernGetTopObjet(kernel);
    if (!root || !root->window)
        return nullptr;
    RECT area;
    GetClientRect(root->window, &area);
    MapWindowPoints(root->window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const HDC screen = GetDC(nullptr);
    const HBITMAP page = KernRenderPage(kernel, root, area, screen);
    ReleaseDC(nullptr, screen);
    return page;
}

std::vector<uint32_t> PageHost::RenderedPixels(SIZE& size) const
{
    size = SIZE{0, 0};
    const HBITMAP page = Render();
    if (!page)
        return {};
    BITMAP shape{};
    GetObjectA(page, sizeof shape, &shape);
    size = SIZE{shape.bmWidth, shape.bmHeight};
    // Every pixel, read at once: a busy machine still takes many pictures while a film plays.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(static_cast<size_t>(size.cx) * size.cy);
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, page, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(page);
    return pixels;
}
