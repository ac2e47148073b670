// The default handling of kernel messages by OBJET: unless a message is answered here it
// goes down to the children, and the first non-zero answer comes back.
#include "objet.h"

#include "branch.h"
#include "filefetch.h"
#include "history.h"
#include "kernel.h"
#include "kerntree.h"
#include "qxwindowptr.h"

namespace {

// The slide show steps at most once a minute.
constexpr double LongestSlideDelay = 60.0;

LRESULT PassFirstToLast(OBJET* object, MSGL* msg)
{
    for (int i = 0; i < object->GetChildItems(); ++i) {
        if (const LRESULT answer = object->GetChild(i)->KernelMessage(msg))
            return answer;
    }
    return 0;
}

// A child that changes the tree (a relink) answers non-zero, which ends the walk before the
// children taken beforehand could be out of date.
LRESULT PassLastToFirst(OBJET* object, MSGL* msg)
{
    const std::vector<OBJET*> children = object->Children();
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        if (const LRESULT answer = (*child)->KernelMessage(msg))
            return answer;
    }
    return 0;
}

// Moves the object under whatever encloses it now; 1 when it moved.
int RelinkToEncloser(OBJET* object)
{
    OBJET* encloser = KernLocateParent(object->GetKernel(), object);
    if (!encloser || encloser == object->GetParent())
        return 0;
    KernLinkParentChild(encloser, object, 0);
    return 1;
}

// Shows the waiting object of the page with the smallest delay; 1 when there was one.
int ShowFirstWaiting(OBJET* object)
{
    OBJET* first = KernFindMinDelai(object->GetKernel(), KernGetTopParentObjet(object->GetKernel(), object));
    if (!first)
        return 0;
    first->EndWaitingForShow();
    return 1;
}

// The next step of a running slide show is armed as a timed branch.
void ArmSlideShowStep(KERNEL* kernel)
{
    if (!kernel->slideRunning || kernel->slideDelay <= 0 || kernel->slideIndex >= kernel->bookmarks.Items())
        return;
    auto* bookmark = static_cast<KERNBOOKMARK*>(kernel->bookmarks.GetItem(kernel->slideIndex));
    BRANCH* step = kernel->sequenceBranch;
    step->SetFilename(bookmark->page);
    step->delay = kernel->slideDelay < LongestSlideDelay ? kernel->slideDelay : LongestSlideDelay;
    step->slideShowMark = 1;
    KernAddBranchTimer(kernel, step);
}

LRESULT OnShown(OBJET* object, MSGL* msg)
{
    object->shown = 1;
    if (object->GetParent() && RelinkToEncloser(object))
        return 1;
    if (PassLastToFirst(object, msg))
        return 1;
    if (msg->mode & QX_MODE_EDIT_BIT) {
        if (object->delayTimer)
            return ShowFirstWaiting(object);
        object->delayPending = 0;
        object->effectPending = 0;
    } else if (object->delayPending && !object->delayTimer && object->showDelay != 0.0 && object->window) {
        object->BeginWaitingForShow();
        return 1;
    }
    ArmSlideShowStep(object->GetKernel());
    return 0;
}

LRESULT OnEnable(OBJET* object, MSGL* msg, WPARAM enabled)
{
    if (!enabled) {
        object->delayPending = 0;
        object->effectPending = 0;
        if (object->delayTimer && ShowFirstWaiting(object))
            return 1;
    } else {
        object->delayPending = 1;
        object->effectPending = 1;
    }
    return PassFirstToLast(object, msg);
}

LRESULT OnRelink(OBJET* object, MSGL* msg)
{
    OBJET* parent = object->GetParent();
    if (parent && parent->window && RelinkToEncloser(object))
        return 1;
    return PassFirstToLast(object, msg);
}

// Drawing what lies beneath an object: each child draws itself into the DC, up to the
// object whose window is wParam. A child that does not paint its whole rectangle, or that
// still has an effect to play, first has what lies beneath it drawn.
LRESULT PaintTo(OBJET* object, MSGL* msg)
{
    for (int i = 0; i < object->GetChildItems(); ++i) {
        OBJET* child = object->GetChild(i);
        if (child->window && child->window == reinterpret_cast<HWND>(msg->wParam))
            return 1;
        if (!child->paintThrough || (child->effectPending && child->effectId)) {
            if (const LRESULT answer = PaintTo(child, msg))
                return answer;
        }
        if (const LRESULT answer = child->KernelMessage(msg))
            return answer;
    }
    return 0;
}

}  // namespace

LRESULT OBJET::KernelMessage(MSGL* msg)
{
    switch (msg->message) {
    case KM_FLUSHDELAYS:
        return OnEnable(this, msg, 0);
    case KM_SHOWN:
        return OnShown(this, msg);
    case KM_LEAVEPAGE:
        shown = 0;
        return PassLastToFirst(this, msg);
    case KM_PAINTTO:
        return PaintTo(this, msg);
    case KM_REALIZEPALETTE:
        return PassLastToFirst(this, msg);
    case KM_HOVERSTART:
        SetMsgTimer();
        if (window)
            SetQORVEXXpointer(window, QXKEY_HOVER_OBJECT_1, this, QXKEY_HOVER_OBJECT_2);
        return 0;
    case KM_HOVEREND:
        ReleaseMsgTimer();
        ReleaseMessage();
        return 0;
    case KM_BRANCHING:
        KernRemoveAllFtpProcess(kernel);
        return 0;
    case KM_ENABLE:
        return OnEnable(this, msg, msg->wParam);
    case KM_RELINK:
        return OnRelink(this, msg);
    default:
        return PassFirstToLast(this, msg);
    }
}
