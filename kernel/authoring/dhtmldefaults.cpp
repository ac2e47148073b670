// The page's default forward and back branches, as the run-time script of an exported page
// takes them for its own next and previous keys.
#include "dhtmlexport.h"

#include "../runtime/branch.h"
#include "../runtime/kernel.h"
#include "../runtime/objet.h"
#include "../runtime/recordio.h"

#include <cstring>

namespace {

// "name=" and the DHTML form of the page's first branch of that kind (an empty branch when
// it has none), as one script statement.
void WriteDefaultBranch(KERNEL* kernel, QXFILE file, const char* name, int kind, RECORDWRITER& out)
{
    const BRANCH* found = KernPageBranchOfKind(kernel, kind);
    const BRANCH none(kernel);
    const BRANCH& branch = found ? *found : none;
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
