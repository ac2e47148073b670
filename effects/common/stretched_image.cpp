// Preparation of the image that an effect reveals.
#include "stretched_image.h"

#include "packed_dib.h"

namespace {

// A bitmap of the target size in a memory DC of its own, ready to be stretched into, with the
// caller's palette realised in both DCs for the time of the stretch.
class StretchTarget {
public:
    explicit StretchTarget(const EffectRequest& request)
        : targetPalette_(request.dc, request.palette),
          dc_(request.dc),
          bitmap_(CreateCompatibleBitmap(request.dc, request.area.width, request.area.height)),
          selection_(dc_.get(), bitmap_.get()),
          palette_(dc_.get(), request.palette)
    {
        SetStretchBltMode(dc_.get(), COLORONCOLOR);
    }

    bool Ready() const { return dc_ && bitmap_ && selection_.Taken(); }
    HDC Dc() const { return dc_.get(); }
    // Hands the stretched image out; it leaves this DC when the target goes.
    OwnedBitmap TakeBitmap() { return std::move(bitmap_); }

private:
    PaletteSelection targetPalette_;
    MemoryDc dc_;
    OwnedBitmap bitmap_;
    Selection selection_;
    PaletteSelection palette_;
};

OwnedBitmap StretchBitmap(const EffectRequest& request)
{
    auto source = static_cast<HBITMAP>(request.image);
    BITMAP size;
    if (GetObjectA(source, sizeof size, &size) != sizeof size)
        return OwnedBitmap();
    MemoryDc sourceDc(request.dc);
    if (!sourceDc)
        return OwnedBitmap();
    Selection sourceSelection(sourceDc.get(), source);
    if (!sourceSelection.Taken())
        return OwnedBitmap();

    StretchTarget target(request);
    if (!target.Ready())
        return OwnedBitmap();
    StretchBlt(target.Dc(), 0, 0, request.area.width, request.area.height, sourceDc.get(), 0, 0, size.bmWidth,
               size.bmHeight, SRCCOPY);
    return target.TakeBitmap();
}

// Locks a global block for the owner's lifetime.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL block) : block_(block), bytes_(static_cast<unsigned char*>(GlobalLock(block))) {}
    ~LockedBlock()
    {
        if (bytes_)
            GlobalUnlock(block_);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    const unsigned char* Bytes() const { return bytes_; }
    std::size_t Size() const { return GlobalSize(block_); }

private:
    HGLOBAL block_;
    unsigned char* bytes_;
};

OwnedBitmap StretchPackedDib(const EffectRequest& request)
{
    LockedBlock block(request.image);
    if (!block.Bytes())
        return OwnedBitmap();
    auto layout = ReadPackedDib(block.Bytes(), block.Size());
    if (!layout)
        return OwnedBitmap();

    StretchTarget target(request);
    if (!target.Ready())
        return OwnedBitmap();
    // The whole DIB, top-down or bottom-up, in its own orientation.
    StretchDIBits(target.Dc(), 0, 0, request.area.width, request.area.height, 0, 0, layout->width, layout->rows,
                  block.Bytes() + layout->bitsOffset, reinterpret_cast<const BITMAPINFO*>(block.Bytes()),
                  DIB_RGB_COLORS, SRCCOPY);
    return target.TakeBitmap();
}

} // namespace

OwnedBitmap StretchedImage(const EffectRequest& request)
{
    switch (request.imageKind) {
    case kBitmapImage: return StretchBitmap(request);
    case kPackedDibImage: return StretchPackedDib(request);
    default: return OwnedBitmap();
    }
}

OwnedBitmap BlackImage(HDC target, int width, int height)
{
    OwnedBitmap image(CreateCompatibleBitmap(target, width, height));
    MemoryDc dc(target);
    if (!image || !dc)
        return OwnedBitmap();
    Selection selection(dc.get(), image.get());
    RECT all = {0, 0, width, height};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return image;
}
