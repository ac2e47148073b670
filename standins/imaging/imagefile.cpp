// Decoding and encoding through the system's imaging component.
#include "imagefile.h"

#include "iconcheck.h"

#include "imageresult.h"
#include "imagetransform.h"
#include "wicsession.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

// Files larger than this are no images a page shows; refusing them keeps the read bounded.
constexpr long MaxFileBytes = 256L << 20;

const GUID* ContainerOf(int format)
{
    switch (format) {
    case IMAGE_FORMAT_BMP: return &GUID_ContainerFormatBmp;
    case IMAGE_FORMAT_PNG: return &GUID_ContainerFormatPng;
    case IMAGE_FORMAT_JPEG: return &GUID_ContainerFormatJpeg;
    case IMAGE_FORMAT_GIF: return &GUID_ContainerFormatGif;
    case IMAGE_FORMAT_TIFF: return &GUID_ContainerFormatTiff;
    case IMAGE_FORMAT_ICO: return &GUID_ContainerFormatIco;
    default: return nullptr;
    }
}

// The image's rows top-down, in the pixel layout the encoder is given.
struct EncoderSource {
    WICPixelFormatGUID format;
    UINT stride;
    std::vector<BYTE> bytes;
};

EncoderSource TopDown(const ImageBitmap& image)
{
    EncoderSource source;
    const int width = image.Width();
    const int height = image.Height();
    if (image.BitsPerPixel() == 8) {
        source.format = GUID_WICPixelFormat8bppIndexed;
        source.stride = static_cast<UINT>(image.Stride());
        source.bytes.resize(source.stride * static_cast<size_t>(height));
        for (int y = 0; y < height; ++y)
            std::memcpy(&source.bytes[y * source.stride], image.Row(y), source.stride);
        return source;
    }
    source.format = GUID_WICPixelFormat24bppBGR;
    source.stride = static_cast<UINT>((width * 3 + 3) & ~3);
    source.bytes.resize(source.stride * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        BYTE* out = &source.bytes[y * source.stride];
        for (int x = 0; x < width; ++x, out += 3) {
            const COLORREF c = image.PixelColor(x, y);
            out[0] = GetBValue(c);
            out[1] = GetGValue(c);
            out[2] = GetRValue(c);
        }
    }
    return source;
}

int WriteFrame(IWICImagingFactory* factory, IWICBitmapFrameEncode* frame, const ImageBitmap& image)
{
    const EncoderSource source = TopDown(image);
    WICPixelFormatGUID accepted = source.format;
    if (FAILED(frame->SetSize(image.Width(), image.Height())) || FAILED(frame->SetPixelFormat(&accepted)))
        return IMAGE_ERROR_NO_ENCODER;
    ComRef<IWICPalette> palette;
    if (source.format == GUID_WICPixelFormat8bppIndexed) {
        std::vector<WICColor> colours;
        for (const RGBQUAD& q : image.Palette())
            colours.push_back(0xFF000000u | (WICColor{q.rgbRed} << 16) | (WICColor{q.rgbGreen} << 8) | q.rgbBlue);
        if (FAILED(factory->CreatePalette(palette.Out()))
            || FAILED(palette->InitializeCustom(colours.data(), static_cast<UINT>(colours.size()))))
            return IMAGE_ERROR_NO_MEMORY;
        frame->SetPalette(palette.Get());
    }
    ComRef<IWICBitmap> bitmap;
    if (FAILED(factory->CreateBitmapFromMemory(image.Width(), image.Height(), source.format, source.stride,
                                               static_cast<UINT>(source.bytes.size()),
                                               const_cast<BYTE*>(source.bytes.data()), bitmap.Out())))
        return IMAGE_ERROR_NO_MEMORY;
    if (palette)
        bitmap->SetPalette(palette.Get());
    // The encoder may answer another pixel format than asked (a 24-bit-only codec, say).
    ComRef<IWICBitmapSource> converted;
    IWICBitmapSource* written = bitmap.Get();
    if (accepted != source.format) {
        if (FAILED(WICConvertBitmapSource(accepted, bitmap.Get(), converted.Out())))
            return IMAGE_ERROR_NO_ENCODER;
        written = converted.Get();
    }
    if (FAILED(frame->WriteSource(written, nullptr)) || FAILED(frame->Commit()))
        return IMAGE_ERROR_FILE_WRITE;
    return IMAGE_SUCCESS;
}

