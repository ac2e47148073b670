// The file choosers of the editor's "Afficher..." and "Importer..." commands: a file picked
// in the kernel's open dialog (Internet addresses allowed), fetched, and its format probed.
#include "text_files.h"

#include <cstring>

#include "authoring.h"
#include "filefetch.h"
#include "qxfile.h"
#include "qxpath.h"
#include "rte_io.h"
#include "texte.h"
#include "text_files_res.h"

int ProbeTextFormat(const char* path)
{
    QXFILE file = QXopen(path, 0);
    if (!file)
        return TEXTFORMAT_NATIVE;
    const int16_t kind = RteProbeStream(reinterpret_cast<intptr_t>(file), RteDirectFileReader, 0);
    QXclose(file);
    // What the engine does not recognise is read as plain text with the plug-in's markup.
    return kind == RTE_STREAM_UNKNOWN ? static_cast<int>(TEXTFORMAT_QXTEXT) : kind;
}

int ChooseTextFile(KERNEL* kernel, HWND owner, OPENFILENAMEA* request, UINT filterId, QXSTRING* local, int* format)
{
    // The filter holds NULs: the buffer is cleared so that it ends with two.
    char filter[300];
    std::memset(filter, 0, sizeof filter);
    LoadStringA(TextFilesModule(), filterId, filter, sizeof filter - 1);
    const char* callersFilter = request->lpstrFilter;
    request->lpstrFilter = filter;
    const int chosen = KernGetOpenFileName(kernel, request);
    request->lpstrFilter = callersFilter;
    if (!chosen) {
        EnableWindow(owner, TRUE);
        return 1;
    }
    char fetched[QX_NAME_BUFFER] = "";
    KernGetFileSync(kernel, request->lpstrFile, fetched);
    if (!fetched[0] || !DoFileExist(fetched)) {
        ShowTextFileBox(owner, IDS_TEXTFILE_NOT_OPENED);
        EnableWindow(owner, TRUE);
        return 1;
    }
    *format = ProbeTextFormat(fetched);
    *local = fetched;
    return 0;
}
