// Cutting the byte stream into frames, refusing invalid lengths, the 64-slot limit and the login gate.

#include "RemoteServerTest.h"

#include "storage/StoragePaths.h"

#include <thread>

namespace {

// Makes it likely that the reader receives what was sent so far on its own; each test holds either way.
void LetReaderReceive() {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

std::vector<uint8_t> Concat(std::vector<uint8_t> first, const std::vector<uint8_t>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

bool IsAcceptedLogin(const std::vector<ReceivedFrame>& frames) {
    return !frames.empty() && frames[0].Command == kFrameLogin && frames[0].Length == 2 + sizeof(AccountRecord) &&
           frames[0].Payload[0] == kLoginAccepted;
}

}  // namespace

TEST_F(RemoteServerTest, TwoFramesInOneSegmentAreBothDispatched) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    ProtocolClient& client = Connect();

    ASSERT_TRUE(client.SendBytes(
        Concat(ClientFrameBytes(kCmdLogin, LoginPayload(L"alice", L"secret")), ClientFrameBytes(kCmdLogout))));

    const auto first = client.Receive(kWaitMs);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Command, kFrameLogin);
    EXPECT_EQ(first->Payload[0], kLoginAccepted);
    EXPECT_TRUE(client.WaitClosed(kWaitMs)) << "the logout behind the login was not run";
}

TEST_F(RemoteServerTest, FrameSplitOverThreeReceivesIsDispatchedOnceComplete) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    ProtocolClient& client = Connect();
    const std::vector<uint8_t> login = ClientFrameBytes(kCmdLogin, LoginPayload(L"alice", L"secret"));

    // The first piece ends inside the length field.
    client.SendBytes({login.begin(), login.begin() + 1});
    LetReaderReceive();
    client.SendBytes({login.begin() + 1, login.begin() + 400});
    LetReaderReceive();
    EXPECT_FALSE(client.Receive(0)) << "dispatched before complete";
    client.SendBytes({login.begin() + 400, login.end()});

    const std::vector<ReceivedFrame> frames = client.ReceiveUntilQuiet(kQuietMs);
    EXPECT_TRUE(IsAcceptedLogin(frames));
    EXPECT_EQ(frames.size(), 4u) << "login accepted, server info, rights and channel 1's status, once";
}

TEST_F(RemoteServerTest, LengthSplitAfterItsFirstByteIsNotReadWithAStaleSecondByte) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    // An invalid length leaves 0x80 as the second byte of the first slot's receive buffer.
    ProtocolClient& first = Connect();
    first.SendBytes({0x00, 0x80});
    ASSERT_TRUE(first.WaitClosed(kWaitMs));

    // The next connection takes the same slot; its first byte lands in front of the stale 0x80.
    ProtocolClient& second = Connect();
    const std::vector<uint8_t> login = ClientFrameBytes(kCmdLogin, LoginPayload(L"alice", L"secret"));
    second.SendBytes({login.begin(), login.begin() + 1});
    LetReaderReceive();
    second.SendBytes({login.begin() + 1, login.end()});

    EXPECT_TRUE(IsAcceptedLogin(second.ReceiveUntilQuiet(kQuietMs)));
    EXPECT_FALSE(second.IsClosed());
}

TEST_F(RemoteServerTest, ZeroLengthFrameIsSkipped) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    ProtocolClient& client = Connect();

    client.SendBytes(Concat({0x00, 0x00}, ClientFrameBytes(kCmdLogin, LoginPayload(L"alice", L"secret"))));

    EXPECT_TRUE(IsAcceptedLogin(client.ReceiveUntilQuiet(kQuietMs)));
    EXPECT_FALSE(client.IsClosed());
}

TEST_F(RemoteServerTest, InvalidLengthClosesTheConnectionWithoutAnEvent) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    const struct {
        const char* Name;
        std::vector<uint8_t> Bytes;
    } cases[] = {
        {"bit 15 set", {0x00, 0x80}},
        {"all ones", {0xFF, 0xFF}},
        {"32767, longer than the receive buffer", {0xFF, 0x7F}},
    };
    for (const auto& c : cases) {
        ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
        client.SendBytes(c.Bytes);
        EXPECT_TRUE(client.WaitClosed(kWaitMs)) << c.Name;
    }
    for (const ClientEventRecord& event : m_view.Events())
        EXPECT_EQ(event.Event, kClientLoggedIn);
}

TEST_F(RemoteServerTest, SixtyFifthConnectionIsClosedAtOnce) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    for (int i = 0; i < kMaxClientSlots; ++i)
        Connect();
    ASSERT_TRUE(WaitForConnectedSlots(kMaxClientSlots));

    ProtocolClient& extra = Connect();
    EXPECT_TRUE(extra.WaitClosed(kWaitMs));

    EXPECT_TRUE(IsAcceptedLogin(m_clients.front()->Login(L"alice", L"secret")));
    EXPECT_TRUE(WaitForConnectedSlots(kMaxClientSlots));
}

TEST_F(RemoteServerTest, CommandsBeforeLoginHaveNoEffect) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    AddCallRow(DayAt(0, 9, 0, 0), 1, kCallIncoming, 30, L"C:\\rec\\today.wav");
    AddSysLogRow(DayAt(2, 9, 0, 0), 8, L"operator");
    const SYSTEMTIME from = DayAt(2, 0, 0, 0);
    const SYSTEMTIME to = DayAt(0, 23, 59, 59);
    const struct {
        const char* Name;
        uint8_t Command;
        std::vector<uint8_t> Payload;
        uint8_t Reply;
    } cases[] = {
        {"CDR search", kCmdCdrSearch, QueryPayload(from, to, L"select * from Rec_Table"), kFrameCdrRow},
        {"statistics", kCmdStatistics, ChartPayload(from, to, RightsFor({1})), kFrameStatistics},
        {"system-log search", kCmdSysLogSearch, QueryPayload(from, to, L"select * from SysLog_Table"), kFrameSysLogRow},
    };

    ProtocolClient& client = Connect();
    for (const auto& c : cases)
        client.SendFrame(c.Command, c.Payload);
    client.SendFrame(kCmdStopQuery, {1});
    EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty());
    EXPECT_FALSE(FileExists(CdrCopyFile(Today(), CdrWorkingCopy::Search)));
    EXPECT_FALSE(FileExists(CdrCopyFile(Today(), CdrWorkingCopy::Chart)));

    ASSERT_TRUE(IsAcceptedLogin(client.Login(L"alice", L"secret")));
    for (const auto& c : cases) {
        client.SendFrame(c.Command, c.Payload);
        EXPECT_TRUE(client.ReceiveCommand(c.Reply, kWaitMs)) << c.Name;
        client.ReceiveUntilQuiet(kQuietMs);
    }
}
