// Logging in and out: the frames of an accepted login, refusals, duplicates, the rights file, and what the
// clients pane and the system log are told.

#include "RemoteServerTest.h"

#include "channels/ChannelTable.h"
#include "clients/ClientPushes.h"
#include "storage/SysLogStore.h"

#include <cstring>
#include <string>

namespace {

std::wstring Text(const wchar_t* field) {
    return field;
}

std::string Text(const char* field) {
    return field;
}

std::vector<uint8_t> Rights(const ReceivedFrame& frame) {
    return frame.Payload;
}

}  // namespace

TEST_F(RemoteServerTest, LoginSendsAccountServerInfoRightsAndTheStatusOfPermittedChannels) {
    std::vector<uint8_t> rights = RightsFor({3, 4, 7});
    rights[5] = 2;  // a right other than 1 shows no status
    AddAccount(L"alice", L"secret", rights);
    ChannelRecord& line = ChannelTable[3];
    wcscpy(line.Name, L"Front desk");
    wcscpy(line.Phone, L"201");
    line.Rec = 1;
    line.State = kStateIncomingRecording;
    line.RecordedMs = 12900;
    line.LineVoltage = 48;
    strcpy(line.DialledDigits, "5551234");
    strcpy(line.CallerId, "5559876");
    line.StartTime = DayAt(0, 10, 11, 12);
    ChannelRecord& spy = ChannelTable[4];
    spy.LineType = 0;
    strcpy(spy.SpyCalleeId, "700");
    strcpy(spy.SpyCallerId, "800");
    strcpy(spy.DialledDigits, "999");
    ChannelTable[7].Present = 0;

    ProtocolClient& client = Connect();
    const std::vector<ReceivedFrame> frames = client.Login(L"ALICE", L"secret");

    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames[0].Command, kFrameLogin);
    EXPECT_EQ(frames[0].Length, 0x02DA);
    EXPECT_EQ(frames[0].Payload[0], kLoginAccepted);
    const auto account = frames[0].As<AccountRecord>(1);
    EXPECT_EQ(Text(account.UserName), L"alice") << "the account as stored";
    EXPECT_EQ(Text(account.UserPsw), L"secret");
    EXPECT_EQ(wcslen(account.AutoCode), 17u);
    EXPECT_EQ(Text(account.UserFile), m_folder.DataFolder() + L"\\alice.rights");
    EXPECT_EQ(account.bChart, 1);

    EXPECT_EQ(frames[1].Command, kFrameServerInfo);
    EXPECT_EQ(frames[1].Length, 0x85);
    const auto info = frames[1].As<ServerInfoBlock>();
    EXPECT_EQ(Text(info.ServerName), L"Recorder A");
    EXPECT_EQ(Text(info.ServerSerial), L"SN-0042");
    EXPECT_EQ(info.ChannelCount, kTestChannels);

    EXPECT_EQ(frames[2].Command, kFrameRights);
    EXPECT_EQ(frames[2].Length, 0x0201);
    EXPECT_EQ(Rights(frames[2]), rights);

    EXPECT_EQ(frames[3].Command, kFrameChannelStatus);
    EXPECT_EQ(frames[3].Length, 0x0129);
    const auto status = frames[3].As<ChannelStatusRecord>();
    EXPECT_EQ(status.Channel, 3);
    EXPECT_EQ(status.RecordMode, 1);
    EXPECT_EQ(status.ChannelType, QSD_CHTYPE_LINE_VOLTAGE);
    EXPECT_EQ(status.State, kStateIncomingRecording);
    EXPECT_EQ(status.RecordedSeconds, 12);
    EXPECT_EQ(status.LineVoltage, 48);
    EXPECT_EQ(Text(status.Name), L"Front desk");
    EXPECT_EQ(Text(status.Phone), L"201");
    EXPECT_EQ(Text(status.Number), L"5551234");
    EXPECT_EQ(Text(status.Caller), L"5559876");
    EXPECT_EQ(status.StartTime.wHour, 10);
    EXPECT_EQ(status.StartTime.wSecond, 12);

    const auto spyStatus = frames[4].As<ChannelStatusRecord>();
    EXPECT_EQ(spyStatus.Channel, 4);
    EXPECT_EQ(Text(spyStatus.Number), L"700") << "a spy channel shows its callee";
    EXPECT_EQ(Text(spyStatus.Caller), L"800");

    ASSERT_TRUE(m_view.WaitForEvents(1, kWaitMs));
    const ClientEventRecord event = m_view.Events()[0];
    EXPECT_EQ(event.Event, kClientLoggedIn);
    EXPECT_EQ(Text(event.PeerAddress), "127.0.0.1");
    EXPECT_EQ(Text(event.UserName), L"alice");

    const std::vector<SysLogRow> rows = SysLogRows(Today());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].SysLog_Cmd, kSysLogClientLogin);
    EXPECT_EQ(Text(rows[0].Name), L"alice");
    EXPECT_EQ(Text(rows[0].Notes), L"Client logged in");
}

