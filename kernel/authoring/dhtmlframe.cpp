// The HTML file of an exported page: head lines, the script block that declares the page's
// objects to the run-time script, and the walk that lets each object write its own lines.
#include "dhtmlexport.h"

#include "../runtime/kernel.h"
#include "../runtime/kerntree.h"
#include "../runtime/objet.h"
#include "../runtime/recordio.h"
#include "../runtime/scripttext.h"
#include "paths.h"

#include <string>

namespace {

const std::string commentLine = "//" + std::string(93, '-');

// Names in the page are relative to it, with forward slashes.
QXSTRING HtmlRelative(KERNEL* kernel, const char* name)
{
    char relative[QX_NAME_BUFFER] = "";
    KernFileToRelatifPathHtml(kernel, name, relative);
    return QXSTRING(relative);
}

QXSTRING BodyLine(KERNEL* kernel)
{
    const COLORREF colour = kernel->dhtmlBackColour;
    QXSTRING line;
    line.Format("<body onload=\"QXObjectAnimate(QXObjects)\" bgcolor=\"#%02x%02x%02x\"", GetRValue(colour),
                GetGValue(colour), GetBValue(colour));
    if (kernel->dhtmlBackground.length() > 0)
        line += QXSTRING(" background=\"") + HtmlRelative(kernel, kernel->dhtmlBackground) + "\"";
    return line + ">";
}

void WriteHead(KERNEL* kernel, RECORDWRITER& out)
{
    out.Line("<html>");
    out.Line(BodyLine(kernel));
    out.Line("<meta name=\"description\" content=\"Page publiée avec Vistrelle 4.0\">");
    out.Line("<meta name=\"keywords\" content=\"Vistrelle, Qorvex, DHTML, multimédia\">");
    out.Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">");
    out.Line("");
    const QXSTRING script = HtmlRelative(kernel, kernel->dhtmlDestPath + QX_DHTML_SCRIPT);
    out.Line(QXSTRING("<script src=\"") + script + "\"></script>");
    out.Line("<script>");
    out.Line("");
    out.Line("var QXObjects = new Array();");
    out.Line("");
    // A home page written raw would let its backslashes and quotes change the script.
    const QXSTRING home =
        kernel->dhtmlHomePage.length() > 0 ? ScriptString(HtmlRelative(kernel, kernel->dhtmlHomePage)) : QXSTRING();
    out.Line(QXSTRING("var pub_home = \"") + home + "\"");
    out.Line("var objindex=0;");
    out.Line(commentLine.c_str());
    out.Line("if(isValideBrowser()) {");
    out.Line("InitResources();");
}

void WriteTail(RECORDWRITER& out)
{
    out.Line("}");
    out.Line(commentLine.c_str());
    out.Line("</script>");
    out.Line("</body>");
    out.Line("</html>");
}

}  // namespace

int KernSaveTreeDHTML(KERNEL* kernel, OBJET* object, QXFILE file, int* counter)
{
    if (!kernel || !object || !counter)
        return 0;
    int index = (*counter)++;
    int result = object->ExportToDHTML(file, index);
    bool allWritten = result != 0;
    for (int i = 0; i < object->GetChildItems(); ++i) {
        result = KernSaveTreeDHTML(kernel, object->GetChild(i), file, counter);
        allWritten = allWritten && result != 0;
    }
    // An object that failed earlier in the walk must not be hidden by the last one's success.
    return allWritten ? result : 0;
}

// The names in the file are relative to the active page, which the host or the single-page
// export sets; the page name given here takes no part in the frame.
int KernSaveDHTML(KERNEL* kernel, QXFILE file, const char*)
{
    OBJET* top = KernGetTopObjet(kernel);
    if (!top || !file)
        return 0;
    RECORDWRITER out(file);
    WriteHead(kernel, out);
    int counter = 0;
    if (out.Ok() && !KernSaveTreeDHTML(kernel, top, file, &counter))
        out.Fail();
    WriteTail(out);
    return out.Ok() ? 1 : 0;
}
