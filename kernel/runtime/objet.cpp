// OBJET: construction and destruction, the tree, the branch list, names and the default
// virtual operations that need nothing of the rest of the kernel.
#include "objet.h"

#include "branch.h"
#include "filefetch.h"
#include "kernel.h"
#include "kerntree.h"
#include "qxutil.h"
#include "textfield.h"
#include "../authoring/undo.h"

#include <cstring>

namespace {

// A changed tree leaves the kernel's rectangles of the enclosing objects out of date.
void TreeChanged(KERNEL* kernel)
{
    if (kernel)
        ++kernel->treeChanges;
}

}  // namespace

OBJET::OBJET(KERNEL* kernel, HINSTANCE module)
{
    // Every member not set here starts at 0.
    this->kernel = kernel;
    this->module = module;
    CopyField(objetName, "Objet pur");
    beParent = 1;
    sizeMode = 1;
    defWidth = 75;
    defHeight = 75;
    paintThrough = 1;
    delayPending = 1;
    closeOnLeave = 1;
    effectPending = 1;
}

OBJET::~OBJET()
{
    TreeChanged(kernel);
    ReleaseMsgTimer();
    ReleaseMessage();
    delete message;
    message = nullptr;
    while (children.Items() > 0) {
        OBJET* child = GetChild(0);
        children.Remove(child);
        child->parent = nullptr;
        KillObjet(child);
    }
    branches.Clear();
}

void OBJET::SetDLLName(const char* name) { CopyField(moduleName, name); }

void OBJET::SetUserString(const char* text) { CopyField(userString, text); }

// An object in the list always names this object as its parent (a copy may name it
// without being in the list): the list, long on a page of many objects, is searched only then.
bool OBJET::HasChild(OBJET* child)
{
    return child->parent == this && children.InList(child);
}

void OBJET::AddChild(OBJET* child)
{
    if (!child || HasChild(child))
        return;
    children.AddTail(child);
    child->parent = this;
    TreeChanged(kernel);
}

void OBJET::InsertChild(OBJET* child, int index)
{
    if (!child || HasChild(child))
        return;
    if (index >= 0 && index < children.Items())
        children.InsertBefore(children.GetItem(index), child);
    else
        children.AddTail(child);
    child->parent = this;
    TreeChanged(kernel);
}

void OBJET::RemoveChild(OBJET* child)
{
    if (!child || !HasChild(child))
        return;
    children.Remove(child);
    child->parent = nullptr;
    TreeChanged(kernel);
}

std::vector<OBJET*> OBJET::Children()
{
    std::vector<OBJET*> taken;
    taken.reserve(static_cast<size_t>(children.Items()));
    for (HUGELNODE* child = children.GetItem(0); child; child = child->next)
        taken.push_back(static_cast<OBJET*>(child));
    return taken;
}

int OBJET::FindPos()
{
    if (!parent)
        return -1;
    for (int i = 0; i < parent->children.Items(); ++i) {
        if (parent->GetChild(i) == this)
            return i;
    }
    return -1;
}

HWND OBJET::FindHwnd(int index)
{
    if (!parent || index < 0 || index >= parent->children.Items())
        return nullptr;
    return parent->GetChild(index)->window;
}

BRANCH* OBJET::GetBranch(int index) { return static_cast<BRANCH*>(branches.GetItem(index)); }

void OBJET::AddBranch(BRANCH* branch)
{
    if (branch)
        branches.AddTail(branch);
}

BRANCH* OBJET::RemoveBranch(int index)
{
    BRANCH* branch = GetBranch(index);
    if (branch)
        branches.Remove(branch);
    return branch;
}

void OBJET::SetInvisibility(int invisible) { visibility = (visibility & ~0xFF) | (invisible & 0xFF); }

int OBJET::Invisibility() const
{
    if (visibility & QX_VISIBILITY_WAITING)
        return 1;
    return visibility & 0xFF;
}

int OBJET::In(int px, int py) const { return px >= 0 && px < w && py >= 0 && py < h; }

