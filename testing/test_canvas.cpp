#include "test_canvas.h"

#include <wincodec.h>

namespace {

// Releases a COM interface when it goes.
template <class T>
struct ComRef {
    T* p = nullptr;
    ~ComRef()
    {
        if (p)
            p->Release();
    }
};

}  // namespace

TestCanvas::TestCanvas(int width, int height, COLORREF fill)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr))
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row y starts at bits + y * width
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    section_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, section_);
    Fill(fill);
}

TestCanvas::~TestCanvas()
{
    SelectObject(dc_, old_);
    DeleteObject(section_);
    DeleteDC(dc_);
}

void TestCanvas::Fill(COLORREF colour)
{
    GdiFlush();
    const uint32_t raw = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (int i = 0; i < width_ * height_; ++i)
        bits_[i] = raw;
}

uint32_t TestCanvas::Raw(int x, int y) const
{
    GdiFlush();
    return bits_[y * width_ + x] & 0x00FFFFFF;
}

COLORREF TestCanvas::Pixel(int x, int y) const
{
    const uint32_t raw = Raw(x, y);
    return RGB((raw >> 16) & 0xFF, (raw >> 8) & 0xFF, raw & 0xFF);
}

std::vector<uint32_t> TestCanvas::Pixels() const
{
    GdiFlush();
    std::vector<uint32_t> pixels(bits_, bits_ + width_ * height_);
    for (uint32_t& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

bool TestCanvas::SavePng(const wchar_t* path) const
{
    GdiFlush();
    bool started = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    bool saved = false;
    {
        ComRef<IWICImagingFactory> factory;
        ComRef<IWICStream> stream;
        ComRef<IWICBitmapEncoder> encoder;
        ComRef<IWICBitmapFrameEncode> frame;
        WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
        const UINT stride = static_cast<UINT>(width_) * 4;
        saved = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_PPV_ARGS(&factory.p))) &&
                SUCCEEDED(factory.p->CreateStream(&stream.p)) &&
                SUCCEEDED(stream.p->InitializeFromFilename(path, GENERIC_WRITE)) &&
                SUCCEEDED(factory.p->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder.p)) &&
                SUCCEEDED(encoder.p->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
                SUCCEEDED(encoder.p->CreateNewFrame(&frame.p, nullptr)) && SUCCEEDED(frame.p->Initialize(nullptr)) &&
                SUCCEEDED(frame.p->SetSize(static_cast<UINT>(width_), static_cast<UINT>(height_))) &&
                SUCCEEDED(frame.p->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat32bppBGR) &&
                SUCCEEDED(frame.p->WritePixels(static_cast<UINT>(height_), stride, stride * static_cast<UINT>(height_),
                                               reinterpret_cast<BYTE*>(bits_))) &&
                SUCCEEDED(frame.p->Commit()) && SUCCEEDED(encoder.p->Commit());
    }
    if (started)
        CoUninitialize();
    return saved;
}
