// RIFF writers for the media-server tests' wave and AVI files, and the MCI device count.
#include "media_samples.h"

#include <mmsystem.h>

#include <cstdint>

namespace {

constexpr uint16_t PcmFormat = 1;

class RiffWriter {
public:
    void FourCC(const char* code) { bytes_.append(code, 4); }
    void U16(uint16_t value) { Append(value, 2); }
    void U32(uint32_t value) { Append(value, 4); }
    void Bytes(const std::string& data) { bytes_ += data; }
    size_t Size() const { return bytes_.size(); }

    void Begin(const char* id)
    {
        FourCC(id);
        open_.push_back(bytes_.size());
        U32(0);
    }
    void BeginList(const char* list, const char* type)
    {
        Begin(list);
        FourCC(type);
    }
    void End()
    {
        const size_t at = open_.back();
        open_.pop_back();
        const auto size = static_cast<uint32_t>(bytes_.size() - at - 4);
        for (int i = 0; i < 4; ++i)
            bytes_[at + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
        if (size & 1)
            bytes_.push_back('\0');
    }
    std::string Take() { return std::move(bytes_); }

private:
    void Append(uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }

    std::string bytes_;
    std::vector<size_t> open_;
};

}  // namespace

std::string WaveFile(int ms)
{
    const uint32_t rate = 8000;
    const uint32_t samples = rate * static_cast<uint32_t>(ms) / 1000;
    RiffWriter riff;
    riff.BeginList("RIFF", "WAVE");
    riff.Begin("fmt ");
    riff.U16(PcmFormat);
    riff.U16(1);       // channels
    riff.U32(rate);    // samples per second
    riff.U32(rate);    // bytes per second
    riff.U16(1);       // block alignment
    riff.U16(8);       // bits per sample
    riff.End();
    riff.Begin("data");
    std::string tone(samples, '\0');
    for (uint32_t i = 0; i < samples; ++i)
        tone[i] = static_cast<char>((i / 10) % 2 ? 100 : 156);
    riff.Bytes(tone);
    riff.End();
    riff.End();
    return riff.Take();
}

std::string AviFile(int width, int height, int framesPerSecond, const std::vector<COLORREF>& frames)
{
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t frameBytes = rowBytes * static_cast<uint32_t>(height);
    const auto count = static_cast<uint32_t>(frames.size());
    RiffWriter riff;
    riff.BeginList("RIFF", "AVI ");
    riff.BeginList("LIST", "hdrl");
    riff.Begin("avih");
    riff.U32(1000000 / framesPerSecond);  // microseconds per frame
    riff.U32(frameBytes * framesPerSecond);
    riff.U32(0);                          // padding granularity
    riff.U32(0x10);                       // AVIF_HASINDEX
    riff.U32(count);
    riff.U32(0);                          // initial frames
    riff.U32(1);                          // streams
    riff.U32(frameBytes);
    riff.U32(width);
    riff.U32(height);
    for (int i = 0; i < 4; ++i)
        riff.U32(0);
    riff.End();
    riff.BeginList("LIST", "strl");
    riff.Begin("strh");
    riff.FourCC("vids");
    riff.FourCC("DIB ");
    riff.U32(0);                          // flags
    riff.U16(0);                          // priority
    riff.U16(0);                          // language
    riff.U32(0);                          // initial frames
    riff.U32(1);                          // scale
    riff.U32(framesPerSecond);            // rate
    riff.U32(0);                          // start
    riff.U32(count);                      // length
    riff.U32(frameBytes);                 // suggested buffer size
    riff.U32(0xFFFFFFFF);                 // quality
    riff.U32(0);                          // sample size
    riff.U16(0);
    riff.U16(0);
    riff.U16(static_cast<uint16_t>(width));
    riff.U16(static_cast<uint16_t>(height));
    riff.End();
    riff.Begin("strf");
    riff.U32(sizeof(BITMAPINFOHEADER));
    riff.U32(width);
    riff.U32(height);
    riff.U16(1);
    riff.U16(24);
    riff.U32(BI_RGB);
    riff.U32(frameBytes);
    for (int i = 0; i < 4; ++i)
        riff.U32(0);
    riff.End();
    riff.End();  // strl
    riff.End();  // hdrl
    riff.BeginList("LIST", "movi");
    const size_t moviType = riff.Size() - 4;
    std::vector<uint32_t> offsets;
    for (COLORREF colour : frames) {
        offsets.push_back(static_cast<uint32_t>(riff.Size() - moviType));
        std::string pixels(frameBytes, '\0');
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                char* pixel = &pixels[y * rowBytes + x * 3];
                pixel[0] = static_cast<char>(GetBValue(colour));
                pixel[1] = static_cast<char>(GetGValue(colour));
                pixel[2] = static_cast<char>(GetRValue(colour));
            }
        riff.Begin("00db");
        riff.Bytes(pixels);
        riff.End();
    }
    riff.End();  // movi
    riff.Begin("idx1");
    for (uint32_t offset : offsets) {
        riff.FourCC("00db");
        riff.U32(0x10);                   // AVIIF_KEYFRAME
        riff.U32(offset);                 // from the "movi" type word
        riff.U32(frameBytes);
    }
    riff.End();
    riff.End();  // RIFF
    return riff.Take();
}

int OpenMciDevices()
{
    DWORD count = 0;
    MCI_SYSINFO_PARMSA info{};
    info.lpstrReturn = reinterpret_cast<char*>(&count);
    info.dwRetSize = sizeof count;
    mciSendCommandA(MCI_ALL_DEVICE_ID, MCI_SYSINFO, MCI_SYSINFO_QUANTITY | MCI_SYSINFO_OPEN,
                    reinterpret_cast<DWORD_PTR>(&info));
    return static_cast<int>(count);
}
