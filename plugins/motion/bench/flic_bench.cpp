// Benchmark of the FLIC reader: for each file given, the frames per second of reading the file
// and decoding every frame into an 8-bit frame, median of five runs after a warm-up.
//   cd <build>/bin && ../wine-run flic_bench.exe file.flc...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "flic_qxfile.h"
#include "flic_reader.h"

namespace {

constexpr int RUNS = 5;

// Seconds to open the file and decode all its frames once; the frames decoded in *frames.
double OneRun(const char* path, int* frames)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    FlicReader reader;
    if (reader.Open(OpenFlicFile(path)) != FLIC_OPENED)
        return -1;
    std::vector<uint8_t> bits(FlicCanvas::BitsSize(reader.Header().width, reader.Header().height));
    FlicCanvas canvas(bits.data(), reader.Header().width, reader.Header().height);
    reader.Rewind(canvas);
    *frames = 1;
    while (*frames < reader.Header().frames) {
        reader.NextFrame(canvas);
        ++*frames;
    }
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("usage: flic_bench.exe file.flc...\n");
        return 2;
    }
    std::printf("%-40s %8s %12s %12s\n", "file", "frames", "median s", "frames/s");
    for (int i = 1; i < argc; ++i) {
        int frames = 0;
        if (OneRun(argv[i], &frames) < 0) {
            std::printf("%-40s cannot be opened\n", argv[i]);
            continue;
        }
        std::vector<double> times;
        for (int run = 0; run < RUNS; ++run)
            times.push_back(OneRun(argv[i], &frames));
        std::sort(times.begin(), times.end());
        const double median = times[RUNS / 2];
        std::printf("%-40s %8d %12.4f %12.1f\n", argv[i], frames, median, frames / median);
    }
    return 0;
}
