// Frames the engine pushes: who receives them, their bytes, and that they stay whole and permitted while clients
// come and go.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "RemoteServerTest.h"

#include "channels/ChannelTable.h"
#include "clients/ClientPushes.h"
#include "clients/ClientSlot.h"
#include "storage/RecordFields.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <set>
#include <thread>

TEST_F(RemoteServerTest, PushesReachOnlyClientsWithRightOneForTheChannel) {
    std::vector<uint8_t> other = RightsFor({});
    other[5] = 2;
    AddAccount(L"alice", L"secret", RightsFor({5}));
    AddAccount(L"bob", L"secret", other);
    ProtocolClient& alice = ConnectLoggedIn(L"alice", L"secret");
    ProtocolClient& bob = ConnectLoggedIn(L"bob", L"secret");
    ProtocolClient& anonymous = Connect();
    ASSERT_TRUE(WaitForConnectedSlots(3));
    const int sentBefore = ClientSlots()[0].SentBytes;

    CallRecord record{};
    record.Channel = 5;
    record.RecTime = 42;
    CopyToField(record.FilePath, L"C:\\rec\\pushed.wav");
    PushCallRecord(record);
    ContactRecord contact{};
    CopyToField(contact.UserName, L"Dana");
    PushCallerId(5, "5551234", contact);
    strcpy(ChannelTable[5].CallerId, "5551234");
    PushChannelStatus(5);
    record.Channel = 600;
    PushCallRecord(record);
    PushCallerId(-1, "1", contact);

    const std::vector<ReceivedFrame> frames = alice.ReceiveUntilQuiet(kQuietMs);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].Length, 0x0AF1);
    EXPECT_EQ(frames[0].Command, kFrameNewCdr);
    EXPECT_EQ(std::wstring(frames[0].As<CallRecord>().FilePath), L"C:\\rec\\pushed.wav");
    EXPECT_EQ(frames[1].Length, 0x0741);
    EXPECT_EQ(frames[1].Command, kFrameCallerId);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(frames[1].Payload.data())), "5551234");
    EXPECT_EQ(std::wstring(frames[1].As<ContactRecord>(kCallerIdBytes).UserName), L"Dana");
    EXPECT_EQ(frames[2].Command, kFrameChannelStatus);
    EXPECT_EQ(std::wstring(frames[2].As<ChannelStatusRecord>().Caller), L"5551234");
    EXPECT_EQ(ClientSlots()[0].SentBytes - sentBefore, 0x0AF1 + 0x0741 + 0x0129) << "the length fields";

    EXPECT_TRUE(bob.ReceiveUntilQuiet(0).empty());
    EXPECT_TRUE(anonymous.ReceiveUntilQuiet(0).empty());
}

// The records of calls filed together reach each client in their order, each only where its channel is permitted.
TEST_F(RemoteServerTest, RecordsFiledTogetherArriveInOrderAndOnlyWherePermitted) {
    AddAccount(L"alice", L"secret", RightsFor({5, 6}));
    AddAccount(L"bob", L"secret", RightsFor({6}));
    ProtocolClient& alice = ConnectLoggedIn(L"alice", L"secret");
    ProtocolClient& bob = ConnectLoggedIn(L"bob", L"secret");
    ASSERT_TRUE(WaitForConnectedSlots(2));

    CallRecord records[5] = {};
    const int channels[5] = {5, 6, 7, 600, 5};
    std::vector<const CallRecord*> filed;
    for (int i = 0; i < 5; ++i) {
        records[i].Channel = channels[i];
        records[i].RecTime = 10 + i;
        filed.push_back(&records[i]);
    }
    PushCallRecords(filed);

    auto recTimes = [](const std::vector<ReceivedFrame>& frames) {
        std::vector<int> times;
        for (const ReceivedFrame& frame : frames) {
            EXPECT_EQ(frame.Command, kFrameNewCdr);
            times.push_back(frame.As<CallRecord>().RecTime);
        }
        return times;
    };
    EXPECT_EQ(recTimes(alice.ReceiveUntilQuiet(kQuietMs)), (std::vector<int>{10, 11, 14}));
    EXPECT_EQ(recTimes(bob.ReceiveUntilQuiet(kQuietMs)), (std::vector<int>{11}));
}

