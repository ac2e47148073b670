// The branch editor: the branch dialog on a working copy, the default branches of a page, the
// target check, the built-in action dialog, the program options with their return-code
// branches, the programmer options, the branch to a chosen page and the branch of the
// selected object. The dialogs are driven by messages from a script of steps.
#include "accessors.h"
#include "authoring.h"
#include "branch.h"
#include "branchedit.h"
#include "dialog_items.h"
#include "navtest.h"
#include "objet.h"
#include "undo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// ---- Driving modal dialogs ----

bool Enabled(HWND dialog, int item) { return IsWindowEnabled(GetDlgItem(dialog, item)) != FALSE; }
bool Visible(HWND dialog, int item) { return (GetWindowLongA(GetDlgItem(dialog, item), GWL_STYLE) & WS_VISIBLE) != 0; }

// A click, as the control reports it to its dialog; delivered once the script's step is over.
void Press(HWND dialog, int item)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(item, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
}

// What a modal dialog of the code under test sees of the author: a list of steps, each run on
// the enabled top-level window of this thread that bears its caption, in order. A step answers
// false to be run again on the next tick (it waits for the dialog to settle). A thread timer
// ticks inside every modal loop; when no step fits for a while, whatever is up is cancelled so
// that a failing test ends.
class DialogScript {
public:
    using Step = std::function<bool(HWND)>;

    DialogScript() : previous_(active), timer_(SetTimer(nullptr, 0, 15, Tick)), lastProgress_(GetTickCount())
    {
        active = this;
    }
    ~DialogScript()
    {
        KillTimer(nullptr, timer_);
        active = previous_;
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    DialogScript& On(const std::string& caption, Step step)
    {
        steps_.push_back({[caption](HWND window) { return WindowText(window) == caption; }, std::move(step)});
        return *this;
    }
    // The system's open-file dialog, whatever its title.
    DialogScript& OnFileDialog(Step step)
    {
        steps_.push_back({[](HWND window) { return FileNameBox(window) != nullptr; }, std::move(step)});
        return *this;
    }
    // Every step ran, and nothing had to be cancelled.
    bool Finished() const { return next_ == steps_.size() && !timedOut_; }
    // For failure messages: the steps run, and what was up when the script gave up.
    std::string Report() const
    {
        std::string report = std::to_string(next_) + " of " + std::to_string(steps_.size()) + " steps ran";
        for (const std::string& caption : leftOver_)
            report += "; left up: \"" + caption + "\"";
        return report;
    }

private:
    struct Entry {
        std::function<bool(HWND)> match;
        Step step;
    };

    static BOOL CALLBACK Collect(HWND window, LPARAM windows)
    {
        if (IsWindowEnabled(window))
            reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
        return TRUE;
    }

    static std::vector<HWND> EnabledWindows()
    {
        std::vector<HWND> windows;
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&windows));
        return windows;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (active && !active->running_)
            active->Run();
    }

    void Run()
    {
        running_ = true;
        bool progressed = false;
        if (next_ < steps_.size()) {
            for (HWND window : EnabledWindows()) {
                if (!steps_[next_].match(window))
                    continue;
                if (steps_[next_].step(window)) {
                    ++next_;
                    progressed = true;
                }
                break;
            }
        }
        if (progressed) {
            lastProgress_ = GetTickCount();
        } else if (GetTickCount() - lastProgress_ > 5000) {
            timedOut_ = true;
            for (HWND window : EnabledWindows()) {
                if (!IsWindowVisible(window))
                    continue;
                leftOver_.push_back(WindowText(window));
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            }
        }
        running_ = false;
    }

    static thread_local DialogScript* active;
    DialogScript* previous_;
    UINT_PTR timer_;
    DWORD lastProgress_;
    std::vector<Entry> steps_;
    std::vector<std::string> leftOver_;
    size_t next_ = 0;
    bool running_ = false;
    bool timedOut_ = false;
};

thread_local DialogScript* DialogScript::active = nullptr;

// A step that does something and is done.
template <typename F>
DialogScript::Step Do(F action)
{
    return [action](HWND dialog) {
        action(dialog);
        return true;
    };
}

DialogScript::Step PressStep(int item) { return Do([item](HWND dialog) { Press(dialog, item); }); }

// Dialog and message box captions.
constexpr const char* BranchDialog = "Options de branchement";
constexpr const char* GadgetDialog = "Branchements spéciaux";
constexpr const char* ExeDialog = "Options de programme";
constexpr const char* CondDialog = "Branchement conditionnel au retour du programme";
constexpr const char* ProgrammerDialog = "Options pour programmeur";

// Items of the dialogs.
constexpr int Target = 104, RemoveTarget = 26, ProgramOptions = 107, Special = 108, Delay = 109, Sound = 30,
              RemoveSound = 27, Params = 116, Programmer = 105, Existing = 103, NewPage = 102;
constexpr int KindNone = 31, KindForward = 29, KindBack = 32;
constexpr int GadgetList = 101;
constexpr int ExeParams = 116, ExeVerb = 30, Minimised = 106, Maximised = 108, Dependent = 109,
              Independent = 110, CodeList = 113, AddRow = 103, EditRow = 114, DeleteRow = 26, ShortOk = 27;
constexpr int Code = 119;
constexpr int DllName = 112, FunctionName = 114, FunctionParams = 116;

// The radio buttons of the branch's kind: exactly one checked.
void ChooseKind(HWND dialog, int kind)
{
    for (int id : {KindNone, KindForward, KindBack})
        CheckDlgButton(dialog, id, id == kind ? BST_CHECKED : BST_UNCHECKED);
}

DialogScript::Step TypeFile(const std::string& file)
{
    return [file](HWND dialog) {
        HWND box = FileNameBox(dialog);
        if (!box)
            return false;
        SetWindowTextA(box, file.c_str());
        Press(dialog, IDOK);
        return true;
    };
}

// ---- Branch fixtures ----

std::vector<std::string> ListRows(HWND dialog, int item)
{
    std::vector<std::string> rows;
    const auto count = static_cast<int>(SendDlgItemMessageA(dialog, item, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char row[600] = "";
        SendDlgItemMessageA(dialog, item, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row));
        rows.push_back(row);
    }
    return rows;
}

std::string SelectedRow(HWND dialog, int item)
{
    const auto index = SendDlgItemMessageA(dialog, item, LB_GETCURSEL, 0, 0);
    if (index < 0)
        return "(none)";
    char row[600] = "";
    SendDlgItemMessageA(dialog, item, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(row));
    return row;
}