TEST_F(RemoteServerTest, LoginStatusNamesAreCutToTheirFields) {
    AddAccount(L"alice", L"secret", RightsFor({2}));
    const std::wstring longName(60, L'n');
    wcscpy(ChannelTable[2].Name, longName.c_str());
    memset(ChannelTable[2].CallerId, '7', sizeof(ChannelTable[2].CallerId) - 1);

    ProtocolClient& client = Connect();
    const std::vector<ReceivedFrame> frames = client.Login(L"alice", L"secret");

    ASSERT_EQ(frames.size(), 4u);
    const auto status = frames[3].As<ChannelStatusRecord>();
    EXPECT_EQ(Text(status.Name), longName.substr(0, 31));
    EXPECT_EQ(Text(status.Caller), std::wstring(31, L'7'));
}

TEST_F(RemoteServerTest, RefusedLoginIsAnsweredAndClosed) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    const struct {
        const wchar_t* User;
        const wchar_t* Password;
    } cases[] = {
        {L"alice", L"wrong"}, {L"alice", L"%"}, {L"%", L"%"}, {L"a_ice", L"secret"}, {L"nobody", L"secret"},
    };
    for (const auto& c : cases) {
        ProtocolClient& client = Connect();
        client.SendLogin(c.User, c.Password);
        const auto reply = client.Receive(kWaitMs);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->Length, 4);
        EXPECT_EQ(reply->Command, kFrameLogin);
        EXPECT_EQ(reply->Payload, (std::vector<uint8_t>{kLoginUnknownAccount, 0, 0}));
        EXPECT_TRUE(client.WaitClosed(kWaitMs));
    }
    EXPECT_TRUE(m_view.Events().empty());
}

TEST_F(RemoteServerTest, SecondLoginOfAnAccountIsRefusedAndTheFirstStays) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    ProtocolClient& first = ConnectLoggedIn(L"alice", L"secret");
    ProtocolClient& second = Connect();

    second.SendLogin(L"alice", L"secret");

    const auto refusal = second.Receive(kWaitMs);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Payload, (std::vector<uint8_t>{kLoginDuplicate, 0, 0}));
    EXPECT_TRUE(second.WaitClosed(kWaitMs));
    ASSERT_FALSE(SysLogRows(Today()).empty());  // the login's row, for the search to find
    first.SendFrame(kCmdSysLogSearch, QueryPayload(Today(), Today(), L"select * from SysLog_Table"));
    EXPECT_TRUE(first.ReceiveCommand(kFrameSysLogRow, kWaitMs)) << "the first login was touched";
}

TEST_F(RemoteServerTest, SameAccountAgainOnItsOwnConnectionIsADuplicate) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");

    client.SendLogin(L"alice", L"secret");

    const auto refusal = client.Receive(kWaitMs);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Payload, (std::vector<uint8_t>{kLoginDuplicate, 0, 0}));
    EXPECT_TRUE(client.WaitClosed(kWaitMs));
}

TEST_F(RemoteServerTest, RightsFileIsAppliedAsFound) {
    const struct {
        const wchar_t* User;
        std::optional<std::vector<uint8_t>> File;
        std::vector<uint8_t> Rights;
        size_t StatusFrames;
    } cases[] = {
        {L"short", std::vector<uint8_t>(5, 1),
         [] {
             std::vector<uint8_t> r(kMaxChannels, 0);
             std::fill(r.begin(), r.begin() + 5, 1);
             return r;
         }(),
         5},
        {L"missing", std::nullopt, std::vector<uint8_t>(kMaxChannels, 0), 0},
        {L"long", std::vector<uint8_t>(600, 1), std::vector<uint8_t>(kMaxChannels, 1), kTestChannels},
    };
    for (const auto& c : cases) {
        AddAccount(c.User, L"pw", c.File);
        ProtocolClient& client = Connect();
        const std::vector<ReceivedFrame> frames = client.Login(c.User, L"pw");
        ASSERT_EQ(frames.size(), 3 + c.StatusFrames);
        EXPECT_EQ(Rights(frames[2]), c.Rights);
    }
}

