// The 200-byte trailer of a TQX file: the fixed widths that the 32-bit writer gave each field
// of the object's properties and dialog records, little-endian. Handle and pointer fields keep
// their width and are always 0.
#include "text_files.h"

#include <cstring>
#include <initializer_list>

namespace {

// The bytes of LOGFONTA from lfItalic to the end of the face name.
constexpr size_t kFontTailBytes = 8 + LF_FACESIZE;
// The sizes the 32-bit dialog records had, stored in their size fields.
constexpr uint32_t kFontDialogSize = 60;
constexpr uint32_t kColourDialogSize = 36;
// The fields of a colour dialog's record after its result: custom colours, flags, custom
// data, hook and template name.
constexpr size_t kColourDialogTail = 20;
// Where the fields a reader uses begin.
constexpr size_t kMarginsAt = 20;        // the 16-bit copy; the 20 bytes before mirror the block
constexpr size_t kFontColourAt = 106;    // in the font dialog's record
constexpr size_t kBackgroundAt = 142;    // in the text-background dialog's record
constexpr size_t kBranchColourAt = 174;  // in the branch-style block's head record

class TrailerWriter {
public:
    explicit TrailerWriter(uint8_t* bytes) : bytes_(bytes) {}
    void Int16(int32_t value) { Put(static_cast<uint32_t>(value), 2); }
    void Int32(uint32_t value) { Put(value, 4); }
    void Zeros(size_t count)
    {
        std::memset(bytes_ + at_, 0, count);
        at_ += count;
    }
    void Raw(const void* data, size_t count)
    {
        std::memcpy(bytes_ + at_, data, count);
        at_ += count;
    }

private:
    void Put(uint32_t value, size_t width)
    {
        for (size_t i = 0; i < width; ++i)
            bytes_[at_++] = static_cast<uint8_t>(value >> (8 * i));
    }
    uint8_t* bytes_;
    size_t at_ = 0;
};

// Reads fields at their places; a field that the bytes do not hold whole keeps its value.
class TrailerReader {
public:
    TrailerReader(const uint8_t* bytes, size_t count) : bytes_(bytes), count_(count) {}
    template <class T>
    void Int16(size_t at, T* field)
    {
        if (Holds(at, 2))
            *field = static_cast<T>(static_cast<int16_t>(bytes_[at] | bytes_[at + 1] << 8));
    }
    template <class T>
    void Int32(size_t at, T* field)
    {
        if (Holds(at, 4))
            *field = static_cast<T>(static_cast<uint32_t>(bytes_[at]) | static_cast<uint32_t>(bytes_[at + 1]) << 8 |
                                    static_cast<uint32_t>(bytes_[at + 2]) << 16 |
                                    static_cast<uint32_t>(bytes_[at + 3]) << 24);
    }
    bool Raw(size_t at, void* data, size_t count)
    {
        if (!Holds(at, count))
            return false;
        std::memcpy(data, bytes_ + at, count);
        return true;
    }

private:
    bool Holds(size_t at, size_t count) const { return at + count <= count_; }
    const uint8_t* bytes_;
    size_t count_;
};

void WriteColourDialog(TrailerWriter& out, uint32_t colour)
{
    out.Int32(kColourDialogSize);
    out.Zeros(4);  // owner window and instance
    out.Int32(colour);
    out.Zeros(kColourDialogTail);
}

}  // namespace

void EncodeTextTrailer(const TEXTFILETRAILER& t, uint8_t (&bytes)[TEXT_TRAILER_BYTES])
{
    TrailerWriter out(bytes);
    const RECT& m = t.margins;
    for (LONG value : {m.left, m.top, m.right, m.bottom})
        out.Int32(static_cast<uint32_t>(value));
    out.Zeros(4);  // what follows the margins in the 32-bit properties block
    for (LONG value : {m.left, m.top, m.right, m.bottom})
        out.Int16(value);
    out.Zeros(12);  // the font preview's rectangle and its two windows
    const LOGFONTA& f = t.font;
    for (LONG value : {f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight})
        out.Int16(value);
    out.Raw(&f.lfItalic, kFontTailBytes);
    // The font dialog's record: size, owner and DC, LOGFONT pointer, point size, flags, then
    // its colour, custom data, hook, template name, instance, style name, font type and sizes.
    out.Int32(kFontDialogSize);
    out.Zeros(12);
    out.Int32(t.fontColour);
    out.Zeros(24);
    WriteColourDialog(out, t.textBackground);
    WriteColourDialog(out, t.branchColour);
    out.Zeros(2);  // the branch dialog's instance again
}

bool DecodeTextTrailer(const uint8_t* bytes, size_t count, TEXTFILETRAILER* t)
{
    TrailerReader in(bytes, count);
    in.Int16(kMarginsAt, &t->margins.left);
    in.Int16(kMarginsAt + 2, &t->margins.top);
    in.Int16(kMarginsAt + 4, &t->margins.right);
    in.Int16(kMarginsAt + 6, &t->margins.bottom);
    LOGFONTA& f = t->font;
    constexpr size_t kFontAt = kMarginsAt + 8 + 12;
    in.Int16(kFontAt, &f.lfHeight);
    in.Int16(kFontAt + 2, &f.lfWidth);
    in.Int16(kFontAt + 4, &f.lfEscapement);
    in.Int16(kFontAt + 6, &f.lfOrientation);
    in.Int16(kFontAt + 8, &f.lfWeight);
    uint8_t tail[kFontTailBytes];
    if (in.Raw(kFontAt + 10, tail, sizeof tail)) {
        std::memcpy(&f.lfItalic, tail, sizeof tail);
        // The face name comes from the file: it is always ended within its field.
        f.lfFaceName[LF_FACESIZE - 1] = '\0';
    }
    in.Int32(kFontColourAt, &t->fontColour);
    in.Int32(kBackgroundAt, &t->textBackground);
    in.Int32(kBranchColourAt, &t->branchColour);
    return count >= TEXT_TRAILER_BYTES;
}
