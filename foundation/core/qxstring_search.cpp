// QXSTRING searches and word moves.
#include "qxstring.h"

#include "qxstring_chars.h"

#include <cstring>

namespace {

bool IsWordSeparator(char c)
{
    return c != 0 && std::strchr(" \t,=|&*-+/<>~!@$%^&*(){[]';:?#\"", c) != nullptr;
}

// Searches compare exactly only when the switch is exactly 1.
bool SameChar(char a, char b)
{
    return QXSTRING::caseSensitive == 1 ? a == b : QXUpperChar(a) == QXUpperChar(b);
}

bool MatchesAt(const char* text, const char* pattern, size_t patternLength)
{
    for (size_t i = 0; i < patternLength; ++i)
        if (!SameChar(text[i], pattern[i]))
            return false;
    return true;
}

// The search window: from = -1 means the start and to = -1 the last character; false when
// `from` is not inside the text (compared unsigned, so any other negative value fails).
bool SearchBounds(int size, int& from, int& to)
{
    if (from == -1)
        from = 0;
    if (to == -1)
        to = size - 1;
    return static_cast<unsigned>(from) < static_cast<unsigned>(size);
}

// An occurrence counts only when it ends within the window.
int WithinWindow(int pos, int patternLength, int to)
{
    return (pos + patternLength - 1 <= to && pos <= to) ? 1 : 0;
}

}  // namespace

int QXSTRING::SearchFor(const char* pattern, int& pos, int from, int to) const
{
    pos = 0;
    const int size = length();
    if (!pattern || !SearchBounds(size, from, to))
        return 0;
    const int patternLength = static_cast<int>(std::strlen(pattern));
    for (int at = from; at + patternLength <= size; ++at) {
        if (MatchesAt(text + at, pattern, static_cast<size_t>(patternLength))) {
            // The index is reported even when the occurrence ends beyond the window.
            pos = at;
            return WithinWindow(at, patternLength, to);
        }
    }
    return 0;
}

int QXSTRING::SearchFor(const QXSTRING& pattern, int& pos, int from, int to) const
{
    return SearchFor(pattern.text, pos, from, to);
}

int QXSTRING::SearchRevFor(const char* pattern, int& pos, int from, int to) const
{
    pos = 0;
    const int size = length();
    if (!pattern || !*pattern || !SearchBounds(size, from, to))
        return 0;
    const int patternLength = static_cast<int>(std::strlen(pattern));
    const int end = to < size ? to : size - 1;  // the text is cut after `to`
    for (int last = end; last - patternLength + 1 >= from; --last) {
        const int at = last - patternLength + 1;
        if (MatchesAt(text + at, pattern, static_cast<size_t>(patternLength))) {
            pos = at;
            return WithinWindow(at, patternLength, to);
        }
    }
    return 0;
}

int QXSTRING::SearchRevFor(const QXSTRING& pattern, int& pos, int from, int to) const
{
    return SearchRevFor(pattern.text, pos, from, to);
}

int QXSTRING::FindNextWord(int pos) const
{
    const int size = length();
    int at = pos + 1;
    if (at < 0 || at >= size)
        return -1;
    while (at < size && !IsWordSeparator(text[at]))
        ++at;
    while (at < size && IsWordSeparator(text[at]))
        ++at;
    return at < size ? at : -1;
}

int QXSTRING::FindPrevWord(int pos) const
{
    const int size = length();
    if (pos < -1)
        return -1;
    int at = (pos == -1 || pos > size) ? size - 1 : pos - 1;
    while (at >= 0 && IsWordSeparator(text[at]))
        --at;
    if (at < 0)
        return -1;
    while (at >= 0 && !IsWordSeparator(text[at]))
        --at;
    return at + 1;
}
