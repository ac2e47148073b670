// The FTP directory view's work that needs no window: reading a server's listing lines,
// the name filter, the orders of its columns, the parent of a remote folder and the result
// of the dialog built from the chosen names.
#pragma once

#include <functional>
#include <string>
#include <vector>

// One line of a listing as the view keeps it.
struct FTP_LISTING_ENTRY {
    std::string name;
    long size = 0;          // bytes; -1 for a folder
    bool folder = false;
    std::string modified;   // the date words as the server wrote them
    std::string type;       // the kind's word, then a blank and the extension when there is one
};

// The words of the type column, from the library's texts.
struct FTP_TYPE_WORDS {
    std::string folder;
    std::string file;
};

// Lines longer than this give no name.
constexpr size_t FTP_LISTING_LINE_CHARS = 500;

// One line without its line end: a long ("-rw-r--r-- 1 owner group size month day time name")
// or a short ("name size" or "name <DIR>") form; false when the line names nothing to show
// (".", "..", or a line too long to read).
bool ParseListingLine(const std::string& line, const FTP_TYPE_WORDS& words, FTP_LISTING_ENTRY& entry);
// Every entry of a listing, in the order of its lines. Reading stops at an empty line and
// at a last piece without its line feed.
std::vector<FTP_LISTING_ENTRY> ParseListing(const char* text, const FTP_TYPE_WORDS& words);

// Whether the name passes the filter: "*.*" passes everything, otherwise one of its patterns
// separated by ';' must match (upper case on both sides; the end of the pattern is a match
// even when the name goes on). Folders always pass.
bool PassesFilter(const std::string& filter, const std::string& name, bool folder);

// The order of two entries for a sort key 0-7: even ascending, odd the reverse. Negative
// when `a` comes first; 0 for keys without an order.
int CompareListingEntries(const FTP_LISTING_ENTRY& a, const FTP_LISTING_ENTRY& b, int key);

// The size column: whole kilobytes rounded down, at least 1, followed by the unit.
std::string SizeColumnText(long size, const std::string& unit);

// The parent of a remote folder; false for "/" and for a text without '/'.
bool ParentDirectory(const std::string& dir, std::string& parent);

// The result codes of the view that the dialog tells apart.
constexpr int FTPVIEW_BAD_ARGUMENT = -1;
constexpr int FTPVIEW_TOO_LONG = -5;
constexpr int FTPVIEW_NO_PARENT = -8;
constexpr int FTPVIEW_MISSING_FILE = -18;

// The dialog's result from the names typed or chosen in folder `url` ("ftp://host/dir"): one
// name gives the address of that file; several names ("a" "b") give the folder's address
// then each name, each ending in a zero, and a final zero. The first name goes into the
// title buffer when it fits. A name that `exists` does not know is left alone in the file
// buffer with FTPVIEW_MISSING_FILE; FTPVIEW_TOO_LONG when anything does not fit.
int BuildFtpResult(const std::string& url, const char* text, const std::function<bool(const std::string&)>& exists,
                   char* file, int fileSize, char* title, int titleSize);
