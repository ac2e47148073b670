// The benchmark's text, runs and their RTF.
#include "bench_text.h"

#include <windows.h>

#include <cstdio>
#include <random>

namespace {

constexpr const char* kLicences = "Z:\\usr\\share\\common-licenses\\";
constexpr uint32_t kColours[] = {0x000000, 0x0000C0, 0xC00000, 0x008000};

std::string FileText(const std::string& path)
{
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return text;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

}  // namespace

std::string LicenceText(size_t size)
{
    std::string all;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(kLicences) + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                all += FileText(std::string(kLicences) + found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    if (all.empty())
        all = "No licence text was found; this stands in for it.\n";
    for (char& c : all)
        if (c == '\n')
            c = '\r';
    std::string text;
    while (text.size() < size)
        text += all;
    text.resize(size);
    return text;
}

std::vector<BenchRun> SeededRuns(size_t length, unsigned seed)
{
    std::mt19937 random(seed);
    const int sizes[] = {10, 12, 14};
    std::vector<BenchRun> runs;
    for (size_t done = 0; done < length;) {
        auto run = BenchRun{static_cast<int32_t>(40 + random() % 41), static_cast<int>(random() % 2),
                            sizes[random() % 3], random() % 2 == 0, random() % 2 == 0,
                            static_cast<int>(random() % (sizeof kColours / sizeof kColours[0]))};
        run.length = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(run.length), length - done));
        done += static_cast<size_t>(run.length);
        runs.push_back(run);
    }
    return runs;
}

const char* BenchFace(int face) { return face == 0 ? "Liberation Serif" : "Liberation Sans"; }

const uint32_t* BenchColours(int* count)
{
    *count = sizeof kColours / sizeof kColours[0];
    return kColours;
}

std::string RtfOf(const std::string& text, const std::vector<BenchRun>& runs)
{
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Liberation Serif;}{\\f1 Liberation Sans;}}{\\colortbl;";
    for (uint32_t colour : kColours) {
        char entry[64];
        std::snprintf(entry, sizeof entry, "\\red%u\\green%u\\blue%u;", (colour >> 16) & 0xFF, (colour >> 8) & 0xFF,
                      colour & 0xFF);
        rtf += entry;
    }
    rtf += "}";
    size_t at = 0;
    for (const BenchRun& run : runs) {
        char codes[96];
        std::snprintf(codes, sizeof codes, "\\f%d\\fs%d\\b%d\\i%d\\cf%d ", run.face, run.points * 2, run.bold ? 1 : 0,
                      run.italic ? 1 : 0, run.colour + 1);
        rtf += codes;
        for (size_t i = at; i < at + static_cast<size_t>(run.length); ++i) {
            auto c = static_cast<unsigned char>(text[i]);
            if (c == '\r') {
                rtf += "\\par ";
            } else if (c == '\\' || c == '{' || c == '}') {
                rtf += '\\';
                rtf += static_cast<char>(c);
            } else if (c >= 0x80) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\'%02x", c);
                rtf += hex;
            } else {
                rtf += static_cast<char>(c);
            }
        }
        at += static_cast<size_t>(run.length);
    }
    return rtf + "}";
}
