// The statement that builds a text object in an exported page's script.
#include "text_files.h"

#include <cstdio>

#include "branch.h"
#include "effects.h"
#include "objgeometry.h"
#include "recordio.h"
#include "rte_html_export.h"
#include "scripttext.h"

namespace {

void Put(RECORDWRITER& out, const QXSTRING& text) { out.Bytes(text, static_cast<size_t>(text.length())); }

void WriteBranchList(OBJET* object, RECORDWRITER& out, QXFILE file)
{
    Put(out, "branchlist = new Array();\r\n");
    QXSTRING text;
    for (int i = 0; i < object->GetBranchItems(); ++i) {
        text.Format("branchlist[%d] = ", i);
        Put(out, text);
        if (!object->GetBranch(i)->ExportToDHTML(file))
            out.Fail();
        Put(out, ";\r\n");
    }
}

// The name goes where the HTML's anchors look for it.
QXSTRING ExportName(OBJET* object, int index)
{
    const QXSTRING name = DHTMLName(object, index);
    std::snprintf(object->tmpUserID, sizeof object->tmpUserID, "%s", static_cast<const char*>(name));
    return name;
}

// The HTML is written by the translator straight into the file at its position; a translator
// that cannot start leaves the string empty.
void WriteHtml(OBJET* object, RteHandle doc, RECORDWRITER& out, QXFILE file)
{
    Put(out, "\"");
    if (doc && out.Ok()) {
        QXHTMLExportFilter html(object, false, true, true);
        if (!ExportDocument(html, doc, file, FilePosition(file)))
            out.Fail();
    }
    Put(out, "\"");
}

}  // namespace

int WriteTextDHTML(OBJET* object, RteHandle doc, const TEXTDHTMLLOOK& look, QXFILE file, int index)
{
    RECORDWRITER out(file);
    WriteBranchList(object, out, file);
    const QXSTRING name = ExportName(object, index);
    const POINT at = PagePosition(object);
    char effect[QX_NAME_BUFFER] = "null";
    KernEffectId2FonctionName(object->effectId, effect);
    QXSTRING text;
    text.Format("QXObjects[objindex++] = QXText(\"%s\",%d,%d,%d,%d,%d,%s,branchlist,",
                static_cast<const char*>(ScriptString(name)), static_cast<int>(at.x), static_cast<int>(at.y), object->w,
                object->h, static_cast<int>(object->showDelay * 1000), effect);
    Put(out, text);
    if (!object->ExportTooltipToDHTML(file))
        out.Fail();
    Put(out, ",");
    if (object->userString[0])
        text.Format("\"%s\",", static_cast<const char*>(ScriptString(object->userString)));
    else
        text = "null,";
    Put(out, text);
    text.Format("%s\"#%02x%02x%02x\",%d,", look.transparent ? "false," : "true,", GetRValue(look.background),
                GetGValue(look.background), GetBValue(look.background), look.scrolls ? 1 : 0);
    Put(out, text);
    WriteHtml(object, doc, out, file);
    Put(out, ");\r\n");
    return out.Ok() ? 1 : 0;
}
