// Command-line parsing, free of windows so that it is tested directly.
#include "cmdline.h"

#include <cctype>
#include <vector>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(const std::string& text)
{
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::vector<std::string> Tokens(const std::string& text)
{
    std::vector<std::string> tokens;
    std::string current;
    for (char c : text) {
        if (IsBlank(c)) {
            if (!current.empty()) tokens.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) tokens.push_back(current);
    return tokens;
}

// A switch is "-" and a letter, alone or followed by "=" and a value.
bool IsSwitch(const std::string& token)
{
    return token.size() >= 2 && token[0] == '-' && (token.size() == 2 || token[2] == '=');
}

// Splits off a leading quoted name; returns the rest of the line.
std::string TakeQuotedName(const std::string& line, std::string& name)
{
    if (line.empty() || line[0] != '"') return line;
    size_t close = line.find('"', 1);
    if (close == std::string::npos) return line;
    name = line.substr(1, close - 1);
    return line.substr(close + 1);
}

}  // namespace

COMMANDLINE ParseCommandLine(const std::string& line)
{
    COMMANDLINE result;
    std::string rest = TakeQuotedName(Trim(line), result.document);
    for (const std::string& token : Tokens(rest)) {
        if (token.find("-WEXOR") != std::string::npos || token.find("-wexor") != std::string::npos) {
            result.developer = true;
            continue;
        }
        if (!IsSwitch(token)) {
            if (result.document.empty()) result.document = token;
            continue;
        }
        switch (std::toupper(static_cast<unsigned char>(token[1]))) {
        case 'G':
            if (result.developer) result.slideShow = true;
            break;
        case 'P':
            if (result.developer) result.progOptions = true;
            break;
        case 'S':
            if (result.developer && token.size() > 2) result.bookmarkFile = token.substr(3);
            break;
        default:  // -K, -I, -N and unknown switches are accepted without effect here
            break;
        }
    }
    return result;
}

bool CommandLineWantsInternet(const std::string& line)
{
    std::string name;
    for (const std::string& token : Tokens(TakeQuotedName(Trim(line), name)))
        if (token == "-n" || token == "-N") return false;
    return true;
}
