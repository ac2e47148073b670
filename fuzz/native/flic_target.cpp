// Fuzz target of the FLIC reader and decoder: the input is a FLIC file, opened as the player
// opens it (held in memory, and streamed frame by frame as a file bigger than the memory
// limit would be), then played through, looped, and stepped to frames forwards and back.
#include "flic_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The input's bytes as the file; `claimed` is the length the file says it has, which may be
// more than it holds, as for a file cut short while it is read.
class MemoryInput : public FlicInput {
public:
    MemoryInput(const uint8_t* data, size_t size, uint64_t claimed) : data_(data, data + size), claimed_(claimed) {}
    uint64_t Length() override { return claimed_; }
    bool ReadAt(uint64_t offset, uint8_t* out, size_t count) override
    {
        if (offset > data_.size() || count > data_.size() - offset)
            return false;
        std::memcpy(out, data_.data() + offset, count);
        return true;
    }

private:
    std::vector<uint8_t> data_;
    uint64_t claimed_;
};

// Frames stepped through at most: the frame count is a 16-bit field of the file.
constexpr int MAX_STEPS = 600;

void Play(const uint8_t* data, size_t size, uint64_t claimed)
{
    FlicReader reader;
    if (reader.Open(std::make_unique<MemoryInput>(data, size, claimed)) != FLIC_OPENED)
        return;
    const FlicHeader& header = reader.Header();
    std::vector<uint8_t> bits(FlicCanvas::BitsSize(header.width, header.height));
    FlicCanvas canvas(bits.data(), header.width, header.height);
    reader.Rewind(canvas);
    const int steps = std::min<int>(header.frames + 2, MAX_STEPS);
    for (int i = 0; i < steps; ++i)
        reader.NextFrame(canvas);
    const int frames = std::min<int>(header.frames, MAX_STEPS);
    reader.GoToFrame(frames / 2, canvas);
    reader.StepBackToFrame(frames / 3, canvas);
    reader.SetFrameRate(reader.GetFrameRate() + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Play(data, size, size);
    Play(data, size, std::max<uint64_t>(size, FLIC_MEMORY_LIMIT + 1));
    return 0;
}
