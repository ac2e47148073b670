// Pages run as modal dialogs: the objects of a page addressed as dialog items by their
// numbers, the frame that takes the page's size and hands the caller's procedure to the page,
// and the host window through which the page reads and sets the dialog's title.
#include "kerneltest.h"

#include "accessors.h"
#include "dialog_answerer.h"
#include "dialogitems.h"
#include "pagedialog.h"
#include "pagefiles.h"
#include "qxsupport.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A record of the dialog test object kind (qxdlgobj40), its rectangle "x y w h".
std::vector<std::string> DlgRecord(const std::string& userID, const std::string& rect, int children = 0)
{
    std::vector<std::string> record = {Separator(), "OBJET {", "QXDLGOBJ.DLL", std::to_string(children)};
    for (const std::string& line : PlainCommonBlock(userID))
        record.push_back(line);
    for (const std::string& line : {std::string("DLGOBJ {"), rect, std::string("}")})
        record.push_back(line);
    return record;
}

constexpr int PageWidth = 240;
constexpr int PageHeight = 160;

// A root of 240 x 160 with the items 101, 102 and 104 (no 103), 7, and one named "abc".
std::string ItemsPage()
{
    return PageText({DlgRecord("NULL", "0 0 240 160", 5), DlgRecord("101", "10 10 60 20"),
                     DlgRecord("102", "10 40 60 20"), DlgRecord("104", "10 70 60 20"), DlgRecord("7", "100 10 80 20"),
                     DlgRecord("abc", "100 40 80 20")});
}

// A live kernel over a publication in a scratch folder, its host a child of a top-level view;
// its objects come from the test plug-ins.
class LiveKernel {
public:
    LiveKernel()
    {
        view = CreateWindowExA(0, "STATIC", "view", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        host = CreateWindowExA(0, "STATIC", "Publication", WS_CHILD, 0, 0, 400, 300, view, nullptr, nullptr, nullptr);
        kernel = KernConstructeur(host, nullptr, "", "", "");
        KernSetAppPath(kernel, TestPluginFolder().c_str());
        KernSetScnPath(kernel, pub.Path().c_str());
        KernSetAppExtent(kernel, 0, 0, 400, 300);
    }
    ~LiveKernel()
    {
        KernDestructeur(kernel);
        DestroyWindow(view);
    }
    LiveKernel(const LiveKernel&) = delete;
    LiveKernel& operator=(const LiveKernel&) = delete;

    ScratchDir pub;
    HWND view = nullptr;
    HWND host = nullptr;
    KERNEL* kernel = nullptr;
};

class PageItems : public testing::Test {
protected:
    void SetUp() override
    {
        live.pub.Write("items.pag", ItemsPage());
        ASSERT_EQ(1, KernLoad(live.kernel, (live.pub / "items.pag").c_str(), nullptr, 0));
        ASSERT_NE(nullptr, Window("101"));
    }

    HWND Window(const char* userID) const
    {
        OBJET* object = KernFindObjetEx(live.kernel, userID);
        return object ? object->window : nullptr;
    }
    std::string Text(const char* userID) const
    {
        char text[100] = "";
        GetWindowTextA(Window(userID), text, sizeof text);
        return text;
    }
    UINT Checked(const char* userID) const { return static_cast<UINT>(SendMessageA(Window(userID), BM_GETCHECK, 0, 0)); }

    LiveKernel live;
};

TEST_F(PageItems, TextsAndNumbersGoToTheItemOfTheirNumber)
{
    KERNEL* k = live.kernel;
    EXPECT_EQ(1, KernSetDlgItemText(k, 7, "Bonjour"));
    EXPECT_EQ("Bonjour", Text("7"));
    char buffer[100] = "";
    EXPECT_EQ(7, KernGetDlgItemText(k, 7, buffer, sizeof buffer));
    EXPECT_STREQ("Bonjour", buffer);
    EXPECT_EQ(3, KernGetDlgItemText(k, 7, buffer, 4));
    EXPECT_STREQ("Bon", buffer);
    QXSTRING text;
    EXPECT_EQ(7, KernGetDlgItemTextStr(k, 7, &text));
    EXPECT_STREQ("Bonjour", text);

    struct Case {
        const char* text;
        int number;
    };
    const Case numbers[] = {{"-42", -42}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"  8", 8}};
    for (const Case& c : numbers) {
        EXPECT_EQ(1, KernSetDlgItemText(k, 7, c.text));
        EXPECT_EQ(c.number, KernGetDlgItemInt(k, 7)) << c.text;
    }
    EXPECT_EQ(1, KernSetDlgItemInt(k, 7, -1234567));
    EXPECT_EQ("-1234567", Text("7"));
    EXPECT_EQ(-1234567, KernGetDlgItemInt(k, 7));
}

