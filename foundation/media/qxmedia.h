// Clients of the outside media server "QXQuickTime.exe", an out-of-process COM server:
// CMedia drives one of its media-player objects, CMediaModule its module object. Every
// method is one late-bound call by member name. An object whose server could not be
// reached is not Active, and then every method does nothing and answers 0.
//
// Across the process boundary a window handle travels as its 32-bit value (all of it
// that is significant between processes) and window message parameters as 64-bit values.
// A device context cannot travel at all: the server hands the current picture over as a
// packed DIB and the client draws it into the context.
#pragma once

#include "qxbase.h"

#include <oaidl.h>

// While a call to the media server is under way, the platform's call loop goes on handing
// this thread's window messages out: an object that called may find its page gone when the
// call returns. A call marks itself with a MEDIACALL; MediaCallUnderWay() tells whether the
// current thread is inside one.
class QXBASE_API MEDIACALL {
public:
    MEDIACALL();
    ~MEDIACALL();
    MEDIACALL(const MEDIACALL&) = delete;
    MEDIACALL& operator=(const MEDIACALL&) = delete;
};
QXBASE_API bool MediaCallUnderWay();

// Keeps the driver of an open MCI device loaded until the process ends (see mci_driver.cpp).
QXBASE_API void KeepMciDriverLoaded(UINT device);

class QXBASE_API CMedia {
public:
    CMedia();
    // Closes the media and ends the object's use of the server's runtime.
    ~CMedia();
    CMedia(const CMedia&) = delete;
    CMedia& operator=(const CMedia&) = delete;
    static void* operator new(size_t bytes);
    static void operator delete(void* block);

    int Active();

    // The window that is told of play ends and repainted while a video plays (may be
    // null). The server's answer, also stored in *result.
    long Init(HWND window, long* result);
    // The caller makes and frees the BSTR. Non-zero (also stored in *opened) when open.
    long Open(BSTR file, long* opened);
    long SaveAs(BSTR file, long* result);
    HRESULT Play();   // from the current position
    HRESULT Stop();
    HRESULT Close();
    HRESULT Home();   // to the start
    HRESULT End();    // to the end
    HRESULT Back();   // one step back
    HRESULT Next();   // one step forward
    HRESULT Exit();
    HRESULT ShowControlBar();
    HRESULT HideControlBar();
    HRESULT SetLoop(long loop);
    // Where the picture is shown in the window given to Init.
    HRESULT SetXYWH(long x, long y, long w, long h);
    // With event 6, `message` is posted to the window given to Init when a play ends.
    HRESULT SetCallbackMessage(long event, long message);
    // Offers a message of the window to the server; *result is non-zero when it acted on it.
    HRESULT WndCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam, long* result);
    long GetDuration(long* duration);  // milliseconds
    long get_Width(long* width);
    long get_Height(long* height);
    long get_ControlbarHeight(long* height);
    // -1 for true, 0 for false.
    void isPlaying(int* playing);
    void isActivate(int* active);
    // The caller frees the BSTR stored in *file.
    HRESULT get_Filename(BSTR* file);
    HRESULT put_Filename(BSTR file);
    // The current picture at 0, 0: at its own size when w and h are both -1, else
    // stretched to w x h.
    HRESULT Update(HDC dc, long w, long h);
    // The current picture stretched into x, y, w, h.
    HRESULT DrawCurrentPosToDC(HDC dc, long x, long y, long w, long h);

private:
    HRESULT Call(int member, WORD kind, VARIANT* arguments, UINT count, VARIANT* result);
    long CallForLong(int member, WORD kind, VARIANT* arguments, UINT count, long* out);
    void CallForBool(int member, int* out);
    HRESULT DrawFrame(int member, HDC dc, long x, long y, long w, long h);

    IUnknown* unknown;
    IDispatch* dispatch;
};

class QXBASE_API CMediaModule {
public:
    CMediaModule();
    ~CMediaModule();
    CMediaModule(const CMediaModule&) = delete;
    CMediaModule& operator=(const CMediaModule&) = delete;
    static void* operator new(size_t bytes);
    static void operator delete(void* block);

    int Active();
    // Starts the server's media runtime for the process.
    HRESULT Init();
    HRESULT Exit();
    // 1 when the outside media runtime is installed, else 0.
    int IsQuickTime4Install();

private:
    HRESULT Call(DISPID member, VARIANT* result);

    IUnknown* unknown;
    IDispatch* dispatch;
    DISPID initId;
    DISPID exitId;
    DISPID installedId;
};
