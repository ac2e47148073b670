// HTML import: the edge cases as a table of pages in and text out, and real pages of Debian
// packages' documentation that leave no tag, entity name or title in the text.
#include <fstream>
#include <iterator>
#include <regex>

#include "rte_html_import.h"
#include "translator_fixture.h"

class HtmlImportTest : public TranslatorTest {
protected:
    std::string Read(const std::string& page)
    {
        HTMLImportFilter filter;
        RteHandle doc = Import(filter, BytesOf(page));
        std::string text = Text(doc);
        RteDocDestroy(doc);
        return text;
    }
};

TEST_F(HtmlImportTest, PagesInTextOut)
{
    struct Case {
        std::string page;
        std::string text;
    } cases[] = {
        {"<title>X</title>Hello<br>World", "Hello\rWorld"},
        {"a\r\n\r\n   b", "a    b"},
        {"&eacute;&#65;&amp;", "\xE9" "A&"},
        {"&lt;b&gt; &quot;q&quot; &apos;", "<b> \"q\" '"},
        {"<P>x", "\r\rx"},
        {"<p align=center>x</p>", "\r\rx"},
        {"a<br/>b<BR >c<bR clear=all>d", "a\rb\rc\rd"},
        {"&#8364;&#x263A;&#x41;&mdash;&hellip;", "\x80?A\x97\x85"},
        {"&unknown;x", "x"},
        {"a & b, AT&T, &eacute &#;", "a & b, AT&T, &eacute &#;"},
        {"<style>p { color: red }</style><script>if (a<b) x=1;</script>text", "text"},
        {"<!-- a > b -- > c -->text", "text"},
        {"<a href=\"x>y\" title='it>s'>link</a>", "link"},
        {"<" + std::string(100000, 'a') + ">x", "x"},
        {"&" + std::string(100, 'a') + ";", "&" + std::string(100, 'a') + ";"},
        {"<p>\n   first line\n", "\r\r   first line"},
        {"line\x01\x02\x03" "end", "line end"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Printable(BytesOf(Read(c.page))), Printable(BytesOf(c.text))) << c.page.substr(0, 60);
}

TEST_F(HtmlImportTest, TextLongerThanAChunkKeepsEveryCharacter)
{
    std::string word = "word&amp;";
    std::string page;
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        page += word + "\n";
        text += "word& ";
    }
    text.pop_back();
    EXPECT_EQ(Read(page), text);
}

TEST_F(HtmlImportTest, DebianDocumentationPagesLeaveNoTagEntityOrTitle)
{
    const char* pages[] = {
        "/usr/share/doc/base-passwd/users-and-groups.html",
        "/usr/share/doc/libffi8/html/index.html",
        "/usr/share/doc/libffi8/html/The-Closure-API.html",
        "/usr/share/doc/libffi8/html/Structures.html",
    };
    // An address in angle brackets, written with entities in the page, is text.
    std::regex tag("<[/!]?[A-Za-z][A-Za-z0-9]*(\\s[^>]*)?/?>");
    std::regex entity("&([A-Za-z]+|#[0-9]+|#x[0-9A-Fa-f]+);");
    std::regex title("<title\\s*>([^<]*)</title", std::regex::icase);
    for (const char* path : pages) {
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string text = Read(page);
        EXPECT_GT(text.size(), page.size() / 10) << path;
        std::smatch match;
        EXPECT_FALSE(std::regex_search(text, match, tag)) << path << ": " << match.str();
        EXPECT_FALSE(std::regex_search(text, match, entity)) << path << ": " << match.str();
        ASSERT_TRUE(std::regex_search(page, match, title)) << path;
        auto count = [](const std::string& in, const std::string& what) {
            size_t n = 0;
            for (size_t at = in.find(what); !what.empty() && at != std::string::npos; at = in.find(what, at + 1))
                ++n;
            return n;
        };
        EXPECT_LT(count(text, match[1].str()), count(page, match[1].str())) << path;
    }
}