void SelectListRow(HWND dialog, int item, const std::string& text)
{
    const auto index = SendDlgItemMessageA(dialog, item, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(text.c_str()));
    SendDlgItemMessageA(dialog, item, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(item, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
}

// In the action dialog: the action shown as `row`, then `button`.
DialogScript::Step PickActionStep(const char* row, int button = IDOK)
{
    return Do([row, button](HWND dialog) {
        SelectListRow(dialog, GadgetList, row);
        Press(dialog, button);
    });
}

// Every member the editor touches, in one text, for before-and-after comparisons.
std::string Describe(const BRANCH& branch)
{
    char text[3000];
    std::snprintf(text, sizeof text, "target=%s|second=%s|state=%d|mode=%d|delay=%.1f|sound=%s|dll=%s|function=%s|"
                                     "parameter=%s|action=%d|kind=%d|default=%d|code=%u|rows=%d",
                  static_cast<const char*>(branch.target), static_cast<const char*>(branch.secondText),
                  branch.windowState, branch.execMode, branch.delay, static_cast<const char*>(branch.sound),
                  static_cast<const char*>(branch.dll), static_cast<const char*>(branch.function),
                  static_cast<const char*>(branch.parameter), branch.gadget ? branch.gadget->id : 0, branch.kind,
                  branch.defaultCode, branch.code, branch.codeBranches.Items());
    std::string described = text;
    for (int i = 0; i < branch.codeBranches.Items(); ++i)
        described += "\n  " + Describe(*static_cast<const BRANCH*>(const_cast<HUGELIST&>(branch.codeBranches).GetItem(i)));
    return described;
}

// A kernel over a scratch publication with a few files to branch to.
struct Editor : NavKernel {
    Editor()
    {
        pub.Write("a.pag", RecPage("A"));
        pub.Write("b.pag", RecPage("B"));
        pub.Write("model.pag", "QORVEX-HYPERMEDIA TEMPLATE\r\n");
        pub.Write("odd.pag", "");  // no first line to tell its type
        pub.Write("notes.txt", "text");
        pub.Write("prog.exe", "MZ");
        pub.Write("doc.qxzz", "document");
        pub.Write("bell.wav", "RIFF");
    }

    // A branch as a page file would give it: a program with its options, a sound and a delay.
    void Sample(BRANCH& branch)
    {
        branch.target = Page("prog.exe").c_str();
        branch.secondText = "-a";
        branch.windowState = SW_SHOWMAXIMIZED;
        branch.execMode = QX_EXEC_INDEPENDENT;
        branch.delay = 2.5;
        branch.sound = Page("bell.wav").c_str();
        branch.dll = "user.dll";
        branch.function = "Run";
        branch.parameter = "p=1";
    }

    HWND Owner() const { return host; }
};

// ---- The branch dialog ----

struct FieldCase {
    const char* what;
    std::function<void(HWND, Editor&)> edit;  // on the open branch dialog
    std::function<void(BRANCH&, Editor&)> expect;  // applied to the branch as it was, gives what OK must leave
};

class BranchDialogFields : public testing::TestWithParam<FieldCase> {};

TEST_P(BranchDialogFields, OkAssignsTheEditedFieldAndKeepsTheOthers)
{
    const FieldCase& c = GetParam();
    Editor editor;
    KernSetProgOptions(editor, 1);
    BRANCH branch(editor);
    editor.Sample(branch);
    BRANCH expected(editor);
    editor.Sample(expected);
    c.expect(expected, editor);
    DialogScript script;
    script.On(BranchDialog, Do([&](HWND dialog) {
        c.edit(dialog, editor);
        Press(dialog, IDOK);
    }));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch)) << c.what;

    EXPECT_TRUE(script.Finished()) << c.what << ": " << script.Report();
    EXPECT_EQ(Describe(expected), Describe(branch)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BranchDialogFields,
    testing::Values(
        FieldCase{"nothing changed", [](HWND, Editor&) {}, [](BRANCH&, Editor&) {}},
        FieldCase{"delay", [](HWND d, Editor&) { SetDlgItemTextA(d, Delay, "7.5"); },
                  [](BRANCH& b, Editor&) { b.delay = 7.5; }},
        FieldCase{"delay above a minute", [](HWND d, Editor&) { SetDlgItemTextA(d, Delay, "75"); },
                  [](BRANCH& b, Editor&) { b.delay = 60.0; }},
        FieldCase{"negative delay", [](HWND d, Editor&) { SetDlgItemTextA(d, Delay, "-5"); },
                  [](BRANCH& b, Editor&) { b.delay = 0.0; }},
        FieldCase{"delay that is no number", [](HWND d, Editor&) { SetDlgItemTextA(d, Delay, "abc"); },
                  [](BRANCH&, Editor&) {}},
        FieldCase{"delay typed as nan", [](HWND d, Editor&) { SetDlgItemTextA(d, Delay, "nan"); },
                  [](BRANCH& b, Editor&) { b.delay = 0.0; }},
        FieldCase{"sound", [](HWND d, Editor& e) { SetDlgItemTextA(d, Sound, e.Page("a.pag").c_str()); },
                  [](BRANCH& b, Editor& e) { b.sound = e.Page("a.pag").c_str(); }},
        FieldCase{"sound removed", [](HWND d, Editor&) { SendMessageA(d, WM_COMMAND, RemoveSound, 0); },
                  [](BRANCH& b, Editor&) { b.sound = ""; }},
        FieldCase{"parameter string", [](HWND d, Editor&) { SetDlgItemTextA(d, Params, "q=2"); },
                  [](BRANCH& b, Editor&) { b.parameter = "q=2"; }},
        FieldCase{"default forward", [](HWND d, Editor&) { ChooseKind(d, KindForward); },
                  [](BRANCH& b, Editor&) { b.kind = QX_BRANCH_DEFAULT_FORWARD; }},
        FieldCase{"default back", [](HWND d, Editor&) { ChooseKind(d, KindBack); },
                  [](BRANCH& b, Editor&) { b.kind = QX_BRANCH_DEFAULT_BACK; }},
        FieldCase{"target removed", [](HWND d, Editor&) { SendMessageA(d, WM_COMMAND, RemoveTarget, 0); },
                  [](BRANCH& b, Editor&) { b.target = ""; }}),
    [](const testing::TestParamInfo<FieldCase>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(BranchDialog, OpensWithTheBranchShown)
{
    Editor editor;
    KernSetProgOptions(editor, 1);
    BRANCH branch(editor);
    editor.Sample(branch);
    branch.kind = QX_BRANCH_DEFAULT_BACK;
    std::string target, sound, delay, params;
    bool programmerShown = true, kindBack = false, removeEnabled = false, removeSoundEnabled = false;
    DialogScript script;
    script.On(BranchDialog, Do([&](HWND dialog) {
        target = ItemText(dialog, Target);
        sound = ItemText(dialog, Sound);
        delay = ItemText(dialog, Delay);
        params = ItemText(dialog, Params);
        programmerShown = Visible(dialog, Programmer);
        kindBack = IsDlgButtonChecked(dialog, KindBack) == BST_CHECKED;
        removeEnabled = Enabled(dialog, RemoveTarget);
        removeSoundEnabled = Enabled(dialog, RemoveSound);
        Press(dialog, IDCANCEL);
    }));

    EXPECT_EQ(0, KernBranchTo(editor, editor.Owner(), &branch));

    EXPECT_EQ(editor.Page("prog.exe"), target);
    EXPECT_EQ(editor.Page("bell.wav"), sound);
    EXPECT_EQ("2.5  ", delay);
    EXPECT_EQ("p=1", params);
    EXPECT_FALSE(programmerShown);
    EXPECT_TRUE(kindBack);
    EXPECT_TRUE(removeEnabled);
    EXPECT_TRUE(removeSoundEnabled);
}

TEST(BranchDialog, CancelLeavesTheBranchAsItWas)
{
    Editor editor;
    KernSetProgOptions(editor, 1);
    BRANCH branch(editor);
    editor.Sample(branch);
    const std::string before = Describe(branch);
    DialogScript script;
    script.On(BranchDialog, Do([&](HWND dialog) {
        SetDlgItemTextA(dialog, Delay, "9");
        SetDlgItemTextA(dialog, Params, "changed");
        SendMessageA(dialog, WM_COMMAND, RemoveTarget, 0);
        SendMessageA(dialog, WM_COMMAND, RemoveSound, 0);
        ChooseKind(dialog, KindForward);
        Press(dialog, IDCANCEL);
    }));

    EXPECT_EQ(0, KernBranchTo(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_EQ(before, Describe(branch));
}

TEST(BranchDialog, WithoutProgramOptionsTheParameterStringIsHiddenAndKept)
{
    Editor editor;
    BRANCH branch(editor);
    editor.Sample(branch);
    bool paramsShown = true;
    DialogScript script;
    script.On(BranchDialog, Do([&](HWND dialog) {
        paramsShown = Visible(dialog, Params);
        SetDlgItemTextA(dialog, Params, "typed while hidden");
        Press(dialog, IDOK);
    }));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch));

    EXPECT_FALSE(paramsShown);
    EXPECT_STREQ("p=1", branch.parameter);
}

TEST(BranchDialog, ATargetThatCannotBeFoundIsEmptiedAtOkAfterAWarning)
{
    Editor editor;
    BRANCH branch(editor);
    editor.Sample(branch);
    std::string warning;
    DialogScript script;
    // The field tells of a new text once it has painted it: OK comes one step later.
    script.On(BranchDialog, Do([&](HWND dialog) { SetDlgItemTextA(dialog, Target, editor.Page("gone.pag").c_str()); }))
        .On(BranchDialog, PressStep(IDOK))
        .On("Nom de fichier invalide", Do([&](HWND box) {
            warning = ItemText(box, 0xFFFF);
            Press(box, IDOK);
        }));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_EQ("Le fichier de branchement est introuvable.\nL'opération sera annulée.", warning);
    EXPECT_STREQ("", branch.target);
}

// The program options button follows the target typed.
struct TargetButtonCase {
    const char* file;
    bool enabled;
};

TEST(BranchDialog, TheProgramOptionsButtonFollowsTheTarget)
{
    Editor editor;
    const TargetButtonCase cases[] = {{"a.pag", false}, {"notes.txt", true}, {"prog.exe", true}, {"gone.exe", false}};
    BRANCH branch(editor);
    std::vector<std::string> seen;
    DialogScript script;
    for (const TargetButtonCase& c : cases) {
        const std::string file = editor.Page(c.file);
        script.On(BranchDialog, Do([file](HWND dialog) { SetDlgItemTextA(dialog, Target, file.c_str()); }))
            .On(BranchDialog, [&seen, c](HWND dialog) {
                // The field tells of the change once it has painted it.
                if (Enabled(dialog, ProgramOptions) != c.enabled)
                    return false;
                seen.push_back(c.file);
                return true;
            });
    }
    script.On(BranchDialog, PressStep(IDCANCEL));

    KernBranchTo(editor, editor.Owner(), &branch);

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_EQ((std::vector<std::string>{"a.pag", "notes.txt", "prog.exe", "gone.exe"}), seen);
}

// A page creator as a plug-in offers it: it records what it was handed and answers with the
// page it was told to make.
struct CreatorLog {
    std::string handed;
    unsigned size = 0;
    HWND parent = nullptr;
    std::string page;  // empty: the creator declines
};
CreatorLog creatorLog;

int __stdcall MakePage(KERNEL*, char* out, unsigned size, void* parent)
{
    creatorLog.handed = out;
    creatorLog.size = size;
    creatorLog.parent = static_cast<HWND>(parent);
    if (creatorLog.page.empty())
        return 0;
    lstrcpynA(out, creatorLog.page.c_str(), static_cast<int>(size));
    return 1;
}

struct NewPageCase {
    const char* what;
    int action;          // the branch's built-in action, 0 for none
    std::string target;  // the branch's target before; a name in the publication when it ends with ".pag"
    std::string handed;  // what the creator must be handed, the same way
    const char* made;    // the page the creator makes, null when it declines
};

class NewPageCommand : public testing::TestWithParam<NewPageCase> {};

TEST_P(NewPageCommand, TheCreatorsPageBecomesTheTarget)
{
    const NewPageCase& c = GetParam();
    Editor editor;
    KernAddBaseObject(editor, MakePage);
    const auto inPublication = [&](const std::string& name) {
        return name.size() > 4 && name.substr(name.size() - 4) == ".pag" ? editor.Page(name) : name;
    };
    creatorLog = CreatorLog{};
    creatorLog.page = c.made ? editor.Page(c.made) : "";
    BRANCH branch(editor);
    if (c.action)
        branch.gadget = KernFindGadget(editor, c.action)->Clone();
    branch.target = inPublication(c.target).c_str();
    HWND dialogWindow = nullptr;
    DialogScript script;
    script.On(BranchDialog, Do([&](HWND dialog) {
              dialogWindow = dialog;
              Press(dialog, NewPage);
          }))
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch)) << c.what;

    EXPECT_TRUE(script.Finished()) << c.what << ": " << script.Report();
    EXPECT_EQ(inPublication(c.handed), creatorLog.handed) << c.what;
    EXPECT_EQ(500u, creatorLog.size) << c.what;
    EXPECT_EQ(dialogWindow, creatorLog.parent) << c.what;
    EXPECT_STREQ((c.made ? editor.Page(c.made) : inPublication(c.target)).c_str(), branch.target) << c.what;
    EXPECT_EQ(c.made || !c.action ? 0 : c.action, branch.gadget ? branch.gadget->id : 0) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Creators, NewPageCommand,
    testing::Values(NewPageCase{"a page", 0, "a.pag", "a.pag", "b.pag"},
                    // The creator's buffer holds 499 characters of a longer target.
                    NewPageCase{"a target longer than the buffer", 0, std::string(700, 'p'), std::string(499, 'p'), "b.pag"},
                    NewPageCase{"an action", 2, "GADGET: Reculer d'une page", "GADGET: Reculer d'une page", "b.pag"},
                    NewPageCase{"the creator declines", 0, "a.pag", "a.pag", nullptr}));

TEST(BranchDialog, TheSoundFileIsChosenInTheOpenDialog)
{
    Editor editor;
    BRANCH branch(editor);
    bool removeEnabled = false;
    DialogScript script;
    script.On(BranchDialog, PressStep(25))
        .OnFileDialog(TypeFile(editor.Page("bell.wav")))
        .On(BranchDialog, Do([&](HWND dialog) {
            removeEnabled = Enabled(dialog, RemoveSound);
            Press(dialog, IDOK);
        }));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_TRUE(removeEnabled);
    EXPECT_STREQ(editor.Page("bell.wav").c_str(), branch.sound);
}

// ---- Default branches ----

TEST(DefaultBranches, OneDefaultForwardBranchPerPage)
{
    Editor editor;
    ASSERT_EQ(1, editor.Go("a.pag"));
    OBJET* root = KernGetTopObjet(editor);
    ASSERT_NE(nullptr, root);
    ASSERT_EQ(1, root->children.Items());
    auto* child = static_cast<OBJET*>(root->children.GetItem(0));
    auto* rootBranch = new BRANCH(editor);
    auto* oldForward = new BRANCH(editor);
    oldForward->kind = QX_BRANCH_DEFAULT_FORWARD;
    auto* back = new BRANCH(editor);
    back->kind = QX_BRANCH_DEFAULT_BACK;
    auto* edited = new BRANCH(editor);
    root->branches.AddTail(rootBranch);
    root->branches.AddTail(back);
    child->branches.AddTail(oldForward);
    child->branches.AddTail(edited);
    DialogScript script;
    script.On(BranchDialog, Do([](HWND dialog) {
        ChooseKind(dialog, KindForward);
        Press(dialog, IDOK);
    }));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), edited));

    EXPECT_EQ(QX_BRANCH_DEFAULT_FORWARD, edited->kind);
    EXPECT_EQ(QX_BRANCH_ORDINARY, oldForward->kind);
    EXPECT_EQ(QX_BRANCH_DEFAULT_BACK, back->kind);
    EXPECT_EQ(QX_BRANCH_ORDINARY, rootBranch->kind);
}

