// Page creation through the page module's exports, with the author's part played in the real
// dialogs: the template chooser, the save dialog, the progress dialog and the page settings.
#include "dialog_answerer.h"
#include "dialog_items.h"
#include "dialogdriver.h"
#include "plugintest.h"
#include "qxpath.h"
#include "qxtmpl_api.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using CREATEBASEOBJET = int (*)(KERNEL* kernel, char* out, unsigned size, void* parent);
using GENERATETHUMBNAIL = int (*)(const char* page, const char* image, int width, int height);

constexpr int IgnoredCommand = 0x7FFF;
constexpr int NumberOfPagesEdit = 101;
constexpr int PageTitleEdit = 114;
constexpr int PageSaveAsButton = 20;
constexpr int PageFileName = 19;
constexpr int PageProgrammerButton = 15;
constexpr int ProgDllEdit = 101;
constexpr int ProgFunctionEdit = 102;
constexpr int FileNameCombo = 1148;   // the save dialog's name box in newer dialogs
constexpr int OldFileNameEdit = 1152;  // and in older ones
const std::string Separator(73, '-');

// What the author does in the dialogs of one creation.
struct Author {
    std::string pick;                          // entry picked in the chooser
    std::vector<std::string> numbers = {"1"};  // typed as the number of pages, OK after each
    bool cancelChooser = false;                // Cancel after the numbers instead of the last OK
    std::string pageName;                      // typed into the save dialog
    bool cancelCreating = false;               // Cancel in the progress dialog
    std::string title;                         // typed into the page settings
    std::optional<std::string> refusedName;    // given as the file in the settings, then Cancel
    HWND creating = nullptr;
    int saveDialogTicks = 0;
};
Author* author = nullptr;

Author Picking(const std::string& pick, std::vector<std::string> numbers = {"1"})
{
    Author part;
    part.pick = pick;
    part.numbers = std::move(numbers);
    return part;
}

void ActInChooser(HWND chooser)
{
    EXPECT_TRUE(QxtmplSelectTemplate(chooser, author->pick.c_str())) << author->pick;
    const HWND hook = FindWindowExA(chooser, nullptr, "#32770", nullptr);
    for (size_t i = 0; i < author->numbers.size(); ++i) {
        SetDlgItemTextA(hook, NumberOfPagesEdit, author->numbers[i].c_str());
        if (i + 1 < author->numbers.size())
            SendMessageA(chooser, WM_COMMAND, IDOK, 0);
    }
    PostMessageA(chooser, WM_COMMAND, author->cancelChooser ? IDCANCEL : IDOK, 0);
}

