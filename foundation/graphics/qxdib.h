// Device-independent bitmaps held as packed DIBs in global memory: creating, measuring,
// converting to and from device-dependent bitmaps, grabbing the screen or a window,
// painting, loading and saving .BMP files, and printing with banding and an abort dialog.
// Functions that can fail answer null or one of the error codes below; _DIBError shows
// a code's message.
#pragma once

#include "qxbase.h"

enum DIB_ERROR {
    DIB_ERR_NOT_DIB = 0,
    DIB_ERR_MEMORY = 1,
    DIB_ERR_READ = 2,
    DIB_ERR_LOCK = 3,
    DIB_ERR_OPEN = 4,
    DIB_ERR_PALETTE = 5,
    DIB_ERR_GET_DC = 6,
    DIB_ERR_DDB = 7,
    DIB_ERR_STRETCHBLT = 8,
    DIB_ERR_STRETCHDIBITS = 9,
    DIB_ERR_SETDIBITSTODEVICE = 10,
    DIB_ERR_STARTDOC = 11,
    DIB_ERR_NO_GDI = 12,
    DIB_ERR_SETABORTPROC = 13,
    DIB_ERR_STARTPAGE = 14,
    DIB_ERR_NEWFRAME = 15,
    DIB_ERR_ENDPAGE = 16,
    DIB_ERR_ENDDOC = 17,
    DIB_ERR_SETDIBITS = 18,
    DIB_ERR_FILE_NOT_FOUND = 19,
    DIB_ERR_INVALID_HANDLE = 20,
    DIB_ERR_GENERAL = 21,
};

// Page sizes of _PrintDIB.
enum DIB_PRINT_KIND {
    DIB_PRINT_PAGE_WIDTH = 1,  // full page width, height in proportion
    DIB_PRINT_BEST = 2,        // the whole printable page
    DIB_PRINT_SCALED = 3,      // DIB size times the x and y scales, in device pixels
};

// Copy kinds of _CopyWindowToBitmap and friends.
enum DIB_WINDOW_KIND {
    DIB_WINDOW_WHOLE = 1,
    DIB_WINDOW_CLIENT = 2,
};

extern "C" {

QXBASE_API HANDLE _CreateDIB(DWORD width, DWORD height, WORD bits);
QXBASE_API LPSTR _FindDIBBits(LPSTR dib);
QXBASE_API DWORD _DIBWidth(LPSTR dib);
QXBASE_API DWORD _DIBHeight(LPSTR dib);
QXBASE_API WORD _PaletteSize(LPSTR dib);
QXBASE_API WORD _DIBNumColors(LPSTR dib);
QXBASE_API HPALETTE _CreateDIBPalette(HANDLE dib);
QXBASE_API HBITMAP _DIBToBitmap(HANDLE dib, HPALETTE palette);
QXBASE_API HANDLE _BitmapToDIB(HBITMAP bitmap, HPALETTE palette);
QXBASE_API int _PalEntriesOnDevice(HDC dc);
QXBASE_API HPALETTE _GetSystemPalette(void);
QXBASE_API HANDLE _AllocRoomForDIB(BITMAPINFOHEADER header, HBITMAP bitmap);
QXBASE_API HANDLE _ChangeDIBFormat(HANDLE dib, WORD bits, DWORD compression);
QXBASE_API HANDLE _ChangeBitmapFormat(HBITMAP bitmap, WORD bits, DWORD compression, HPALETTE palette);
QXBASE_API HBITMAP _CopyScreenToBitmap(LPRECT rect);
QXBASE_API HBITMAP _CopyWindowToBitmap(HWND window, WORD kind);
QXBASE_API HANDLE _CopyWindowToDIB(HWND window, WORD kind);
QXBASE_API HANDLE _CopyScreenToDIB(LPRECT rect);
QXBASE_API BOOL _PaintDIB(HDC dc, LPRECT destination, HANDLE dib, LPRECT source, HPALETTE palette);
QXBASE_API BOOL _PaintBitmap(HDC dc, LPRECT destination, HBITMAP bitmap, LPRECT source, HPALETTE palette);
QXBASE_API HANDLE _LoadDIB(LPCSTR name);
QXBASE_API WORD _SaveDIB(HANDLE dib, LPCSTR name);
QXBASE_API WORD _DestroyDIB(HANDLE dib);
QXBASE_API WORD _PrintDIB(HANDLE dib, WORD kind, WORD xScale, WORD yScale, LPCSTR title);
QXBASE_API WORD _PrintWindow(HWND window, WORD copyKind, WORD printKind, WORD xScale, WORD yScale, LPCSTR title);
QXBASE_API WORD _PrintScreen(LPRECT rect, WORD printKind, WORD xScale, WORD yScale, LPCSTR title);
QXBASE_API int _DIBError(int code);

// _PrintDIB on a device context without a spooler (a memory or metafile DC) whose page is
// pageWidth x pageHeight pixels: the same dialog, page rectangle and band painting, with
// bands of bandRows rows (0: one unbanded page). Print previews use it.
QXBASE_API WORD _PrintDIBToDC(HANDLE dib, HDC dc, int pageWidth, int pageHeight, WORD kind, WORD xScale,
                              WORD yScale, LPCSTR title, int bandRows);

}