TEST(DefaultBranches, CancelResetsNoOtherBranch)
{
    Editor editor;
    ASSERT_EQ(1, editor.Go("a.pag"));
    OBJET* root = KernGetTopObjet(editor);
    auto* oldBack = new BRANCH(editor);
    oldBack->kind = QX_BRANCH_DEFAULT_BACK;
    auto* edited = new BRANCH(editor);
    root->branches.AddTail(oldBack);
    root->branches.AddTail(edited);
    DialogScript script;
    script.On(BranchDialog, Do([](HWND dialog) {
        ChooseKind(dialog, KindBack);
        Press(dialog, IDCANCEL);
    }));

    EXPECT_EQ(0, KernBranchTo(editor, editor.Owner(), edited));

    EXPECT_EQ(QX_BRANCH_DEFAULT_BACK, oldBack->kind);
    EXPECT_EQ(QX_BRANCH_ORDINARY, edited->kind);
}

// ---- The target check ----

struct TargetCheckCase {
    const char* what;
    const char* target;   // a name in the publication folder, or an address as it stands
    int action;           // built-in action id, 0 for none
    int result;
    bool buttonEnabled;
    bool optionsReset;    // window state 1, dependent, no parameters
    bool actionKept;
};

class TargetCheck : public testing::TestWithParam<TargetCheckCase> {};

