// Stand-in objects: records of missing plug-ins kept byte for byte.
#include "standin.h"

#include "qxfile.h"
#include "qxsupport.h"
#include "recordio.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The hover text is counted in bytes and may hold any line, even a separator.
constexpr long MaxCountedText = 1 << 20;

// Lines are only compared with the separator: longer ones need not be kept whole.
constexpr int ScanLine = 80;

// Reads the next line; false at the end of the file or at a record separator, with the
// file then positioned at the start of that separator.
bool NextLine(QXFILE file, char* line)
{
    const long start = FilePosition(file);
    if (!QXGetLine(file, line, ScanLine))
        return false;
    if (std::strcmp(line, QX_RECORD_SEPARATOR) != 0)
        return true;
    QXSeekFile(file, start, 0);
    return false;
}

// Moves past the lines of the common block up to its counted text, and past the text.
bool SkipCommonBlockStart(QXFILE file)
{
    char line[ScanLine];
    for (int i = 0; i < 3; ++i) {  // user ID, user string, title
        if (!NextLine(file, line))
            return false;
    }
    if (std::strcmp(line, "}") == 0)
        return true;
    if (!NextLine(file, line))
        return false;
    const long length = std::strtol(line, nullptr, 10);
    if (length > 0 && length <= MaxCountedText)
        QXSeekFile(file, length, 1);
    return true;
}

}  // namespace

STANDIN_OBJET::STANDIN_OBJET(KERNEL* kernel, const char* moduleLine) : OBJET(kernel, nullptr), moduleLine_(moduleLine) {}

STANDIN_OBJET::~STANDIN_OBJET() { delete[] record_; }

int STANDIN_OBJET::Capture(QXFILE file)
{
    const long start = FilePosition(file);
    if (SkipCommonBlockStart(file)) {
        char line[ScanLine];
        while (NextLine(file, line)) {
        }
    }
    // A counted text that claims more than the file holds leaves the position past its end.
    const long scanned = FilePosition(file);
    const long end = std::min(scanned, QXSeekFile(file, 0, 2));
    if (end <= start)
        return 1;
    record_ = new char[static_cast<size_t>(end - start)];
    if (!record_)
        return 0;
    QXSeekFile(file, start, 0);
    const long read = QXReadFile(file, record_, static_cast<unsigned long>(end - start));
    recordBytes_ = read > 0 ? static_cast<size_t>(read) : 0;
    QXSeekFile(file, end, 0);
    return recordBytes_ == static_cast<size_t>(end - start) ? 1 : 0;
}

int STANDIN_OBJET::Save(QXFILE file, int&, int)
{
    RECORDWRITER out(file);
    out.Line(QX_RECORD_SEPARATOR);
    out.Line("OBJET {");
    out.Line(moduleLine_);
    out.Int(GetChildItems());
    out.Bytes(record_, recordBytes_);
    return out.Ok() ? 1 : 0;
}