TEST_F(PageItems, EveryOperationAnswersZeroWithoutKernelItemOrBuffer)
{
    KERNEL* k = live.kernel;
    char buffer[10] = "x";
    QXSTRING text = "inchangé";
    struct Case {
        const char* what;
        std::function<LRESULT()> call;
    };
    const Case cases[] = {
        {"check, no item", [&] { return KernCheckDlgButton(k, 999, BST_CHECKED); }},
        {"check, no kernel", [&] { return KernCheckDlgButton(nullptr, 101, BST_CHECKED); }},
        {"is checked, no item", [&] { return static_cast<LRESULT>(KernIsDlgButtonChecked(k, 999)); }},
        {"radio, no kernel", [&] { return KernCheckRadioButton(nullptr, 101, 104, 102); }},
        {"set text, no item", [&] { return KernSetDlgItemText(k, 999, "a"); }},
        {"set text, null text", [&] { return KernSetDlgItemText(k, 7, nullptr); }},
        {"set number, no item", [&] { return KernSetDlgItemInt(k, 999, 5); }},
        {"get text, no item", [&] { return KernGetDlgItemText(k, 999, buffer, sizeof buffer); }},
        {"get text, null buffer", [&] { return KernGetDlgItemText(k, 7, nullptr, 10); }},
        {"get text, size 0", [&] { return KernGetDlgItemText(k, 7, buffer, 0); }},
        {"get string, no item", [&] { return KernGetDlgItemTextStr(k, 999, &text); }},
        {"get string, null string", [&] { return KernGetDlgItemTextStr(k, 7, nullptr); }},
        {"get number, no item", [&] { return KernGetDlgItemInt(k, 999); }},
        {"send, no item", [&] { return KernSendDlgItemMessage(k, 999, WM_GETTEXTLENGTH, 0, 0); }},
        {"send, no kernel", [&] { return KernSendDlgItemMessage(nullptr, 7, WM_GETTEXTLENGTH, 0, 0); }},
        {"id, no kernel", [&] { return static_cast<LRESULT>(KernIdFromWPARAM(nullptr, 5)); }},
        {"dialog, no kernel", [&] { return reinterpret_cast<LRESULT>(KernGetDialogHwnd(nullptr)); }},
    };
    KernSetDlgItemText(k, 7, "sept");
    for (const Case& c : cases)
        EXPECT_EQ(0, c.call()) << c.what;
    EXPECT_STREQ("x", buffer);
    EXPECT_STREQ("inchangé", text);
    EXPECT_EQ("sept", Text("7"));
}

TEST_F(PageItems, RadioButtonsAreClearedOverTheRangeAndTheTargetChecked)
{
    KERNEL* k = live.kernel;
    struct Case {
        const char* what;
        int first, last, check;
        int result;
        UINT expected101, expected102, expected104;
    };
    const Case cases[] = {
        {"a range with a gap", 101, 104, 102, 1, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED},
        {"the last of the range", 101, 104, 104, 1, BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED},
        {"a target missing from the range", 101, 104, 103, 0, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED},
        {"a target outside the range", 101, 102, 104, 1, BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED},
    };
    for (const Case& c : cases) {
        for (const char* id : {"101", "102", "104"})
            SendMessageA(Window(id), BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(c.result, KernCheckRadioButton(k, c.first, c.last, c.check)) << c.what;
        EXPECT_EQ(c.expected101, Checked("101")) << c.what;
        EXPECT_EQ(c.expected102, Checked("102")) << c.what;
        EXPECT_EQ(c.expected104, Checked("104")) << c.what;
    }
    EXPECT_EQ(1, KernCheckDlgButton(k, 101, BST_CHECKED));
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), KernIsDlgButtonChecked(k, 101));
    EXPECT_EQ(BST_CHECKED, KernSendDlgItemMessage(k, 101, BM_GETCHECK, 0, 0));
}

