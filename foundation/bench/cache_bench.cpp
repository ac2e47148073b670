// Benchmark of the file cache at scale: the time of an operation on a cache of 10,000 copies
// against the same operation on a cache of 100. Nothing should walk every copy on each step,
// so the two should stay within 2x. A new copy is an empty file made in the cache folder, and
// making a file costs more in a fuller folder (under Wine, whose names are matched without
// regard to case by reading the folder): that cost is measured too, files made beside the
// copies, and set beside the copies made.
// Usage: qxcache_bench [runs]   (medians of 5 by default)
#include "bench_report.h"
#include "qxcache.h"
#include "scratch_dir.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Sources(int count)
{
    std::vector<std::string> sources;
    for (int i = 0; i < count; ++i)
        sources.push_back("HTTP://www.exemple.fr/publication/page" + std::to_string(i) + "/image.bmp");
    return sources;
}

struct PerOperation {
    double adding;      // naming a new copy and marking it complete
    double looking;     // a status asked, a holder taken and let go
    double makingFile;  // the system making an empty file beside the copies
};

// The time to look for a file and make it empty, in `folder` beside what it holds, for each
// of `count` new names; the files are deleted afterwards.
double MakingFileMs(const std::string& folder, int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(folder + "\\beside" + std::to_string(i) + ".bmp");
    const double start = NowMs();
    for (const std::string& name : names) {
        GetFileAttributesA(name.c_str());
        CloseHandle(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    const double elapsed = NowMs() - start;
    for (const std::string& name : names)
        DeleteFileA(name.c_str());
    return elapsed / count;
}

PerOperation Measure(int count, int runs)
{
    const std::vector<std::string> sources = Sources(count);
    ScratchDir folder("cachebench");
    FILECACHE cache;
    cache.InitCache((folder / "cache").c_str(), 0x7FFFFFFF);
    PerOperation result{};
    result.adding = MedianMs(runs,
                             [&] {
                                 QXSTRING tmp;
                                 for (const std::string& source : sources) {
                                     cache.GetTmpName(source.c_str(), &tmp);
                                     cache.SetFileStatus(source.c_str(), QX_CACHE_COMPLETE);
                                 }
                             },
                             [&] { cache.CloseCache(); }) /
                    count;
    result.looking = MedianMs(runs, [&] {
                         for (const std::string& source : sources) {
                             cache.GetFileStatus(source.c_str());
                             cache.IncreaseFileCount(source.c_str());
                             cache.DecreaseFileCount(source.c_str());
                         }
                     }) /
                     (3.0 * count);
    result.makingFile = MakingFileMs(folder / "cache", std::min(count, 500));
    cache.CloseCache();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const PerOperation small = Measure(100, runs);
    const PerOperation large = Measure(10000, runs);
    std::printf("file cache, ms per operation: %-28s %10s %10s\n", "", "100", "10,000");
    std::printf("%-58s %10.4f %10.4f\n", "new copy named and marked complete", small.adding, large.adding);
    std::printf("%-58s %10.4f %10.4f\n", "status, holder taken, holder let go", small.looking, large.looking);
    std::printf("%-58s %10.4f %10.4f\n", "the system: empty file made beside the copies", small.makingFile,
                large.makingFile);
    ReportRow("file cache: new copy at 10,000", large.adding, small.adding, "the same at 100", 2);
    ReportRow("file cache: new copy at 10,000", large.adding, large.makingFile, "empty file made there", 2);
    ReportRow("file cache: lookup at 10,000", large.looking, small.looking, "the same at 100", 2);
    return 0;
}
