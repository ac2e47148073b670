// Video frames through the AVI file library.
#include "video_frames.h"

#include <cstdlib>

bool VideoFrames::Open(const std::wstring& file)
{
    Close();
    if (AVIStreamOpenFromFileW(&stream_, file.c_str(), streamtypeVIDEO, 0, OF_READ | OF_SHARE_DENY_NONE, nullptr)) {
        stream_ = nullptr;
        return false;
    }
    BITMAPINFOHEADER format{};
    LONG formatBytes = sizeof format;
    if (!AVIStreamReadFormat(stream_, AVIStreamStart(stream_), &format, &formatBytes))
        frames_ = AVIStreamGetFrameOpen(stream_, nullptr);
    if (!frames_ || format.biWidth <= 0 || !format.biHeight) {
        Close();
        return false;
    }
    width_ = format.biWidth;
    height_ = std::labs(format.biHeight);
    return true;
}

void VideoFrames::Close()
{
    if (frames_)
        AVIStreamGetFrameClose(frames_);
    if (stream_)
        AVIStreamRelease(stream_);
    frames_ = nullptr;
    stream_ = nullptr;
    width_ = height_ = 0;
}

long VideoFrames::DurationMs() const
{
    return stream_ ? AVIStreamLengthTime(stream_) : 0;
}

long VideoFrames::MsPerFrame() const
{
    return stream_ ? AVIStreamSampleToTime(stream_, AVIStreamStart(stream_) + 1) - AVIStreamStartTime(stream_) : 0;
}

const BITMAPINFOHEADER* VideoFrames::Frame(long index) const
{
    return frames_ ? static_cast<const BITMAPINFOHEADER*>(AVIStreamGetFrame(frames_, index)) : nullptr;
}
