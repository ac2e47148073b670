// Support wrappers carried by every module: the zero-filling allocator with its
// out-of-memory box, null-safe Win32 and GDI wrappers, file helpers with fixed return
// conventions, the modal-dialog runner and the creation of tagged object windows.
// Each module compiles its own copy, so memory is released by the module that took it.
#pragma once

#include "qxplatform.h"

// Zero-filled block of count * size bytes; null on failure, without any message.
void* QXCallocZero(size_t count, size_t size);

// Hooks called by KernStart and KernEnd; they have nothing to do.
void QXModuleStart();
void QXModuleEnd();

// Scope guard that releases a heap array with delete[].
template <class T>
class TArrayCleaner {
public:
    explicit TArrayCleaner(T* array = nullptr) : array_(array) {}
    ~TArrayCleaner() { delete[] array_; }
    TArrayCleaner(const TArrayCleaner&) = delete;
    TArrayCleaner& operator=(const TArrayCleaner&) = delete;
    void Set(T* array) { array_ = array; }
    T* Get() const { return array_; }

private:
    T* array_;
};

// Thin wrappers: the call's arguments and result, unchanged unless noted.
HGLOBAL QXGlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL QXGlobalFree(HGLOBAL block);
LPVOID QXGlobalLock(HGLOBAL block);
BOOL QXGlobalUnlock(HGLOBAL block);
BOOL QXDeleteObject(HGDIOBJ object);
HRGN QXCreateRectRgn(int left, int top, int right, int bottom);
HRGN QXCreateRectRgnIndirect(const RECT* rect);
HPEN QXCreatePen(int style, int width, COLORREF colour);
HBRUSH QXCreateSolidBrush(COLORREF colour);
HBRUSH QXCreateBrushIndirect(const LOGBRUSH* brush);
BOOL QXInvalidateRect(HWND window, const RECT* rect, BOOL erase);  // 0 for a null window
HFONT QXCreateFontIndirect(const LOGFONTA* font);
HBITMAP QXCreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP QXLoadBitmap(HINSTANCE module, LPCSTR name);
HDC QXBeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL QXEndPaint(HWND window, const PAINTSTRUCT* paint);
HDC QXCreateCompatibleDC(HDC dc);
BOOL QXDeleteDC(HDC dc);
HDC QXGetDC(HWND window);
HDC QXGetDCEx(HWND window, HRGN clip, DWORD flags);
int QXReleaseDC(HWND window, HDC dc);
DWORD QXGetModuleFileName(HMODULE module, LPSTR name, DWORD size);
DWORD QXGetFileSize(QXFILE file);                       // low 32 bits
BOOL QXRemoveDirectory(LPCSTR path);                    // 0 for a null path
BOOL QXDeleteFile(LPCSTR name);                         // 0 for a null name

// File helpers on handles opened by QXopen.
// Bytes read (0 at the end of the file), or -1 when the read fails.
long QXReadFile(QXFILE file, void* buffer, unsigned long count);
// Bytes written, or -1 on failure. Short writes are not retried.
long QXWriteFile(QXFILE file, const void* buffer, unsigned long count);
// Writes the text without its terminator: how every CRLF line of the system's files is written.
long QXWriteString(QXFILE file, const char* text);
// origin 0 from the start, 1 from the current position, 2 from the end; the new position,
// or -1 for any other origin (the position is then unchanged).
long QXSeekFile(QXFILE file, long distance, int origin);

// Runs a dialog from its template and keeps what EndDialog returned (-1 when it
// could not be created).
class MODALDIALOG {
public:
    MODALDIALOG(HINSTANCE module, HWND parent, LPCSTR templateName, DLGPROC procedure, LPARAM parameter);
    INT_PTR result;
};

// Object windows: the class "KernObjetWindow" reserves these extra bytes.
constexpr int QX_OBJECT_WINDOW_EXTRA = 40;
constexpr int QXWL_OBJET = 0;         // the object pointer, pointer-sized
constexpr int QXWL_MARK = 8;          // QX_OBJECT_WINDOW_MARK
constexpr int QXWL_PAGENAME = 12;     // page name without ".PAG", zero-terminated, to byte 39
constexpr LONG QX_OBJECT_WINDOW_MARK = static_cast<LONG>(0xAAAAAAAA);
constexpr int QX_PAGENAME_TAG_BYTES = QX_OBJECT_WINDOW_EXTRA - QXWL_PAGENAME;

// Creates a window (extended style 0) and tags it with the mark and, when given, the page
// name. Null when the window could not be created.
HWND QXCreateTaggedWindow(LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                          int height, HWND parent, HMENU menu, HINSTANCE module, LPVOID parameter,
                          LPCSTR pageName);
