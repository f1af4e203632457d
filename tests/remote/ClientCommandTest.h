#pragma once
// The fixture of the tests of a logged-in client's record, phone-book, monitoring, dialling and channel-parameter
// commands: the remote-server fixture plus today's CDR store and the phone book opened as at start-up, the language
// texts those commands log, and builders of their payloads.

#include "RemoteServerTest.h"
#include "storage/RecordFields.h"

#include <cstring>
#include <string>
#include <vector>

// The bytes of a record, to put in a payload.
template <class Record>
std::vector<uint8_t> BytesOf(const Record& record) {
    std::vector<uint8_t> bytes(sizeof(Record));
    std::memcpy(bytes.data(), &record, sizeof(Record));
    return bytes;
}

// The sub-command byte, then the rest.
std::vector<uint8_t> WithSubCommand(uint8_t subCommand, const std::vector<uint8_t>& rest = {});

// A CallRecord as a search sent it: the path and the start time are what the commands act on.
CallRecord SentRecord(const std::wstring& filePath, const SYSTEMTIME& start);

class ClientCommandTest : public RemoteServerTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Rebuilds the records of the test channels as at process start (an open recording file is closed): the
    // commands under test change their settings, schedules and calls.
    static void ResetTestChannels();
    // Grants or takes the account's rights (1 granted, 0 not).
    void SetAccountRights(const std::wstring& userName, int player, int download, int deleteRight);
    // The system-log rows of today with this event code.
    std::vector<SysLogRow> TodaysRows(int code);
    // The same once there are at least count of them, or at the deadline.
    std::vector<SysLogRow> WaitForTodaysRows(int code, size_t count);
};
