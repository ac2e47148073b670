// Copies a template page into a new page file. The records are walked rather than rewritten
// line by line: texts stored by byte count, user strings and the texts of branches may hold
// anything, including lines that look like file names or sequence branches, and must reach
// the new page as they were.
#include "page_create.h"

#include "accessors.h"
#include "filefind.h"
#include "qxpath.h"

#include <string>

namespace {

constexpr const char* SEQUENCE_BRANCH = "GADGET: 6";  // built-in action "next page of a sequence"
constexpr int BRANCH_RECORD_LINES = 11;
constexpr int BRANCH_SOUND_LINE = 8;
constexpr int BRANCH_DLL_LINE = 9;

// The template's bytes as lines (CR LF, LF or CR) and counted runs of bytes.
class TEMPLATE_TEXT {
public:
    explicit TEMPLATE_TEXT(std::string bytes) : bytes_(std::move(bytes)) {}

    bool Line(std::string& line)
    {
        if (at_ >= bytes_.size())
            return false;
        const size_t end = bytes_.find_first_of("\r\n", at_);
        line = bytes_.substr(at_, end == std::string::npos ? std::string::npos : end - at_);
        at_ = end == std::string::npos ? bytes_.size() : end + 1;
        if (end != std::string::npos && bytes_[end] == '\r' && at_ < bytes_.size() && bytes_[at_] == '\n')
            ++at_;
        return true;
    }

    // `count` bytes as they are (fewer at the end of the file).
    std::string Bytes(size_t count)
    {
        const std::string run = bytes_.substr(at_, count);
        at_ += run.size();
        return run;
    }

private:
    std::string bytes_;
    size_t at_ = 0;
};

bool SameWithoutCase(const std::string& a, const char* b) { return lstrcmpiA(a.c_str(), b) == 0; }

std::string Folder(const std::string& file) { return file.substr(0, file.find_last_of('\\') + 1); }

// The folder above `folder` (both end in a backslash); `folder` itself at a root.
std::string ParentFolder(const std::string& folder)
{
    const size_t cut = folder.find_last_of('\\', folder.size() >= 2 ? folder.size() - 2 : 0);
    return cut == std::string::npos ? folder : folder.substr(0, cut + 1);
}

bool NamesLocalFile(const std::string& line)
{
    return (line.size() > 3 && line.compare(1, 2, ":\\") == 0) || (line.size() > 2 && line.compare(0, 2, "\\\\") == 0);
}

bool ReadFileBytes(const char* name, std::string& bytes)
{
    const HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool read = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 30);
    if (read) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        read = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size();
    }
    CloseHandle(file);
    return read;
}

bool WriteFileBytes(const char* name, const std::string& bytes)
{
    const HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool complete = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                          written == bytes.size();
    return CloseHandle(file) && complete;
}

class TEMPLATE_COPY {
public:
    TEMPLATE_COPY(KERNEL* kernel, const char* out, const char* templateFile, const char* next)
        : kernel_(kernel), templateFolder_(Folder(templateFile)), pageFolder_(Folder(out)),
          next_(next && *next ? next : "NULL")
    {
        FNSPLIT page(out);
        // The title field holds 49 characters.
        title_ = std::string(static_cast<const char*>(page.name)).substr(0, 49);
        if (title_.empty())
            title_ = "NULL";
    }

    std::string Copy(TEMPLATE_TEXT& text)
    {
        std::string line;
        while (text.Line(line)) {
            if (line == "OBJET {") {
                Write(line);
                CopyCommonBlock(text);
            } else if (SameWithoutCase(line, "PAGE {")) {
                Write(line);
                if (text.Line(line))
                    Write(title_);
            } else {
                Write(FileLine(line, false));
            }
        }
        return out_;
    }

private:
    void Write(const std::string& line) { out_ += line + "\r\n"; }

    // The common block of an object record after "OBJET {", up to the end of its branch part.
    void CopyCommonBlock(TEMPLATE_TEXT& text)
    {
        std::string line;
        if (!text.Line(line))
            return;
        Write(Absolute(line));  // the module
        for (int verbatim = 0; verbatim < 3 && text.Line(line); ++verbatim)
            Write(line);  // children count, user ID, user string
        if (CopyObjectPart(text))
            CopyBranchPart(text);
    }

    // From the hover-message title to the "}" that ends the object part; false at the end of
    // the file.
    bool CopyObjectPart(TEMPLATE_TEXT& text)
    {
        enum { TITLE, LENGTH, DELAY = LENGTH + 2, SOUND };
        std::string line;
        bool inFonts = false;
        long length = 0;
        for (int field = TITLE; text.Line(line); ++field) {
            if (line == "}") {
                Write(line);
                return true;
            }
            if (field == LENGTH) {
                length = strtol(line.c_str(), nullptr, 10);
                Write(line);
                if (length > 0) {
                    // The message text goes by its byte count; the rest of its last line is dropped
                    // by readers, so it is kept as it is.
                    std::string rest;
                    const std::string message = text.Bytes(static_cast<size_t>(length));
                    text.Line(rest);
                    Write(message + rest);
                    ++field;
                }
            } else if (field == SOUND) {
                Write(FileLine(line, false));
            } else if (line == "FONTS [" || line == "]") {
                inFonts = line == "FONTS [";
                Write(line);
            } else {
                Write(inFonts ? FileLine(line, true) : line);
            }
        }
        return false;
    }