TEST_F(RemoteServerTest, LoginFrameOfAnotherLengthGetsNoAnswer) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    ProtocolClient& client = Connect();
    for (size_t size : {sizeof(AccountRecord) - 1, sizeof(AccountRecord) + 1}) {
        std::vector<uint8_t> payload = LoginPayload(L"alice", L"secret");
        payload.resize(size);
        client.SendFrame(kCmdLogin, payload);
    }
    EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty());
    EXPECT_FALSE(client.IsClosed());
}

TEST_F(RemoteServerTest, UnterminatedUserNameCountsItsFirst31Characters) {
    AddAccount(std::wstring(31, L'a'), L"secret", RightsFor({1}));
    ProtocolClient& client = Connect();
    std::vector<uint8_t> payload = LoginPayload(L"", L"secret");
    AccountRecord sent;
    std::memcpy(&sent, payload.data(), sizeof(sent));
    std::fill(std::begin(sent.UserName), std::end(sent.UserName), L'a');
    std::memcpy(payload.data(), &sent, sizeof(sent));

    client.SendFrame(kCmdLogin, payload);

    const auto reply = client.Receive(kWaitMs);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Payload[0], kLoginAccepted);
}

TEST_F(RemoteServerTest, LogoutIsLoggedAndClosesTheConnection) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    ProtocolClient& loggedIn = ConnectLoggedIn(L"alice", L"secret");
    ProtocolClient& anonymous = Connect();

    loggedIn.SendFrame(kCmdLogout);
    EXPECT_TRUE(loggedIn.WaitClosed(kWaitMs));
    anonymous.SendFrame(kCmdLogout);
    EXPECT_TRUE(anonymous.WaitClosed(kWaitMs));

    const std::vector<ClientEventRecord> events = m_view.Events();
    ASSERT_EQ(events.size(), 2u) << "no row for the connection nobody logged in on";
    EXPECT_EQ(events[1].Event, kClientLoggedOut);
    EXPECT_EQ(Text(events[1].UserName), L"alice");
    const std::vector<SysLogRow> rows = SysLogRows(Today());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].SysLog_Cmd, kSysLogClientLogout);
    EXPECT_EQ(Text(rows[1].Name), L"alice");
    EXPECT_EQ(Text(rows[1].Notes), L"Client logged out");
    EXPECT_EQ(rows[2].SysLog_Cmd, kSysLogClientLogout);
    EXPECT_EQ(Text(rows[2].Name), L"");
}

TEST_F(RemoteServerTest, BrokenConnectionFreesItsAccountAtOnce) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    ConnectLoggedIn(L"alice", L"secret").Abort();

    ASSERT_TRUE(m_view.WaitForEvents(2, kWaitMs));
    EXPECT_EQ(m_view.Events()[1].Event, kClientTimedOut);
    EXPECT_EQ(Text(m_view.Events()[1].UserName), L"alice");
    ConnectLoggedIn(L"alice", L"secret");
}

TEST_F(RemoteServerTest, ForcedOfflineClientGetsTheLogoutFrame) {
    AddAccount(L"alice", L"secret", RightsFor({1}));
    AddAccount(L"bob", L"secret", RightsFor({1}));
    ProtocolClient& alice = ConnectLoggedIn(L"alice", L"secret");
    ProtocolClient& bob = ConnectLoggedIn(L"bob", L"secret");

    ForceClientOffline(L"alice");

    const auto frame = alice.Receive(kWaitMs);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->Command, kFrameLogout);
    EXPECT_EQ(frame->Payload, (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_TRUE(alice.WaitClosed(kWaitMs));
    EXPECT_TRUE(bob.ReceiveUntilQuiet(kQuietMs).empty());
    EXPECT_FALSE(bob.IsClosed());
}
