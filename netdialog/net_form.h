// The modal network-settings form, in English or in French.
#pragma once

#include "netdlg_base.h"

enum class FormLanguage { English, French };

// Modal results of the form.
constexpr int kFormClosed = 1;     // "Close": the settings were stored
constexpr int kFormDismissed = 2;  // the window's close box (or Esc): nothing stored

// Reads the settings under root\baseKeyName (writing the missing ones with their defaults),
// shows the form with no owner and answers its modal result; 0 when there is no base key
// name or the settings keys cannot be opened, and when the form cannot be shown.
int RunNetForm(FormLanguage language, HKEY root, const char* baseKeyName);
