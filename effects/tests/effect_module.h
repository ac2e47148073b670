// An effect module loaded from the test program's folder and bound by name, as the kernel
// binds it.
#pragma once

#include <windows.h>

#include <string>

struct Area;

class EffectModule {
public:
    explicit EffectModule(const std::string& fileName);
    ~EffectModule();
    EffectModule(const EffectModule&) = delete;
    EffectModule& operator=(const EffectModule&) = delete;

    HMODULE Handle() const { return module_; }
    const std::string& FileName() const { return fileName_; }
    bool Bound() const { return draw_ && count_ && name_; }

    int Count() const { return count_(); }
    int Name(int index, char* buffer, int size) const { return name_(index, buffer, size); }
    // The name of effect `index`, read into a buffer as large as the kernel's.
    std::string NameOf(int index) const;
    int Draw(HDC dc, const Area& area, HANDLE image, int kind, int index, HPALETTE palette = nullptr,
             int paletteForeground = 0) const;

private:
    using DrawFn = int(WINAPI*)(HWND, HDC, int, int, int, int, HANDLE, HPALETTE, DWORD, int, int, int);
    using CountFn = int(WINAPI*)();
    using NameFn = int(WINAPI*)(int, char*, int);

    std::string fileName_;
    HMODULE module_;
    DrawFn draw_ = nullptr;
    CountFn count_ = nullptr;
    NameFn name_ = nullptr;
};

// The two modules, loaded once for the whole test program.
const EffectModule& Wipe2();
const EffectModule& Wipe3();
