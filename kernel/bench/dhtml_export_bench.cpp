// Benchmark of the DHTML export: a publication of 500 pages written by the kernel, sharing 50
// pictures and 20 sounds, exported page by page as an authoring host exports a site (every
// media file given its published name first, then each page gone to and written, each file
// copied by the first page that uses it), against copying the same media files with the
// foundation's copy. The export should cost at most twice the copy; the part spent writing
// the pages, their reading aside, is given too, and against writing as many files of their
// size (500 files cannot be made as fast as 70 are copied).
// Usage: qxdhtml_bench [runs] [pages]   (medians of 3, 500 pages by default)
#include "bench_pages.h"
#include "bench_report.h"

#include "accessors.h"
#include "dhtmlexport.h"
#include "exportnames.h"
#include "qxbmp.h"
#include "qxfile.h"
#include "qxpath.h"
#include "qxsupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Pictures = 50;
constexpr int Sounds = 20;
constexpr int PicturesPerPage = 5;
constexpr int SoundsPerPage = 2;

// Photographs as a publication has them: JPEG files, which the export publishes unchanged.
std::vector<std::string> WritePictures(const PageHost& host)
{
    std::vector<std::string> pictures;
    for (int i = 0; i < Pictures; ++i) {
        host.pub.Write("source.bmp", BmpFile(320, 240, [i](int x, int y) { return RGB(x * 3 + i, y * 4, (x ^ y) + i); }));
        BMP picture;
        pictures.push_back("photo" + std::to_string(i) + ".jpg");
        if (picture.Import(host.Page("source.bmp").c_str()) != 0 ||
            picture.Export(host.Page(pictures.back()).c_str(), BMP_FORMAT_JPEG, 24) != 0) {
            std::printf("cannot write %s\n", pictures.back().c_str());
            std::exit(1);
        }
    }
    return pictures;
}

std::vector<std::string> WriteSounds(const PageHost& host)
{
    std::vector<std::string> sounds;
    for (int i = 0; i < Sounds; ++i) {
        sounds.push_back("son" + std::to_string(i) + ".wav");
        host.pub.Write(sounds.back(), WavFile(200 + 10 * i));
    }
    return sounds;
}

// Page n shows pictures and sounds taken in turn from the shared ones, and branches to the
// next page. Every page is there before the kernel reads and writes them again, so that each
// branch finds its page.
std::vector<std::string> WritePages(PageHost& host, int count, const std::vector<std::string>& pictures,
                                    const std::vector<std::string>& sounds)
{
    std::vector<std::string> pages;
    for (int n = 0; n < count; ++n)
        pages.push_back("page" + std::to_string(n) + ".pag");
    for (int n = 0; n < count; ++n) {
        std::vector<std::string> shown, heard;
        for (int k = 0; k < PicturesPerPage; ++k)
            shown.push_back(pictures[(n * PicturesPerPage + k) % pictures.size()]);
        for (int k = 0; k < SoundsPerPage; ++k)
            heard.push_back(sounds[(n * SoundsPerPage + k) % sounds.size()]);
        host.pub.Write(pages[n], MediaPageText("Page " + std::to_string(n), shown, heard, pages[(n + 1) % count]));
    }
    for (const std::string& page : pages) {
        if (!KernelWrittenPage(host, page, page)) {
            std::printf("the kernel cannot write %s\n", page.c_str());
            std::exit(1);
        }
    }
    return pages;
}

struct ExportTimes {
    double whole;    // pages gone to and written
    double writing;  // the writing alone
    double bytes;    // of the pages written
};

double FileBytes(const std::string& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data);
    return static_cast<double>(data.nFileSizeLow);
}