// The save dialog finishes coming up after its activation: wait for its name box.
bool ActInSaveDialog(HWND dialog)
{
    constexpr int GiveUpTicks = 200;
    if (!GetDlgItem(dialog, FileNameCombo) && !GetDlgItem(dialog, OldFileNameEdit) &&
        ++author->saveDialogTicks < GiveUpTicks)
        return false;
    SetDlgItemTextA(dialog, FileNameCombo, author->pageName.c_str());
    SetDlgItemTextA(dialog, OldFileNameEdit, author->pageName.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    if (author->cancelCreating)
        PostMessageA(author->creating, WM_COMMAND, IDCANCEL, 0);
    return true;
}

// Acts from a timer rather than from inside the activation hook, so that the boxes these
// actions bring up are answered too.
void CALLBACK Act(HWND dialog, UINT, UINT_PTR timer, DWORD)
{
    const std::string caption = WindowText(dialog);
    if (caption == "Spécifier un nom pour la nouvelle page" && !ActInSaveDialog(dialog))
        return;
    KillTimer(dialog, timer);
    if (QxtmplIsChooser(dialog)) {
        ActInChooser(dialog);
    } else if (caption == "Réglages de la page") {
        SetDlgItemTextA(dialog, PageTitleEdit, author->title.c_str());
        if (author->refusedName) {
            SetDlgItemTextA(dialog, PageFileName, author->refusedName->c_str());
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        }
        PostMessageA(dialog, WM_COMMAND, author->refusedName ? IDCANCEL : IDOK, 0);
    }
}

int Respond(HWND dialog)
{
    const std::string caption = WindowText(dialog);
    if (caption == "Création des pages") {
        author->creating = dialog;
        return IgnoredCommand;
    }
    if (QxtmplIsChooser(dialog) || caption == "Spécifier un nom pour la nouvelle page" ||
        caption == "Réglages de la page") {
        SetTimer(dialog, 1, 10, Act);
        return IgnoredCommand;
    }
    return IDOK;  // message boxes
}

// A hover text stored by its byte count, holding lines that look like files, a sequence
// branch and the end of a block.
const std::string HoverText = "C:\\media\\absent.bmp\r\nGADGET: 6\r\n..\\son.wav\r\n}";

// A page template; `sound` is its message and branch sound line, `next` its sequence
// branch's target and `title` its title line, as the template holds them or as a page
// made from it must hold them.
std::string PageText(const std::string& sound, const std::string& next, const std::string& title)
{
    return Lines({"QORVEX-HYPERMEDIA PAGE", "version : 4.0.0.5", Separator, "OBJET {", "QXSHEET.DLL", "0", "NULL",
                  "C:\\utilisateur\\texte.txt", "Aide", std::to_string(HoverText.size())}) +
           HoverText + "\r\n" +
           Lines({"0", sound, "1", "20 0 0 0 400 0 0 0 0 3 2 0 34", "System", "0 0 0", "192 192 192", "-1", "NULL",
                  "  0.0", "FONTS [", "0", "]", "}", "BRANCH {", "0", "BRANCHEX [", "1", "BR [", "0", next,
                  "C:\\arguments\\fichier.txt", "1", "1", "  0.0", "0", "0", sound, "NULL", "NULL",
                  "C:\\parametre\\fichier.txt", "NULL", "0", "]", "]", "}", "PAGE {", title, "0 0 640 480", "0",
                  "0", "2 255 255 255", "NULL", "NULL", "}", Separator});
}

class PageCreation : public testing::Test {
protected:
    void SetUp() override
    {
        SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, library.Path().c_str());
        library.Write("Page\\Chapitre\\chapitre.pag", PageText(".\\son.wav", "GADGET: 6", "Modele"));
        library.Write("Page\\Chapitre\\son.wav", WavFile(50));
        ASSERT_NE(create, nullptr);
    }
    void TearDown() override { SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, nullptr); }

    // CreateBaseObjet with the author's part played; its answer, the name it gave in `made`.
    int Create(Author& part)
    {
        author = &part;
        const DialogAnswerer answerer(Respond);
        char out[QX_NAME_BUFFER] = "unchanged";
        const int answer = create(host, out, sizeof out, nullptr);
        made = out;
        shown = answerer.Shown();
        author = nullptr;
        return answer;
    }

    std::string Pages(const std::string& name) const { return host.pub / ("PAGES\\" + name); }

    ScratchDir library;
    PageHost host;
    CREATEBASEOBJET create = PluginExport<CREATEBASEOBJET>("qxsheet40.dll", "CreateBaseObjet");
    std::string made;
    std::vector<ShownDialog> shown;
};

TEST_F(PageCreation, NumberedPagesFollowTheLastNumberAndLeadToEachOther)
{
    host.pub.Write("PAGES\\chap_0001.pag", "existing");
    Author part = Picking("Chapitre", {"3"});
    part.pageName = Pages("chap.pag");

    ASSERT_EQ(Create(part), 1);
    EXPECT_EQ(made, Pages("chap_0002.pag"));
    EXPECT_EQ(host.pub.Read("PAGES\\chap_0002.pag"), PageText(".\\son.wav", Pages("chap_0003.pag"), "chap_0002"));
    EXPECT_EQ(host.pub.Read("PAGES\\chap_0003.pag"), PageText(".\\son.wav", Pages("chap_0004.pag"), "chap_0003"));
    EXPECT_EQ(host.pub.Read("PAGES\\chap_0004.pag"), PageText(".\\son.wav", "NULL", "chap_0004"));
    EXPECT_EQ(host.pub.Read("PAGES\\chap_0001.pag"), "existing");
    EXPECT_FALSE(DoFileExist(Pages("chap.pag").c_str()));
    // The medium named twice by each page is copied once, with its date.
    EXPECT_EQ(host.pub.Read("PAGES\\son.wav"), WavFile(50));
    EXPECT_FALSE(DoFileExist(Pages("son_0.wav").c_str()));
    EXPECT_EQ(host.Go("PAGES\\chap_0003.pag"), 1);
    EXPECT_EQ(host.Shown(), "chap_0003");
}

