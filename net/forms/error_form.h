// The form that tells the user a transfer failed and asks whether to try again, with a button
// to the network settings. Downloads, the FTP browser and publishing show it with texts of
// their own.
#pragma once

#include <windows.h>

#include <string>

// Modal results of the form: anything but RETRY gives up.
constexpr int ERROR_FORM_GIVE_UP = 1;
constexpr int ERROR_FORM_RETRY = 2;

struct ERROR_FORM_SETUP {
    std::string file;             // the line under the message: an address, a server, a file
    UINT message = 0;             // string replacing the message line; 0 keeps the form's own
    UINT caption = 0;             // string replacing the caption; 0 keeps the form's own
    bool networkButton = true;    // whether the network settings can be opened from it
};

// Runs the form on the calling thread in the library's language and answers its modal result.
int RunErrorForm(const ERROR_FORM_SETUP& setup);

// Runs it on the synchronisation window's thread and waits for the answer there; throws when
// the library is not open.
int ShowErrorForm(const ERROR_FORM_SETUP& setup);
