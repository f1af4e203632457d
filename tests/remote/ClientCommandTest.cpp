#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "ClientCommandTest.h"

#include "channels/ChannelTable.h"
#include "clients/ClientSlot.h"
#include "storage/AccountStore.h"
#include "storage/CallRecordStore.h"
#include "storage/ContactStore.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"

#include <chrono>
#include <mutex>
#include <new>
#include <thread>

std::vector<uint8_t> WithSubCommand(uint8_t subCommand, const std::vector<uint8_t>& rest) {
    std::vector<uint8_t> bytes{subCommand};
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    return bytes;
}

CallRecord SentRecord(const std::wstring& filePath, const SYSTEMTIME& start) {
    CallRecord record{};
    CopyToField(record.FilePath, filePath.c_str());
    record.StartTime = start;
    return record;
}

void ClientCommandTest::SetUp() {
    RemoteServerTest::SetUp();
    WriteUtf16File(m_folder.ProgramFolder() + L"\\Lang\\CHS.ini",
                   L"[Language]\r\n0186=Operator\r\n0342=Client logged in\r\n0345=Client logged out\r\n");
    CreateMonthFolder(Today());
    ASSERT_TRUE(TodayCallStore().Open(CdrDayFile(Today()).c_str()));
    ASSERT_TRUE(TheContactStore().Open(StoreFilePath(kContactDbName).c_str()));
}

void ClientCommandTest::TearDown() {
    for (ClientSlot& slot : ClientSlots())
        slot.ContactList.Stop();
    RemoteServerTest::TearDown();
    ResetTestChannels();
    TheContactStore().Close();
    TodayCallStore().Close();
}

void ClientCommandTest::ResetTestChannels() {
    for (int channel = 0; channel < kTestChannels; ++channel) {
        ChannelRecord& record = ChannelTable[channel];
        {
            std::lock_guard<std::recursive_mutex> lock(record.FileLock);
            record.FileHandle.Close();
        }
        record.~ChannelRecord();
        new (&record) ChannelRecord();
    }
}

void ClientCommandTest::SetAccountRights(const std::wstring& userName, int player, int download, int deleteRight) {
    AccountStore& store = ClientAccountStore();
    AccountRecord found{};
    store.ForEachAccount([&](const AccountRecord& account) {
        if (userName == account.UserName)
            found = account;
    });
    ASSERT_TRUE(found.UserName[0]) << "no account";
    found.bPlayer = player;
    found.bDownload = download;
    found.bDelete = deleteRight;
    ASSERT_TRUE(store.Update(found));
}

std::vector<SysLogRow> ClientCommandTest::TodaysRows(int code) {
    std::vector<SysLogRow> rows;
    for (const SysLogRow& row : SysLogRows(Today())) {
        if (row.SysLog_Cmd == code)
            rows.push_back(row);
    }
    return rows;
}

std::vector<SysLogRow> ClientCommandTest::WaitForTodaysRows(int code, size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
    for (;;) {
        std::vector<SysLogRow> rows = TodaysRows(code);
        if (rows.size() >= count || std::chrono::steady_clock::now() > deadline)
            return rows;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
