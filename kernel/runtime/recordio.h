// Reading and writing the CRLF lines of object records, with every write checked. Exported:
// the object plug-ins read and write their own records with the same helpers.
#pragma once

#include "qxkernel.h"

// A record line is read up to 499 characters.
constexpr int QX_RECORD_LINE = 500;
// The line of 73 '-' that separates records and ends page and template files.
extern QXCORE_API const char QX_RECORD_SEPARATOR[];

// "NULL", compared without regard to case, stands for an empty text.
QXCORE_API bool IsNullText(const char* text);
// The next line, unchanged, into line (cut to QX_RECORD_LINE - 1 characters); false at the end.
QXCORE_API bool ReadRecordLine(QXFILE file, char* line);
// The next line with the blanks at both ends removed; false at the end.
QXCORE_API bool ReadTrimmedLine(QXFILE file, char* line, int size);
// An integer line; false at the end or when the line holds no number.
QXCORE_API bool ReadIntLine(QXFILE file, int* value);
// The file position, for coming back to a line.
QXCORE_API long FilePosition(QXFILE file);

// Writes record lines; the first failed write makes every later one a no-op and Ok() false,
// so that a writer checks once at the end.
class QXCORE_API RECORDWRITER {
public:
    explicit RECORDWRITER(QXFILE file) : file_(file) {}
    void Line(const char* text);
    void Text(const char* text);  // the text, or "NULL" when empty
    void Int(int value);
    void Format(const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));
    void Bytes(const char* bytes, size_t count);
    void Fail() { ok_ = false; }  // a part written by someone else failed
    bool Ok() const { return ok_; }

private:
    QXFILE file_;
    bool ok_ = true;
};
