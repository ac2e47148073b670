// Names for temporary files that do not exist yet.
#include "qxpath.h"

#include "pathtext.h"
#include "qxfile.h"

#include <cstdint>
#include <cstdlib>

using namespace pathtext;

namespace {

constexpr int Attempts = 36;

// `dir` when given, else the temporary folder (the Windows folder when there is none),
// ending in a backslash; false for a given folder with unacceptable characters.
bool ChooseFolder(const char* dir, std::string& folder)
{
    if (dir && *dir) {
        if (!QXValidateFileNameChar(dir))
            return false;
        folder = dir;
    } else {
        char system[MAX_PATH + 1];
        DWORD length = GetTempPathA(sizeof system, system);
        if (length == 0 || length >= sizeof system)
            length = GetWindowsDirectoryA(system, sizeof system);
        folder.assign(system, length < sizeof system ? length : 0);
    }
    EnsureTrailingBackslash(folder);
    return true;
}

// The mask with each '?' replaced by a random character; false when another character of
// the mask is not allowed in file names.
bool FillMask(const std::string& mask, std::string& name)
{
    name = mask;
    for (char& c : name) {
        if (c == '?')
            c = QXGenerateAlphaNumChar();
        else if (!QXIsValidFileChar(c))
            return false;
    }
    return true;
}

bool CreateEmpty(const std::string& name)
{
    QXCreateFilePath(name.c_str());
    const QXFILE file = QXopen(name.c_str(), 1);
    if (!file)
        return false;
    QXclose(file);
    return true;
}

// Both forms: the buffer form's size limit is checked before any file is created.
int CreateTempName(const char* dir, const char* mask, QXSTRING* out, int create, size_t maxLength)
{
    std::string folder;
    if (!ChooseFolder(dir, folder))
        return 0;
    const std::string pattern = mask && *mask ? mask : "????.TMP";
    const bool random = pattern.find('?') != std::string::npos;
    std::string chosen;
    for (int attempt = 0; attempt < (random ? Attempts : 1) && chosen.empty(); ++attempt) {
        std::string candidate;
        if (!FillMask(pattern, candidate))
            return 0;
        if (!DoFileExist((folder + candidate).c_str()))
            chosen = folder + candidate;
    }
    if (chosen.empty() || chosen.size() > maxLength)
        return 0;
    if (create && !CreateEmpty(chosen))
        return 0;
    Assign(out, chosen);
    return 1;
}

}  // namespace

char QXGenerateAlphaNumChar()
{
    static const char characters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    return characters[std::rand() % (sizeof characters - 1)];  // seeded when the library loads
}

int QXCreateTempFileNameStr(const char* dir, const char* mask, QXSTRING* out, int create)
{
    return CreateTempName(dir, mask, out, create, SIZE_MAX);
}

int QXCreateTempFileName(const char* dir, const char* mask, char* out, int outSize, int create)
{
    if (!out || outSize <= 0)
        return 0;
    QXSTRING name;
    if (!CreateTempName(dir, mask, &name, create, outSize - 1))
        return 0;
    return CopyOut(name, out, outSize);
}