TEST_F(PageItems, ACommandNumberOrAnObjectWindowGivesTheItemNumber)
{
    KERNEL* k = live.kernel;
    const HWND stranger = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, live.host, nullptr, nullptr, nullptr);
    // A window of another class whose first window long holds something that is no object.
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.cbWndExtra = QX_OBJECT_WINDOW_EXTRA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QxTestNotAnObject";
    RegisterClassA(&windowClass);
    const HWND lookalike = CreateWindowExA(0, "QxTestNotAnObject", "", WS_CHILD, 0, 0, 5, 5, live.host, nullptr,
                                           GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(lookalike, QXWL_OBJET, 0x1234);
    struct Case {
        const char* what;
        WPARAM wParam;
        int id;
    };
    const Case cases[] = {
        {"a command number", 1234, 1234},
        {"a notification code in the high word", MAKEWPARAM(1234, BN_CLICKED), 1234},
        {"the window of item 101", reinterpret_cast<WPARAM>(Window("101")), 101},
        {"the window of an object with a name", reinterpret_cast<WPARAM>(Window("abc")), 0},
        {"a window without object", reinterpret_cast<WPARAM>(stranger), 0},
        {"a window of another class with window longs", reinterpret_cast<WPARAM>(lookalike), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.id, KernIdFromWPARAM(k, c.wParam)) << c.what;
    DestroyWindow(lookalike);
    DestroyWindow(stranger);
}

TEST_F(PageItems, TheDialogIsTheParentOfTheHostWindow)
{
    EXPECT_EQ(live.view, KernGetDialogHwnd(live.kernel));
}

// What the caller's procedure saw of a page dialog, and what it does when the dialog opens.
struct DialogRun {
    std::vector<UINT> messages;
    LPARAM value = 0;
    SIZE frameClient{};
    std::string caption;      // of the frame
    std::string hostCaption;  // as the page reads it from its host
    std::string itemText;
    int liveObjects = 0;
    std::function<void(KERNEL* inner, HWND root)> onOpen;
};
DialogRun* run = nullptr;

// The objects of the dialog test kind still alive.
int LiveDialogObjects()
{
    const HMODULE module = GetModuleHandleA("qxdlgobj40.dll");
    using DLGOBJLIVE = int (*)();
    return module ? reinterpret_cast<DLGOBJLIVE>(reinterpret_cast<void*>(GetProcAddress(module, "DlgObjLive")))() : 0;
}

KERNEL* InnerKernel(HWND root) { return static_cast<KERNEL*>(GetPropA(GetParent(root), "QXKERNEL")); }

LRESULT RecordingProcedure(HWND root, UINT message, WPARAM, LPARAM lParam)
{
    run->messages.push_back(message);
    if (message != KM_DIALOGEND)
        return 0;
    run->value = lParam;
    KERNEL* inner = InnerKernel(root);
    RECT client{};
    GetClientRect(KernGetDialogHwnd(inner), &client);
    run->frameClient = {client.right, client.bottom};
    run->onOpen(inner, root);
    return 1;
}

class PageDialog : public testing::Test {
protected:
    void SetUp() override
    {
        live.pub.Write("dialog.pag", ItemsPage());
        run = &dialog;
    }
    void TearDown() override { run = nullptr; }

    // A frame still up after a few seconds is cancelled, so that a fault cannot hang the tests.
    int Run(const std::string& page, LPARAM value)
    {
        const UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
            if (const HWND frame = GetActiveWindow())
                PostMessageA(frame, WM_COMMAND, IDCANCEL, 0);
        });
        const int result = KernDialogBox(live.kernel, page.c_str(), RecordingProcedure, value);
        KillTimer(nullptr, guard);
        return result;
    }

    LiveKernel live;
    DialogRun dialog;
};