TEST_F(PageCreation, SinglePageKeepsItsNameAndEndsItsSequence)
{
    Author part = Picking("Chapitre");
    part.pageName = Pages("seule.pag");

    ASSERT_EQ(Create(part), 1);
    EXPECT_EQ(made, Pages("seule.pag"));
    EXPECT_EQ(host.pub.Read("PAGES\\seule.pag"), PageText(".\\son.wav", "NULL", "seule"));
}

TEST_F(PageCreation, DifferentFileOfTheMediumsNameGetsTheFirstFreeNumber)
{
    host.pub.Write("PAGES\\son.wav", "another sound");
    Author part = Picking("Chapitre", {"2"});
    part.pageName = Pages("suite.pag");

    ASSERT_EQ(Create(part), 1);
    EXPECT_EQ(host.pub.Read("PAGES\\suite_0001.pag"), PageText(".\\son_0.wav", Pages("suite_0002.pag"), "suite_0001"));
    EXPECT_EQ(host.pub.Read("PAGES\\suite_0002.pag"), PageText(".\\son_0.wav", "NULL", "suite_0002"));
    EXPECT_EQ(host.pub.Read("PAGES\\son.wav"), "another sound");
    EXPECT_EQ(host.pub.Read("PAGES\\son_0.wav"), WavFile(50));
    EXPECT_FALSE(DoFileExist(Pages("son_1.wav").c_str()));
}

// The page text with one font in its font list instead of none.
std::string WithFont(const std::string& page, const std::string& fontFile)
{
    const std::string none = "FONTS [\r\n0\r\n]\r\n";
    std::string text = page;
    text.replace(text.find(none), none.size(), Lines({"FONTS [", "1", "Police", fontFile, "0", "]"}));
    return text;
}

TEST_F(PageCreation, FontsGoToTheFontsFolderAndMissingMediaBecomeNull)
{
    library.Write("Page\\Police\\police.pag",
                  WithFont(PageText(".\\absent.wav", "GADGET: 6", "Modele"), ".\\fonts\\~~Fpolice"));
    library.Write("Page\\Police\\fonts\\~~Fpolice", "font bytes");
    Author part = Picking("Police");
    part.pageName = Pages("police.pag");

    ASSERT_EQ(Create(part), 1);
    EXPECT_EQ(host.pub.Read("PAGES\\police.pag"),
              WithFont(PageText("NULL", "NULL", "police"), ".\\FONTS\\~~Fpolice"));
    EXPECT_EQ(host.pub.Read("PAGES\\FONTS\\~~Fpolice"), "font bytes");
}

// The page text with its branch in the older form of 11 lines after its count, and a user
// string longer than a record line.
std::string OlderAndLonger(const std::string& page)
{
    std::string text = page;
    const auto swap = [&text](const std::string& from, const std::string& to) {
        text.replace(text.find(from), from.size(), to);
    };
    swap(Lines({"BRANCH {", "0", "BRANCHEX [", "1", "BR [", "0"}), Lines({"BRANCH {", "1"}));
    swap(Lines({"NULL", "0", "]", "]", "}", "PAGE {"}), Lines({"}", "PAGE {"}));
    swap("C:\\utilisateur\\texte.txt", "C:\\" + std::string(600, 'u'));
    return text;
}

TEST_F(PageCreation, OlderBranchesAndLongLinesAreCopiedAsWell)
{
    library.Write("Page\\Ancien\\ancien.pag", OlderAndLonger(PageText(".\\son.wav", "GADGET: 6", "Modele")));
    library.Write("Page\\Ancien\\son.wav", WavFile(50));
    Author part = Picking("Ancien", {"2"});
    part.pageName = Pages("vieux.pag");

    ASSERT_EQ(Create(part), 1);
    EXPECT_EQ(host.pub.Read("PAGES\\vieux_0001.pag"),
              OlderAndLonger(PageText(".\\son.wav", Pages("vieux_0002.pag"), "vieux_0001")));
    EXPECT_EQ(host.pub.Read("PAGES\\vieux_0002.pag"), OlderAndLonger(PageText(".\\son.wav", "NULL", "vieux_0002")));
}

