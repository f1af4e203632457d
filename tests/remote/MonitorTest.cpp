// Listening to a channel: the slot follows the chosen channel, with the listen right and a right for the channel.
// The engine's poll thread streams the audio through PushLiveAudio; here the push is called directly.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "ClientCommandTest.h"

#include "channels/ChannelTable.h"
#include "clients/ClientPushes.h"
#include "clients/ClientSlot.h"
#include "storage/SysLogStore.h"

namespace {

std::vector<uint8_t> ChannelPayload(int channel) {
    return {static_cast<uint8_t>(channel & 0xFF), static_cast<uint8_t>(channel >> 8)};
}

// The monitored channel of the first slot once it is `channel`, or what it is at the deadline.
int WaitForMonitoredChannel(int channel) {
    int monitored = kNoMonitoredChannel;
    WaitUntil([&] {
        ClientSlot& slot = ClientSlots()[0];
        auto lock = slot.LockFields();
        monitored = slot.MonitorFlag ? slot.MonitoredChannel : kNoMonitoredChannel;
        return monitored == channel;
    });
    return monitored;
}

std::vector<uint8_t> Piece(uint8_t seed) {
    std::vector<uint8_t> piece(kLiveAudioBytes);
    for (size_t i = 0; i < piece.size(); ++i)
        piece[i] = static_cast<uint8_t>(seed + i * 3);
    return piece;
}

class MonitorTest : public ClientCommandTest {
protected:
    void SetUp() override {
        ClientCommandTest::SetUp();
        AddAccount(L"alice", L"secret", RightsFor({5, 6}));
        CopyToField(ChannelTable[5].Name, L"Sales");
        CopyToField(ChannelTable[5].Phone, L"201");
        CopyToField(ChannelTable[6].Name, L"Desk");
        CopyToField(ChannelTable[6].Phone, L"202");
    }

    static std::vector<uint8_t> StopReply() { return {1, 0, 0}; }
};

}  // namespace

TEST_F(MonitorTest, ClientHearsOnlyTheChannelItChoseLast) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    client.SendFrame(kCmdStartMonitor, ChannelPayload(5));
    client.SendFrame(kCmdStartMonitor, ChannelPayload(6));
    ASSERT_EQ(WaitForMonitoredChannel(6), 6);
    const std::vector<uint8_t> five = Piece(5);
    const std::vector<uint8_t> six = Piece(6);
    PushLiveAudio(5, 0, five.data());
    PushLiveAudio(6, 3, six.data());

    const std::vector<ReceivedFrame> frames = client.ReceiveUntilQuiet(kQuietMs);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Length, 0x1002);
    EXPECT_EQ(frames[0].Command, kFrameLiveAudio);
    EXPECT_EQ(frames[0].Payload[0], 3) << "the channel's format";
    EXPECT_EQ(std::vector<uint8_t>(frames[0].Payload.begin() + 1, frames[0].Payload.end()), six);

    const std::vector<SysLogRow> rows = TodaysRows(kSysLogMonitorStarted);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::wstring(rows[0].Name), L"Operator");
    EXPECT_EQ(std::wstring(rows[0].Notes), L"Sales 201 006");
    EXPECT_EQ(std::wstring(rows[1].Notes), L"Desk 202 007");
}

TEST_F(MonitorTest, StopAnswersAndEndsTheAudio) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    client.SendFrame(kCmdStopMonitor);
    auto reply = client.Receive(kWaitMs);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Command, kFrameMonitorStopped);
    EXPECT_EQ(reply->Payload, StopReply()) << "also when nothing was monitored";
    EXPECT_TRUE(TodaysRows(kSysLogMonitorStopped).empty());

    client.SendFrame(kCmdStartMonitor, ChannelPayload(5));
    ASSERT_EQ(WaitForMonitoredChannel(5), 5);
    client.SendFrame(kCmdStopMonitor);
    reply = client.Receive(kWaitMs);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Payload, StopReply());
    const std::vector<uint8_t> piece = Piece(1);
    PushLiveAudio(5, 0, piece.data());
    EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty());

    const std::vector<SysLogRow> rows = TodaysRows(kSysLogMonitorStopped);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(std::wstring(rows[0].Name), L"alice");
    EXPECT_EQ(std::wstring(rows[0].Notes), L"Sales 201 006");
}

TEST_F(MonitorTest, ListeningNeedsTheListenRightAndARightForTheChannel) {
    AddAccount(L"bob", L"secret", RightsFor({5}));
    SetAccountRights(L"bob", 0, 1, 0);
    const struct {
        const char* Name;
        const wchar_t* User;
        int Channel;
    } cases[] = {
        {"a channel without right", L"alice", 7},
        {"a channel beyond the table", L"alice", 600},
        {"an account without the listen right", L"bob", 5},
    };
    for (const auto& c : cases) {
        ProtocolClient& client = ConnectLoggedIn(c.User, L"secret");
        client.SendFrame(kCmdStartMonitor, ChannelPayload(c.Channel));
        client.SendFrame(kCmdStopMonitor);
        ASSERT_TRUE(client.ReceiveCommand(kFrameMonitorStopped, kWaitMs)) << c.Name;
        client.SendFrame(kCmdLogout);
        client.WaitClosed(kWaitMs);
    }
    EXPECT_TRUE(TodaysRows(kSysLogMonitorStarted).empty());
    EXPECT_TRUE(TodaysRows(kSysLogMonitorStopped).empty()) << "nothing was monitored";
}