TEST_P(TargetCheck, EnablesProgramOptionsOnlyForAUsableFileThatIsNoPage)
{
    const TargetCheckCase& c = GetParam();
    Editor editor;
    HWND dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | (c.buttonEnabled ? WS_DISABLED : 0), 0, 0, 10, 10, dialog,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(ProgramOptions)), nullptr, nullptr);
    BRANCH branch(editor);
    const std::string target = c.target;
    branch.target = target.find("://") == std::string::npos && !target.empty() ? editor.Page(target).c_str() : c.target;
    branch.windowState = SW_SHOWMAXIMIZED;
    branch.execMode = QX_EXEC_INDEPENDENT;
    branch.secondText = "-x";
    if (c.action)
        branch.gadget = KernFindGadget(editor, c.action)->Clone();

    EXPECT_EQ(c.result, KernValidateBranchTarget(dialog, &branch)) << c.what;

    EXPECT_EQ(c.buttonEnabled, IsWindowEnabled(button) != FALSE) << c.what;
    if (c.optionsReset) {
        EXPECT_EQ(SW_SHOWNORMAL, branch.windowState) << c.what;
        EXPECT_EQ(QX_EXEC_DEPENDENT, branch.execMode) << c.what;
        EXPECT_STREQ("", branch.secondText) << c.what;
    } else {
        EXPECT_EQ(SW_SHOWMAXIMIZED, branch.windowState) << c.what;
        EXPECT_EQ(QX_EXEC_INDEPENDENT, branch.execMode) << c.what;
        EXPECT_STREQ("-x", branch.secondText) << c.what;
    }
    EXPECT_EQ(c.actionKept, branch.gadget != nullptr) << c.what;
    DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, TargetCheck,
    testing::Values(TargetCheckCase{"empty", "", 0, 0, false, false, false},
                    TargetCheckCase{"empty with an action", "", 7, 0, false, false, false},
                    TargetCheckCase{"an action", "GADGET: Imprimer page courante", 7, 1, false, false, true},
                    TargetCheckCase{"a page", "a.pag", 0, 1, false, true, false},
                    TargetCheckCase{"a page in capitals", "A.PAG", 0, 1, false, true, false},
                    TargetCheckCase{"a program", "prog.exe", 0, 1, true, false, false},
                    TargetCheckCase{"a document", "notes.txt", 0, 1, true, false, false},
                    TargetCheckCase{"a missing file", "gone.txt", 0, 0, false, true, false},
                    TargetCheckCase{"a pattern", "*.txt", 0, 0, false, true, false},
                    TargetCheckCase{"an address", "http://example.com/doc.html", 0, 1, true, false, false}));

