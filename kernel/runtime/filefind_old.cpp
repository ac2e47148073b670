// Finding the files named by pages of the oldest format. Their names are whole paths of the
// author's machine, so the file is looked for around the publication folder (climbing up,
// re-rooting the name on each folder of the publication's path), then around the folders
// where earlier files were found.
#include "filefind.h"

#include "kernel.h"
#include "qxpath.h"
#include "../authoring/authoring.h"

#include <optional>
#include <string>
#include <vector>

namespace {

bool Exists(const std::string& name) { return DoFileExist(name.c_str()) != 0; }

bool HasDriveLetter(const std::string& name) { return name.size() > 1 && name[1] == ':'; }

std::string Folder(const std::string& file)
{
    const size_t slash = file.rfind('\\');
    return slash == std::string::npos ? file : file.substr(0, slash + 1);
}

// The components between the backslashes of the name's folder, from the left.
std::vector<std::string> FolderComponents(const std::string& name)
{
    std::vector<std::string> components;
    const std::string folder = Folder(name);
    size_t start = folder.find('\\');
    while (start != std::string::npos) {
        const size_t end = folder.find('\\', start + 1);
        if (end == std::string::npos)
            break;
        if (end > start + 1)
            components.push_back(folder.substr(start + 1, end - start - 1));
        start = end;
    }
    return components;
}

// The author's tree was the publication's under another root: the tail of the name from a
// folder that also occurs in `folder` is tried under that occurrence (the case counts), and
// at last the bare file in `folder` itself.
std::optional<std::string> ReRooted(const std::string& folder, const std::string& name)
{
    const std::vector<std::string> components = FolderComponents(name);
    size_t tail = name.find('\\');
    for (const std::string& component : components) {
        tail = name.find('\\' + component + '\\', tail);
        const size_t occurrence = folder.find(component);
        if (occurrence == std::string::npos)
            continue;
        const std::string candidate = folder.substr(0, occurrence) + name.substr(tail + 1);
        if (Exists(candidate))
            return candidate;
    }
    const FNSPLIT root(folder.c_str());
    const FNSPLIT file(name.c_str());
    const std::string last = static_cast<const char*>(root.drive + root.dir + file.name + file.ext);
    if (Exists(last))
        return last;
    return std::nullopt;
}

// Climbs the publication folder one level at a time, trying at each level every tail of
// the name (from each of its backslashes).
std::optional<std::string> UnderPublicationAncestors(std::string folder, const std::string& name)
{
    for (size_t cut = folder.rfind('\\'); cut != std::string::npos; cut = folder.rfind('\\')) {
        folder.resize(cut);
        for (size_t slash = name.find('\\'); slash != std::string::npos; slash = name.find('\\', slash + 1)) {
            const std::string candidate = folder + '\\' + name.substr(slash + 1);
            if (Exists(candidate))
                return candidate;
        }
    }
    return std::nullopt;
}

// Steps that search around folders: what they find marks its folder as a seek path.
std::optional<std::string> Searched(KERNEL* kernel, std::string name)
{
    const std::string publication = static_cast<const char*>(kernel->scnPath);
    if (auto found = UnderPublicationAncestors(publication, name))
        return found;
    if (auto found = ReRooted(publication, name))
        return found;
    QXSTRING qualified = kernel->scnPath;
    if (HasDriveLetter(name) && MakeFQNameStr(&qualified) && qualified.length()) {
        std::string moved = name;
        moved[0] = static_cast<const char*>(qualified)[0];
        if (Exists(moved))
            return moved;
    }
    for (int i = 0; i < kernel->seekCount; ++i)
        if (auto found = ReRooted(static_cast<const char*>(kernel->seekPaths[i]), name))
            return found;
    if (Exists(name))
        return name;
    return std::nullopt;
}

// Where the file lies, or nothing; the name is fully qualified.
std::optional<std::string> Located(KERNEL* kernel, std::string name)
{
    if (const RELOCFILE_ITEM* moved = kernel->relocations.Find(KernOnPublicationDrive(kernel, name.c_str())))
        return std::string(moved->destination);
    if (GetFileLocation(name.c_str(), nullptr, 0, nullptr, 0) == QX_LOCATION_UNC)
        return Exists(name) ? std::optional<std::string>(name) : std::nullopt;
    if (!HasDriveLetter(name)) {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof current, current);
        QXSTRING placed;
        placed.Format("%s\\%s", current, name.c_str());
        StripDoubleBackslashStr(&placed);
        name = static_cast<const char*>(placed);
    }
    std::optional<std::string> found = Searched(kernel, name);
    if (found)
        KernAddSeekPath(kernel, Folder(*found).c_str());
    return found;
}

// The fully qualified name; a drive that isn't there (the author's) is qualified as if it
// were C and keeps its own letter.
std::optional<std::string> Qualified(const char* name)
{
    char qualified[QX_NAME_BUFFER];
    lstrcpynA(qualified, name, sizeof qualified);
    if (MakeFQName(qualified))
        return std::string(qualified);
    if (!HasDriveLetter(name))
        return std::nullopt;
    lstrcpynA(qualified, name, sizeof qualified);
    qualified[0] = 'C';
    if (!MakeFQName(qualified))
        return std::nullopt;
    qualified[0] = name[0];
    return std::string(qualified);
}

enum class DriveCheck { Keep, Abort, NotFound };

// Every component of a publication must lie on its drive: a file found elsewhere is copied
// there when the user agrees, else it counts as missing under its name on that drive.
DriveCheck CheckDrive(KERNEL* kernel, char* found)
{
    const int flags = KernValidateScnFileDrive(kernel, found, 1);
    if (flags & 1)
        return DriveCheck::Abort;
    if ((flags & 4) && (!(flags & 2) || !KernCopyToScnDrive(kernel, found, QX_NAME_BUFFER))) {
        lstrcpynA(found, KernOnPublicationDrive(kernel, found), QX_NAME_BUFFER);
        return DriveCheck::NotFound;
    }
    return DriveCheck::Keep;
}

}  // namespace

int KernFindFileOld(KERNEL* kernel, char* name, int ask, int checkDrive)
{
    if (!kernel || !name || !*name || kernel->scnPath.length() == 0 || !KernIsLocalName(name))
        return 0;
    const std::optional<std::string> qualified = Qualified(name);
    if (!qualified)
        return 0;
    lstrcpynA(name, qualified->c_str(), QX_NAME_BUFFER);
    // A name found missing while this page is read is not searched for again: the search
    // climbs every folder above the publication with every tail of the name, and a page may
    // name the same absent file in thousands of records.
    if (KernIsMissingName(kernel, name))
        return 0;
    if (const std::optional<std::string> found = Located(kernel, *qualified)) {
        lstrcpynA(name, found->c_str(), QX_NAME_BUFFER);
        const DriveCheck check = checkDrive ? CheckDrive(kernel, name) : DriveCheck::Keep;
        if (check == DriveCheck::Abort)
            return 0;
        if (check == DriveCheck::Keep)
            return 1;
    }
    if (!KernIsMissingName(kernel, name))
        KernReportMissing(kernel, name, ask);
    return 0;
}

int KernFindFileOldStr(KERNEL* kernel, QXSTRING* name, int ask, int checkDrive)
{
    if (!name)
        return 0;
    char buffer[QX_NAME_BUFFER];
    lstrcpynA(buffer, *name, sizeof buffer);
    const int found = KernFindFileOld(kernel, buffer, ask, checkDrive);
    *name = buffer;
    return found;
}
