// Export of a text into the formats of the editor's "Exporter..." command, and the writing of
// a document through an export translator that the plain-text copy and the DHTML line share.
#include "text_files.h"

#include <cstring>
#include <memory>

#include "qxfile.h"
#include "qxpath.h"
#include "rte_html_export.h"
#include "rte_io.h"
#include "rte_rtf_export.h"
#include "rte_selection.h"
#include "text_files_res.h"

const TEXTEXPORTFORMAT kTextExportFormats[4] = {
    {1, "HTML(*.HTM)", "*.HTM", ".htm", TEXTEXPORTWRITER::Html},
    {2, "RTF(*.RTF)", "*.RTF", ".rtf", TEXTEXPORTWRITER::Rtf},
    {3, "TXT(*.TXT)", "*.TXT", ".txt", TEXTEXPORTWRITER::PlainText},
    {4, "TQX(*.TQX)", "*.TQX", ".tqx", TEXTEXPORTWRITER::Tqx},
};

const char kTextExportFilter[] = "HTML(*.HTM)\0*.HTM\0RTF(*.RTF)\0*.RTF\0TXT(*.TXT)\0*.TXT\0TQX(*.TQX)\0*.TQX\0";

namespace {

std::unique_ptr<RteExportFilter> MakeWriter(TEXTEXPORTWRITER writer, OBJET* object)
{
    switch (writer) {
    case TEXTEXPORTWRITER::Html:
        // A file of its own has no page script: branches stay plain text.
        return std::make_unique<QXHTMLExportFilter>(object, true, false, false);
    case TEXTEXPORTWRITER::PlainText:
        return std::make_unique<RteExportFilter>();
    default:
        return std::make_unique<RteRTFExportFilter>();
    }
}

}  // namespace

const TEXTEXPORTFORMAT& TextExportFormat(int filterIndex)
{
    for (const TEXTEXPORTFORMAT& format : kTextExportFormats)
        if (format.filterIndex == filterIndex)
            return format;
    return kTextExportFormats[1];
}

int AddExportExtension(char* name, size_t size, int filterIndex)
{
    QXSTRING ext;
    QXfnsplitStr(name, nullptr, nullptr, nullptr, &ext);
    if (ext.length() > 0)
        return 1;
    const char* extension = TextExportFormat(filterIndex).extension;
    if (std::strlen(name) + std::strlen(extension) >= size)
        return 0;
    std::strcat(name, extension);
    return 1;
}

int ExportDocument(RteExportFilter& writer, RteHandle doc, QXFILE file, int32_t position)
{
    if (writer.SetTarget(RteDocEnvironment(doc), reinterpret_cast<intptr_t>(file), nullptr, RteDirectFileWriter,
                         position))
        return 0;
    bool exported = writer.ExportFrom(doc, nullptr, 0xFFFFFF, 0) == 0;
    // The writer seeks for each piece: the file goes on after what it wrote.
    LARGE_INTEGER end;
    end.QuadPart = static_cast<int64_t>(position) + writer.Written();
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    return exported ? 1 : 0;
}

int WriteExportFile(RteHandle doc, OBJET* object, const TEXTFILETRAILER& trailer, int filterIndex, const char* path)
{
    const TEXTEXPORTFORMAT& format = TextExportFormat(filterIndex);
    QXFILE file = QXopen(path, 1);
    if (!file)
        return 0;
    if (format.writer == TEXTEXPORTWRITER::Tqx) {
        QXclose(file);
        return WriteTextDocument(doc, trailer, path);
    }
    std::unique_ptr<RteExportFilter> writer = MakeWriter(format.writer, object);
    int written = ExportDocument(*writer, doc, file, 0);
    QXclose(file);
    return written;
}

HINSTANCE TextFilesModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&TextFilesModule), &module);
    return module;
}

void ShowTextFileBox(HWND owner, UINT textId)
{
    char caption[101] = "";
    char text[251] = "";
    LoadStringA(TextFilesModule(), IDS_TEXTFILE_ERROR, caption, sizeof caption);
    LoadStringA(TextFilesModule(), textId, text, sizeof text);
    // The box is modal to the editor: its window takes no input meanwhile.
    EnableWindow(owner, FALSE);
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONINFORMATION);
    EnableWindow(owner, TRUE);
}

int ExportWithDialog(HWND owner, OPENFILENAMEA* request, RteHandle doc, OBJET* object,
                     const TEXTFILETRAILER& trailer)
{
    int32_t selectionStart = 0;
    int32_t selectionEnd = 0;
    RteGetSelection(doc, &selectionStart, &selectionEnd);
    // The dialog offers the name the record holds, as an HTML file.
    FNSPLIT parts(request->lpstrFile);
    QXfnmerge(request->lpstrFile, parts.drive, parts.dir, parts.name, ".htm");
    request->lpstrFilter = kTextExportFilter;
    request->nFilterIndex = 1;
    request->hwndOwner = owner;
    request->Flags |= OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameA(request))
        return 0;
    AddExportExtension(request->lpstrFile, request->nMaxFile, static_cast<int>(request->nFilterIndex));
    const int written = WriteExportFile(doc, object, trailer, static_cast<int>(request->nFilterIndex), request->lpstrFile);
    if (!written)
        ShowTextFileBox(owner, IDS_TEXTFILE_NOT_CREATED);
    RteSetSelection(doc, selectionStart, selectionEnd, 0, 0);
    return written;
}
