// Opening a FLIC, holding or streaming its frames, and moving from frame to frame.
#include "flic_reader.h"

#include <algorithm>

namespace {

// FLI speeds count ticks of 1/70 s.
constexpr uint64_t FLI_TICKS_PER_SECOND = 70;

}  // namespace

int FlicReader::Open(std::unique_ptr<FlicInput> input)
{
    Close();
    if (!input)
        return FLIC_OPEN_FAILED;
    uint8_t headerBytes[FLIC_HEADER_SIZE];
    if (!input->ReadAt(0, headerBytes, sizeof headerBytes))
        return FLIC_BAD_HEADER;
    const FlicHeader header = ParseFlicHeader(headerBytes);
    if (!header.HasKnownMagic())
        return FLIC_BAD_MAGIC;
    // A picture of no pixels or of absurd size cannot be given a frame bitmap.
    if (!header.HasUsableSize())
        return FLIC_BAD_HEADER;

    const uint64_t length = input->Length();
    if (length <= FLIC_MEMORY_LIMIT) {
        memory_.resize(static_cast<size_t>(length));
        if (!input->ReadAt(0, memory_.data(), memory_.size())) {
            memory_.clear();
            return FLIC_BAD_HEADER;
        }
    } else {
        block_.resize(static_cast<size_t>(FLIC_MEMORY_LIMIT));
    }
    input_ = std::move(input);
    length_ = length;
    header_ = header;

    speed_ = header.speed;
    // An offset inside the header (writers that leave it 0) can only mean right after it.
    uint64_t first = std::max<uint64_t>(header.firstFrame, FLIC_HEADER_SIZE);
    if (header.IsFli()) {
        first = FLIC_HEADER_SIZE;
        speed_ = static_cast<uint32_t>(std::min<uint64_t>(speed_ * 1000ull / FLI_TICKS_PER_SECOND, UINT32_MAX));
    }
    // Writers may put other chunks (the FLC prefix chunk among them) where a frame is expected.
    firstFrame_ = SkipToFrameChunk(first);
    FlicFrameHeader frame;
    ReadFrameHeader(firstFrame_, &frame);
    ringFrame_ = firstFrame_ + std::max<uint64_t>(frame.size, FLIC_FRAME_HEADER_SIZE);
    position_ = firstFrame_;
    return FLIC_OPENED;
}

void FlicReader::Close()
{
    *this = FlicReader();
}

bool FlicReader::ReadBytes(uint64_t offset, uint8_t* out, size_t count)
{
    if (!IsStreaming()) {
        if (offset > memory_.size() || count > memory_.size() - offset)
            return false;
        std::copy_n(memory_.data() + offset, count, out);
        return true;
    }
    return input_->ReadAt(offset, out, count);
}

bool FlicReader::ReadFrameHeader(uint64_t offset, FlicFrameHeader* header)
{
    uint8_t bytes[FLIC_FRAME_HEADER_SIZE];
    if (!ReadBytes(offset, bytes, sizeof bytes))
        return false;
    *header = ParseFlicFrameHeader(bytes);
    return true;
}

// Steps over whole chunks that are not frames; every step moves at least one chunk header on,
// so the end of the file ends the search.
uint64_t FlicReader::SkipToFrameChunk(uint64_t offset)
{
    FlicFrameHeader chunk;
    while (ReadFrameHeader(offset, &chunk) && chunk.type != FLIC_FRAME_TYPE)
        offset += std::max<uint64_t>(chunk.size, FLIC_FRAME_HEADER_SIZE);
    return offset;
}

bool FlicReader::HasFrameChunkAt(uint64_t offset)
{
    FlicFrameHeader chunk;
    return ReadFrameHeader(SkipToFrameChunk(offset), &chunk);
}

const uint8_t* FlicReader::FrameBody(uint64_t offset, size_t size)
{
    if (!IsStreaming())
        return memory_.data() + offset;
    // The streaming block has a fixed size: a bigger frame is refused rather than grown into.
    if (size > block_.size() || !input_->ReadAt(offset, block_.data(), size))
        return nullptr;
    return block_.data();
}