TEST_F(PageCreation, NumberOfPagesOutsideOneToAHundredIsRefused)
{
    Author part = Picking("Chapitre", {"0", "101", "100"});
    part.cancelChooser = true;

    EXPECT_EQ(Create(part), 0);
    EXPECT_EQ(made, "");
    int refusals = 0;
    for (const ShownDialog& box : shown) {
        if (box.caption == "Erreur de saisie") {
            EXPECT_EQ(box.text, "Le nombre de pages doit être entre 1 et 100.");
            ++refusals;
        }
    }
    EXPECT_EQ(refusals, 2);
}

TEST_F(PageCreation, CancelledCreationLeavesNoPageBehind)
{
    Author part = Picking("Chapitre", {"4"});
    part.pageName = Pages("annule.pag");
    part.cancelCreating = true;

    EXPECT_EQ(Create(part), 0);
    EXPECT_EQ(made, "");
    for (const char* page : {"annule_0001.pag", "annule_0002.pag", "annule_0003.pag", "annule_0004.pag"})
        EXPECT_FALSE(DoFileExist(Pages(page).c_str())) << page;
}

TEST_F(PageCreation, WithoutTemplateTheSettingsDialogWritesOneBlankPage)
{
    Author part = Picking("(Aucun modèle)");
    part.pageName = Pages("accueil.pag");
    part.title = "Bienvenue";

    ASSERT_EQ(Create(part), 1);
    EXPECT_EQ(made, Pages("accueil.pag"));
    EXPECT_EQ(host.Go("PAGES\\accueil.pag"), 1);
    EXPECT_EQ(host.Shown(), "Bienvenue");
}

TEST_F(PageCreation, SettingsRefuseAMissingWrongOrTakenFileName)
{
    host.pub.Write("PAGES\\deja.pag", "taken");
    struct Case {
        std::string name;
        const char* message;
    };
    const Case cases[] = {
        {"", "Vous devez spécifier un nom de fichier."},
        {Pages("page.txt"), "Le suffixe de fichier doit être «.PAG»."},
        {Pages("deja.pag"), "Le fichier de la page existe déjà.\nIl ne peut pas être créé."},
    };
    for (const Case& c : cases) {
        Author part = Picking("(Aucun modèle)");
        part.pageName = Pages("nouvelle.pag");
        part.refusedName = c.name;
        EXPECT_EQ(Create(part), 0) << c.name;
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back().caption, "Erreur de création de fichier") << c.name;
        EXPECT_EQ(shown.back().text, c.message) << c.name;
        EXPECT_FALSE(DoFileExist(Pages("nouvelle.pag").c_str())) << c.name;
    }
    EXPECT_EQ(host.pub.Read("PAGES\\deja.pag"), "taken");
}

// ---- Settings of a page shown ----

// The page "page.pag", titled "Avant", shown by the host.
class PageSettings : public testing::Test {
protected:
    void SetUp() override
    {
        host.pub.Write("page.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(),
                                                          PageBlock("Avant", 255, 255, 255))}));
        ASSERT_EQ(host.Go("page.pag"), 1);
        root = KernGetTopObjet(host);
        ASSERT_NE(root, nullptr);
    }

    PageHost host;
    OBJET* root = nullptr;
};

TEST_F(PageSettings, OkRetitlesThePageCancelLeavesIt)
{
    struct Case {
        int button;
        const char* typed;
        int answer;
        const char* shown;
    };
    for (const Case& c : {Case{IDCANCEL, "Ignoré", 0, "Avant"}, Case{IDOK, "Après", 1, "Après"}}) {
        bool fileButtonEnabled = true;
        const DialogAnswerer answerer([&](HWND dialog) {
            fileButtonEnabled = IsWindowEnabled(GetDlgItem(dialog, PageSaveAsButton));
            SetDlgItemTextA(dialog, PageTitleEdit, c.typed);
            return c.button;
        });
        EXPECT_EQ(root->Modify(), c.answer) << c.typed;
        EXPECT_EQ(host.Shown(), c.shown) << c.typed;
        EXPECT_FALSE(fileButtonEnabled) << "an existing page keeps its file";
    }
}

