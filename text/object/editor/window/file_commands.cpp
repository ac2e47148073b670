// The palette's file commands. An imported file replaces the text in the editor and becomes
// the text's own; a shown file stays the author's file beside the publication (an external
// text, which the editor lets the author give branches only); an export writes the edited text
// into a file of the author's choice.
#include "file_commands.h"

#include "dialog_support.h"
#include "editwindow_res.h"
#include "rte_editing.h"
#include "rte_selection.h"
#include "text_document.h"
#include "text_files.h"
#include "tools_window.h"

#include <cstring>

namespace {

struct FILEREQUEST {
    FILEREQUEST(HWND owner, const char* initial)
    {
        lstrcpynA(name, initial ? initial : "", sizeof name);
        record.lStructSize = sizeof record;
        record.hwndOwner = owner;
        record.lpstrFile = name;
        record.nMaxFile = sizeof name;
        record.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
    }
    char name[500];
    OPENFILENAMEA record{};
};

int32_t TextLength(EDITSESSION* session)
{
    int32_t length = 0;
    EngineDo([&] { length = RteTextLength(session->document); });
    return length;
}

// The text in the editor goes: the file read next takes its place. The steps recorded refer
// to the text that went, so Undo has nothing left to undo.
void EmptyEditor(EDITSESSION* session)
{
    EndTypingRun(&session->undo);
    ClearUndoList(&session->undo.steps);
    EnableMenuItem(session->menuBar, CMD_UNDO, MF_BYCOMMAND | MF_GRAYED);
    EnableWindow(GetDlgItem(session->tools, CMD_UNDO), FALSE);
    EngineDo([&] {
        const RteRange all{0, RteTextLength(session->document)};
        if (all.end > 0)
            RteDeleteRange(session->document, &all, 0);
    });
}

// What was read is shown from its start, on the text's own background.
void ShowRead(EDITSESSION* session)
{
    TEXTE* copy = session->copy;
    if (copy->format != TEXTFORMAT_NATIVE)
        ClearTextBackground(session->document);
    EngineDo([&] { RteSetSelection(session->document, 0, 0, 0, 0); });
    copy->UpdateScrollBar();
    InvalidateRect(session->control, nullptr, TRUE);
    session->modified = 1;
    RefreshTools(session);
}

void ImportIntoEditor(EDITSESSION* session)
{
    if (TextLength(session) > 0 &&
        MessageBoxA(session->frame, DialogString(IDS_IMPORT_TEXT), DialogString(IDS_IMPORT_CAPTION),
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    TEXTE* copy = session->copy;
    FILEREQUEST request(session->frame, nullptr);
    if (ChooseImportFile(copy, &request.record))
        return;
    EmptyEditor(session);
    // The text is the object's own again, whatever it was shown from before.
    copy->external = 0;
    if (copy->ImportFile(request.name))
        ShowRead(session);
}

void ShowFileInEditor(EDITSESSION* session)
{
    TEXTE* copy = session->copy;
    FILEREQUEST request(session->frame, nullptr);
    if (ChooseDisplayFile(copy, &request.record))
        return;
    EmptyEditor(session);
    if (copy->ownsTempFile && copy->localCopy.length())
        DeleteFileA(copy->localCopy);
    copy->fileName = request.name;
    copy->localCopy = "";
    copy->ownsTempFile = 0;
    copy->external = 1;
    copy->LoadText();
    DisableFormatting(session);
    ShowRead(session);
}

void ExportFromEditor(EDITSESSION* session)
{
    TEXTE* copy = session->copy;
    // The dialog offers the text's own name, as an HTML file.
    FILEREQUEST request(session->frame, copy->external ? static_cast<const char*>(copy->fileName) : "texte");
    ExportTextFile(copy, &request.record);
}

}  // namespace

bool RunFileCommand(EDITSESSION* session, int command)
{
    switch (command) {
    case CMD_SHOW_FILE: ShowFileInEditor(session); return true;
    case CMD_IMPORT: ImportIntoEditor(session); return true;
    case CMD_EXPORT: ExportFromEditor(session); return true;
    default: return false;
    }
}
