// What the editing tests share: a page of the recording object kind shown in an editing
// mode, with three objects at known places, and a message pump for window timers.
#pragma once

#include "navtest.h"

#include <string>
#include <vector>

// A kernel made as a host makes it, so that the process is set up as for a host: the object
// window class registered, the cache open. It goes last.
class ProcessKernel {
public:
    ProcessKernel();
    ~ProcessKernel();
    ProcessKernel(const ProcessKernel&) = delete;
    ProcessKernel& operator=(const ProcessKernel&) = delete;

private:
    HWND host_;
    KERNEL* kernel_;
};

// The page "edit.pag": a root window at (0,0) of 200 x 100 on the screen and three objects in
// it, "A" at (10,10) 50 x 30, "B" at (100,10) 40 x 40 and "C" at (20,60) 30 x 20.
class EditPage {
public:
    EditPage();
    ~EditPage();
    EditPage(const EditPage&) = delete;
    EditPage& operator=(const EditPage&) = delete;

    KERNEL* Kernel() const { return nav; }
    OBJET* Root() const;
    OBJET* A() const { return Root()->GetChild(0); }
    OBJET* B() const { return Root()->GetChild(1); }
    OBJET* C() const { return Root()->GetChild(2); }

    ProcessKernel process;
    NavKernel nav;
};

// The object's client area relative to its parent window (the screen for the page window):
// a selected object's window grows a frame around it.
RECT PlaceOf(OBJET* object);
// The objects selected, by label, in selection order.
std::vector<std::string> SelectedLabels(KERNEL* kernel);
// Dispatches this thread's messages for the time given.
void PumpMessagesFor(DWORD milliseconds);
