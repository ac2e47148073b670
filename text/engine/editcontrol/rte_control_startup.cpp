// The engine started for the process's edit controls by the first of them and ended by the last,
// the window class and the lookups every message handler starts with.
#include "rte_edit_control.h"

#include <cstring>

#include "rte_control_internal.h"
#include "rte_gdi.h"
#include "rte_typed.h"

namespace {

// One copy per process, used on the user-interface thread only.
RteMemContext g_context = {};
RteEnvironment g_environment = {};
int32_t g_users = 0;
UINT g_clipboardFormat = 0;
HCURSOR g_arrow = nullptr;
HCURSOR g_ibeam = nullptr;
HWND g_current = nullptr;

void RegisterControlClass(HINSTANCE instance, HBRUSH background)
{
    WNDCLASSA wc = {};
    wc.style = RTE_CONTROL_CLASS_STYLE;
    wc.lpfnWndProc = RteControlProc;
    wc.cbWndExtra = sizeof(RteHandle);
    wc.hInstance = instance;
    wc.hbrBackground = background ? background : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = RTE_CONTROL_CLASS;
    RegisterClassA(&wc);
}

}  // namespace

void RteNameToCounted(const char* name, char* out)
{
    size_t length = std::strlen(name);
    if (length > 63)
        length = 63;
    out[0] = static_cast<char>(length);
    std::memcpy(out + 1, name, length);
}

void RteControlStartup(HINSTANCE instance, const char* fontName, HBRUSH background)
{
    if (g_users == 0) {
        RteSetDevice(&RteGdiDevice());
        RteMemInit(&g_context, 0);
        RteEngineStartup(&g_environment, &g_context);
    }
    if (fontName) {
        std::memset(&g_environment.defaultFont, 0, sizeof g_environment.defaultFont);
        RteNameToCounted(fontName, g_environment.defaultFont.name);
    }
    if (g_users == 0) {
        RteInstallControlHooks(&g_environment);
        RteRegisterControlRecords(&g_environment);
        RegisterControlClass(instance, background);
        g_arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        g_ibeam = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
        if (!g_clipboardFormat)
            g_clipboardFormat = RegisterClipboardFormatA(RTE_CLIPBOARD_FORMAT);
    }
    ++g_users;
}

void RteControlShutdown()
{
    if (g_users <= 0)
        return;
    if (--g_users == 0) {
        RteEngineShutdown(&g_environment);
        RteMemFree(&g_context);
        RteSetDevice(nullptr);
        g_current = nullptr;
    }
}

int32_t RteControlUsers() { return g_users; }

void RteGetEnvironment(void* buffer) { std::memcpy(buffer, &g_environment, sizeof g_environment); }

void RteSetEnvironment(const void* buffer) { std::memcpy(&g_environment, buffer, sizeof g_environment); }

RteEnvironment* RteEnvironmentOf() { return &g_environment; }

RteMemContext* RteControlContext() { return &g_context; }

UINT RteControlClipboardFormat() { return g_clipboardFormat; }

HCURSOR RteControlCursor(bool ibeam) { return ibeam ? g_ibeam : g_arrow; }

RteHandle RteControlAlloc(int32_t count, bool zeroed) { return RteAlloc(&g_context, 1, count, 0, zeroed); }

void RteSetCurrentControl(HWND window) { g_current = window; }

void RteForgetCurrentControl(HWND window)
{
    if (g_current == window)
        g_current = nullptr;
}

RteControl* RteControlFromWindow(HWND window, RteHandle* handle)
{
    if (!window)
        window = g_current;
    RteHandle control = window ? reinterpret_cast<RteHandle>(GetWindowLongPtrA(window, 0)) : nullptr;
    if (handle)
        *handle = control;
    return control ? static_cast<RteControl*>(RteLock(control)) : nullptr;
}
