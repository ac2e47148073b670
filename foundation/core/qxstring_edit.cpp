// QXSTRING editing: substrings, truncation, insertion, replacement and removal.
// Positions outside the stated ranges are refused with 0 and leave the text unchanged.
#include "qxstring.h"

#include <cstring>

void QXSTRING::Splice(int pos, int removed, const char* inserted, size_t insertedLength)
{
    const size_t total = std::strlen(text);
    const size_t head = static_cast<size_t>(pos);
    const size_t tail = head + static_cast<size_t>(removed);
    QXSTRING result;
    result.STRalloc(static_cast<int>(total - (tail - head) + insertedLength + 1));
    char* out = const_cast<char*>(static_cast<const char*>(result));
    std::memcpy(out, text, head);
    std::memcpy(out + head, inserted, insertedLength);
    std::memcpy(out + head + insertedLength, text + tail, total - tail + 1);
    *this = result;
}

QXSTRING QXSTRING::subString(int first, int last) const
{
    const int size = length();
    if (first < 0 || first >= size || last < first)
        return QXSTRING();
    if (last >= size)
        last = size - 1;
    QXSTRING result;
    result.Assign(text + first, static_cast<size_t>(last - first + 1));
    return result;
}

int QXSTRING::Truncate(int max, int keepHead)
{
    const int size = length();
    if (size <= max)
        return 0;
    const int kept = max > 3 ? max - 3 : 0;
    QXSTRING result = keepHead ? subString(0, kept - 1) + "..." : "..." + subString(size - kept, size - 1);
    *this = result;
    return 1;
}

int QXSTRING::ClearEol(int pos, QXSTRING* rest)
{
    if (pos < 0 || pos > length())
        return 0;
    if (rest)
        *rest = text + pos;
    Splice(pos, length() - pos, "", 0);
    return 1;
}

int QXSTRING::InsertCharAt(int pos, char c)
{
    if (pos < 0 || pos > length() || c == 0)
        return 0;
    Splice(pos, 0, &c, 1);
    return 1;
}

int QXSTRING::InsertStringAt(int pos, const char* inserted)
{
    if (pos < 0 || pos > length() || !inserted || !*inserted)
        return 0;
    Splice(pos, 0, inserted, std::strlen(inserted));
    return 1;
}

int QXSTRING::InsertStringAt(int pos, const QXSTRING* inserted)
{
    return inserted ? InsertStringAt(pos, inserted->text) : 0;
}

int QXSTRING::ReplaceStringAt(int pos, const char* replacement, int truncate)
{
    const int size = length();
    if (pos < 0 || pos > size || !replacement)
        return 0;
    const int count = static_cast<int>(std::strlen(replacement));
    // Running past the end, or asked to, nothing of the old text after the new one survives.
    const int removed = (truncate || pos + count > size) ? size - pos : count;
    Splice(pos, removed, replacement, static_cast<size_t>(count));
    return 1;
}

int QXSTRING::ReplaceStringAt(int pos, const QXSTRING* replacement, int truncate)
{
    return replacement ? ReplaceStringAt(pos, replacement->text, truncate) : 0;
}

int QXSTRING::RemoveStringAt(int pos, int count, QXSTRING* removed)
{
    const int size = length();
    if (pos < 0)
        return 0;
    if (pos > size) {
        if (removed)
            removed->Clear();
        return 0;
    }
    if (count < 0)
        count = 0;
    if (count > size - pos)
        count = size - pos;
    if (removed)
        removed->Assign(text + pos, static_cast<size_t>(count));
    Splice(pos, count, "", 0);
    return 1;
}

int QXSTRING::ReplaceCharAt(int pos, char c, char* old)
{
    const int size = length();
    if (pos < 0 || pos > size)
        return 0;
    if (old)
        *old = text[pos];  // the terminator, 0, when appending
    if (pos == size)
        InsertCharAt(pos, c);
    else
        text[pos] = c;
    return 1;
}

int QXSTRING::RemoveCharAt(int pos, char* old)
{
    if (pos < 0 || pos >= length())
        return 0;
    if (old)
        *old = text[pos];
    Splice(pos, 1, "", 0);
    return 1;
}
