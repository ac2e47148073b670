// The media server checked by the first control of the process: used as it is when
// registered, registered by its registrar beside the control when not, and done without when
// neither is there, the control working all the same.
#include "dialog_answerer.h"
#include "message_pump.h"
#include "registered_control.h"
#include "test_container.h"
#include "test_programs.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kWaitMs = 10000;
constexpr const char* kModuleServerKey = "CLSID\\{687C6184-9B69-11D3-9FE3-0040F6D49C4D}\\LocalServer32";

bool ServerRegistered()
{
    return ClassesValue(kModuleServerKey) != "<missing>";
}

bool ServerRuns()
{
    return ProcessRuns(QX_MEDIA_SERVER_PROGRAM);
}

// Each case starts without a control in the process, so that its first control checks the
// server, and leaves the server registered and stopped as the other tests expect it.
class MediaCheck : public ::testing::Test {
protected:
    // The server that the controls of the tests before let go ends first: a server still
    // ending refuses to serve.
    void SetUp() override { ASSERT_TRUE(PumpUntil([] { return !ServerRuns(); }, kWaitMs)); }
    void TearDown() override
    {
        RunMediaServer("/REGSERVER");
        PumpUntil([] { return !ServerRuns(); }, kWaitMs);
    }
};

}  // namespace

TEST_F(MediaCheck, ARegisteredServerIsStartedWhileAControlLives)
{
    ASSERT_EQ(0u, RunMediaServer("/REGSERVER"));
    {
        TestContainer container;
        ASSERT_EQ(S_OK, container.Made());
        EXPECT_TRUE(PumpUntil(ServerRuns, kWaitMs));
    }
    // The last control lets the module object go, and the server ends.
    EXPECT_TRUE(PumpUntil([] { return !ServerRuns(); }, kWaitMs));
}

TEST_F(MediaCheck, AnUnregisteredServerBesideTheControlIsRegisteredAndStarted)
{
    ASSERT_EQ(0u, RunMediaServer("/UNREGSERVER"));
    ASSERT_FALSE(ServerRegistered());
    TestContainer container;
    ASSERT_EQ(S_OK, container.Made());
    EXPECT_TRUE(ServerRegistered());
    EXPECT_TRUE(PumpUntil(ServerRuns, kWaitMs));
}

TEST_F(MediaCheck, WithoutTheServerTheControlStillWorks)
{
    ASSERT_EQ(0u, RunMediaServer("/UNREGSERVER"));
    // The control alone in a folder: no registrar beside it (and no kernel either).
    LooseControl alone;
    DialogAnswerer answerer(IDOK);
    TestContainer container(alone.Create(), 320, 240, AMBIENTS{});
    ASSERT_EQ(S_OK, container.Made());
    EXPECT_EQ(S_OK, container.Activate());
    EXPECT_TRUE(container.ControlWindow());
    EXPECT_FALSE(ServerRegistered());
    EXPECT_FALSE(ServerRuns());
}
