// Mutations of corpus files, repeatable from a starting number: what a damaged disc, a cut download or a hostile author
// makes of a good file, for binary formats and for the system's line-record text files alike.
#pragma once

#include <cstdint>
#include <random>
#include <string>

class FuzzMutator {
public:
    explicit FuzzMutator(uint64_t start) : random_(start) {}

    // `original` changed by one to four mutations; `other` (another corpus file) may be spliced in.
    std::string Mutate(const std::string& original, const std::string& other);

    // A number in [0, count).
    size_t Below(size_t count) { return count ? static_cast<size_t>(random_() % count) : 0; }

private:
    void MutateOnce(std::string& bytes, const std::string& other);

    void FlipBit(std::string& bytes);
    void SetByte(std::string& bytes);
    void InsertBytes(std::string& bytes);
    void Truncate(std::string& bytes);
    void HugeBinaryField(std::string& bytes);
    void AbsurdNumber(std::string& bytes);
    void LongLine(std::string& bytes);
    void DeepNesting(std::string& bytes);
    void DropEndLines(std::string& bytes);
    void ChangeLineEnds(std::string& bytes);
    void InsertNul(std::string& bytes);
    void ShuffleLines(std::string& bytes);
    void Splice(std::string& bytes, const std::string& other);

    std::mt19937_64 random_;
};
