// A visible window whose client area effects are drawn on. Wine's null display driver keeps
// the pixels of window surfaces, so what an effect leaves on the window's DC is read back
// from the window itself.
#pragma once

#include "picture.h"

class TargetWindow {
public:
    TargetWindow(int width, int height);
    ~TargetWindow();
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;

    HWND Handle() const { return window_; }
    // A DC of the client area, held for the window's lifetime.
    HDC Dc() const { return dc_; }
    // Paints the picture over the whole client area.
    void Show(const Picture& picture) const;
    // The client area as it is now.
    Picture Read() const;

private:
    int width_;
    int height_;
    HWND window_;
    HDC dc_;
};

// `picture` with `inset` copied over it at (left, top).
Picture WithInset(Picture picture, const Picture& inset, int left, int top);