// Exports every page into a new site folder under names given beforehand.
ExportTimes ExportSite(PageHost& host, const std::vector<std::string>& pages, const std::vector<std::string>& media)
{
    ScratchDir site("qxsite");
    host.kernel->distList->Clear();
    for (const std::string& file : media)
        KernAddExportName(host, host.Page(file).c_str(), (site / ("images\\" + file)).c_str(), false);
    KernSetDHTMLDestPath(host, site.Path().c_str());
    ExportTimes times{};
    const double start = NowMs();
    for (size_t n = 0; n < pages.size(); ++n) {
        host.Go(pages[n]);
        const std::string html = site / ("page" + std::to_string(n) + ".html");
        const double writing = NowMs();
        KernSetDHTMLActivePage(host, html.c_str());
        const QXFILE file = QXopen(html.c_str(), 1);
        const int written = KernSaveDHTML(host, file, html.c_str());
        QXclose(file);
        times.writing += NowMs() - writing;
        times.bytes += FileBytes(html);
        EmptyHistory(host);
        if (!written) {
            std::printf("page %zu was not exported\n", n);
            std::exit(1);
        }
    }
    times.whole = NowMs() - start;
    if (FilesIn(site / "images\\").size() != media.size()) {
        std::printf("the export copied %zu media files of %zu\n", FilesIn(site / "images\\").size(), media.size());
        std::exit(1);
    }
    return times;
}

// The least writing the pages may cost: as many files of their average size, written line by
// line as the export writes them.
void WriteFilesLike(size_t files, double bytes)
{
    ScratchDir folder;
    const std::string line = std::string(78, 'x') + "\r\n";
    const int lines = static_cast<int>(bytes / static_cast<double>(files) / static_cast<double>(line.size()));
    for (size_t n = 0; n < files; ++n) {
        const QXFILE file = QXopen((folder / ("page" + std::to_string(n) + ".html")).c_str(), 1);
        for (int i = 0; i < lines; ++i)
            QXWriteString(file, line.c_str());
        QXclose(file);
    }
}

void CopyMedia(const PageHost& host, const std::vector<std::string>& media)
{
    ScratchDir copy;
    const std::string images = copy / "images\\";
    QXCreateFilePath(images.c_str());
    for (const std::string& file : media)
        fcopyWithSameDate(host.Page(file).c_str(), (images + file).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 500;
    PageHost host;
    const std::vector<std::string> pictures = WritePictures(host);
    const std::vector<std::string> sounds = WriteSounds(host);
    // The files the pages name: the first ones of each kind when the pages are few.
    std::vector<std::string> media(pictures.begin(),
                                   pictures.begin() + std::min<size_t>(Pictures, count * PicturesPerPage));
    media.insert(media.end(), sounds.begin(), sounds.begin() + std::min<size_t>(Sounds, count * SoundsPerPage));
    std::printf("writing %d pages\n", count);
    std::fflush(stdout);
    const std::vector<std::string> pages = WritePages(host, count, pictures, sounds);

    std::vector<ExportTimes> exports;
    MedianMs(runs, [&] { exports.push_back(ExportSite(host, pages, media)); });
    exports.erase(exports.begin());  // the warm-up
    auto median = [&](double ExportTimes::*part) {
        std::vector<double> values;
        for (const ExportTimes& times : exports)
            values.push_back(times.*part);
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    const double whole = median(&ExportTimes::whole);
    const double writing = median(&ExportTimes::writing);
    const double bytes = median(&ExportTimes::bytes);
    const double copying = MedianMs(runs, [&] { CopyMedia(host, media); });
    const double plainWriting = MedianMs(runs, [&] { WriteFilesLike(pages.size(), bytes); });
    std::printf("%d pages exported in %.1f ms (writing them %.1f ms); %zu media files copied in %.1f ms; "
                "%.0f bytes in %d files written line by line in %.1f ms\n",
                count, whole, writing, media.size(), copying, bytes, count, plainWriting);
    const std::string pagesText = std::to_string(count) + " pages";
    ReportRow("DHTML export: " + pagesText + " gone to and written", whole, copying, "copying their media", 2);
    ReportRow("DHTML export: " + pagesText + " written", writing, copying, "copying their media", 2);
    ReportRow("DHTML export: " + pagesText + " written", writing, plainWriting, "writing as many files", 2);
    return 0;
}
