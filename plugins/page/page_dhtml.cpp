// The page's line in an exported page's script.
#include "page.h"

#include "branch.h"
#include "effects.h"
#include "objgeometry.h"
#include "recordio.h"
#include "scripttext.h"

#include <cstring>

int PAGE::ExportToDHTML(QXFILE file, int& index)
{
    const POINT at = PagePosition(this);
    char effect[QX_NAME_BUFFER] = "null";
    KernEffectId2FonctionName(effectId, effect);
    RECORDWRITER out(file);
    QXSTRING text;
    text.Format("QXObjects[objindex++] = QXPage(\"%s\",%d,%d,%d,%d,%s,",
                (const char*)ScriptString(DHTMLName(this, index)), static_cast<int>(at.x), static_cast<int>(at.y), w,
                h, effect);
    out.Bytes(text, static_cast<size_t>(text.length()));
    if (!ClickBranch() || !ClickBranch()->ExportToDHTML(file))
        out.Fail();
    // The user string is script on purpose: it is written as it is.
    text.Format(",%s,\"#%02x%02x%02x\",\"\");\r\n", userString[0] ? userString : "null", red & 0xFF, green & 0xFF,
                blue & 0xFF);
    out.Bytes(text, static_cast<size_t>(text.length()));
    return out.Ok() ? 1 : 0;
}
