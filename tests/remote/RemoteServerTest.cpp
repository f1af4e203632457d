#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "RemoteServerTest.h"

#include "engine/CardEngineState.h"
#include "channels/ChannelTable.h"
#include "clients/ClientPushes.h"
#include "clients/ClientSlot.h"
#include "remote/TcpServer.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"
#include "storage/AccountStore.h"
#include "storage/CallRecordStore.h"
#include "storage/OleDate.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <filesystem>
#include <fstream>

namespace {

// A port nobody listens on: the one the system gives a socket bound to port 0.
int FreeLoopbackPort() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const SOCKET probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    int length = sizeof(address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(probe);
    WSACleanup();
    return ntohs(address.sin_port);
}

void ResetChannels() {
    EngineState.ChannelCount = 0;
    for (ChannelRecord& channel : ChannelTable) {
        channel.Present = 0;
        channel.LineType = QSD_CHTYPE_LINE_RECORD;
        channel.State = kStateNoLine;
        channel.Name[0] = channel.Phone[0] = L'\0';
        channel.DialledDigits[0] = channel.CallerId[0] = '\0';
        channel.SpyCalleeId[0] = channel.SpyCallerId[0] = '\0';
        channel.Rec = channel.RecordedMs = channel.LineVoltage = 0;
        channel.StartTime = {};
    }
}

}  // namespace

void ClientEventView::ClientEvent(const ClientEventRecord& event) {
    {
        std::lock_guard<std::mutex> guard(m_eventLock);
        m_events.push_back(event);
    }
    RecordingServiceView::ClientEvent(event);
}

std::vector<ClientEventRecord> ClientEventView::Events() {
    std::lock_guard<std::mutex> guard(m_eventLock);
    return m_events;
}

bool ClientEventView::WaitForEvents(size_t count, int timeoutMs) {
    return WaitFor(
        [count](const std::vector<Call>& calls) {
            size_t events = 0;
            for (const Call& call : calls)
                events += call.Method == "ClientEvent";
            return events >= count;
        },
        timeoutMs);
}

void RemoteServerTest::SetUp() {
    SetServiceView(&m_view);
    WriteUtf16File(m_folder.ProgramFolder() + L"\\Lang\\CHS.ini",
                   L"[Language]\r\n0342=Client logged in\r\n0345=Client logged out\r\n");
    WriteSettingString(kSectionSettings, kKeyLocalName, L"Recorder A");
    WriteSettingString(kSectionSettings, kKeyLocalSerialNo, L"SN-0042");

    ResetChannels();
    EngineState.ChannelCount = kTestChannels;
    for (int channel = 0; channel < kTestChannels; ++channel) {
        ChannelTable[channel].Present = 1;
        ChannelTable[channel].LineType = QSD_CHTYPE_LINE_VOLTAGE;
        ChannelTable[channel].State = kStateIdle;
    }

    ASSERT_TRUE(ClientAccountStore().Open(StoreFilePath(kClientAccountDbName).c_str()));
    m_port = FreeLoopbackPort();
    Startup.NetPort = m_port;
    ASSERT_EQ(StartTcpServer(), 1);
}

void RemoteServerTest::TearDown() {
    ForceAllClientsOffline();
    for (ClientSlot& slot : ClientSlots()) {
        slot.CdrSearch.Stop();
        slot.Statistics.Stop();
        slot.SysLogSearch.Stop();
    }
    StopTcpServer();
    m_clients.clear();
    ClientAccountStore().Close();
    ResetChannels();
    SetServiceView(nullptr);
}

void RemoteServerTest::AddAccount(const std::wstring& userName, const std::wstring& password,
                                  const std::optional<std::vector<uint8_t>>& rights, int chartRight) {
    const std::wstring rightsFile = m_folder.DataFolder() + L"\\" + userName + L".rights";
    if (rights) {
        std::ofstream file(std::filesystem::path(rightsFile), std::ios::binary);
        file.write(reinterpret_cast<const char*>(rights->data()), static_cast<std::streamsize>(rights->size()));
    }
    AccountRecord account{};
    CopyToField(account.UserName, userName.c_str());
    CopyToField(account.UserPsw, password.c_str());
    CopyToField(account.UserFile, rightsFile.c_str());
    account.bPlayer = 1;
    account.bDownload = 1;
    account.bChart = chartRight;
    ASSERT_TRUE(ClientAccountStore().Insert(account));
}

