// Kernels on hidden host windows: what the first and the last kernel of the process set up
// and tear down, message routing through object windows, and the effect list.
#include "accessors.h"
#include "branch.h"
#include "dialog_answerer.h"
#include "effects.h"
#include "enclosers.h"
#include "filefetch.h"
#include "history.h"
#include "extprog.h"
#include "kerneltest.h"
#include "kerntree.h"
#include "navtest.h"
#include "objet.h"
#include "qxsupport.h"
#include "test_canvas.h"

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

TEST(KernelContext, TheDestructorLetsADependentProgramGo)
{
    const HWND host = MakeHost("Hôte");
    KERNEL* kernel = KernConstructeur(host, nullptr, "", "", "");
    SetWindowLongPtrA(host, QX_HOSTWL_KERNEL, reinterpret_cast<LONG_PTR>(kernel));
    BRANCH dependent(kernel);
    dependent.target = (TestToolFolder("kernprograms") + "qxrecordargs.exe").c_str();
    dependent.execMode = QX_EXEC_DEPENDENT;
    dependent.secondText = "0";
    kernel->processes.AddProcess(dependent);
    ASSERT_EQ(1, kernel->depProcessRunning);
    EXPECT_FALSE(IsWindowEnabled(host));
    KernDestructeur(kernel);
    EXPECT_TRUE(IsWindowEnabled(host)) << "the host no longer waits for the program";
    // The program's end, when it comes, reaches nobody.
    MSG msg;
    for (int i = 0; i < 40; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
    DestroyWindow(host);
}

TEST(KernelContext, TheVisitedStampCoversItsDiscOnly)
{
    const COLORREF background = RGB(0x20, 0xA0, 0x40);
    TestCanvas canvas(40, 40, background);
    KernDrawPost(nullptr, canvas.Dc(), 10, 10);
    struct Case {
        int x, y;
        COLORREF expected;
    } cases[] = {{10, 10, background},  // a corner of the stamp's square
                 {25, 25, background},
                 {9, 17, background},   // left of the square
                 {17, 17, RGB(0xC0, 0x10, 0x10)},
                 {18, 12, RGB(0x60, 0x00, 0x00)}};  // on the rim
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, canvas.Pixel(c.x, c.y)) << c.x << "," << c.y;
}

TEST(Accessors, FocusCyclesOverTheTabStopsBothWays)
{
    TestKernel kernel;
    const HWND parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, -2000, -2000, 200, 100, nullptr, nullptr,
                                      nullptr, nullptr);
    auto child = [parent](DWORD style) {
        return CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 20, parent, nullptr, nullptr,
                             nullptr);
    };
    const HWND first = child(WS_TABSTOP);
    child(0);  // no stop: never chosen
    const HWND second = child(WS_TABSTOP);
    const HWND third = child(WS_TABSTOP);
    struct Case {
        HWND from;
        bool previous;
        HWND expected;
    } cases[] = {{second, true, first}, {first, true, third}, {third, true, second},
                 {third, false, first}, {first, false, second}};
    for (const Case& c : cases) {
        SetFocus(c.from);
        ASSERT_EQ(c.from, GetFocus());
        if (c.previous)
            KernSetPrevWindowFocus(kernel, parent);
        else
            KernSetNextWindowFocus(kernel, parent);
        EXPECT_EQ(c.expected, GetFocus()) << (c.previous ? "previous" : "next");
    }
    DestroyWindow(parent);
}

int __stdcall NewPageForTest(KERNEL*, char* out, unsigned size, void*)
{
    lstrcpynA(out, "nouvelle.pag", static_cast<int>(size));
    return 1;
}

TEST(Accessors, APageCreatorIsKeptForTheAuthoringDialogs)
{
    TestKernel kernel;
    KernAddBaseObject(kernel, nullptr);
    EXPECT_EQ(0, kernel->baseObjects.Items());
    KernAddBaseObject(kernel, NewPageForTest);
    ASSERT_EQ(1, kernel->baseObjects.Items());
    char name[20] = "";
    EXPECT_EQ(1, static_cast<BASEOBJ*>(kernel->baseObjects.GetItem(0))->create(kernel, name, sizeof name, nullptr));
    EXPECT_STREQ("nouvelle.pag", name);
}