// ---- The built-in action dialog ----

struct ActionListCase {
    const char* what;
    int action;  // the branch's, 0 for none
    size_t rows;
    const char* selected;
};

class ActionList : public testing::TestWithParam<ActionListCase> {};

TEST_P(ActionList, ListsTheActionsWithTheBranchsOwnSelected)
{
    const ActionListCase& c = GetParam();
    Editor editor;
    BRANCH branch(editor);
    if (c.action)
        branch.gadget = KernFindGadget(editor, c.action)->Clone();
    std::vector<std::string> rows;
    std::string selected;
    DialogScript script;
    script.On(BranchDialog, PressStep(Special))
        .On(GadgetDialog, Do([&](HWND dialog) {
            rows = ListRows(dialog, GadgetList);
            selected = SelectedRow(dialog, GadgetList);
            Press(dialog, IDCANCEL);
        }))
        .On(BranchDialog, PressStep(IDCANCEL));

    KernBranchTo(editor, editor.Owner(), &branch);

    EXPECT_TRUE(script.Finished()) << c.what << ": " << script.Report();
    EXPECT_EQ(c.rows, rows.size()) << c.what;
    EXPECT_EQ(c.selected, selected) << c.what;
    EXPECT_EQ(c.action == 4, std::find(rows.begin(), rows.end(), "Signets") != rows.end()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ActionList,
    testing::Values(
        // The kernel's table lists its actions from the last to the first.
        ActionListCase{"no action", 0, 6, "Imprimer page courante"},
        ActionListCase{"quit with confirmation", 5, 6, "Quitter avec confirmation"},
        ActionListCase{"bookmarks", 4, 7, "Signets"}));

TEST(ActionDialog, OkGivesTheBranchTheChosenActionBoundByName)
{
    Editor editor;
    BRANCH branch(editor);
    editor.Sample(branch);
    std::string shown;
    bool removeEnabled = false;
    DialogScript script;
    script.On(BranchDialog, PressStep(Special))
        .On(GadgetDialog, PickActionStep("Retour au début"))
        .On(BranchDialog, Do([&](HWND dialog) {
            shown = ItemText(dialog, Target);
            removeEnabled = Enabled(dialog, RemoveTarget);
            Press(dialog, IDOK);
        }));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_EQ("GADGET: Retour au début", shown);
    EXPECT_TRUE(removeEnabled);
    ASSERT_NE(nullptr, branch.gadget);
    EXPECT_EQ(1, branch.gadget->id);
    EXPECT_STREQ("KernGoHome", branch.gadget->function);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("qxcore40.dll"), "KernGoHome")),
              reinterpret_cast<void*>(branch.gadget->bound));
    EXPECT_STREQ("GADGET: Retour au début", branch.target);
}

TEST(ActionDialog, PrintingTheCurrentPageIsAction7)
{
    Editor editor;
    BRANCH branch(editor);
    DialogScript script;
    script.On(BranchDialog, PressStep(Special))
        .On(GadgetDialog, PickActionStep("Imprimer page courante"))
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch));

    ASSERT_NE(nullptr, branch.gadget);
    EXPECT_EQ(7, branch.gadget->id);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("qxcore40.dll"), "KernPrintPage")),
              reinterpret_cast<void*>(branch.gadget->bound));
}

TEST(ActionDialog, CancelKeepsTheBranchsAction)
{
    Editor editor;
    BRANCH branch(editor);
    branch.gadget = KernFindGadget(editor, 2)->Clone();
    branch.target = "GADGET: Reculer d'une page";
    DialogScript script;
    script.On(BranchDialog, PressStep(Special))
        .On(GadgetDialog, PickActionStep("Quitter sans confirmation", IDCANCEL))
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch));

    ASSERT_NE(nullptr, branch.gadget);
    EXPECT_EQ(2, branch.gadget->id);
}

TEST(ActionDialog, ATargetTypedOverTheActionTakesTheActionAndTheTargetAway)
{
    Editor editor;
    BRANCH branch(editor);
    std::string afterTyping = "(not seen)";
    DialogScript script;
    script.On(BranchDialog, PressStep(Special))
        .On(GadgetDialog, PickActionStep("Retour au début"))
        .On(BranchDialog, [](HWND dialog) {
            // The action's own text has been painted and notified.
            return ItemText(dialog, Target) == "GADGET: Retour au début" && Enabled(dialog, RemoveTarget);
        })
        .On(BranchDialog, Do([](HWND dialog) { SetDlgItemTextA(dialog, Target, "x"); }))
        .On(BranchDialog, [&](HWND dialog) {
            if (ItemText(dialog, Target) != "")
                return false;
            afterTyping = ItemText(dialog, Target);
            return !Enabled(dialog, RemoveTarget);
        })
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_EQ("", afterTyping);
    EXPECT_EQ(nullptr, branch.gadget);
    EXPECT_STREQ("", branch.target);
}

// ---- Program options and return-code branches ----

int WindowHeight(HWND window)
{
    RECT frame;
    GetWindowRect(window, &frame);
    return frame.bottom - frame.top;
}

// The branch dialog on a program, straight into its program options once the button is enabled.
DialogScript& OpenProgramOptions(DialogScript& script)
{
    return script.On(BranchDialog, [](HWND dialog) {
        if (!Enabled(dialog, ProgramOptions))
            return false;
        Press(dialog, ProgramOptions);
        return true;
    });
}

