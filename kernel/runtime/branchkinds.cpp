// Finding a branch by its kind: a page has at most one default forward and one default back
// branch, which navigation takes, the DHTML export writes and the editors keep single.
#include "branch.h"

#include "kernel.h"
#include "kerntree.h"
#include "objet.h"

namespace {

struct KINDSEARCH {
    int kind;
    const BRANCH* except;
    BRANCH* found;
};

int FindInObject(KERNEL*, OBJET* object, void* data)
{
    auto* search = static_cast<KINDSEARCH*>(data);
    search->found = KernBranchOfKind(object, search->kind, search->except);
    return search->found != nullptr;
}

}  // namespace

BRANCH* KernBranchOfKind(OBJET* object, int kind, const BRANCH* except)
{
    if (!object)
        return nullptr;
    for (int i = 0; i < object->GetBranchItems(); ++i) {
        BRANCH* branch = object->GetBranch(i);
        if (branch && branch != except && branch->kind == kind)
            return branch;
    }
    return nullptr;
}

BRANCH* KernPageBranchOfKind(KERNEL* kernel, int kind, const BRANCH* except)
{
    KINDSEARCH search{kind, except, nullptr};
    KernTraverseTree(kernel, KernGetTopObjet(kernel), FindInObject, nullptr, &search, QX_WALK_FIRST_TO_LAST);
    return search.found;
}
