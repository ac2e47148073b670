// The file side of the FLIC player: the header, the frames held in memory or streamed, and
// stepping through them (frame counter, ring frame, loops) while decoding into a canvas.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "flic_canvas.h"
#include "flic_decoder.h"
#include "flic_header.h"
#include "flic_input.h"

// Files up to this size are read once so that playing and looping do no file input; bigger
// ones are read a frame at a time through a block of the same size.
constexpr uint64_t FLIC_MEMORY_LIMIT = 1000000;

// Answers of FlicReader::Open.
enum FlicOpenResult {
    FLIC_OPENED = 0,
    FLIC_OPEN_FAILED = 1,
    FLIC_BAD_HEADER = 2,
    FLIC_BAD_MAGIC = 3,
};

class FlicReader {
public:
    // Called after each frame stepped over by GoToFrame and StepBackToFrame, with the counter.
    using StepHook = std::function<void(int counter)>;

    // A null input stands for a file that failed to open. On success the reader stands at the
    // first frame without having decoded it: the player rewinds once its frame bitmap exists.
    int Open(std::unique_ptr<FlicInput> input);
    void Close();

    // These answer -1 and change nothing while no file is open. Decoded pixels go to the
    // canvas, colours to Palette(), which the caller hands to its bitmap after each step.
    int Rewind(FlicCanvas& canvas);
    int NextFrame(FlicCanvas& canvas);
    int GoToFrame(int frame, FlicCanvas& canvas, const StepHook& onStep = {});
    int StepBackToFrame(int frame, FlicCanvas& canvas, const StepHook& onStep = {});

    // Frames per second rounded half up, and setting it; both answer the previous rate.
    int GetFrameRate();
    int SetFrameRate(int framesPerSecond);

    bool IsOpen() const { return input_ != nullptr; }
    bool IsStreaming() const { return IsOpen() && memory_.empty(); }
    const FlicHeader& Header() const { return header_; }
    uint32_t Speed() const { return speed_; }
    int Counter() const { return counter_; }
    int Loops() const { return loops_; }
    uint64_t RingOffset() const { return ringFrame_; }
    const FlicPalette& Palette() const { return palette_; }
    const FlicFrameResult& LastFrame() const { return lastFrame_; }

private:
    bool ReadBytes(uint64_t offset, uint8_t* out, size_t count);
    bool ReadFrameHeader(uint64_t offset, FlicFrameHeader* header);
    uint64_t SkipToFrameChunk(uint64_t offset);
    bool HasFrameChunkAt(uint64_t offset);
    void DecodeFrameAtPosition(FlicCanvas& canvas);
    int StepForwardTo(int frame, FlicCanvas& canvas, const StepHook& onStep);
    const uint8_t* FrameBody(uint64_t offset, size_t size);

    std::unique_ptr<FlicInput> input_;
    uint64_t length_ = 0;
    FlicHeader header_;
    std::vector<uint8_t> memory_;       // the whole file in memory mode, else empty
    std::vector<uint8_t> block_;        // one frame body at a time in streaming mode
    uint64_t position_ = 0;
    uint64_t firstFrame_ = 0;
    uint64_t ringFrame_ = 0;
    uint32_t speed_ = 0;                // milliseconds per frame
    int counter_ = 0;
    int loops_ = 0;
    FlicPalette palette_{};
    FlicFrameResult lastFrame_;
};
