// Packed DIBs of the header forms that effects accept, built together with the picture that
// each must show, and global blocks to hand them over in.
#pragma once

#include "picture.h"

#include <cstddef>
#include <ostream>
#include <vector>

struct DibForm {
    const char* name;
    DWORD headerSize;   // 12 (core), 40 (info) or 124 (version 5)
    WORD bitCount;
    DWORD compression;  // BI_RGB or BI_BITFIELDS
    DWORD usedColours;  // written into info headers; 0 lets the bit count decide
    bool topDown;       // rows from the top (info headers only)
};

struct DibSample {
    std::vector<unsigned char> bytes;
    Picture picture;         // what the DIB shows
    std::size_t bitsOffset;  // where its pixel bits begin
};

// A DIB of the pattern's size. Forms of 24 and 32 bits show the pattern; forms with a colour
// table show a pattern of their own colours; 16-bit forms keep their channels below 4 (5-bit)
// and 16 (6-bit), so that every way of widening them to 8 bits gives the same value.
DibSample MakeDib(const DibForm& form, const Picture& pattern);

// A 24-bit bottom-up DIB showing `picture`.
std::vector<unsigned char> Dib24Of(const Picture& picture);

// A movable global block holding a copy of the bytes, freed with its owner.
class GlobalBlock {
public:
    explicit GlobalBlock(const std::vector<unsigned char>& bytes);
    explicit GlobalBlock(HGLOBAL block) : block_(block) {}
    ~GlobalBlock();
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    HGLOBAL get() const { return block_; }

private:
    HGLOBAL block_;
};

// How gtest prints a form in a failure message.
void PrintTo(const DibForm& form, std::ostream* out);
