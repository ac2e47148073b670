// Timing and reporting of the benchmark programs.
#include "bench_report.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

double NowMs()
{
    static const double frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / frequency;
}

double MedianMs(int runs, const std::function<void()>& work, const std::function<void()>& prepare)
{
    std::vector<double> times;
    for (int run = 0; run <= runs; ++run) {
        if (prepare)
            prepare();
        const double start = NowMs();
        work();
        if (run > 0)
            times.push_back(NowMs() - start);
    }
    return Median(times);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PagefileUsage);
}

void ReportRow(const std::string& benchmark, double oursMs, double yardstickMs, const std::string& yardstick,
               double target)
{
    char aim[32] = "-";
    if (target > 0)
        std::snprintf(aim, sizeof aim, "%.2f", target);
    std::printf("= %s|%.4f|%.4f|%s|%s\n", benchmark.c_str(), oursMs, yardstickMs, yardstick.c_str(), aim);
    std::fflush(stdout);
}
