// Headers and bodies of the record stream: encoding, compression of repeats, and a reader
// that never leaves the body it is given.
#include "rte_record_codec.h"

#include <cstring>

#include "rte_environment.h"
#include "rte_typed.h"

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendHex(std::string& text, uint32_t value, int digits)
{
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        text.push_back(kHex[(value >> shift) & 0xF]);
}

bool ParseFixedHex(const uint8_t* text, int digits, uint32_t* value)
{
    uint32_t result = 0;
    for (int i = 0; i < digits; ++i) {
        int32_t digit = RteHexDigit(static_cast<char>(text[i]));
        if (digit < 0)
            return false;
        result = result * 16 + static_cast<uint32_t>(digit);
    }
    *value = result;
    return true;
}

bool IsValueCode(uint8_t code)
{
    uint8_t width = code & 0x0F;
    return (width == RTE_ITEM_SHORT || width == RTE_ITEM_LONG) && (code & 0x30) == 0 &&
           ((code & RTE_ITEM_RUN) == 0 || (code & RTE_ITEM_REPEAT) != 0);
}

bool IsDigitChar(uint8_t c) { return c == '-' || RteHexDigit(static_cast<char>(c)) >= 0; }

}  // namespace

std::string RteFormatHeader(const RteRecordHeader& header)
{
    std::string text;
    AppendHex(text, static_cast<uint16_t>(header.type), 4);
    AppendHex(text, static_cast<uint32_t>(header.length), 8);
    AppendHex(text, static_cast<uint32_t>(header.value), 8);
    return text;
}

bool RteParseHeader(const uint8_t* text, RteRecordHeader* header)
{
    uint32_t type = 0, length = 0, value = 0;
    if (!ParseFixedHex(text, 4, &type) || !ParseFixedHex(text + 4, 8, &length) || !ParseFixedHex(text + 12, 8, &value))
        return false;
    header->type = static_cast<int16_t>(type);
    header->length = static_cast<int32_t>(length);
    header->value = static_cast<int32_t>(value);
    return true;
}

void RteBodyWriter::Digits(uint32_t magnitude)
{
    char digits[RTE_MAX_DIGITS];
    int n = 0;
    do {
        digits[n++] = kHex[magnitude & 0xF];
        magnitude >>= 4;
    } while (magnitude);
    while (n > 0)
        bytes_.push_back(static_cast<uint8_t>(digits[--n]));
}

void RteBodyWriter::Value(uint8_t width, int32_t value)
{
    if (hasPrevious_ && value == previous_) {
        bytes_.push_back(static_cast<uint8_t>(width | RTE_ITEM_REPEAT));
        return;
    }
    bytes_.push_back(width);
    if (value < 0)
        bytes_.push_back('-');
    Digits(value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value));
    hasPrevious_ = true;
    previous_ = value;
}

void RteBodyWriter::Bytes(const void* data, size_t length)
{
    if (length == 0)
        return;
    bytes_.push_back(RTE_ITEM_BYTES);
    Digits(static_cast<uint32_t>(length));
    bytes_.push_back(',');
    const auto* from = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), from, from + length);
}

void RteBodyWriter::Wide(const uint16_t* text, size_t count)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(1 + count * 2);
    bytes.push_back(RTE_WIDE_TEXT_MARK);
    for (size_t i = 0; i < count; ++i) {
        bytes.push_back(static_cast<uint8_t>(text[i] & 0xFF));
        bytes.push_back(static_cast<uint8_t>(text[i] >> 8));
    }
    Bytes(bytes.data(), bytes.size());
}

void RteBodyWriter::Close()
{
    bytes_.push_back(RTE_ITEM_END);
    // Walks item by item, so that the bytes of a byte string are never taken for codes.
    std::vector<uint8_t> packed;
    packed.reserve(bytes_.size());
    size_t i = 0;
    while (i < bytes_.size()) {
        uint8_t code = bytes_[i];
        if (code == RTE_ITEM_BYTES) {
            size_t comma = i + 1;
            uint32_t length = 0;
            while (bytes_[comma] != ',')
                length = length * 16 + static_cast<uint32_t>(RteHexDigit(static_cast<char>(bytes_[comma++])));
            size_t end = comma + 1 + length;
            packed.insert(packed.end(), bytes_.begin() + static_cast<ptrdiff_t>(i), bytes_.begin() + static_cast<ptrdiff_t>(end));
            i = end;
        } else if (code & RTE_ITEM_REPEAT) {
            size_t run = 1;
            while (i + run < bytes_.size() && bytes_[i + run] == code)
                ++run;
            i += run;
            while (run > 0) {
                size_t part = run > RTE_MAX_RUN ? RTE_MAX_RUN : run;
                if (part >= 3) {
                    packed.push_back(static_cast<uint8_t>(code | RTE_ITEM_RUN));
                    packed.push_back(static_cast<uint8_t>(part));
                } else {
                    packed.insert(packed.end(), part, code);
                }
                run -= part;
            }
        } else {
            packed.push_back(code);
            ++i;
            while (i < bytes_.size() && code != RTE_ITEM_END && IsDigitChar(bytes_[i]))
                packed.push_back(bytes_[i++]);
        }
    }
    bytes_.swap(packed);
}

