// What the layout benchmark lays out: a mebibyte of licence texts and seeded style runs over it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BenchRun {
    int32_t length;
    int face;        // 0 "Liberation Serif", 1 "Liberation Sans"
    int points;
    bool bold;
    bool italic;
    int colour;      // index into BenchColours()
};

// The licence texts of the system, repeated to the size, with paragraph ends for line ends.
std::string LicenceText(size_t size);
// Runs of 40 to 80 characters covering the text.
std::vector<BenchRun> SeededRuns(size_t length, unsigned seed);
const char* BenchFace(int face);
const uint32_t* BenchColours(int* count);
// The text as RTF with the runs' fonts, sizes, weights, slants and colours.
std::string RtfOf(const std::string& text, const std::vector<BenchRun>& runs);
