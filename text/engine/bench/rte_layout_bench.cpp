// Times the engine against the system's RichEdit control (riched20.dll) on a mebibyte of
// licence texts, plain and styled: the text and its runs put in, laid out in a 600-pixel
// column until the last character's position is known. Then times single typed characters in
// the middle of documents of 10 KiB, 100 KiB and 1 MiB, each redrawn into a memory DC.
// Usage: rte_layout_bench   (medians of 5 runs after a warm-up)
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench_engine.h"
#include "bench_text.h"
#include "rect_list.h"
#include "rte_batch.h"
#include "rte_editing.h"
#include "rte_gdi.h"
#include "rte_gdi_port.h"
#include "rte_line_builder.h"
#include "rte_position_queries.h"
#include "rte_selection.h"

namespace {

constexpr int32_t kColumn = 600;
constexpr size_t kMebibyte = 1 << 20;
constexpr int kRuns = 5;
constexpr unsigned kSeed = 1211;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) { return std::chrono::duration<double>(to - from).count(); }

struct Timing {
    double total;
    double beforeQuery;  // putting the text in, before the position was asked
};

Timing Median(std::vector<Timing> timings)
{
    std::sort(timings.begin(), timings.end(), [](const Timing& a, const Timing& b) { return a.total < b.total; });
    return timings[timings.size() / 2];
}

Timing MedianOf(const std::function<Timing()>& once)
{
    once();
    std::vector<Timing> timings;
    for (int i = 0; i < kRuns; ++i)
        timings.push_back(once());
    return Median(timings);
}

class Engine : public BenchEngine {
public:
    RteHandle NewDocument()
    {
        RteHandle doc = RteNewDocument(&env_);
        RteRect wrap{0, 0, 0x7FFFFFF, kColumn};
        RteRect view{0, 0, 800, kColumn};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteSetRectList(RteViewArea(doc), &view);
        return doc;
    }

    RteCharStyle Style(int points, bool bold, bool italic, uint32_t colour) const
    {
        RteCharStyle style = env_.defaultStyle;
        style.pointSize = points << 16;
        style.bold = bold ? 1 : 0;
        style.italic = italic ? 1 : 0;
        style.textColor = RteColor{static_cast<uint16_t>(((colour >> 16) & 0xFF) * 256),
                                   static_cast<uint16_t>(((colour >> 8) & 0xFF) * 256),
                                   static_cast<uint16_t>((colour & 0xFF) * 256)};
        return style;
    }

    static RteFont Font(const char* name)
    {
        RteFont font = {};
        std::strcpy(font.name, name);
        font.nameFlags = RTE_FONT_NAME_CSTRING | RTE_FONT_ALT_CSTRING;
        return font;
    }
};

void Append(RteHandle doc, const std::string& text, size_t at, size_t length, const RteCharStyle* style,
            const RteFont* font)
{
    RteBatchAppend(doc, reinterpret_cast<const uint8_t*>(text.data() + at), static_cast<int32_t>(length), nullptr,
                   style, font, 0);
}

Timing Ours(Engine& engine, const std::string& text, const std::vector<BenchRun>* runs)
{
    Clock::time_point start = Clock::now();
    RteHandle doc = engine.NewDocument();
    RteBeginBatch(doc, 0);
    int colours = 0;
    const uint32_t* colour = BenchColours(&colours);
    if (runs) {
        size_t at = 0;
        for (const BenchRun& run : *runs) {
            RteCharStyle style = engine.Style(run.points, run.bold, run.italic, colour[run.colour]);
            RteFont font = Engine::Font(BenchFace(run.face));
            Append(doc, text, at, static_cast<size_t>(run.length), &style, &font);
            at += static_cast<size_t>(run.length);
        }
    } else {
        RteCharStyle style = engine.Style(12, false, false, 0);
        RteFont font = Engine::Font("Liberation Serif");
        Append(doc, text, 0, text.size(), &style, &font);
    }
    RteEndBatch(doc, false, 0);
    Clock::time_point filled = Clock::now();
    RteRect rect;
    RteCaretRect(doc, static_cast<int32_t>(text.size()) - 1, false, false, &rect);
    Clock::time_point done = Clock::now();
    RteDocDestroy(doc);
    return Timing{Seconds(start, done), Seconds(start, filled)};
}

Timing Control(const std::string& content, size_t length)
{
    Clock::time_point start = Clock::now();
    HWND edit = CreateWindowExA(0, "RichEdit20A", "", WS_POPUP | ES_MULTILINE, 0, 0, kColumn + 40, 800, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    RECT format{0, 0, kColumn, 800};
    SendMessageA(edit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
    SETTEXTEX set{ST_DEFAULT, CP_ACP};
    SendMessageA(edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(content.c_str()));
    Clock::time_point filled = Clock::now();
    POINTL point{};
    SendMessageA(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), static_cast<LPARAM>(length - 1));
    Clock::time_point done = Clock::now();
    DestroyWindow(edit);
    return Timing{Seconds(start, done), Seconds(start, filled)};
}

void Report(const char* what, const Timing& ours, const Timing& control)
{
    std::printf("%-7s ours %8.3f s (text in %8.3f s)   control %8.3f s (text in %8.3f s)   speed %.2fx\n", what,
                ours.total, ours.beforeQuery, control.total, control.beforeQuery, control.total / ours.total);
}

// Seconds per typed character at the middle of a document of the size.
double Typing(Engine& engine, const std::string& text, size_t size)
{
    RteHandle doc = engine.NewDocument();
    RteBeginBatch(doc, 0);
    RteCharStyle style = engine.Style(12, false, false, 0);
    RteFont font = Engine::Font("Liberation Serif");
    Append(doc, text, 0, size, &style, &font);
    RteEndBatch(doc, false, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kColumn, 800);
    HGDIOBJ old = SelectObject(memory, bitmap);
    ReleaseDC(nullptr, screen);
    RteSetPortDC(doc, memory);
    RteLayoutDocument(doc);
    RteSetCaretQuiet(doc, static_cast<int32_t>(size / 2));
    const uint8_t key = 'a';
    constexpr int kKeys = 1000;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < kKeys; ++i)
        RteInsertText(doc, &key, 1, -1, RTE_KEYS_TYPED, 0, 1);
    double seconds = Seconds(start, Clock::now()) / kKeys;
    RteDocDestroy(doc);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return seconds;
}

}  // namespace

int main()
{
    if (!LoadLibraryA("riched20.dll")) {
        std::printf("riched20.dll could not be loaded\n");
        return 1;
    }
    Engine engine;
    std::string text = LicenceText(kMebibyte);
    std::vector<BenchRun> runs = SeededRuns(text.size(), kSeed);
    std::string rtf = RtfOf(text, runs);
    std::printf("%zu bytes, %zu styled runs, medians of %d after a warm-up\n", text.size(), runs.size(), kRuns);
    Report("plain", MedianOf([&] { return Ours(engine, text, nullptr); }),
           MedianOf([&] { return Control(text, text.size()); }));
    Report("styled", MedianOf([&] { return Ours(engine, text, &runs); }),
           MedianOf([&] { return Control(rtf, text.size()); }));
    for (size_t size : {size_t{10} << 10, size_t{100} << 10, kMebibyte})
        std::printf("typing at the middle of %7zu bytes: %8.1f us a key\n", size, Typing(engine, text, size) * 1e6);
    return 0;
}
