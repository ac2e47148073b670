// The editing tests' page, places and message pump.
#include "edittest.h"

#include "accessors.h"
#include "authoring.h"
#include "selection.h"

#include <gtest/gtest.h>

ProcessKernel::ProcessKernel()
    : host_(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)),
      kernel_(KernConstructeur(host_, nullptr, nullptr, nullptr, nullptr))
{
}

ProcessKernel::~ProcessKernel()
{
    KernDestructeur(kernel_);
    DestroyWindow(host_);
}

EditPage::EditPage()
{
    nav.pub.Write("edit.pag", PageText({RecObjectRecord("root", 3, "192 192 192", "0 0 200 100"),
                                        RecObjectRecord("A", 0, "255 0 0", "10 10 50 30"),
                                        RecObjectRecord("B", 0, "0 255 0", "100 10 40 40"),
                                        RecObjectRecord("C", 0, "0 0 255", "20 60 30 20")}));
    EXPECT_EQ(1, nav.Go("edit.pag"));
    // Universe units follow the host window, so that undo can place objects from them.
    KernSetAppExtent(nav, 0, 0, 300, 200);
    KernSetMode(nav, QX_MODE_EDIT_BIT);
}

EditPage::~EditPage() { KernSetMode(nav, QX_MODE_PRESENTATION); }

OBJET* EditPage::Root() const { return KernGetTopObjet(nav); }

RECT PlaceOf(OBJET* object)
{
    RECT area = {};
    GetClientRect(object->window, &area);
    MapWindowPoints(object->window, GetAncestor(object->window, GA_PARENT), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

std::vector<std::string> SelectedLabels(KERNEL* kernel)
{
    std::vector<std::string> labels;
    for (int i = 0; i < kernel->selection.Items(); ++i) {
        // The recording kind titles each window with its label.
        char label[100] = "";
        GetWindowTextA(kernel->selection.GetObjet(i)->window, label, sizeof label);
        labels.push_back(label);
    }
    return labels;
}

void PumpMessagesFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}
