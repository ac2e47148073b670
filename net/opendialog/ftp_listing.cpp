// Reading FTP listings and building the dialog's result from remote names.
#include "ftp_listing.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t FilterPatternChars = 267;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

int CompareWithoutCase(const std::string& a, const std::string& b) { return Upper(a).compare(Upper(b)); }

// The start of each blank-separated word of the line.
std::vector<size_t> WordStarts(const std::string& line)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < line.size(); ++i) {
        if (!IsBlank(line[i]) && (i == 0 || IsBlank(line[i - 1])))
            starts.push_back(i);
    }
    return starts;
}

bool IsLongForm(const std::string& line)
{
    if (line[0] == '-')
        return true;
    const std::string first = line.substr(0, std::find_if(line.begin(), line.end(), IsBlank) - line.begin());
    return first.size() == 10 && first.find('.') == std::string::npos;
}

void SplitLongForm(const std::string& line, FTP_LISTING_ENTRY& entry)
{
    entry.folder = line[0] == 'd';
    const std::vector<size_t> words = WordStarts(line);
    if (words.size() > 4)
        entry.size = std::atol(line.c_str() + words[4]);
    if (words.size() <= 8)
        return;
    const size_t nameStart = words[8];
    entry.name = line.substr(nameStart);
    if (const size_t slash = entry.name.rfind('/'); slash != std::string::npos)
        entry.name = entry.name.substr(slash + 1);
    if (nameStart - words[5] < FTP_LISTING_LINE_CHARS)
        entry.modified = line.substr(words[5], nameStart - words[5]);
}

void SplitShortForm(const std::string& line, FTP_LISTING_ENTRY& entry)
{
    const size_t nameEnd = std::find_if(line.begin(), line.end(), IsBlank) - line.begin();
    entry.name = line.substr(0, nameEnd);
    size_t next = nameEnd;
    while (next < line.size() && IsBlank(line[next]))
        ++next;
    if (next < line.size() && line[next] == '<')
        entry.folder = true;
    else
        entry.size = std::atol(line.c_str() + next);
}

// The pattern walk: '*' skips through the name to each next character, '?' takes any one.
bool MatchesPattern(const std::string& pattern, const std::string& name)
{
    size_t at = 0;
    bool skipping = false;
    for (const char c : pattern) {
        if (c == '*') {
            skipping = true;
            continue;
        }
        if (at >= name.size())
            return false;
        if (c == '?') {
            ++at;
            skipping = false;
        } else if (skipping) {
            at = name.find(c, at);
            if (at == std::string::npos)
                return false;
            ++at;
        } else if (name[at++] != c) {
            return false;
        }
    }
    return true;
}

// The names of the typed text: each quoted one, then what follows the last closing quote.
std::vector<std::string> TypedNames(const std::string& text)
{
    std::vector<std::string> names;
    size_t rest = 0;
    for (size_t open = text.find('"'); open != std::string::npos; open = text.find('"', rest)) {
        const size_t close = text.find('"', open + 1);
        if (close == std::string::npos)
            break;
        names.push_back(text.substr(open + 1, close - open - 1));
        rest = close + 1;
    }
    if (rest < text.size())
        names.push_back(text.substr(rest));
    return names;
}

// Writes the text and its zero at `at` when both fit in the buffer; the next free byte.
bool Put(char* buffer, int size, size_t& at, const std::string& text)
{
    if (at + text.size() + 1 > static_cast<size_t>(size))
        return false;
    std::memcpy(buffer + at, text.c_str(), text.size() + 1);
    at += text.size() + 1;
    return true;
}

}  // namespace

bool ParseListingLine(const std::string& line, const FTP_TYPE_WORDS& words, FTP_LISTING_ENTRY& entry)
{
    entry = {};
    if (line.empty() || line.size() > FTP_LISTING_LINE_CHARS)
        return false;
    if (IsLongForm(line))
        SplitLongForm(line, entry);
    else
        SplitShortForm(line, entry);
    if (entry.name == "." || entry.name == ".." || entry.name.empty())
        return false;
    if (const size_t link = entry.name.find(" ->"); link != std::string::npos)
        entry.name.erase(link);
    if (entry.folder)
        entry.size = -1;
    entry.type = entry.folder ? words.folder : words.file;
    if (const size_t dot = entry.name.rfind('.'); dot != std::string::npos && dot + 1 < entry.name.size())
        entry.type += " " + entry.name.substr(dot + 1);
    return true;
}

