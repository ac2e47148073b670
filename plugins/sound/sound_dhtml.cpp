// The sound's line in an exported page's script, and the sound file it publishes.
#include "sound.h"

#include "branch.h"
#include "exportnames.h"
#include "objgeometry.h"
#include "qxpath.h"
#include "recordio.h"
#include "scripttext.h"

int SOUND::ExportToDHTML(QXFILE file, int& index)
{
    RECORDWRITER out(file);
    QXSTRING text;
    text.Format("QXObjects[objindex++] = QXSound(\"%s\",%d,", (const char*)ScriptString(DHTMLName(this, index)),
                static_cast<int>(showDelay * 1000));
    out.Bytes(text, static_cast<size_t>(text.length()));
    if (!GetBranch(0) || !GetBranch(0)->ExportToDHTML(file))
        out.Fail();
    char published[QX_NAME_BUFFER] = "";
    const int result = KernGetExportName(kernel, fileName, published);
    if (result != QX_EXPORT_UNKNOWN && result != QX_EXPORT_DONE) {
        QXCreateFilePath(published);
        fcopyWithSameDate(fileName, published);
    }
    // The user string is script on purpose: it is written as it is.
    text.Format(",%s,\"%s\",%d,%d);\r\n", userString[0] ? userString : "null",
                published[0] ? (const char*)DHTMLFileName(kernel, published) : "", loop, iterations);
    out.Bytes(text, static_cast<size_t>(text.length()));
    return out.Ok() ? 1 : 0;
}
