// Access to the system's imaging component for the duration of one operation.
#pragma once

#include <windows.h>
#include <wincodec.h>

// Owns one COM interface pointer.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    T** Out() { Reset(); return &p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset()
    {
        if (p_)
            p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// Initialises COM on the calling thread when it is not yet and creates the factory; both
// are released with the session. Factory() is null when the component is missing.
class WicSession {
public:
    WicSession();
    ~WicSession();
    WicSession(const WicSession&) = delete;
    WicSession& operator=(const WicSession&) = delete;
    IWICImagingFactory* Factory() const { return factory_.Get(); }

private:
    bool uninitialise_ = false;
    ComRef<IWICImagingFactory> factory_;
};