int Encode(const ImageBitmap& image, const std::string& name, const GUID& container)
{
    WicSession session;
    IWICImagingFactory* factory = session.Factory();
    if (!factory)
        return IMAGE_ERROR_COMPONENT;
    ComRef<IWICBitmapEncoder> encoder;
    if (FAILED(factory->CreateEncoder(container, nullptr, encoder.Out())))
        return IMAGE_ERROR_NO_ENCODER;
    wchar_t wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide, MAX_PATH))
        return IMAGE_ERROR_INVALID_ARGUMENT;
    ComRef<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.Out())) || FAILED(stream->InitializeFromFilename(wide, GENERIC_WRITE)))
        return IMAGE_ERROR_FILE_WRITE;
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> options;
    if (FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache))
        || FAILED(encoder->CreateNewFrame(frame.Out(), options.Out())) || FAILED(frame->Initialize(options.Get())))
        return IMAGE_ERROR_FILE_WRITE;
    const int written = WriteFrame(factory, frame.Get(), image);
    if (written != IMAGE_SUCCESS)
        return written;
    return SUCCEEDED(encoder->Commit()) ? IMAGE_SUCCESS : IMAGE_ERROR_FILE_WRITE;
}

// Copies top-down rows delivered by `source` into the bottom-up image.
int CopyRows(IWICBitmapSource* source, UINT stride, ImageBitmap* image)
{
    std::vector<BYTE> rows(static_cast<size_t>(stride) * image->Height());
    if (FAILED(source->CopyPixels(nullptr, stride, static_cast<UINT>(rows.size()), rows.data())))
        return IMAGE_ERROR_BAD_DATA;
    const size_t used = std::min<size_t>(stride, image->Stride());
    for (int y = 0; y < image->Height(); ++y)
        std::memcpy(image->Row(y), &rows[y * static_cast<size_t>(stride)], used);
    return IMAGE_SUCCESS;
}

int CopyConvertedFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, ImageBitmap* image)
{
    ComRef<IWICFormatConverter> converter;
    const WICPixelFormatGUID& wanted = image->BitsPerPixel() == 32 ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    if (FAILED(factory->CreateFormatConverter(converter.Out()))
        || FAILED(converter->Initialize(frame, wanted, WICBitmapDitherTypeNone, nullptr, 0.0, WICBitmapPaletteTypeCustom)))
        return IMAGE_ERROR_BAD_DATA;
    return CopyRows(converter.Get(), static_cast<UINT>(image->Stride()), image);
}

// Palette frames (GIF) are expanded here: the component's converter does not take them
// on every system.
int CopyIndexedFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, ImageBitmap* image)
{
    ImageBitmap indexed;
    const int made = indexed.Allocate(image->Width(), image->Height(), 8);
    if (made != IMAGE_SUCCESS)
        return made;
    ComRef<IWICPalette> palette;
    WICColor colours[256] = {};
    UINT count = 0;
    if (FAILED(factory->CreatePalette(palette.Out())) || FAILED(frame->CopyPalette(palette.Get()))
        || FAILED(palette->GetColors(256, colours, &count)))
        return IMAGE_ERROR_BAD_DATA;
    RGBQUAD table[256] = {};
    for (UINT i = 0; i < count; ++i)
        table[i] = RGBQUAD{static_cast<BYTE>(colours[i]), static_cast<BYTE>(colours[i] >> 8),
                           static_cast<BYTE>(colours[i] >> 16), 0};
    indexed.SetPalette(table, 256);
    const int copied = CopyRows(frame, static_cast<UINT>(indexed.Stride()), &indexed);
    if (copied != IMAGE_SUCCESS)
        return copied;
    for (int y = 0; y < image->Height(); ++y)
        for (int x = 0; x < image->Width(); ++x) {
            const COLORREF c = indexed.PixelColor(x, y);
            image->SetRawPixel(x, y, (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c));
        }
    return IMAGE_SUCCESS;
}

}  // namespace