TEST_F(PageDialog, TheProcedureGetsTheValueFirstAndDrivesTheItemsUntilOk)
{
    dialog.onOpen = [](KERNEL* inner, HWND) {
        run->liveObjects = LiveDialogObjects();
        KernSetDlgItemText(inner, 7, "Réponse");
        char text[50] = "";
        KernGetDlgItemText(inner, 7, text, sizeof text);
        run->itemText = text;
        PostMessageA(KernGetDialogHwnd(inner), WM_COMMAND, IDOK, 0);
    };
    int value = 0;
    EXPECT_EQ(1, Run(live.pub / "dialog.pag", reinterpret_cast<LPARAM>(&value)));
    ASSERT_FALSE(dialog.messages.empty());
    EXPECT_EQ(KM_DIALOGEND, dialog.messages.front());
    // The value is widened: a pointer survives.
    EXPECT_EQ(reinterpret_cast<LPARAM>(&value), dialog.value);
    EXPECT_EQ(PageWidth, dialog.frameClient.cx);
    EXPECT_EQ(PageHeight, dialog.frameClient.cy);
    EXPECT_EQ("Réponse", dialog.itemText);
    // The page's objects lived as long as the dialog: its kernel is gone.
    EXPECT_EQ(6, dialog.liveObjects);
    EXPECT_EQ(0, LiveDialogObjects());
}

TEST_F(PageDialog, ThePageSetsAndReadsTheCaptionThroughItsHost)
{
    dialog.onOpen = [](KERNEL* inner, HWND root) {
        SetWindowTextA(GetParent(root), "Choisir une couleur");
        char caption[100] = "";
        GetWindowTextA(KernGetDialogHwnd(inner), caption, sizeof caption);
        run->caption = caption;
        char host[100] = "";
        GetWindowTextA(GetParent(root), host, sizeof host);
        run->hostCaption = host;
        PostMessageA(KernGetDialogHwnd(inner), WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_EQ(1, Run(live.pub / "dialog.pag", 0));
    EXPECT_EQ("Choisir une couleur", dialog.caption);
    EXPECT_EQ("Choisir une couleur", dialog.hostCaption);
}

TEST_F(PageDialog, ARunWithoutKernelNameOrProcedureShowsNothing)
{
    struct Case {
        const char* what;
        KERNEL* kernel;
        const char* page;
        KERNDIALOGPROC procedure;
    };
    const std::string page = live.pub / "dialog.pag";
    const Case cases[] = {
        {"no kernel", nullptr, page.c_str(), RecordingProcedure},
        {"no name", live.kernel, nullptr, RecordingProcedure},
        {"an empty name", live.kernel, "", RecordingProcedure},
        {"no procedure", live.kernel, page.c_str(), nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(0, KernDialogBox(c.kernel, c.page, c.procedure, 0)) << c.what;
    EXPECT_TRUE(dialog.messages.empty());
}

// The frame ends with 1 for OK and 0 for Cancel; other commands are the page's.
int FrameCommand = 0;
INT_PTR CALLBACK CommandOnOpen(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return KernDialogBoxProc(frame, message, wParam, lParam);
    PostMessageA(frame, WM_COMMAND, static_cast<WPARAM>(FrameCommand), 0);
    // Should the command leave the frame up, Cancel follows it.
    PostMessageA(frame, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(frame, WM_COMMAND, IDOK, 0);
    return TRUE;
}

TEST(PageDialogFrame, EndsWithOneForOkAndZeroForCancel)
{
    const HMODULE kernelModule = GetModuleHandleA("qxcore40.dll");
    struct Case {
        int command;
        INT_PTR result;
    };
    const Case cases[] = {{IDOK, 1}, {IDCANCEL, 0}, {1000, 0}};
    for (const Case& c : cases) {
        FrameCommand = c.command;
        EXPECT_EQ(c.result, DialogBoxParamA(kernelModule, "KERNDIA", nullptr, CommandOnOpen, 0)) << c.command;
    }
    // Without its record the frame ends at once.
    EXPECT_EQ(0, DialogBoxParamA(kernelModule, "KERNDIA", nullptr, KernDialogBoxProc, 0));
}

TEST_F(PageDialog, APageThatCannotBeLoadedLeavesTheFrameEmpty)
{
    // The frame comes up empty and is cancelled; what the kernel reports on the way is answered too.
    const DialogAnswerer answerer(IDCANCEL);
    EXPECT_EQ(1, Run(live.pub / "missing.pag", 0));
    EXPECT_TRUE(dialog.messages.empty());
    ASSERT_FALSE(answerer.Shown().empty());
}

}  // namespace
