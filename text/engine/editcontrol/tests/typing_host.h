// A small host of one multi-line "rtedit" control in a top-level window titled "Saisie rtedit",
// for typing into from outside (the on-screen test's typist). The host's own keys style what
// comes next through the control's character messages, each a second time to stop: Ctrl+G bold,
// Ctrl+I italic, Ctrl+R red.
#pragma once

#include <windows.h>

#include <algorithm>

constexpr char kTypingHostTitle[] = "Saisie rtedit";

class TypingHost {
public:
    TypingHost(int x, int y, int width, int height);
    ~TypingHost();
    TypingHost(const TypingHost&) = delete;
    TypingHost& operator=(const TypingHost&) = delete;

    HWND Window() const { return window_; }
    HWND Control() const { return control_; }
    // Shows the host in front, the control taking the keys.
    void Show();
    // Handles every message waiting for the thread, the host's keys first.
    void Pump();
    // Handles messages as they come until done() answers true or the limit passes; done()'s
    // last answer. done() is asked after each message and at least every 20 ms, for what
    // changes with no message (the screen).
    template <class Done>
    bool PumpUntil(Done done, DWORD limitMs)
    {
        const ULONGLONG end = GetTickCount64() + limitMs;
        Pump();
        while (!done()) {
            const ULONGLONG now = GetTickCount64();
            if (now >= end)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)),
                                      QS_ALLINPUT);
            Pump();
        }
        return true;
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    HWND control_ = nullptr;
    HACCEL keys_ = nullptr;
};