TEST(ProgramOptions, ADependentProgramRoundTripsWithItsReturnCodeBranches)
{
    Editor editor;
    BRANCH branch(editor);
    editor.Sample(branch);
    int shortHeight = 0, tallHeight = 0;
    bool shortButtonsFirst = false, longButtonsAfter = false;
    std::vector<std::string> rowsAtOpen, rowsAtOk;
    bool verbShown = true;
    DialogScript script;
    OpenProgramOptions(script)
        .On(ExeDialog, Do([&](HWND dialog) {
            shortHeight = WindowHeight(dialog);
            shortButtonsFirst = Visible(dialog, ShortOk) && !Visible(dialog, IDOK) && !Visible(dialog, CodeList);
            verbShown = Visible(dialog, ExeVerb);
            SetDlgItemTextA(dialog, ExeParams, "-b -c");
            CheckRadioButton(dialog, Minimised, Maximised, Minimised);
            CheckRadioButton(dialog, Dependent, Independent, Dependent);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(Dependent, BN_CLICKED), 0);
            tallHeight = WindowHeight(dialog);
            longButtonsAfter = !Visible(dialog, ShortOk) && Visible(dialog, IDOK) && Visible(dialog, CodeList);
            rowsAtOpen = ListRows(dialog, CodeList);
            Press(dialog, AddRow);
        }))
        .On(CondDialog, Do([&](HWND dialog) {
            SetDlgItemTextA(dialog, Code, "3");
            SetDlgItemTextA(dialog, Target, editor.Page("b.pag").c_str());
        }))
        .On(CondDialog, PressStep(IDOK))
        .On(ExeDialog, Do([&](HWND dialog) {
            rowsAtOk = ListRows(dialog, CodeList);
            Press(dialog, IDOK);
        }))
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_FALSE(verbShown);
    EXPECT_EQ(165, tallHeight - shortHeight);
    EXPECT_TRUE(shortButtonsFirst);
    EXPECT_TRUE(longButtonsAfter);
    EXPECT_EQ((std::vector<std::string>{"Par Défaut\t"}), rowsAtOpen);
    EXPECT_EQ((std::vector<std::string>{"Par Défaut\t", "3\t\t" + editor.Page("b.pag")}), rowsAtOk);
    EXPECT_STREQ("-b -c", branch.secondText);
    EXPECT_EQ(SW_SHOWMINIMIZED, branch.windowState);
    EXPECT_EQ(QX_EXEC_DEPENDENT, branch.execMode);
    ASSERT_EQ(2, branch.codeBranches.Items());
    EXPECT_EQ(1, branch.GetCodeBranch(0)->defaultCode);
    EXPECT_EQ(0, branch.GetCodeBranch(1)->defaultCode);
    EXPECT_EQ(3u, branch.GetCodeBranch(1)->code);
    EXPECT_STREQ(editor.Page("b.pag").c_str(), branch.GetCodeBranch(1)->target);
}

TEST(ProgramOptions, CancelKeepsTheOptionsButNotTheDefaultBranchMadeForThem)
{
    Editor editor;
    BRANCH branch(editor);
    editor.Sample(branch);
    DialogScript script;
    OpenProgramOptions(script)
        .On(ExeDialog, Do([](HWND dialog) {
            SetDlgItemTextA(dialog, ExeParams, "-z");
            CheckRadioButton(dialog, Dependent, Independent, Dependent);
            Press(dialog, IDCANCEL);
        }))
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_STREQ("-a", branch.secondText);
    EXPECT_EQ(QX_EXEC_INDEPENDENT, branch.execMode);
    // Every program branch has its default return-code branch once the options were opened.
    ASSERT_EQ(1, branch.codeBranches.Items());
    EXPECT_EQ(1, branch.GetCodeBranch(0)->defaultCode);
}

TEST(ProgramOptions, ADocumentIsOpenedByAVerbOfItsType)
{
    Editor editor;
    BRANCH branch(editor);
    branch.target = editor.Page("doc.qxzz").c_str();
    bool paramsShown = true;
    std::vector<std::string> verbs;
    DialogScript script;
    OpenProgramOptions(script)
        .On(ExeDialog, Do([&](HWND dialog) {
            paramsShown = Visible(dialog, ExeParams);
            const auto count = SendDlgItemMessageA(dialog, ExeVerb, CB_GETCOUNT, 0, 0);
            for (int i = 0; i < count; ++i) {
                char verb[100] = "";
                SendDlgItemMessageA(dialog, ExeVerb, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(verb));
                verbs.push_back(verb);
            }
            Press(dialog, ShortOk);
        }))
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_FALSE(paramsShown);
    EXPECT_EQ(std::vector<std::string>{"open"}, verbs);
    EXPECT_STREQ("open", branch.secondText);
}

TEST(ProgramOptions, AProgramInCapitalsTakesParameters)
{
    Editor editor;
    editor.pub.Write("TOOL.EXE", "MZ");
    BRANCH branch(editor);
    branch.target = editor.Page("TOOL.EXE").c_str();
    bool paramsShown = false, verbShown = true;
    DialogScript script;
    OpenProgramOptions(script)
        .On(ExeDialog, Do([&](HWND dialog) {
            paramsShown = Visible(dialog, ExeParams);
            verbShown = Visible(dialog, ExeVerb);
            Press(dialog, ShortOk);
        }))
        .On(BranchDialog, PressStep(IDCANCEL));

    KernBranchTo(editor, editor.Owner(), &branch);

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_TRUE(paramsShown);
    EXPECT_FALSE(verbShown);
}

// A dependent program with the default row and a row for code 3, opened in its options.
struct CodeRows : Editor {
    CodeRows()
    {
        Sample(branch);
        branch.execMode = QX_EXEC_DEPENDENT;
        auto* fallback = new BRANCH(kernel);
        fallback->defaultCode = 1;
        auto* three = new BRANCH(kernel);
        three->code = 3;
        three->target = Page("a.pag").c_str();
        branch.codeBranches.AddTail(fallback);
        branch.codeBranches.AddTail(three);
    }
    BRANCH branch{kernel};
};

struct CodeCase {
    const char* typed;
    const char* warning;  // caption of the box that refuses it, null when accepted
};

class ReturnCodes : public testing::TestWithParam<CodeCase> {};

TEST_P(ReturnCodes, ANewCodeMustBeANumberNoOtherRowTakes)
{
    const CodeCase& c = GetParam();
    CodeRows editor;
    std::vector<std::string> rows;
    DialogScript script;
    OpenProgramOptions(script)
        .On(ExeDialog, PressStep(AddRow))
        .On(CondDialog, Do([&](HWND dialog) {
            SetDlgItemTextA(dialog, Code, c.typed);
            Press(dialog, IDOK);
        }));
    if (c.warning)
        script.On(c.warning, PressStep(IDOK)).On(CondDialog, PressStep(IDCANCEL));
    script
        .On(ExeDialog, Do([&](HWND dialog) {
            rows = ListRows(dialog, CodeList);
            Press(dialog, IDOK);
        }))
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &editor.branch));

    EXPECT_TRUE(script.Finished()) << c.typed << ": " << script.Report();
    EXPECT_EQ(c.warning ? 2u : 3u, rows.size()) << c.typed;
    EXPECT_EQ(c.warning ? 2 : 3, editor.branch.codeBranches.Items()) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(Codes, ReturnCodes,
                         testing::Values(CodeCase{"7", nullptr}, CodeCase{"7  ", nullptr}, CodeCase{"-1", nullptr},
                                         CodeCase{"3", "Code de retour invalide"},
                                         CodeCase{"7x", "Champ invalide - Code de retour"},
                                         CodeCase{"", "Champ invalide - Code de retour"},
                                         CodeCase{"x", "Champ invalide - Code de retour"}));

