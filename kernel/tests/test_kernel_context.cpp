// Kernels on hidden host windows: what the first and the last kernel of the process set up
// and tear down, message routing through object windows, and the effect list.
#include "accessors.h"
#include "branch.h"
#include "effects.h"
#include "filefetch.h"
#include "history.h"
#include "kerntree.h"
#include "objet.h"
#include "qxsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The host keeps its own pointer in window long 0 and its kernel at QX_HOSTWL_KERNEL.
constexpr int HostExtraBytes = 16;
const char HostClass[] = "QxKernelTestHost";

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const LRESULT handled = KernCommand(window, message, wParam, lParam))
        return handled;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeHost(const char* title)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.cbWndExtra = HostExtraBytes;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = HostClass;
    RegisterClassA(&windowClass);
    return CreateWindowA(HostClass, title, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

bool ObjectClassRegistered()
{
    WNDCLASSA windowClass;
    return GetClassInfoA(GetModuleHandleA("qxcore40.dll"), "KernObjetWindow", &windowClass) != 0;
}

std::string ExeFolder()
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string folder = exe;
    return folder.substr(0, folder.rfind('\\') + 1);
}

class HostedKernel {
public:
    explicit HostedKernel(const char* title = "Hôte")
        : host(MakeHost(title)), kernel(KernConstructeur(host, this, "", "", ""))
    {
        SetWindowLongPtrA(host, 0, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(host, QX_HOSTWL_KERNEL, reinterpret_cast<LONG_PTR>(kernel));
    }
    ~HostedKernel()
    {
        KernDestructeur(kernel);
        DestroyWindow(host);
    }
    HostedKernel(const HostedKernel&) = delete;
    HostedKernel& operator=(const HostedKernel&) = delete;

    HWND host;
    KERNEL* kernel;
};

TEST(KernelContext, TheFirstKernelSetsUpAndTheLastTearsDown)
{
    ASSERT_FALSE(ObjectClassRegistered());
    auto* first = new HostedKernel("Première");
    EXPECT_TRUE(ObjectClassRegistered());
    EXPECT_EQ(GetPropA(first->host, "QXKERNEL"), first->kernel);
    EXPECT_STREQ(first->kernel->appTitle, "Première");
    EXPECT_EQ(KernGetAppPointer(first->kernel), first);
    EXPECT_STRNE(KernGetCachePath(first->kernel), "");
    ASSERT_GE(KernGetEffectCount(), 1);
    EXPECT_STREQ(KernGetEffectName(0), "Aucune");
    const int effects = KernGetEffectCount();

    auto* second = new HostedKernel("Seconde");
    EXPECT_EQ(KernGetEffectCount(), effects) << "a second kernel loads no effect module again";
    delete first;
    EXPECT_TRUE(ObjectClassRegistered()) << "the second kernel still needs the class";
    EXPECT_EQ(KernGetEffectCount(), effects);
    EXPECT_STRNE(KernGetCachePath(second->kernel), "");
    delete second;
    EXPECT_FALSE(ObjectClassRegistered());
    EXPECT_EQ(KernGetEffectCount(), 0);
}

TEST(KernelContext, TheDestructorClearsOnlyTheKernelSlotOfTheHost)
{
    const HWND host = MakeHost("Hôte");
    const LONG_PTR own = 0x123456789ABCLL;
    KERNEL* kernel = KernConstructeur(host, nullptr, "", "", "");
    SetWindowLongPtrA(host, 0, own);
    SetWindowLongPtrA(host, QX_HOSTWL_KERNEL, reinterpret_cast<LONG_PTR>(kernel));
    KernDestructeur(kernel);
    EXPECT_EQ(GetWindowLongPtrA(host, 0), own) << "the host's own pointer";
    EXPECT_EQ(GetWindowLongPtrA(host, QX_HOSTWL_KERNEL), 0);
    EXPECT_EQ(GetPropA(host, "QXKERNEL"), nullptr);
    DestroyWindow(host);
}

TEST(KernelContext, TheRegistryRecordNeedsTheKeyAndTheValueName)
{
    struct Case {
        const char* key;
        const char* value;
        bool record;
    };
    const Case cases[] = {{"", "", false}, {"Software\\Essai\\", "", false}, {"", "CDRom", false},
                          {"Software\\Essai\\", "CDRom", true}};
    for (const Case& c : cases) {
        KERNEL* kernel = KernConstructeur(nullptr, nullptr, c.key, "Environnement", c.value);
        EXPECT_EQ(kernel->registry != nullptr, c.record) << c.key << " / " << c.value;
        if (kernel->registry) {
            EXPECT_STREQ(kernel->registry->allUsersKey, ".Default\\Software\\Essai\\");
        }
        KernDestructeur(kernel);
    }
}

// ---- Effects ----

TEST(Effects, TheTestModuleContributesTheEffectsItNames)
{
    ASSERT_EQ(KernGetEffectCount(), 0) << "no kernel is alive";
    KernLoadEffectModules((ExeFolder() + "kerneffects\\").c_str());
    // "Aucune", then the three named effects of the test module; the module without effects
    // is dropped.
    ASSERT_EQ(KernGetEffectCount(), 4);
    EXPECT_STREQ(KernGetEffectName(0), "Aucune");
    EXPECT_STREQ(KernGetEffectName(1), "Essai 0");
    EXPECT_STREQ(KernGetEffectName(3), "Essai 2");
    EXPECT_EQ(GetModuleHandleA("qxfxnone.dll"), nullptr);

    struct Case {
        int id;
        const char* module;
        int index;
        int known;
    };
    const Case cases[] = {{0, "", -1, 1}, {1, "qxfxtest.dll", 0, 1}, {3, "qxfxtest.dll", 2, 1}, {4, "", 0, 0},
                          {-1, "", 0, 0}};
    for (const Case& c : cases) {
        char module[64] = "x";
        int index = 99;
        EXPECT_EQ(KernEffectId2DllId(c.id, module, sizeof module, &index), c.known) << c.id;
        EXPECT_STRCASEEQ(module, c.module) << c.id;
        EXPECT_EQ(index, c.index) << c.id;
    }
    EXPECT_EQ(KernDllId2EffectId("QXFXTEST.DLL", 1), 2);
    EXPECT_EQ(KernDllId2EffectId("QXFXTEST.DLL", 3), 0) << "an index the module does not name";
    EXPECT_EQ(KernDllId2EffectId("QXFXTEST.DLL", -1), 0);
    char function[64];
    KernEffectId2FonctionName(1, function);
    EXPECT_STREQ(function, "null");

    KernFreeEffectModules();
    EXPECT_EQ(KernGetEffectCount(), 0);
    EXPECT_EQ(GetModuleHandleA("qxfxtest.dll"), nullptr);
}

// ---- Routing ----

struct Delivery {
    std::string object;
    UINT message;
};

std::vector<Delivery>& Deliveries()
{
    static std::vector<Delivery> log;
    return log;
}

class RecordingObjet : public OBJET {
public:
    RecordingObjet(KERNEL* kernel, const char* name) : OBJET(kernel, nullptr), name(name) {}
    // As plug-in objects do, the object takes its window with it.
    ~RecordingObjet() override
    {
        if (window)
            KernRemoveWindow(GetKernel(), window);
    }
    LRESULT WindowsMessage(MSGL* msg) override
    {
        Deliveries().push_back({name, msg->message});
        return OBJET::WindowsMessage(msg);
    }
    LRESULT KernelMessage(MSGL* msg) override
    {
        Deliveries().push_back({name, msg->message});
        return OBJET::KernelMessage(msg);
    }
    std::string name;
};

int Count(const std::string& object, UINT message)
{
    int count = 0;
    for (const Delivery& delivery : Deliveries())
        count += delivery.object == object && delivery.message == message;
    return count;
}

constexpr UINT Probe = WM_USER + 300;

class Routing : public testing::Test {
protected:
    void SetUp() override
    {
        Deliveries().clear();
        kernel = hosted.kernel;
        root = new RecordingObjet(kernel, "page");
        root->window = KernCreateBaseWindow(kernel, root, "", WS_CHILD, 0, 0, 300, 200, "PAGE");
        kernel->loadedPages.AddTail(new TREE("page.pag", root));
        first = AddChild("un", 10);
        second = AddChild("deux", 100);
        ASSERT_NE(root->window, nullptr);
        ASSERT_NE(first->window, nullptr);
    }

