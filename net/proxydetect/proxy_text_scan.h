// Reading the proxy texts that browsers write, the way a formatted scanner reads them: a
// blank in a pattern matches any run of white space (none too), other characters match
// themselves; a taken text is a view into the scanned one, so it is never copied unbounded.
#pragma once

#include <string_view>

class ProxyTextScanner {
public:
    explicit ProxyTextScanner(std::string_view text) : rest_(text) {}

    // Consumes the pattern; false (the position then undefined) when the text differs.
    bool Literal(std::string_view pattern);
    // One or more characters up to `stop` or the end; the stop itself is not consumed.
    bool TextUntil(char stop, std::string_view* out);
    // A decimal after optional white space and sign; out of range values are clamped.
    bool Decimal(int* out);

private:
    std::string_view rest_;
};

// "<prefix><host>:<port>" at the start of the text, whatever follows the port.
bool ScanHostAndPort(std::string_view text, std::string_view prefix, std::string_view* host, int* port);