void FlicReader::DecodeFrameAtPosition(FlicCanvas& canvas)
{
    lastFrame_ = FlicFrameResult();
    const uint64_t start = SkipToFrameChunk(position_);
    FlicFrameHeader frame;
    if (!ReadFrameHeader(start, &frame)) {
        lastFrame_.damaged = true;
        position_ = std::max(start, length_);
        return;
    }
    // An empty frame still counts as one: the picture stays as it is.
    position_ = start + std::max<uint64_t>(frame.size, FLIC_FRAME_HEADER_SIZE);
    if (frame.size <= FLIC_FRAME_HEADER_SIZE)
        return;
    const uint64_t bodyStart = start + FLIC_FRAME_HEADER_SIZE;
    const uint64_t declared = frame.size - FLIC_FRAME_HEADER_SIZE;
    const uint64_t held = bodyStart < length_ ? std::min(declared, length_ - bodyStart) : 0;
    // Some writers end the file one pad byte short of the last frame's size: that frame is whole.
    lastFrame_.damaged = declared - held > FLIC_TRAILING_PAD;
    const uint8_t* body = FrameBody(bodyStart, static_cast<size_t>(held));
    if (!body) {
        lastFrame_.damaged = true;
        return;
    }
    const FlicFrameResult decoded = DecodeFlicFrame(body, static_cast<size_t>(held), frame.chunks, canvas, palette_,
                                                    static_cast<size_t>(declared - held));
    lastFrame_.paletteChanged = decoded.paletteChanged;
    lastFrame_.damaged = lastFrame_.damaged || decoded.damaged;
}

int FlicReader::Rewind(FlicCanvas& canvas)
{
    if (!IsOpen())
        return -1;
    position_ = firstFrame_;
    counter_ = 0;
    loops_ = 0;
    DecodeFrameAtPosition(canvas);
    return 0;
}

int FlicReader::NextFrame(FlicCanvas& canvas)
{
    if (!IsOpen())
        return -1;
    // Past the last frame comes the ring frame, which turns the last picture into the first.
    if (counter_ >= header_.frames) {
        position_ = ringFrame_;
        counter_ = 0;
        ++loops_;
    }
    ++counter_;
    // Many writers put no ring frame after the last frame: the first frame, decoded again,
    // shows the first picture in its place, and the next step goes on from frame 2 as usual.
    if (counter_ == header_.frames && !HasFrameChunkAt(position_))
        position_ = firstFrame_;
    DecodeFrameAtPosition(canvas);
    return counter_;
}

int FlicReader::StepBackToFrame(int frame, FlicCanvas& canvas, const StepHook& onStep)
{
    if (!IsOpen())
        return -1;
    if (frame < 0 || frame >= header_.frames || frame == counter_)
        return counter_;
    Rewind(canvas);
    return StepForwardTo(frame, canvas, onStep);
}

int FlicReader::GoToFrame(int frame, FlicCanvas& canvas, const StepHook& onStep)
{
    if (!IsOpen())
        return -1;
    if (frame < 0 || frame >= header_.frames || frame == counter_)
        return counter_;
    if (frame < counter_)
        return StepBackToFrame(frame, canvas, onStep);
    return StepForwardTo(frame, canvas, onStep);
}

int FlicReader::StepForwardTo(int frame, FlicCanvas& canvas, const StepHook& onStep)
{
    while (counter_ < frame) {
        NextFrame(canvas);
        if (onStep)
            onStep(counter_);
    }
    return counter_;
}

int FlicReader::GetFrameRate()
{
    if (speed_ == 0)
        speed_ = 1;
    return static_cast<int>((2000ull + speed_) / (2ull * speed_));
}

int FlicReader::SetFrameRate(int framesPerSecond)
{
    const int previous = GetFrameRate();
    if (framesPerSecond > 0)
        speed_ = std::max(1000u / static_cast<unsigned>(framesPerSecond), 1u);
    return previous;
}
