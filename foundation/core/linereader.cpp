// Reading the line records of the page family of files, one line per call, straight from
// the file handle.
#include "qxfile.h"
#include "qxsupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Larger buffers are filled in pieces of this size.
constexpr long LineChunk = 1024;
// The part of an over-long line beyond the buffer is read and dropped in pieces of this size.
constexpr long SkipChunk = 255;

// Line sizes of the typed readers: they bound what a value line may hold.
constexpr int OneValueLine = 20;
constexpr int TwoValueLine = 50;
constexpr int FourValueLine = 80;

void Unread(QXFILE file, long bytes)
{
    if (bytes > 0)
        QXSeekFile(file, -bytes, 1);
}

// Called after a CR that was the last byte read: an LF right after it belongs to the same
// line end, anything else is left for the next line.
void SkipLfAfterCr(QXFILE file)
{
    char next;
    if (QXReadFile(file, &next, 1) == 1 && next != '\n')
        Unread(file, 1);
}

// Reads the line at the file position, handing its characters to `sink` run by run, and
// leaves the position just after the line end. 1 when the line end was found; 0 when the
// file ended first. The sink says how much each read may ask for.
template <class Sink>
int ScanLine(QXFILE file, Sink& sink)
{
    char chunk[LineChunk];
    for (;;) {
        const long got = QXReadFile(file, chunk, static_cast<unsigned long>(sink.Wanted()));
        if (got <= 0)
            return 0;
        long end = 0;
        while (end < got && chunk[end] != '\r' && chunk[end] != '\n')
            ++end;
        sink.Take(chunk, end);
        if (end == got)
            continue;
        long used = end + 1;
        if (chunk[end] == '\r') {
            if (used == got)
                SkipLfAfterCr(file);
            else if (chunk[used] == '\n')
                ++used;
        }
        Unread(file, got - used);
        return 1;
    }
}

// Keeps the first `keep` characters of a line in a buffer of keep + 1 bytes. Each read asks
// for no more than the rest of the buffer and one terminator byte, so that a short line
// costs one read and one seek back.
class KeptLine {
public:
    KeptLine(char* out, int keep) : out_(out), keep_(keep) {}
    long Wanted() const
    {
        const long room = keep_ - kept_;
        return room > 0 ? std::min(room + 1, LineChunk) : SkipChunk;
    }
    void Take(const char* run, long length)
    {
        const long taken = std::min(length, static_cast<long>(keep_ - kept_));
        std::memcpy(out_ + kept_, run, static_cast<size_t>(taken));
        kept_ += static_cast<int>(taken);
    }
    int Kept() const { return kept_; }

private:
    char* out_;
    int keep_;
    int kept_ = 0;
};

// Keeps a line whatever its length.
struct WholeLine {
    long Wanted() const { return LineChunk; }
    void Take(const char* run, long length) { text.append(run, static_cast<size_t>(length)); }
    std::string text;
};

// Reads the line at the file position into `out` (room for keep + 1 bytes), the part beyond
// `keep` characters dropped. 1 when the line end was found; 0 when the file ended first,
// `out` then empty.
int ReadLine(QXFILE file, char* out, int keep)
{
    KeptLine line(out, keep);
    const int ended = ScanLine(file, line);
    out[ended ? line.Kept() : 0] = '\0';
    return ended;
}

// Record values are separated by spaces only: a TAB belongs to the value it follows.
bool IsBlank(char c) { return c == ' '; }

// Finds the start of each of `count` values on the line, walking from one value over its
// non-blank characters and the blanks after it to the next. The number of values found
// before the line ended.
int FindValues(const char* line, const char** starts, int count)
{
    const char* p = line;
    while (IsBlank(*p))
        ++p;
    int found = 0;
    while (*p) {
        starts[found++] = p;
        if (found == count)
            break;
        while (*p && !IsBlank(*p))
            ++p;
        while (IsBlank(*p))
            ++p;
    }
    return found;
}

