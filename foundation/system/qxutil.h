// Small utilities used across all modules: the message boxes through which errors and
// warnings reach the user, enabling dialog controls, system metrics, version blocks,
// fitting rectangles and the directory chooser's entry points.
#pragma once

#include "qxbase.h"
#include "qxstring.h"

// Message box with an OK button and the error icon; always 0, so that a caller can hand
// the result on as its own failure.
QXBASE_API int Alert(HWND owner, const char* caption, const char* text);
// The same with the warning icon.
QXBASE_API int Warning(HWND owner, const char* caption, const char* text);

// Enables or disables the dialog's control `id` (low 16 bits); the system's EnableWindow result.
QXBASE_API BOOL EnableWindowInDialog(HWND dialog, int id);
QXBASE_API BOOL DisableWindowInDialog(HWND dialog, int id);

// GetSystemMetrics, with the frame width and height (32, 33) one less on the systems for
// which TrueGetVersion answers 4 or 2.
QXBASE_API int _GetSystemMetrics(int index);

// The four 16-bit parts of the file version of the file's version block and, when
// `description` is given, its FileDescription text cut to descriptionSize-1 characters
// (emptied first; left empty when the block has none). 0 when the file has no version
// block, else 1; the numbers stay unchanged when the fixed part cannot be read.
QXBASE_API int GetFileVersion(const char* file, int* major, int* minor, int* release, int* build,
                              char* description = nullptr, int descriptionSize = 0);

// Places the content's size centred inside the frame, scaled to fit with its aspect ratio
// kept when it is larger than the frame or when `always` is non-zero. 1, or 0 for a null
// pointer.
QXBASE_API int StretchRectToFit(RECT* out, const RECT* frame, const RECT* content, int always);

// The directory chooser starting at `dir` (at most 499 characters are used). When the user
// confirms, the chosen folder, ending with '\', is copied back cut to size-1 characters.
// Non-zero when a folder was chosen.
QXBASE_API int SelectDirectory(HWND owner, char* dir, unsigned size);
// The same on a string, changed only when a folder was chosen.
QXBASE_API int SelectDirectoryStr(HWND owner, QXSTRING* dir);

// The system's CreateDIBitmap.
QXBASE_API HBITMAP QXCreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                                    const BITMAPINFO* info, UINT usage);
