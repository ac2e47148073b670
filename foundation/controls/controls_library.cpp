// The custom controls as a whole: their global window classes and the built-in pictures,
// held from the first InitCC to the FreeCC that balances it.
#include "controls_internal.h"
#include "qxcontrols.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

int references = 0;

void RegisterControlClass(const char* name, WNDPROC procedure)
{
    // Global, so that the dialog templates of every module of the process can name them.
    WNDCLASSA windowClass{};
    windowClass.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ControlsLibrary();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

}  // namespace

HINSTANCE ControlsLibrary() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

void InitCC()
{
    if (references++ == 0) {
        RegisterControlClass(QXBUTTON_CLASS, QXButtonProc);
        RegisterControlClass(QXFILENAME_CLASS, QXFileNameProc);
        LoadBuiltInPictures();
    }
}

void FreeCC()
{
    if (references > 0 && --references == 0) {
        UnregisterClassA(QXBUTTON_CLASS, ControlsLibrary());
        UnregisterClassA(QXFILENAME_CLASS, ControlsLibrary());
        FreeBuiltInPictures();
    }
}
