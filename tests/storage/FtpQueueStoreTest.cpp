#include "storage/FtpQueueStore.h"
#include "storage/RecordFields.h"

#include "StorageTestSupport.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

FtpJob MakeJob(const wchar_t* path, const SYSTEMTIME& start) {
    FtpJob job{};
    CopyToField(job.RecordNum, L"5550123");
    CopyToField(job.RecFilePath, path);
    job.stStartRec = start;
    return job;
}

std::vector<FtpJob> LoadJobs(FtpQueueStore& store) {
    std::vector<FtpJob> jobs;
    store.ForEachJob([&](const FtpJob& job) { jobs.push_back(job); });
    return jobs;
}

}  // namespace

TEST(FtpQueueStore, PendingJobsSurviveARestartUntilDeleted) {
    TestFolder folder;
    const std::wstring path = folder.DataFolder() + L"\\MyFtp.db";
    SYSTEMTIME start = LocalTime(2024, 3, 5, 8, 30, 15);
    start.wDayOfWeek = 2;  // a Tuesday, as the read-back computes it
    std::vector<FtpJob> queued = {MakeJob(L"C:\\rec\\a.wav", start), MakeJob(L"C:\\rec\\O'Neil #1.wav", start),
                                  MakeJob(L"C:\\rec\\c_%.wav", start)};
    {
        FtpQueueStore store;
        ASSERT_TRUE(store.Open(path.c_str()));
        for (FtpJob& job : queued)
            ASSERT_TRUE(store.InsertJob(job));
        EXPECT_TRUE(store.Close());
    }

    FtpQueueStore store;
    ASSERT_TRUE(store.Open(path.c_str()));
    std::vector<FtpJob> loaded = LoadJobs(store);
    ASSERT_EQ(queued.size(), loaded.size());
    for (size_t i = 0; i < queued.size(); ++i)
        EXPECT_EQ(0, std::memcmp(&queued[i], &loaded[i], sizeof(FtpJob))) << i;

    // An uploaded job goes; every other stays, whatever its path holds.
    EXPECT_TRUE(store.DeleteJob(queued[1]));
    FtpJob wildcard{};
    CopyToField(wildcard.RecordID, L"%");
    EXPECT_TRUE(store.DeleteJob(wildcard));
    loaded = LoadJobs(store);
    ASSERT_EQ(2u, loaded.size());
    EXPECT_STREQ(queued[0].RecordID, loaded[0].RecordID);
    EXPECT_STREQ(queued[2].RecordID, loaded[1].RecordID);

    // A job's file changes by its RecordID alone.
    EXPECT_TRUE(store.UpdateJobPath(queued[2], L"C:\\rec\\c_%.mp3"));
    EXPECT_TRUE(store.UpdateJobPath(wildcard, L"C:\\rec\\everything.mp3"));
    loaded = LoadJobs(store);
    ASSERT_EQ(2u, loaded.size());
    EXPECT_STREQ(L"C:\\rec\\a.wav", loaded[0].RecFilePath);
    EXPECT_STREQ(L"C:\\rec\\c_%.mp3", loaded[1].RecFilePath);
    EXPECT_EQ(0, std::memcmp(&queued[2].stStartRec, &loaded[1].stStartRec, sizeof(SYSTEMTIME)));
}

TEST(FtpQueueStore, ClosedStoreQueuesNothing) {
    FtpQueueStore store;
    FtpJob job = MakeJob(L"x.wav", LocalTime(2024, 3, 5));
    EXPECT_FALSE(store.InsertJob(job));
    EXPECT_FALSE(store.DeleteJob(job));
    EXPECT_FALSE(store.UpdateJobPath(job, L"x.mp3"));
    EXPECT_FALSE(store.ForEachJob([](const FtpJob&) {}));
    EXPECT_TRUE(store.Close());
}
