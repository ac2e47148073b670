// Base header of the internet transfer library: the foundation's platform header, the
// library's exports and the limits that its settings share.
#pragma once

#include "qxwebapi.h"

// Forms are French unless another language than "French" (any case) is set here.
QXWEB_API void QXNetSetLanguage(const char* language);

// Every settings text is handled with at most this many characters; callers pass buffers
// of one byte more.
constexpr int QXWEB_TEXT_CHARS = 1023;
constexpr int QXWEB_TEXT_BUFFER = QXWEB_TEXT_CHARS + 1;

// No exception may leave an export: whatever throws inside answers as failure does.
template <class Call>
int AnswerZeroOnException(Call call) noexcept
{
    try {
        return call();
    } catch (...) {
        return 0;
    }
}