// Decimal with optional sign after leading white space; no digits give 0, so "NULL" reads as 0.
template <class Integer>
void ParseValue(const char* text, Integer* out)
{
    *out = static_cast<Integer>(std::strtol(text, nullptr, 10));
}
// A text that is no number leaves the value as it was.
void ParseValue(const char* text, double* out)
{
    double value;
    if (std::sscanf(text, "%lf", &value) == 1)
        *out = value;
}

// One integer per line, parsed from the whole line: 1 whenever a line was read.
template <class T>
int LoadOne(QXFILE file, T* out)
{
    char line[OneValueLine];
    if (!QXGetLine(file, line, sizeof line))
        return 0;
    if (out)
        ParseValue(line, out);
    return 1;
}

// A group of blank-separated values on a line of at most Size-1 characters. The values
// found before a short line ends are stored; 1 only when all were there.
template <int Size, class T, int Count>
int LoadGroup(QXFILE file, T* const (&outs)[Count])
{
    char line[Size];
    if (!QXGetLine(file, line, Size))
        return 0;
    const char* starts[Count];
    const int found = FindValues(line, starts, Count);
    for (int i = 0; i < found; ++i) {
        if (outs[i])
            ParseValue(starts[i], outs[i]);
    }
    return found == Count;
}

using BufferReader = int (*)(QXFILE, char*, int);

// The QXSTRING forms read through a work buffer and assign whatever it holds afterwards.
int ReadIntoString(QXFILE file, QXSTRING* out, BufferReader read)
{
    if (!out)
        return 0;
    char block[QX_NAME_BUFFER];
    block[0] = '\0';
    const int result = read(file, block, sizeof block);
    *out = block;
    return result;
}

}  // namespace

int QXGetLine(QXFILE file, char* buf, int size)
{
    if (buf && size > 0)
        buf[0] = '\0';
    if (!file || !buf || size < 0)
        return 0;
    if (size == 0) {
        char discarded;
        return ReadLine(file, &discarded, 0);
    }
    return ReadLine(file, buf, size - 1);
}

int QXLoadString(QXFILE file, char* buf, int size)
{
    const int result = QXGetLine(file, buf, size);
    if (result && size > 0)
        QXrtrim(buf);
    return result;
}

// QXGetLine reports the end of the file, a read error and a missing buffer alike, so this
// answers as QXLoadString does.
int QXLoadStringTrim(QXFILE file, char* buf, int size) { return QXLoadString(file, buf, size); }

int QXLoadStringRaw(QXFILE file, char* buf, int size) { return QXGetLine(file, buf, size); }

int QXGetLineStr(QXFILE file, QXSTRING* out) { return ReadIntoString(file, out, QXGetLine); }

int QXGetWholeLineStr(QXFILE file, QXSTRING* out)
{
    if (!file || !out)
        return 0;
    WholeLine line;
    const int ended = ScanLine(file, line);
    *out = line.text.c_str();
    return ended || !line.text.empty() ? 1 : 0;
}
int QXLoadStringStr(QXFILE file, QXSTRING* out) { return ReadIntoString(file, out, QXLoadString); }
int QXLoadStringTrimStr(QXFILE file, QXSTRING* out) { return ReadIntoString(file, out, QXLoadStringTrim); }
int QXLoadStringRawStr(QXFILE file, QXSTRING* out) { return ReadIntoString(file, out, QXLoadStringRaw); }

int Load1Int(QXFILE file, int* out) { return LoadOne(file, out); }
int Load1Long(QXFILE file, long* out) { return LoadOne(file, out); }
int Load1Char(QXFILE file, char* out) { return LoadOne(file, out); }

int Load2Int(QXFILE file, int* a, int* b) { return LoadGroup<TwoValueLine>(file, {a, b}); }

int Load4Int(QXFILE file, int* a, int* b, int* c, int* d)
{
    return LoadGroup<FourValueLine>(file, {a, b, c, d});
}

int Load4Long(QXFILE file, long* a, long* b, long* c, long* d)
{
    return LoadGroup<FourValueLine>(file, {a, b, c, d});
}

int Load1Double(QXFILE file, double* out) { return LoadGroup<FourValueLine>(file, {out}); }

int Load4Double(QXFILE file, double* a, double* b, double* c, double* d)
{
    return LoadGroup<FourValueLine>(file, {a, b, c, d});
}
