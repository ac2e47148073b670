// A small container of the tests: a host window with a client site that activates the control
// in place, answers its ambient properties, drives it through IDispatch and receives its events
// through a connection-point sink.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <oleauto.h>

#include <functional>
#include <string>
#include <vector>

// What the container tells the control of itself.
struct AMBIENTS {
    bool userMode = true;
    COLORREF back = RGB(255, 255, 255);
    COLORREF fore = RGB(0, 0, 0);
    std::wstring displayName = L"QXStage1";
    bool ownPropertyFrame = false;  // the container shows the control's properties itself
};

// One event as the sink received it: its identifier and its texts as they came.
struct FIREDEVENT {
    DISPID id;
    std::vector<std::string> texts;  // the object name, user string and second string
};

// The event's arguments in the event interface's order, which a handler may change.
class EVENTARGUMENTS {
public:
    explicit EVENTARGUMENTS(DISPPARAMS& params) : params_(params) {}
    UINT Count() const { return params_.cArgs; }
    VARIANTARG& operator[](UINT index) { return params_.rgvarg[params_.cArgs - 1 - index]; }
    // The by-reference flags and text.
    void SetFlag(UINT index, bool value) { *(*this)[index].pboolVal = value ? VARIANT_TRUE : VARIANT_FALSE; }
    void SetText(UINT index, const std::string& text);

private:
    DISPPARAMS& params_;
};

using EVENTHANDLER = std::function<void(DISPID, EVENTARGUMENTS&)>;

class TestContainer {
public:
    // A host window of that client size; the control is made from its ProgID.
    explicit TestContainer(int width = 640, int height = 480, AMBIENTS ambients = {});
    // The same with a control made by the caller (one loaded from elsewhere), which it hands over.
    TestContainer(IUnknown* control, int width, int height, AMBIENTS ambients);
    ~TestContainer();
    TestContainer(const TestContainer&) = delete;
    TestContainer& operator=(const TestContainer&) = delete;

    HRESULT Made() const { return made_; }
    IUnknown* Control() const { return control_; }
    // Client site set, in-place activation, events connected.
    HRESULT Activate();

    HRESULT Put(const wchar_t* name, const VARIANT& value);
    HRESULT PutText(const wchar_t* name, const std::string& text);
    HRESULT PutLong(const wchar_t* name, long value);
    std::string GetText(const wchar_t* name);
    long GetLong(const wchar_t* name);
    HRESULT CallMethod(const wchar_t* name);

    HWND Host() const { return host_; }
    // The control's window, the kernel's child window on it, and the page on top there.
    HWND ControlWindow() const;
    HWND KernelWindow() const;
    HWND Page() const;
    int Closes() const { return closes_; }
    // How often the control asked the container to show its own property frame.
    int PropertyFramesAsked() const;

    void OnEvent(EVENTHANDLER handler) { handler_ = std::move(handler); }
    const std::vector<FIREDEVENT>& Events() const { return events_; }
    void ClearEvents() { events_.clear(); }

private:
    class Site;
    class Sink;
    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Embed(int width, int height);
    HRESULT Invoke(const wchar_t* name, WORD flags, VARIANT* argument, VARIANT* result);

    HRESULT made_ = E_FAIL;
    HWND host_ = nullptr;
    IUnknown* control_ = nullptr;
    Site* site_ = nullptr;
    Sink* sink_ = nullptr;
    IConnectionPoint* point_ = nullptr;
    DWORD cookie_ = 0;
    int closes_ = 0;
    EVENTHANDLER handler_;
    std::vector<FIREDEVENT> events_;
    AMBIENTS ambients_;
};
