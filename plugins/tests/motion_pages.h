// Pages of animations for the motion module's tests: the "FLC {" block of an object and the
// branch block of its two branches.
#pragma once

#include "pagehost.h"

#include <objbase.h>

#include <functional>
#include <string>

struct FlcRecord {
    std::string media = "NULL";
    RecordLines files;  // the pictures of a series, in place of the media
    int loop = 0, bar = 0, autoPlay = 0, loopCount = 1, fps = 0;
    int x = 10, y = 20, w = 64, h = 48;
    RecordLines track;  // frame, file, frame, file...
};

RecordLines FlcBlock(const FlcRecord& record);
// Branch 0 to `click`, branch 1 to `end`: a page name, or "" for none.
RecordLines TwoBranches(const std::string& click, const std::string& end);
// A page "A" of a white root holding these animation records (name, record).
std::string AnimationPage(const std::vector<std::pair<std::string, FlcRecord>>& animations,
                          const RecordLines& branches = TwoBranches("", ""));
// The fixture's bytes (written by make_flics.py) and a film made by make_films.sh.
std::string FlicBytes(const char* fixture);
std::string FilmBytes(const char* film);

// Runs `script` on the dialog active once the present message has been handled: for a dialog
// that comes up inside the dialog a test drives (answer it with command 0 meanwhile).
void RunOnActiveDialog(std::function<void(HWND)> script);
// The sound-track dialog of an animation, known by its caption.
constexpr const char* TRACK_DIALOG_CAPTION = "Réglages de la trame sonore de l'animation";
bool IsTrackDialog(HWND dialog);

// The media server is reached through COM, which the player starts on its thread; without
// it the films play through MCI.
struct ComApartment {
    const bool started = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ~ComApartment()
    {
        if (started)
            CoUninitialize();
    }
};
