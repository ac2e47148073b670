// Drives the modal dialog of the code under test as an author would, with no one at the
// screen: once the dialog is up, a script runs on it from the dialog's own message loop and
// sends it commands; every other dialog that comes up meanwhile (message boxes, choosers,
// import boxes) is handed to an answerer.
#pragma once

#include "dialog_answerer.h"
#include "dialog_items.h"

#include <functional>
#include <string>

struct KERNEL;

class DialogDriver {
public:
    // The driven dialog is the first one that holds a control `markerId`. When the script
    // leaves it open, it is cancelled. `answer` may fill in another dialog; its result is the
    // command sent to that dialog.
    DialogDriver(int markerId, std::function<void(HWND)> script,
                 std::function<int(HWND)> answer = [](HWND) { return IDOK; });
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Every dialog seen, in order; the driven one first.
    const std::vector<ShownDialog>& Shown() const { return answerer_.Shown(); }
    bool Ran() const { return ran_; }

private:
    static void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD);
    int Respond(HWND dialog);

    int markerId_;
    std::function<void(HWND)> script_;
    std::function<int(HWND)> answer_;
    HWND driven_ = nullptr;
    bool ran_ = false;
    static constexpr int MAX_WAITS_FOR_SHOW = 500;  // 10 ms each: a dialog kept hidden is driven all the same
    int waits_ = 0;
    DialogDriver* previous_;
    DialogAnswerer answerer_;
};

// What a script does with the controls of a dialog.
void Click(HWND dialog, int id);
void SetCheck(HWND dialog, int id, bool checked);  // the box's state, then its click
void SetText(HWND dialog, int id, const std::string& text);
bool IsEnabled(HWND dialog, int id);
// A script that clicks `button`, keeps in `shown` what the control `field` then shows, and
// clicks OK.
std::function<void(HWND)> ClickThenRead(int button, int field, std::string& shown);
// Answers the system's open-file dialog with the file `name`, typed into its name box.
int OpenFileNamed(HWND open, const std::string& name);

// The settings dialog of the object `name` of the page shown, found by its control `markerId`
// and ended with `ending` (IDOK or IDCANCEL): the dialog's copy shares the object's settings
// but never its window, which the object keeps, still pointing back to it.
void ExpectWindowKeptThroughDialog(KERNEL* kernel, const char* name, int markerId, int ending);
