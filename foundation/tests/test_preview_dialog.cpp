// The open-file dialog with preview run under Wine and played by the test: the chosen file,
// the preview under the dialog's list, the check box, the file-type box, the caller's hook
// and data, and the callback codes.
#include "preview_test_support.h"
#include "qxwindowptr.h"
#include "dialog_answerer.h"
#include "media_samples.h"
#include "scratch_dir.h"

#include <commctrl.h>
#include <dlgs.h>

#include <functional>

using namespace preview_test;

namespace {

// A click on a "QXButton": press and release inside it.
void Click(HWND button)
{
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// One move of the user on the open dialog: 0 to go on with the next, or the command that
// closes the dialog.
using Step = std::function<int(HWND dialog)>;

std::vector<Step>* pendingSteps = nullptr;
HWND runningDialog = nullptr;

// Steps run one timer tick apart, so that what a step posts is handled before the next.
void CALLBACK NextStep(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!runningDialog)
        return;
    int command = IDCANCEL;
    if (!pendingSteps->empty()) {
        const Step step = pendingSteps->front();
        pendingSteps->erase(pendingSteps->begin());
        command = step(runningDialog);
    }
    if (command) {
        KillTimer(nullptr, timer);
        PostMessageA(runningDialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
        runningDialog = nullptr;
    }
}

// Runs the open-file dialog with preview; once it is up, the steps play the user.
BOOL RunDialog(QXPREVIEW_REQUEST* request, std::vector<Step> steps, std::vector<ShownDialog>* shown = nullptr)
{
    pendingSteps = &steps;
    DialogAnswerer answerer([](HWND dialog) {
        runningDialog = dialog;
        SetTimer(nullptr, 0, 30, NextStep);
        return 0;  // no command: the steps close the dialog
    });
    const BOOL result = PreviewGetOpenFileName(request);
    runningDialog = nullptr;
    pendingSteps = nullptr;
    if (shown)
        *shown = answerer.Shown();
    return result;
}

HWND HookWindow(HWND dialog) { return FindWindowExA(dialog, nullptr, "#32770", nullptr); }
HWND PaneOf(HWND dialog) { return FindWindowExA(HookWindow(dialog), nullptr, "QXVIEWImage", nullptr); }
HWND CheckBoxOf(HWND dialog) { return FindWindowExA(HookWindow(dialog), nullptr, "Button", CheckBoxText); }

// Selects the entry of the dialog's file list whose name begins with `name`, as a click would;
// what was selected before is deselected first, so that the selection changes in any case.
void SelectFile(HWND dialog, const char* name = "picture")
{
    const HWND view = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr);
    const HWND list = FindWindowExA(view, nullptr, "SysListView32", nullptr);
    ASSERT_TRUE(list);
    LVFINDINFOA find{};
    find.flags = LVFI_PARTIAL | LVFI_STRING;
    find.psz = name;
    const LRESULT item = SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
    ASSERT_GE(item, 0) << name << " is listed";
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = state.stateMask;
    SendMessageA(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
}

void ChooseFileType(HWND dialog, int index)
{
    SendDlgItemMessageA(dialog, cmb1, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, cmb1)));
}

void ClickCheckBox(HWND dialog) { SendMessageA(CheckBoxOf(dialog), BM_CLICK, 0, 0); }

