// The text module: entry point, the engine shared by the live text objects, the tool record,
// interactive creation, drops and the replacement of a saved text.
#include "texte.h"

#include "accessors.h"
#include "kernel.h"
#include "kerntree.h"
#include "objgeometry.h"
#include "qxplugin.h"
#include "rte_edit_control.h"
#include "rte_environment.h"
#include "text_document.h"
#include "text_files.h"
#include "textres.h"

namespace {

HINSTANCE thisModule = nullptr;
TOOLBITMAPS toolBitmaps;
// Live text objects: the first starts the engine and the edit control, the last ends them.
int liveTexts = 0;

// The suffixes of text files a drop accepts.
constexpr const char* DroppedSuffixes = "TXT TQX RTD RTF";
constexpr int DroppedWidth = 300;
constexpr int DroppedHeight = 200;

// The part of the top object's client area that the host window shows, in the top object's
// window coordinates.
RECT VisibleArea(KERNEL* kernel, OBJET* top)
{
    RECT area{};
    if (!top || !top->window)
        return area;
    GetClientRect(top->window, &area);
    const HWND frame = GetParent(KernGetAppWindow(kernel));
    if (frame) {
        RECT shown{};
        GetClientRect(frame, &shown);
        MapWindowPoints(frame, top->window, reinterpret_cast<POINT*>(&shown), 2);
        IntersectRect(&area, &area, &shown);
    }
    return area;
}

// The rectangle of that size centred in the area.
void CentreIn(OBJET* object, const RECT& area, int width, int height)
{
    object->OBJET::SetXYWH(area.left + (area.right - area.left - width) / 2,
                           area.top + (area.bottom - area.top - height) / 2, width, height);
    UnitsFromPixels(object);
}

}  // namespace

HINSTANCE TextModule() { return thisModule; }

RteEnvironment* TextEngine() { return liveTexts > 0 ? RteEnvironmentOf() : nullptr; }

void TextEngineAddUser()
{
    if (liveTexts++ == 0) {
        RteControlStartup(thisModule, "Times New Roman", nullptr);
        // Texts read without paragraph formats (plain text, RTF, a new document) step their
        // tabs at the first-run default interval rather than a pixel at a time.
        RteEnvironmentOf()->defaultFormat.tabSpacing = TEXTPROPERTIES{}.tabInterval;
    }
}

void TextEngineRemoveUser()
{
    if (liveTexts > 0 && --liveTexts == 0)
        RteControlShutdown();
}

QXPLUGIN_EXPORT OBJET* AllocObjet(KERNEL* kernel) { return new TEXTE(kernel, thisModule); }

QXPLUGIN_EXPORT int GetNumberTools(int, int category) { return ToolCount(category); }

QXPLUGIN_EXPORT void AddText(KERNEL* kernel, int);

QXPLUGIN_EXPORT void GetTool(int, int category, TOOLINFO* tool, int)
{
    FillToolInfo(thisModule, toolBitmaps, AddText, IDS_TEXT_TOOLTIP, QX_TEXT_HELP_PAGE, category, tool);
    // The text's menu path has a string of its own.
    if (category == QX_TOOL_CATEGORY_OBJECT && tool)
        LoadStringA(thisModule, IDS_TEXT_MENU_PATH, tool->menuPath, sizeof tool->menuPath);
}

QXPLUGIN_EXPORT void AddText(KERNEL* kernel, int)
{
    auto* text = static_cast<TEXTE*>(AllocObjet(kernel));
    if (!text)
        return;
    text->SetBeParent(0);
    text->fileName = "";
    OBJET* parent = KernLocateParent(kernel, text);
    if (!parent || !parent->window) {
        delete text;
        return;
    }
    RECT area = VisibleArea(kernel, parent);
    const int width = (area.right - area.left) * 8 / 10, height = (area.bottom - area.top) * 8 / 10;
    CentreIn(text, area, width, height);
    // The editor works on a window of the object's size under the parent.
    HWND temporary = CreateWindowA("STATIC", "", WS_CHILD, text->x, text->y, width, height, parent->window,
                                   nullptr, thisModule, nullptr);
    text->parent = parent;
    text->Modify();
    if (temporary)
        DestroyWindow(temporary);
    text->parent = nullptr;
    if (!text->fileName.length()) {
        delete text;
        return;
    }
    text->loaded = 1;
    KernLinkParentChild(parent, text, 0);
    KernUpdateNewObjet(kernel, text);
}

QXPLUGIN_EXPORT int FileDropped(KERNEL* kernel, const char* path, POINT*)
{
    if (!kernel || !path || !*path || !HasSuffixIn(path, DroppedSuffixes) || kernel->loadedPages.Items() == 0)
        return 0;
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    auto* text = static_cast<TEXTE*>(AllocObjet(kernel));
    int made = 0;
    if (text) {
        text->SetBeParent(0);
        OBJET* parent = KernLocateParent(kernel, text);
        // The dropped file is read now, into the object's own cache file: a file that does not
        // import, or a page without a place for the object, leaves nothing behind.
        if (parent && TakeDroppedFile(text, path)) {
            text->dropped = 1;
            KernLinkParentChild(parent, text, 0);
            CentreIn(text, VisibleArea(kernel, KernGetTopParentObjet(kernel, parent)), DroppedWidth, DroppedHeight);
            text->loaded = 1;
            KernUpdateNewObjet(kernel, text);
            made = 1;
        } else {
            delete text;
        }
    }
    SetCursor(previous);
    return made;
}

QXPLUGIN_EXPORT int Traduction(const char* file, const char* replacement)
{
    if (!file || !replacement)
        return 0;
    HWND host = CreateWindowA("STATIC", "", 0, 0, 0, 100, 100, nullptr, nullptr, thisModule, nullptr);
    KERNEL* kernel = host ? KernConstructeur(host, nullptr, "", "", "") : nullptr;
    TEXTE* text = kernel ? static_cast<TEXTE*>(AllocObjet(kernel)) : nullptr;
    int done = 0;
    if (text)
        done = ReplaceTextOfFile(text, file, replacement) ? 1 : 0;
    delete text;
    if (kernel)
        KernDestructeur(kernel);
    if (host)
        DestroyWindow(host);
    return done;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        toolBitmaps.Load(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        toolBitmaps.Free();
    }
    return TRUE;
}
