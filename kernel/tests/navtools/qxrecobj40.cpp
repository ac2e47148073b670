// An object kind for the navigation tests: its objects have windows of the kernel's object
// window procedure (a page root a hidden top-level window, the others children of it), fill their rectangle with their colour when
// asked to draw into a device context, and a page root records the kernel messages of page
// changes it receives. Its block: "RECOBJ {", label, colour "r g b", rectangle "x y w h",
// close-on-leave flag, "}".
#include "objet.h"

#include "kernel.h"

#include "qxfile.h"
#include "qxsupport.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

HINSTANCE thisModule = nullptr;
std::string messageLog;
constexpr const char* WindowClass = "RecObjWindow";

bool RegisterWindowClass()
{
    WNDCLASSA windowClass{};
    if (GetClassInfoA(thisModule, WindowClass, &windowClass))
        return true;
    windowClass.lpfnWndProc = KernObjetCommand;
    windowClass.cbWndExtra = QX_OBJECT_WINDOW_EXTRA;
    windowClass.hInstance = thisModule;
    windowClass.lpszClassName = WindowClass;
    return RegisterClassA(&windowClass) != 0;
}

bool Logged(UINT message)
{
    return message == KM_LEAVEPAGE || message == KM_PAGESHOWN || message == KM_BRANCHING;
}

}  // namespace

class RECOBJ : public OBJET {
public:
    explicit RECOBJ(KERNEL* kernel) : OBJET(kernel, thisModule) { SetDLLName("QXRECOBJ.DLL"); }

    ~RECOBJ() override
    {
        if (window)
            DestroyWindow(window);
    }

    int Load(QXFILE file, int& universe) override
    {
        if (!OBJET::Load(file, universe))
            return 0;
        char line[500];
        int close = 0;
        if (!QXLoadString(file, line, sizeof line) || std::strcmp(line, "RECOBJ {") != 0 ||
            !QXLoadString(file, label, sizeof label))
            return 0;
        int r = 0, g = 0, b = 0;
        if (!QXLoadString(file, line, sizeof line) || std::sscanf(line, "%d %d %d", &r, &g, &b) != 3)
            return 0;
        colour = RGB(r, g, b);
        if (!QXLoadString(file, line, sizeof line) || std::sscanf(line, "%d %d %d %d", &px, &py, &pw, &ph) != 4)
            return 0;
        if (!Load1Int(file, &close))
            return 0;
        closeOnLeave = static_cast<BYTE>(close);
        return QXLoadString(file, line, sizeof line) && std::strcmp(line, "}") == 0;
    }

    // Windows messages get the default handling, as a plug-in's windows do.
    LRESULT WindowsMessage(MSGL* msg) override
    {
        return DefWindowProcA(msg->window, msg->message, msg->wParam, msg->lParam);
    }

    LRESULT KernelMessage(MSGL* msg) override
    {
        if (!parent && Logged(msg->message))
            messageLog += std::string(label) + ":" + std::to_string(msg->message) + ";";
        if (msg->message == KM_SHOWN && !window)
            MakeWindow();
        if (msg->message == KM_PAINTTO && parent)
            Draw(reinterpret_cast<KERNDRAW*>(msg->lParam));
        return OBJET::KernelMessage(msg);
    }

    char label[100] = "";
    COLORREF colour = 0;
    int px = 0, py = 0, pw = 0, ph = 0;

private:
    void MakeWindow()
    {
        if (!RegisterWindowClass())
            return;
        if (parent && !parent->window)
            return;
        const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP;
        window = CreateWindowExA(0, WindowClass, label, style, px, py, pw, ph, parent ? parent->window : nullptr,
                                 nullptr, thisModule, this);
        x = px;
        y = py;
        w = pw;
        h = ph;
    }

    // The rectangle in the coordinates of the drawn area.
    void Draw(const KERNDRAW* draw)
    {
        POINT origin = {px, py};
        if (parent->window)
            MapWindowPoints(parent->window, nullptr, &origin, 1);
        RECT area = {origin.x - draw->page.left, origin.y - draw->page.top, 0, 0};
        area.right = area.left + pw;
        area.bottom = area.top + ph;
        const HBRUSH brush = CreateSolidBrush(colour);
        FillRect(draw->dc, &area, brush);
        DeleteObject(brush);
    }
};

extern "C" __declspec(dllexport) OBJET* AllocObjet(KERNEL* kernel) { return new RECOBJ(kernel); }

// The kernel messages of page changes received by page roots, "label:message;" each.
extern "C" __declspec(dllexport) const char* RecObjLog() { return messageLog.c_str(); }
extern "C" __declspec(dllexport) void RecObjClearLog() { messageLog.clear(); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        thisModule = instance;
    return TRUE;
}
