// What the navigation tests share: a publication of pages made of the recording object kind
// (qxrecobj40), a kernel with a host window, and the log of the kernel messages the page
// roots received.
#pragma once

#include "kerneltest.h"
#include "scratch_dir.h"

#include <string>
#include <vector>

// One record of the recording object kind: rectangle "x y w h" within its parent.
std::vector<std::string> RecObjectRecord(const std::string& label, int children, const std::string& colour,
                                         const std::string& rect);
// A page: its root labelled `label`, one child filling (10,10)-(60,40) with `colour`.
std::string RecPage(const std::string& label, const std::string& colour = "255 0 0", int closeOnLeave = 0);
// The folder of the helper programs and DLLs of these tests, ending in a backslash.
std::string TestToolFolder(const std::string& name);

// "label:message;" for each KM_LEAVEPAGE, KM_PAGESHOWN and KM_BRANCHING a page root received.
std::string RecLog();
void ClearRecLog();

// A kernel with a host window (a child of a top-level view) whose plug-ins are the test
// modules, over a publication in a scratch folder.
class NavKernel {
public:
    NavKernel();
    ~NavKernel();
    NavKernel(const NavKernel&) = delete;
    NavKernel& operator=(const NavKernel&) = delete;

    KERNEL* operator->() const { return kernel; }
    operator KERNEL*() const { return kernel; }
    std::string Page(const std::string& name) const { return pub / name; }
    // Goes to the page through the history.
    int Go(const std::string& name) { return kernel->history.Push(Page(name).c_str(), nullptr, 0); }
    // The label of the page shown.
    std::string Shown() const;

    ScratchDir pub;
    HWND view = nullptr;
    HWND host = nullptr;
    TestKernel kernel;
};
