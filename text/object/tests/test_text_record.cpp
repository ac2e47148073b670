// The "TEXTE {" block: every body form read and written, the inline limit, the hover messages,
// hostile blocks, and the text files a save must never lose or overwrite.
#include "texttest.h"

#include "dialog_answerer.h"
#include "kernel.h"
#include "qxpath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// Varied words of about n letters, which no stream packs.
std::string Words(size_t n)
{
    std::string text;
    unsigned state = 12345;
    while (text.size() < n) {
        state = state * 1103515245 + 12345;
        text += static_cast<char>('a' + (state >> 16) % 26);
        if ((state >> 8) % 7 == 0)
            text += ' ';
    }
    return text;
}

// A plain text file of the publication and a text whose block names it.
struct AuthorsText {
    PageHost host;
    std::string path;
    TEXTE* text = nullptr;
    int loaded = 0;

    explicit AuthorsText(const std::string& content, const std::string& name = "notes.txt",
                         const std::string& flags = "0 0 0 0")
    {
        host.pub.Write(name, content);
        path = host.Page(name);
        text = LoadText(host, TextBlock({path}, DefaultMessageLines(), flags), &loaded);
    }
    ~AuthorsText() { delete text; }
};

// The lines of the text's own block in a saved record.
std::vector<std::string> OwnBlock(const std::string& record)
{
    std::vector<std::string> lines = SplitLines(record);
    auto start = std::find(lines.begin(), lines.end(), "TEXTE {");
    return std::vector<std::string>(start, lines.end());
}

long InlineCount(const std::vector<std::string>& block)
{
    auto form = std::find(block.begin(), block.end(), "TXTINLINE 2[");
    return form == block.end() || form + 1 == block.end() ? -1 : std::stol(*(form + 1));
}

TEST(TextRecord, AnAuthorsFileIsNeverWrittenOverAndTheTextGoesInline)
{
    AuthorsText a("Le premier mot.\r\nLa seconde ligne.\r\n");
    ASSERT_EQ(1, a.loaded);
    EXPECT_STREQ(a.path.c_str(), a.text->fileName);
    const std::string before = FileBytes(a.path);
    int saved = 0;
    const std::vector<std::string> block = OwnBlock(SaveText(a.text, &saved));
    EXPECT_EQ(1, saved);
    EXPECT_GT(InlineCount(block), 0);
    EXPECT_EQ(before, FileBytes(a.path));
    // The text is the object's own cache file now: deleting the object deletes that one only.
    EXPECT_EQ(1, a.text->ownsTempFile);
    EXPECT_STRNE(a.path.c_str(), a.text->fileName);
    const std::string own = static_cast<const char*>(a.text->fileName);
    EXPECT_TRUE(DoFileExist(own.c_str()));
    delete a.text;
    a.text = nullptr;
    EXPECT_FALSE(DoFileExist(own.c_str()));
    EXPECT_EQ(before, FileBytes(a.path));
}

