// CreateBaseObjet: a new page for an authoring host, either a series of pages copied from a
// template picked in the template chooser, or one blank page set up in "D_PAGE".
#include "page_create.h"

#include "page.h"
#include "page_module.h"
#include "pageres.h"
#include "qxplugin.h"
#include "qxpath.h"
#include "qxtmpl_api.h"

namespace {

constexpr int NUMBER_DIGITS = 4;

void RefuseNumberOfPages(HWND hook)
{
    char caption[100] = {}, text[200] = {};
    LoadStringA(PageModule(), IDS_INPUT_ERROR, caption, sizeof caption);
    LoadStringA(PageModule(), IDS_PAGES_RANGE, text, sizeof text);
    MessageBoxA(GetParent(hook), text, caption, MB_OK | MB_ICONERROR);
    SendDlgItemMessageA(hook, IDC_NUMBER_OF_PAGES, EM_SETSEL, 0, -1);
    SetFocus(GetDlgItem(hook, IDC_NUMBER_OF_PAGES));
}

// The number of pages can be set only for a template; "no template" makes one page.
void OnTemplateSelected(HWND hook, WPARAM index)
{
    const bool isTemplate = static_cast<INT_PTR>(index) > 0;
    if (!isTemplate)
        SetDlgItemInt(hook, IDC_NUMBER_OF_PAGES, 1, FALSE);
    EnableWindow(GetDlgItem(hook, IDC_NUMBER_OF_PAGES), isTemplate);
}

// The hook dialog "D_NBPAGES" inside the chooser: the number of pages to make.
INT_PTR CALLBACK NbPagesHookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const UINT itemChanged = RegisterWindowMessageA(QXTMPL_ITEMCHANGED_MSG);
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(hook, DWLP_USER, lParam);
        SetDlgItemInt(hook, IDC_NUMBER_OF_PAGES, 1, FALSE);
        SendDlgItemMessageA(hook, IDC_NUMBER_OF_PAGES, EM_LIMITTEXT, NUMBER_DIGITS, 0);
        EnableWindow(GetDlgItem(hook, IDC_NUMBER_OF_PAGES), FALSE);
        return TRUE;
    }
    auto* creation = reinterpret_cast<CREATION*>(GetWindowLongPtrA(hook, DWLP_USER));
    if (!creation)
        return FALSE;
    if (message == itemChanged) {
        OnTemplateSelected(hook, wParam);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        BOOL isNumber = FALSE;
        const int pages = static_cast<int>(GetDlgItemInt(hook, IDC_NUMBER_OF_PAGES, &isNumber, TRUE));
        const bool refused = !isNumber || pages < 1 || pages > QX_MAX_NEW_PAGES;
        if (refused)
            RefuseNumberOfPages(hook);
        else
            creation->pages = pages;
        SetWindowLongPtrA(hook, DWLP_MSGRESULT, refused);
        return TRUE;
    }
    return FALSE;
}

bool IsPageFile(const char* name)
{
    const char* suffix = strrchr(name, '.');
    return suffix && lstrcmpiA(suffix, ".PAG") == 0;
}

int ChooseWith(const QXTMPL_ENTRIES& chooser, KERNEL* kernel, HWND parent, char* out, unsigned size)
{
    if (!chooser.Complete())
        return QX_TEMPLATE_NONE;
    if (chooser.setKernel)
        chooser.setKernel(kernel);
    if (chooser.setHelpFile)
        chooser.setHelpFile("PAGELIB.PAG");
    CREATION creation;
    creation.kernel = kernel;
    QXTMPL_BLOCK block = {};
    block.kernel = kernel;
    block.owner = parent;
    block.category = QXTMPL_CATEGORY_PAGE;
    block.hookModule = PageModule();
    block.hookTemplate = "D_NBPAGES";
    block.hookData = reinterpret_cast<LPARAM>(&creation);
    block.hookProc = NbPagesHookProc;
    block.flags = QXTMPL_FLAGS_PAGE;
    if (!chooser.choose(&block))
        return block.answer == QXTMPL_CANCELLED ? QX_TEMPLATE_FAILED : QX_TEMPLATE_NONE;
    char name[QXTMPL_NAME_SIZE] = {};
    const bool hasFile = chooser.count(block.files) && chooser.next(block.files, name, sizeof name) != -1;
    chooser.dispose(block.files);
    if (!hasFile || !IsPageFile(name))
        return QX_TEMPLATE_NONE;
    creation.templateFile = name;
    if (RunCreatingDialog(parent, &creation) != 1)
        return QX_TEMPLATE_FAILED;
    if (out && size)
        lstrcpynA(out, creation.firstPage, static_cast<int>(size));
    return QX_TEMPLATE_PAGES;
}

// The page's title: its file name without folder and suffix.
void TitleFromFile(const char* file, char* title, int size)
{
    FNSPLIT parts(file);
    lstrcpynA(title, parts.name, size);
}

int CreateBlankPage(KERNEL* kernel, HWND parent, char* out, unsigned size)
{
    auto* page = new PAGE(kernel, PageModule());  // the objects' allocator answers null
    if (!page)
        return 0;
    QXSTRING name;
    if (!AskNewPageName(kernel, &name, 0, parent)) {
        delete page;
        return 0;
    }
    page->pageFile = name;
    TitleFromFile(name, page->title, sizeof page->title);
    page->selected = 1;
    page->x = page->y = 0;
    page->w = 640;
    page->h = 480;
    page->ux = KernS2Ux(kernel, 0);
    page->uy = KernS2Uy(kernel, 0);
    page->uw = KernS2Ux(kernel, page->w) - page->ux;
    page->uh = KernS2Uy(kernel, page->h) - page->uy;
    page->frameType = QX_FRAME_BORDER;
    const INT_PTR made = RunPageDialog(parent, page);
    if (made == 1 && out && size)
        lstrcpynA(out, page->pageFile, static_cast<int>(size));
    delete page;
    return made == 1 ? 1 : 0;
}

}  // namespace

int ChoosePageTemplate(KERNEL* kernel, HWND parent, char* out, unsigned size)
{
    const HMODULE module = QxtmplLoad(KernGetVersion(kernel));
    if (!module)
        return QX_TEMPLATE_NONE;
    const int answer = ChooseWith(QXTMPL_ENTRIES(module), kernel, parent, out, size);
    FreeLibrary(module);
    return answer;
}

QXPLUGIN_EXPORT int CreateBaseObjet(KERNEL* kernel, char* out, unsigned size, void* parent)
{
    if (out && size)
        out[0] = '\0';
    if (!kernel)
        return 0;
    const HWND owner = parent ? static_cast<HWND>(parent) : KernGetAppWindow(kernel);
    try {
        switch (ChoosePageTemplate(kernel, owner, out, size)) {
        case QX_TEMPLATE_PAGES:
            return 1;
        case QX_TEMPLATE_NONE:
            return CreateBlankPage(kernel, owner, out, size);
        default:
            return 0;
        }
    } catch (...) {
        return 0;  // no exception leaves the module
    }
}
