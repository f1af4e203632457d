// The keep-alive timing, in real time: a minute long. It is a test of its own, so it runs beside the others.

#include "RemoteServerTest.h"

#include <chrono>

TEST_F(RemoteServerTest, SilentClientGetsKeepAlivesEvery20SecondsAndIsDroppedAfter60) {
    using Clock = std::chrono::steady_clock;
    auto secondsSince = [](Clock::time_point start) {
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    AddAccount(L"alice", L"secret", RightsFor({1}));
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    const auto lastData = Clock::now();

    for (double expected : {20.0, 40.0}) {
        const auto frame = client.Receive(25000);
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->Command, kFrameKeepAlive);
        EXPECT_EQ(frame->Payload, (std::vector<uint8_t>{0, 0, 0}));
        EXPECT_NEAR(secondsSince(lastData), expected, 2.5);
    }
    ASSERT_TRUE(client.WaitClosed(25000));
    EXPECT_NEAR(secondsSince(lastData), 60.0, 2.5);

    ASSERT_TRUE(m_view.WaitForEvents(2, kWaitMs));
    EXPECT_EQ(m_view.Events()[1].Event, kClientTimedOut);
    EXPECT_EQ(std::wstring(m_view.Events()[1].UserName), L"alice");
}
