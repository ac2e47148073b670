// What one media-player object does: plays one file through MCI, tells the client's
// window when a play ends, has that window repaint while a video runs, and hands out the
// current picture as a packed DIB (a device context cannot cross into this process, so
// the client draws the picture itself).
#pragma once

#include "mci_device.h"
#include "video_frames.h"

#include <windows.h>
#include <oleauto.h>

#include <string>

class Player {
public:
    Player();
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // The client's window (may be null): told of play ends, repainted as frames change.
    void Init(HWND owner);
    void Exit();

    bool Open(const std::wstring& file);
    void Close();
    bool SaveAs(const std::wstring& file) const;
    const std::wstring& FileName() const { return file_; }
    bool IsOpen() const { return device_.IsOpen(); }

    // Plays from the current position; from the very end a play is over at once.
    void Play();
    void Stop();
    // From the start of a play until its end is reported or it is stopped.
    bool IsPlaying() const { return playing_; }
    // Moving stops a play under way, as an MCI seek does.
    void Home();
    void End();
    void Step(int direction);
    void SetLoop(bool loop) { loop_ = loop; }

    // Where the client shows the picture, in its window's client coordinates.
    void SetPicture(long x, long y, long w, long h);
    void ShowControlBar(bool show) { controlBar_ = show; }
    long ControlBarHeight() const;
    // Events other than the end of a play are not reported.
    void SetCallback(long event, UINT message);
    // The client's window messages; 1 when the player acted on it: the space key, or a
    // click in the control bar, starts or stops the play.
    long WndCommand(UINT message, WPARAM wParam, LPARAM lParam);

    long DurationMs() const;
    // The media's own picture size; 0 for a sound.
    long Width() const { return frames_.Width(); }
    long Height() const { return frames_.Height(); }
    // The current video frame at its own size; for a sound a black picture of the size
    // set with SetPicture. Null when nothing is open or the size is empty.
    SAFEARRAY* CurrentFrame() const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Halt();
    void DeviceNotified(WPARAM outcome);
    void Finished();
    void FrameTick();
    void StartFrameTimer();
    void StopFrameTimer();
    void InvalidatePicture() const;
    bool InControlBar(int x, int y) const;

    HWND window_;  // hidden: MCI notifications, the frame timer, parent of MCI's video window
    MciDevice device_;
    VideoFrames frames_;
    std::wstring file_;
    HWND owner_ = nullptr;
    UINT endMessage_ = 0;
    bool playing_ = false;  // a play was started and has neither ended nor been stopped
    bool loop_ = false;
    bool controlBar_ = false;
    RECT picture_{};
    long shownPosition_ = -1;
};
