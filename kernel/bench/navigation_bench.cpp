// Benchmark of navigation at scale: page changes through the history and back, a bookmark
// file loaded and saved, bookmarks added. The time of one operation with 10,000 pages (or
// bookmarks) should stay within twice its time with 100: nothing may walk everything on each
// step.
// Usage: qxnav_bench [runs] [large]   (medians of 3, 10,000 pages and bookmarks by default)
#include "bench_pages.h"
#include "bench_report.h"

#include "bookmarks.h"
#include "history.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Pages of no object but their own that close when left, a hundred to a folder, as a large publication
// keeps them (a folder of ten thousand files would make every file lookup of the system slow).
std::vector<std::string> WritePages(const PageHost& host, int count)
{
    std::vector<std::string> pages;
    std::string text = BenchPageText("Page", 0, "ailleurs.pag");
    text.replace(text.find("\r\n2 200 200 220\r\n"), 16, "\r\n3 200 200 220\r\n");
    for (int i = 0; i < count; ++i) {
        pages.push_back("p" + std::to_string(i / 100) + "\\page" + std::to_string(i) + ".pag");
        host.pub.Write(pages.back(), text);
    }
    return pages;
}

// Forward through every page, then back to the first one page by page; ms per change.
double HistoryMs(PageHost& host, const std::vector<std::string>& pages)
{
    const double start = NowMs();
    for (const std::string& page : pages)
        host.Go(page);
    for (auto page = pages.rbegin() + 1; page != pages.rend(); ++page)
        host.Go(*page);
    const double elapsed = NowMs() - start;
    EmptyHistory(host);
    return elapsed / (2.0 * static_cast<double>(pages.size()) - 1);
}

struct Bookmarks {
    double adding;
    double saving;
    double loading;
};

Bookmarks BookmarksMs(PageHost& host, int count, int runs)
{
    const std::string file = host.Page("signets" + std::to_string(count) + ".qxb");
    Bookmarks result{};
    result.adding = MedianMs(runs,
                             [&] {
                                 for (int i = 0; i < count; ++i)
                                     KernAddBookMark(host, host.Page("page" + std::to_string(i) + ".pag").c_str(),
                                                     ("Signet " + std::to_string(i)).c_str());
                             },
                             [&] { host.kernel->bookmarks.Clear(); }) /
                    count;
    result.saving = MedianMs(runs, [&] { KernSaveBookmarks(host, file.c_str()); }) / count;
    result.loading = MedianMs(runs, [&] { KernLoadBookmarks(host, file.c_str()); }) / count;
    host.kernel->bookmarks.Clear();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int large = argc > 2 ? std::max(100, std::atoi(argv[2])) : 10000;
    PageHost host;
    WriteBenchMedia(host);
    std::printf("writing %d pages\n", large);
    std::fflush(stdout);
    const std::vector<std::string> pages = WritePages(host, large);
    std::printf("going through them\n");
    std::fflush(stdout);
    const std::vector<std::string> few(pages.begin(), pages.begin() + 100);
    HistoryMs(host, few);
    const double historySmall = HistoryMs(host, few);
    const double historyLarge = HistoryMs(host, pages);
    const Bookmarks small = BookmarksMs(host, 100, runs);
    const Bookmarks many = BookmarksMs(host, large, runs);

    std::printf("ms per operation:               %10d %10d\n", 100, large);
    std::printf("page change, forward and back   %10.4f %10.4f\n", historySmall, historyLarge);
    std::printf("bookmark added                  %10.4f %10.4f\n", small.adding, many.adding);
    std::printf("bookmark saved                  %10.4f %10.4f\n", small.saving, many.saving);
    std::printf("bookmark loaded                 %10.4f %10.4f\n", small.loading, many.loading);
    const std::string at = " at " + std::to_string(large);
    ReportRow("history: page change" + at, historyLarge, historySmall, "the same at 100", 2);
    ReportRow("bookmarks: one added" + at, many.adding, small.adding, "the same at 100", 2);
    ReportRow("bookmarks: one saved" + at, many.saving, small.saving, "the same at 100", 2);
    ReportRow("bookmarks: one loaded" + at, many.loading, small.loading, "the same at 100", 2);
    return 0;
}
