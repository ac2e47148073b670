// Writing the common block of an object record: names, hover message, transition effect,
// show delay, the fonts the object needs and its branches. A plug-in writes its own block
// right after it.
#include "objet.h"

#include "branch.h"
#include "effects.h"
#include "kernel.h"
#include "recordio.h"
#include "../authoring/paths.h"

namespace {

void WriteMessage(RECORDWRITER& out, KERNEL* kernel, const MESSOBJ* message, int sizeMode)
{
    if (!message) {
        out.Line("NULL");
        out.Line("0");
        out.Line("NULL");
        out.Line("0");
        out.Line("NULL");
        out.Int(sizeMode);
        out.Line("20 0 0 0 400 0 0 0 0 3 2 0 34");
        out.Line("System");
        out.Line("0 0 0");
        out.Line("192 192 192");
        return;
    }
    out.Text(message->title);
    // The text goes by its byte count, so that it may hold line ends of its own.
    const int length = message->text.length();
    out.Int(length);
    if (length > 0) {
        out.Bytes(message->text, static_cast<size_t>(length));
        out.Bytes("\r\n", 2);
    } else {
        out.Line("NULL");
    }
    out.Int(message->delay);
    QXSTRING sound;
    KernFileToRelatifPathStr(kernel, message->sound, &sound);
    out.Text(sound);
    out.Int(sizeMode);
    const LOGFONTA& f = message->font;
    out.Format("%d %d %d %d %d %d %d %d %d %d %d %d %d", static_cast<int>(f.lfHeight), static_cast<int>(f.lfWidth),
               static_cast<int>(f.lfEscapement), static_cast<int>(f.lfOrientation), static_cast<int>(f.lfWeight),
               f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision,
               f.lfQuality, f.lfPitchAndFamily);
    out.Line(f.lfFaceName);
    out.Format("%d %d %d", message->textColour.red, message->textColour.green, message->textColour.blue);
    out.Format("%d %d %d", message->backColour.red, message->backColour.green, message->backColour.blue);
}

// The fonts are gathered afresh at each save; a template and an undo snapshot carry none.
void WriteFonts(RECORDWRITER& out, QXFILE file, OBJET* object)
{
    KERNEL* kernel = object->kernel;
    FONTS_LIST fonts;
    if (!kernel->templateSave && !kernel->undoSave)
        object->GetFonts(&fonts);
    out.Line("FONTS [");
    out.Int(fonts.Items());
    for (int i = 0; i < fonts.Items(); ++i) {
        FONTS* font = fonts.GetFont(i);
        QXSTRING stored;
        KernGetFontDosNameStr(kernel, font->logName, &stored);
        QXSTRING relative;
        KernFileToRelatifPathStr(kernel, stored, &relative);
        font->SetDosName(relative);
        if (out.Ok() && !font->Save(file))
            out.Fail();
    }
    out.Line("]");
}

// Branches always take the current form: the old form belongs to versions below "22".
void WriteBranches(RECORDWRITER& out, QXFILE file, OBJET* object, int withBranches)
{
    out.Line("BRANCH {");
    out.Line("0");
    out.Line("BRANCHEX [");
    const int count = withBranches ? object->GetBranchItems() : 0;
    out.Int(count);
    for (int i = 0; i < count && out.Ok(); ++i) {
        if (!object->GetBranch(i)->SaveEx(file))
            out.Fail();
    }
    out.Line("]");
    out.Line("}");
}

}  // namespace

int OBJET::Save(QXFILE file, int&, int withBranches)
{
    RECORDWRITER out(file);
    out.Line(QX_RECORD_SEPARATOR);
    out.Line("OBJET {");
    QXSTRING moduleLine;
    KernFileToRelatifPathStr(kernel, moduleName, &moduleLine);
    out.Line(moduleLine.length() > 0 ? static_cast<const char*>(moduleLine) : " ");
    out.Int(children.Items());
    out.Text(userID);
    out.Text(userString);
    WriteMessage(out, kernel, message, sizeMode);

    KernEffectId2DllIdStr(effectId, &effectModule, &effectIndex);
    out.Int(effectIndex);
    out.Text(effectModule);
    out.Format("%5.1lf", showDelay);
    WriteFonts(out, file, this);
    out.Line("}");
    WriteBranches(out, file, this, withBranches);
    return out.Ok() ? 1 : 0;
}
