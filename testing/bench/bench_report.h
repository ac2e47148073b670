// What every benchmark program shares: timing, medians, the memory in use, and the lines that
// tools/bench gathers into its table.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Milliseconds on the performance counter since an arbitrary start.
double NowMs();

// The median time in milliseconds of `runs` runs of `work`, after one run that is not counted
// (it brings files, modules and the display into their steady state). `prepare` runs before
// each run, outside the timing.
double MedianMs(int runs, const std::function<void()>& work, const std::function<void()>& prepare = {});

// The median of times taken by the caller (runs interleaved with those of a yardstick).
double Median(std::vector<double> values);

// The bytes of private memory the process holds (its commit charge).
double PrivateBytes();

// One row of the table of tools/bench: our time against the yardstick's, measured in the same
// run, and the largest ratio of the two aimed at (none when 0: the row only tells a share).
// The row is also printed for a reader.
void ReportRow(const std::string& benchmark, double oursMs, double yardstickMs, const std::string& yardstick,
               double target);
