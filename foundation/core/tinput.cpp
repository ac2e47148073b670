// TINPUT: a buffered reader handing out the lines of a whole file.
#include "qxfile.h"
#include "qxsupport.h"

namespace {

constexpr char CtrlZ = 26;

}  // namespace

TINPUT::TINPUT(const char* name) : file(QXopen(name, 0)), filled(0), pos(0), lines(0)
{
    line[0] = '\0';
    Refill();
}

TINPUT::~TINPUT()
{
    if (file)
        QXclose(file);
}

// Called when every buffered byte is consumed, so nothing unread is lost by starting over at
// the front of the buffer.
void TINPUT::Refill()
{
    pos = 0;
    filled = 0;
    if (file) {
        const long got = QXReadFile(file, buffer, BufferBytes);
        if (got > 0)
            filled = static_cast<int>(got);
    }
}

const char* TINPUT::GetNextLine()
{
    auto available = [this] {
        if (pos == filled)
            Refill();
        return pos < filled;
    };
    if (!available())
        return nullptr;

    // A line ends at LF or CR LF; a lone CR is kept as text. Characters beyond LineChars are
    // read and dropped, so a long line never comes back as two.
    int length = 0;
    while (available()) {
        char c = buffer[pos++];
        if (c == '\n')
            break;
        if (c == '\r' && available() && buffer[pos] == '\n') {
            ++pos;
            break;
        }
        if (c == CtrlZ)
            c = ' ';
        if (length < LineChars)
            line[length++] = c;
    }
    line[length] = '\0';
    ++lines;
    return line;
}
