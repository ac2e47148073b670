// Branches inside the text: their numbers, the hover message of each and the pop-up that shows
// it, the hand over a link, the click that takes the branch, and the branch timers.
#include "texte.h"

#include "accessors.h"
#include "kernel.h"
#include "kerntree.h"
#include "qxwindowptr.h"
#include "rte_position_queries.h"
#include "rte_runs.h"
#include "rte_selection.h"
#include "sound.h"
#include "text_document.h"

#include <algorithm>

BRMSG::BRMSG()
{
    font.lfHeight = 16;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = 1;
}

BRMSG::~BRMSG() { Close(); }

void BRMSG::CopyFrom(const BRMSG& source)
{
    branchId = source.branchId;
    text = source.text;
    sound = source.sound;
    delay = source.delay;
    font = source.font;
    std::copy(std::begin(source.textColour), std::end(source.textColour), textColour);
    std::copy(std::begin(source.background), std::end(source.background), background);
}

void BRMSG::Show()
{
    if (!text.length() || displayed || !owner || !owner->window)
        return;
    KERNEL* kernel = owner->GetKernel();
    KernObjetOut(kernel);
    displayed = 1;
    POINT at{anchor.x, anchor.y + anchorHeight};
    ClientToScreen(owner->window, &at);
    brush = CreateSolidBrush(RGB(background[0], background[1], background[2]));
    const Color colour{textColour[0], textColour[1], textColour[2], 0};
    const int result = window.AfficherFenetre("", text, colour, &font, at.x, at.y, owner->window,
                                              owner->GetHDLL(), 0x80000000, brush);
    if (sound.length() && KernGetMode(kernel) == QX_MODE_PRESENTATION)
        KernPlaySound(kernel, sound);
    if (result != MSGWIND_SHOWN) {
        Close();
        return;
    }
    // The pop-up opens where the mouse is; it belongs below the hovered line, clear of it.
    SetWindowPos(window.Window(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BRMSG::Close()
{
    if (!displayed)
        return;
    displayed = 0;
    window.DetruireFenetre();
    DeleteObject(brush);
    brush = nullptr;
}

int BranchIndexOfId(OBJET* object, int id)
{
    if (id == 0)
        return -1;
    for (int i = 0; i < object->GetBranchItems(); ++i) {
        if (object->GetBranch(i)->pluginMark == id)
            return i;
    }
    return -1;
}

int NextBranchId(OBJET* object)
{
    int largest = 0;
    for (int i = 0; i < object->GetBranchItems(); ++i)
        largest = std::max(largest, object->GetBranch(i)->pluginMark);
    return largest + 1;
}

void ArmBranchTimers(OBJET* object)
{
    for (int i = 0; i < object->GetBranchItems(); ++i) {
        BRANCH* branch = object->GetBranch(i);
        if (branch->delay != 0.0)
            KernAddBranchTimer(object->GetKernel(), branch);
    }
}

namespace {

// Timer 1 of the object window: the hovered message is shown when the mouse still rests on
// its link in run mode.
void CALLBACK HoverTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    auto* message = static_cast<BRMSG*>(GetQORVEXXpointer(window, QX_KEY_HOVERED_MESSAGE, 0));
    if (!message || !message->owner)
        return;
    message->timerArmed = 0;
    TEXTE* text = message->owner;
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    if (text->BranchIdAt(cursor) == message->branchId && KernGetMode(text->GetKernel()) == QX_MODE_PRESENTATION)
        message->Show();
}

POINT PointOf(const MSGL* msg)
{
    return POINT{static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
}

}  // namespace

int TEXTE::BranchIdAt(POINT point, RECT* lineRect)
{
    if (!document)
        return 0;
    int id = 0;
    RteRect character{point.y, point.x, point.y, point.x};
    EngineDo([&] {
        const RtePoint at{point.y, point.x};
        RteCharStyle style{};
        RteRange run{};
        const int32_t offset = RteCharAtPoint(document, &at, 0, &style, &run);
        if (offset >= 0 && offset < RteTextLength(document)) {
            id = style.value14;
            // The character's line, where the text stands now in the window.
            RteCaretRect(document, offset, true, true, &character);
        }
    });
    if (lineRect)
        *lineRect = RECT{character.left, character.top, character.right, character.bottom};
    return id;
}

void TEXTE::CloseHoveredMessage()
{
    if (hovered)
        hovered->Close();
    messageActive = 0;
}

void TEXTE::StartMessage(BRMSG* message)
{
    if (KernGetMode(kernel) != QX_MODE_PRESENTATION || message->delay != 0) {
        if (!message->timerArmed && window) {
            message->timerArmed = 1;
            SetTimer(window, QX_TEXT_HOVER_TIMER, static_cast<UINT>(message->delay) * 1000, HoverTimer);
        }
    } else {
        message->Show();
    }
}

void TEXTE::OnMouseMove(MSGL* msg)
{
    if (!document || KernGetMode(kernel) == QX_MODE_EDIT_BIT)
        return;
    const POINT point = PointOf(msg);
    RECT line{};
    const int index = BranchIndexOfId(this, BranchIdAt(point, &line));
    BRANCH* branch = index >= 0 ? GetBranch(index) : nullptr;
    if (!branch || (!branch->target.length() && !branch->sound.length())) {
        if (GetQORVEXXpointer(window, QX_KEY_HOVERED_MESSAGE, 0))
            CloseHoveredMessage();
        return;
    }
    KernSetHand(kernel);
    if (messageActive || index >= messages.Items())
        return;
    BRMSG* message = Message(index);
    hovered = message;
    messageActive = 1;
    message->owner = this;
    message->anchor = POINT{point.x, line.top};
    message->anchorHeight = line.bottom - line.top;
    auto* previous = static_cast<BRMSG*>(GetQORVEXXpointer(window, QX_KEY_HOVERED_MESSAGE, 0));
    if (previous) {
        KillTimer(window, QX_TEXT_HOVER_TIMER);
        previous->timerArmed = 0;
        ClearQORVEXXpointer(window, previous, QX_KEY_HOVERED_MESSAGE, 0);
    }
    SetQORVEXXpointer(window, QX_KEY_HOVERED_MESSAGE, message, 0);
    StartMessage(message);
}

void TEXTE::OnLeftButtonDown(MSGL* msg)
{
    if (!document || KernGetMode(kernel) == QX_MODE_EDIT_BIT)
        return;
    const int id = BranchIdAt(PointOf(msg));
    const int index = BranchIndexOfId(this, id);
    if (index < 0)
        return;
    BRANCH* branch = GetBranch(index);
    bool known = false;
    for (int i = 0; i < visited.Items() && !known; ++i)
        known = static_cast<STKBR*>(visited.GetItem(i))->branchId == id;
    if (!known) {
        visitedApplied = 1;
        if (branch->IsBranchingSomewhere() && branch->visited) {
            StyleVisitedRuns(id, true);
            InvalidateRect(window, nullptr, FALSE);
        }
    }
    if (branch->IsBranchingSomewhere()) {
        branch->source = window;
        KernSetBranch(kernel, branch);
    }
}
