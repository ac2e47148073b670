// The decoded frames of a file's first video stream, read through the AVI file library
// (which the process initialises once with AVIFileInit).
#pragma once

#include <windows.h>
#include <vfw.h>

#include <string>

class VideoFrames {
public:
    VideoFrames() = default;
    ~VideoFrames() { Close(); }
    VideoFrames(const VideoFrames&) = delete;
    VideoFrames& operator=(const VideoFrames&) = delete;

    // False when the file has no video stream whose frames can be decoded.
    bool Open(const std::wstring& file);
    void Close();
    bool IsOpen() const { return frames_ != nullptr; }

    long Width() const { return width_; }
    long Height() const { return height_; }
    long DurationMs() const;
    long MsPerFrame() const;
    // The frame as a packed DIB owned by the library until the next call; null on failure.
    const BITMAPINFOHEADER* Frame(long index) const;

private:
    PAVISTREAM stream_ = nullptr;
    PGETFRAME frames_ = nullptr;
    long width_ = 0;
    long height_ = 0;
};