std::vector<uint8_t> RemoteServerTest::RightsFor(std::initializer_list<int> channels) {
    std::vector<uint8_t> rights(kMaxChannels, 0);
    for (int channel : channels)
        rights[channel] = 1;
    return rights;
}

void RemoteServerTest::AddCallRow(const SYSTEMTIME& start, int channel, int callType, int recTime,
                                  const std::wstring& filePath) {
    CreateMonthFolder(start);
    CallRecordStore store;
    ASSERT_TRUE(store.Open(CdrDayFile(start).c_str()));
    CallRecord record{};
    record.Channel = channel;
    record.CallType = callType;
    record.RecTime = recTime;
    record.StartTime = start;
    CopyToField(record.FilePath, filePath.c_str());
    ASSERT_TRUE(store.Insert(record));
    store.Close();
}

void RemoteServerTest::AddSysLogRow(const SYSTEMTIME& time, int code, const std::wstring& name) {
    SysLogRow row{};
    row.SysLog_Cmd = code;
    CopyToField(row.Name, name.c_str());
    row.Time = time;
    WriteSysLogRow(row);
}

ProtocolClient& RemoteServerTest::Connect() {
    m_clients.push_back(std::make_unique<ProtocolClient>());
    EXPECT_TRUE(m_clients.back()->Connect(m_port));
    return *m_clients.back();
}

ProtocolClient& RemoteServerTest::ConnectStalledListener(const std::wstring& userName, const std::wstring& password,
                                                         int channel) {
    constexpr int kSmallReceiveBuffer = 4096;
    ProtocolClient& client = *m_clients.emplace_back(std::make_unique<ProtocolClient>());
    EXPECT_TRUE(client.Connect(m_port, kSmallReceiveBuffer));
    EXPECT_FALSE(client.Login(userName, password).empty());
    client.SendFrame(kCmdStartMonitor, {static_cast<uint8_t>(channel), static_cast<uint8_t>(channel >> 8)});
    EXPECT_TRUE(WaitUntil([&] {
        for (ClientSlot& slot : ClientSlots()) {
            auto lock = slot.LockFields();
            if (slot.MonitorFlag && slot.MonitoredChannel == channel)
                return true;
        }
        return false;
    }));
    return client;
}

ProtocolClient& RemoteServerTest::ConnectLoggedIn(const std::wstring& userName, const std::wstring& password) {
    ProtocolClient& client = Connect();
    const std::vector<ReceivedFrame> frames = client.Login(userName, password);
    EXPECT_FALSE(frames.empty());
    if (!frames.empty()) {
        EXPECT_EQ(frames[0].Command, kFrameLogin);
        EXPECT_EQ(frames[0].Length, 2 + sizeof(AccountRecord))
            << "login of " << std::string(userName.begin(), userName.end());
    }
    return client;
}

bool RemoteServerTest::WaitForConnectedSlots(int count) {
    return WaitUntil([count] {
        int connected = 0;
        for (ClientSlot& slot : ClientSlots())
            connected += slot.IsConnected();
        return connected == count;
    });
}

std::vector<SysLogRow> RemoteServerTest::SysLogRows(const SYSTEMTIME& day) {
    // The commands queue their rows for the engine's system-log writer, which these tests do not run: the rows
    // queued so far are written first.
    while (std::unique_ptr<SysLogRow> row = EngineState.SysLogQueue.Pop())
        WriteSysLogRow(*row);
    std::vector<SysLogRow> rows;
    SysLogStore store;
    if (store.Open(SysLogDayFile(day).c_str()))
        store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& row) { rows.push_back(row); });
    store.Close();
    return rows;
}

SYSTEMTIME DayAt(int daysAgo, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME day = FromOleDate(ToOleDate(Today()) - daysAgo);
    day.wHour = hour;
    day.wMinute = minute;
    day.wSecond = second;
    day.wMilliseconds = 0;
    return day;
}

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<uint8_t> FileBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
