// The file choosers and the export dialog, answered as an author would: a file name typed,
// a format picked, or the dialog cancelled.
#include "text_files_fixture.h"

#include <cstring>
#include <memory>

#include "dialog_answerer.h"
#include "dialog_items.h"
#include "kernel.h"
#include "rte_selection.h"
#include "text_files.h"
#include "text_files_res.h"
#include "texte.h"

namespace {

// The answer of a file dialog: the name typed into its name box, then OK (or Cancel for an
// empty name).
std::function<int(HWND)> TypeName(const std::string& name)
{
    return [name](HWND dialog) {
        if (name.empty())
            return IDCANCEL;
        SetWindowTextA(FileNameBox(dialog), name.c_str());
        return IDOK;
    };
}

struct FileRequest {
    FileRequest(const std::string& initial = std::string())
    {
        std::strcpy(name, initial.c_str());
        record.lStructSize = sizeof record;
        record.lpstrFile = name;
        record.nMaxFile = sizeof name;
    }
    char name[MAX_PATH];
    OPENFILENAMEA record{};
};

}  // namespace

class TextChooser : public TextFilesTest {
protected:
    void SetUp() override
    {
        TextFilesTest::SetUp();
        kernel_ = std::make_unique<KERNEL>();
        // The files lie on the publication's drive: the dialog takes them as they are.
        kernel_->scnPath = dir_.Path().c_str();
        owner_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(owner_);
        kernel_.reset();
        TextFilesTest::TearDown();
    }

    std::unique_ptr<KERNEL> kernel_;
    HWND owner_ = nullptr;
};

TEST_F(TextChooser, ProbesTheChosenFile)
{
    struct Case {
        const char* name;
        std::string bytes;
        int format;
    };
    const Case cases[] = {
        {"lettre.rtf", "{\\rtf1\\ansi texte}", TEXTFORMAT_RTF},
        {"notes.txt", "Du texte simple", TEXTFORMAT_QXTEXT},
        {"word.doc", std::string("\x01\x08\x00\x76\x11\x00 document", 16), TEXTFORMAT_QXTEXT},
    };
    for (const Case& c : cases) {
        dir_.Write(c.name, c.bytes);
        FileRequest request;
        DialogAnswerer answerer(TypeName(dir_ / c.name));
        QXSTRING local;
        int format = TEXTFORMAT_NONE;
        EXPECT_EQ(0, ChooseTextFile(kernel_.get(), owner_, &request.record, IDS_TEXTFILE_IMPORT_FILTER, &local, &format))
            << c.name;
        EXPECT_EQ(c.format, format) << c.name;
        EXPECT_EQ(dir_ / c.name, std::string(local));
        EXPECT_EQ(nullptr, request.record.lpstrFilter);
    }
}

TEST_F(TextChooser, ARecordStreamIsTheEnginesFormat)
{
    RteHandle doc = MakeDocument("abc");
    TEXTFILETRAILER trailer;
    ASSERT_EQ(1, WriteTextDocument(doc, trailer, (dir_ / "t.tqx").c_str()));
    EXPECT_EQ(TEXTFORMAT_NATIVE, ProbeTextFormat((dir_ / "t.tqx").c_str()));
    EXPECT_EQ(TEXTFORMAT_NATIVE, ProbeTextFormat((dir_ / "absent.tqx").c_str()));
    RteDocDestroy(doc);
}

TEST_F(TextChooser, CancellingEnablesTheEditorAgain)
{
    EnableWindow(owner_, FALSE);
    FileRequest request;
    DialogAnswerer answerer(TypeName(""));
    QXSTRING local("inchangé");
    int format = TEXTFORMAT_HTML;
    EXPECT_EQ(1, ChooseTextFile(kernel_.get(), owner_, &request.record, IDS_TEXTFILE_DISPLAY_FILTER, &local, &format));
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(TEXTFORMAT_HTML, format);
    EXPECT_EQ(std::string("inchangé"), std::string(local));
}

TEST_F(TextChooser, AFileThatIsNotThereIsReported)
{
    EnableWindow(owner_, FALSE);
    FileRequest request;
    DialogAnswerer answerer(TypeName(dir_ / "absent.rtf"));
    QXSTRING local;
    int format = TEXTFORMAT_NONE;
    EXPECT_EQ(1, ChooseTextFile(kernel_.get(), owner_, &request.record, IDS_TEXTFILE_IMPORT_FILTER, &local, &format));
    EXPECT_TRUE(IsWindowEnabled(owner_));
    ASSERT_FALSE(answerer.Shown().empty());
    EXPECT_EQ("Erreur de fichier", answerer.Shown().back().caption);
    EXPECT_EQ("Impossible d'ouvrir le fichier.", answerer.Shown().back().text);
}

using TextExportDialog = TextChooser;

TEST_F(TextExportDialog, WritesTheChosenTargetInThePickedFormat)
{
    RteHandle doc = MakeDocument("Bonjour");
    RteSetSelection(doc, 2, 4, 0, 0);
    FileRequest request(dir_ / "lettre.tqx");
    DialogAnswerer answerer(TypeName(dir_ / "sortie.htm"));
    EXPECT_EQ(1, ExportWithDialog(owner_, &request.record, doc, nullptr, TEXTFILETRAILER{}));
    EXPECT_EQ(dir_ / "sortie.htm", std::string(request.name));
    EXPECT_EQ(0u, dir_.Read("sortie.htm").find("<html>")) << dir_.Read("sortie.htm");
    int32_t start = 0;
    int32_t end = 0;
    RteGetSelection(doc, &start, &end);
    EXPECT_EQ(2, start);
    EXPECT_EQ(4, end);
    RteDocDestroy(doc);
}

TEST_F(TextExportDialog, OffersTheRecordsNameAsHtml)
{
    RteHandle doc = MakeDocument("Bonjour");
    FileRequest request(dir_ / "lettre.tqx");
    std::string offered;
    DialogAnswerer answerer([&](HWND dialog) {
        offered = WindowText(FileNameBox(dialog));
        return IDCANCEL;
    });
    EXPECT_EQ(0, ExportWithDialog(owner_, &request.record, doc, nullptr, TEXTFILETRAILER{}));
    EXPECT_EQ("lettre.htm", offered);
    EXPECT_EQ(1u, request.record.nFilterIndex);
    RteDocDestroy(doc);
}

TEST_F(TextExportDialog, ATargetThatCannotBeWrittenIsReported)
{
    RteHandle doc = MakeDocument("Bonjour");
    dir_.Write("fichier", "");
    FileRequest request;
    DialogAnswerer answerer(TypeName(dir_ / "fichier\\sortie.txt"));
    EXPECT_EQ(0, ExportWithDialog(owner_, &request.record, doc, nullptr, TEXTFILETRAILER{}));
    ASSERT_FALSE(answerer.Shown().empty());
    EXPECT_EQ("Erreur de fichier", answerer.Shown().back().caption);
    EXPECT_EQ("Impossible de créer le fichier.\nVérifier si le fichier est en lecture seule ou si le disque est plein.",
              answerer.Shown().back().text);
    RteDocDestroy(doc);
}
