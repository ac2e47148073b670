// Finding an action of a file type, or an action name handed to the caller, by its name.
#include "qxfiletypes.h"

#include <cstring>

namespace {

// Index of the first node whose name equals `wanted` without regard to case; -1 when none.
template <class Node, class NameOf>
long IndexOfName(LIST& list, const char* wanted, NameOf nameOf)
{
    if (!wanted)
        return -1;
    for (long i = 0; i < list.Items(); ++i) {
        if (_stricmp(nameOf(static_cast<Node*>(list.GetItem(i))), wanted) == 0)
            return i;
    }
    return -1;
}

}  // namespace

long qutl_CRegFileTypeActionList::FindActionByName(const char* verb)
{
    return IndexOfName<qutl_CRegFileTypeAction>(*this, verb,
                                                [](qutl_CRegFileTypeAction* action) -> const char* { return action->name; });
}

long qutil_CActionList::FindAction(const char* name)
{
    return IndexOfName<QXStringNode>(*this, name, [](QXStringNode* node) -> const char* { return node->string; });
}
