// Exporting the page shown on its own, and the export's settings kept in the kernel.
#include "dhtmlexport.h"

#include "../runtime/accessors.h"
#include "../runtime/kernel.h"
#include "../runtime/kerntree.h"
#include "exportnames.h"
#include "qxfile.h"
#include "qxpath.h"

#include <cstring>

namespace {

// The names of a single-page export belong to it alone: the table is empty before and
// after, and the names are made beside the page while it runs.
class SinglePageExport {
public:
    explicit SinglePageExport(KERNEL* kernel) : table_(*kernel->distList)
    {
        table_.Clear();
        KernSetSinglePageExport(true);
    }
    ~SinglePageExport()
    {
        KernSetSinglePageExport(false);
        table_.Clear();
    }
    SinglePageExport(const SinglePageExport&) = delete;
    SinglePageExport& operator=(const SinglePageExport&) = delete;

private:
    DISTNODE_LIST& table_;
};

// Objects that still wait to be shown answer until their delays are over.
void FlushShowDelays(KERNEL* kernel) { KernBroadCastUntilDone(kernel, KernGetTopObjet(kernel), KM_FLUSHDELAYS, 0, 1); }

// The folder of a file name: its text up to and including the last backslash.
QXSTRING FolderOf(const char* name)
{
    const char* cut = std::strrchr(name, '\\');
    return cut ? QXSTRING(name).subString(0, static_cast<int>(cut - name)) : QXSTRING();
}

}  // namespace

int KernSaveCurrentPageInDHTML(KERNEL* kernel, const char* page)
{
    if (!kernel || !kernel->distList || !page || !KernGetTopObjet(kernel))
        return 0;
    const QXSTRING folder = FolderOf(page);
    if (folder.length() == 0 || !QXIsValidateNameForFTP(folder) || !QXCreateFilePath(folder))
        return 0;
    SinglePageExport names(kernel);
    FlushShowDelays(kernel);
    KernSetDHTMLDestPath(kernel, folder);
    KernSetDHTMLActivePage(kernel, page);
    KernSetDHTMLHomePage(kernel, page);
    const QXFILE file = QXopen(page, 1);
    if (!file)
        return 0;
    const bool written = KernSaveDHTML(kernel, file, page) != 0;
    const bool closed = QXclose(file) != 0;
    // A page without its script does nothing in the browser: that is a failed export too.
    const bool scriptCopied = fcopy(kernel->appPath + QX_DHTML_SCRIPT, folder + QX_DHTML_SCRIPT) == 0;
    return written && closed && scriptCopied ? 1 : 0;
}

void KernSetDHTMLImageBackground(KERNEL* kernel, const char* image)
{
    if (kernel)
        kernel->dhtmlBackground = image ? image : "";
}

COLORREF KernSetDHTMLColorBackground(KERNEL* kernel, COLORREF colour)
{
    if (kernel)
        kernel->dhtmlBackColour = colour;
    return colour;
}

void KernSetDHTMLHomePage(KERNEL* kernel, const char* page)
{
    if (kernel)
        kernel->dhtmlHomePage = page ? page : "";
}

void KernSetDHTMLActivePage(KERNEL* kernel, const char* page)
{
    if (kernel)
        kernel->dhtmlActivePage = page ? page : "";
}
