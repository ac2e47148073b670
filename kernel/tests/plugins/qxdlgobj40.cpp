// An object kind for the tests of pages run as dialogs: every object has a window (a page
// root inside the host window, the others inside their parent's), a root takes property 1000
// as the page's procedure and offers it its window's messages first, as the page plug-in
// does, and the other objects keep a check state as buttons do; the live objects are counted.
// Its block: "DLGOBJ {", rectangle "x y w h", "}".
#include "objet.h"

#include "kerntree.h"
#include "qxfile.h"
#include "qxsupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HINSTANCE thisModule = nullptr;
int liveObjects = 0;
using PROCEDURE = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace

class DLGOBJ : public OBJET {
public:
    explicit DLGOBJ(KERNEL* kernel) : OBJET(kernel, thisModule)
    {
        SetDLLName("QXDLGOBJ.DLL");
        ++liveObjects;
    }

    ~DLGOBJ() override
    {
        --liveObjects;
        // Children's windows went with their parent's.
        if (IsWindow(window))
            KernRemoveWindow(kernel, window);
    }

    int Load(QXFILE file, int& universe) override
    {
        if (!OBJET::Load(file, universe))
            return 0;
        char line[500];
        if (!QXLoadString(file, line, sizeof line) || std::strcmp(line, "DLGOBJ {") != 0)
            return 0;
        if (!QXLoadString(file, line, sizeof line) || std::sscanf(line, "%d %d %d %d", &px, &py, &pw, &ph) != 4)
            return 0;
        return QXLoadString(file, line, sizeof line) && std::strcmp(line, "}") == 0;
    }

    int isBaseObject() override { return parent == nullptr; }

    int SetProperties(long id, const char* value) override
    {
        if (id != 1000)
            return OBJET::SetProperties(id, value);
        procedure = reinterpret_cast<PROCEDURE>(static_cast<uintptr_t>(std::strtoull(value, nullptr, 16)));
        return 1;
    }

    LRESULT WindowsMessage(MSGL* msg) override
    {
        if (procedure) {
            if (const LRESULT answer = procedure(msg->window, msg->message, msg->wParam, msg->lParam))
                return answer;
        }
        switch (msg->message) {
        case BM_SETCHECK:
            checked = static_cast<UINT>(msg->wParam);
            return 0;
        case BM_GETCHECK:
            return checked;
        default:
            return DefWindowProcA(msg->window, msg->message, msg->wParam, msg->lParam);
        }
    }

    LRESULT KernelMessage(MSGL* msg) override
    {
        if (msg->message == KM_SHOWN && !window)
            MakeWindow();
        return OBJET::KernelMessage(msg);
    }

private:
    void MakeWindow()
    {
        if (parent && !parent->window)
            return;
        window = parent ? KernCreateObjetWindow(kernel, this, px, py, pw, ph, nullptr)
                        : KernCreateBaseWindow(kernel, this, "", WS_CHILD, px, py, pw, ph, nullptr);
        if (!window)
            return;
        x = px;
        y = py;
        w = pw;
        h = ph;
        ShowWindow(window, SW_SHOWNA);
    }

    int px = 0, py = 0, pw = 0, ph = 0;
    PROCEDURE procedure = nullptr;
    UINT checked = BST_UNCHECKED;
};

extern "C" __declspec(dllexport) OBJET* AllocObjet(KERNEL* kernel) { return new DLGOBJ(kernel); }

// The objects of this kind not yet destroyed.
extern "C" __declspec(dllexport) int DlgObjLive() { return liveObjects; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        thisModule = instance;
    return TRUE;
}
