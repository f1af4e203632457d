// Transfers to a real FTP server on loopback. ftp-server.sh starts the server over a fresh root folder with the
// login tess/secret and runs these tests with TESS_FTP_PORT and TESS_FTP_ROOT (the root as a Windows path). Run
// without them (as part of the whole program) they are skipped.

#include "backup/FtpBackup.h"
#include "backup/FtpTransfer.h"

#include "BackupTestSupport.h"
#include "TestFolder.h"
#include "storage/CallRecordStore.h"
#include "storage/FtpQueueStore.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"

#include <gtest/gtest.h>

namespace {

std::wstring Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(value) : std::wstring();
}

class FtpServer : public ::testing::Test {
protected:
    void SetUp() override {
        root = Environment(L"TESS_FTP_ROOT");
        const std::wstring portText = Environment(L"TESS_FTP_PORT");
        if (root.empty() || portText.empty())
            GTEST_SKIP() << "run by ftp-server.sh";
        port = std::stoi(portText);
    }

    // The file at a remote path, as the server stored it.
    std::wstring OnServer(const std::wstring& remotePath) {
        std::wstring path = root + remotePath;
        for (wchar_t& c : path)
            c = c == L'/' ? L'\\' : c;
        return path;
    }

    int Upload(const wchar_t* remotePath, DWORD size, const std::wstring& local, const wchar_t* password = L"secret") {
        return UploadFileByFtp(remotePath, size, local.c_str(), L"127.0.0.1", L"tess", password, port, noStop);
    }

    std::wstring root;
    int port = 0;
    std::atomic<bool> noStop{false};
};

// A CDR row for the recording at path, started at start.
void AddCdrRow(CallRecordStore& store, const std::wstring& path, const SYSTEMTIME& start) {
    CallRecord record{};
    CopyToField(record.FilePath, path.c_str());
    CopyToField(record.PhoneNumber, L"5550123");
    record.CallType = kCallIncoming;
    record.RecTime = 12;
    record.StartTime = start;
    ASSERT_TRUE(store.Insert(record));
}

int FlagOf(const std::wstring& database, const std::wstring& path) {
    CallRecordStore store;
    CallRecord record{};
    record.Flag = -1;
    if (store.Open(database.c_str()))
        store.FindByPath(path.c_str(), record);
    store.Close();
    return record.Flag;
}

}  // namespace

TEST_F(FtpServer, UploadWritesExactlyTheFileAndMakesItsFolders) {
    TestFolder folder;
    const std::wstring local = folder.ProgramFolder() + L"\\call.wav";
    const std::string bytes = PatternBytes(3 * kFtpChunkBytes + 123);
    WriteBytes(local, bytes);

    // Without a leading "/" the path is taken from the root all the same.
    ASSERT_EQ(1, Upload(L"S1/202403/20240305/call.wav", static_cast<DWORD>(bytes.size()), local));
    EXPECT_EQ(bytes, ReadBytes(OnServer(L"/S1/202403/20240305/call.wav")));

    // Sending again replaces the file on the server.
    const std::string shorter = PatternBytes(10);
    WriteBytes(local, shorter);
    ASSERT_EQ(1, Upload(L"/S1/202403/20240305/call.wav", 10, local));
    EXPECT_EQ(shorter, ReadBytes(OnServer(L"/S1/202403/20240305/call.wav")));
}

TEST_F(FtpServer, UploadFailsWhenLessThanTheFileSizeWasSent) {
    TestFolder folder;
    const std::wstring local = folder.ProgramFolder() + L"\\cut.wav";
    WriteBytes(local, PatternBytes(kFtpChunkBytes + 5));
    // The file lost its end after its size was taken: a truncated upload is not a success.
    EXPECT_EQ(0, Upload(L"/S1/cut.wav", 2 * kFtpChunkBytes, local));
    EXPECT_EQ(0, Upload(L"/S1/wrong.wav", kFtpChunkBytes, local, L"wrong"));
    EXPECT_FALSE(FileExists(OnServer(L"/S1/wrong.wav")));
}

