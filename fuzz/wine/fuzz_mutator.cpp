// The mutations: a few bit-level ones for binary headers and pixel data, and line-level ones
// for the record files (every count, size and delay of those is a decimal text on a line).
#include "fuzz_mutator.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Texts that numbers of record files are turned into: past the ranges of int, unsigned and
// double, not numbers at all, and the edges a count or a size is checked against.
const char* const ABSURD_NUMBERS[] = {
    "1e300", "-1e300", "nan", "inf", "-inf", "-2147483649", "2147483648", "4294967296", "-1", "0",
    "2147483647", "-2147483648", "65535", "65536", "99999999999999999999", "1e-300", "0x7FFFFFFF", "",
    "   ", "-0", "1.#INF", "3.4e39",
};

// Values written over 16- and 32-bit fields of binary headers.
const uint32_t HUGE_FIELDS[] = {0, 1, 0x7F, 0x80, 0xFF, 0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF,
                                0x80000000, 0xFFFFFFFF, 0xFFFFFFFE, 4097, 32768};

constexpr size_t LONG_LINE = 100 * 1024;

// Start offsets of the lines of a text (a line ends at LF, at CR, or at CR LF).
std::vector<size_t> LineStarts(const std::string& bytes)
{
    std::vector<size_t> starts = {0};
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            if (i + 1 < bytes.size())
                starts.push_back(i + 1);
    }
    return starts;
}

}  // namespace

std::string FuzzMutator::Mutate(const std::string& original, const std::string& other)
{
    std::string bytes = original;
    const size_t count = 1 + Below(4);
    for (size_t i = 0; i < count; ++i)
        MutateOnce(bytes, other);
    return bytes;
}

void FuzzMutator::MutateOnce(std::string& bytes, const std::string& other)
{
    switch (Below(14)) {
    case 0: FlipBit(bytes); break;
    case 1: SetByte(bytes); break;
    case 2: InsertBytes(bytes); break;
    case 3: Truncate(bytes); break;
    case 4: HugeBinaryField(bytes); break;
    case 5: case 6: AbsurdNumber(bytes); break;
    case 7: LongLine(bytes); break;
    case 8: DeepNesting(bytes); break;
    case 9: DropEndLines(bytes); break;
    case 10: ChangeLineEnds(bytes); break;
    case 11: InsertNul(bytes); break;
    case 12: ShuffleLines(bytes); break;
    default: Splice(bytes, other); break;
    }
}

void FuzzMutator::FlipBit(std::string& bytes)
{
    if (!bytes.empty())
        bytes[Below(bytes.size())] ^= static_cast<char>(1 << Below(8));
}

void FuzzMutator::SetByte(std::string& bytes)
{
    static const char VALUES[] = {'\0', '\x01', '\x7F', '\x80', '\xFF', '\r', '\n', ' ', '9', '-', '{', '}', '[', ']'};
    if (!bytes.empty())
        bytes[Below(bytes.size())] = VALUES[Below(sizeof VALUES)];
}

void FuzzMutator::InsertBytes(std::string& bytes)
{
    std::string inserted(1 + Below(16), '\0');
    for (char& c : inserted)
        c = static_cast<char>(Below(256));
    bytes.insert(Below(bytes.size() + 1), inserted);
}

void FuzzMutator::Truncate(std::string& bytes)
{
    bytes.resize(Below(bytes.size() + 1));
}

void FuzzMutator::HugeBinaryField(std::string& bytes)
{
    const size_t width = Below(2) ? 4 : 2;
    if (bytes.size() < width)
        return;
    // Headers come first: most writes land in the first 128 bytes.
    const size_t span = Below(4) ? std::min<size_t>(bytes.size(), 128) : bytes.size();
    const size_t at = Below(span - width + 1);
    const uint32_t value = HUGE_FIELDS[Below(std::size(HUGE_FIELDS))];
    std::memcpy(&bytes[at], &value, width);
}

