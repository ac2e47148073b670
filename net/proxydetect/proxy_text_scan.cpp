// Reading the proxy texts that browsers write, the way a formatted scanner reads them.
#include "proxy_text_scan.h"

#include <climits>

namespace {

bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ProxyTextScanner::Literal(std::string_view pattern)
{
    for (const char expected : pattern) {
        if (expected == ' ') {
            while (!rest_.empty() && IsWhiteSpace(rest_.front()))
                rest_.remove_prefix(1);
        } else if (!rest_.empty() && rest_.front() == expected) {
            rest_.remove_prefix(1);
        } else {
            return false;
        }
    }
    return true;
}

bool ProxyTextScanner::TextUntil(char stop, std::string_view* out)
{
    const size_t length = rest_.find(stop);
    const size_t taken = length == std::string_view::npos ? rest_.size() : length;
    if (taken == 0)
        return false;
    *out = rest_.substr(0, taken);
    rest_.remove_prefix(taken);
    return true;
}

bool ProxyTextScanner::Decimal(int* out)
{
    while (!rest_.empty() && IsWhiteSpace(rest_.front()))
        rest_.remove_prefix(1);
    bool negative = false;
    if (!rest_.empty() && (rest_.front() == '-' || rest_.front() == '+')) {
        negative = rest_.front() == '-';
        rest_.remove_prefix(1);
    }
    if (rest_.empty() || !IsDigit(rest_.front()))
        return false;
    long long value = 0;
    while (!rest_.empty() && IsDigit(rest_.front())) {
        if (value <= INT_MAX)
            value = value * 10 + (rest_.front() - '0');
        rest_.remove_prefix(1);
    }
    if (negative)
        value = -value;
    *out = static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
    return true;
}

bool ScanHostAndPort(std::string_view text, std::string_view prefix, std::string_view* host, int* port)
{
    ProxyTextScanner scanner(text);
    return scanner.Literal(prefix) && scanner.TextUntil(':', host) && scanner.Literal(":") && scanner.Decimal(port);
}
