// IMAGE: construction, copying, properties and the clipboard.
#include "image.h"

#include "accessors.h"
#include "branch.h"
#include "imageres.h"
#include "kerntree.h"

#include <cstring>

IMAGE::IMAGE(KERNEL* kernel, HINSTANCE module) : OBJET(kernel, module)
{
    SetDLLName("QXPICT.DLL");
    KernRegisterClipboardFormat(kernel, "QXPICT.DLL");
    LoadStringA(module, IDS_IMAGE_OBJECT_NAME, objetName, sizeof objetName);
    AddBranch(new BRANCH(kernel));
    sizeChoice = 1;
    defWidth = 100;
    defHeight = 100;
}

IMAGE::~IMAGE()
{
    if (window) {
        SetWindowLongPtrA(window, 0, 0);
        SetWindowTextA(window, "");
        KernRemoveWindow(kernel, window);
        window = nullptr;
    }
    FreePicture();
}

void IMAGE::FreePicture()
{
    delete picture;
    picture = nullptr;
}

int IMAGE::SetProperties(long id, const char* value)
{
    if (id < 1000)
        return OBJET::SetProperties(id, value);
    if (id != 1000 || !value)
        return 0;
    fileName = value;
    localPath = "";
    if (picture) {
        FreePicture();
        LoadPicture();
    }
    if (window)
        InvalidateRect(window, nullptr, TRUE);
    return 1;
}

int IMAGE::GetProperties(long id, int size, char* buffer)
{
    if (id < 1000)
        return OBJET::GetProperties(id, size, buffer);
    if (id != 1000 || !buffer || size < 1)
        return 0;
    lstrcpynA(buffer, fileName, size);
    return 1;
}

void IMAGE::CopyToClipboard(char*)
{
    if (!picture)
        return;
    HGLOBAL dib = picture->CreateDIB();
    if (!dib)
        return;
    const SIZE_T bytes = GlobalSize(dib);
    HGLOBAL shared = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, bytes);
    void* from = GlobalLock(dib);
    void* to = shared ? GlobalLock(shared) : nullptr;
    if (from && to)
        std::memcpy(to, from, bytes);
    if (to)
        GlobalUnlock(shared);
    if (from)
        GlobalUnlock(dib);
    GlobalFree(dib);
    if (shared && (!to || !SetClipboardData(CF_DIB, shared)))
        GlobalFree(shared);
}

OBJET& IMAGE::operator=(const OBJET& other)
{
    OBJET::operator=(other);
    const auto* image = dynamic_cast<const IMAGE*>(&other);
    if (!image || image == this)
        return *this;
    localPath = "";
    FreePicture();
    fileName = image->fileName;
    keepRatio = image->keepRatio;
    rotation = image->rotation;
    transparent = image->transparent;
    transparentColour = image->transparentColour;
    std::memcpy(crop, image->crop, sizeof crop);
    flipVertical = image->flipVertical;
    flipHorizontal = image->flipHorizontal;
    return *this;
}
