// QXSTRING, the one string class of the system: texts of up to 498 characters live in the
// object's own 500-byte buffer, longer ones in a heap block. Comparisons and searches ignore
// the case of ASCII letters unless the class-wide switch `caseSensitive` says otherwise.
#pragma once

#include "qxbase.h"
#include "qxlist.h"

#include <oleauto.h>
#include <cstdio>  // the printf flavour of Format

class QXBASE_API QXSTRING {
public:
    QXSTRING();
    QXSTRING(const char* text);  // null gives the empty text
    QXSTRING(const QXSTRING& other);
    QXSTRING& operator=(const QXSTRING& other);
    QXSTRING& operator=(const char* text);
    virtual ~QXSTRING();

    // Storage for n bytes (length + 1): the inline buffer below 500, else a heap block.
    // The old text is gone and the new storage is zero-filled.
    void STRalloc(int n);
    // Back to the empty inline buffer, freeing any heap block.
    void STRdealloc();
    void Clear() { STRdealloc(); }

    int length() const;
    operator const char*() const { return text; }
    // Character i, or the shared empty text when i is outside 0..length-1.
    const char* operator[](int i) const;

    // String-table entry `id` of the module (at most 999 characters); the number of characters
    // loaded, 0 when the entry is missing (the text is then left as it was).
    int LoadResource(HINSTANCE module, int id);
    int GetWindowTextA(HWND window);
    int Format(const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));

    // In place; each returns a copy of the result.
    QXSTRING toUpper();
    QXSTRING toLower();
    QXSTRING rtrim();
    QXSTRING ltrim();
    QXSTRING lrtrim();

    // Editing: positions count from 0; 1 done, 0 refused (the text unchanged).
    QXSTRING subString(int first, int last) const;
    int Truncate(int max, int keepHead);
    int ClearEol(int pos, QXSTRING* rest = nullptr);
    int InsertCharAt(int pos, char c);
    int InsertStringAt(int pos, const char* inserted);
    int InsertStringAt(int pos, const QXSTRING* inserted);
    int ReplaceStringAt(int pos, const char* replacement, int truncate);
    int ReplaceStringAt(int pos, const QXSTRING* replacement, int truncate);
    int RemoveStringAt(int pos, int count, QXSTRING* removed);
    int ReplaceCharAt(int pos, char c, char* old);
    int RemoveCharAt(int pos, char* old);

    QXSTRING operator+(const QXSTRING& other) const;
    QXSTRING operator+(const char* other) const;
    friend QXBASE_API QXSTRING operator+(const char* left, const QXSTRING& right);
    QXSTRING& operator+=(const QXSTRING& other);
    QXSTRING& operator+=(char c);

    // First character of the next / previous word, -1 when there is none.
    int FindNextWord(int pos) const;
    int FindPrevWord(int pos) const;

    bool operator==(const QXSTRING& other) const;
    bool operator==(const char* other) const;
    bool operator!=(const QXSTRING& other) const;
    bool operator!=(const char* other) const;
    bool operator<(const QXSTRING& other) const;
    bool operator<(const char* other) const;
    bool operator>(const QXSTRING& other) const;
    bool operator>(const char* other) const;
    bool operator<=(const QXSTRING& other) const;
    bool operator<=(const char* other) const;
    bool operator>=(const QXSTRING& other) const;
    bool operator>=(const char* other) const;
    friend QXBASE_API bool operator==(const char* left, const QXSTRING& right);
    friend QXBASE_API bool operator!=(const char* left, const QXSTRING& right);

    // 1 when the pattern occurs within from..to (-1 meaning the text's start or end), with
    // `pos` its index; see the .cpp for the exact rules callers rely on.
    int SearchFor(const char* pattern, int& pos, int from, int to) const;
    int SearchFor(const QXSTRING& pattern, int& pos, int from, int to) const;
    int SearchRevFor(const char* pattern, int& pos, int from, int to) const;
    int SearchRevFor(const QXSTRING& pattern, int& pos, int from, int to) const;

    // 0: comparisons and searches ignore case. Non-zero: the operators compare exactly;
    // the searches compare exactly only when it is 1.
    static int caseSensitive;

    static constexpr int InlineBytes = 500;

private:
    int Compare(const char* other) const;
    void Assign(const char* source, size_t length);
    // The text becomes head (0..pos-1) + inserted + the text after pos + removed characters.
    void Splice(int pos, int removed, const char* inserted, size_t insertedLength);

    char buffer[InlineBytes];
    char* text;
};

// A list of strings.
class QXBASE_API QXStringNode : public LNODE {
public:
    explicit QXStringNode(const char* text) : string(text) {}
    QXSTRING string;
};

class QXBASE_API QXCStringList {
public:
    QXCStringList() = default;
    virtual ~QXCStringList();
    int AddString(const char* text);  // 0 for a null text
    void Clear();
    int Items() const { return strings.Items(); }
    // The string at `index`, null outside the list.
    const QXSTRING* GetString(long index);

private:
    LIST strings;
};

// In-place trims of plain buffers (blank means the space character); each returns the buffer.
QXBASE_API char* QXrtrim(char* text);
QXBASE_API char* QXltrim(char* text);
QXBASE_API char* QXlrtrim(char* text);

// Texts to and from OLE BSTRs through the ANSI code page.
QXBASE_API BSTR NewBSTR(const char* text);
QXBASE_API BSTR NewBSTR(char* text);
QXBASE_API BSTR NewBSTR(QXSTRING text);
QXBASE_API void FreeBSTR(BSTR text);
// Into a caller buffer of QX_NAME_BUFFER bytes, always terminated; the converter's result.
QXBASE_API int BSTRtoString(BSTR text, char* out);
QXBASE_API int BSTRtoString(BSTR text, QXSTRING& out);
