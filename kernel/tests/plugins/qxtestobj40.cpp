// A minimal object kind for the kernel's tests: the common record block followed by a block
// of its own, "TESTOBJ {", that keeps a label, whether the object is a page root, and the
// coordinate flag it was handed. In an exported page it writes a line with its label and
// index, and a label "MEDIA:" followed by a file name publishes that file. Labels "FAILSAVE"
// and "BUSY" make it misbehave on purpose.
#include "objet.h"

#include "exportnames.h"
#include "paths.h"
#include "qxfile.h"
#include "qxpath.h"
#include "qxsupport.h"

#include <cstdio>
#include <cstring>

namespace {

HINSTANCE thisModule = nullptr;

bool WriteLine(QXFILE file, const char* text)
{
    const long length = static_cast<long>(std::strlen(text));
    return QXWriteFile(file, text, static_cast<unsigned long>(length)) == length && QXWriteString(file, "\r\n") == 2;
}

}  // namespace

class TESTOBJ : public OBJET {
public:
    explicit TESTOBJ(KERNEL* kernel) : OBJET(kernel, thisModule)
    {
        SetDLLName("QXTESTOBJ.DLL");
        lstrcpynA(objetName, "Objet d'essai", sizeof objetName);
    }

    int isBaseObject() override { return isRoot; }

    int Load(QXFILE file, int& universe) override
    {
        if (!OBJET::Load(file, universe))
            return 0;
        char line[500];
        if (!QXLoadString(file, line, sizeof line) || std::strcmp(line, "TESTOBJ {") != 0)
            return 0;
        if (!QXLoadString(file, label, sizeof label) || !Load1Int(file, &isRoot))
            return 0;
        unitsSeen = universe;
        // A root laid out in pixels hands its children pixel coordinates.
        if (std::strcmp(label, "PIXELS") == 0)
            universe = 0;
        return QXLoadString(file, line, sizeof line) && std::strcmp(line, "}") == 0;
    }

    int Save(QXFILE file, int& universe, int withBranches) override
    {
        // A label that asks for it makes the write fail, as a full disk would.
        if (std::strcmp(label, "FAILSAVE") == 0)
            return 0;
        if (!OBJET::Save(file, universe, withBranches))
            return 0;
        unitsSeen = universe;
        if (std::strcmp(label, "PIXELS") == 0)
            universe = 0;
        char root[16];
        std::snprintf(root, sizeof root, "%d", isRoot);
        return WriteLine(file, "TESTOBJ {") && WriteLine(file, label) && WriteLine(file, root) && WriteLine(file, "}");
    }

    // A label "BUSY" never finishes ending its show delays, as a faulty plug-in would.
    LRESULT KernelMessage(MSGL* msg) override
    {
        if (msg->message == KM_FLUSHDELAYS && std::strcmp(label, "BUSY") == 0)
            return 1;
        return OBJET::KernelMessage(msg);
    }

    int ExportToDHTML(QXFILE file, int& index) override
    {
        if (std::strcmp(label, "FAILSAVE") == 0)
            return 0;
        char published[QX_NAME_BUFFER] = "";
        if (std::strncmp(label, "MEDIA:", 6) == 0 && !Publish(label + 6, published))
            return 0;
        char line[2 * QX_NAME_BUFFER];
        std::snprintf(line, sizeof line, "QXObjects[objindex++] = QXTest(\"%s\",%d,\"%s\");", label, index, published);
        return WriteLine(file, line) ? 1 : 0;
    }

    // As the media objects publish their files: copied with their date under the export
    // name when the table says so; the name relative to the page exported.
    bool Publish(const char* file, char* relative)
    {
        char source[QX_NAME_BUFFER];
        KernFileToAbsolutePath(kernel, file, source);
        char published[QX_NAME_BUFFER];
        const int result = KernGetExportName(kernel, source, published);
        if (result == QX_EXPORT_UNKNOWN)
            return true;
        if (result == QX_EXPORT_COPY && (!QXCreateFilePath(published) || fcopyWithSameDate(source, published) != 0))
            return false;
        KernFileToRelatifPathHtml(kernel, published, relative);
        return true;
    }

    OBJET& operator=(const OBJET& other) override
    {
        OBJET::operator=(other);
        if (const auto* same = dynamic_cast<const TESTOBJ*>(&other))
            lstrcpynA(label, same->label, sizeof label);
        return *this;
    }

    char label[100] = "";
    int isRoot = 0;
    int unitsSeen = -1;
};

extern "C" __declspec(dllexport) OBJET* AllocObjet(KERNEL* kernel) { return new TESTOBJ(kernel); }

// What the tests read of an object made here.
extern "C" __declspec(dllexport) const char* TestObjLabel(OBJET* object)
{
    return static_cast<TESTOBJ*>(object)->label;
}

extern "C" __declspec(dllexport) int TestObjUnitsSeen(OBJET* object)
{
    return static_cast<TESTOBJ*>(object)->unitsSeen;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        thisModule = instance;
    return TRUE;
}