bool CheckBoxTicked(HWND dialog) { return SendMessageA(CheckBoxOf(dialog), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// What the pane shows at its centre.
COLORREF PaneCentre(HWND dialog)
{
    const HWND pane = PaneOf(dialog);
    if (!pane)
        return 0x123456;
    const Rendered shown(pane);
    return shown.canvas.Pixel(shown.size.cx / 2, shown.size.cy / 2);
}

// A folder with one image, 200 x 20 (left half red, right half blue) and an open-file
// description on it, filtering images first.
class DialogCase {
public:
    DialogCase()
    {
        dir.Write("picture.bmp", HalvesBmp(200, 20));
        dir.Write("notes.txt", "text");
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrInitialDir = folder.c_str();
        ofn.lpstrFilter = "Images\0*.bmp\0Tous les fichiers\0*.*\0";
        ofn.nFilterIndex = 1;
        ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
        request.ofn = &ofn;
        request.flags = QXPREVIEW_IMAGE | QXPREVIEW_CHECKBOX;
        request.callback = Record;
        request.user = 31;
    }
    ScratchDir dir;
    std::string folder = dir.Path().substr(0, dir.Path().size() - 1);
    char file[QX_NAME_BUFFER] = {};
    OPENFILENAMEA ofn{};
    QXPREVIEW_REQUEST request{};
};

// Leaves the process-wide preview switch on, as the tests expect to find it.
void TurnPreviewingBackOn()
{
    DialogCase run;
    RunDialog(&run.request, {[](HWND dialog) {
                  if (!CheckBoxTicked(dialog))
                      ClickCheckBox(dialog);
                  return IDCANCEL;
              }});
}

}  // namespace

using PreviewDialog = PreviewTest;

// Tests that may turn the process-wide preview switch off turn it back on when they end.
class PreviewSwitch : public PreviewTest {
protected:
    void TearDown() override { TurnPreviewingBackOn(); }
};

TEST_F(PreviewDialog, RefusesANullRequest)
{
    EXPECT_EQ(FALSE, PreviewGetOpenFileName(nullptr));
    QXPREVIEW_REQUEST request{};
    EXPECT_EQ(FALSE, PreviewGetOpenFileName(&request));
}

TEST_F(PreviewDialog, ReturnsTheChosenFile)
{
    struct Case {
        const char* what;
        bool select;
        int button;
        BOOL result;
        bool named;
    };
    const Case cases[] = {
        {"image selected, Open", true, IDOK, TRUE, true},
        {"image selected, Cancel", true, IDCANCEL, FALSE, false},
        {"nothing selected, Cancel", false, IDCANCEL, FALSE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogCase run;
        std::vector<ShownDialog> shown;
        const BOOL result = RunDialog(&run.request,
                                      {[&](HWND dialog) {
                                           if (c.select)
                                               SelectFile(dialog);
                                           return 0;
                                       },
                                       [&](HWND) { return c.button; }},
                                      &shown);
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.named ? run.dir / "picture.bmp" : std::string(), std::string(run.file));
        EXPECT_EQ(1u, shown.size()) << "one dialog, answered by the test";
    }
}

TEST_F(PreviewDialog, ShowsTheSelectedImageUnderTheList)
{
    DialogCase run;
    RECT pane{}, list{}, paneInHook{}, check{};
    COLORREF before = 0, after = 0, right = 0;
    bool ticked = false, recorded = false;
    RunDialog(&run.request, {[&](HWND dialog) {
                                 recorded = GetQORVEXXpointer(dialog, 999, 999) != nullptr;
                                 const HWND paneWindow = PaneOf(dialog);
                                 EXPECT_TRUE(paneWindow);
                                 GetWindowRect(paneWindow, &pane);
                                 paneInHook = PlaceOf(paneWindow);
                                 GetWindowRect(GetDlgItem(dialog, lst2), &list);
                                 check = PlaceOf(CheckBoxOf(dialog));
                                 ticked = CheckBoxTicked(dialog);
                                 before = PaneCentre(dialog);
                                 SelectFile(dialog);
                                 return 0;
                             },
                             [&](HWND dialog) {
                                 after = PaneCentre(dialog);
                                 const Rendered shown(PaneOf(dialog));
                                 right = shown.canvas.Pixel(shown.size.cx / 2 + 20, shown.size.cy / 2);
                                 return IDCANCEL;
                             }});
    EXPECT_EQ(100, pane.bottom - pane.top);
    EXPECT_GT(pane.top, list.bottom) << "the preview lies under the dialog's own controls";
    EXPECT_TRUE(ticked) << "the check box starts with the preview switch";
    EXPECT_TRUE(recorded) << "the dialog carries its state under the keys (999, 999)";
    EXPECT_EQ(7, paneInHook.left);
    EXPECT_EQ(paneInHook.right + 7, check.left) << "the check box sits right of the pane";
    EXPECT_EQ(paneInHook.top, check.top);
    EXPECT_EQ(White, before) << "the folder itself shows nothing";
    EXPECT_EQ(Red, after);
    EXPECT_EQ(Blue, right);
}

TEST_F(PreviewSwitch, TheCheckBoxTurnsPreviewingOffUntilTicked)
{
    DialogCase first;
    COLORREF shownOn = 0, shownOff = 0;
    bool tickedAfterClick = true;
    RunDialog(&first.request, {[&](HWND dialog) {
                                   SelectFile(dialog);
                                   return 0;
                               },
                               [&](HWND dialog) {
                                   shownOn = PaneCentre(dialog);
                                   ClickCheckBox(dialog);
                                   return 0;
                               },
                               [&](HWND dialog) {
                                   tickedAfterClick = CheckBoxTicked(dialog);
                                   shownOff = PaneCentre(dialog);
                                   return IDCANCEL;
                               }});
    EXPECT_EQ(Red, shownOn);
    EXPECT_FALSE(tickedAfterClick);
    EXPECT_EQ(LightGrey, shownOff) << "the picture is gone and the pane greyed";

    DialogCase second;
    bool tickedAtStart = true, tickedAgain = false;
    COLORREF selectedWhileOff = 0, shownAgain = 0;
    RunDialog(&second.request, {[&](HWND dialog) {
                                    tickedAtStart = CheckBoxTicked(dialog);
                                    SelectFile(dialog);
                                    return 0;
                                },
                                [&](HWND dialog) {
                                    selectedWhileOff = PaneCentre(dialog);
                                    ClickCheckBox(dialog);
                                    return 0;
                                },
                                [&](HWND dialog) {
                                    tickedAgain = CheckBoxTicked(dialog);
                                    shownAgain = PaneCentre(dialog);
                                    return IDCANCEL;
                                }});
    EXPECT_FALSE(tickedAtStart) << "the next dialog opens with the box unticked";
    EXPECT_EQ(LightGrey, selectedWhileOff) << "nothing is previewed while the box is unticked";
    EXPECT_TRUE(tickedAgain);
    EXPECT_EQ(Red, shownAgain) << "ticking the box shows the selection again";
}

TEST_F(PreviewSwitch, OnlyTheFirstFileTypeIsPreviewedWhenAsked)
{
    struct Case {
        const char* what;
        int options;
        std::vector<int> types;  // chosen in turn, the picture selected after each
        bool enabled;
        COLORREF shown;
    };
    const Case cases[] = {
        {"following, first type", QXPREVIEW_FOLLOW_FILE_TYPE, {0}, true, Red},
        {"following, second type", QXPREVIEW_FOLLOW_FILE_TYPE, {1}, false, LightGrey},
        {"following, second type then first", QXPREVIEW_FOLLOW_FILE_TYPE, {1, 0}, true, Red},
        {"not following, second type", 0, {1}, true, Red},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TurnPreviewingBackOn();
        DialogCase run;
        run.request.options = c.options;
        std::vector<Step> steps;
        for (int type : c.types) {
            steps.push_back([type](HWND dialog) {
                ChooseFileType(dialog, type);
                return 0;
            });
            steps.push_back([](HWND dialog) {
                SelectFile(dialog);
                return 0;
            });
        }
        bool enabled = !c.enabled;
        COLORREF shown = 0;
        steps.push_back([&](HWND dialog) {
            enabled = IsWindowEnabled(CheckBoxOf(dialog));
            shown = PaneCentre(dialog);
            return IDCANCEL;
        });
        RunDialog(&run.request, steps);
        EXPECT_EQ(c.enabled, enabled);
        EXPECT_EQ(c.shown, shown);
    }
}

namespace {

struct CallerHookSeen {
    LPARAM initData = 0;
    HWND initWindow = nullptr;
    int selectionChanges = 0;
    bool destroyed = false;
    bool lastMessage = false;
} callerSeen;

UINT_PTR CALLBACK CallerHook(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        callerSeen.initData = reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData;
        callerSeen.initWindow = window;
    } else if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_SELCHANGE) {
        ++callerSeen.selectionChanges;
    } else if (message == WM_DESTROY) {
        callerSeen.destroyed = true;
    } else if (message == WM_NCDESTROY) {
        callerSeen.lastMessage = true;
    }
    return 0;
}

}  // namespace