TEST(Accessors, ANewObjectWhoseModuleIsMissingLeavesTheUndoGroupClosed)
{
    TestKernel kernel(TestPluginFolder(), QX_MODE_EDIT_BIT);
    OBJET* object = new OBJET(kernel, nullptr);
    object->SetDLLName("QXABSENT.DLL");
    DialogAnswerer answerer;
    KernUpdateNewObjet(kernel, object);
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Erreur de fichier", answerer.Shown()[0].caption);
    // The group's end right after its begin removes both: nothing is left open.
    EXPECT_EQ(0, kernel->undo.Items());
    KillObjet(object);
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

// During a broadcast the rectangles of the enclosing objects are taken once; an object
// window made (as objects make theirs when first shown) or moved is seen by the next search.
TEST_F(Routing, ABroadcastSeesTheObjectWindowsMadeAndMoved)
{
    auto* frame = new RecordingObjet(kernel, "cadre");
    root->AddChild(frame);
    const ENCLOSERSCOPE scope(kernel);
    EXPECT_EQ(root, KernLocateParent(kernel, first));
    frame->window = KernCreateObjetWindow(kernel, frame, 5, 5, 60, 60, "PAGE");
    ASSERT_NE(nullptr, frame->window);
    EXPECT_EQ(frame, KernLocateParent(kernel, first));
    MoveWindow(frame->window, 150, 5, 60, 60, FALSE);
    EXPECT_EQ(root, KernLocateParent(kernel, first));
    MoveWindow(second->window, 0, 0, 100, 100, FALSE);
    EXPECT_EQ(second, KernLocateParent(kernel, first));
}

TEST_F(Routing, ObjectsAreFoundByTheirName)
{
    lstrcpyA(second->GetUserID(), "Bouton");
    EXPECT_EQ(KernFindObjetEx(kernel, "BOUTON"), second);
    EXPECT_EQ(KernFindObjet(kernel, nullptr, "absent"), nullptr);
}

// ---- Painting through an effect ----

// An object that paints its whole rectangle red and counts its paintings.
class RedObjet : public OBJET {
public:
    explicit RedObjet(KERNEL* kernel) : OBJET(kernel, nullptr) { paintThrough = 1; }
    ~RedObjet() override
    {
        if (window)
            KernRemoveWindow(GetKernel(), window);
    }
    LRESULT WindowsMessage(MSGL* msg) override
    {
        if (msg->message != WM_PAINT || !msg->wParam)
            return OBJET::WindowsMessage(msg);
        ++paintings;
        const RECT whole = {0, 0, w, h};
        const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(reinterpret_cast<HDC>(msg->wParam), &whole, red);
        DeleteObject(red);
        return 0;
    }
    int paintings = 0;
};

template <typename Answer>
Answer EffectProbe(const char* name)
{
    const FARPROC probe = GetProcAddress(GetModuleHandleA("qxfxtest.dll"), name);
    return reinterpret_cast<Answer (*)()>(reinterpret_cast<void*>(probe))();
}

TEST(EffectPainting, AnObjectShownWithAnEffectIsDrawnByItsModuleOnce)
{
    HostedKernel hosted;
    KERNEL* kernel = hosted.kernel;
    // Only the test module's effects, whatever lies beside the kernel library.
    KernFreeEffectModules();
    KernLoadEffectModules((ExeFolder() + "kerneffects\\").c_str());
    ShowWindow(hosted.host, SW_SHOWNA);

    struct Case {
        int index;         // of the effect within the test module
        int paintings;     // of the object on its first show
    } cases[] = {{0, 1}, {2, 2}};  // the module fails effect 2: the object paints itself again
    for (const Case& c : cases) {
        auto* object = new RedObjet(kernel);
        object->w = 60;
        object->h = 40;
        object->window = KernCreateBaseWindow(kernel, object, "", WS_CHILD, 0, 0, object->w, object->h, "PAGE");
        ASSERT_NE(object->window, nullptr) << c.index;
        ShowWindow(object->window, SW_SHOWNA);
        kernel->loadedPages.AddTail(new TREE("rouge.pag", object));
        object->effectId = KernDllId2EffectId("QXFXTEST.DLL", c.index);
        ASSERT_NE(object->effectId, 0);
        object->effectPending = 1;
        object->shown = 1;
        KernSetDrawEffect(kernel, 1);
        const int before = EffectProbe<int>("TestEffectDrawings");

        InvalidateRect(object->window, nullptr, FALSE);
        UpdateWindow(object->window);
        EXPECT_EQ(EffectProbe<int>("TestEffectDrawings"), before + 1) << c.index;
        EXPECT_EQ(EffectProbe<int>("TestEffectLastIndex"), c.index);
        EXPECT_EQ(EffectProbe<COLORREF>("TestEffectLastCentre"), RGB(255, 0, 0)) << "the module got the painted object";
        EXPECT_EQ(object->paintings, c.paintings) << c.index;
        EXPECT_EQ(object->effectPending, 0);

        InvalidateRect(object->window, nullptr, FALSE);
        UpdateWindow(object->window);
        EXPECT_EQ(EffectProbe<int>("TestEffectDrawings"), before + 1) << "played on the first show only";
        EXPECT_EQ(object->paintings, c.paintings + 1);
        KernClearAllLoaded(kernel);
    }
}

}  // namespace
