// Stepping through the bookmarks: the index names the next bookmark to show; the request of
// a slide-show step (KernSetBranch) advances it.
#include "slideshow.h"

#include "branch.h"
#include "history.h"
#include "kernel.h"

namespace {

// A sequence needs two pages at least.
constexpr int ShortestShow = 2;

void TellHost(KERNEL* kernel, int running)
{
    if (kernel->eventSlideShow)
        kernel->eventSlideShow(kernel->appPointer, running);
}

void RequestBookmark(KERNEL* kernel)
{
    auto* bookmark = static_cast<KERNBOOKMARK*>(kernel->bookmarks.GetItem(kernel->slideIndex));
    kernel->kernelBranch->SetFilename(bookmark->page);
    kernel->kernelBranch->slideShowMark = 1;
    KernSetBranch(kernel, kernel->kernelBranch);
}

// Ends a show too short to step; true when it was.
bool EndedForShortness(KERNEL* kernel)
{
    if (kernel->bookmarks.Items() >= ShortestShow)
        return false;
    KernEndSlideShow(kernel);
    return true;
}

void StepBack(KERNEL* kernel)
{
    const int count = kernel->bookmarks.Items();
    if (kernel->slideIndex > 0)
        --kernel->slideIndex;
    else if (kernel->slideLoop)
        kernel->slideIndex = count - 1;
}

}  // namespace

void KernStartSlideShow(KERNEL* kernel)
{
    if (!kernel || kernel->slideRunning)
        return;
    TellHost(kernel, 1);
    kernel->slideRunning = 1;
    kernel->slideIndex = 0;
    KernClearBranchTimer(kernel);
    KernNextSlide(kernel);
}

void KernEndSlideShow(KERNEL* kernel)
{
    if (!kernel || !kernel->slideRunning)
        return;
    KernClearBranchTimer(kernel);
    kernel->slideRunning = 0;
    TellHost(kernel, 0);
}

void KernNextSlide(KERNEL* kernel)
{
    if (!kernel || !kernel->slideRunning || EndedForShortness(kernel))
        return;
    if (kernel->slideLoop && kernel->slideIndex >= kernel->bookmarks.Items())
        kernel->slideIndex = 0;
    if (kernel->slideIndex < kernel->bookmarks.Items())
        RequestBookmark(kernel);
}

void KernPreviousSlide(KERNEL* kernel)
{
    if (!kernel || !kernel->slideRunning || EndedForShortness(kernel))
        return;
    // The index names the slide after the one shown.
    StepBack(kernel);
    StepBack(kernel);
    RequestBookmark(kernel);
}