int ImageFile::LoadFromMemory(const void* bytes, size_t length, int bitsPerPixel)
{
    if (!bitmap_)
        return IMAGE_ERROR_NO_IMAGE;
    if (!bytes || length == 0 || length > static_cast<size_t>(MaxFileBytes) || (bitsPerPixel != 24 && bitsPerPixel != 32))
        return IMAGE_ERROR_INVALID_ARGUMENT;
    if (!IconHeadersSound(static_cast<const unsigned char*>(bytes), length))
        return IMAGE_ERROR_BAD_DATA;
    WicSession session;
    IWICImagingFactory* factory = session.Factory();
    if (!factory)
        return IMAGE_ERROR_COMPONENT;
    ComRef<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.Out()))
        || FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), static_cast<DWORD>(length))))
        return IMAGE_ERROR_NO_MEMORY;
    ComRef<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())))
        return IMAGE_ERROR_NO_DECODER;
    ComRef<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    WICPixelFormatGUID native{};
    if (FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height))
        || FAILED(frame->GetPixelFormat(&native)))
        return IMAGE_ERROR_BAD_DATA;
    ImageBitmap decoded;
    const int made = decoded.Allocate(static_cast<int>(width), static_cast<int>(height), bitsPerPixel);
    if (made != IMAGE_SUCCESS)
        return made;
    try {
        const int copied = native == GUID_WICPixelFormat8bppIndexed
            ? CopyIndexedFrame(factory, frame.Get(), &decoded)
            : CopyConvertedFrame(factory, frame.Get(), &decoded);
        if (copied != IMAGE_SUCCESS)
            return copied;
    } catch (const std::bad_alloc&) {
        return IMAGE_ERROR_NO_MEMORY;
    }
    bitmap_->TakePixels(decoded);
    return IMAGE_SUCCESS;
}

int ImageFile::Load(HANDLE file, long offset, long length, int bitsPerPixel)
{
    if (!file || file == INVALID_HANDLE_VALUE || offset < 0 || length <= 0 || length > MaxFileBytes)
        return IMAGE_ERROR_INVALID_ARGUMENT;
    try {
        std::vector<BYTE> bytes(static_cast<size_t>(length));
        DWORD read = 0;
        if (SetFilePointer(file, offset, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER
            || !ReadFile(file, bytes.data(), static_cast<DWORD>(length), &read, nullptr) || read != static_cast<DWORD>(length))
            return IMAGE_ERROR_FILE_READ;
        return LoadFromMemory(bytes.data(), bytes.size(), bitsPerPixel);
    } catch (const std::bad_alloc&) {
        return IMAGE_ERROR_NO_MEMORY;
    }
}

int ImageFile::Save(int format, int bitsPerPixel)
{
    if (!bitmap_ || !bitmap_->IsAllocated())
        return IMAGE_ERROR_NO_IMAGE;
    const GUID* container = ContainerOf(format);
    if (!container || name_.empty())
        return IMAGE_ERROR_INVALID_ARGUMENT;
    try {
        // JPEG has no palette form: whatever depth is asked, it is written in colour.
        const bool palette = format != IMAGE_FORMAT_JPEG && bitsPerPixel > 0 && bitsPerPixel <= 8;
        if ((palette || format == IMAGE_FORMAT_GIF) && bitmap_->BitsPerPixel() != 8) {
            ImageBitmap reduced;
            const int copied = CopyImage(*bitmap_, &reduced);
            const int made = copied == IMAGE_SUCCESS ? ReduceTo8Bits(&reduced) : copied;
            return made == IMAGE_SUCCESS ? Encode(reduced, name_, *container) : made;
        }
        return Encode(*bitmap_, name_, *container);
    } catch (const std::bad_alloc&) {
        return IMAGE_ERROR_NO_MEMORY;
    }
}

bool ImageFile::CanSave(int format)
{
    const GUID* container = ContainerOf(format);
    WicSession session;
    ComRef<IWICBitmapEncoder> encoder;
    return container && session.Factory()
        && SUCCEEDED(session.Factory()->CreateEncoder(*container, nullptr, encoder.Out()));
}
