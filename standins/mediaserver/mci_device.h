// One media file opened through MCI. Video is addressed in frames, everything else in
// milliseconds, so that a video position names the frame to show.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <string>

class MciDevice {
public:
    MciDevice() = default;
    ~MciDevice() { Close(); }
    MciDevice(const MciDevice&) = delete;
    MciDevice& operator=(const MciDevice&) = delete;

    // With `videoParent` the file opens as video, in a hidden child window of that window
    // (the frames reach clients as bitmaps, never through a window of this process).
    bool Open(const std::wstring& file, HWND videoParent);
    void Close();
    bool IsOpen() const { return id_ != 0; }
    MCIDEVICEID Id() const { return id_; }

    // Plays from the current position; `notify` receives MM_MCINOTIFY when it ends.
    bool Play(HWND notify);
    void Stop();
    bool IsPlaying() const;

    // Clamped to 0 .. LastPosition().
    void Seek(long position);
    long Position() const;
    long Length() const;
    // Where a seek to the end lands: the last frame of a video, the length of anything else.
    long LastPosition() const;
    // One frame of a video, a tenth of a second of anything else.
    long StepSize() const { return video_ ? 1 : 100; }

private:
    DWORD_PTR Status(DWORD item) const;

    MCIDEVICEID id_ = 0;
    bool video_ = false;
};
