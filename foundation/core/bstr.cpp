// Texts to and from OLE BSTRs, converted through the ANSI code page.
#include "qxstring.h"

#include <cstring>

BSTR NewBSTR(const char* text)
{
    if (!text)
        text = "";
    const int chars = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(chars > 0 ? chars - 1 : 0));
    if (result && chars > 0)
        MultiByteToWideChar(CP_ACP, 0, text, -1, result, chars);
    return result;
}

BSTR NewBSTR(char* text) { return NewBSTR(static_cast<const char*>(text)); }
BSTR NewBSTR(QXSTRING text) { return NewBSTR(static_cast<const char*>(text)); }

void FreeBSTR(BSTR text) { SysFreeString(text); }

// A long text is cut to what the 500-byte buffer holds, and always terminated.
int BSTRtoString(BSTR text, char* out)
{
    if (!out)
        return 0;
    out[0] = 0;
    if (!text)
        return 0;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= QX_NAME_BUFFER)
        return WideCharToMultiByte(CP_ACP, 0, text, -1, out, QX_NAME_BUFFER, nullptr, nullptr);
    char* whole = new char[static_cast<size_t>(bytes)];
    if (!whole)
        return 0;
    WideCharToMultiByte(CP_ACP, 0, text, -1, whole, bytes, nullptr, nullptr);
    std::memcpy(out, whole, QX_NAME_BUFFER - 1);
    out[QX_NAME_BUFFER - 1] = 0;
    delete[] whole;
    return QX_NAME_BUFFER;
}

int BSTRtoString(BSTR text, QXSTRING& out)
{
    char converted[QX_NAME_BUFFER];
    const int result = BSTRtoString(text, converted);
    out = converted;
    return result;
}
