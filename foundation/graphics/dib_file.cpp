// .BMP files: reading them into packed DIBs and writing packed DIBs out.
#include "qxdib.h"

#include "packeddib.h"
#include "qxfile.h"
#include "qxsupport.h"

#include <algorithm>

namespace {

constexpr WORD BitmapFileType = 0x4D42;  // "BM"
// Transfers go in pieces the size the system has always used.
constexpr unsigned long PieceBytes = 32767;

bool ReadAll(QXFILE file, char* to, size_t bytes)
{
    while (bytes > 0) {
        const unsigned long piece = static_cast<unsigned long>(std::min<size_t>(bytes, PieceBytes));
        if (QXReadFile(file, to, piece) != static_cast<long>(piece))
            return false;
        to += piece;
        bytes -= piece;
    }
    return true;
}

bool WriteAll(QXFILE file, const char* from, size_t bytes)
{
    while (bytes > 0) {
        const unsigned long piece = static_cast<unsigned long>(std::min<size_t>(bytes, PieceBytes));
        if (QXWriteFile(file, from, piece) != static_cast<long>(piece))
            return false;
        from += piece;
        bytes -= piece;
    }
    return true;
}

bool IsLoadableDepth(WORD bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Reads the file after its name was opened; null for anything that is not a usable DIB.
// Every size read from the file is checked against the file's real length before a block
// is sized from it.
HANDLE ReadDIB(QXFILE file)
{
    const long length = QXSeekFile(file, 0, 2);
    QXSeekFile(file, 0, 0);
    BITMAPFILEHEADER fileHeader{};
    BITMAPINFOHEADER header{};
    if (length <= 0 || !ReadAll(file, reinterpret_cast<char*>(&fileHeader), sizeof fileHeader)
        || fileHeader.bfType != BitmapFileType || !ReadAll(file, reinterpret_cast<char*>(&header), sizeof header))
        return nullptr;
    // Core headers are refused; larger headers keep their first 40 bytes.
    if (header.biSize < sizeof header || header.biSize > static_cast<DWORD>(length) || !IsLoadableDepth(header.biBitCount)
        || header.biWidth <= 0 || header.biWidth > 65536 || header.biHeight == 0 || header.biHeight > 65536
        || header.biHeight < -65536)
        return nullptr;
    const DWORD headerInFile = header.biSize;
    header.biSize = sizeof header;

    const bool runLength = header.biCompression == BI_RLE4 || header.biCompression == BI_RLE8;
    const size_t maxColours = DibMaxColours(header.biBitCount);
    const size_t colours = header.biBitCount <= 8 ? (header.biClrUsed ? std::min<size_t>(header.biClrUsed, maxColours) : maxColours) : 0;
    header.biClrUsed = static_cast<DWORD>(colours);
    const size_t masks = header.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
    if (runLength) {
        if (header.biSizeImage == 0)
            return nullptr;
    } else {
        header.biSizeImage = static_cast<DWORD>(DibRowBytes(header.biWidth, header.biBitCount)
                                                * static_cast<size_t>(std::abs(header.biHeight)));
    }
    const size_t tableBytes = colours * sizeof(RGBQUAD) + masks;
    // Masks of a larger header sit where a 40-byte header's masks do; the table follows
    // the whole header.
    const size_t tableOffset = sizeof fileHeader + (masks ? sizeof header : headerInFile);
    const size_t pixelOffset = fileHeader.bfOffBits ? fileHeader.bfOffBits : tableOffset + tableBytes;
    if (tableOffset + tableBytes > static_cast<size_t>(length) || pixelOffset > static_cast<size_t>(length)
        || header.biSizeImage > static_cast<size_t>(length) - pixelOffset)
        return nullptr;

    HANDLE dib = GlobalAlloc(GHND, sizeof header + tableBytes + header.biSizeImage);
    auto* bytes = dib ? static_cast<char*>(GlobalLock(dib)) : nullptr;
    if (!bytes) {
        if (dib)
            GlobalFree(dib);
        return nullptr;
    }
    *reinterpret_cast<BITMAPINFOHEADER*>(bytes) = header;
    const bool read = QXSeekFile(file, static_cast<long>(tableOffset), 0) == static_cast<long>(tableOffset)
        && ReadAll(file, bytes + sizeof header, tableBytes)
        && QXSeekFile(file, static_cast<long>(pixelOffset), 0) == static_cast<long>(pixelOffset)
        && ReadAll(file, bytes + sizeof header + tableBytes, header.biSizeImage);
    GlobalUnlock(dib);
    if (!read) {
        GlobalFree(dib);
        return nullptr;
    }
    return dib;
}

}  // namespace

HANDLE _LoadDIB(LPCSTR name)
{
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
    QXFILE file = name ? QXopen(name, 0) : nullptr;
    HANDLE dib = nullptr;
    if (file) {
        dib = ReadDIB(file);
        QXclose(file);
    }
    SetCursor(previous ? previous : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
    if (!file)
        _DIBError(DIB_ERR_FILE_NOT_FOUND);
    return dib;
}

WORD _SaveDIB(HANDLE dib, LPCSTR name)
{
    if (!dib)
        return DIB_ERR_INVALID_HANDLE;
    QXFILE file = name ? QXopen(name, 1) : nullptr;
    if (!file)
        return DIB_ERR_OPEN;
    auto* bytes = static_cast<char*>(GlobalLock(dib));
    if (!bytes) {
        QXclose(file);
        return DIB_ERR_LOCK;
    }
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(bytes);
    WORD result = 0;
    if (header->biSize == sizeof(BITMAPINFOHEADER)) {
        if (header->biCompression != BI_RLE8 && header->biCompression != BI_RLE4)
            header->biSizeImage = static_cast<DWORD>(DibRowBytes(header->biWidth, header->biBitCount)
                                                     * static_cast<size_t>(std::abs(header->biHeight)));
        const size_t infoBytes = header->biSize + _PaletteSize(bytes);
        const size_t total = infoBytes + header->biSizeImage;
        // Never write beyond the block, whatever its header says.
        if (total > GlobalSize(dib)) {
            result = DIB_ERR_GENERAL;
        } else {
            BITMAPFILEHEADER fileHeader{};
            fileHeader.bfType = BitmapFileType;
            fileHeader.bfSize = static_cast<DWORD>(sizeof fileHeader + total);
            fileHeader.bfOffBits = static_cast<DWORD>(sizeof fileHeader + infoBytes);
            if (!WriteAll(file, reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader)
                || !WriteAll(file, bytes, total))
                result = DIB_ERR_OPEN;
        }
    }
    GlobalUnlock(dib);
    QXclose(file);
    return result;
}
