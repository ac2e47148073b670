// The start file named by the control's Filename: a publication settings file (".XSC") or a page
// file (".PAG"), from which the first page and the publication size are found.
#include "start_file.h"

#include "kernel_binding.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

// The kernel's buffers for file names.
constexpr size_t kNameSize = 500;
// Lines of a page are read this far: the page block's lines are short.
constexpr size_t kPageLineLimit = 25;

std::string Suffix(const std::string& name)
{
    const size_t dot = name.find_last_of('.');
    const size_t separator = name.find_last_of("\\/");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return {};
    return name.substr(dot);
}

std::string FolderOf(const std::string& file)
{
    const size_t separator = file.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : file.substr(0, separator + 1);
}

std::string ReadBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The local copy exists and can be read. Critical-error boxes stay off while a removable
// drive is asked.
bool Readable(const std::string& file)
{
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(file.c_str(), &found);
    SetErrorMode(previous);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

std::string Profile(const std::string& file, const char* section, const char* key, const char* fallback)
{
    char value[kNameSize] = {};
    GetPrivateProfileStringA(section, key, fallback, value, sizeof value, file.c_str());
    return value;
}

bool HasGeneralSection(const std::string& file)
{
    char keys[64] = {};
    return GetPrivateProfileStringA("General", nullptr, "", keys, sizeof keys, file.c_str()) > 0 && keys[0];
}

// The first page of the settings file's INI form, located; "" when it names none.
std::string FirstPageOfIni(KERNELBINDING& binding, const std::string& settings, const std::string& ini,
                           PUBSIZE& size)
{
    const unsigned long version =
        binding.FormatVersionStringAsDWORD(Profile(ini, "General", "Version", "0.0.0.0").c_str());
    char page[kNameSize] = {};
    snprintf(page, sizeof page, "%s", Profile(ini, "General", "FirstNode", "").c_str());
    if (!page[0]) return {};
    if (version == 0) binding.FindFileOld(page);
    snprintf(page, sizeof page, "%s", ResolveFirstPage(FolderOf(settings), page).c_str());
    binding.FindFile(page);
    size.width = GetPrivateProfileIntA("Viewer", "W", GetSystemMetrics(SM_CXSCREEN), ini.c_str());
    size.height = GetPrivateProfileIntA("Viewer", "H", GetSystemMetrics(SM_CYSCREEN), ini.c_str());
    return page;
}

// The older plain form: the first word is the first page; the size is not known.
std::string FirstPageOfPlainForm(const std::string& local, PUBSIZE& size)
{
    size.width = size.height = -1;
    std::istringstream words(ReadBytes(local));
    std::string page;
    words >> page;
    return page;
}

std::string FirstPageOfSettings(KERNELBINDING& binding, const std::string& settings, PUBSIZE& size)
{
    char local[kNameSize] = {};
    binding.GetFileSync(settings.c_str(), local);
    if (!local[0] || !Readable(local)) return {};
    // The profile functions read a name without a folder from the Windows folder.
    char full[MAX_PATH] = {};
    if (!GetFullPathNameA(local, sizeof full, full, nullptr)) return {};
    if (HasGeneralSection(full)) return FirstPageOfIni(binding, settings, full, size);
    return FirstPageOfPlainForm(full, size);
}

// The line cut at its last ';', without trailing blanks.
std::string PageLine(std::string line)
{
    const size_t comment = line.find_last_of(';');
    if (comment != std::string::npos) line.erase(comment);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    return line;
}

// The size written in the page's own block: its third and fourth numbers.
void ReadPageSize(const std::string& page, PUBSIZE& size)
{
    size.width = size.height = -1;
    const std::string bytes = ReadBytes(page);
    LINEREADER lines(bytes, kPageLineLimit);
    std::string line;
    while (lines.Next(line)) {
        if (lstrcmpiA(PageLine(line).c_str(), "PAGE {") != 0) continue;
        std::string rectangle;
        if (!lines.Next(line) || !lines.Next(rectangle)) return;
        double x = 0, y = 0, width = 0, height = 0;
        if (sscanf(PageLine(rectangle).c_str(), "%lf %lf %lf %lf", &x, &y, &width, &height) == 4) {
            size.width = static_cast<int>(width);
            size.height = static_cast<int>(height);
        }
        return;
    }
}

}  // namespace

bool LINEREADER::Next(std::string& line)
{
    if (at_ >= bytes_.size()) return false;
    const size_t end = bytes_.find_first_of("\r\n", at_);
    const size_t stop = end == std::string::npos ? bytes_.size() : end;
    line = bytes_.substr(at_, std::min(stop - at_, limit_));
    at_ = stop;
    if (at_ < bytes_.size() && bytes_[at_] == '\r') ++at_;
    if (at_ < bytes_.size() && bytes_[at_] == '\n' && (at_ == stop || bytes_[stop] == '\r')) ++at_;
    return true;
}

std::string ResolveFirstPage(const std::string& settingsFolder, const std::string& page)
{
    if (page.empty() || page[0] != '.') return page;
    const bool slashes = settingsFolder.find('/') != std::string::npos;
    std::string folder = settingsFolder, rest = page;
    for (std::string* text : {&folder, &rest})
        for (char& c : *text)
            if (c == '/') c = '\\';
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    for (;;) {
        if (rest.rfind("..\\", 0) == 0) {
            rest.erase(0, 3);
            const size_t up = folder.find_last_of('\\');
            folder.erase(up == std::string::npos ? 0 : up);
        } else if (rest.rfind(".\\", 0) == 0) {
            rest.erase(0, 2);
        } else {
            break;
        }
    }
    // A settings file named without a folder leaves the page relative to the current one.
    std::string resolved = folder.empty() ? rest : folder + "\\" + rest;
    if (slashes)
        for (char& c : resolved)
            if (c == '\\') c = '/';
    return resolved;
}

int OpenStartFile(KERNELBINDING& binding, const std::string& name, PUBSIZE& size)
{
    if (!binding.Kernel() || name.empty() || !binding.CanLoad()) return 0;
    const std::string suffix = Suffix(name);
    std::string firstPage;
    if (lstrcmpiA(suffix.c_str(), ".XSC") == 0) {
        firstPage = FirstPageOfSettings(binding, name, size);
        if (firstPage.empty()) return 0;
    } else if (lstrcmpiA(suffix.c_str(), ".PAG") == 0) {
        ReadPageSize(name, size);
        binding.SetScnPath(FolderOf(name).c_str());
        firstPage = name;
    } else {
        return 0;
    }
    const int loaded = binding.Load(firstPage.c_str());
    if (!loaded) MessageBoxA(nullptr, "Unable to load file", nullptr, MB_OK | MB_ICONSTOP);
    return loaded;
}
