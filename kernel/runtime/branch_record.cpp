// The file forms of a branch: the eleven-line record, and the "BR [" tree that carries the
// return-code branches of a dependent program.
#include "branch.h"

#include "filefind.h"
#include "kernel.h"
#include "qxfile.h"
#include "recordio.h"
#include "../authoring/paths.h"

#include <cstdlib>
#include <cstring>

namespace {

// Pages written before this version carry no kind line in their "BR [" trees.
constexpr const char* FirstVersionWithKind = "3.0.2.0";

const char* OrEmpty(const char* line) { return IsNullText(line) ? "" : line; }

bool HasExeExtension(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    return dot && lstrcmpiA(dot, ".EXE") == 0;
}

// Reads the target line: a built-in action by its number, or a file looked for where it lies.
void ReadTarget(BRANCH* branch, const char* line, int oldPage)
{
    KERNEL* kernel = branch->kernel;
    delete branch->gadget;
    branch->gadget = nullptr;
    branch->target = "";
    if (IsNullText(line))
        return;
    const size_t prefix = std::strlen(QX_GADGET_PREFIX);
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line, static_cast<int>(prefix), QX_GADGET_PREFIX,
                       static_cast<int>(prefix)) == CSTR_EQUAL) {
        const GADGET* action = KernFindGadget(kernel, std::atoi(line + prefix));
        if (action) {
            branch->gadget = action->Clone();
            branch->target = QXSTRING(QX_GADGET_PREFIX) + action->label;
        }
        return;
    }
    branch->target = line;
    if (!HasExeExtension(line)) {
        KernLocateNamedFile(kernel, &branch->target, oldPage, 1);
        return;
    }
    // A program is looked for only by the search of the oldest pages.
    KernFileToAbsolutePathStr(kernel, branch->target, &branch->target);
    if (oldPage)
        KernFindFileOldStr(kernel, &branch->target, 1, 1);
}

void ReadFile(BRANCH* branch, QXSTRING* file, const char* line, int oldPage)
{
    *file = OrEmpty(line);
    if (file->length() > 0)
        KernLocateNamedFile(branch->kernel, file, oldPage, 1);
}

QXSTRING Relative(KERNEL* kernel, const QXSTRING& name)
{
    QXSTRING relative;
    KernFileToRelatifPathStr(kernel, name, &relative);
    return relative;
}

}  // namespace

int BRANCH::Save(QXFILE file) const
{
    RECORDWRITER out(file);
    if (gadget && gadget->id != 0)
        out.Format("%s%d", QX_GADGET_PREFIX, gadget->id);
    else
        out.Text(Relative(kernel, target));
    out.Text(secondText);
    out.Int(windowState);
    out.Int(execMode);
    out.Format("%5.1lf", delay);
    out.Int(visited);
    out.Int(pluginMark);
    out.Text(Relative(kernel, sound));
    out.Text(Relative(kernel, dll));
    out.Text(function);
    out.Text(parameter);
    return out.Ok() ? 1 : 0;
}

int BRANCH::SaveEx(QXFILE file) const
{
    RECORDWRITER out(file);
    out.Line("BR [");
    out.Int(codeBranches.Items());
    if (out.Ok() && !Save(file))
        out.Fail();
    if (defaultCode)
        out.Line("NULL");
    else
        out.Format("%u", code);
    out.Int(kind);
    out.Line("]");
    auto& children = const_cast<HUGELIST&>(codeBranches);
    for (int i = 0; i < children.Items() && out.Ok(); ++i) {
        if (!static_cast<BRANCH*>(children.GetItem(i))->SaveEx(file))
            out.Fail();
    }
    return out.Ok() ? 1 : 0;
}

int BRANCH::Load(QXFILE file, int oldPage)
{
    char line[QX_RECORD_LINE];
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    ReadTarget(this, line, oldPage);
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    secondText = OrEmpty(line);
    if (!Load1Int(file, &windowState) || !Load1Int(file, &execMode) || !Load1Double(file, &delay) ||
        !Load1Int(file, &visited) || !Load1Int(file, &pluginMark))
        return 0;
    delay = QxBoundedDelay(delay);
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    ReadFile(this, &sound, line, oldPage);
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    ReadFile(this, &dll, line, oldPage);
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    function = OrEmpty(line);
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    parameter = OrEmpty(line);
    return 1;
}

int BRANCH::LoadEx(QXFILE file, int oldPage) { return LoadEx(file, oldPage, 0); }

int BRANCH::LoadEx(QXFILE file, int oldPage, int depth)
{
    // A crafted file could nest trees until the stack runs out.
    if (depth >= QX_MAX_BRANCH_DEPTH)
        return 0;
    char line[QX_RECORD_LINE];
    int count;
    if (!ReadTrimmedLine(file, line, sizeof line) || std::strcmp(line, "BR [") != 0 || !ReadIntLine(file, &count))
        return 0;
    if (!Load(file, oldPage) || !ReadTrimmedLine(file, line, sizeof line))
        return 0;
    defaultCode = IsNullText(line) ? 1 : 0;
    code = defaultCode ? 0 : static_cast<unsigned int>(std::strtoul(line, nullptr, 10));
    if (static_cast<unsigned long>(KernGetCurPageVersion(kernel)) >= KernFormatVersionStringAsDWORD(FirstVersionWithKind)) {
        if (!ReadIntLine(file, &kind))
            return 0;
    } else {
        kind = QX_BRANCH_ORDINARY;
    }
    do {
        if (!ReadTrimmedLine(file, line, sizeof line))
            return 0;
    } while (std::strcmp(line, "]") != 0);
    for (int i = 0; i < count; ++i) {
        const bool existing = i < codeBranches.Items();
        BRANCH* branch = existing ? GetCodeBranch(i) : new BRANCH(kernel);
        if (!branch)
            return 0;
        if (!branch->LoadEx(file, oldPage, depth + 1)) {
            if (!existing)
                delete branch;
            return 0;
        }
        if (!existing)
            codeBranches.AddTail(branch);
    }
    return 1;
}
