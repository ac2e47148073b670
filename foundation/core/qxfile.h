// Opening and closing files through the process-wide open-file table, and reading the
// line records of the page family of files: one value or one group of values per line,
// lines ended by CR LF (a lone LF or CR is accepted), values separated by blanks, empty
// texts written "NULL" (returned as such: each record reader compares).
#pragma once

#include "qxbase.h"
#include "qxstring.h"

// mode 0 reads an existing file; 1 creates or truncates it for writing; 2 reads and writes,
// creating it when missing. Null on failure or for any other mode. Never shows a system box.
QXBASE_API QXFILE QXopen(const char* name, int mode);
// Removes the file's entry from the table and closes it; the system's close result.
QXBASE_API int QXclose(QXFILE file);

// The next line into `buf` (at most size-1 characters kept, the rest of a longer line
// skipped); 1 when a line end was found, 0 at the end of the file, on a read error, or for a
// null buffer or file. Size 0 skips one line.
QXBASE_API int QXGetLine(QXFILE file, char* buf, int size);
QXBASE_API int QXGetLineStr(QXFILE file, QXSTRING* out);
// The next line whatever its length, unchanged; 1 when a line was read (the last line of the
// file counts without its line end too), 0 at the end of the file or for a null argument.
QXBASE_API int QXGetWholeLineStr(QXFILE file, QXSTRING* out);
// QXGetLine with trailing blanks removed.
QXBASE_API int QXLoadString(QXFILE file, char* buf, int size);
// As QXLoadString; 0 at the end of the file, else 1.
QXBASE_API int QXLoadStringTrim(QXFILE file, char* buf, int size);
// QXGetLine unchanged, blanks kept.
QXBASE_API int QXLoadStringRaw(QXFILE file, char* buf, int size);
QXBASE_API int QXLoadStringStr(QXFILE file, QXSTRING* out);
QXBASE_API int QXLoadStringTrimStr(QXFILE file, QXSTRING* out);
QXBASE_API int QXLoadStringRawStr(QXFILE file, QXSTRING* out);

// One value per line: 1 when a line was read (a line without digits gives 0), 0 at the end.
QXBASE_API int Load1Int(QXFILE file, int* out);
QXBASE_API int Load1Long(QXFILE file, long* out);
QXBASE_API int Load1Char(QXFILE file, char* out);
// Groups of values on one line: 1 when all were read; values parsed before a short line
// ends stay stored.
QXBASE_API int Load2Int(QXFILE file, int* a, int* b);
QXBASE_API int Load4Int(QXFILE file, int* a, int* b, int* c, int* d);
QXBASE_API int Load4Long(QXFILE file, long* a, long* b, long* c, long* d);
QXBASE_API int Load1Double(QXFILE file, double* out);
QXBASE_API int Load4Double(QXFILE file, double* a, double* b, double* c, double* d);

// A buffered line reader over a whole file.
class QXBASE_API TINPUT {
public:
    explicit TINPUT(const char* name);
    virtual ~TINPUT();
    TINPUT(const TINPUT&) = delete;
    TINPUT& operator=(const TINPUT&) = delete;
    // The next line (CR LF or LF ended, Ctrl-Z turned into blanks, cut to 1023 characters),
    // null at the end.
    const char* GetNextLine();
    int Lines() const { return lines; }

    static constexpr int BufferBytes = 8192;
    static constexpr int LineChars = 1023;

private:
    void Refill();

    QXFILE file;
    char buffer[BufferBytes];
    char line[LineChars + 1];
    int filled;
    int pos;
    int lines;
};
