// The record stream's framing and value encoding, in plain C++: headers of 20 hexadecimal
// digits, and bodies of coded items (values, repeats, runs of repeats, byte strings, the end).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "rte_types.h"

// Item codes of a body.
constexpr uint8_t RTE_ITEM_BYTES = 0x00;
constexpr uint8_t RTE_ITEM_SHORT = 0x01;
constexpr uint8_t RTE_ITEM_LONG = 0x02;
constexpr uint8_t RTE_ITEM_END = 0x03;
constexpr uint8_t RTE_ITEM_REPEAT = 0x80;  // with the width: the previous value again
constexpr uint8_t RTE_ITEM_RUN = 0x40;     // with a repeat: a count byte follows
constexpr uint8_t RTE_WIDE_TEXT_MARK = 0xFE;

constexpr int32_t RTE_HEADER_BYTES = 20;
constexpr int RTE_MAX_DIGITS = 8;
constexpr int32_t RTE_MAX_RUN = 127;

struct RteRecordHeader {
    int16_t type;
    int32_t length;
    int32_t value;
};

// The 20 upper-case hexadecimal characters of a header.
std::string RteFormatHeader(const RteRecordHeader& header);
// False unless all 20 characters are upper-case hexadecimal digits.
bool RteParseHeader(const uint8_t* text, RteRecordHeader* header);

// Builds one body. A value equal to the previous one of the body costs one byte; closing the
// body appends the end code and turns runs of such bytes into counted runs.
class RteBodyWriter {
public:
    void Short(int32_t value) { Value(RTE_ITEM_SHORT, static_cast<int16_t>(value)); }
    void Long(int32_t value) { Value(RTE_ITEM_LONG, value); }
    // An empty byte string is not written at all.
    void Bytes(const void* data, size_t length);
    // 16-bit text, behind the 0xFE marker that its length counts.
    void Wide(const uint16_t* text, size_t count);
    void Close();
    bool Empty() const { return bytes_.empty(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    void Value(uint8_t width, int32_t value);
    void Digits(uint32_t magnitude);
    std::vector<uint8_t> bytes_;
    bool hasPrevious_ = false;
    int32_t previous_ = 0;
};

// Reads one body within its bytes. Anything that does not fit the body (a value of more
// than 8 digits, a byte string longer than what is left, an unknown code, the bytes ending
// without the end code) sets the sticky failure and yields 0 or nothing.
class RteBodyReader {
public:
    RteBodyReader(const uint8_t* data, size_t size, size_t position = 0) : data_(data), size_(size), at_(position) {}

    int32_t Short() { return static_cast<int16_t>(Value()); }
    int32_t Long() { return Value(); }
    // The next item's byte string (empty when the next item is not one).
    std::vector<uint8_t> Bytes();
    // A byte string into a fixed field: at most room bytes kept, the rest skipped, the field
    // cleared first. Returns the bytes the item held.
    size_t BytesInto(void* target, size_t room);
    // True while a value item (or a pending run) is next.
    bool MoreValues() const;
    bool AtEnd() const;
    bool failed() const { return failed_; }
    // A value was asked for where the body held none (its end or a byte string): 0 was given.
    bool overran() const { return overran_; }
    size_t position() const { return at_; }
    void Fail() { failed_ = true; }

private:
    int32_t Value();
    bool Digits(uint32_t* magnitude, bool* negative);
    uint8_t Peek() const { return at_ < size_ ? data_[at_] : RTE_ITEM_END; }
    const uint8_t* data_;
    size_t size_;
    size_t at_;
    int32_t previous_ = 0;
    int32_t pending_ = 0;
    bool failed_ = false;
    bool overran_ = false;
};

// The in-memory bytes a body holds: 2 a 16-bit value, 4 a 32-bit value, a byte string's
// length. A code that is no item ends the body (it is overwritten with the end code).
int32_t RteBodySize(RteHandle body);
int32_t RteBodyBytes(uint8_t* data, size_t size);

// A whole handle as one body: width 1 its contents as 16-bit values, 2 as 32-bit values, 0 as
// one byte string; the body is closed. Decoding is the reverse into the target's bytes; the
// position moves past what was read.
void RteEncodeHandle(RteHandle handle, RteHandle output, int32_t width);
void RteDecodeHandle(RteHandle body, RteHandle target, int32_t* position, int32_t width);
