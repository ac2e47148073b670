// Record lines: the readers every record block shares and the checked writer.
#include "recordio.h"

#include "qxfile.h"
#include "qxsupport.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

const char QX_RECORD_SEPARATOR[] = "-------------------------------------------------------------------------";

bool IsNullText(const char* text) { return text && lstrcmpiA(text, "NULL") == 0; }

bool ReadRecordLine(QXFILE file, char* line)
{
    return QXGetLine(file, line, QX_RECORD_LINE) != 0;
}

bool ReadTrimmedLine(QXFILE file, char* line, int size)
{
    if (!QXGetLine(file, line, size))
        return false;
    QXlrtrim(line);
    return true;
}

bool ReadIntLine(QXFILE file, int* value)
{
    char line[QX_RECORD_LINE];
    return ReadRecordLine(file, line) && std::sscanf(line, "%d", value) == 1;
}

long FilePosition(QXFILE file) { return QXSeekFile(file, 0, 1); }

void RECORDWRITER::Bytes(const char* bytes, size_t count)
{
    if (!ok_ || count == 0)
        return;
    ok_ = QXWriteFile(file_, bytes, static_cast<unsigned long>(count)) == static_cast<long>(count);
}

void RECORDWRITER::Line(const char* text)
{
    Bytes(text, std::strlen(text));
    Bytes("\r\n", 2);
}

void RECORDWRITER::Text(const char* text) { Line(text && *text ? text : "NULL"); }

void RECORDWRITER::Int(int value) { Format("%d", value); }

void RECORDWRITER::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    char line[QX_RECORD_LINE];
    const int length = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    // Formatted lines hold numbers and short words; a longer one means a broken record.
    if (length < 0 || length >= static_cast<int>(sizeof line)) {
        ok_ = false;
        return;
    }
    Line(line);
}
