// BRANCH: construction, deep copies, the flat clipboard form and the test whether a branch
// leads anywhere.
#include "branch.h"

#include "textfield.h"

BRANCH::BRANCH(KERNEL* kernel)
    : kernel(kernel), windowState(SW_SHOWNORMAL), execMode(QX_EXEC_INDEPENDENT), delay(0.0), visited(0),
      pluginMark(0), source(nullptr), gadget(nullptr), slideShowMark(0), defaultCode(0), code(0),
      kind(QX_BRANCH_ORDINARY)
{
}

BRANCH::~BRANCH()
{
    delete gadget;
    codeBranches.Clear();
}

void BRANCH::SetFilename(const char* name) { target = name ? name : ""; }

void BRANCH::GetFilename(char* buffer, int size) const
{
    if (buffer && size > 0)
        lstrcpynA(buffer, target, size);
}

void BRANCH::CopyCommon(const BRANCH& other)
{
    kernel = other.kernel;
    target = other.target;
    secondText = other.secondText;
    windowState = other.windowState;
    execMode = other.execMode;
    delay = other.delay;
    visited = other.visited;
    dll = other.dll;
    function = other.function;
    sound = other.sound;
    pluginMark = other.pluginMark;
    parameter = other.parameter;
    source = other.source;
    delete gadget;
    gadget = other.gadget ? other.gadget->Clone() : nullptr;
    defaultCode = other.defaultCode;
    code = other.code;
    kind = other.kind;
    codeBranches.Clear();
    auto& others = const_cast<HUGELIST&>(other.codeBranches);
    for (int i = 0; i < others.Items(); ++i) {
        BRANCH* copy = new BRANCH(kernel);
        if (!copy)
            break;
        *copy = *static_cast<BRANCH*>(others.GetItem(i));
        codeBranches.AddTail(copy);
    }
}

void BRANCH::CopyBranch(const BRANCH* other)
{
    if (other && other != this)
        CopyCommon(*other);
}

BRANCH& BRANCH::operator=(const BRANCH& other)
{
    if (&other != this) {
        CopyCommon(other);
        slideShowMark = other.slideShowMark;
    }
    return *this;
}

int BRANCH::IsBranchingSomewhere() const
{
    return target.length() > 0 || (dll.length() > 0 && function.length() > 0) || sound.length() > 0 ||
           (gadget && gadget->id != 0) || parameter.length() > 0 || kind != QX_BRANCH_ORDINARY;
}

void BRANCHGADGETCLIPBOARD::CopyBranch(const BRANCH* branch)
{
    if (!branch)
        return;
    CopyField(target, branch->target);
    CopyField(secondText, branch->secondText);
    windowState = branch->windowState;
    execMode = branch->execMode;
    delay = branch->delay;
    visited = branch->visited;
    CopyField(dll, branch->dll);
    CopyField(function, branch->function);
    CopyField(sound, branch->sound);
    pluginMark = branch->pluginMark;
    CopyField(parameter, branch->parameter);
    gadget.kernel = branch->gadget ? branch->gadget->kernel : nullptr;
    gadget.id = branch->gadget ? branch->gadget->id : 0;
    CopyField(gadget.label, branch->gadget ? branch->gadget->label : "");
    CopyField(gadget.function, branch->gadget ? branch->gadget->function : "");
    gadget.bound = branch->gadget ? branch->gadget->bound : nullptr;
    defaultCode = branch->defaultCode;
    code = branch->code;
    kind = branch->kind;
}

void BRANCH::CopyBranchClipboard(const BRANCHGADGETCLIPBOARD* flat)
{
    if (!flat)
        return;
    target = flat->target;
    secondText = flat->secondText;
    windowState = flat->windowState;
    execMode = flat->execMode;
    delay = flat->delay;
    visited = flat->visited;
    dll = flat->dll;
    function = flat->function;
    sound = flat->sound;
    pluginMark = flat->pluginMark;
    parameter = flat->parameter;
    delete gadget;
    gadget = flat->gadget.id != 0 ? flat->gadget.Clone() : nullptr;
    defaultCode = flat->defaultCode;
    code = flat->code;
    kind = flat->kind;
    codeBranches.Clear();
}
