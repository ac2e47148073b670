// Runs a modal dialog and keeps its result.
#include "qxsupport.h"

MODALDIALOG::MODALDIALOG(HINSTANCE module, HWND parent, LPCSTR templateName, DLGPROC procedure,
                         LPARAM parameter)
    : result(DialogBoxParamA(module, templateName, parent, procedure, parameter))
{
}