    RecordingObjet* AddChild(const char* name, int x)
    {
        auto* child = new RecordingObjet(kernel, name);
        root->AddChild(child);
        child->window = KernCreateObjetWindow(kernel, child, x, 10, 50, 50, "PAGE");
        return child;
    }

    HostedKernel hosted;
    KERNEL* kernel = nullptr;
    RecordingObjet* root = nullptr;
    RecordingObjet* first = nullptr;
    RecordingObjet* second = nullptr;
};

TEST_F(Routing, ObjectWindowsCarryTheirObject)
{
    EXPECT_EQ(KernGetObjetByHwnd(kernel, first->window), first);
    EXPECT_EQ(KernFindPos(kernel, root, second), 1);
    EXPECT_EQ(KernFindHwnd(kernel, root, 1), second->window);
    EXPECT_EQ(KernFindHwnd(kernel, root, 2), nullptr);
    SendMessageA(first->window, Probe, 0, 0);
    EXPECT_EQ(Count("un", Probe), 1);
}

int VetoProbe(MSGL* msg, void* host)
{
    EXPECT_NE(host, nullptr);
    return msg->message != Probe;
}

TEST_F(Routing, TheHostFilterVetoesAMessage)
{
    KernSetFilterMsg(kernel, VetoProbe);
    SendMessageA(first->window, Probe, 0, 0);
    SendMessageA(first->window, Probe + 1, 0, 0);
    EXPECT_EQ(Count("un", Probe), 0);
    EXPECT_EQ(Count("un", Probe + 1), 1);
}

int branchFilterCalls = 0;
int CancelBranch(BRANCH*, void*)
{
    ++branchFilterCalls;
    return 0;
}

TEST_F(Routing, APendingBranchEatsOneMessage)
{
    BRANCH branch(kernel);
    KernSetFilterBranch(kernel, CancelBranch);
    branchFilterCalls = 0;
    kernel->pendingBranch = &branch;
    kernel->branchState = 1;
    SendMessageA(first->window, Probe, 0, 0);
    EXPECT_EQ(Count("un", Probe), 0) << "the message that carried the branch";
    EXPECT_EQ(branchFilterCalls, 1);
    EXPECT_EQ(kernel->branchState, 0);
    SendMessageA(first->window, Probe, 0, 0);
    EXPECT_EQ(Count("un", Probe), 1);
}

TEST_F(Routing, TheObjectLeftHearsOfItBeforeTheObjectEntered)
{
    SendMessageA(first->window, WM_MOUSEMOVE, 0, 0);
    Deliveries().clear();
    SendMessageA(second->window, WM_MOUSEMOVE, 0, 0);
    ASSERT_GE(Deliveries().size(), 3u);
    EXPECT_EQ(Deliveries()[0].object, "un");
    EXPECT_EQ(Deliveries()[0].message, KM_HOVEREND);
    EXPECT_EQ(Deliveries()[1].object, "deux");
    EXPECT_EQ(Deliveries()[1].message, KM_HOVERSTART);
    EXPECT_EQ(Deliveries()[2].message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(kernel->hovered, second);
    KernObjetOut(kernel);
    EXPECT_EQ(Count("deux", KM_HOVEREND), 1);
    EXPECT_EQ(kernel->hovered, nullptr);
}

TEST_F(Routing, ABroadcastReachesEveryObject)
{
    EXPECT_EQ(KernBroadCastToObjet(kernel, root, Probe, 0, 0), 0);
    for (const char* name : {"page", "un", "deux"})
        EXPECT_EQ(Count(name, Probe), 1) << name;
}

TEST_F(Routing, RightButtonsAreDroppedInOtherEditingModes)
{
    struct Case {
        int mode;
        int delivered;
    };
    for (const Case c : {Case{0, 1}, Case{1, 0}, Case{6, 0}}) {
        Deliveries().clear();
        kernel->mode = c.mode;
        SendMessageA(first->window, WM_RBUTTONDOWN, 0, 0);
        EXPECT_EQ(Count("un", WM_RBUTTONDOWN), c.delivered) << "mode " << c.mode;
    }
    kernel->mode = 0;
}

int locksAsked = 0;
class Holder : public RecordingObjet {
public:
    Holder(KERNEL* kernel, int gives) : RecordingObjet(kernel, "holder"), gives(gives) {}
    LRESULT KernelMessage(MSGL* msg) override
    {
        if (msg->message == KM_IDREQUEST) {
            ++locksAsked;
            return gives;
        }
        return RecordingObjet::KernelMessage(msg);
    }
    int gives;
};

TEST_F(Routing, SharedDevicesGoToTheHigherClaim)
{
    Holder willing(kernel, 1);
    Holder stubborn(kernel, 0);
    locksAsked = 0;
    EXPECT_EQ(KernLockId(kernel, &willing, 1, 5), 1);
    EXPECT_EQ(KernLockId(kernel, &willing, 1, 0), 1) << "the holder itself is not asked";
    EXPECT_EQ(locksAsked, 0);
    EXPECT_EQ(KernLockId(kernel, &stubborn, 1, 4), 0) << "lower priority";
    EXPECT_EQ(KernLockId(kernel, &stubborn, 1, 5), 1) << "equal priority asks the holder";
    EXPECT_EQ(locksAsked, 1);
    EXPECT_EQ(KernLockId(kernel, &willing, 1, 9), 0) << "the holder refuses";
    EXPECT_EQ(KernUnlockId(kernel, 1), 1);
    EXPECT_EQ(Count("page", KM_IDRELEASED), 1);
    EXPECT_EQ(KernUnlockId(kernel, 1), 0);
}

TEST_F(Routing, UnchangedExtentSendsNothing)
{
    KernSetAppExtent(kernel, 0, 0, 640, 480);
    EXPECT_EQ(Count("page", KM_EXTENT), 1);
    KernSetAppExtent(kernel, 0, 0, 640, 480);
    EXPECT_EQ(Count("page", KM_EXTENT), 1);
}

TEST_F(Routing, ObjectsAreFoundByTheirName)
{
    lstrcpyA(second->GetUserID(), "Bouton");
    EXPECT_EQ(KernFindObjetEx(kernel, "BOUTON"), second);
    EXPECT_EQ(KernFindObjet(kernel, nullptr, "absent"), nullptr);
}

}  // namespace
