// QXCStringList and the in-place trims of plain buffers.
#include "qxstring.h"

#include <cstring>

QXCStringList::~QXCStringList() { Clear(); }

int QXCStringList::AddString(const char* text)
{
    if (!text)
        return 0;
    auto* node = new QXStringNode(text);
    if (!node)
        return 0;
    strings.AddTail(node);
    return 1;
}

void QXCStringList::Clear() { strings.Clear(); }

const QXSTRING* QXCStringList::GetString(long index)
{
    auto* node = static_cast<QXStringNode*>(strings.GetItem(index));
    return node ? &node->string : nullptr;
}

char* QXrtrim(char* text)
{
    size_t end = std::strlen(text);
    while (end > 0 && text[end - 1] == ' ')
        --end;
    text[end] = 0;
    return text;
}

char* QXltrim(char* text)
{
    const size_t blanks = std::strspn(text, " ");
    if (blanks)
        std::memmove(text, text + blanks, std::strlen(text + blanks) + 1);
    return text;
}

char* QXlrtrim(char* text) { return QXltrim(QXrtrim(text)); }
