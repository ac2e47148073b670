// The object clipboard: the selected objects' records on the Windows clipboard, pasted back
// into the same page or another kernel's, with undo of the copy, the cut and the paste.
#include "edittest.h"

#include "branch.h"
#include "clipboard.h"
#include "clipboard_undo.h"
#include "kerntree.h"
#include "selection.h"
#include "undo.h"
#include "qxpath.h"

#include "dialog_answerer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using Labels = std::vector<std::string>;

UINT ObjectFormat() { return RegisterClipboardFormatA(QX_OBJECT_CLIPBOARD_FORMAT); }

// The bytes of one format, "" when absent; the whole block, zero bytes included.
std::string ClipboardBlock(UINT format)
{
    std::string bytes;
    if (!OpenClipboard(nullptr))
        return bytes;
    if (const HANDLE data = GetClipboardData(format)) {
        if (const auto* locked = static_cast<const char*>(GlobalLock(data))) {
            bytes.assign(locked, GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

// A text format's text, up to its zero byte.
std::string ClipboardText(UINT format)
{
    const std::string block = ClipboardBlock(format);
    return block.substr(0, block.find('\0'));
}

// Replaces the clipboard's content with these formats, each a block of exactly these bytes.
// The clipboard takes data only from an owner window.
void PutOnClipboard(const std::vector<std::pair<UINT, std::string>>& formats)
{
    static const HWND owner =
        CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    for (const auto& [format, bytes] : formats) {
        const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        SetClipboardData(format, block);
    }
    CloseClipboard();
}

std::string WithZero(const std::string& text) { return std::string(text.c_str(), text.size() + 1); }

// An object of the page that offers a standard format: it adds its text as CF_TEXT.
class STDCLIPOBJ : public OBJET {
public:
    STDCLIPOBJ(KERNEL* kernel, const char* text) : OBJET(kernel, nullptr), text(text) {}
    int IsStdClipFormatAvailable() override { return 1; }
    void CopyToClipboard(char*) override
    {
        const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    std::string text;
};

// The labels of the test object kind; "?" for an object of another kind.
std::vector<std::string> Children(OBJET* parent)
{
    std::vector<std::string> labels;
    for (int i = 0; i < parent->GetChildItems(); ++i) {
        OBJET* child = parent->GetChild(i);
        labels.push_back(lstrcmpiA(child->GetDLLName(), "QXTESTOBJ.DLL") == 0 ? TestObjLabel(child) : "?");
    }
    return labels;
}

std::vector<std::string> Selected(KERNEL* kernel)
{
    std::vector<std::string> labels;
    for (int i = 0; i < kernel->selection.Items(); ++i)
        labels.push_back(TestObjLabel(kernel->selection.GetObjet(i)));
    return labels;
}

void AddToSelection(KERNEL* kernel, OBJET* object)
{
    MSGL click = {static_cast<WORD>(kernel->mode), object->window, WM_LBUTTONUP, MK_CONTROL, 0};
    KernEventSelectObject(kernel, object, &click);
}

// A kernel in an editing mode showing a page of the test object kind.
struct EditedPage {
    explicit EditedPage(const std::vector<std::vector<std::string>>& records)
    {
        nav.pub.Write("page.pag", PageText(records));
        EXPECT_EQ(1, nav.Go("page.pag"));
        nav->mode = QX_MODE_EDIT_BIT;
    }
    OBJET* Root() const { return KernGetTopObjet(nav); }
    OBJET* Child(int index) const { return Root()->GetChild(index); }

    NavKernel nav;
};

// Every test process of the run shares the clipboard: a test holds it from start to end,
// beginning with a text of its own on it.
class CLIPBOARDTURN {
public:
    CLIPBOARDTURN() : turn_(CreateMutexA(nullptr, FALSE, "QxObjectClipboardTests"))
    {
        WaitForSingleObject(turn_, INFINITE);
        PutOnClipboard({{CF_TEXT, WithZero("before")}});
    }
    ~CLIPBOARDTURN()
    {
        ReleaseMutex(turn_);
        CloseHandle(turn_);
    }
    CLIPBOARDTURN(const CLIPBOARDTURN&) = delete;
    CLIPBOARDTURN& operator=(const CLIPBOARDTURN&) = delete;

private:
    HANDLE turn_;
};

class ObjectClipboard : public testing::Test {
protected:
    OBJET* A() const { return page.Child(0); }
    OBJET* B() const { return page.Child(1); }
    KERNEL* Kernel() const { return page.nav; }

    CLIPBOARDTURN turn;
    EditedPage page{{TestObjRecord("root", 2, 1), TestObjRecord("A", 0), TestObjRecord("B", 0)}};
    DialogAnswerer answerer;
};

TEST_F(ObjectClipboard, ACopyWritesTheRecordsFromTheLastSelectedToTheFirst)
{
    KernSelectObject(Kernel(), A());
    AddToSelection(Kernel(), B());
    KernCopyToClipboard(Kernel());

    const std::string expected = "2\r\n" + Lines(TestObjRecord("B", 0)) + Lines(TestObjRecord("A", 0));
    EXPECT_EQ(Visible(WithZero(expected)), Visible(ClipboardBlock(ObjectFormat()).substr(0, expected.size() + 1)));
    // The objects stay where they were, still selected.
    EXPECT_EQ((Labels{"A", "B"}), Children(page.Root()));
    EXPECT_EQ((Labels{"A", "B"}), Selected(Kernel()));
}

TEST_F(ObjectClipboard, ACopyWithNothingSelectedChangesNothing)
{
    const int records = Kernel()->undo.Items();
    KernCopyToClipboard(Kernel());
    EXPECT_FALSE(IsClipboardFormatAvailable(ObjectFormat()));
    EXPECT_EQ("before", ClipboardText(CF_TEXT));
    EXPECT_EQ(records, Kernel()->undo.Items());
}

TEST_F(ObjectClipboard, UndoingACopyGivesTheClipboardBackInAllItsFormats)
{
    const UINT custom = RegisterClipboardFormatA("Qorvex clipboard test bytes");
    const std::string bytes("\x01\x00\x02\xff", 4);
    PutOnClipboard({{CF_TEXT, WithZero("previous text")}, {custom, bytes}});
    KernSelectObject(Kernel(), A());
    KernCopyToClipboard(Kernel());
    ASSERT_TRUE(IsClipboardFormatAvailable(ObjectFormat()));
    EXPECT_FALSE(IsClipboardFormatAvailable(custom));

    KernUndoPop(Kernel());
    EXPECT_FALSE(IsClipboardFormatAvailable(ObjectFormat()));
    EXPECT_EQ("previous text", ClipboardText(CF_TEXT));
    EXPECT_EQ(bytes, ClipboardBlock(custom).substr(0, bytes.size()));
    // The copy was one step: the selection made before it is the next one.
    EXPECT_EQ((Labels{"A"}), Selected(Kernel()));
}

// Formats saved for undo, in the order saved.
std::vector<UINT> SavedFormats(KERNEL* kernel)
{
    std::vector<UINT> formats;
    for (int i = 0; i < kernel->undo.Items(); ++i) {
        if (auto* saved = dynamic_cast<UNDO_CLIPBOARD*>(static_cast<UNDO*>(kernel->undo.GetItem(i))))
            formats.push_back(saved->format);
    }
    return formats;
}

TEST_F(ObjectClipboard, AFormatThatHoldsAHandleIsNotSavedAsBytes)
{
    // A metafile picture is a global block, but the metafile handle inside it dies with the
    // clipboard's content: its bytes put back would name a metafile that is gone.
    const HMETAFILE metafile = CloseMetaFile(CreateMetaFileA(nullptr));
    const HGLOBAL picture = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
    *static_cast<METAFILEPICT*>(GlobalLock(picture)) = {MM_TEXT, 10, 10, metafile};
    GlobalUnlock(picture);
    ASSERT_TRUE(OpenClipboard(KernGetAppWindow(Kernel())));
    SetClipboardData(CF_METAFILEPICT, picture);
    CloseClipboard();
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_METAFILEPICT));

    KernSelectObject(Kernel(), A());
    KernCopyToClipboard(Kernel());
    const std::vector<UINT> saved = SavedFormats(Kernel());
    EXPECT_NE(saved.end(), std::find(saved.begin(), saved.end(), CF_TEXT));
    EXPECT_EQ(saved.end(), std::find(saved.begin(), saved.end(), CF_METAFILEPICT));
    KernUndoPop(Kernel());
    EXPECT_EQ("before", ClipboardText(CF_TEXT));
}

TEST_F(ObjectClipboard, TheSavedFormatsLiveInFilesAsLongAsTheirRecords)
{
    KernSelectObject(Kernel(), A());
    KernCopyToClipboard(Kernel());
    std::vector<std::string> files;
    for (int i = 0; i < Kernel()->undo.Items(); ++i) {
        if (auto* saved = dynamic_cast<UNDO_CLIPBOARD*>(static_cast<UNDO*>(Kernel()->undo.GetItem(i))))
            files.push_back(saved->saved->Name());
    }
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files)
        EXPECT_TRUE(DoFileExist(file.c_str())) << file;
    KernFlushUndoBuffer(Kernel());
    for (const std::string& file : files)
        EXPECT_FALSE(DoFileExist(file.c_str())) << file;
}

TEST_F(ObjectClipboard, APasteAddsTheObjectsSelectedAndOneUndoTakesThemAway)
{
    KernSelectObject(Kernel(), A());
    AddToSelection(Kernel(), B());
    KernCopyToClipboard(Kernel());

    OBJET* last = KernPasteFromClipboard(Kernel());
    ASSERT_EQ((Labels{"A", "B", "B", "A"}), Children(page.Root()));
    EXPECT_EQ(page.Child(3), last);
    EXPECT_EQ((Labels{"B", "A"}), Selected(Kernel()));
    EXPECT_EQ(page.Child(2), Kernel()->selection.GetObjet(0));
    EXPECT_EQ(1, Kernel()->undo.IsModified());

    KernUndoPop(Kernel());
    EXPECT_EQ((Labels{"A", "B"}), Children(page.Root()));
    // Undoing re-selects the objects one by one, last unselected first.
    EXPECT_EQ((Labels{"B", "A"}), Selected(Kernel()));
    // The clipboard still holds the objects.
    EXPECT_EQ(2, KernPasteFromClipboard(Kernel()) ? Kernel()->selection.Items() : 0);
}

TEST_F(ObjectClipboard, ObjectsCopiedInOneKernelArePastedIntoAnotherKernelsPage)
{
    EditedPage other({TestObjRecord("other root", 1, 1), TestObjRecord("Z", 0)});
    KernSelectObject(Kernel(), B());
    KernCopyToClipboard(Kernel());

    ASSERT_NE(nullptr, KernPasteFromClipboard(other.nav));
    EXPECT_EQ((Labels{"Z", "B"}), Children(other.Root()));
    EXPECT_EQ((Labels{"B"}), Selected(other.nav));
    EXPECT_EQ((Labels{"A", "B"}), Children(page.Root()));
}

TEST_F(ObjectClipboard, ACutRemovesTheObjectsAndOneUndoGivesBackObjectsAndClipboard)
{
    KernSelectObject(Kernel(), A());
    KernCutToClipboard(Kernel());
    EXPECT_EQ((Labels{"B"}), Children(page.Root()));
    EXPECT_TRUE(Selected(Kernel()).empty());
    ASSERT_TRUE(IsClipboardFormatAvailable(ObjectFormat()));

    KernUndoPop(Kernel());
    EXPECT_EQ((Labels{"A", "B"}), Children(page.Root()));
    EXPECT_EQ((Labels{"A"}), Selected(Kernel()));
    EXPECT_FALSE(IsClipboardFormatAvailable(ObjectFormat()));
    EXPECT_EQ("before", ClipboardText(CF_TEXT));
}

TEST_F(ObjectClipboard, TheFirstSelectedObjectWithStandardFormatsAddsThem)
{
    auto* first = new STDCLIPOBJ(Kernel(), "first picture");
    auto* second = new STDCLIPOBJ(Kernel(), "second picture");
    page.Root()->AddChild(first);
    page.Root()->AddChild(second);
    KernSelectObject(Kernel(), first);
    AddToSelection(Kernel(), A());
    AddToSelection(Kernel(), second);
    KernCopyToClipboard(Kernel());

    EXPECT_EQ("first picture", ClipboardText(CF_TEXT));
    EXPECT_EQ("3", ClipboardText(ObjectFormat()).substr(0, 1));
}

TEST_F(ObjectClipboard, AChildIsWrittenAsAChildOfThePageAndStaysInItsParent)
{
    EditedPage nested({TestObjRecord("root", 2, 1), TestObjRecord("outer", 0), TestObjRecord("inner", 0)});
    // Objects without windows enclose nothing: the page holds them side by side until the
    // tree is set by hand.
    OBJET* outer = nested.Child(0);
    OBJET* inner = nested.Child(1);
    nested.Root()->RemoveChild(inner);
    outer->AddChild(inner);
    KernSelectObject(nested.nav, inner);
    KernCopyToClipboard(nested.nav);

    EXPECT_EQ(outer, inner->GetParent());
    EXPECT_EQ((Labels{"inner"}), Children(outer));
    EXPECT_EQ("1\r\n" + Lines(TestObjRecord("inner", 0)), ClipboardText(ObjectFormat()));
    // Pasted, it goes under the object that encloses it: here the page itself.
    OBJET* pasted = KernPasteFromClipboard(nested.nav);
    ASSERT_NE(nullptr, pasted);
    EXPECT_EQ(nested.Root(), pasted->GetParent());
}

TEST_F(ObjectClipboard, RelativeNamesReachTheClipboardAbsoluteAndLongLinesWhole)
{
    const std::string longText(510, 'x');
    EditedPage named({TestObjRecord("root", 2, 1), TestObjRecord(".\\pictures\\a.bmp", 0),
                      TestObjRecord("..\\sounds\\b.wav", 0)});
    named.Child(1)->SetUserString(longText.c_str());
    KernSelectObject(named.nav, named.Child(0));
    AddToSelection(named.nav, named.Child(1));
    KernCopyToClipboard(named.nav);

    const std::string text = ClipboardText(ObjectFormat());
    const std::string folder = named.nav.pub.Path();
    const std::string parent = folder.substr(0, folder.find_last_of('\\', folder.size() - 2) + 1);
    EXPECT_NE(std::string::npos, text.find("\r\n" + folder + "pictures\\a.bmp\r\n")) << Visible(text);
    EXPECT_NE(std::string::npos, text.find("\r\n" + parent + "sounds\\b.wav\r\n")) << Visible(text);
    EXPECT_NE(std::string::npos, text.find("\r\n" + longText + "\r\n")) << Visible(text);
}

TEST_F(ObjectClipboard, AFailingSaveLeavesTheClipboardAndTheObjectsAlone)
{
    EditedPage failing({TestObjRecord("root", 2, 1), TestObjRecord("A", 0), TestObjRecord("FAILSAVE", 0)});
    KernSelectObject(failing.nav, failing.Child(0));
    AddToSelection(failing.nav, failing.Child(1));
    KernCopyToClipboard(failing.nav);
    EXPECT_FALSE(IsClipboardFormatAvailable(ObjectFormat()));
    EXPECT_EQ("before", ClipboardText(CF_TEXT));
    // A cut deletes nothing that the clipboard did not take.
    KernCutToClipboard(failing.nav);
    EXPECT_EQ((Labels{"A", "FAILSAVE"}), Children(failing.Root()));
    EXPECT_FALSE(IsClipboardFormatAvailable(ObjectFormat()));
}

TEST_F(ObjectClipboard, APastedDefaultBranchTakesOverFromThePagesOwn)
{
    auto* forward = new BRANCH(Kernel());
    forward->kind = QX_BRANCH_DEFAULT_FORWARD;
    forward->target = "next.pag";
    A()->AddBranch(forward);
    KernSelectObject(Kernel(), A());
    KernCopyToClipboard(Kernel());

    OBJET* pasted = KernPasteFromClipboard(Kernel());
    ASSERT_NE(nullptr, pasted);
    ASSERT_EQ(1, pasted->GetBranchItems());
    EXPECT_EQ(QX_BRANCH_DEFAULT_FORWARD, pasted->GetBranch(0)->kind);
    EXPECT_EQ(QX_BRANCH_ORDINARY, A()->GetBranch(0)->kind);
}

TEST(ObjectClipboardWindows, AChildWindowKeepsItsParentAndPlaceThroughACopy)
{
    CLIPBOARDTURN turn;
    EditPage page;
    OBJET* a = page.A();
    OBJET* c = page.C();
    KernLinkParentChild(a, c, 0);
    const RECT before = PlaceOf(c);
    KernSelectObject(page.Kernel(), c);
    KernCopyToClipboard(page.Kernel());

    ASSERT_TRUE(IsClipboardFormatAvailable(ObjectFormat()));
    EXPECT_EQ(a, c->GetParent());
    EXPECT_EQ(0, c->FindPos());
    EXPECT_EQ(a->window, GetParent(c->window));
    const RECT after = PlaceOf(c);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ(before.right, after.right);
    EXPECT_EQ(before.bottom, after.bottom);
    EXPECT_EQ(1, c->selected);
    EXPECT_EQ(1, KernObjectsSelected(page.Kernel()));
}

// Clipboard texts that are not what a copy writes: what gets pasted, and the alert shown.
struct MALFORMED {
    const char* name;
    std::string block;  // the clipboard block, exactly
    Labels pasted;
    const char* alert;  // start of the alert's text, null when none
};

std::vector<std::string> Truncated(std::vector<std::string> record, size_t lines)
{
    record.resize(lines);
    return record;
}

std::vector<std::string> WithModule(std::vector<std::string> record, const char* module)
{
    record[2] = module;
    return record;
}

TEST_F(ObjectClipboard, MalformedTextsPasteWhatTheyCanAndNeverMore)
{
    const std::string x = Lines(TestObjRecord("X", 0));
    const std::string y = Lines(TestObjRecord("Y", 0));
    const std::vector<MALFORMED> cases = {
        {"empty block", std::string(1, '\0'), {}, nullptr},
        {"no count", WithZero("objects\r\n" + x), {}, nullptr},
        {"negative count", WithZero("-3\r\n" + x), {}, nullptr},
        {"absurd count", WithZero("2000000000\r\n" + x + y), {"X", "Y"}, nullptr},
        {"fewer records than counted", WithZero("3\r\n" + x), {"X"}, nullptr},
        {"no zero byte at the end", "1\r\n" + x, {"X"}, nullptr},
        {"text ends at a zero byte", "2\r\n" + x + std::string(1, '\0') + y, {"X"}, nullptr},
        {"record cut after its module line", WithZero("2\r\n" + x + Lines(Truncated(TestObjRecord("Y", 0), 3))),
         {}, "Enfant non défini  pour cet objet."},
        {"module that is no library", WithZero("2\r\n" + x + Lines(WithModule(TestObjRecord("Y", 0), "QXTEST.TXT"))),
         {}, "Le format du fichier est inconnu."},
        {"library without AllocObjet", WithZero("2\r\n" + Lines(WithModule(TestObjRecord("Y", 0), "QXNOALLOC.DLL")) + x),
         {"?", "X"}, "Impossible de charger la librairie "},
        {"record cut in its common block", WithZero("1\r\n" + Lines(Truncated(TestObjRecord("Y", 0), 12))),
         {""}, nullptr},
    };
    for (const MALFORMED& test : cases) {
        SCOPED_TRACE(test.name);
        DialogAnswerer alerts;
        PutOnClipboard({{ObjectFormat(), test.block}});
        const int records = Kernel()->undo.Items();
        OBJET* last = KernPasteFromClipboard(Kernel());
        Labels pasted = Children(page.Root());
        pasted.erase(pasted.begin(), pasted.begin() + 2);
        EXPECT_EQ(test.pasted, pasted);
        EXPECT_EQ(test.pasted.empty(), last == nullptr);
        ASSERT_EQ(test.alert ? 1u : 0u, alerts.Shown().size());
        if (test.alert) {
            EXPECT_EQ(0u, alerts.Shown()[0].text.rfind(test.alert, 0)) << alerts.Shown()[0].text;
        }
        if (test.pasted.empty()) {
            EXPECT_EQ(records, Kernel()->undo.Items());
        } else {
            KernUndoPop(Kernel());
        }
        EXPECT_EQ((Labels{"A", "B"}), Children(page.Root()));
    }
}

TEST_F(ObjectClipboard, NothingIsPastedWithoutObjectsOnTheClipboard)
{
    const int records = Kernel()->undo.Items();
    EXPECT_EQ(nullptr, KernPasteFromClipboard(Kernel()));
    EXPECT_EQ((Labels{"A", "B"}), Children(page.Root()));
    EXPECT_EQ(records, Kernel()->undo.Items());
}

}  // namespace
