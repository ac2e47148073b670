// The start file named by the control's Filename: a publication settings file (".XSC") or a page
// file (".PAG"), from which the first page and the publication size are found.
#pragma once

#include <string>

class KERNELBINDING;

struct PUBSIZE {
    int width = 0;
    int height = 0;
};

// Fills the size and loads the first page; the result of the kernel's load, 0 when nothing could
// be loaded (a kernel that could not load the page has told the user). 0 at once, with no
// message, without a kernel, a name or a suffix ".XSC" or ".PAG".
int OpenStartFile(KERNELBINDING& binding, const std::string& name, PUBSIZE& size);

// A first page written relative to the settings file's folder ("..\" one folder up each, ".\"
// the folder itself) made absolute; a name not starting with "." is kept. "/" counts as "\", and
// a folder written with "/" gives a result written with "/".
std::string ResolveFirstPage(const std::string& settingsFolder, const std::string& page);

// The lines of a text file as the start files are read: a line ends at LF, CR or CR LF and is
// cut to `limit` characters.
class LINEREADER {
public:
    LINEREADER(const std::string& bytes, size_t limit) : bytes_(bytes), limit_(limit) {}
    // False at the end of the bytes.
    bool Next(std::string& line);

private:
    const std::string& bytes_;
    size_t limit_;
    size_t at_ = 0;
};