void FuzzMutator::AbsurdNumber(std::string& bytes)
{
    // A run of digits (with its sign and decimal point) taken from a random place on.
    std::vector<size_t> digits;
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] >= '0' && bytes[i] <= '9' && (i == 0 || !(bytes[i - 1] >= '0' && bytes[i - 1] <= '9')))
            digits.push_back(i);
    if (digits.empty())
        return;
    size_t from = digits[Below(digits.size())];
    size_t to = from;
    while (to < bytes.size() && ((bytes[to] >= '0' && bytes[to] <= '9') || bytes[to] == '.'))
        ++to;
    if (from > 0 && bytes[from - 1] == '-')
        --from;
    bytes.replace(from, to - from, ABSURD_NUMBERS[Below(std::size(ABSURD_NUMBERS))]);
}

void FuzzMutator::LongLine(std::string& bytes)
{
    const std::vector<size_t> starts = LineStarts(bytes);
    const char fill = "A9 -\\."[Below(6)];
    bytes.insert(starts[Below(starts.size())], std::string(LONG_LINE, fill));
}

void FuzzMutator::DeepNesting(std::string& bytes)
{
    // A run of lines repeated many times: records that hold records, brackets opened and
    // never closed, object trees as deep as the repetition.
    const std::vector<size_t> starts = LineStarts(bytes);
    const size_t first = Below(starts.size());
    const size_t last = std::min(starts.size(), first + 1 + Below(40));
    const size_t end = last < starts.size() ? starts[last] : bytes.size();
    const std::string block = bytes.substr(starts[first], end - starts[first]);
    if (block.empty())
        return;
    const size_t copies = std::min<size_t>(1 + Below(3000), 4 * 1024 * 1024 / block.size() + 1);
    std::string repeated;
    repeated.reserve(block.size() * copies);
    for (size_t i = 0; i < copies; ++i)
        repeated += block;
    bytes.insert(end, repeated);
}

void FuzzMutator::DropEndLines(std::string& bytes)
{
    const std::vector<size_t> starts = LineStarts(bytes);
    const size_t kept = starts.size() - std::min(starts.size(), 1 + Below(8));
    bytes.resize(kept < starts.size() ? starts[kept] : bytes.size());
    // Sometimes the last line loses its line end as well.
    if (Below(2) && !bytes.empty() && bytes.back() == '\n')
        bytes.pop_back();
}

void FuzzMutator::ChangeLineEnds(std::string& bytes)
{
    const bool crOnly = Below(2);
    std::string changed;
    changed.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            changed += crOnly ? '\r' : '\n';
            ++i;
        } else {
            changed += bytes[i];
        }
    }
    bytes.swap(changed);
}

void FuzzMutator::InsertNul(std::string& bytes)
{
    const std::vector<size_t> starts = LineStarts(bytes);
    const size_t at = Below(2) ? starts[Below(starts.size())] : Below(bytes.size() + 1);
    bytes.insert(at, std::string(1 + Below(3), '\0'));
}

void FuzzMutator::ShuffleLines(std::string& bytes)
{
    // One line deleted or duplicated, or two swapped.
    const std::vector<size_t> starts = LineStarts(bytes);
    auto line = [&](size_t i) {
        const size_t end = i + 1 < starts.size() ? starts[i + 1] : bytes.size();
        return std::make_pair(starts[i], end - starts[i]);
    };
    const auto [at, length] = line(Below(starts.size()));
    switch (Below(3)) {
    case 0: bytes.erase(at, length); break;
    case 1: bytes.insert(at, bytes.substr(at, length)); break;
    default: {
        const auto [otherAt, otherLength] = line(Below(starts.size()));
        if (otherAt == at)
            return;
        const std::string a = bytes.substr(at, length);
        const std::string b = bytes.substr(otherAt, otherLength);
        if (at < otherAt) {
            bytes.replace(otherAt, otherLength, a);
            bytes.replace(at, length, b);
        } else {
            bytes.replace(at, length, b);
            bytes.replace(otherAt, otherLength, a);
        }
    }
    }
}

void FuzzMutator::Splice(std::string& bytes, const std::string& other)
{
    if (other.empty())
        return;
    const size_t cut = Below(bytes.size() + 1);
    const size_t from = Below(other.size());
    bytes = bytes.substr(0, cut) + other.substr(from, Below(other.size() - from + 1));
}
