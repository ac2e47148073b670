// Times every effect of both modules on a window, through the modules' own exports, and sets
// each time against the number of steps drawn and the time that the steps' pauses add up to.
// The drawing column times the same work on the same window without the pauses: the new image
// prepared and the steps drawn. An effect should last its pauses plus its drawing: the last
// column is the ratio of its time to that sum. Times are medians of `runs` runs (3 by default)
// after a run that warms up the modules and the display.
// Usage: qxfxwipe_bench [width height] [--dib] [--runs N]   (640 x 480 and a bitmap by default)
// Besides the table, one line an effect for tools/bench:
// "= benchmark|our ms|yardstick ms|yardstick|largest ratio aimed at".
#include "program_folder.h"
#include "screen_canvas.h"
#include "step_log.h"
#include "stretched_image.h"
#include "wipe2_effects.h"
#include "wipe3_effects.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using DrawFn = int(WINAPI*)(HWND, HDC, int, int, int, int, HANDLE, HPALETTE, DWORD, int, int, int);
using CountFn = int(WINAPI*)();
using NameFn = int(WINAPI*)(int, char*, int);

struct Module {
    const char* fileName;
    const EffectCatalogue* catalogue;
};

template <typename Function>
Function Bind(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The names are CP1252; the terminal reading Wine's output expects UTF-8.
std::string Utf8(const char* text)
{
    wchar_t wide[256];
    char utf8[512];
    int length = MultiByteToWideChar(1252, 0, text, -1, wide, 256);
    WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

// Pads a UTF-8 text to `width` characters.
std::string Padded(const std::string& text, std::size_t width)
{
    std::size_t characters = 0;
    for (unsigned char c : text)
        characters += (c & 0xC0) != 0x80;
    return text + std::string(characters < width ? width - characters : 0, ' ');
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HBITMAP MakeImage(HDC dc, int width, int height, std::vector<std::uint32_t>& pixels)
{
    pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] = (x * 255 / width) << 16 | (y * 255 / height) << 8 | ((x + y) & 0xFF);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    SetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

// A packed 32-bit DIB of the same pixels, bottom-up.
HGLOBAL MakeDib(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    BITMAPINFOHEADER header = {sizeof header, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof header + rowBytes * height);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    std::memcpy(bytes, &header, sizeof header);
    for (int y = 0; y < height; ++y)
        std::memcpy(bytes + sizeof header + rowBytes * (height - 1 - y), &pixels[static_cast<std::size_t>(y) * width], rowBytes);
    GlobalUnlock(block);
    return block;
}

// Draws through a screen canvas, skipping the pauses.
class UnpacedCanvas final : public EffectCanvas {
public:
    explicit UnpacedCanvas(ScreenCanvas& screen) : screen_(screen) {}
    void BeginStep() override { screen_.BeginStep(); }
    void EndStep(DWORD) override {}
    void ScrollAndFill(const ScrollMove& move) override { screen_.ScrollAndFill(move); }
    void Wedge(POINT apex, POINT from, POINT to) override { screen_.Wedge(apex, from, to); }
    void Disc(const RECT& bounds) override { screen_.Disc(bounds); }

private:
    ScreenCanvas& screen_;
};

// The image prepared as the export prepares it, and the steps drawn without their pauses.
void DrawUnpaced(const EffectRequest& request, const EffectEntry& effect)
{
    OwnedBitmap image = StretchedImage(request);
    OwnedBitmap black;
    if (effect.blackPass)
        black = BlackImage(request.dc, request.area.width, request.area.height);
    HDC imageDc = CreateCompatibleDC(request.dc);
    HGDIOBJ old = SelectObject(imageDc, image.get());
    ScreenCanvas screen(request.dc, imageDc, request.area, nullptr);
    UnpacedCanvas canvas(screen);
    if (effect.blackPass)
        effect.blackPass(request.area, canvas);
    effect.plan(request.area, canvas);
    SelectClipRgn(request.dc, nullptr);
    SelectObject(imageDc, old);
    DeleteDC(imageDc);
}

// The median time of `runs` runs of `work`, after one that is not counted.
double MedianMilliseconds(int runs, const std::function<void()>& work)
{
    work();
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    int width = 640;
    int height = 480;
    bool dib = false;
    int runs = 3;
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dib") == 0)
            dib = true;
        else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.size() == 2 && sizes[0] > 0 && sizes[1] > 0) {
        width = sizes[0];
        height = sizes[1];
    }

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QxfxBenchWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    HDC dc = GetDC(window);
    std::vector<std::uint32_t> pixels;
    HBITMAP bitmap = MakeImage(dc, width, height, pixels);
    HGLOBAL packed = MakeDib(width, height, pixels);
    HANDLE image = dib ? static_cast<HANDLE>(packed) : static_cast<HANDLE>(bitmap);
    int kind = dib ? 8 : 2;
    Area area{0, 0, width, height};

    std::printf("Effects on %d x %d, image kind %d (%s), medians of %d runs\n\n", width, height, kind,
                dib ? "packed DIB" : "bitmap", runs);
    std::printf("%-10s %3s  %s %6s %10s %10s %10s %11s %6s\n", "module", "#", Padded("effect", 30).c_str(), "steps",
                "pauses ms", "total ms", "beyond ms", "drawing ms", "ratio");
    std::string summary;
    const Module modules[] = {{"qxfxwipe2.dll", &kWipe2Effects}, {"qxfxwipe3.dll", &kWipe3Effects}};
    for (const Module& module : modules) {
        HMODULE library = LoadLibraryA((ProgramFolder() + module.fileName).c_str());
        auto draw = Bind<DrawFn>(library, "DrawEffect");
        auto count = Bind<CountFn>(library, "GetNumbersEffect");
        auto name = Bind<NameFn>(library, "GetEffectName");
        if (!draw || !count || !name) {
            std::printf("%s: cannot be loaded or bound\n", module.fileName);
            return 1;
        }
        for (int index = 0; index < count(); ++index) {
            char effectName[130] = {};
            name(index, effectName, sizeof effectName);
            const EffectEntry& effect = module.catalogue->entries[index];
            StepLog log = LogEffect(effect, area);
            double total = MedianMilliseconds(runs, [&] {
                draw(window, dc, 0, 0, width, height, image, nullptr, SRCCOPY, 0, index, kind);
            });
            EffectRequest request{dc, area, image, kind, PaletteChoice{}};
            double drawing = MedianMilliseconds(runs, [&] { DrawUnpaced(request, effect); });
            double expected = log.TotalPause() + drawing;
            std::printf("%-10.9s %3d  %s %6zu %10lu %10.1f %10.1f %11.1f %6.3f\n", module.fileName, index,
                        Padded(Utf8(effectName), 30).c_str(), log.Steps().size(),
                        static_cast<unsigned long>(log.TotalPause()), total, total - log.TotalPause(), drawing,
                        total / expected);
            summary += "= effect " + Utf8(effectName) + "|" + std::to_string(total) + "|" + std::to_string(expected) +
                       "|pauses + drawing|1.05\n";
        }
        FreeLibrary(library);
    }

    std::printf("\n%s", summary.c_str());

    GlobalFree(packed);
    DeleteObject(bitmap);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    return 0;
}
