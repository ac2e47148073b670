// Bounds-checked little-endian reading of untrusted FLIC bytes.
#pragma once

#include <cstddef>
#include <cstdint>

// Every read of file data goes through this reader: a read past the end yields zero and sets
// a sticky error, so decoders never look outside the bytes they were handed.
class FlicBytes {
public:
    FlicBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte()
    {
        if (pos_ >= size_) {
            failed_ = true;
            return 0;
        }
        return data_[pos_++];
    }
    int8_t SignedByte() { return static_cast<int8_t>(Byte()); }
    uint16_t Word()
    {
        const uint8_t low = Byte();
        return static_cast<uint16_t>(low | Byte() << 8);
    }
    uint32_t Long()
    {
        const uint32_t low = Word();
        return low | static_cast<uint32_t>(Word()) << 16;
    }

    // The next `count` bytes, or null (and the error set) when fewer remain.
    const uint8_t* Take(size_t count)
    {
        if (count > Remaining()) {
            pos_ = size_;
            failed_ = true;
            return nullptr;
        }
        const uint8_t* taken = data_ + pos_;
        pos_ += count;
        return taken;
    }
    void Skip(size_t count) { Take(count); }

    size_t Remaining() const { return size_ - pos_; }
    bool Failed() const { return failed_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool failed_ = false;
};
