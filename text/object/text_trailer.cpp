// The TQX trailer, item by item in the order of the file. All integers are little-endian.
#include "text_trailer.h"

#include "qxsupport.h"

#include <cstring>

namespace {

// Offsets of the items that carry meaning.
constexpr int MarginsAt = 20;       // four int16
constexpr int FontNumbersAt = 40;   // height, width, escapement, orientation, weight: int16
constexpr int FontBytesAt = 50;     // italic .. pitch-and-family, then the 32-byte face
constexpr int FontColourAt = 106;   // int32, in the font dialog record
constexpr int TextBackgroundAt = 142;  // int32, in the colour dialog record
constexpr int FontByteCount = 8;

void Put16(BYTE* at, int value)
{
    at[0] = static_cast<BYTE>(value);
    at[1] = static_cast<BYTE>(value >> 8);
}
void Put32(BYTE* at, long value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<BYTE>(static_cast<unsigned long>(value) >> (8 * i));
}
int Get16(const BYTE* at) { return static_cast<int16_t>(at[0] | at[1] << 8); }
long Get32(const BYTE* at)
{
    return static_cast<int32_t>(at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24);
}

}  // namespace

bool WriteTextTrailer(QXFILE file, const TEXTE* text)
{
    BYTE trailer[QX_TRAILER_BYTES]{};
    const TEXTPROPERTIES& p = text->defaults.properties;
    const long margins[4] = {p.margins.left, p.margins.top, p.margins.right, p.margins.bottom};
    for (int i = 0; i < 4; ++i) {
        Put32(trailer + 4 * i, margins[i]);
        Put16(trailer + MarginsAt + 2 * i, static_cast<int>(margins[i]));
    }
    Put32(trailer + 16, p.tabInterval);
    const LOGFONTA& f = p.font;
    const long numbers[5] = {f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight};
    for (int i = 0; i < 5; ++i)
        Put16(trailer + FontNumbersAt + 2 * i, static_cast<int>(numbers[i]));
    const BYTE bytes[FontByteCount] = {f.lfItalic,         f.lfUnderline,     f.lfStrikeOut, f.lfCharSet,
                                       f.lfOutPrecision, f.lfClipPrecision, f.lfQuality,   f.lfPitchAndFamily};
    std::memcpy(trailer + FontBytesAt, bytes, FontByteCount);
    std::memcpy(trailer + FontBytesAt + FontByteCount, f.lfFaceName, LF_FACESIZE);
    Put32(trailer + FontColourAt, static_cast<long>(p.fontColour));
    Put32(trailer + TextBackgroundAt, static_cast<long>(p.textBackground));
    return QXWriteFile(file, trailer, sizeof trailer) == static_cast<long>(sizeof trailer);
}

void ReadTextTrailer(const BYTE (&trailer)[QX_TRAILER_BYTES], TEXTE* text)
{
    TEXTPROPERTIES& p = text->defaults.properties;
    p.margins = RECT{Get16(trailer + MarginsAt), Get16(trailer + MarginsAt + 2), Get16(trailer + MarginsAt + 4),
                     Get16(trailer + MarginsAt + 6)};
    LOGFONTA& f = p.font;
    f.lfHeight = Get16(trailer + FontNumbersAt);
    f.lfWidth = Get16(trailer + FontNumbersAt + 2);
    f.lfEscapement = Get16(trailer + FontNumbersAt + 4);
    f.lfOrientation = Get16(trailer + FontNumbersAt + 6);
    f.lfWeight = Get16(trailer + FontNumbersAt + 8);
    const BYTE* bytes = trailer + FontBytesAt;
    f.lfItalic = bytes[0];
    f.lfUnderline = bytes[1];
    f.lfStrikeOut = bytes[2];
    f.lfCharSet = bytes[3];
    f.lfOutPrecision = bytes[4];
    f.lfClipPrecision = bytes[5];
    f.lfQuality = bytes[6];
    f.lfPitchAndFamily = bytes[7];
    // The face comes from the file: at most 31 characters, always terminated.
    std::memcpy(f.lfFaceName, bytes + FontByteCount, QX_FACE_CHARS);
    f.lfFaceName[QX_FACE_CHARS] = 0;
    p.fontColour = static_cast<COLORREF>(Get32(trailer + FontColourAt));
    p.textBackground = static_cast<COLORREF>(Get32(trailer + TextBackgroundAt));
}
