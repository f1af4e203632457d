// The dispatcher's rules for the record, phone-book, password, monitoring, dialling and channel-parameter
// commands: nothing runs before a login, and a frame shorter than its command needs is dropped without reply.

#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "ClientCommandTest.h"

#include "channels/ChannelTable.h"
#include "storage/AccountStore.h"
#include "storage/ContactStore.h"
#include "storage/Stores.h"

namespace {

struct CommandCase {
    const char* Name;
    uint8_t Command;
    std::vector<uint8_t> Payload;
    uint8_t Reply;  // the command byte of the answer the complete frame gets
};

std::vector<uint8_t> Zeros(size_t count) {
    return std::vector<uint8_t>(count, 0);
}

// Complete frames of the commands that answer, each from a logged-in account with every right.
std::vector<CommandCase> AnsweredCommands(const std::wstring& recording) {
    std::vector<uint8_t> dial = WithSubCommand(10, Zeros(32 + 4));
    dial[1 + 32] = 200;  // channel 200: refused with status 1 whatever the lines
    ContactRecord contact{};
    CopyToField(contact.UserName, L"Anna");
    CallRecord record = SentRecord(recording, DayAt(0, 9, 0, 0));
    return {
        {"4/0 download", kCmdDownload, WithSubCommand(0, BytesOf(record)), kFrameDownload},
        {"4/1 next chunk", kCmdDownload, {1}, kFrameDownload},
        {"5 notes", kCmdUpdateNotes, BytesOf(record), kCmdUpdateNotes},
        {"6 flag", kCmdUpdateFlag, BytesOf(record), kCmdUpdateFlag},
        {"7 delete", kCmdDeleteRecord, BytesOf(record), kCmdDeleteRecord},
        {"14 stop monitoring", kCmdStopMonitor, {}, kFrameMonitorStopped},
        {"19/1 add contact", kCmdPhoneBook, WithSubCommand(1, BytesOf(contact)), kFramePhoneBook},
        {"19/4 list", kCmdPhoneBook, WithSubCommand(4, Zeros(64)), kFramePhoneBook},
        {"23 password", kCmdChangePassword, Zeros(128), kFramePhoneBookResult},
        {"25/0 read parameters", kCmdChannelParams, {0, 1, 0}, kFrameChannelParams},
        {"26 dial", kCmdRemoteDial, dial, kFrameDialStatus},
    };
}

class CommandRulesTest : public ClientCommandTest {
protected:
    void SetUp() override {
        ClientCommandTest::SetUp();
        AddAccount(L"alice", L"secret", RightsFor({1}));
        SetAccountRights(L"alice", 1, 1, 1);
        m_recording = m_folder.DataFolder() + L"\\call.wav";
        WriteUtf16File(m_recording, L"some audio");
        AddCallRow(DayAt(0, 9, 0, 0), 1, kCallIncoming, 10, m_recording);
        ContactRecord contact{};
        CopyToField(contact.UserName, L"Ben");
        ASSERT_TRUE(TheContactStore().InsertContact(contact));
    }

    std::wstring m_recording;
};

}  // namespace

TEST_F(CommandRulesTest, CommandsBeforeLoginHaveNoEffect) {
    std::vector<uint8_t> monitor = {1, 0};
    ProtocolClient& client = Connect();
    for (const CommandCase& c : AnsweredCommands(m_recording))
        client.SendFrame(c.Command, c.Payload);
    client.SendFrame(kCmdStartMonitor, monitor);
    EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty());
    EXPECT_TRUE(FileExists(m_recording));
    int contacts = 0;
    TheContactStore().ForEachContact([&](const ContactRecord&) { ++contacts; });
    EXPECT_EQ(contacts, 1);
    EXPECT_TRUE(SysLogRows(Today()).empty());

    ASSERT_FALSE(client.Login(L"alice", L"secret").empty());
    for (const CommandCase& c : AnsweredCommands(m_recording)) {
        client.SendFrame(c.Command, c.Payload);
        EXPECT_TRUE(client.ReceiveCommand(c.Reply, kWaitMs)) << c.Name;
        client.ReceiveUntilQuiet(kQuietMs);
    }
}

TEST_F(CommandRulesTest, FramesShorterThanTheirCommandAreDropped) {
    ProtocolClient& client = ConnectLoggedIn(L"alice", L"secret");
    for (const CommandCase& c : AnsweredCommands(m_recording)) {
        if (c.Payload.empty())
            continue;
        client.SendFrame(c.Command, {c.Payload.begin(), c.Payload.end() - 1});
        EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty()) << c.Name;
    }
    // The record commands take exactly one CallRecord.
    std::vector<uint8_t> longer = BytesOf(SentRecord(m_recording, DayAt(0, 9, 0, 0)));
    longer.push_back(0);
    for (uint8_t command : {kCmdUpdateNotes, kCmdUpdateFlag, kCmdDeleteRecord}) {
        client.SendFrame(command, longer);
        EXPECT_TRUE(client.ReceiveUntilQuiet(kQuietMs).empty()) << int{command};
    }
    EXPECT_TRUE(FileExists(m_recording));
    int contacts = 0;
    TheContactStore().ForEachContact([&](const ContactRecord&) { ++contacts; });
    EXPECT_EQ(contacts, 1);
}
