// The call statistics: one frame per day and selected channel, with running sums, and the statistics right.

#include "RemoteServerTest.h"

#include "channels/ChannelTable.h"

namespace {

struct ExpectedStats {
    uint16_t Channel;
    int32_t Counters[11];  // in the frame's order: the nine counters, total count, total seconds
};

void ExpectFrame(const ReceivedFrame& frame, const ExpectedStats& expected) {
    ASSERT_EQ(frame.Length, 62);
    ASSERT_EQ(frame.Command, kFrameStatistics);
    ASSERT_EQ(frame.Payload.size(), 61u);
    const auto channel = frame.As<uint16_t>(0);
    EXPECT_EQ(channel, expected.Channel);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(frame.As<int32_t>(2 + 4 * i), expected.Counters[i]) << "channel " << channel << " counter " << i;
    for (size_t i = 46; i < 61; ++i)
        EXPECT_EQ(frame.Payload[i], 0) << "tail byte " << i;
}

}  // namespace

TEST_F(RemoteServerTest, StatisticsSendRunningSumsPerDayAndSelectedChannel) {
    AddAccount(L"alice", L"secret", RightsFor({1, 2}));
    const SYSTEMTIME first = DayAt(10, 9, 0, 0);
    const SYSTEMTIME second = DayAt(9, 9, 0, 0);
    const struct {
        SYSTEMTIME Day;
        int Channel;
        int CallType;
        int Seconds;
    } rows[] = {
        {first, 1, kCallIncoming, 10},
        {first, 1, kCallOutgoing, 20},
        {first, 1, kCallMissed, 0},
        {first, 1, kCallVoice, 30},
        {first, 1, kCallAutoAnswered, 40},
        {first, 1, kCallSpyIncomingUnanswered, 5},
        {first, 1, kCallSpyOutgoingUnanswered, 7},
        {first, 1, kCallSpyOutgoingMissed, 0},
        {first, 2, kCallIncoming, 60},
        {first, 3, kCallIncoming, 70},
        {second, 1, kCallIncoming, 15},
        {second, 2, kCallOutgoing, 25},
    };
    int n = 0;
    for (const auto& row : rows)
        AddCallRow(row.Day, row.Channel, row.CallType, row.Seconds, L"C:\\rec\\" + std::to_wstring(n++) + L".wav");
    std::vector<uint8_t> selection(kMaxChannels, 0);
    selection[1] = 1;
    selection[2] = 1;
    selection[3] = 2;  // only 1 selects

    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    client.SendFrame(kCmdStatistics, ChartPayload(DayAt(10, 0, 0, 0), DayAt(9, 23, 59, 59), selection));

    // Spy calls from alerting (6, 7) count in their direction and as missed.
    const std::vector<ReceivedFrame> frames = client.ReceiveUntilQuiet(kQuietMs);
    ASSERT_EQ(frames.size(), 4u);
    ExpectFrame(frames[0], {1, {2, 15, 2, 27, 4, 1, 30, 1, 40, 10, 112}});
    ExpectFrame(frames[1], {2, {1, 60, 0, 0, 0, 0, 0, 0, 0, 1, 60}});
    ExpectFrame(frames[2], {1, {3, 30, 2, 27, 4, 1, 30, 1, 40, 11, 127}});
    ExpectFrame(frames[3], {2, {1, 60, 1, 25, 0, 0, 0, 0, 0, 2, 85}});
}

TEST_F(RemoteServerTest, StatisticsNeedTheStatisticsRight) {
    AddAccount(L"alice", L"secret", RightsFor({1}), 0);
    AddCallRow(DayAt(10, 9, 0, 0), 1, kCallIncoming, 10, L"C:\\rec\\a.wav");
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    client.SendFrame(kCmdStatistics, ChartPayload(DayAt(10, 0, 0, 0), DayAt(10, 23, 0, 0), RightsFor({1})));

    EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty());
}
