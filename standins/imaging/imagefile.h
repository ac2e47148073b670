// Reading and writing image files for an ImageBitmap through the system's imaging component.
#pragma once

#include "imagebitmap.h"

#include <string>

// Container formats the layer knows; which of them can be written depends on the machine.
enum ImageFormat {
    IMAGE_FORMAT_BMP = 1,
    IMAGE_FORMAT_PNG = 2,
    IMAGE_FORMAT_JPEG = 3,
    IMAGE_FORMAT_GIF = 4,
    IMAGE_FORMAT_TIFF = 5,
    IMAGE_FORMAT_ICO = 6,
};

class ImageFile {
public:
    // The image that loads fill and saves write; not owned.
    void SetBitmap(ImageBitmap* bitmap) { bitmap_ = bitmap; }
    void SetFileName(const char* name) { name_ = name ? name : ""; }

    // Decodes `length` bytes from `offset` of an open file (first frame) into the bitmap,
    // converted to `bitsPerPixel` (24 or 32); the file position is left after the bytes.
    int Load(HANDLE file, long offset, long length, int bitsPerPixel);
    // Decodes an image held in memory.
    int LoadFromMemory(const void* bytes, size_t length, int bitsPerPixel);
    // Writes the bitmap to the file name in `format`: bitsPerPixel 8 or less writes a
    // palette image (GIF always does, JPEG never), anything else 24 bits.
    int Save(int format, int bitsPerPixel);

    // Whether the component on this machine can write the format.
    static bool CanSave(int format);

private:
    ImageBitmap* bitmap_ = nullptr;
    std::string name_;
};
