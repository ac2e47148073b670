// Comparison of records as 16-bit words, the unit in which the engine compares its records.
#include "word_blocks.h"

#include <algorithm>
#include <cstring>

namespace {

size_t WholeWordBytes(int32_t lengthBytes)
{
    return static_cast<size_t>(std::max(lengthBytes, 0)) & ~size_t{1};
}

}  // namespace

int RteEqualWords(const void* a, const void* b, int32_t lengthBytes)
{
    return std::memcmp(a, b, WholeWordBytes(lengthBytes)) == 0;
}

int RteZeroWords(const void* block, uint16_t lengthBytes)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(block);
    const size_t count = WholeWordBytes(lengthBytes);
    return std::all_of(bytes, bytes + count, [](unsigned char byte) { return byte == 0; });
}