TEST_F(RemoteServerTest, LiveAudioGoesToTheClientsListeningToTheChannel) {
    AddAccount(L"alice", L"secret", RightsFor({5}));
    AddAccount(L"bob", L"secret", RightsFor({5}));
    ProtocolClient& alice = ConnectLoggedIn(L"alice", L"secret");
    ProtocolClient& bob = ConnectLoggedIn(L"bob", L"secret");
    {
        ClientSlot& slot = ClientSlots()[0];
        auto lock = slot.LockFields();
        slot.MonitorFlag = 1;
        slot.MonitoredChannel = 5;
    }
    std::vector<uint8_t> piece(kLiveAudioBytes);
    for (size_t i = 0; i < piece.size(); ++i)
        piece[i] = static_cast<uint8_t>(i * 7);

    PushLiveAudio(5, 2, piece.data());
    PushLiveAudio(6, 2, piece.data());

    const std::vector<ReceivedFrame> frames = alice.ReceiveUntilQuiet(kQuietMs);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Length, 0x1002);
    EXPECT_EQ(frames[0].Command, kFrameLiveAudio);
    EXPECT_EQ(frames[0].Payload[0], 2);
    EXPECT_EQ(std::vector<uint8_t>(frames[0].Payload.begin() + 1, frames[0].Payload.end()), piece);
    EXPECT_TRUE(bob.ReceiveUntilQuiet(0).empty());
}

// Clients log in and drop again and again while two threads push CDRs and channel states. Every frame a client
// gets is whole and of a channel its account has right 1 for.
TEST_F(RemoteServerTest, PushesStayWholeAndPermittedWhileClientsComeAndGo) {
    const struct {
        const wchar_t* User;
        std::set<int> Channels;
    } accounts[] = {{L"even1", {0, 2}}, {L"even2", {0, 2}}, {L"odd1", {1, 3}}, {L"odd2", {1, 3}}};
    for (const auto& account : accounts) {
        std::vector<uint8_t> rights(kMaxChannels, 0);
        for (int channel : account.Channels)
            rights[channel] = 1;
        AddAccount(account.User, L"pw", rights);
    }

    std::atomic<bool> done{false};
    auto pusher = [&](int first) {
        CallRecord record{};
        for (int i = 0; !done; ++i) {
            record.Channel = (first + i) % 4;
            PushCallRecord(record);
            PushChannelStatus((first + i + 1) % 4);
        }
    };
    std::thread pushers[] = {std::thread(pusher, 0), std::thread(pusher, 1)};

    std::atomic<int> framesChecked{0};
    auto client = [&](const wchar_t* user, const std::set<int>& channels) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        for (int round = 0; std::chrono::steady_clock::now() < end; ++round) {
            ProtocolClient connection;
            if (!connection.Connect(m_port) || !connection.SendLogin(user, L"pw"))
                continue;
            for (int i = 0; i < 40; ++i) {
                const auto frame = connection.Receive(kWaitMs);
                if (!frame)
                    break;
                int channel = -1;
                if (frame->Command == kFrameNewCdr) {
                    EXPECT_EQ(frame->Length, 0x0AF1);
                    channel = frame->As<CallRecord>().Channel;
                } else if (frame->Command == kFrameChannelStatus) {
                    EXPECT_EQ(frame->Length, 0x0129);
                    channel = frame->As<ChannelStatusRecord>().Channel;
                } else {
                    EXPECT_TRUE(frame->Command == kFrameLogin || frame->Command == kFrameServerInfo ||
                                frame->Command == kFrameRights)
                        << "command " << int(frame->Command);
                    continue;
                }
                EXPECT_TRUE(channels.count(channel)) << "channel " << channel;
                ++framesChecked;
            }
            if (round % 2)
                connection.Abort();
        }
    };
    std::vector<std::thread> clients;
    for (const auto& account : accounts)
        clients.emplace_back(client, account.User, account.Channels);
    for (std::thread& thread : clients)
        thread.join();
    done = true;
    for (std::thread& thread : pushers)
        thread.join();

    EXPECT_GT(framesChecked, 100);
}

