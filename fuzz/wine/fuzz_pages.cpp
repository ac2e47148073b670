// Targets that hand the input to a kernel on a hidden host, whose plug-ins are the real
// modules built beside the program: a page read, a page shown, objects pasted.
#include "clipboard_turn.h"
#include "fuzz_files.h"
#include "fuzz_targets.h"

#include "bookmarks.h"
#include "clipboard.h"
#include "history.h"
#include "pagefiles.h"
#include "fonts.h"
#include "pagehost.h"

#include <cstring>

namespace {

// One host for the whole run, and the plug-ins held loaded: a kernel's start and loading
// the modules are the slow part of reading a page.
PageHost& Host()
{
    static const bool held = [] {
        for (const char* module : {"qxsheet40.dll", "qxpict40.dll", "qxpush40.dll", "qxaudio40.dll", "qxmotion40.dll"})
            LoadLibraryA(module);
        return true;
    }();
    (void)held;
    static PageHost host;
    return host;
}

void LeaveEveryPage(KERNEL* kernel)
{
    while (kernel->history.Items() > 0)
        kernel->history.Pop();
    KernClearAllLoaded(kernel);
}

// A page of the page plug-in alone, written once into the host's publication.
std::string BasePage()
{
    static const bool written = [] {
        Host().pub.Write("base.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(),
                                                            PageBlock("Base", 200, 200, 200))}));
        return true;
    }();
    (void)written;
    return "base.pag";
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

// The pictures and the animation the sample pages name, beside the input.
void CopySampleMedia(const std::string& folder)
{
    const std::string samples = SourceFolder() + "samples\\demo\\";
    for (const char* pattern : {"*.bmp", "*.flc"}) {
        WIN32_FIND_DATAA entry;
        const HANDLE search = FindFirstFileA((samples + pattern).c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do
            CopyFileA((samples + entry.cFileName).c_str(), (folder + entry.cFileName).c_str(), FALSE);
        while (FindNextFileA(search, &entry));
        FindClose(search);
    }
}

bool PutOnClipboard(UINT format, const std::string& bytes)
{
    static const HWND owner =
        CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    bool put = false;
    if (const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1)) {
        auto* locked = static_cast<char*>(GlobalLock(block));
        std::memcpy(locked, bytes.c_str(), bytes.size() + 1);
        GlobalUnlock(block);
        put = SetClipboardData(format, block) != nullptr;
        if (!put)
            GlobalFree(block);
    }
    CloseClipboard();
    return put;
}

}  // namespace

void ReadPageFile(const std::string& path)
{
    KERNEL* kernel = Host();
    KernLLoad(kernel, path.c_str());
    KernClearAllLoaded(kernel);
}

void ShowPageFile(const std::string& path)
{
    CopySampleMedia(FolderOf(path));
    PageHost& host = Host();
    host.kernel->scnPath = FolderOf(path).c_str();
    if (host.kernel->history.Push(path.c_str(), nullptr, 0)) {
        // Long enough for a picture that arrives after the show and the first frames of an
        // animation.
        PumpUntil([] { return false; }, 60);
        HBITMAP drawn = host.Render();
        DeleteObject(drawn);
    }
    LeaveEveryPage(host);
}

void PasteClipboardText(const std::string& path)
{
    PageHost& host = Host();
    if (!host.Go(BasePage()))
        return;
    host.kernel->mode = QX_MODE_EDIT_BIT;
    {
        ClipboardTurn turn;
        if (PutOnClipboard(RegisterClipboardFormatA(QX_OBJECT_CLIPBOARD_FORMAT), FileBytes(path)))
            KernPasteFromClipboard(host);
    }
    host.kernel->mode = QX_MODE_PRESENTATION;
    LeaveEveryPage(host);
}

void ReadBookmarkFile(const std::string& path)
{
    KERNEL* kernel = Host();
    KernLoadBookmarks(kernel, path.c_str());
    kernel->bookmarks.Clear();
}

void ReadFontIndex(const std::string& path)
{
    // The store is the "fonts\" folder beside the page shown.
    KERNEL* kernel = Host();
    if (kernel->loadedPages.Items() == 0 && !KernLLoad(kernel, Host().Page(BasePage()).c_str()))
        return;
    const std::string folder = path.substr(0, path.rfind("fonts\\"));
    kernel->activeFilename = (folder + "page.pag").c_str();
    for (const char* face : {"Arial", "System", "Liberation Serif"}) {
        QXSTRING file;
        KernGetFontDosNameStr(kernel, face, &file);
    }
    kernel->activeFilename = "";
}