TEST(ReturnCodes, EditingARowMayKeepItsOwnCode)
{
    CodeRows editor;
    std::string code;
    DialogScript script;
    OpenProgramOptions(script)
        .On(ExeDialog, Do([&](HWND dialog) {
            SelectListRow(dialog, CodeList, "3\t\t" + editor.Page("a.pag"));
            Press(dialog, EditRow);
        }))
        .On(CondDialog, Do([&](HWND dialog) {
            code = ItemText(dialog, Code);
            SetDlgItemTextA(dialog, Target, editor.Page("b.pag").c_str());
        }))
        .On(CondDialog, PressStep(IDOK))
        .On(ExeDialog, PressStep(IDOK))
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &editor.branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_EQ("3", code);
    ASSERT_EQ(2, editor.branch.codeBranches.Items());
    EXPECT_EQ(3u, editor.branch.GetCodeBranch(1)->code);
    EXPECT_STREQ(editor.Page("b.pag").c_str(), editor.branch.GetCodeBranch(1)->target);
}

TEST(ReturnCodes, TheDefaultRowCanBeEditedButNotDeleted)
{
    CodeRows editor;
    bool deleteEnabledOnDefault = true, deleteEnabledOnThree = false, codeEnabled = true;
    std::string code;
    std::vector<std::string> rows;
    DialogScript script;
    OpenProgramOptions(script)
        .On(ExeDialog, Do([&](HWND dialog) {
            SelectListRow(dialog, CodeList, "3\t\t" + editor.Page("a.pag"));
            deleteEnabledOnThree = Enabled(dialog, DeleteRow);
            SelectListRow(dialog, CodeList, "Par Défaut\t");
            deleteEnabledOnDefault = Enabled(dialog, DeleteRow);
            SendMessageA(dialog, WM_COMMAND, DeleteRow, 0);
            rows = ListRows(dialog, CodeList);
            Press(dialog, EditRow);
        }))
        .On(CondDialog, Do([&](HWND dialog) {
            code = ItemText(dialog, Code);
            codeEnabled = Enabled(dialog, Code);
            SetDlgItemTextA(dialog, Target, editor.Page("b.pag").c_str());
        }))
        .On(CondDialog, PressStep(IDOK))
        .On(ExeDialog, PressStep(IDOK))
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &editor.branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_TRUE(deleteEnabledOnThree);
    EXPECT_FALSE(deleteEnabledOnDefault);
    EXPECT_EQ(2u, rows.size());
    EXPECT_EQ("Par Défaut", code);
    EXPECT_FALSE(codeEnabled);
    ASSERT_EQ(2, editor.branch.codeBranches.Items());
    EXPECT_STREQ(editor.Page("b.pag").c_str(), editor.branch.GetCodeBranch(0)->target);
}

TEST(ReturnCodes, DeletingARowDropsItsBranchAtOk)
{
    CodeRows editor;
    DialogScript script;
    OpenProgramOptions(script)
        .On(ExeDialog, Do([&](HWND dialog) {
            SelectListRow(dialog, CodeList, "3\t\t" + editor.Page("a.pag"));
            SendMessageA(dialog, WM_COMMAND, DeleteRow, 0);
            Press(dialog, IDOK);
        }))
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &editor.branch));

    ASSERT_EQ(1, editor.branch.codeBranches.Items());
    EXPECT_EQ(1, editor.branch.GetCodeBranch(0)->defaultCode);
}

TEST(ReturnCodes, ARowWithAnActionShowsItsLabel)
{
    CodeRows editor;
    std::vector<std::string> rows;
    DialogScript script;
    OpenProgramOptions(script)
        .On(ExeDialog, PressStep(AddRow))
        .On(CondDialog, Do([](HWND dialog) {
            SetDlgItemTextA(dialog, Code, "5");
            Press(dialog, Special);
        }))
        .On(GadgetDialog, PickActionStep("Retour au début"))
        .On(CondDialog, PressStep(IDOK))
        .On(ExeDialog, Do([&](HWND dialog) {
            rows = ListRows(dialog, CodeList);
            Press(dialog, IDOK);
        }))
        .On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &editor.branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ("5\t\tGADGET: Retour au début", rows[2]);
    ASSERT_NE(nullptr, editor.branch.GetCodeBranch(2)->gadget);
    EXPECT_EQ(1, editor.branch.GetCodeBranch(2)->gadget->id);
}

// ---- Programmer options ----

struct LibraryCase {
    const char* what;
    std::string dll;
    const char* function;
    const char* warning;  // caption of the warning, null for none
};

class ProgrammerOptions : public testing::TestWithParam<LibraryCase> {};

TEST_P(ProgrammerOptions, StoresTheLibraryAndWarnsWhenItCannotBeReached)
{
    const LibraryCase& c = GetParam();
    Editor editor;
    BRANCH branch(editor);
    std::vector<std::string> warnings;
    DialogScript script;
    script.On(BranchDialog, Do([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, Programmer, 0); }))
        .On(ProgrammerDialog, Do([&](HWND dialog) {
            SetDlgItemTextA(dialog, DllName, c.dll.c_str());
            SetDlgItemTextA(dialog, FunctionName, c.function);
            SetDlgItemTextA(dialog, FunctionParams, "x=1");
            Press(dialog, IDOK);
        }));
    if (c.warning)
        script.On(c.warning, Do([&](HWND box) {
            warnings.push_back(ItemText(box, 0xFFFF));
            Press(box, IDOK);
        }));
    script.On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch)) << c.what;

    EXPECT_TRUE(script.Finished()) << c.what << ": " << script.Report();
    EXPECT_EQ(c.warning ? 1u : 0u, warnings.size()) << c.what;
    EXPECT_STREQ(c.dll.c_str(), branch.dll) << c.what;
    EXPECT_STREQ(c.function, branch.function) << c.what;
    EXPECT_STREQ("x=1", branch.parameter) << c.what;
}

std::string CoreLibrary()
{
    char name[MAX_PATH] = "";
    GetModuleFileNameA(GetModuleHandleA("qxcore40.dll"), name, sizeof name);
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, ProgrammerOptions,
    testing::Values(LibraryCase{"an exported function", CoreLibrary(), "KernGoHome", nullptr},
                    LibraryCase{"a missing function", CoreLibrary(), "NoSuchFunction", "La fonction est introuvable"},
                    LibraryCase{"a missing library", "C:\\nowhere\\user.dll", "Run", "Le DLL est introuvable"},
                    LibraryCase{"no library", "", "Run", nullptr}));

