// The FLIC player: a FLIC file decoded frame by frame into an 8-bit BMP, drawn into a device
// context or into a small child window of its own, and paced by the process's FLIC player
// table. It tells a notify window of every frame it reaches and of the end of a play.
#pragma once

#include <windows.h>

#include <atomic>

#include "flic_reader.h"

class BMP;

// The parent of a player that makes no window (drawing off-screen only).
inline const HWND FLIC_NO_WINDOW = reinterpret_cast<HWND>(static_cast<INT_PTR>(-1));
// The window class of player windows, registered while animation objects exist.
constexpr const char FLIC_PLAYER_CLASS[] = "QXMOTION_CALLBACK";
// A player whose paint never comes (a hidden window) is freed after this long.
constexpr UINT FLIC_WATCHDOG_MS = 100;
constexpr UINT_PTR FLIC_WATCHDOG_TIMER = 1;

class FlicPlayer;

bool RegisterFlicPlayerClass(HINSTANCE module);
void UnregisterFlicPlayerClass();
// A visible child window of parent, tagged with the animation's help page; null on failure.
HWND CreateFlicPlayerWindow(FlicPlayer* player, HWND parent, int x, int y, int width, int height);

class FlicPlayer {
public:
    FlicPlayer();
    ~FlicPlayer();
    FlicPlayer(const FlicPlayer&) = delete;
    FlicPlayer& operator=(const FlicPlayer&) = delete;

    // 0 opened; FLIC_OPEN_FAILED, FLIC_BAD_HEADER or FLIC_BAD_MAGIC with no file left open.
    // The player window is made as a visible child of parent at (x, y), unless parent is
    // FLIC_NO_WINDOW; the first frame is decoded and waits to be painted.
    int Open(const char* name, HWND parent, int x, int y);
    void Close();

    // Frame steps; with a device context the frame is drawn into it, without one the player
    // window is invalidated. -1 when no file is open.
    int Rewind(HDC dc = nullptr);
    int NextFrame(HDC dc = nullptr);
    int GoToFrame(int frame, HDC dc = nullptr);
    int StepBackToFrame(int frame, HDC dc = nullptr);
    int GetFrameRate() { return reader_.GetFrameRate(); }
    int SetFrameRate(int framesPerSecond) { return reader_.SetFrameRate(framesPerSecond); }

    // SRCCOPY of the frame at (x, y), or at (0, 0) into the player's own window; at the file's
    // size, or stretched to the window's client size (the stored size without a window).
    void Draw(HDC dc, bool ownWindow);
    // The player window's place and the stored size.
    void Place(int x, int y, int width, int height);
    void SetStretch(bool stretch) { stretch_ = stretch; }
    void SetPaletteMode(int mode) { paletteMode_ = mode; }

    // The end message goes to the notify window when a play reaches the last frame.
    void SetNotify(HWND window, UINT endMessage, LPARAM endTag);
    // The frame message goes with (counter, tag + 1) at every frame, and with (0, tag) once
    // the frame at or past the stop frame is painted in the stop loop during a play.
    void SetFrameMessage(UINT message, DWORD stopFrameAndLoop, LPARAM tag);
    int Play();
    int Stop();

    bool IsOpen() const { return reader_.IsOpen(); }
    bool IsPlaying() const { return registered_; }
    bool IsBusy() const { return busy_; }
    int Counter() const { return reader_.Counter(); }
    int Loops() const { return reader_.Loops(); }
    int Frames() const { return reader_.Header().frames; }
    int Width() const { return reader_.Header().width; }
    int Height() const { return reader_.Header().height; }
    HWND Window() const { return window_; }
    const FlicPalette& Palette() const { return reader_.Palette(); }
    // The frame as it stands, for tests and snapshots.
    BMP* Frame() const { return frame_; }

    // The player window's messages.
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    template <class Step>
    int Decode(Step step);
    int MoveToFrame(int frame, HDC dc, bool fromStart);
    // After a step: drawn into dc, or the window invalidated and the paint waited for.
    void Show(HDC dc);
    void PostFrame(int counter);
    void PostEndIfStopFrameShown();
    void OnPlayerTick();

    FlicReader reader_;
    BMP* frame_;
    HWND window_ = nullptr;
    int slot_ = -1;
    bool registered_ = false;
    std::atomic<bool> busy_{false};
    bool endPosted_ = false;   // the stop frame's notice went out since the last step
    HWND notify_ = nullptr;
    UINT frameMessage_ = 0;
    UINT endMessage_ = 0;
    int stopFrame_ = 0;
    int stopLoop_ = 0;
    LPARAM tag_ = 0;
    LPARAM endTag_ = 0;
    int paletteMode_ = 0;
    bool stretch_ = false;
    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
};