void OBJET::SetBeParent(int on)
{
    beParent = on;
    if (on)
        return;
    // Children of an object that may no longer hold any go to whatever encloses them now.
    while (children.Items() > 0) {
        OBJET* child = GetChild(0);
        OBJET* encloser = KernLocateParent(kernel, child);
        if (!encloser || encloser == this)
            break;
        KernLinkParentChild(encloser, child, 0);
    }
}

void OBJET::SetXYWH(int newX, int newY, int newW, int newH)
{
    x = newX;
    y = newY;
    w = newW;
    h = newH;
}

int OBJET::isBaseObject() { return 0; }

LRESULT OBJET::WindowsMessage(MSGL*) { return 1; }

int OBJET::SetProperties(long id, const char* value) { return id < 1000 && value ? 1 : 0; }

int OBJET::GetProperties(long id, int size, char* buffer)
{
    if (id >= 1000 || !buffer || size < 1)
        return 0;
    buffer[0] = '\0';
    return 1;
}

void OBJET::Select()
{
    KernUndoPush(kernel, new UNDO_SELUNSEL(this));
    if (window) {
        SetWindowLongPtrA(window, GWL_STYLE, 0x54000000 | WS_THICKFRAME);
        const int frameX = _GetSystemMetrics(SM_CXFRAME);
        const int frameY = _GetSystemMetrics(SM_CYFRAME);
        SetWindowPos(window, nullptr, x - frameX, y - frameY, w + 2 * frameX, h + 2 * frameY,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    }
    selected = 1;
}

void OBJET::UnSelect()
{
    KernUndoPush(kernel, new UNDO_SELUNSEL(this));
    selected = 0;
    if (window) {
        SetWindowLongPtrA(window, GWL_STYLE, 0x54000000);
        SetWindowPos(window, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        UpdateWindow(window);
    }
}

int OBJET::Modify() { return 0; }
int OBJET::IsStdClipFormatAvailable() { return 0; }
void OBJET::CopyToClipboard(char*) {}
int OBJET::PasteFromClipboard(char*) { return 1; }
int OBJET::ExportToDHTML(QXFILE, int&) { return 1; }
void OBJET::AfficherInfos() {}

OBJET& OBJET::operator=(const OBJET& other)
{
    if (this == &other)
        return *this;
    std::memcpy(moduleName, other.moduleName, sizeof moduleName);
    selected = other.selected;
    std::memcpy(userID, other.userID, sizeof userID);
    module = other.module;
    std::memcpy(userString, other.userString, sizeof userString);
    window = other.window;
    modeless = other.modeless;
    SetXYWH(other.x, other.y, other.w, other.h);
    beParent = other.beParent;
    if (other.message) {
        if (!message)
            message = new MESSOBJ;
        if (message) {
            message->text = other.message->text;
            message->title = other.message->title;
            message->sound = other.message->sound;
            message->delay = other.message->delay;
            message->font = other.message->font;
            message->textColour = other.message->textColour;
            message->backColour = other.message->backColour;
        }
    }
    sizeMode = other.sizeMode;
    sizeChoice = other.sizeChoice;
    loaded = other.loaded;
    defX = other.defX;
    defY = other.defY;
    defWidth = other.defWidth;
    defHeight = other.defHeight;
    ux = other.ux;
    uy = other.uy;
    uw = other.uw;
    uh = other.uh;
    showDelay = other.showDelay;
    effectId = other.effectId;
    branches.Clear();
    for (int i = 0; i < other.branches.Items(); ++i) {
        BRANCH* copy = new BRANCH(kernel);
        if (!copy)
            break;
        copy->CopyBranch(static_cast<BRANCH*>(const_cast<HUGELIST&>(other.branches).GetItem(i)));
        branches.AddTail(copy);
    }
    return *this;
}

void KillObjet(OBJET* object)
{
    if (!object)
        return;
    KERNEL* kernel = object->kernel;
    if (kernel) {
        KernRemoveFtpProcess(kernel, object);
        if (kernel->hovered == object)
            kernel->hovered = nullptr;
    }
    const HINSTANCE module = object->module;
    if (object->parent)
        object->parent->RemoveChild(object);
    delete object;
    // Every object read from a page holds one reference on its plug-in module.
    if (module)
        FreeLibrary(module);
}
