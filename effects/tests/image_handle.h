// A picture handed to an effect as either kind of image: a bitmap handle or a packed DIB.
#pragma once

#include "picture.h"
#include "test_dibs.h"

#include <memory>

class ImageHandle {
public:
    ImageHandle(const Picture& picture, int kind);
    ~ImageHandle();
    ImageHandle(const ImageHandle&) = delete;
    ImageHandle& operator=(const ImageHandle&) = delete;

    HANDLE get() const;
    int Kind() const { return kind_; }

private:
    int kind_;
    HBITMAP bitmap_ = nullptr;
    std::unique_ptr<GlobalBlock> dib_;
};

const char* KindName(int kind);