    // "BRANCH {" with its records, up to its "}".
    void CopyBranchPart(TEMPLATE_TEXT& text)
    {
        std::string line;
        if (!text.Line(line))
            return;
        Write(line);
        if (line != "BRANCH {" || !text.Line(line))
            return;
        Write(line);
        long records = strtol(line.c_str(), nullptr, 10);
        while (records-- > 0 && CopyBranchRecord(text)) {
        }
        while (text.Line(line)) {
            Write(line);
            if (line == "}")
                return;
            if (line == "BR [" && text.Line(line)) {
                Write(line);  // number of return-code branches
                CopyBranchRecord(text);
            }
        }
    }

    // The 11 lines of one branch: its target, sound and DLL are files; the sequence branch
    // leads to the next page. False when the file ends first.
    bool CopyBranchRecord(TEMPLATE_TEXT& text)
    {
        std::string line;
        for (int number = 1; number <= BRANCH_RECORD_LINES; ++number) {
            if (!text.Line(line))
                return false;
            if (number == 1 && line == SEQUENCE_BRANCH)
                Write(next_);
            else if (number == 1 || number == BRANCH_SOUND_LINE || number == BRANCH_DLL_LINE)
                Write(FileLine(line, false));
            else
                Write(line);
        }
        return true;
    }

    std::string Absolute(const std::string& line) const
    {
        if (line.rfind(".\\", 0) != 0 && line.rfind("..\\", 0) != 0)
            return line;
        char absolute[QX_NAME_BUFFER];
        QXFileToAbsolutePath(templateFolder_.c_str(), line.c_str(), absolute);
        return absolute;
    }

    // A line that may name a medium (or, in the font list, a font) of the template: the name
    // of its copy relative to the new page, "NULL" when it cannot be found; other lines as
    // they are.
    std::string FileLine(const std::string& line, bool font)
    {
        const std::string name = Absolute(line);
        if (!NamesLocalFile(name) || name.size() >= QX_NAME_BUFFER)
            return name;
        const std::string source = FindMedium(name);
        if (source.empty())
            return "NULL";
        std::string folder = pageFolder_;
        if (font) {
            folder += "FONTS\\";
            QXCreateFilePath(folder.c_str());
        }
        FNSPLIT parts(source.c_str());
        char target[QX_NAME_BUFFER];
        if (!QXfnmerge(target, folder.c_str(), nullptr, parts.name, parts.ext))
            return "NULL";
        const int free = FreeCopyName(source.c_str(), target);
        if (free < 0)
            return "NULL";
        if (free == 0) {
            const HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
            const int copied = fcopyWithSameDate(source.c_str(), target);
            SetCursor(previous);
            if (copied != 0)
                return "NULL";
        }
        char relative[QX_NAME_BUFFER];
        QXFileToRelatifPath(pageFolder_.c_str(), target, relative);
        return relative;
    }

    // Looks for the file from its own folder (the template's when it lies on another drive),
    // then from the folder above, with the kernel's publication folder set there meanwhile.
    std::string FindMedium(const std::string& name) const
    {
        FNSPLIT file(name.c_str()), templ(templateFolder_.c_str());
        const std::string folder = lstrcmpiA(file.drive, templ.drive) == 0 ? Folder(name) : templateFolder_;
        const std::string publication = KernGetScnPath(kernel_) ? KernGetScnPath(kernel_) : "";
        char found[QX_NAME_BUFFER] = {};
        bool isThere = false;
        for (const std::string& from : {folder, ParentFolder(folder)}) {
            KernSetScnPath(kernel_, from.c_str());
            lstrcpynA(found, name.c_str(), sizeof found);
            isThere = KernFindFile(kernel_, found, 0) && DoFileExist(found);
            if (isThere)
                break;
        }
        KernSetScnPath(kernel_, publication.c_str());
        return isThere ? found : "";
    }

    KERNEL* kernel_;
    std::string templateFolder_;
    std::string pageFolder_;
    std::string next_;
    std::string title_;
    std::string out_;
};

}  // namespace

int CopyTemplatePage(KERNEL* kernel, const char* out, const char* templateFile, const char* next)
{
    std::string bytes;
    if (!out || !templateFile || !ReadFileBytes(templateFile, bytes))
        return 0;
    TEMPLATE_TEXT text(std::move(bytes));
    return WriteFileBytes(out, TEMPLATE_COPY(kernel, out, templateFile, next).Copy(text)) ? 1 : 0;
}
