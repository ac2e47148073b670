// The page's default forward and back branches, as the run-time script of an exported page
// takes them for its own next and previous keys.
#include "dhtmlexport.h"

#include "../runtime/branch.h"
#include "../runtime/kernel.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"
#include "../runtime/recordio.h"

#include <cstring>

namespace {

struct DefaultBranchSearch {
    int kind;
    const BRANCH* found;
};

int FindDefaultBranch(KERNEL*, OBJET* object, void* data)
{
    auto* search = static_cast<DefaultBranchSearch*>(data);
    for (int i = 0; i < object->GetBranchItems(); ++i) {
        const BRANCH* branch = object->GetBranch(i);
        if (branch && branch->kind == search->kind) {
            search->found = branch;
            return 1;
        }
    }
    return 0;
}

// "name=" and the DHTML form of the page's first branch of that kind (an empty branch when
// it has none), as one script statement.
void WriteDefaultBranch(KERNEL* kernel, QXFILE file, const char* name, int kind, RECORDWRITER& out)
{
    DefaultBranchSearch search = {kind, nullptr};
    KernTraverseTree(kernel, KernGetTopObjet(kernel), FindDefaultBranch, nullptr, &search, QX_WALK_FIRST_TO_LAST);
    const BRANCH none(kernel);
    const BRANCH& branch = search.found ? *search.found : none;
    out.Bytes(name, std::strlen(name));
    if (out.Ok() && !branch.ExportToDHTML(file))
        out.Fail();
    out.Line(";");
}

}  // namespace

int KernSaveSpecialLinkDHTML(KERNEL* kernel, QXFILE file)
{
    if (!kernel || !file)
        return 0;
    RECORDWRITER out(file);
    WriteDefaultBranch(kernel, file, "branchGadget8Next=", QX_BRANCH_DEFAULT_FORWARD, out);
    WriteDefaultBranch(kernel, file, "branchGadget9Back=", QX_BRANCH_DEFAULT_BACK, out);
    return out.Ok() ? 1 : 0;
}
