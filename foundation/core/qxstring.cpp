// QXSTRING: storage, assignment, conversions, case, trims, comparison and concatenation.
#include "qxstring.h"

#include "qxstring_chars.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

int QXSTRING::caseSensitive = 0;

namespace {

// What accessors show when they have no character to show.
char sharedEmptyText[1] = {0};

// The allocator has already told the user; a string cannot go on without its text.
[[noreturn]] void OutOfMemory() { ExitProcess(static_cast<UINT>(-1)); }

char* NewBlock(size_t bytes)
{
    char* block = new char[bytes];
    if (!block)
        OutOfMemory();
    return block;
}

}  // namespace

QXSTRING::QXSTRING() : buffer{}, text(buffer) {}

QXSTRING::QXSTRING(const char* source) : buffer{}, text(buffer)
{
    if (source)
        Assign(source, std::strlen(source));
}

QXSTRING::QXSTRING(const QXSTRING& other) : buffer{}, text(buffer)
{
    Assign(other.text, std::strlen(other.text));
}

QXSTRING& QXSTRING::operator=(const QXSTRING& other)
{
    if (&other != this)
        Assign(other.text, std::strlen(other.text));
    return *this;
}

QXSTRING& QXSTRING::operator=(const char* source)
{
    if (source)
        Assign(source, std::strlen(source));
    else
        STRdealloc();
    return *this;
}

QXSTRING::~QXSTRING()
{
    if (text != buffer)
        delete[] text;
}

void QXSTRING::STRalloc(int n)
{
    STRdealloc();
    if (n >= InlineBytes)
        text = NewBlock(static_cast<size_t>(n));
}

void QXSTRING::STRdealloc()
{
    if (text != buffer)
        delete[] text;
    std::memset(buffer, 0, sizeof buffer);
    text = buffer;
}

// `source` may lie inside this string's own text: the old storage goes only after the copy.
void QXSTRING::Assign(const char* source, size_t length)
{
    char* oldBlock = text != buffer ? text : nullptr;
    if (length + 1 < InlineBytes) {
        std::memmove(buffer, source, length);
        std::memset(buffer + length, 0, sizeof buffer - length);
        text = buffer;
    } else {
        char* block = NewBlock(length + 1);
        std::memcpy(block, source, length);
        block[length] = 0;
        text = block;
    }
    delete[] oldBlock;
}

int QXSTRING::length() const { return static_cast<int>(std::strlen(text)); }

const char* QXSTRING::operator[](int i) const
{
    return (i >= 0 && i < length()) ? text + i : sharedEmptyText;
}

int QXSTRING::LoadResource(HINSTANCE module, int id)
{
    char loaded[1000];
    const int count = LoadStringA(module, static_cast<UINT>(id), loaded, sizeof loaded);
    if (count > 0)
        Assign(loaded, static_cast<size_t>(count));
    return count;
}

int QXSTRING::GetWindowTextA(HWND window)
{
    const int room = GetWindowTextLengthA(window) + 2;
    char* block = NewBlock(static_cast<size_t>(room));
    const int count = ::GetWindowTextA(window, block, room);
    Assign(block, std::strlen(block));
    delete[] block;
    return count;
}

// Sized to the result, so that texts embedding long file names are never cut or overrun.
int QXSTRING::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list sizing;
    va_copy(sizing, args);
    const int needed = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    if (needed >= 0) {
        char* block = NewBlock(static_cast<size_t>(needed) + 1);
        std::vsnprintf(block, static_cast<size_t>(needed) + 1, format, args);
        Assign(block, static_cast<size_t>(needed));
        delete[] block;
    }
    va_end(args);
    return needed >= 0 ? 1 : 0;
}

QXSTRING QXSTRING::toUpper()
{
    for (char* c = text; *c; ++c)
        *c = QXUpperChar(*c);
    return *this;
}

QXSTRING QXSTRING::toLower()
{
    for (char* c = text; *c; ++c)
        *c = QXLowerChar(*c);
    return *this;
}

QXSTRING QXSTRING::rtrim()
{
    size_t end = std::strlen(text);
    while (end > 0 && text[end - 1] == ' ')
        --end;
    Assign(text, end);
    return *this;
}

QXSTRING QXSTRING::ltrim()
{
    const char* start = text;
    while (*start == ' ')
        ++start;
    Assign(start, std::strlen(start));
    return *this;
}

QXSTRING QXSTRING::lrtrim()
{
    rtrim();
    return ltrim();
}

// Byte order, exact or with both sides folded to lower case.
int QXSTRING::Compare(const char* other) const
{
    if (!other)
        other = sharedEmptyText;
    const unsigned char* a = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(other);
    for (;; ++a, ++b) {
        unsigned char x = *a, y = *b;
        if (!caseSensitive) {
            x = static_cast<unsigned char>(QXLowerChar(static_cast<char>(x)));
            y = static_cast<unsigned char>(QXLowerChar(static_cast<char>(y)));
        }
        if (x != y || !x)
            return x - y;
    }
}

bool QXSTRING::operator==(const QXSTRING& other) const { return Compare(other.text) == 0; }
bool QXSTRING::operator==(const char* other) const { return Compare(other) == 0; }
bool QXSTRING::operator!=(const QXSTRING& other) const { return Compare(other.text) != 0; }
bool QXSTRING::operator!=(const char* other) const { return Compare(other) != 0; }
bool QXSTRING::operator<(const QXSTRING& other) const { return Compare(other.text) < 0; }
bool QXSTRING::operator<(const char* other) const { return Compare(other) < 0; }
bool QXSTRING::operator>(const QXSTRING& other) const { return Compare(other.text) > 0; }
bool QXSTRING::operator>(const char* other) const { return Compare(other) > 0; }
bool QXSTRING::operator<=(const QXSTRING& other) const { return Compare(other.text) <= 0; }
bool QXSTRING::operator<=(const char* other) const { return Compare(other) <= 0; }
bool QXSTRING::operator>=(const QXSTRING& other) const { return Compare(other.text) >= 0; }
bool QXSTRING::operator>=(const char* other) const { return Compare(other) >= 0; }
bool operator==(const char* left, const QXSTRING& right) { return right == left; }
bool operator!=(const char* left, const QXSTRING& right) { return right != left; }

QXSTRING QXSTRING::operator+(const QXSTRING& other) const { return *this + other.text; }

QXSTRING QXSTRING::operator+(const char* other) const
{
    QXSTRING result(*this);
    if (other)
        result.InsertStringAt(result.length(), other);
    return result;
}

QXSTRING operator+(const char* left, const QXSTRING& right) { return QXSTRING(left) + right; }

QXSTRING& QXSTRING::operator+=(const QXSTRING& other)
{
    InsertStringAt(length(), &other);
    return *this;
}

QXSTRING& QXSTRING::operator+=(char c)
{
    InsertCharAt(length(), c);
    return *this;
}
