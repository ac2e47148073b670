// Fuzz target of the RTF reader: the input is an RTF stream, read chunk by chunk as an import
// reads it, against a host that answers as a document would (units, formats, styles and
// objects) without a document behind it.
#include <cstring>

#include "rtf_reader.h"

namespace {

class MemoryInput : public RtfInput {
public:
    MemoryInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    int32_t NextByte() override { return at_ < size_ ? data_[at_++] : -1; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

class FakeHost : public RtfReaderHost {
public:
    int32_t TwipsToDevice(int32_t twips) override { return twips / 15; }
    RteParFormat DocumentFormat() override { return RteParFormat{}; }
    int32_t TabOffset() override { return 7; }
    uint8_t UnicodeByte(uint16_t character) override { return character < 256 ? static_cast<uint8_t>(character) : 0; }
    void MapFont(RteFont&) override {}
    void DefaultFontRead(const RteFont& font) override { last_ = font; }
    int32_t AddNamedStyle(const char* name, const RteCharStyle&, const RteFont*, const RteParFormat*) override
    {
        return static_cast<int32_t>(std::strlen(name));
    }
    void DefaultNamedStyle(int32_t, const RteParFormat*) override {}
    void ApplyNamedStyle(int32_t, RteCharStyle& style, RteFont&, RteParFormat&) override { style.bold = -1; }
    bool KeepsPictures() override { return true; }
    // Every picture becomes an object, so that the placeholder paths run too.
    intptr_t MakeObject(RtfPicture& picture, intptr_t) override
    {
        return picture.data.empty() ? 0 : static_cast<intptr_t>(picture.data.size());
    }

private:
    RteFont last_{};
};

// Chunks read at most: every chunk consumes input or ends it, this only bounds a mistake.
constexpr int kMaxChunks = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryInput input(data, size);
    FakeHost host;
    RtfReader reader(input, host, RteCharStyle{}, RteFont{}, RteParFormat{}, 64);
    RtfChunk chunk;
    for (int i = 0; i < kMaxChunks && reader.ReadChunk(chunk); ++i) {
        if (chunk.text.size() > 64)
            __builtin_trap();  // a chunk never outgrows its buffer
    }
    return 0;
}
