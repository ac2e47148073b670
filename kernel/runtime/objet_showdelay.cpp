// Show delays: an object with a delay stays hidden when its page is shown and comes up once
// its delay has run; the objects of one page come up in the order of their delays. One
// window timer (id 169) runs per waiting object.
#include "objet.h"

#include "kernel.h"
#include "kerntree.h"

namespace {

// Before the object window holds its object, the timer tries again after this long.
constexpr UINT RetryMilliseconds = 300;

UINT Milliseconds(double seconds)
{
    const double ms = seconds * 1000.0;
    return ms < 1.0 ? 1 : static_cast<UINT>(ms);
}

void CALLBACK ShowDelayTimerProc(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    auto* object = reinterpret_cast<OBJET*>(GetWindowLongPtrA(window, 0));
    if (!object) {
        SetTimer(window, QX_TIMER_SHOWDELAY, RetryMilliseconds, ShowDelayTimerProc);
        return;
    }
    OBJET* first = KernFindMinDelai(object->GetKernel(), KernGetTopParentObjet(object->GetKernel(), object));
    if (first && first->showDelay < object->showDelay) {
        SetTimer(window, QX_TIMER_SHOWDELAY, Milliseconds(object->showDelay - first->showDelay),
                 ShowDelayTimerProc);
        return;
    }
    object->delayTimer = 0;
    KernReInitTimer(object->GetKernel(), object);
    object->DelaiObjetShow();
}

struct MINDELAY {
    OBJET* found;
};

int TakeSmallerDelay(KERNEL*, OBJET* object, void* data)
{
    auto* search = static_cast<MINDELAY*>(data);
    if (object->delayTimer && (!search->found || object->showDelay < search->found->showDelay))
        search->found = object;
    return 0;
}

struct REARM {
    OBJET* shown;
};

int RearmForRest(KERNEL*, OBJET* object, void* data)
{
    OBJET* shown = static_cast<REARM*>(data)->shown;
    if (object == shown || !object->delayTimer || !object->window)
        return 0;
    KillTimer(object->window, object->delayTimer);
    object->delayTimer = SetTimer(object->window, QX_TIMER_SHOWDELAY,
                                  Milliseconds(object->showDelay - shown->showDelay), ShowDelayTimerProc);
    return 0;
}

}  // namespace

OBJET* KernFindMinDelai(KERNEL* kernel, OBJET* root)
{
    MINDELAY search = {nullptr};
    KernTraverseTree(kernel, root, TakeSmallerDelay, nullptr, &search, QX_WALK_FIRST_TO_LAST);
    return search.found;
}

int KernReInitTimer(KERNEL* kernel, OBJET* object)
{
    REARM rearm = {object};
    KernTraverseTree(kernel, KernGetTopParentObjet(object->GetKernel(), object), RearmForRest, nullptr, &rearm, QX_WALK_FIRST_TO_LAST);
    return 0;
}

int OBJET::BeginWaitingForShow()
{
    KernLinkParentChild(KernGetTopObjet(kernel), this, 1);
    if (!window)
        return 0;
    const UINT ms = showDelay > 0.0 ? static_cast<UINT>(showDelay * 1000.0) : 0;
    delayTimer = SetTimer(window, QX_TIMER_SHOWDELAY, ms, ShowDelayTimerProc);
    if (!delayTimer)
        return 0;
    beParent = 0;
    while (GetChildItems() > 0) {
        OBJET* child = GetChild(0);
        if (child->window)
            InvalidateRect(child->window, nullptr, TRUE);
        OBJET* encloser = KernLocateParent(kernel, child);
        if (!encloser || encloser == this)
            break;
        KernLinkParentChild(encloser, child, 0);
    }
    SetBeParent(0);
    ShowWindow(window, SW_HIDE);
    visibility |= QX_VISIBILITY_WAITING;
    return 1;
}

void OBJET::EndWaitingForShow()
{
    if (delayTimer && window)
        KillTimer(window, delayTimer);
    delayTimer = 0;
    DelaiObjetShow();
}

int OBJET::DelaiObjetShow()
{
    visibility &= ~QX_VISIBILITY_WAITING;
    delayPending = 0;
    SetBeParent(1);
    // The object comes up plainly here; its effect, if any, stays for its next show.
    const int pending = effectPending;
    effectPending = 0;
    KernLinkParentChild(KernLocateParent(kernel, this), this, 1);
    KernBroadCastUntilDone(kernel, KernGetTopParentObjet(kernel, this), KM_RELINK, 0, 0);
    if (window) {
        ShowWindow(window, SW_SHOWNORMAL);
        InvalidateRect(window, nullptr, FALSE);
    }
    effectPending = pending;
    return 0;
}
