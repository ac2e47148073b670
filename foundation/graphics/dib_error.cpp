// Messages of the DIB functions' error codes.
#include "qxdib.h"

namespace {

const char* const Messages[] = {
    "Not a Windows DIB file!",
    "Couldn't allocate memory!",
    "Error reading file!",
    "Error locking memory!",
    "Error opening file!",
    "Error creating palette!",
    "Error getting a DC!",
    "Error creating Device Dependent Bitmap",
    "StretchBlt() failed!",
    "StretchDIBits() failed!",
    "SetDIBitsToDevice() failed!",
    "Printer: StartDoc failed!",
    "Printing: GetModuleHandle() couldn't find GDI!",
    "Printer: SetAbortProc failed!",
    "Printer: StartPage failed!",
    "Printer: NEWFRAME failed!",
    "Printer: EndPage failed!",
    "Printer: EndDoc failed!",
    "SetDIBits() failed!",
    "File Not Found!",
    "Invalid Handle",
    "General Error on call to DIB function",
};

}  // namespace

int _DIBError(int code)
{
    const bool known = code >= 0 && code < static_cast<int>(sizeof Messages / sizeof Messages[0]);
    return MessageBoxA(nullptr, known ? Messages[code] : "Undefined Error!", nullptr, MB_ICONERROR);
}
