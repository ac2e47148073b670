// PAGE::Modify: the page's settings edited on a working copy in "D_PAGE" and taken back on OK.
#include "page.h"
#include "page_create.h"

int PAGE::Modify()
{
    auto* copy = new PAGE(kernel, module);  // the objects' allocator answers null
    if (!copy)
        return 0;
    *copy = *this;
    copy->pageFile = KernGetActiveFilename(kernel);
    copy->newPage = 0;
    const INT_PTR answer = RunPageDialog(KernGetAppWindow(kernel), copy);
    if (answer == 1) {
        const bool repaint = copy->red != red || copy->green != green || copy->blue != blue || copy->noFill != noFill;
        DropPageHook();
        *this = *copy;
        SetXYWH(copy->x, copy->y, copy->w, copy->h);
        if (window) {
            SetWindowTextA(window, title);
            if (repaint)
                InvalidateRect(window, nullptr, TRUE);
        }
        KernChangeAppTitle(kernel, title);
    }
    BindPageHook();
    // The copy shares the page's window and procedure: deleting it must touch neither.
    copy->window = nullptr;
    if (!copy->procModule)
        copy->procHook = nullptr;
    delete copy;
    ApplyFrame(QX_FRAME_SIZABLE);
    return static_cast<int>(answer == 1);
}
