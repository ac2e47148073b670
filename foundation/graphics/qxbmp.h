// BMP: the one bitmap type of the system. It holds one image of the imaging layer and adds
// the prefixed-file test, playback transparency, a nesting lock that exposes the pixels as
// a packed DIB, rotation bookkeeping and the exchange with Windows DIBs and bitmaps.
#pragma once

#include "qxbase.h"

#include <cstddef>

class ImageBitmap;
class ImageFile;

// File formats of BMP::Export, numbered as the imaging layer numbers them.
enum BMP_FILE_FORMAT {
    BMP_FORMAT_BMP = 1,
    BMP_FORMAT_PNG = 2,
    BMP_FORMAT_JPEG = 3,
    BMP_FORMAT_GIF = 4,
    BMP_FORMAT_TIFF = 5,
    BMP_FORMAT_ICO = 6,
};

// The 32-bit little-endian value that may precede an image file; the image follows it.
constexpr unsigned long BMP_FILE_PREFIX = 0xFEEDBAC8;

class QXBASE_API BMP {
public:
    BMP();
    virtual ~BMP();
    BMP(const BMP&) = delete;
    BMP& operator=(const BMP&) = delete;
    static void* operator new(size_t bytes);
    static void operator delete(void* block);

    void Clear();
    int Active();
    // Width and height; 0, 0 and result 0 without an image, else the height.
    int GetWH(int& w, int& h);
    int GetFileWH(int& w, int& h);
    int GetBPP(int& bpp);

    // Nonzero when the open file begins with BMP_FILE_PREFIX (read from offset 0).
    int Decrypt(QXFILE file);
    // 0 on success, 1 on failure (the image is then unchanged).
    int Import(const char* name);
    // 0 when the file was written, 1 when not (no name, no image, or the write failed).
    int Export(const char* name, int format, int bpp);
    int New(int w, int h, int bpp);
    // 0 on success, 1 when the block cannot be locked or holds no usable DIB.
    int Paste(HGLOBAL dib);
    HGLOBAL CreateDIB();
    HBITMAP CreateHBITMAP();
    int NewFromBitmap(HDC dc, HBITMAP bitmap);
    // 1 on success, 0 on failure.
    int LoadResourceDIB(HINSTANCE module, const char* name);
    int LoadFromHResource(HGLOBAL resource);
    int LoadBmpFileFromHResource(HGLOBAL resource);
    int Grab(HWND window);

    void SetSrcBitmap(int left, int top, int right, int bottom);
    int Draw(HDC dc, int x, int y, long rop, int unused);
    int Draw(HDC dc, int x, int y, int w, int h, long rop, int unused);
    // Draws the source rectangle (sx, sy, sw, sh) of the image into (x, y, w, h).
    int Draw(HDC dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh, long rop, int unused);
    void DrawDataLine(int x, int row, int count, unsigned char* data, int unused);
    int Print(HDC dc);
    int Print(HDC dc, int x, int y, int w, int h);

    // 0 on success, 1 on failure or without an image.
    int DemoteTo8Bits();
    int Resize(int w, int h);
    // Turns by a quarter-turn multiple (relative, or to `angle` when absolute); the
    // accumulated angle afterwards.
    int Rotate(int angle, int absolute);
    int FlipVertical();
    int FlipVert();
    int FlipHorizontal();
    // Keeps the rectangle (top-down coordinates); 1 when cropped.
    int SetCrop(int left, int top, int right, int bottom);
    int GetPixelColor(int x, int y, unsigned long* colour);

    void SetPalette(int count, RGBQUAD* entries);
    void* Lock();
    int Unlock();
    int IsTransparentColor();
    int GetTransparentColorEnable();
    COLORREF GetTransparentColor();
    void SetTransparentColor(COLORREF colour);
    void SetTransparentColorEnable(bool enable);

    // The result code of the last imaging call made by any BMP: 1 for success, else the
    // layer's negative code.
    static int LastLibraryResult();

private:
    int Paint(HDC dc, long rop);

    int lockDepth;
    void* lockedBits;
    HGLOBAL lockedDIB;
    BITMAPINFOHEADER* lockedHeader;
    ImageFile* file;
    ImageBitmap* bitmap;
    int angle;
};