std::vector<FTP_LISTING_ENTRY> ParseListing(const char* text, const FTP_TYPE_WORDS& words)
{
    std::vector<FTP_LISTING_ENTRY> entries;
    if (!text)
        return entries;
    for (const char* line = text;;) {
        const char* end = std::strchr(line, '\n');
        if (!end || end == line)
            break;
        std::string content(line, end);
        // Servers end their lines with CR LF; the CR belongs to no name.
        if (!content.empty() && content.back() == '\r')
            content.pop_back();
        FTP_LISTING_ENTRY entry;
        if (ParseListingLine(content, words, entry))
            entries.push_back(entry);
        line = end + 1;
    }
    return entries;
}

bool PassesFilter(const std::string& filter, const std::string& name, bool folder)
{
    if (folder || filter == "*.*")
        return true;
    const std::string upperName = Upper(name);
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(filter.find(';', start), filter.size());
        const std::string pattern = Upper(filter.substr(start, std::min(end - start, FilterPatternChars)));
        if (!pattern.empty() && MatchesPattern(pattern, upperName))
            return true;
        if (end >= filter.size())
            return false;
        start = end + 1;
    }
}

int CompareListingEntries(const FTP_LISTING_ENTRY& a, const FTP_LISTING_ENTRY& b, int key)
{
    int order = 0;
    switch (key / 2) {
    case 0:
        order = a.folder != b.folder ? (a.folder ? -1 : 1) : CompareWithoutCase(a.name, b.name);
        break;
    case 1:
        order = a.size < b.size ? -1 : (a.size > b.size ? 1 : 0);
        break;
    case 2:
        order = CompareWithoutCase(a.type, b.type);
        break;
    case 3:
        order = CompareWithoutCase(a.modified, b.modified);
        break;
    default:
        return 0;
    }
    return key % 2 ? -order : order;
}

std::string SizeColumnText(long size, const std::string& unit)
{
    return std::to_string(size < 1024 ? 1 : size / 1024) + unit;
}

bool ParentDirectory(const std::string& dir, std::string& parent)
{
    const size_t slash = dir.rfind('/');
    if (slash == std::string::npos || dir == "/")
        return false;
    parent = slash == 0 ? "/" : dir.substr(0, slash);
    return true;
}

int BuildFtpResult(const std::string& url, const char* text, const std::function<bool(const std::string&)>& exists,
                   char* file, int fileSize, char* title, int titleSize)
{
    if (!text || !file || fileSize < 1)
        return FTPVIEW_BAD_ARGUMENT;
    file[0] = 0;
    if (std::strlen(text) > static_cast<size_t>(fileSize))
        return FTPVIEW_TOO_LONG;
    std::memset(file, 0, static_cast<size_t>(fileSize));
    size_t at = 0;
    if (!Put(file, fileSize, at, url))
        return FTPVIEW_TOO_LONG;
    const std::vector<std::string> names = TypedNames(text);
    for (size_t i = 0; i < names.size(); ++i) {
        if (!exists(names[i])) {
            std::memset(file, 0, static_cast<size_t>(fileSize));
            at = 0;
            Put(file, fileSize, at, names[i].substr(0, static_cast<size_t>(fileSize) - 1));
            return FTPVIEW_MISSING_FILE;
        }
        if (i == 0 && title && names[i].size() < static_cast<size_t>(titleSize))
            std::memcpy(title, names[i].c_str(), names[i].size() + 1);
        if (!Put(file, fileSize, at, names[i]))
            return FTPVIEW_TOO_LONG;
    }
    if (names.size() == 1) {
        std::memset(file, 0, static_cast<size_t>(fileSize));
        at = 0;
        const std::string path = url + (!url.empty() && url.back() == '/' ? "" : "/") + names[0];
        if (!Put(file, fileSize, at, path))
            return FTPVIEW_TOO_LONG;
    }
    // The final zero that ends a list of names.
    if (at >= static_cast<size_t>(fileSize))
        return FTPVIEW_TOO_LONG;
    file[at] = 0;
    return 0;
}