TEST_F(FtpServer, UploadedRecordingIsFlaggedAndFollowedByItsDaysCdr) {
    TestFolder folder;
    WriteFtpLogin(port);
    ASSERT_TRUE(TheFtpQueueStore().Open(StoreFilePath(kFtpQueueDbName).c_str()));

    // A call of an earlier day, beside another row of that day, and a call of today in today's open store.
    const SYSTEMTIME earlier = MakeTime(2024, 3, 5, 10, 20, 30);
    const SYSTEMTIME today = Now();
    const std::wstring earlierFile = folder.ProgramFolder() + L"\\20240305102030-in-001(Desk #2)-5550123.wav";
    const std::wstring otherFile = folder.ProgramFolder() + L"\\20240305110000-in-001(Desk 2)-5550124.wav";
    const std::wstring todayFile = folder.ProgramFolder() + L"\\today.wav";
    const std::string earlierBytes = PatternBytes(20000);
    const std::string todayBytes = PatternBytes(kFtpChunkBytes);
    WriteBytes(earlierFile, earlierBytes);
    WriteBytes(todayFile, todayBytes);
    {
        CreateMonthFolder(earlier);
        CallRecordStore day;
        ASSERT_TRUE(day.Open(CdrDayFile(earlier).c_str()));
        AddCdrRow(day, earlierFile, earlier);
        AddCdrRow(day, otherFile, MakeTime(2024, 3, 5, 11));
        day.Close();
    }
    CreateMonthFolder(today);
    ASSERT_TRUE(TodayCallStore().Open(CdrDayFile(today).c_str()));
    AddCdrRow(TodayCallStore(), todayFile, today);
    FtpJob earlierJob = MakeJob(earlierFile, earlier);
    FtpJob todayJob = MakeJob(todayFile, today);
    ASSERT_TRUE(TheFtpQueueStore().InsertJob(earlierJob));
    ASSERT_TRUE(TheFtpQueueStore().InsertJob(todayJob));

    FtpLogView view;
    ScopedServiceView installed(view);
    FtpBackup backup({10, 10, 1000});
    ASSERT_TRUE(backup.Start());
    const auto uploaded = [&](const std::wstring& path) {
        for (const FtpLogView::Row& row : view.Rows())
            if (row.Path == path && row.Status == kFtpUploadDone)
                return true;
        return false;
    };
    ASSERT_TRUE(WaitUntil([&] { return uploaded(earlierFile) && uploaded(todayFile); }, 30000));

    // The site's serial was made at the first upload and names the first folder.
    const std::wstring serial = ReadSettingString(kSectionSettings, kKeyLocalSerialNo);
    ASSERT_EQ(8u, serial.size());
    const std::wstring earlierFolder = L"/" + serial + L"/202403/20240305/";
    CString todayFolder;
    todayFolder.Format(L"/%s/%04d%02d/%04d%02d%02d/", serial.c_str(), today.wYear, today.wMonth, today.wYear,
                       today.wMonth, today.wDay);
    EXPECT_EQ(earlierBytes, ReadBytes(OnServer(earlierFolder + L"20240305102030-in-001(Desk B2)-5550123.wav")));
    EXPECT_EQ(todayBytes, ReadBytes(OnServer(std::wstring(todayFolder) + L"today.wav")));

    // The CDR copies follow each recording, made after the flag was set.
    const std::wstring earlierCdr = OnServer(earlierFolder + L"dbFiles/CDR20240305.db");
    CString todayCdrName;
    todayCdrName.Format(L"dbFiles/CDR%04d%02d%02d.db", today.wYear, today.wMonth, today.wDay);
    const std::wstring todayCdr = OnServer(std::wstring(todayFolder) + todayCdrName.GetString());
    const std::wstring localCopies = folder.ProgramFolder() + L"\\FtpDB\\";
    const auto sent = [&](const std::wstring& remote, const std::wstring& copyName) {
        const std::string copy = ReadBytes(localCopies + copyName);
        return !copy.empty() && ReadBytes(remote) == copy;
    };
    ASSERT_TRUE(WaitUntil(
        [&] { return sent(earlierCdr, L"CDR20240305.db") && sent(todayCdr, std::wstring(todayCdrName.Mid(8))); },
        30000));
    backup.Stop();
    EXPECT_EQ(1, FlagOf(earlierCdr, earlierFile));
    EXPECT_EQ(0, FlagOf(earlierCdr, otherFile));
    EXPECT_EQ(1, FlagOf(todayCdr, todayFile));

    // The flags are in the right days' databases, and the jobs are gone.
    TodayCallStore().Close();
    EXPECT_EQ(1, FlagOf(CdrDayFile(earlier), earlierFile));
    EXPECT_EQ(0, FlagOf(CdrDayFile(earlier), otherFile));
    EXPECT_EQ(1, FlagOf(CdrDayFile(today), todayFile));
    int stored = 0;
    TheFtpQueueStore().ForEachJob([&](const FtpJob&) { ++stored; });
    EXPECT_EQ(0, stored);
    TheFtpQueueStore().Close();

    std::vector<std::pair<std::wstring, int>> rows;
    for (const FtpLogView::Row& row : view.Rows())
        rows.emplace_back(row.Path, row.Status);
    EXPECT_EQ((std::vector<std::pair<std::wstring, int>>{{earlierFile, kFtpUploadStarted},
                                                         {earlierFile, kFtpUploadDone},
                                                         {todayFile, kFtpUploadStarted},
                                                         {todayFile, kFtpUploadDone}}),
              rows);
}
