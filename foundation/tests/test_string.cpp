#include "qxstring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Restores the class-wide switch whatever a test does with it.
class CaseSwitch {
public:
    explicit CaseSwitch(int value) : saved_(QXSTRING::caseSensitive) { QXSTRING::caseSensitive = value; }
    ~CaseSwitch() { QXSTRING::caseSensitive = saved_; }

private:
    int saved_;
};

bool IsInline(const QXSTRING& s)
{
    const char* text = s;
    const char* object = reinterpret_cast<const char*>(&s);
    return text >= object && text < object + sizeof s;
}

TEST(StringStorage, InlineUpTo498CharactersHeapFrom499)
{
    struct Case { size_t length; bool inlineText; };
    for (Case c : {Case{0, true}, Case{1, true}, Case{498, true}, Case{499, false}, Case{500, false},
                   Case{5000, false}}) {
        const std::string text(c.length, 'x');
        QXSTRING s(text.c_str());
        EXPECT_EQ(IsInline(s), c.inlineText) << c.length;
        EXPECT_EQ(s.length(), static_cast<int>(c.length));
        EXPECT_EQ(std::string(s), text);
        QXSTRING copy(s);
        EXPECT_EQ(IsInline(copy), c.inlineText) << "copy of " << c.length;
        EXPECT_EQ(std::string(copy), text);
    }
}

TEST(StringStorage, ClearReturnsAHeapStringToTheInlineBuffer)
{
    QXSTRING s(std::string(600, 'a').c_str());
    ASSERT_FALSE(IsInline(s));
    s.Clear();
    EXPECT_TRUE(IsInline(s));
    EXPECT_EQ(s.length(), 0);
}

TEST(StringStorage, AssignmentAcrossTheBoundaryAndFromItself)
{
    QXSTRING s(std::string(700, 'h').c_str());
    s = s.subString(1, 3);  // from a temporary made of its own text
    EXPECT_STREQ(s, "hhh");
    EXPECT_TRUE(IsInline(s));
    s = "abc";
    s = s;
    EXPECT_STREQ(s, "abc");
    QXSTRING big(std::string(499, 'b').c_str());
    s = big;
    EXPECT_FALSE(IsInline(s));
    s = static_cast<const char*>(nullptr);
    EXPECT_STREQ(s, "");
    EXPECT_STREQ(QXSTRING(nullptr), "");
}

TEST(StringStorage, IndexOutsideTheTextGivesTheSharedEmptyText)
{
    QXSTRING s("abc");
    EXPECT_EQ(*s[0], 'a');
    EXPECT_EQ(*s[2], 'c');
    EXPECT_STREQ(s[3], "") << "index equal to the length";
    EXPECT_STREQ(s[-1], "");
    EXPECT_EQ(s[3], s[100]) << "one shared empty text, never a pointer past the text";
}

TEST(StringCase, UpperLowerAndTrimsChangeInPlaceAndReturnTheResult)
{
    QXSTRING s("  Été Page.PAG  ");
    EXPECT_STREQ(s.toUpper(), "  ÉTé PAGE.PAG  ") << "only ASCII letters fold";
    EXPECT_STREQ(s.toLower(), "  Été page.pag  ");
    EXPECT_STREQ(s.rtrim(), "  Été page.pag");
    EXPECT_STREQ(s.ltrim(), "Été page.pag");
    QXSTRING t("\t x \t ");
    EXPECT_STREQ(t.lrtrim(), "\t x \t") << "blank means the space character only";
}

TEST(StringCompare, CaseSwitch)
{
    struct Case { int switchValue; bool equal; };
    for (Case c : {Case{0, true}, Case{1, false}, Case{2, false}}) {
        CaseSwitch sw(c.switchValue);
        QXSTRING a("Page.PAG"), b("page.pag");
        EXPECT_EQ(a == b, c.equal) << c.switchValue;
        EXPECT_EQ(a != "page.pag", !c.equal) << c.switchValue;
        EXPECT_EQ("page.pag" == a, c.equal) << c.switchValue;
        EXPECT_EQ(a <= b, true);
        EXPECT_EQ(a >= b, c.equal);
    }
}

TEST(StringCompare, OrdersByteValues)
{
    CaseSwitch sw(0);
    EXPECT_TRUE(QXSTRING("abc") < "abd");
    EXPECT_TRUE(QXSTRING("ABC") < "abd");
    EXPECT_TRUE(QXSTRING("ab") < "abc");
    EXPECT_TRUE(QXSTRING("b") > "ABC");
    EXPECT_TRUE(QXSTRING("é") > "z") << "bytes compare unsigned";
    EXPECT_FALSE(QXSTRING("abc") < "ABC");
}

