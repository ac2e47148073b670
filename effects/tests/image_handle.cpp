// Image handles of both kinds.
#include "image_handle.h"

#include "effect_request.h"

ImageHandle::ImageHandle(const Picture& picture, int kind) : kind_(kind)
{
    if (kind == kBitmapImage)
        bitmap_ = BitmapOf(picture);
    else
        dib_ = std::make_unique<GlobalBlock>(Dib24Of(picture));
}

ImageHandle::~ImageHandle()
{
    if (bitmap_)
        DeleteObject(bitmap_);
}

HANDLE ImageHandle::get() const
{
    return bitmap_ ? static_cast<HANDLE>(bitmap_) : dib_->get();
}

const char* KindName(int kind)
{
    return kind == kBitmapImage ? "Bitmap" : "PackedDib";
}
