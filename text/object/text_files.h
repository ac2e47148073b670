// The text object's files: its own TQX format (the engine's record stream followed by a
// 200-byte trailer of the object's default font, colours and margins), the temporary names
// under which it writes them, moving them into place, and export into the other formats.
#pragma once

#include <cstddef>
#include <cstdint>

#include "qxbase.h"
#include "qxstring.h"
#include "rte_types.h"
#include "texte.h"

#include <commdlg.h>

// What the trailer carries that a reader uses. The trailer also holds copies of the 32-bit
// original's dialog records (font dialog, text-background colour dialog, the colour dialog at
// the head of the branch-style block); this system keeps no such records between dialogs, so
// their other fields are written as the records' sizes and zeros, and never read. Handles and
// pointers are never stored: no address of one run means anything in another.
struct TEXTFILETRAILER {
    RECT margins{};             // window margins in pixels
    LOGFONTA font{};            // the default font
    COLORREF fontColour{};      // the default font colour
    COLORREF textBackground{};  // the default text background, with its opacity
    COLORREF branchColour{};    // the colour of the branch-style block's head record
};

constexpr size_t TEXT_TRAILER_BYTES = 200;

// The trailer's bytes, little-endian, in the file's order.
void EncodeTextTrailer(const TEXTFILETRAILER& trailer, uint8_t (&bytes)[TEXT_TRAILER_BYTES]);
// Reads what the bytes hold in the file's order; a short trailer stops silently with the
// fields not reached left as they were. True when the whole trailer was there.
bool DecodeTextTrailer(const uint8_t* bytes, size_t count, TEXTFILETRAILER* trailer);

// Writes the document as a TQX file (created or truncated): its record stream with its
// embedded objects, the end record, then the trailer. 1 on success, 0 when the file cannot be
// created or a write fails.
int WriteTextDocument(RteHandle doc, const TEXTFILETRAILER& trailer, const char* path);
// The trailer of a file that begins with a record stream: the bytes after its end record.
// 1 when a whole trailer was read; 0 when the file is no record stream, holds nothing after
// the stream (an ".RTD" file) or ends inside the trailer (the fields read so far are kept).
int ReadTextTrailer(QXFILE file, TEXTFILETRAILER* trailer);

// Replaces the path by a new, created, file "~tqx????.tqx" in the same drive and folder (the
// object plays no part in the name). 0 (path unchanged) when no name could be made.
int MakeTextTempName(TEXTE* text, QXSTRING* path);
// Moves a file (MoveFile); 0 when either name is missing or the move fails.
int MoveTextFile(const char* from, const char* to);

// The export formats, in the order of the save dialog's filter.
enum class TEXTEXPORTWRITER { Html, Rtf, PlainText, Tqx };
struct TEXTEXPORTFORMAT {
    int filterIndex;
    const char* filterText;
    const char* pattern;
    const char* extension;  // the default, with its dot
    TEXTEXPORTWRITER writer;
};
extern const TEXTEXPORTFORMAT kTextExportFormats[4];
// The format of a filter index; an unknown index is the RTF one.
const TEXTEXPORTFORMAT& TextExportFormat(int filterIndex);
// The save dialog's filter: text and pattern of each format, NUL-separated, ended by two NULs.
extern const char kTextExportFilter[];
// Adds the format's default extension to a name that has none. 0 when it does not fit.
int AddExportExtension(char* name, size_t size, int filterIndex);

class RteExportFilter;
// Writes the whole document through the translator into the file from the position on, and
// leaves the file just after what was written. 1 when the export succeeded.
int ExportDocument(RteExportFilter& writer, RteHandle doc, QXFILE file, int32_t position);

// Writes the document into a file created at the path, in the format of the filter index; the
// HTML writer takes the object whose id names its anchors (null: none). The TQX format needs
// the object's trailer. 1 when the file was created and written whole.
int WriteExportFile(RteHandle doc, OBJET* object, const TEXTFILETRAILER& trailer, int filterIndex, const char* path);

// The module whose string table holds the texts of the file boxes and choosers.
HINSTANCE TextFilesModule();
// The information box "Erreur de fichier" with the text of the string id over the owner,
// which takes no input meanwhile.
void ShowTextFileBox(HWND owner, UINT textId);

// Asks for a target with the system's save dialog (the record's name offered as ".htm", the
// formats above as its filter, an extension added when the name has none) and writes the
// document there; the document's selection is kept. 1 when a target was chosen and written;
// a target that cannot be written is reported in the box of string 133.
int ExportWithDialog(HWND owner, OPENFILENAMEA* request, RteHandle doc, OBJET* object,
                     const TEXTFILETRAILER& trailer);

// The text format of a local file as the engine's probe tells it: the record stream, RTF,
// anything else (the six-byte binary header, unknown bytes) as the plug-in's own; a file
// that cannot be opened counts as a record stream.
int ProbeTextFormat(const char* path);
// Lets the author pick a file in the kernel's open dialog with the filter of the string id
// (740 import, 741 display), fetches it and probes it. 0 with the local copy and the format
// when a file was chosen and is at hand; 1 when the author cancelled or the file could not be
// had (after the box of string 134). The owner is enabled again in both failing cases.
int ChooseTextFile(KERNEL* kernel, HWND owner, OPENFILENAMEA* request, UINT filterId, QXSTRING* local,
                   int* format);

// What the DHTML statement says of the text's look besides its document.
struct TEXTDHTMLLOOK {
    bool transparent;
    COLORREF background;
    bool scrolls;  // the text is taller than its window
};
// Writes the statement that builds the text in an exported page: its branch list, then the
// QXText call with its name, place, size, delay, effect, tooltip, user string, look and the
// text as HTML with its branches as anchors. Every text is written as a script string. The
// export name is kept in the object's temporary id, where the anchors find it. 1 when every
// write succeeded.
int WriteTextDHTML(OBJET* object, RteHandle doc, const TEXTDHTMLLOOK& look, QXFILE file, int index);

// Adds CF_TEXT, the document as plain text, to the clipboard that the caller has opened; the
// text goes through a temporary file "~clp????.tmp" in the folder. 1 when it was added.
int CopyTextToClipboard(RteHandle doc, const char* folder);

// The text object's entry points (its document is the one it draws or edits).
// Writes its TQX file; 0 without a document, and after the box of string 133 when the file
// cannot be written.
int WriteTextFile(TEXTE* text, const char* path);
// The choosers of "Importer..." (which also puts the fetched local name into the record's
// file buffer) and "Afficher..."; 0 when a file was chosen, its format kept in the object.
int ChooseImportFile(TEXTE* text, OPENFILENAMEA* request);
int ChooseDisplayFile(TEXTE* text, OPENFILENAMEA* request);
// "Exporter...": 1 when a target was chosen and written.
int ExportTextFile(TEXTE* text, OPENFILENAMEA* request);
// Reads the trailer of the TQX file into the object's defaults: margins, default font, font
// colour and text background. 1 when the file had a whole trailer.
int ReadTextFileTrailer(QXFILE file, TEXTE* text);
