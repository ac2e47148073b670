// The text object's own entry points to its files: its TQX file written from its document and
// defaults, the editor's file choosers and export, and the visited look around writing.
#include "text_files.h"

#include "texte.h"
#include "text_files_res.h"

namespace {

TEXTFILETRAILER TrailerOf(const TEXTE* text)
{
    const TEXTPROPERTIES& properties = text->defaults.properties;
    TEXTFILETRAILER trailer;
    trailer.margins = properties.margins;
    trailer.font = properties.font;
    trailer.fontColour = properties.fontColour;
    trailer.textBackground = properties.textBackground;
    trailer.branchColour = text->defaults.branchStyles.tooltip.background;
    return trailer;
}

// The window the editor works in: the edit control's frame for an editing copy.
HWND EditorWindow(const TEXTE* text) { return text->editControl ? GetParent(text->editControl) : text->window; }

}  // namespace

int WriteTextFile(TEXTE* text, const char* path)
{
    RteHandle doc = text->ActiveDocument();
    if (!doc)
        return 0;
    if (WriteTextDocument(doc, TrailerOf(text), path))
        return 1;
    ShowTextFileBox(EditorWindow(text), IDS_TEXTFILE_NOT_CREATED);
    return 0;
}

int ChooseImportFile(TEXTE* text, OPENFILENAMEA* request)
{
    QXSTRING local;
    if (ChooseTextFile(text->GetKernel(), EditorWindow(text), request, IDS_TEXTFILE_IMPORT_FILTER, &local, &text->format))
        return 1;
    // The import reads the fetched copy.
    lstrcpynA(request->lpstrFile, local, static_cast<int>(request->nMaxFile));
    return 0;
}

int ChooseDisplayFile(TEXTE* text, OPENFILENAMEA* request)
{
    QXSTRING local;
    return ChooseTextFile(text->GetKernel(), EditorWindow(text), request, IDS_TEXTFILE_DISPLAY_FILTER, &local,
                          &text->format);
}

int ExportTextFile(TEXTE* text, OPENFILENAMEA* request)
{
    RteHandle doc = text->ActiveDocument();
    return doc ? ExportWithDialog(EditorWindow(text), request, doc, text, TrailerOf(text)) : 0;
}

int ReadTextFileTrailer(QXFILE file, TEXTE* text)
{
    TEXTFILETRAILER trailer = TrailerOf(text);
    if (!ReadTextTrailer(file, &trailer))
        return 0;
    TEXTPROPERTIES& properties = text->defaults.properties;
    properties.margins = trailer.margins;
    properties.font = trailer.font;
    properties.fontColour = trailer.fontColour;
    properties.textBackground = trailer.textBackground;
    return 1;
}
