// The component's HTTP client against a real HTTP server and a real proxy on 127.0.0.1.
#include "component_recorder.h"
#include "base64.h"
#include "transfer_fixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

using HttpObject = std::unique_ptr<IPWorksHttp, ObjectDeleter<IPWORKS_HTTP>>;

HttpObject MakeHttp(IPWorksHttpEvents* events, const std::string& url)
{
    HttpObject http = MakeObject<IPWorksHttp, IPWORKS_HTTP>(events);
    if (!http)
        return http;
    http->SetUserAgent("QORVEX Internet Library");
    http->SetURL(url.c_str());
    return http;
}

class ComponentHttp : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Servers().Started());
        Servers().ClearLogs();
        for (const TransferFixture& fixture : TransferFixtures())
            Servers().ServeHttp(fixture.name, fixture.bytes);
    }
    std::string Url(const char* name) const { return "http://" + Servers().HttpHost() + "/" + name; }
    HttpRecorder events;
};

struct GetCase {
    bool viaProxy;
};

class ComponentHttpGet : public ComponentHttp, public testing::WithParamInterface<GetCase> {};

TEST_P(ComponentHttpGet, EveryFixtureArrivesWhole)
{
    for (const TransferFixture& fixture : TransferFixtures()) {
        HttpRecorder received;
        HttpObject http = MakeHttp(&received, Url(fixture.name));
        ASSERT_TRUE(http);
        if (GetParam().viaProxy) {
            http->SetProxyServer("127.0.0.1");
            http->SetProxyPort(Servers().ProxyPort());
        }
        ASSERT_EQ(IPWORKS_OK, http->SetAction(HTTP_GET)) << fixture.name;
        EXPECT_EQ(fixture.bytes, received.data) << fixture.name;
        EXPECT_EQ((std::vector<int>{0, 0}), received.statuses);
        EXPECT_EQ(1, received.ends);
    }
    const std::string proxyLog = Servers().ProxyLog();
    const std::string absolute = "GET " + Url("large.bin");
    EXPECT_EQ(GetParam().viaProxy, proxyLog.find(absolute) != std::string::npos) << proxyLog;
    EXPECT_NE(std::string::npos, Servers().HttpLog().find("GET /large.bin HTTP/1.")) << Servers().HttpLog();
}

INSTANTIATE_TEST_SUITE_P(Table, ComponentHttpGet, testing::Values(GetCase{false}, GetCase{true}));

TEST_F(ComponentHttp, UserAgentAndBasicAuthenticationWhenAUserIsSet)
{
    HttpObject http = MakeHttp(&events, Url("controls.bin"));
    ASSERT_TRUE(http);
    ASSERT_EQ(IPWORKS_OK, http->SetAction(HTTP_GET));
    http->SetUser("user");
    http->SetPassword("pass");
    events.data.clear();
    ASSERT_EQ(IPWORKS_OK, http->SetAction(HTTP_GET));
    EXPECT_EQ("/controls.bin|QORVEX Internet Library|\n/controls.bin|QORVEX Internet Library|Basic dXNlcjpwYXNz",
              Servers().HttpHeaders());
}

TEST_F(ComponentHttp, AnswerOtherThan2xxFailsWithItsCode)
{
    HttpObject http = MakeHttp(&events, Url("missing.bin"));
    ASSERT_TRUE(http);
    EXPECT_EQ(IPWORKS_REFUSED, http->SetAction(HTTP_GET));
    EXPECT_EQ((std::vector<int>{404, 404}), events.statuses);
    EXPECT_EQ(1, events.errors);
    EXPECT_EQ(0, events.ends);
    EXPECT_TRUE(events.data.empty()) << "the error page is no document";
}

TEST_F(ComponentHttp, ServerDownFailsToConnect)
{
    Servers().Down("http");
    HttpObject http = MakeHttp(&events, Url("large.bin"));
    const int result = http->SetAction(HTTP_GET);
    Servers().Up("http");
    EXPECT_EQ(IPWORKS_CONNECT_FAILED, result);
    EXPECT_EQ(1, events.errors);
}

TEST_F(ComponentHttp, AddressWithoutHttpSchemeIsRefused)
{
    HttpObject http = MakeHttp(&events, "ftp://127.0.0.1/x");
    EXPECT_EQ(IPWORKS_BAD_VALUE, http->SetAction(HTTP_GET));
}

struct Base64Case {
    const char* plain;
    const char* encoded;
};

class BasicAuthentication : public testing::TestWithParam<Base64Case> {};

TEST_P(BasicAuthentication, Base64)
{
    EXPECT_EQ(GetParam().encoded, Base64(GetParam().plain));
}

INSTANTIATE_TEST_SUITE_P(Table, BasicAuthentication,
                         testing::Values(Base64Case{"", ""}, Base64Case{"f", "Zg=="}, Base64Case{"fo", "Zm8="},
                                         Base64Case{"foo", "Zm9v"}, Base64Case{"user:pass", "dXNlcjpwYXNz"}));

}  // namespace
