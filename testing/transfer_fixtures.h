// Files that transfers must carry byte for byte: line ends of every kind, an end-of-file
// character and a zero; one larger than a data block of 64 KiB; an empty one.
#pragma once

#include <string>
#include <vector>

struct TransferFixture {
    const char* name;  // in small letters, as the kernel asks for remote names
    std::string bytes;
};

inline std::vector<TransferFixture> TransferFixtures()
{
    std::string large;
    for (int i = 0; large.size() < 200000; ++i)
        large += static_cast<char>((i * 7 + i / 251) & 0xFF);
    return {{"controls.bin", std::string("a\rb\nc\r\nd\x1A" "e\0f", 11)}, {"large.bin", large}, {"empty.bin", ""}};
}
