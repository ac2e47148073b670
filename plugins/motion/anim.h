// ANIM: an animation made of a list of picture files. It fetches and loads the pictures,
// keeps the current frame, steps with or without wrapping over the frames that could be had,
// and asks the millisecond timer table for its message at the frame interval.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class BMP;

// The timer message of image series, posted to the target window by the millisecond table.
constexpr UINT QX_ANIM_TIMER = 1147;
// Above this many frames only the current picture is held decoded.
constexpr int ANIM_HELD_PICTURES = 20;
constexpr int ANIM_DEFAULT_INTERVAL = 200;

// Gives the local copy of a frame's file ("" when it cannot be had).
using AnimFetch = std::function<std::string(const std::string& name)>;

struct AnimFrame {
    AnimFrame();
    ~AnimFrame();
    enum Availability { NotFetched = 0, Local = 1, Unavailable = 2 };
    std::unique_ptr<BMP> picture;
    bool loaded = false;
    Availability availability = NotFetched;
    std::string name;    // as written in the record
    std::string local;   // the fetched copy
};

class ANIM {
public:
    enum State { Playing = 0, Stopped = 1, Disabled = 2 };

    ANIM() = default;
    ~ANIM();
    ANIM(const ANIM&) = delete;
    ANIM& operator=(const ANIM&) = delete;
    // Frames copied with their availability and names, not loaded; stopped, no timer slot.
    void CopyFrom(const ANIM& other);

    void SetRect(int x, int y, int width, int height);
    void SetWindow(HWND window) { window_ = window; }
    // 1000 / fps ms; fps 0 or less gives the default interval.
    void SetFrameRate(int framesPerSecond);
    void SetPaletteMode(int mode) { paletteMode_ = mode; }
    void SetLoop(bool loop) { loop_ = loop; }

    void AddFrame(const std::string& name);
    // One full name, or a folder then zero-separated names ending with an empty one (the
    // open-file dialog's multiple selection). The list box, when given, gets the short names
    // with the full names as item data, and the first one added selected; it also becomes the
    // current frame. 0 for an empty text.
    int AddFiles(HWND listBox, const char* selection);
    // 1 when moved: both indices inside a list of 2 or more, and different.
    int MoveFrame(int from, int to);
    void ResetFrames();
    // The frame leaves the list; a current frame past the end becomes the last one.
    void RemoveFrame(int index);
    // Another file in the frame's place, not fetched yet.
    void ReplaceFrame(int index, const std::string& name);

    int FetchOne(int index, const AnimFetch& fetch);
    void FetchAll(const AnimFetch& fetch);
    int LoadOne(int index);
    // The picture's size read from its file; 0 when it cannot be had.
    int PictureSize(int index, int* width, int* height);

    int FirstAvailable() const;
    int LastAvailable() const;
    int NextAvailable(int from, bool wrap) const;
    int PreviousAvailable(int from, bool wrap) const;
    int FirstNotFetched() const;

    // 0 when there is no current frame or nowhere to go.
    int StepFirst();
    int StepNext();               // wraps when looping
    int StepNextNoWrap();
    int StepPrevious();           // wraps when looping
    int StepTo(int index);

    int Start();
    int Play();
    void Stop();
    void Disable() { state_ = Disabled; }
    // The timer message: the next frame without wrap; false at the end, where the series
    // stops on its last available frame. The slot may then take the next tick.
    bool Advance();
    // Without a current frame, or when it cannot be drawn, `background` paints instead.
    void Paint(HDC dc, const std::function<void(HDC)>& background);
    void FreeTimer();
    // The owner handled the timer message: the table may serve the next target.
    bool TimerHandled();

    int Count() const { return static_cast<int>(frames_.size()); }
    int Current() const { return current_; }
    int Previous() const { return previous_; }
    int Interval() const { return interval_; }
    State GetState() const { return state_; }
    bool OnDemand() const { return onDemand_; }
    bool Loop() const { return loop_; }
    int TimerSlot() const { return slot_; }
    AnimFrame& Frame(int index) { return *frames_[static_cast<size_t>(index)]; }
    const AnimFrame& Frame(int index) const { return *frames_[static_cast<size_t>(index)]; }
    int LoadedPictures() const;

private:
    bool Available(int index) const;
    void Unload(int index);
    int Walk(int from, int direction, bool wrap) const;

    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
    HWND window_ = nullptr;
    int slot_ = -1;
    int interval_ = ANIM_DEFAULT_INTERVAL;
    int paletteMode_ = 0;
    State state_ = Stopped;
    int current_ = -1;
    std::vector<std::unique_ptr<AnimFrame>> frames_;
    bool loop_ = false;
    bool onDemand_ = false;
    int previous_ = -1;
};
