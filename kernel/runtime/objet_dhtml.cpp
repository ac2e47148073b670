// The hover message in an exported page: the tooltip argument of the object's script line.
#include "objet.h"

#include "recordio.h"
#include "scripttext.h"

namespace {

// The script splits the text into lines at each backslash left raw: a line end becomes one
// (none after the last line), a carriage return a blank.
QXSTRING TooltipText(const QXSTRING& text)
{
    QXSTRING shown;
    const int length = text.length();
    const char* p = text;
    for (int i = 0; i < length; ++i) {
        if (p[i] == '\r')
            shown += ' ';
        else if (p[i] == '\n')
            shown += QXSTRING(i == length - 1 ? "" : "\\");
        else
            AppendScriptChar(shown, p[i]);
    }
    return shown;
}

}  // namespace

int OBJET::ExportTooltipToDHTML(QXFILE file)
{
    RECORDWRITER out(file);
    QXSTRING line("null");
    if (message && (message->text.length() > 0 || message->title.length() > 0)) {
        const QXSTRING sound = message->sound.length() > 0 ? ScriptFileName(kernel, message->sound, nullptr) : QXSTRING();
        QXSTRING soundArgument("null,");
        if (sound.length() > 0)
            soundArgument.Format("\"%s\",", static_cast<const char*>(sound));
        line.Format("new QXToolTip(\"%s\",%s%d)", static_cast<const char*>(TooltipText(message->text)),
                    static_cast<const char*>(soundArgument), message->delay);
    }
    out.Bytes(line, static_cast<size_t>(line.length()));
    return out.Ok() ? 1 : 0;
}