TEST_F(PageSettings, ProgrammerOptionsWarnOfWhatCannotBeBound)
{
    struct Case {
        const char* dll;
        const char* function;
        const char* warning;
    };
    const Case cases[] = {
        {"", "PageProc", "Le nom du DLL est absent. L'opération sera annulée."},
        {"quelconque.dll", "", "Le nom de la fonction est invalide. L'opération sera annulée."},
        {"absente.dll", "PageProc", "Une erreur est survenue lors du chargement du DLL. L'opération sera annulée."},
    };
    for (const Case& c : cases) {
        // The settings are left open by the script, then cancelled.
        const DialogDriver driver(
            PageProgrammerButton, [](HWND settings) { Click(settings, PageProgrammerButton); },
            [&c](HWND other) {
                if (GetDlgItem(other, ProgFunctionEdit)) {
                    SetText(other, ProgDllEdit, c.dll);
                    SetText(other, ProgFunctionEdit, c.function);
                }
                return IDOK;
            });
        EXPECT_EQ(root->Modify(), 0) << c.warning;
        ASSERT_TRUE(driver.Ran());
        ASSERT_FALSE(driver.Shown().empty());
        EXPECT_EQ(driver.Shown().back().caption, "Erreur de chargement du DLL");
        EXPECT_EQ(driver.Shown().back().text, c.warning);
    }
}

// ---- Thumbnails ----

struct Thumbnail {
    int width = 0, height = 0, bitsPerPixel = 0;
    COLORREF centre = 0;
};

// Reads back an 8-bit BMP file written as a thumbnail.
Thumbnail ReadThumbnail(const std::string& bytes)
{
    Thumbnail read;
    if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return read;
    const auto* file = reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data());
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data() + sizeof(BITMAPFILEHEADER));
    read.width = info->biWidth;
    read.height = std::abs(info->biHeight);
    read.bitsPerPixel = info->biBitCount;
    if (read.bitsPerPixel != 8 || file->bfOffBits >= bytes.size())
        return read;
    const auto* palette = reinterpret_cast<const RGBQUAD*>(bytes.data() + sizeof(BITMAPFILEHEADER) + info->biSize);
    const int stride = (read.width + 3) & ~3;
    const auto index = static_cast<unsigned char>(bytes[file->bfOffBits + (read.height / 2) * stride + read.width / 2]);
    read.centre = RGB(palette[index].rgbRed, palette[index].rgbGreen, palette[index].rgbBlue);
    return read;
}

// The page plug-in's thumbnail export, and a red page "rouge.pag" to draw.
class PageThumbnail : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(generate, nullptr);
        scratch.Write("rouge.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(),
                                                          PageBlock("Rouge", 255, 0, 0))}));
    }

    const GENERATETHUMBNAIL generate = PluginExport<GENERATETHUMBNAIL>("qxsheet40.dll", "GenerateThumbnail");
    ScratchDir scratch;
};

TEST_F(PageThumbnail, PageIsDrawnSmallIntoAnEightBitImage)
{
    ASSERT_EQ(generate((scratch / "rouge.pag").c_str(), (scratch / "rouge.bmp").c_str(), 64, 48), 1);
    const Thumbnail thumbnail = ReadThumbnail(scratch.Read("rouge.bmp"));
    EXPECT_EQ(thumbnail.width, 64);
    EXPECT_EQ(thumbnail.height, 48);
    EXPECT_EQ(thumbnail.bitsPerPixel, 8);
    EXPECT_EQ(thumbnail.centre, RGB(255, 0, 0));
}

TEST_F(PageThumbnail, NothingWrittenIsReportedAsAFailure)
{
    scratch.Write("occupe\\vignette.bmp\\dedans", "a folder holds the image's name");
    const std::string page = scratch / "rouge.pag";
    struct Case {
        const char* what;
        std::string page;
        std::string image;
    };
    const Case cases[] = {
        {"image in a missing folder", page, scratch / "absent\\vignette.bmp"},
        {"image name taken by a folder", page, scratch / "occupe\\vignette.bmp"},
        {"missing page", scratch / "absente.pag", scratch / "vignette.bmp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(generate(c.page.c_str(), c.image.c_str(), 64, 48), 0) << c.what;
    EXPECT_EQ(generate(nullptr, (scratch / "vignette.bmp").c_str(), 64, 48), 0);
    EXPECT_EQ(generate(page.c_str(), nullptr, 64, 48), 0);
    EXPECT_FALSE(DoFileExist((scratch / "vignette.bmp").c_str()));
}

}  // namespace
