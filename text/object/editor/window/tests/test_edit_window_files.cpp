// The editor's file menu on a shown page, answered as an author would, and what the editor
// draws behind the text: a file imported in place of the text after the question, a file shown
// as the text's own and kept as the author wrote it, the text exported as HTML; the page
// beneath a transparent text.
#include "edit_window_fixture.h"

#include "editwindow_res.h"
#include "session_fixture.h"
#include "test_canvas.h"

namespace {

// The open and save dialogs answered with the file; the question of an import with `import`.
std::function<int(HWND)> PickFile(const std::string& path, int import = IDYES)
{
    return [path, import](HWND dialog) {
        if (WindowText(dialog) == "Importation : Attention")
            return import;
        if (FileNameBox(dialog))
            return OpenFileNamed(dialog, path);
        return IDOK;
    };
}

RecordLines TextRecord(const char* flags, const char* background)
{
    return ObjectRecord("QXTEXT.DLL", 0, "texte", NoBranch(),
                        {"TEXTE {", "20.00     20.00     300.00    120.00", "NULL", flags, "100.00", background,
                         "TXBRMSG [", "]", "}"});
}

}  // namespace

TEST_F(EditWindow, AnImportAsksFirstThenReplacesTheText)
{
    host_.pub.Write("notes.txt", "Texte du fichier");
    struct Case {
        int answer;
        const char* shown;
    };
    for (const Case& c : {Case{IDNO, "abc"}, Case{IDYES, "Texte du fichier"}}) {
        SCOPED_TRACE(c.answer);
        std::string shown;
        Edit(
            host_,
            [&](HWND, HWND edit, HWND tools) {
                Type(edit, "abc");
                Click(tools, CMD_IMPORT);
                shown = TextOf(edit);
                Click(tools, CMD_CANCEL);
            },
            PickFile(host_.Page("notes.txt"), c.answer));
        EXPECT_TRUE(Asked("Importation : Attention"));
        EXPECT_EQ(c.shown, shown);
    }
}

// A plain text has no interval of its own: its tabs step at the default one.
TEST_F(EditWindow, AnImportedTabStepsAtTheDefaultInterval)
{
    host_.pub.Write("tab.txt", "a\tb");
    std::string shown;
    int indent = 0;
    Edit(
        host_,
        [&](HWND, HWND edit, HWND tools) {
            Click(tools, CMD_IMPORT);
            shown = TextOf(edit);
            indent = EditorSession::PointOf(edit, 2).x - EditorSession::PointOf(edit, 0).x;
            Click(tools, CMD_CANCEL);
        },
        PickFile(host_.Page("tab.txt")));
    EXPECT_EQ("a\tb", shown);
    EXPECT_EQ(25, indent);
}

TEST_F(EditWindow, AShownFileIsTheTextAndStaysAsTheAuthorWroteIt)
{
    const std::string rtf = "{\\rtf1\\ansi Une lettre}";
    host_.pub.Write("lettre.rtf", rtf);
    std::string shown;
    bool boldOffered = true;
    const int result = Edit(
        host_,
        [&](HWND, HWND edit, HWND tools) {
            Click(tools, CMD_SHOW_FILE);
            shown = TextOf(edit);
            boldOffered = IsWindowEnabled(GetDlgItem(tools, CMD_BOLD)) != FALSE;
            Click(tools, CMD_OK);
        },
        PickFile(host_.Page("lettre.rtf")));
    EXPECT_EQ(1, result);
    EXPECT_EQ("Une lettre", shown);
    EXPECT_FALSE(boldOffered);
    ASSERT_EQ(1, KernSave(host_));
    EXPECT_EQ(rtf, host_.pub.Read("lettre.rtf"));
    // The page names the file beside it.
    PageHost again;
    again.pub.Write("lettre.rtf", rtf);
    ReadEditorPagesAgain(host_, again);
    EXPECT_EQ("Une lettre", EditedText(again));
}

TEST_F(EditWindow, TheTextIsExportedAsHtmlByDefault)
{
    const std::string target = host_.Page("sortie");
    Edit(
        host_,
        [&](HWND, HWND edit, HWND tools) {
            Type(edit, "bonjour");
            Click(tools, CMD_EXPORT);
            Click(tools, CMD_CANCEL);
        },
        [&](HWND dialog) {
            if (!FileNameBox(dialog))
                return GetDlgItem(dialog, IDNO) ? IDNO : IDOK;
            // The format offered first is HTML; the name gets its extension.
            SetWindowTextA(FileNameBox(dialog), target.c_str());
            return IDOK;
        });
    const std::string written = host_.pub.Read("sortie.htm");
    EXPECT_NE(std::string::npos, written.find("<")) << written;
    EXPECT_NE(std::string::npos, written.find("bonjour")) << written;
}

TEST_F(EditWindow, BehindTheTextIsThePageBeneathATransparentTextElseItsColour)
{
    struct Case {
        const char* page;
        const char* flags;
        const char* background;
        COLORREF expected;
    };
    const Case cases[] = {
        {"c.pag", "1       0       0       0", "255     255     255     0", RGB(0, 128, 0)},  // the page shows through
        {"d.pag", "0       0       0       0", "0       0       255     0", RGB(0, 0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        host_.pub.Write(c.page, PageFile({ObjectRecord("QXSHEET.DLL", 1, "page", NoBranch(), PageBlock("A", 0, 128, 0)),
                                           TextRecord(c.flags, c.background)}));
        ASSERT_EQ(1, host_.Go(c.page));
        COLORREF drawn = 0, erased = 0;
        Edit(host_, [&](HWND frame, HWND edit, HWND tools) {
            TestCanvas canvas(40, 20, RGB(255, 0, 255));
            RtePageNotify record{0, RteRect{0, 0, 20, 40}, 0, 0, 0, canvas.Dc()};
            SendMessageA(frame, RTEN_PREDRAW, 0, reinterpret_cast<LPARAM>(&record));
            drawn = canvas.Pixel(30, 10);
            TestCanvas erasing(40, 20, RGB(255, 0, 255));
            SendMessageA(edit, WM_ERASEBKGND, reinterpret_cast<WPARAM>(erasing.Dc()), 0);
            erased = erasing.Pixel(30, 10);
            Click(tools, CMD_CANCEL);
        });
        EXPECT_EQ(c.expected, drawn);
        EXPECT_EQ(c.expected, erased);
    }
}

TEST_F(EditWindow, TheControlFollowsTheFramesSize)
{
    RECT client{}, control{};
    std::string typed;
    Edit(host_, [&](HWND frame, HWND edit, HWND tools) {
        RECT was{};
        GetWindowRect(frame, &was);
        SetWindowPos(frame, nullptr, 0, 0, was.right - was.left + 60, was.bottom - was.top + 40,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
        GetClientRect(frame, &client);
        GetWindowRect(edit, &control);
        Type(edit, "ok");
        typed = TextOf(edit);
        Click(tools, CMD_CANCEL);
    });
    EXPECT_EQ(client.right - 20, control.right - control.left);
    EXPECT_EQ(client.bottom - 20, control.bottom - control.top);
    EXPECT_EQ("ok", typed);
}