TEST_F(PreviewDialog, TheCallersHookAndDataKeepWorking)
{
    struct Case {
        const char* what;
        bool hook;
    };
    const Case cases[] = {{"with the caller's hook", true}, {"without a hook", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        callerSeen = CallerHookSeen{};
        DialogCase run;
        run.ofn.lCustData = 77;
        if (c.hook) {
            run.ofn.Flags |= OFN_ENABLEHOOK;
            run.ofn.lpfnHook = CallerHook;
        }
        HWND hookWindow = nullptr;
        const BOOL result = RunDialog(&run.request, {[&](HWND dialog) {
                                                         hookWindow = HookWindow(dialog);
                                                         SelectFile(dialog);
                                                         return 0;
                                                     },
                                                     [](HWND) { return IDOK; }});
        EXPECT_EQ(TRUE, result);
        EXPECT_EQ(run.dir / "picture.bmp", std::string(run.file));
        EXPECT_EQ(c.hook ? 77 : 0, callerSeen.initData) << "the hook gets the caller's own data";
        EXPECT_EQ(c.hook ? hookWindow : nullptr, callerSeen.initWindow);
        EXPECT_EQ(c.hook, callerSeen.selectionChanges >= 1);
        EXPECT_EQ(c.hook, callerSeen.destroyed);
        EXPECT_EQ(c.hook, callerSeen.lastMessage);
        // The description comes back as the caller made it.
        EXPECT_EQ(77, run.ofn.lCustData);
        EXPECT_EQ(c.hook ? CallerHook : nullptr, run.ofn.lpfnHook);
        EXPECT_EQ(c.hook, (run.ofn.Flags & OFN_ENABLEHOOK) != 0);
        EXPECT_EQ(0u, run.ofn.Flags & OFN_ENABLETEMPLATE);
        EXPECT_EQ(nullptr, run.ofn.lpTemplateName);
        EXPECT_EQ(nullptr, run.ofn.hInstance);
    }
}

TEST_F(PreviewDialog, TheCallbackFollowsTheDialog)
{
    DialogCase run;
    HWND pane = nullptr;
    SIZE paneSize{};
    RunDialog(&run.request, {[&](HWND dialog) {
                                 pane = PaneOf(dialog);
                                 paneSize = ClientSize(pane);
                                 SelectFile(dialog);
                                 return 0;
                             },
                             [&](HWND dialog) {
                                 PaneCentre(dialog);
                                 return IDCANCEL;
                             }});
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(QXPREVIEW_READY, calls.front().code);
    EXPECT_EQ(pane, calls.front().handle);
    EXPECT_EQ(RectText(RECT{2, 2, paneSize.cx - 2, paneSize.cy - 2}), RectText(calls.front().rect));
    EXPECT_EQ(QXPREVIEW_END, calls.back().code);
    bool paintedTheSelection = false;
    for (const Call& call : calls) {
        EXPECT_EQ(31, call.user);
        if (call.code == QXPREVIEW_PAINT && call.file == run.dir / "picture.bmp")
            paintedTheSelection = true;
    }
    EXPECT_TRUE(paintedTheSelection);
}

TEST_F(PreviewSwitch, PlayAndStopFollowTheCheckBox)
{
    DialogCase run;
    run.request.flags = QXPREVIEW_IMAGE | QXPREVIEW_PLAY | QXPREVIEW_STOP | QXPREVIEW_CHECKBOX;
    struct Seen {
        bool play, stop;
    };
    std::vector<Seen> seen;
    auto look = [&](HWND dialog) {
        const HWND hook = HookWindow(dialog);
        const HWND play = FindWindowExA(hook, nullptr, "QXButton", nullptr);
        const HWND stop = FindWindowExA(hook, play, "QXButton", nullptr);
        EXPECT_TRUE(play && stop);
        seen.push_back(Seen{IsWindowEnabled(play) != FALSE, IsWindowEnabled(stop) != FALSE});
    };
    RunDialog(&run.request, {[&](HWND dialog) {
                                 look(dialog);
                                 ClickCheckBox(dialog);
                                 return 0;
                             },
                             [&](HWND dialog) {
                                 look(dialog);
                                 ClickCheckBox(dialog);
                                 return 0;
                             },
                             [&](HWND dialog) {
                                 look(dialog);
                                 return IDCANCEL;
                             }});
    ASSERT_EQ(3u, seen.size());
    const bool expected[] = {true, false, true};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(expected[i], seen[i].play) << i;
        EXPECT_EQ(expected[i], seen[i].stop) << i;
    }
}

