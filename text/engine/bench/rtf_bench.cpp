// Times the engine's RTF import against the system's RichEdit control (riched20.dll) on RTF
// made by pandoc from Debian's manuals (make_rtf_bench_inputs.sh): the same bytes in memory
// read into a new document without redraw, and streamed into a hidden "RichEdit20A" with
// EM_STREAMIN; then each again followed by a first full layout in a 600-pixel column (ours
// whole, the control's EM_GETLINECOUNT). Medians of 5 after a warm-up. Also the characters
// each side read, and the document's bytes in the engine's memory context after the import and
// the context's high-water mark during it (sampled after each chunk), over the RTF's size.
// Usage: rtf_bench [file.rtf ...]   (default: ../rtf-bench/rtf-1mib.rtf and rtf-10mib.rtf)
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "bench_engine.h"
#include "rect_list.h"
#include "rte_gdi.h"
#include "rte_line_builder.h"
#include "rte_rtf_import.h"

namespace {

constexpr int32_t kColumn = 600;
constexpr int kRuns = 5;
constexpr double kMebibyte = 1 << 20;
// Our speed over the control's that the benchmark aims at.
constexpr double kGoal = 2.0;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

double MedianOf(const std::function<double()>& once)
{
    once();
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
        times.push_back(once());
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The context's bytes in use, sampled by the document's progress hook during an import.
RteMemContext* gSampled = nullptr;
size_t gHighWater = 0;

void SampleMemory(RteHandle, int32_t, int32_t, int32_t)
{
    gHighWater = std::max(gHighWater, gSampled->bytesInUse);
}

struct Import {
    double seconds;
    int32_t characters;
    size_t documentBytes;  // after the import
    size_t highWater;      // during it, above what the context held before
};

class Engine : public BenchEngine {
public:
    Engine() { gSampled = &context_; }

    Import Read(const std::string& rtf, bool layOut)
    {
        RteHandle source = RteNewFromData(&context_, rtf.data(), 1, static_cast<int32_t>(rtf.size()));
        size_t before = context_.bytesInUse;
        Clock::time_point start = Clock::now();
        RteHandle doc = RteNewDocument(&env_);
        RteRect wrap{0, 0, 0x7FFFFFF, kColumn};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteHookTable hooks;
        RteGetDocHooks(doc, &hooks);
        hooks.progress = SampleMemory;
        RteSetDocHooks(doc, &hooks, false);
        gHighWater = context_.bytesInUse;
        RteRTFImportFilter filter;
        filter.SetSource(&env_, 0, source, nullptr, 0, -1);
        filter.ImportInto(doc, -1, RTE_IMPORT_TEXT | RTE_IMPORT_STYLES | RTE_IMPORT_FORMATS | RTE_IMPORT_PAGE, 0,
                          false);
        if (layOut)
            RteLayoutDocument(doc);
        Import result{Seconds(start), RteTextLength(doc), context_.bytesInUse - before,
                      std::max(gHighWater, context_.bytesInUse) - before};
        RteDocDestroy(doc);
        RteFree(source);
        return result;
    }
};

struct StreamSource {
    const std::string* bytes;
    size_t at;
};

DWORD CALLBACK StreamIn(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given)
{
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    size_t count = std::min(static_cast<size_t>(wanted), source->bytes->size() - source->at);
    std::memcpy(buffer, source->bytes->data() + source->at, count);
    source->at += count;
    *given = static_cast<LONG>(count);
    return 0;
}

Import Control(const std::string& rtf, bool layOut)
{
    Clock::time_point start = Clock::now();
    HWND edit = CreateWindowExA(0, "RichEdit20A", "", WS_POPUP | ES_MULTILINE, 0, 0, kColumn + 40, 800, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    StreamSource source{&rtf, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, StreamIn};
    SendMessageA(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (layOut) {
        RECT format{0, 0, kColumn, 800};
        SendMessageA(edit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
        SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    }
    double seconds = Seconds(start);
    GETTEXTLENGTHEX length{GTL_DEFAULT, CP_ACP};
    auto characters = static_cast<int32_t>(SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    DestroyWindow(edit);
    return Import{seconds, characters, 0, 0};
}

std::string ReadFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void Measure(Engine& engine, const char* path)
{
    std::string rtf = ReadFile(path);
    if (rtf.empty()) {
        std::printf("%s: cannot be read (make_rtf_bench_inputs.sh makes it)\n", path);
        return;
    }
    const double mib = rtf.size() / kMebibyte;
    std::string name = path;
    name = name.substr(name.find_last_of("/\\") + 1);
    std::printf("%s: %.2f MiB\n", name.c_str(), mib);
    for (bool layOut : {false, true}) {
        Import ours{};
        Import control{};
        ours.seconds = MedianOf([&] { ours = engine.Read(rtf, layOut); return ours.seconds; });
        control.seconds = MedianOf([&] { control = Control(rtf, layOut); return control.seconds; });
        const char* what = layOut ? "import and layout" : "import";
        std::printf("  %-17s ours %8.1f MiB/s (%8.4f s)   control %8.1f MiB/s (%8.4f s)   speed %.2fx (goal %.0fx)\n",
                    what, mib / ours.seconds, ours.seconds, mib / control.seconds, control.seconds,
                    control.seconds / ours.seconds, kGoal);
        double differ = std::abs(ours.characters - control.characters) / std::max(1.0, double(control.characters));
        std::printf("  %-17s characters: ours %d, control %d%s\n", "", ours.characters, control.characters,
                    differ > 0.05 ? " (they differ by more than 5%)" : "");
        if (!layOut)
            std::printf("  %-17s memory: document %.2f x the RTF, high-water %.2f x the RTF\n", "",
                        ours.documentBytes / double(rtf.size()), ours.highWater / double(rtf.size()));
        std::printf("= rtf %s %s|%.4f|%.4f|RichEdit EM_STREAMIN|%.2f\n", what, name.c_str(), ours.seconds * 1000,
                    control.seconds * 1000, 1 / kGoal);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (!LoadLibraryA("riched20.dll")) {
        std::printf("riched20.dll could not be loaded\n");
        return 1;
    }
    // Each line as soon as it is measured: the larger file takes minutes.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    Engine engine;
    std::printf("medians of %d after a warm-up\n", kRuns);
    if (argc > 1) {
        for (int i = 1; i < argc; ++i)
            Measure(engine, argv[i]);
    } else {
        Measure(engine, "../rtf-bench/rtf-1mib.rtf");
        Measure(engine, "../rtf-bench/rtf-10mib.rtf");
    }
    return 0;
}
