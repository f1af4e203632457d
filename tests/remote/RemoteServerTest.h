#pragma once
// The fixture of the remote-client tests: a fresh program and data folder, the client account store with the
// tests' accounts and their rights files, eight present channels, a recording view that keeps the client events,
// and the TCP server listening on a free loopback port. TearDown forces every client off and stops the server.

#include "ProtocolClient.h"
#include "RecordingServiceView.h"
#include "TestFolder.h"
#include "LocalTime.h"
#include "WaitUntil.h"
#include "records/EngineRecords.h"
#include "records/ProtocolRecords.h"
#include "records/StorageRecords.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The recording view, keeping the contents of the client events as well.
class ClientEventView : public RecordingServiceView {
public:
    void ClientEvent(const ClientEventRecord& event) override;
    std::vector<ClientEventRecord> Events();
    bool WaitForEvents(size_t count, int timeoutMs);

private:
    std::mutex m_eventLock;  // guards m_events
    std::vector<ClientEventRecord> m_events;
};

constexpr int kTestChannels = 8;
constexpr int kWaitMs = 5000;  // deadline of whatever must happen
constexpr int kQuietMs = 600;  // how long nothing must arrive

class RemoteServerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // An account of the client store. rights: the content of its rights file, or none for a missing file.
    void AddAccount(const std::wstring& userName, const std::wstring& password,
                    const std::optional<std::vector<uint8_t>>& rights, int chartRight = 1);
    // 512 rights, 1 for each of the channels.
    static std::vector<uint8_t> RightsFor(std::initializer_list<int> channels);

    ProtocolClient& Connect();
    // A client that logs in, starts listening live to the channel (its account needs the right) and then reads
    // nothing more: a small receive buffer makes its connection fill up quickly.
    ProtocolClient& ConnectStalledListener(const std::wstring& userName, const std::wstring& password, int channel);
    // Connects and logs in; fails the test unless the login is accepted.
    ProtocolClient& ConnectLoggedIn(const std::wstring& userName, const std::wstring& password);
    // A row of the day database of the start time: a recording of the channel, its type and length in seconds.
    static void AddCallRow(const SYSTEMTIME& start, int channel, int callType, int recTime,
                           const std::wstring& filePath);
    static void AddSysLogRow(const SYSTEMTIME& time, int code, const std::wstring& name);

    // Waits until the server holds this many connected slots.
    bool WaitForConnectedSlots(int count);
    // The rows of a day's system log, in order, once the rows queued so far are written.
    std::vector<SysLogRow> SysLogRows(const SYSTEMTIME& day);

    TestFolder m_folder;
    ClientEventView m_view;
    int m_port = 0;
    std::vector<std::unique_ptr<ProtocolClient>> m_clients;
};

// Day helpers: the day `daysAgo` days before today at the given time.
SYSTEMTIME DayAt(int daysAgo, WORD hour, WORD minute, WORD second);
bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b);
bool FileExists(const std::wstring& path);
// The bytes of a file, to show it unchanged.
std::vector<uint8_t> FileBytes(const std::wstring& path);
