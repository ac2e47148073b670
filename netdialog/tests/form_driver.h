// Reading and working the controls of the network-settings form as its user would.
#pragma once

#include <windows.h>

#include "modal_script.h"

#include <string>

// The control `id` on any page of the form.
HWND FormItem(HWND form, int id);
std::string FormItemText(HWND form, int id);
void TypeInto(HWND form, int id, const std::string& text);
bool IsItemChecked(HWND form, int id);
// Brings up the page that holds `id` through its tab and clicks the button.
void ClickItem(HWND form, int id);
// The index of the page shown, checked against the tab selected.
int ShownPage(HWND form);
std::string TabText(HWND form, int index);

// The two ways out: the "Close" button and the window's close box.
void PressClose(HWND form);
void PressCloseBox(HWND form);

// Whether the window is the form (and not one of the boxes it shows).
bool IsNetForm(HWND window);

// Steps of a script: `act` runs once the form, or a box it shows, is the active window.
ModalScript::Step OnForm(std::function<void(HWND form)> act);
ModalScript::Step OnBox(std::function<void(HWND box)> act);

// The texts of a box's static controls, joined by '\n'.
std::string BoxText(HWND box);