bool RteBodyReader::Digits(uint32_t* magnitude, bool* negative)
{
    *negative = at_ < size_ && data_[at_] == '-';
    if (*negative)
        ++at_;
    uint32_t result = 0;
    int digits = 0;
    for (int32_t digit; at_ < size_ && (digit = RteHexDigit(static_cast<char>(data_[at_]))) >= 0; ++at_) {
        if (++digits > RTE_MAX_DIGITS)
            return false;
        result = result * 16 + static_cast<uint32_t>(digit);
    }
    *magnitude = result;
    return digits > 0 && at_ < size_;
}

int32_t RteBodyReader::Value()
{
    if (pending_ > 0) {
        --pending_;
        return previous_;
    }
    if (failed_ || at_ >= size_) {
        failed_ = true;
        return 0;
    }
    uint8_t code = data_[at_];
    if (code == RTE_ITEM_BYTES || code == RTE_ITEM_END) {
        overran_ = true;
        return 0;
    }
    if (!IsValueCode(code)) {
        failed_ = true;
        return 0;
    }
    ++at_;
    if (code & RTE_ITEM_REPEAT) {
        if (code & RTE_ITEM_RUN) {
            if (at_ >= size_ || data_[at_] == 0) {
                failed_ = true;
                return 0;
            }
            pending_ = data_[at_++] - 1;
        }
        return previous_;
    }
    uint32_t magnitude = 0;
    bool negative = false;
    if (!Digits(&magnitude, &negative)) {
        failed_ = true;
        return 0;
    }
    previous_ = static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
    return previous_;
}

bool RteBodyReader::MoreValues() const { return pending_ > 0 || (!failed_ && at_ < size_ && IsValueCode(data_[at_])); }

bool RteBodyReader::AtEnd() const { return pending_ == 0 && Peek() == RTE_ITEM_END; }

size_t RteBodyReader::BytesInto(void* target, size_t room)
{
    if (room > 0)
        std::memset(target, 0, room);
    if (failed_ || pending_ > 0 || Peek() != RTE_ITEM_BYTES)
        return 0;
    ++at_;
    uint32_t length = 0;
    bool negative = false;
    if (!Digits(&length, &negative) || negative || data_[at_] != ',' || length > size_ - at_ - 1) {
        failed_ = true;
        return 0;
    }
    ++at_;
    if (room > 0)
        std::memcpy(target, data_ + at_, length < room ? length : room);
    at_ += length;
    return length;
}

std::vector<uint8_t> RteBodyReader::Bytes()
{
    size_t length = BytesInto(nullptr, 0);
    std::vector<uint8_t> bytes;
    if (length > 0 && !failed_)
        bytes.assign(data_ + at_ - length, data_ + at_);
    return bytes;
}

int32_t RteBodyBytes(uint8_t* data, size_t size)
{
    int32_t total = 0;
    size_t at = 0;
    while (at < size && data[at] != RTE_ITEM_END) {
        uint8_t code = data[at];
        size_t next = at;
        int32_t bytes = 0;
        if (code == RTE_ITEM_BYTES) {
            RteBodyReader reader(data, size, at);
            bytes = static_cast<int32_t>(reader.BytesInto(nullptr, 0));
            next = reader.failed() ? at : reader.position();
        } else if (IsValueCode(code)) {
            int32_t width = (code & 0x0F) == RTE_ITEM_SHORT ? 2 : 4;
            if ((code & RTE_ITEM_RUN) && at + 1 < size) {
                bytes = width * data[at + 1];
                next = at + 2;
            } else if (!(code & RTE_ITEM_RUN)) {
                RteBodyReader reader(data, size, at);
                reader.Long();
                bytes = width;
                next = reader.failed() ? at : reader.position();
            }
        }
        if (next == at) {
            data[at] = RTE_ITEM_END;  // what cannot be read ends the body
            break;
        }
        total += bytes;
        at = next;
    }
    return total;
}

int32_t RteBodySize(RteHandle body)
{
    RteLocked<uint8_t> data(body);
    return RteBodyBytes(data.get(), RteByteSize(body));
}
