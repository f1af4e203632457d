// The upload thread without a server: failed uploads, missing recordings, the login switch and stopping.

#include <winsock2.h>  // before windows.h

#include "backup/FtpBackup.h"

#include "BackupTestSupport.h"
#include "TestFolder.h"
#include "storage/FtpQueueStore.h"
#include "storage/StoragePaths.h"
#include "storage/Stores.h"

#include <gtest/gtest.h>

namespace {

// A loopback port where nothing listens: bound once by us, then released.
int ClosedPort() {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    int length = sizeof(address);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::closesocket(s);
    return ntohs(address.sin_port);
}

class FtpUploadPasses : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(TheFtpQueueStore().Open(StoreFilePath(kFtpQueueDbName).c_str()));
        WriteFtpLogin(ClosedPort());
    }
    void TearDown() override { TheFtpQueueStore().Close(); }

    std::wstring Recording(const wchar_t* name) {
        const std::wstring path = folder.ProgramFolder() + L"\\" + name;
        WriteBytes(path, PatternBytes(1000));
        return path;
    }

    FtpJob StoreJob(const std::wstring& path, const SYSTEMTIME& start) {
        FtpJob job = MakeJob(path, start);
        EXPECT_TRUE(TheFtpQueueStore().InsertJob(job));
        return job;
    }

    std::vector<std::wstring> StoredPaths() {
        std::vector<std::wstring> paths;
        TheFtpQueueStore().ForEachJob([&](const FtpJob& job) { paths.emplace_back(FieldText(job.RecFilePath)); });
        return paths;
    }

    TestFolder folder;
    FtpLogView view;
    ScopedServiceView installed{view};
};

}  // namespace

TEST_F(FtpUploadPasses, AFailedUploadGoesToTheTailAfterThePause) {
    const std::wstring first = Recording(L"first.wav");
    const std::wstring second = Recording(L"second.wav");
    StoreJob(first, Now());
    StoreJob(second, Now());
    constexpr DWORD kPauseMs = 1500;
    FtpBackup backup({10, 10, kPauseMs});
    ASSERT_TRUE(backup.Start());
    ASSERT_TRUE(view.WaitForRows(5, 20000));
    backup.Stop();

    const std::vector<FtpLogView::Row> rows = view.Rows();
    const std::pair<std::wstring, int> expected[] = {{first, kFtpUploadStarted},
                                                     {first, kFtpUploadFailed},
                                                     {second, kFtpUploadStarted},
                                                     {second, kFtpUploadFailed},
                                                     {first, kFtpUploadStarted}};
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(expected[i].first, rows[i].Path) << i;
        EXPECT_EQ(expected[i].second, rows[i].Status) << i;
    }
    EXPECT_GE(rows[2].At - rows[1].At, std::chrono::milliseconds(kPauseMs - 100));
    EXPECT_EQ((std::vector<std::wstring>{first, second}), StoredPaths());  // kept until uploaded
}

TEST_F(FtpUploadPasses, AMissingRecordingIsReportedAndDroppedOnceItsCallIsOld) {
    const SYSTEMTIME now = Now();
    FILETIME twoDaysAgo;
    ::SystemTimeToFileTime(&now, &twoDaysAgo);
    reinterpret_cast<ULARGE_INTEGER&>(twoDaysAgo).QuadPart -= 2ull * 24 * 3600 * 10000000;
    SYSTEMTIME oldStart;
    ::FileTimeToSystemTime(&twoDaysAgo, &oldStart);
    const std::wstring gone = folder.ProgramFolder() + L"\\gone.wav";
    const std::wstring coming = folder.ProgramFolder() + L"\\coming.mp3";  // a conversion may still make it
    StoreJob(gone, oldStart);
    StoreJob(coming, now);

    FtpBackup backup({10, 10, 10});
    ASSERT_TRUE(backup.Start());
    ASSERT_TRUE(
        view.WaitFor([](const std::vector<RecordingServiceView::Call>& calls) { return calls.size() >= 4; }, 20000));
    backup.Stop();

    int goneRows = 0;
    int comingRows = 0;
    for (const FtpLogView::Row& row : view.Rows()) {
        EXPECT_EQ(kFtpLocalFileMissing, row.Status);
        goneRows += row.Path == gone;
        comingRows += row.Path == coming;
    }
    EXPECT_EQ(1, goneRows);
    EXPECT_GE(comingRows, 3);  // loaded again at every refill while its call is recent
    EXPECT_EQ(std::vector<std::wstring>{coming}, StoredPaths());
}

TEST_F(FtpUploadPasses, AnEmptyPasswordStopsAllUploads) {
    WriteFtpText(kKeyFtpUserPsw, L"");
    StoreJob(folder.ProgramFolder() + L"\\missing.wav", Now());
    FtpBackup backup({10, 10, 10});
    ASSERT_TRUE(backup.Start());
    EXPECT_FALSE(view.WaitForRows(1, 500));  // some fifty passes, none of them tried the job
    backup.Stop();
    EXPECT_EQ(1u, StoredPaths().size());
}

TEST_F(FtpUploadPasses, StopEndsAPauseAtOnce) {
    StoreJob(Recording(L"a.wav"), Now());
    FtpBackup backup({10, 10, 60000});
    ASSERT_TRUE(backup.Start());
    ASSERT_TRUE(view.WaitForRows(2, 20000));  // started, failed: now in the failure pause

    const auto before = std::chrono::steady_clock::now();
    backup.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1000));
    EXPECT_FALSE(backup.IsRunning());
    EXPECT_EQ(1u, backup.QueuedJobs().size());  // the failed job waits at the tail
}