// ---- Choosing a file ----

TEST(ExistingFile, ADocumentIsTakenWithoutATypeCheck)
{
    Editor editor;
    BRANCH branch(editor);
    DialogScript script;
    script.On(BranchDialog, PressStep(Existing))
        .OnFileDialog(TypeFile(editor.Page("notes.txt")))
        .On(BranchDialog, [](HWND dialog) {
            if (!Enabled(dialog, ProgramOptions))
                return false;
            Press(dialog, IDOK);
            return true;
        });

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_STREQ(editor.Page("notes.txt").c_str(), branch.target);
}

struct PageChoiceCase {
    const char* file;
    const char* warning;  // text of the box that refuses it, null when taken
};

class ExistingPage : public testing::TestWithParam<PageChoiceCase> {};

TEST_P(ExistingPage, APageMustBeAPage)
{
    const PageChoiceCase& c = GetParam();
    Editor editor;
    BRANCH branch(editor);
    branch.target = editor.Page("b.pag").c_str();
    std::string warning;
    DialogScript script;
    script.On(BranchDialog, PressStep(Existing)).OnFileDialog(TypeFile(editor.Page(c.file)));
    if (c.warning)
        script.On("Erreur de type de fichier", Do([&](HWND box) {
            warning = ItemText(box, 0xFFFF);
            Press(box, IDOK);
        }));
    script.On(BranchDialog, PressStep(IDOK));

    EXPECT_EQ(1, KernBranchTo(editor, editor.Owner(), &branch)) << c.file;

    EXPECT_TRUE(script.Finished()) << c.file << ": " << script.Report();
    EXPECT_EQ(c.warning ? c.warning : "", warning) << c.file;
    EXPECT_STREQ(editor.Page(c.warning ? "b.pag" : c.file).c_str(), branch.target) << c.file;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ExistingPage,
    testing::Values(PageChoiceCase{"a.pag", nullptr},
                    PageChoiceCase{"model.pag", "Le fichier spécifié est un modèle.\nVous ne pouvez pas effectuer un "
                                                "branchement sur ce type de fichier."},
                    PageChoiceCase{"odd.pag", "Le format du fichier spécifié est inconnu."}));

TEST(BranchToPage, StoresTheChosenPage)
{
    Editor editor;
    BRANCH branch(editor);
    branch.gadget = KernFindGadget(editor, 1)->Clone();
    branch.target = "GADGET: Retour au début";
    DialogScript script;
    script.OnFileDialog(TypeFile(editor.Page("a.pag")));

    EXPECT_EQ(1, KernBranchToPage(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_STREQ(editor.Page("a.pag").c_str(), branch.target);
    EXPECT_EQ(nullptr, branch.gadget);
    // The page preview's windows went with the dialog.
    EXPECT_EQ(nullptr, FindWindowExA(editor.Owner(), nullptr, "KernPreviewPageWindow", nullptr));
}

TEST(BranchToPage, ATemplateIsRefusedAndTheBranchKept)
{
    Editor editor;
    BRANCH branch(editor);
    branch.target = editor.Page("b.pag").c_str();
    DialogScript script;
    script.OnFileDialog(TypeFile(editor.Page("model.pag"))).On("Erreur de type de fichier", PressStep(IDOK));

    EXPECT_EQ(0, KernBranchToPage(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_STREQ(editor.Page("b.pag").c_str(), branch.target);
}

TEST(BranchToPage, CancelKeepsTheBranch)
{
    Editor editor;
    BRANCH branch(editor);
    editor.Sample(branch);
    const std::string before = Describe(branch);
    DialogScript script;
    script.OnFileDialog(PressStep(IDCANCEL));

    EXPECT_EQ(0, KernBranchToPage(editor, editor.Owner(), &branch));

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_EQ(before, Describe(branch));
}

// ---- The branch of the selected object ----

TEST(SelectedObjectBranch, NeedsExactlyOneObjectSelected)
{
    Editor editor;
    ASSERT_EQ(1, editor.Go("a.pag"));
    KernSetMode(editor, QX_MODE_EDIT_BIT);
    std::vector<std::string> warnings;
    DialogScript script;
    script.On("Attention", Do([&](HWND box) {
              warnings.push_back(ItemText(box, 0xFFFF));
              Press(box, IDOK);
          }))
        .On("Attention", Do([&](HWND box) {
            warnings.push_back(ItemText(box, 0xFFFF));
            Press(box, IDOK);
        }));

    KernSetBranchSelectObject(editor);
    OBJET* root = KernGetTopObjet(editor);
    KernSelectObject(editor, root);
    MSGL control{};
    control.wParam = MK_CONTROL;
    KernEventSelectObject(editor, static_cast<OBJET*>(root->children.GetItem(0)), &control);
    ASSERT_EQ(2, KernObjectsSelected(editor));
    KernSetBranchSelectObject(editor);

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_EQ((std::vector<std::string>{"Veuillez sélectionner un objet.", "Veuillez sélectionner un seul objet."}),
              warnings);
}

TEST(SelectedObjectBranch, EditsTheUsersBranchInsideOneUndoStep)
{
    Editor editor;
    ASSERT_EQ(1, editor.Go("a.pag"));
    KernSetMode(editor, QX_MODE_EDIT_BIT);
    OBJET* child = static_cast<OBJET*>(KernGetTopObjet(editor)->children.GetItem(0));
    auto* pluginBranch = new BRANCH(editor);
    pluginBranch->pluginMark = 1;
    auto* userBranch = new BRANCH(editor);
    child->branches.AddTail(pluginBranch);
    child->branches.AddTail(userBranch);
    KernSelectObject(editor, child);
    KernFlushUndoBuffer(editor);
    DialogScript script;
    script.On(BranchDialog, Do([](HWND dialog) {
              SetDlgItemTextA(dialog, Delay, "4");
              Press(dialog, IDCANCEL);
          }))
        .On(BranchDialog, Do([](HWND dialog) {
            SetDlgItemTextA(dialog, Delay, "4");
            Press(dialog, IDOK);
        }));

    KernSetBranchSelectObject(editor);
    const int afterCancel = editor->undo.Items();
    KernSetBranchSelectObject(editor);

    EXPECT_TRUE(script.Finished()) << script.Report();
    EXPECT_EQ(0, afterCancel);
    EXPECT_EQ(3, editor->undo.Items());
    EXPECT_EQ(1, editor->undo.IsModified());
    EXPECT_EQ(4.0, userBranch->delay);
    EXPECT_EQ(0.0, pluginBranch->delay);
}

}  // namespace
