// Opening media outside any object.
#include "media_open.h"

#include "qxmedia.h"

#include <cstring>

// Asked of the system each time: a static answer would need a first-use lock, which the
// threads library makes anew at each load of the module and never frees.
UINT MediaFinishedMessage() { return RegisterWindowMessageA("WM_QTNOTIFY_FINISH"); }

int MediaKindOfName(const char* name)
{
    const char* dot = name ? std::strrchr(name, '.') : nullptr;
    if (!dot || !dot[1] || std::strpbrk(dot, "\\/"))
        return FLC_KIND_NONE;
    if (lstrcmpiA(dot, ".FLC") == 0 || lstrcmpiA(dot, ".FLI") == 0)
        return FLC_KIND_FLIC;
    return FLC_KIND_MEDIA;
}

QXSTRING NewMciAlias()
{
    // Two devices opened within one tick (two films on a page, a preview beside its object)
    // never share an alias, as they would if it were made of the tick count.
    static int aliasCounter = 0;
    QXSTRING alias;
    alias.Format("qxmotion%d", ++aliasCounter);
    return alias;
}

long CallWithFileName(CMedia* media, long (CMedia::*call)(BSTR, long*), const char* file)
{
    wchar_t wide[QX_NAME_BUFFER];
    MultiByteToWideChar(CP_ACP, 0, file, -1, wide, QX_NAME_BUFFER);
    BSTR name = SysAllocString(wide);
    long result = 0;
    (media->*call)(name, &result);
    SysFreeString(name);
    return result;
}

CMedia* OpenServerMedia(HWND window, const char* local, const RECT* area)
{
    auto* media = new CMedia;
    if (!media->Active()) {
        delete media;
        return nullptr;
    }
    long result = 0;
    media->Init(window, &result);
    if (area)
        media->SetXYWH(area->left, area->top, area->right - area->left, area->bottom - area->top);
    media->SetCallbackMessage(6, static_cast<long>(MediaFinishedMessage()));
    if (!CallWithFileName(media, &CMedia::Open, local)) {
        delete media;
        return nullptr;
    }
    return media;
}
