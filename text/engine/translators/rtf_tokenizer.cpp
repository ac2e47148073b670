// Reading RTF tokens from a byte source.
#include "rtf_tokenizer.h"

namespace {

bool IsLetter(int32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(int32_t c) { return c >= '0' && c <= '9'; }

// A parameter saturates here: no stored value is that large, and the sum cannot overflow.
constexpr int32_t kParameterLimit = 100000000;

}  // namespace

int32_t RtfHexValue(int32_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int32_t RtfTokenizer::Raw()
{
    if (pendingCount_ > 0)
        return pending_[--pendingCount_];
    int32_t c = input_.NextByte();
    if (echo_ && c >= 0)
        echo_->push_back(static_cast<char>(c));
    return c;
}

RtfToken RtfTokenizer::Next()
{
    RtfToken token;
    int32_t c = Raw();
    switch (c) {
    case -1:
        token.kind = RtfTokenKind::End;
        return token;
    case '{':
        token.kind = RtfTokenKind::Open;
        return token;
    case '}':
        token.kind = RtfTokenKind::Close;
        return token;
    case '\\':
        return ReadControl();
    default:
        token.kind = RtfTokenKind::Text;
        token.byte = static_cast<uint8_t>(c);
        return token;
    }
}

RtfToken RtfTokenizer::ReadControl()
{
    RtfToken token;
    int32_t c = Raw();
    if (IsLetter(c)) {
        ReadWord(token, c);
        return token;
    }
    switch (c) {
    case '\'': {
        int32_t high = Raw();
        int32_t highValue = RtfHexValue(high);
        if (highValue < 0) {
            GiveBack(high);
            break;
        }
        int32_t low = Raw();
        int32_t lowValue = RtfHexValue(low);
        if (lowValue < 0) {
            GiveBack(low);
            break;
        }
        token.kind = RtfTokenKind::Text;
        token.byte = static_cast<uint8_t>(highValue * 16 + lowValue);
        return token;
    }
    case '*':
        token.kind = RtfTokenKind::Destination;
        return token;
    case '\\':
    case '{':
    case '}':
    case ':':
        token.kind = RtfTokenKind::Text;
        token.byte = static_cast<uint8_t>(c);
        return token;
    case -1:
        token.kind = RtfTokenKind::End;
        return token;
    default:
        break;
    }
    // Any other symbol is ignored: an empty word that no table holds.
    token.kind = RtfTokenKind::Word;
    return token;
}

void RtfTokenizer::ReadWord(RtfToken& token, int32_t first)
{
    token.kind = RtfTokenKind::Word;
    int length = 0;
    int32_t c = first;
    for (; IsLetter(c); c = Raw()) {
        if (length < RTF_MAX_WORD)
            token.word[length++] = static_cast<char>(c);
    }
    token.word[length] = 0;
    bool negative = false;
    if (c == '-') {
        int32_t next = Raw();
        if (IsDigit(next)) {
            negative = true;
            c = next;
        } else {
            GiveBack(next);  // read after the "-" given back below
        }
    }
    int32_t value = 0;
    for (; IsDigit(c); c = Raw()) {
        token.hasNumber = true;
        if (value < kParameterLimit)
            value = value * 10 + (c - '0');
    }
    token.parameter = token.hasNumber ? (negative ? -value : value) : c;
    // A space ends the word and is part of it; anything else is read again.
    if (c != ' ')
        GiveBack(c);
    token.keyword = RtfFindKeyword(std::string_view(token.word, static_cast<size_t>(length)));
}
