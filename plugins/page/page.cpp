// PAGE: construction, copying, selection and geometry.
#include "page.h"

#include "branch.h"
#include "kerntree.h"
#include "objgeometry.h"
#include "pageres.h"

#include <cstring>

PAGE::PAGE(KERNEL* kernel, HINSTANCE module) : OBJET(kernel, module)
{
    SetDLLName("QXSHEET.DLL");
    LoadStringA(module, IDS_PAGE_OBJECT_NAME, objetName, sizeof objetName);
    sizeMode = 3;
    sizeChoice = 1;
    sizeDep = 1;
    AddBranch(new BRANCH(kernel));
    defX = 0;
    defY = 0;
    defWidth = 640;
    defHeight = 480;
}

PAGE::~PAGE()
{
    // A procedure set through property 1000 gets its last call too; a DLL's one gets it
    // before the DLL goes.
    if (procHook && !procModule)
        procHook(window, WM_DESTROY, 0, 0);
    DropPageHook();
    if (window) {
        SetWindowLongPtrA(window, 0, 0);
        SetWindowTextA(window, "");
        KernRemoveWindow(kernel, window);
        window = nullptr;
    }
}

void PAGE::SetXYWH(int newX, int newY, int newW, int newH)
{
    if (newX == x && newY == y && newW == w && newH == h)
        return;
    OBJET::SetXYWH(newX, newY, newW, newH);
    if (selected)
        UnitsFromPixels(this);
}

void PAGE::ApplyFrame(int type)
{
    if (!window)
        return;
    DWORD style = 0;
    RECT outer{};
    GetFrameStyle(type, x, y, w, h, &style, &outer);
    SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowPos(window, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOZORDER);
}

void PAGE::Select()
{
    selected = 1;
    ApplyFrame(QX_FRAME_SIZABLE);
}

void PAGE::UnSelect()
{
    if (!selected)
        return;
    selected = 0;
    ApplyFrame(frameType);
}

OBJET& PAGE::operator=(const OBJET& other)
{
    OBJET::operator=(other);
    const auto* page = dynamic_cast<const PAGE*>(&other);
    if (!page || page == this)
        return *this;
    newPage = page->newPage;
    std::memcpy(title, page->title, sizeof title);
    pageFile = page->pageFile;
    frameType = page->frameType;
    selected = page->selected;
    closeOnLeave = page->closeOnLeave;
    sizeDep = page->sizeDep;
    modeless = page->modeless;
    procDll = page->procDll;
    std::memcpy(procFunction, page->procFunction, sizeof procFunction);
    procHook = page->procHook;
    red = page->red;
    green = page->green;
    blue = page->blue;
    noFill = page->noFill;
    return *this;
}