TEST(TextRecord, InlineTextsAreReadAndWrittenBackByteForByte)
{
    AuthorsText a("Un texte court.\r\n");
    const std::vector<std::string> first = OwnBlock(SaveText(a.text));
    ASSERT_GT(InlineCount(first), 0);
    for (const std::string& line : first)
        EXPECT_LE(line.size(), 80u);
    int loaded = 0;
    TEXTE* again = LoadText(a.host, first, &loaded);
    ASSERT_EQ(1, loaded);
    EXPECT_EQ(1, again->ownsTempFile);
    const std::string second = SaveText(again);
    EXPECT_EQ(first, OwnBlock(second));
    // The hexadecimal lines are read in either case.
    std::vector<std::string> lower = first;
    auto form = std::find(lower.begin(), lower.end(), "TXTINLINE 2[");
    for (auto line = form + 2; *line != "]"; ++line)
        std::transform(line->begin(), line->end(), line->begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
    TEXTE* fromLower = LoadText(a.host, lower, &loaded);
    ASSERT_EQ(1, loaded);
    EXPECT_EQ(FileBytes(static_cast<const char*>(again->fileName)), FileBytes(static_cast<const char*>(fromLower->fileName)));
    delete fromLower;
    delete again;
}

TEST(TextRecord, TheOldInlineFormIsRead)
{
    PageHost host;
    int loaded = 0;
    TEXTE* text = LoadText(host, TextBlock({"TXTINLINE [", "48656C6C6F", "]"}), &loaded);
    ASSERT_EQ(1, loaded);
    EXPECT_EQ(1, text->ownsTempFile);
    EXPECT_EQ("Hello", FileBytes(static_cast<const char*>(text->fileName)));
    delete text;
}

TEST(TextRecord, AnExternalTextWritesItsPathWhateverItsSize)
{
    AuthorsText a("Un texte externe.\r\n", "externe.txt", "0 1 0 0");
    ASSERT_EQ(1, a.loaded);
    EXPECT_EQ(1, a.text->external);
    const std::string before = FileBytes(a.path);
    const std::vector<std::string> block = OwnBlock(SaveText(a.text));
    EXPECT_EQ(-1, InlineCount(block));
    ASSERT_GT(block.size(), 3u);
    EXPECT_NE(std::string::npos, block[2].find("externe.txt"));
    EXPECT_EQ(before, FileBytes(a.path));
    int loaded = 0;
    TEXTE* again = LoadText(a.host, block, &loaded);
    EXPECT_EQ(block, OwnBlock(SaveText(again)));
    delete again;
}

TEST(TextRecord, TemplatesCarryTheNamesAndTheTextInline)
{
    AuthorsText a("Dans un modèle.\r\n");
    a.host.kernel->templateSave = 1;
    const std::vector<std::string> block = OwnBlock(SaveText(a.text));
    ASSERT_GT(block.size(), 6u);
    EXPECT_EQ(a.path, block[2]);
    EXPECT_EQ("TXTINLINE 2[", block[4]);
    const long count = std::stol(block[5]);
    EXPECT_GT(count, 0);
    int loaded = 0;
    TEXTE* pasted = LoadText(a.host, block, &loaded);
    ASSERT_EQ(1, loaded);
    EXPECT_STREQ(a.path.c_str(), pasted->fileName);
    ASSERT_GT(pasted->pendingFile.length(), 0);
    EXPECT_EQ(count, static_cast<long>(FileBytes(static_cast<const char*>(pasted->pendingFile)).size()));
    DeleteFileA(pasted->pendingFile);
    delete pasted;
    a.host.kernel->templateSave = 0;
}

// The text of n letters whose TQX file has exactly `bytes` bytes.
std::string TextOfFileSize(PageHost& host, long bytes)
{
    std::string content = Words(static_cast<size_t>(bytes) - 400);
    for (int tries = 0; tries < 6; ++tries) {
        host.pub.Write("sized.txt", content);
        int loaded = 0;
        TEXTE* text = LoadText(host, TextBlock({host.Page("sized.txt")}), &loaded);
        std::vector<std::string> block = OwnBlock(SaveText(text));
        long size = InlineCount(block);
        if (size < 0)  // written to a file: the name's file tells the size
            size = static_cast<long>(FileBytes(static_cast<const char*>(text->fileName)).size());
        delete text;
        if (size == bytes)
            return content;
        content.resize(content.size() + (bytes - size), 'k');
    }
    return "";
}

TEST(TextRecord, TextsUpTo32760BytesGoInlineLongerOnesToAFileBesideThePublication)
{
    PageHost host;
    const std::string fits = TextOfFileSize(host, 32760);
    ASSERT_FALSE(fits.empty());
    host.pub.Write("fits.txt", fits);
    int loaded = 0;
    TEXTE* inlineText = LoadText(host, TextBlock({host.Page("fits.txt")}), &loaded);
    EXPECT_EQ(32760, InlineCount(OwnBlock(SaveText(inlineText))));
    delete inlineText;

    host.pub.Write("long.txt", fits + "a");
    TEXTE* longText = LoadText(host, TextBlock({host.Page("long.txt")}), &loaded);
    int saved = 0;
    const std::vector<std::string> block = OwnBlock(SaveText(longText, &saved));
    EXPECT_EQ(1, saved);
    EXPECT_EQ(-1, InlineCount(block));
    const std::string file = static_cast<const char*>(longText->fileName);
    EXPECT_EQ(0, longText->ownsTempFile);
    EXPECT_EQ(0, file.rfind(host.pub.Path(), 0)) << file;
    EXPECT_EQ(32761u, FileBytes(file).size());
    EXPECT_NE(std::string::npos, block[2].find(file.substr(host.pub.Path().size())));
    delete longText;
    EXPECT_TRUE(DoFileExist(file.c_str()));
}

TEST(TextRecord, ALongTextThatCannotMoveBesideThePublicationFailsTheSaveAndStaysOwned)
{
    PageHost host;
    host.pub.Write("long.txt", Words(40000));
    int loaded = 0;
    TEXTE* text = LoadText(host, TextBlock({host.Page("long.txt")}), &loaded);
    const std::string publication = static_cast<const char*>(host.kernel->scnPath);
    // A file stands where the publication folder should be: nothing can be made in it.
    host.pub.Write("blocker", "x");
    host.kernel->scnPath = (host.pub / "blocker\\").c_str();
    DialogAnswerer answer;
    int saved = 1;
    SaveText(text, &saved);
    EXPECT_EQ(0, saved);
    ASSERT_EQ(1u, answer.Shown().size());
    EXPECT_EQ("Erreur de fichier", answer.Shown()[0].caption);
    EXPECT_EQ(1, text->ownsTempFile);
    const std::string own = static_cast<const char*>(text->fileName);
    EXPECT_TRUE(DoFileExist(own.c_str()));
    EXPECT_EQ(std::string::npos, own.find("blocker"));
    host.kernel->scnPath = publication.c_str();
    delete text;
}

TEST(TextRecord, MessagesKeepTheirLineBreaksAndFollowTheirBranches)
{
    PageHost host;
    DialogAnswerer answer;
    host.pub.Write("a.pag", "");
    host.pub.Write("b.pag", "");
    const RecordLines branches =
        BranchBlock({TextBranch(host.Page("a.pag"), 3, true), TextBranch(host.Page("b.pag"), 7, false)});
    const std::string message = "Premi\xE8re ligne\r\nseconde ligne";
    const RecordLines entries = {std::to_string(message.size()), message, "2", "NULL",
                                 "-14 0 0 0 700 1 0 0 0 3 2 1 18", "Arial", "255 0 0", "0 0 255"};
    int loaded = 0;
    TEXTE* text = LoadText(host, TextBlock({"NULL"}, entries), &loaded, CommonBlockWith(branches));
    EXPECT_TRUE(answer.Shown().empty());
    ASSERT_EQ(1, loaded);
    ASSERT_EQ(2, text->GetBranchItems());
    ASSERT_EQ(2, text->messages.Items());
    const BRMSG* first = text->Message(0);
    EXPECT_EQ(message, static_cast<const char*>(first->text));
    EXPECT_EQ(3, first->branchId);
    EXPECT_EQ(2, first->delay);
    EXPECT_EQ(-14, first->font.lfHeight);
    EXPECT_EQ(700, first->font.lfWeight);
    EXPECT_STREQ("Arial", first->font.lfFaceName);
    EXPECT_EQ(255, first->textColour[0]);
    EXPECT_EQ(255, first->background[2]);
    // The short list: the second branch gets a default message.
    EXPECT_EQ(7, text->Message(1)->branchId);
    EXPECT_EQ(0, text->Message(1)->text.length());
    const std::vector<std::string> saved = OwnBlock(SaveText(text));
    auto list = std::find(saved.begin(), saved.end(), "TXBRMSG [");
    ASSERT_NE(saved.end(), list);
    EXPECT_EQ(std::to_string(message.size()), *(list + 1));
    EXPECT_EQ("Premi\xE8re ligne", *(list + 2));
    EXPECT_EQ("seconde ligne", *(list + 3));
    EXPECT_EQ("0", *(list + 10));
    EXPECT_EQ("NULL", *(list + 11));
    TEXTE* again = LoadText(host, saved, &loaded, CommonBlockWith(branches));
    ASSERT_EQ(1, loaded);
    EXPECT_EQ(message, static_cast<const char*>(again->Message(0)->text));
    EXPECT_EQ(saved, OwnBlock(SaveText(again)));
    delete again;
    delete text;
}

TEST(TextRecord, ABlockMayEndEarly)
{
    PageHost host;
    int loaded = 0;
    TEXTE* text = LoadText(host, {"TEXTE {", "1 2 30 40", "NULL", "}"}, &loaded);
    EXPECT_EQ(1, loaded);
    // The defaults of an empty store: a transparent white background.
    EXPECT_EQ(1, text->transparent);
    EXPECT_EQ(0xFFFFFFu, text->background);
    EXPECT_EQ(30, text->w);
    delete text;
}

struct HostileCase {
    const char* name;
    RecordLines messages;
    int loaded;
};

TEST(TextRecord, HostileMessageLengthsAndFacesAreRefusedOrCut)
{
    PageHost host;
    const HostileCase cases[] = {
        {"negative", {"-5", "NULL", "0"}, 0},
        {"past the end", {"99999999", "abc"}, 0},
        {"not a number", {"abc", "NULL"}, 0},
        {"long face", {"0", "NULL", "0", "NULL", "16 0 0 0 400 0 0 0 1 0 0 0 0", std::string(500, 'F'), "0 0 0",
                       "255 255 255"}, 1},
    };
    for (const HostileCase& c : cases) {
        int loaded = -1;
        TEXTE* text = LoadText(host, TextBlock({"NULL"}, c.messages), &loaded);
        EXPECT_EQ(c.loaded, loaded) << c.name;
        if (loaded == 1) {
            EXPECT_EQ(31u, std::strlen(text->Message(0)->font.lfFaceName)) << c.name;
        }
        delete text;
    }
}

TEST(TextRecord, ABadGeometryOrFlagsLineIsReported)
{
    PageHost host;
    for (const RecordLines& block : {RecordLines{"TEXTE {", "x", "NULL", "}"},
                                     RecordLines{"TEXTE {", "1 2 3 4", "", "}"},
                                     RecordLines{"TEXTE {", "1 2 3 4", "NULL", "a b", "}"}}) {
        DialogAnswerer answer;
        int loaded = -1;
        TEXTE* text = LoadText(host, block, &loaded);
        EXPECT_EQ(0, loaded) << block[1] << "|" << block[2];
        ASSERT_EQ(1u, answer.Shown().size());
        EXPECT_EQ("TEXT object wrong paramater.", answer.Shown()[0].text);
        delete text;
    }
}

}  // namespace
