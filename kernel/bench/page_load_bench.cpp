// Benchmark of page loading: pages of 100, 1,000 and 10,000 objects, written by the kernel,
// gone to through the history as the player's page change goes (read, plug-ins bound, the
// page shown), against reading the same file's lines with the foundation's line reader
// alone. The load should cost at most twice the line read at every size, and grow with the
// objects (ten times the objects, about ten times the time). The memory the loaded tree
// takes is given per object, and the time of making and showing as many bare child windows,
// the windowing system's share of any such page.
// Usage: qxpage_bench [runs]   (medians of 3 by default)
#include "bench_pages.h"
#include "bench_report.h"

#include "qxfile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

// Every line of the file read into a buffer as large as the kernel's record lines.
void ReadLines(const std::string& file)
{
    char line[1024];
    const QXFILE handle = QXopen(file.c_str(), 0);
    while (QXGetLine(handle, line, sizeof line))
        ;
    QXclose(handle);
}

// The least the system must do for a page of that many objects, each in a window of its own:
// a page window and a clipped sibling child window of an object's size for each object, made
// and shown. What the page load takes beyond it is the kernel's and the plug-ins'. The page
// window made, destroyed by the next call (outside the time, as the page load's unloading).
HWND BareWindows(HWND host, int objects)
{
    static const char* const Class = [] {
        WNDCLASSA bare{};
        bare.lpfnWndProc = DefWindowProcA;
        bare.hInstance = GetModuleHandleA(nullptr);
        bare.lpszClassName = "QxBareObject";
        RegisterClassA(&bare);
        return "QxBareObject";
    }();
    const HWND page = CreateWindowExA(0, Class, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 640, 480, host,
                                      nullptr, nullptr, nullptr);
    for (int i = 0; i < objects; ++i)
        CreateWindowExA(0, Class, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, i % 600, i / 600 % 440, 32, 32, page,
                        nullptr, nullptr, nullptr);
    UpdateWindow(page);
    return page;
}

struct Figures {
    double load;
    double lines;
    double windows;
    double bytesPerObject;
};

Figures Measure(PageHost& host, int objects, int runs)
{
    const std::string source = "source" + std::to_string(objects) + ".pag";
    const std::string name = "page" + std::to_string(objects) + ".pag";
    host.pub.Write(source, BenchPageText("Page de " + std::to_string(objects) + " objets", objects, "ailleurs.pag"));
    Figures figures{};
    // The memory is taken at the first load of this size, before freed blocks of the same
    // sizes are there to be used again.
    const double before = PrivateBytes();
    if (!host.Go(source)) {
        std::printf("the page of %d objects could not be loaded\n", objects);
        return figures;
    }
    figures.bytesPerObject = (PrivateBytes() - before) / objects;
    EmptyHistory(host);
    if (!KernelWrittenPage(host, source, name)) {
        std::printf("the page of %d objects could not be saved\n", objects);
        return figures;
    }
    figures.lines = MedianMs(runs, [&] { ReadLines(host.Page(name)); });
    figures.load = MedianMs(runs, [&] { host.Go(name); }, [&] { EmptyHistory(host); });
    HWND bare = nullptr;
    figures.windows = MedianMs(runs, [&] { bare = BareWindows(host.view, objects); }, [&] { DestroyWindow(bare); });
    DestroyWindow(bare);
    EmptyHistory(host);
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    PageHost host;
    WriteBenchMedia(host);
    host.pub.Write("ailleurs.pag", BenchPageText("Ailleurs", 1, "ailleurs.pag"));
    std::map<int, Figures> figures;
    std::printf("%8s %12s %12s %8s %12s %8s %14s\n", "objects", "load ms", "lines ms", "ratio", "windows ms", "ratio",
                "bytes/object");
    for (int objects : {100, 1000, 10000}) {
        const Figures& f = figures[objects] = Measure(host, objects, runs);
        std::printf("%8d %12.2f %12.2f %8.2f %12.2f %8.2f %14.0f\n", objects, f.load, f.lines, f.load / f.lines, f.windows,
                    f.load / f.windows, f.bytesPerObject);
    }
    for (const auto& [objects, f] : figures)
        ReportRow("page load, " + std::to_string(objects) + " objects", f.load, f.lines, "its lines read", 2);
    // The share of the windowing system: no target, the figure tells how much of the load
    // any page of windows costs on this system.
    for (const auto& [objects, f] : figures)
        ReportRow("page load, " + std::to_string(objects) + " objects", f.load, f.windows, "as many bare windows", 0);
    ReportRow("page load growth, 1,000 to 10,000 objects", figures[10000].load, 10 * figures[1000].load,
              "10 x the load of 1,000", 1.25);
    return 0;
}
