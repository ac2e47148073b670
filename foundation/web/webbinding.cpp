// Loading and binding the internet transfer library, counted by QXOpen and QXClose.
#include "qxwebbinding.h"

#include "webentries.h"

#include <cstdio>

namespace {

// Process-wide binding. No lock: QXOpen, QXClose and the forwarders are called on the
// user-interface thread; the library's own threads never call back into the binding.
struct WebBinding {
    int openCount = 0;  // opens not yet matched by a close, including failed loads
    HMODULE library = nullptr;
    int useLibraryDialogs = 0;
    WebEntryPoints entries;
};

WebBinding binding;

// A name missing from the library stays null.
void BindEntries(HMODULE library, WebEntryPoints& entries)
{
    // Through void(*)() so that the cast from FARPROC says it is deliberate.
#define QX_WEB_BIND(name)                                                      \
    entries.name = reinterpret_cast<decltype(&::name)>(                      \
        reinterpret_cast<void (*)()>(GetProcAddress(library, #name)));
    QX_WEB_BOUND_NAMES(QX_WEB_BIND)
#undef QX_WEB_BIND
}

void LoadAndBind()
{
    char name[32];
    std::snprintf(name, sizeof name, "QXWEB%s.DLL", "40");
    // A missing library is not an error: the system then runs without internet access.
    SetErrorMode(GetErrorMode() | SEM_NOOPENFILEERRORBOX);
    binding.library = LoadLibraryA(name);
    if (!binding.library)
        return;
    BindEntries(binding.library, binding.entries);
    ForwardToWeb(binding.entries.QXNetOpen);
}

}  // namespace

const WebEntryPoints& BoundWebEntries() { return binding.entries; }

int UseLibraryDialogs() { return binding.useLibraryDialogs; }

void QXOpen(int* useLibraryDialogs)
{
    binding.useLibraryDialogs = useLibraryDialogs ? *useLibraryDialogs : 1;
    ++binding.openCount;
    // A nested open: the library counts its users itself.
    ForwardToWeb(binding.entries.QXNetOpen);
    if (binding.openCount == 1)
        LoadAndBind();
}

void QXClose()
{
    // A close without an open must not make the next open look nested, which would never
    // load the library again.
    if (binding.openCount == 0)
        return;
    ForwardToWeb(binding.entries.QXNetClose);
    if (--binding.openCount > 0)
        return;
    if (binding.library)
        FreeLibrary(binding.library);
    binding.library = nullptr;
    binding.entries = WebEntryPoints();
}
