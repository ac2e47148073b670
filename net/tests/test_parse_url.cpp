// Download addresses split into kind, host and path.
#include "parse_url.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct UrlCase {
    std::string address;
    int kind;
    const char* host;
    const char* path;
};

class ParseUrlTable : public testing::TestWithParam<UrlCase> {};

TEST_P(ParseUrlTable, KindHostAndPath)
{
    const UrlCase& c = GetParam();
    char host[URL_REST_CHARS + 1] = "stale";
    char path[URL_REST_CHARS + 1] = "stale";
    EXPECT_EQ(c.kind, ParseUrl(c.address.c_str(), host, path)) << c.address;
    EXPECT_STREQ(c.host, host);
    EXPECT_STREQ(c.path, path);
}

const std::string Longest = "http://h/" + std::string(URL_REST_CHARS - 2, 'p');

INSTANTIATE_TEST_SUITE_P(
    Table, ParseUrlTable,
    testing::Values(UrlCase{"ftp://h/d/f.bin", URL_FTP, "h", "d/f.bin"},
                    UrlCase{"FTP://h:2121/f", URL_FTP, "h:2121", "f"},
                    UrlCase{"HtTp://server/page.pag", URL_HTTP, "server", "page.pag"},
                    UrlCase{"http://server/", URL_MALFORMED, "", ""},
                    UrlCase{"ftp://server", URL_MALFORMED, "", ""},
                    UrlCase{"ftp:/server/f", URL_OTHER, "", ""},
                    UrlCase{"\\\\share\\f", URL_NETWORK_PATH, "", ""},
                    UrlCase{"C:\\f", URL_OTHER, "", ""},
                    UrlCase{Longest, URL_HTTP, "h", Longest.c_str() + 9},
                    UrlCase{Longest + "p", URL_MALFORMED, "", ""}));

TEST(ParseUrl, NullAddressIsMalformedAndOutputsAreOptional)
{
    EXPECT_EQ(URL_MALFORMED, ParseUrl(nullptr, nullptr, nullptr));
    EXPECT_EQ(URL_FTP, ParseUrl("ftp://h/f", nullptr, nullptr));
}

}  // namespace