struct SearchCase {
    const char* text;
    const char* pattern;
    int from, to;
    int result, pos;
};

TEST(StringSearch, ForwardTable)
{
    CaseSwitch sw(0);
    const SearchCase cases[] = {
        {"abcb", "b", 2, 2, 0, 3},      // found after the window: pos reported, result 0
        {"abcb", "b", -1, -1, 1, 1},
        {"abcb", "B", 2, -1, 1, 3},     // ignores case
        {"abcb", "cb", 0, 2, 0, 2},     // ends past `to`
        {"abcb", "cb", 0, 3, 1, 2},
        {"abcb", "x", -1, -1, 0, 0},
        {"abcb", "", 1, -1, 1, 1},      // an empty pattern is found at `from`
        {"abcb", "a", 4, -1, 0, 0},     // from not inside the text
        {"abcb", "a", -2, -1, 0, 0},    // negative from other than -1
        {"", "a", -1, -1, 0, 0},
    };
    for (const auto& c : cases) {
        int pos = -99;
        EXPECT_EQ(QXSTRING(c.text).SearchFor(c.pattern, pos, c.from, c.to), c.result)
            << c.text << " / " << c.pattern << " " << c.from << ".." << c.to;
        EXPECT_EQ(pos, c.pos) << c.text << " / " << c.pattern << " " << c.from << ".." << c.to;
    }
}

TEST(StringSearch, BackwardTable)
{
    CaseSwitch sw(0);
    const SearchCase cases[] = {
        {"abcb", "b", -1, -1, 1, 3},
        {"abcb", "b", -1, 2, 1, 1},     // the text is cut after `to`
        {"abcb", "B", 2, -1, 1, 3},
        {"abcb", "b", 2, 2, 0, 0},      // the only b before `to` starts before `from`
        {"abab", "ab", -1, -1, 1, 2},
        {"abab", "ab", -1, 2, 1, 0},
        {"abcb", "", -1, -1, 0, 0},     // an empty pattern is never found backwards
        {"abcb", "x", -1, -1, 0, 0},
        {"abcb", "a", 7, -1, 0, 0},
    };
    for (const auto& c : cases) {
        int pos = -99;
        EXPECT_EQ(QXSTRING(c.text).SearchRevFor(c.pattern, pos, c.from, c.to), c.result)
            << c.text << " / " << c.pattern << " " << c.from << ".." << c.to;
        EXPECT_EQ(pos, c.pos) << c.text << " / " << c.pattern << " " << c.from << ".." << c.to;
    }
}

TEST(StringSearch, SwitchValueTwoComparesExactlyButSearchesStillIgnoreCase)
{
    CaseSwitch sw(2);
    int pos = 0;
    EXPECT_EQ(QXSTRING("abcB").SearchFor("b", pos, 2, -1), 1);
    EXPECT_EQ(pos, 3);
    EXPECT_FALSE(QXSTRING("B") == "b");
    CaseSwitch exact(1);
    EXPECT_EQ(QXSTRING("abcB").SearchFor("b", pos, 2, -1), 0);
    EXPECT_EQ(QXSTRING("abcB").SearchRevFor("b", pos, -1, -1), 1);
    EXPECT_EQ(pos, 1);
}

TEST(StringSearch, FindsAcrossTheInlineBoundary)
{
    std::string text(498, 'a');
    text += "Zyx";
    QXSTRING s(text.c_str());
    int pos = 0;
    EXPECT_EQ(s.SearchFor("zy", pos, -1, -1), 1);
    EXPECT_EQ(pos, 498);
    EXPECT_EQ(s.SearchRevFor("a", pos, -1, -1), 1);
    EXPECT_EQ(pos, 497);
}

TEST(StringEdit, Truncate)
{
    struct Case { const char* text; int max, keepHead, result; const char* expected; };
    const Case cases[] = {
        {"abcdefgh", 6, 1, 1, "abc..."},
        {"abcdefgh", 6, 0, 1, "...fgh"},
        {"abcdefgh", 8, 1, 0, "abcdefgh"},
        {"abcdefgh", 2, 0, 1, "..."},
    };
    for (const auto& c : cases) {
        QXSTRING s(c.text);
        EXPECT_EQ(s.Truncate(c.max, c.keepHead), c.result) << c.text << " " << c.max;
        EXPECT_STREQ(s, c.expected) << c.text << " " << c.max;
    }
}

TEST(StringEdit, TruncateALongHeapText)
{
    QXSTRING s(std::string(600, 'x').c_str());
    EXPECT_EQ(s.Truncate(499, 1), 1);
    EXPECT_EQ(s.length(), 499);
    EXPECT_STREQ(s[496], "...");
}

