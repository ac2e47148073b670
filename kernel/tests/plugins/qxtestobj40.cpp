// A minimal object kind for the kernel's tests: the common record block followed by a block
// of its own, "TESTOBJ {", that keeps a label, whether the object is a page root, and the
// coordinate flag it was handed.
#include "objet.h"

#include "qxfile.h"
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
