// Benchmark of navigation at scale: page changes through the history and back, a bookmark
// file loaded and saved, bookmarks added. The time of one operation with 10,000 pages (or
// bookmarks) should stay within twice its time with 100: nothing may walk everything on each
// step.
// The page changes are timed by chunks of a hundred, with passes through a history of a
// hundred pages between them, and their medians compared.
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

// The changes of a pass forward through every page and back to the first, timed by chunks.
constexpr int ChunkChanges = 100;
// A pass through the small history is timed after this many chunks of the large one, so that
// both are measured under the same load of a shared machine.
constexpr int ChunksPerReference = 10;

// Forward through every page, then back to the first one page by page, and the history
// emptied; ms per change.
double PassMs(PageHost& host, const std::vector<std::string>& pages)
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

struct HistoryTimes {
    double large;  // median ms per change of the chunks of the large pass
    double small;  // median ms per change of the passes through the small history
};

// A pass through the large history in chunks, with a pass through the small one (another
// kernel) between every few chunks: a machine busy for a while slows a few chunks and a few
// small passes, not the medians. The curve of the large pass is printed by depth.
HistoryTimes HistoryMs(PageHost& large, const std::vector<std::string>& pages, PageHost& small,
                       const std::vector<std::string>& few)
{
    PassMs(small, few);
    std::vector<std::string> route(pages);
    route.insert(route.end(), pages.rbegin() + 1, pages.rend());
    std::vector<double> chunks, references;
    for (size_t first = 0; first < route.size(); first += ChunkChanges) {
        const size_t end = std::min(route.size(), first + ChunkChanges);
        const double start = NowMs();
        for (size_t i = first; i < end; ++i)
            large.Go(route[i]);
        chunks.push_back((NowMs() - start) / static_cast<double>(end - first));
        if (chunks.size() % ChunksPerReference == 1) {
            references.push_back(PassMs(small, few));
            std::printf("  changes %6zu, history of %6d pages: %.4f ms a change (%d pages: %.4f)\n", end,
                        large.kernel->history.Items(), chunks.back(), static_cast<int>(few.size()),
                        references.back());
            std::fflush(stdout);
        }
    }
    EmptyHistory(large);
    return {Median(chunks), Median(references)};
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
    PageHost host, reference;
    WriteBenchMedia(host);
    WriteBenchMedia(reference);
    std::printf("writing %d pages\n", large);
    std::fflush(stdout);
    const std::vector<std::string> pages = WritePages(host, large);
    const std::vector<std::string> few = WritePages(reference, 100);
    std::printf("going through them\n");
    std::fflush(stdout);
    const HistoryTimes history = HistoryMs(host, pages, reference, few);
    const Bookmarks small = BookmarksMs(host, 100, runs);
    const Bookmarks many = BookmarksMs(host, large, runs);

    std::printf("ms per operation:               %10d %10d\n", 100, large);
    std::printf("page change, forward and back   %10.4f %10.4f\n", history.small, history.large);
    std::printf("bookmark added                  %10.4f %10.4f\n", small.adding, many.adding);
    std::printf("bookmark saved                  %10.4f %10.4f\n", small.saving, many.saving);
    std::printf("bookmark loaded                 %10.4f %10.4f\n", small.loading, many.loading);
    const std::string at = " at " + std::to_string(large);
    ReportRow("history: page change" + at, history.large, history.small, "the same at 100", 2);
    ReportRow("bookmarks: one added" + at, many.adding, small.adding, "the same at 100", 2);
    ReportRow("bookmarks: one saved" + at, many.saving, small.saving, "the same at 100", 2);
    ReportRow("bookmarks: one loaded" + at, many.loading, small.loading, "the same at 100", 2);
    return 0;
}