TEST(StringEdit, SubString)
{
    QXSTRING s("abcdef");
    EXPECT_STREQ(s.subString(1, 3), "bcd");
    EXPECT_STREQ(s.subString(4, 100), "ef") << "a last past the end gives the rest";
    EXPECT_STREQ(s.subString(3, 2), "");
    EXPECT_STREQ(s.subString(6, 7), "");
    EXPECT_STREQ(s.subString(-1, 2), "");
    EXPECT_STREQ(s, "abcdef");
}

TEST(StringEdit, InsertAndAppendAtEveryBoundary)
{
    for (size_t length : {497u, 498u, 499u}) {
        QXSTRING s(std::string(length, 'a').c_str());
        EXPECT_EQ(s.InsertCharAt(static_cast<int>(length), 'z'), 1);
        EXPECT_EQ(s.InsertStringAt(0, "<<"), 1);
        EXPECT_EQ(s.length(), static_cast<int>(length) + 3);
        EXPECT_EQ(std::string(s), "<<" + std::string(length, 'a') + "z");
    }
    QXSTRING s("abc");
    EXPECT_EQ(s.InsertStringAt(1, ""), 0) << "an empty insertion is refused";
    EXPECT_EQ(s.InsertStringAt(1, static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(s.InsertStringAt(4, "x"), 0);
    EXPECT_EQ(s.InsertCharAt(-1, 'x'), 0);
    EXPECT_STREQ(s, "abc");
    QXSTRING mid("-");
    EXPECT_EQ(s.InsertStringAt(1, &mid), 1);
    EXPECT_STREQ(s, "a-bc");
}

TEST(StringEdit, ReplaceString)
{
    struct Case { const char* text; int pos; const char* with; int truncate, result; const char* expected; };
    const Case cases[] = {
        {"abcdef", 1, "XY", 0, 1, "aXYdef"},  // overwrites in place
        {"abcdef", 1, "XY", 1, 1, "aXY"},     // nothing of the old text survives
        {"abcdef", 5, "XY", 0, 1, "abcdeXY"}, // runs past the end
        {"abcdef", 6, "XY", 0, 1, "abcdefXY"},
        {"abcdef", 7, "XY", 0, 0, "abcdef"},
        {"abcdef", -1, "XY", 0, 0, "abcdef"},
    };
    for (const auto& c : cases) {
        QXSTRING s(c.text);
        EXPECT_EQ(s.ReplaceStringAt(c.pos, c.with, c.truncate), c.result) << c.pos << c.with;
        EXPECT_STREQ(s, c.expected) << c.pos << c.with;
    }
}

TEST(StringEdit, RemoveAndClearEol)
{
    QXSTRING s("abcdef"), removed("old");
    EXPECT_EQ(s.RemoveStringAt(1, 2, &removed), 1);
    EXPECT_STREQ(s, "adef");
    EXPECT_STREQ(removed, "bc");
    EXPECT_EQ(s.RemoveStringAt(2, 100, &removed), 1);
    EXPECT_STREQ(s, "ad");
    EXPECT_STREQ(removed, "ef");
    EXPECT_EQ(s.RemoveStringAt(3, 1, &removed), 0);
    EXPECT_STREQ(removed, "") << "a position beyond the end clears `removed`";
    EXPECT_EQ(s.RemoveStringAt(-1, 1, &removed), 0);

    QXSTRING line("key=value"), rest;
    EXPECT_EQ(line.ClearEol(3, &rest), 1);
    EXPECT_STREQ(line, "key");
    EXPECT_STREQ(rest, "=value");
    EXPECT_EQ(line.ClearEol(4, &rest), 0);
    EXPECT_EQ(line.ClearEol(3, nullptr), 1);
    EXPECT_STREQ(line, "key");
}

TEST(StringEdit, CharacterEdits)
{
    QXSTRING s("abc");
    char old = 'x';
    EXPECT_EQ(s.ReplaceCharAt(1, 'B', &old), 1);
    EXPECT_EQ(old, 'b');
    EXPECT_EQ(s.ReplaceCharAt(3, 'd', &old), 1);
    EXPECT_EQ(old, 0) << "appending reports no old character";
    EXPECT_STREQ(s, "aBcd");
    EXPECT_EQ(s.ReplaceCharAt(5, 'e', &old), 0);
    EXPECT_EQ(s.RemoveCharAt(0, &old), 1);
    EXPECT_EQ(old, 'a');
    EXPECT_EQ(s.RemoveCharAt(3, &old), 0);
    EXPECT_STREQ(s, "Bcd");
}

TEST(StringEdit, Concatenation)
{
    QXSTRING a("abc"), b("def");
    EXPECT_STREQ(a + b, "abcdef");
    EXPECT_STREQ(a + "!", "abc!");
    EXPECT_STREQ("<" + a, "<abc");
    a += b;
    a += '!';
    a += '\0';
    EXPECT_STREQ(a, "abcdef!") << "the zero character appends nothing";
    QXSTRING big(std::string(300, 'x').c_str());
    QXSTRING joined = big + big;
    EXPECT_EQ(joined.length(), 600);
}

TEST(StringWords, NextAndPrevious)
{
    const QXSTRING s("open(file.pag, 12) + x");
    struct Case { int pos, next, prev; };
    // Words start at 0 "open", 5 "file.pag", 15 "12", 21 "x".
    const Case cases[] = {
        {-1, 5, 21}, {0, 5, -1}, {2, 5, 0}, {5, 15, 0}, {9, 15, 5},
        {15, 21, 5}, {21, -1, 15}, {22, -1, 21}, {40, -1, 21}, {-2, -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(s.FindNextWord(c.pos), c.next) << "next from " << c.pos;
        EXPECT_EQ(s.FindPrevWord(c.pos), c.prev) << "previous from " << c.pos;
    }
    EXPECT_EQ(QXSTRING("  ,;").FindPrevWord(-1), -1);
}

TEST(StringFormat, ResultsOfAnyLength)
{
    QXSTRING s;
    EXPECT_EQ(s.Format("%s-%d", "page", 12), 1);
    EXPECT_STREQ(s, "page-12");
    const std::string name(1500, 'n');
    EXPECT_EQ(s.Format("C:\\pub\\%s.pag", name.c_str()), 1);
    EXPECT_EQ(std::string(s), "C:\\pub\\" + name + ".pag") << "no shared 1000-byte limit";
    EXPECT_EQ(s.Format("%-10.2lf|", 2.5), 1);
    EXPECT_STREQ(s, "2.50      |");
}

TEST(StringResources, LoadResourceAndWindowText)
{
    QXSTRING s("kept");
    EXPECT_EQ(s.LoadResource(GetModuleHandleA(nullptr), 31999), 0);
    EXPECT_STREQ(s, "kept") << "a missing entry leaves the text";

    HWND edit = CreateWindowExA(0, "EDIT", "Titre de la fenêtre", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(s.GetWindowTextA(edit), 19);
    EXPECT_STREQ(s, "Titre de la fenêtre");
    DestroyWindow(edit);
}

TEST(StringList, AddCountClear)
{
    QXCStringList list;
    EXPECT_EQ(list.AddString(nullptr), 0);
    EXPECT_EQ(list.AddString("un"), 1);
    EXPECT_EQ(list.AddString(std::string(600, 'd').c_str()), 1);
    EXPECT_EQ(list.Items(), 2);
    EXPECT_STREQ(*list.GetString(0), "un");
    EXPECT_EQ(list.GetString(1)->length(), 600);
    EXPECT_EQ(list.GetString(2), nullptr);
    list.Clear();
    EXPECT_EQ(list.Items(), 0);
}

TEST(PlainTrims, InPlace)
{
    char a[] = "  x y  ";
    EXPECT_STREQ(QXrtrim(a), "  x y");
    EXPECT_STREQ(QXltrim(a), "x y");
    char b[] = "   ";
    EXPECT_STREQ(QXlrtrim(b), "");
    char c[] = " \tz ";
    EXPECT_STREQ(QXlrtrim(c), "\tz");
}

TEST(Bstr, RoundTripThroughTheAnsiCodePage)
{
    BSTR b = NewBSTR("Décor à l'été");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 13u);
    EXPECT_EQ(b[1], L'\u00e9');
    QXSTRING back;
    EXPECT_GT(BSTRtoString(b, back), 0);
    EXPECT_STREQ(back, "Décor à l'été");
    FreeBSTR(b);
    BSTR fromString = NewBSTR(QXSTRING("abc"));
    EXPECT_EQ(SysStringLen(fromString), 3u);
    FreeBSTR(fromString);
}

TEST(Bstr, LongTextIsCutAndAlwaysTerminated)
{
    const std::string text(800, 'q');
    BSTR b = NewBSTR(text.c_str());
    char out[QX_NAME_BUFFER + 8];
    std::memset(out, '#', sizeof out);
    BSTRtoString(b, out);
    EXPECT_EQ(std::string(out), std::string(QX_NAME_BUFFER - 1, 'q'));
    EXPECT_EQ(out[QX_NAME_BUFFER], '#') << "nothing written past the 500-byte buffer";
    FreeBSTR(b);
}

}  // namespace
