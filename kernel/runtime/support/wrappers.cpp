// Thin Win32 and GDI wrappers, null-safe where the system relies on it.
#include "qxsupport.h"

HGLOBAL QXGlobalAlloc(UINT flags, SIZE_T bytes) { return GlobalAlloc(flags, bytes); }
HGLOBAL QXGlobalFree(HGLOBAL block) { return GlobalFree(block); }
LPVOID QXGlobalLock(HGLOBAL block) { return GlobalLock(block); }
BOOL QXGlobalUnlock(HGLOBAL block) { return GlobalUnlock(block); }
BOOL QXDeleteObject(HGDIOBJ object) { return DeleteObject(object); }
HRGN QXCreateRectRgn(int left, int top, int right, int bottom) { return CreateRectRgn(left, top, right, bottom); }
HRGN QXCreateRectRgnIndirect(const RECT* rect) { return CreateRectRgnIndirect(rect); }
HPEN QXCreatePen(int style, int width, COLORREF colour) { return CreatePen(style, width, colour); }
HBRUSH QXCreateSolidBrush(COLORREF colour) { return CreateSolidBrush(colour); }
HBRUSH QXCreateBrushIndirect(const LOGBRUSH* brush) { return CreateBrushIndirect(brush); }

BOOL QXInvalidateRect(HWND window, const RECT* rect, BOOL erase)
{
    // A null window would invalidate the whole desktop.
    return window ? InvalidateRect(window, rect, erase) : FALSE;
}

HFONT QXCreateFontIndirect(const LOGFONTA* font) { return CreateFontIndirectA(font); }
HBITMAP QXCreateCompatibleBitmap(HDC dc, int width, int height) { return CreateCompatibleBitmap(dc, width, height); }
HBITMAP QXLoadBitmap(HINSTANCE module, LPCSTR name) { return LoadBitmapA(module, name); }
HDC QXBeginPaint(HWND window, PAINTSTRUCT* paint) { return BeginPaint(window, paint); }
BOOL QXEndPaint(HWND window, const PAINTSTRUCT* paint) { return EndPaint(window, paint); }
HDC QXCreateCompatibleDC(HDC dc) { return CreateCompatibleDC(dc); }
BOOL QXDeleteDC(HDC dc) { return DeleteDC(dc); }
HDC QXGetDC(HWND window) { return GetDC(window); }
HDC QXGetDCEx(HWND window, HRGN clip, DWORD flags) { return GetDCEx(window, clip, flags); }
int QXReleaseDC(HWND window, HDC dc) { return ReleaseDC(window, dc); }
DWORD QXGetModuleFileName(HMODULE module, LPSTR name, DWORD size) { return GetModuleFileNameA(module, name, size); }
DWORD QXGetFileSize(QXFILE file) { return GetFileSize(file, nullptr); }
BOOL QXRemoveDirectory(LPCSTR path) { return path ? RemoveDirectoryA(path) : FALSE; }
BOOL QXDeleteFile(LPCSTR name) { return name ? DeleteFileA(name) : FALSE; }
