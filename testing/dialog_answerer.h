// Answers the message boxes and modal dialogs that code under test shows, so that no test
// ever waits for a user, and records what was shown so that tests can assert on it.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

struct ShownDialog {
    std::string caption;
    std::string text;  // texts of the dialog's static controls, joined by '\n'
};

class DialogAnswerer {
public:
    // Answers every dialog activated on this thread with WM_COMMAND `answer`, once per dialog
    // however often it is activated again before it goes.
    explicit DialogAnswerer(int answer = IDOK);
    // Lets `respond` look at (and fill in) the dialog; its result is the command sent.
    explicit DialogAnswerer(std::function<int(HWND)> respond);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    const std::vector<ShownDialog>& Shown() const { return shown_; }

private:
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND dialog);

    std::function<int(HWND)> respond_;
    std::vector<ShownDialog> shown_;
    std::set<HWND> answered_;  // dialogs still up that were answered already
    HHOOK hook_;
    DialogAnswerer* previous_;
};