// A logged-in client that listens live and then stops reading (a laptop closed mid-session) while a line rings, is
// answered and hangs up: every push returns at once, the client that reads gets every frame in order and on time,
// and the stalled client, once its queue overflows with records, is dropped as a broken connection.
TEST_F(RemoteServerTest, AClientThatStopsReadingHoldsUpNobodyAndIsDropped) {
    constexpr int kChannel = 5;
    AddAccount(L"stalled", L"secret", RightsFor({kChannel}));
    AddAccount(L"reader", L"secret", RightsFor({kChannel}));
    ConnectStalledListener(L"stalled", L"secret", kChannel);
    ProtocolClient& reader = ConnectLoggedIn(L"reader", L"secret");

    // The channel's recording streams to the stalled listener until its connection is full.
    const std::vector<uint8_t> piece(kLiveAudioBytes, 0x55);
    for (int i = 0; i < 300; ++i)
        PushLiveAudio(kChannel, 0, piece.data());

    using Clock = std::chrono::steady_clock;
    std::vector<double> pushMs;
    auto timed = [&](const std::function<void()>& push) {
        const auto start = Clock::now();
        push();
        pushMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    };
    for (int state : {kStateRinging, kStateIncomingRecording, kStateIdle}) {
        ChannelTable[kChannel].State = state;
        timed([&] { PushChannelStatus(kChannel); });
        const auto frame = reader.Receive(1000);
        ASSERT_TRUE(frame) << "state " << state;
        EXPECT_EQ(frame->Command, kFrameChannelStatus);
        EXPECT_EQ(frame->As<ChannelStatusRecord>().State, state);
    }

    // Records, numbered, more than a queue holds, at the pace of a busy call writer: read as they come by the reader,
    // not at all by the stalled one.
    constexpr int kRecords = 500;
    std::vector<int> received;
    std::thread receiving([&] {
        while (static_cast<int>(received.size()) < kRecords) {
            const auto frame = reader.Receive(kWaitMs);
            if (!frame)
                break;
            if (frame->Command == kFrameNewCdr)
                received.push_back(frame->As<CallRecord>().RecTime);
        }
    });
    CallRecord record{};
    record.Channel = kChannel;
    for (int i = 0; i < kRecords; ++i) {
        record.RecTime = i;
        timed([&] { PushCallRecord(record); });
        Sleep(1);
    }
    receiving.join();

    EXPECT_LT(*std::max_element(pushMs.begin(), pushMs.end()), 200.0) << "a push waited on a client";
    ASSERT_EQ(static_cast<int>(received.size()), kRecords);
    for (int i = 0; i < kRecords; ++i)
        ASSERT_EQ(received[i], i) << "out of order";
    ASSERT_TRUE(m_view.WaitForEvents(3, kWaitMs)) << "two logins and the stalled client's drop";
    const ClientEventRecord dropped = m_view.Events().back();
    EXPECT_EQ(dropped.Event, kClientTimedOut);
    EXPECT_EQ(std::wstring(dropped.UserName), L"stalled");
    EXPECT_FALSE(ClientSlots()[0].IsConnected());
    EXPECT_TRUE(ClientSlots()[1].IsLoggedIn());
}

// The operator's forced logout (and a port change, which forces every client off the same way) does not wait for
// a client that has stopped reading while its channel streams to it.
TEST_F(RemoteServerTest, ForcedLogoutOfAStalledClientDoesNotWait) {
    constexpr int kChannel = 5;
    AddAccount(L"stalled", L"secret", RightsFor({kChannel}));
    ConnectStalledListener(L"stalled", L"secret", kChannel);
    std::atomic<bool> streaming{true};
    std::thread stream([&] {
        const std::vector<uint8_t> piece(kLiveAudioBytes, 0x55);
        while (streaming) {
            PushLiveAudio(kChannel, 0, piece.data());
            Sleep(1);
        }
    });
    Sleep(1000);  // long enough to fill the connection

    const auto start = std::chrono::steady_clock::now();
    ForceClientOffline(L"stalled");
    const auto took = std::chrono::steady_clock::now() - start;
    streaming = false;
    stream.join();

    EXPECT_LT(took, std::chrono::milliseconds(200));
    EXPECT_FALSE(ClientSlots()[0].IsConnected());
}
