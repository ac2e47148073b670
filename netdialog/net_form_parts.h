// What the form's files share: its working data and the lookups over its pages.
#pragma once

#include "net_form.h"
#include "net_settings.h"

#include <string>

enum FormPage { kPageFtp, kPageHttp, kPageProxy, kPageCount };

struct NET_FORM {
    FormLanguage language;
    HKEY root;
    std::string baseKey;
    NET_SETTINGS shown;  // as read when the form opened: what a rejected field is put back to
    HWND pages[kPageCount] = {};
};

// The text numbered `id` in the form's language (see resource.h).
std::string FormText(FormLanguage language, UINT id);

// The control `id` on whichever page holds it.
HWND FormControl(const NET_FORM& form, int id);
// The page that holds the control `id`.
FormPage PageOfControl(const NET_FORM& form, int id);
void ShowPage(HWND window, const NET_FORM& form, FormPage page);

// Puts the settings into the controls.
void FillFields(const NET_FORM& form, const NET_SETTINGS& settings);
// Takes the settings from the controls. A port that is not a whole number from 0 to 65535
// is put back to the value shown at opening, shown to the user and given the focus: false.
bool CollectFields(HWND window, const NET_FORM& form, NET_SETTINGS& settings);