TEST_F(PreviewDialog, PlayAndStopReachTheCallback)
{
    DialogCase run;
    run.dir.Write("tone.wav", WaveFile(200));
    run.ofn.lpstrFilter = "Sons\0*.wav\0";
    run.request.flags = QXPREVIEW_PLAY | QXPREVIEW_STOP;
    callbackAnswer = 1;  // the test's callback plays nothing itself and keeps the library out
    std::vector<char> afterClicks;
    RunDialog(&run.request, {[&](HWND dialog) {
                                 SelectFile(dialog, "tone");
                                 return 0;
                             },
                             [&](HWND dialog) {
                                 const HWND hook = HookWindow(dialog);
                                 const HWND play = FindWindowExA(hook, nullptr, "QXButton", nullptr);
                                 const HWND stop = FindWindowExA(hook, play, "QXButton", nullptr);
                                 calls.clear();
                                 Click(play);
                                 Click(stop);
                                 Click(play);
                                 return 0;
                             },
                             [&](HWND) {
                                 for (const Call& call : calls)
                                     afterClicks.push_back(call.code);
                                 return IDCANCEL;
                             }});
    EXPECT_EQ((std::vector<char>{QXPREVIEW_PLAY_PRESSED, QXPREVIEW_STOP_PRESSED, QXPREVIEW_PLAY_PRESSED}), afterClicks);
    EXPECT_EQ(QXPREVIEW_END, calls.back().code);
    EXPECT_EQ(run.dir / "tone.wav", calls.back().file) << "the selection reached the preview";
    EXPECT_EQ(0u, QXPREVIEW::wMCIDevId) << "nothing was played by the library";
}

