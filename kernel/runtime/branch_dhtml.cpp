// The form of a branch in an exported page: "null", or the arguments of a QXBranch.
#include "branch.h"

#include "qxpath.h"
#include "recordio.h"
#include "scripttext.h"

namespace {

QXSTRING TargetArgument(const BRANCH& branch)
{
    QXSTRING argument("\"\",");
    if (branch.gadget && branch.gadget->id != 0) {
        argument.Format("\"%s%d\",", QX_GADGET_PREFIX, branch.gadget->id);
    } else if (branch.target.length() > 0) {
        const int kind = GetFileLocationStr(branch.target, nullptr, nullptr);
        const QXSTRING name = kind == QX_LOCATION_FTP || kind == QX_LOCATION_HTTP
                                  ? ScriptString(branch.target)
                                  : ScriptFileName(branch.kernel, branch.target, ".html");
        argument.Format("\"%s\",", static_cast<const char*>(name));
    }
    return argument;
}

}  // namespace

int BRANCH::ExportToDHTML(QXFILE file) const
{
    QXSTRING line("null");
    if (IsBranchingSomewhere()) {
        const QXSTRING soundName = sound.length() > 0 ? ScriptFileName(kernel, sound, nullptr) : QXSTRING();
        QXSTRING soundArgument("null,");
        if (soundName.length() > 0)
            soundArgument.Format("\"%s\",", static_cast<const char*>(soundName));
        // The parameter is script text of the author's, written as it is.
        line.Format("new QXBranch(\"%d\",%s%s%.1lf,null,%s)", pluginMark,
                    static_cast<const char*>(TargetArgument(*this)), static_cast<const char*>(soundArgument), delay,
                    parameter.length() > 0 ? static_cast<const char*>(parameter) : "null");
    }
    RECORDWRITER out(file);
    out.Bytes(line, static_cast<size_t>(line.length()));
    return out.Ok() ? 1 : 0;
}
