// The lexical layer of the RTF reader: braces, text bytes, "\'hh" escapes and control words
// with their parameters, read one byte at a time from any source. Every buffer is bounded:
// a control word keeps its first 30 letters and a parameter saturates instead of overflowing.
#pragma once

#include <cstdint>
#include <string>

#include "rtf_keywords.h"

// A source of bytes; NextByte gives -1 at the end (and after a read error).
class RtfInput {
public:
    virtual ~RtfInput() = default;
    virtual int32_t NextByte() = 0;
};

enum class RtfTokenKind {
    End,
    Open,         // "{"
    Close,        // "}"
    Text,         // a byte of text, escaped or not
    Word,         // a control word
    Destination,  // "\*": the group is a destination to skip unless its word is known
};

constexpr int RTF_MAX_WORD = 30;

struct RtfToken {
    RtfTokenKind kind = RtfTokenKind::End;
    uint8_t byte = 0;  // of a Text token
    RtfKeyword keyword{};
    char word[RTF_MAX_WORD + 1] = {};
    // Without digits the parameter is the delimiter that followed the word, as older readers
    // of this format took it (so that "\b" alone switches on).
    int32_t parameter = 0;
    bool hasNumber = false;
};

class RtfTokenizer {
public:
    explicit RtfTokenizer(RtfInput& input) : input_(input) {}

    RtfToken Next();
    // The next raw byte (a byte given back first), for binary and hexadecimal data.
    int32_t Raw();
    // At most two bytes are given back at once ("-" and what followed it).
    void GiveBack(int32_t byte)
    {
        if (pendingCount_ < 2)
            pending_[pendingCount_++] = byte;
    }
    // Every byte read from now on, the bytes given back first, is also appended here (null
    // stops it).
    void Echo(std::string* echo)
    {
        echo_ = echo;
        for (int i = pendingCount_ - 1; echo && i >= 0; --i)
            echo->push_back(static_cast<char>(pending_[i]));
    }

private:
    RtfToken ReadControl();
    void ReadWord(RtfToken& token, int32_t first);

    RtfInput& input_;
    int32_t pending_[2] = {};
    int pendingCount_ = 0;
    std::string* echo_ = nullptr;
};

// The value of a hexadecimal digit in either case, or -1.
int32_t RtfHexValue(int32_t c);
