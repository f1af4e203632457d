#include "storage/DatabaseSnapshot.h"

#include "StorageTestSupport.h"
#include "TestFolder.h"
#include "storage/SqliteDB.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

namespace {

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

int CountRows(const std::wstring& path) {
    CSqliteDB db;
    db.OpenFile(path.c_str());
    return db.QueryInt(L"select count(*) from t");
}

}  // namespace

TEST(DatabaseSnapshot, WaitsForAWriteInProgressAndReplacesAnOlderCopy) {
    TestFolder folder;
    const std::wstring source = folder.DataFolder() + L"\\day.db";
    const std::wstring copy = folder.ProgramFolder() + L"\\copy.db";
    WriteBytes(copy, "not a database");

    CSqliteDB writer;
    writer.OpenFile(source.c_str());
    writer.ExecuteStatement(L"create table t (v INTEGER, notes TEXT)");
    writer.ExecuteStatement(L"insert into t values (1, 'committed')");
    // A long write with a tiny page cache: its pages spill into the file before it commits, so the file itself
    // is half old and half new until the commit.
    writer.ExecuteStatement(L"pragma cache_size=5");
    writer.ExecuteStatement(L"begin immediate");
    const std::wstring notes(200, L'n');
    for (int i = 0; i < 500; ++i)
        writer.ExecuteStatement(L"insert into t values (?1, ?2)", {i, std::wstring_view(notes)});

    bool copied = false;
    std::thread snapshot([&] { copied = SnapshotDatabase(source.c_str(), copy.c_str()); });
    ::Sleep(200);  // only a head start: the snapshot must wait for the commit whenever it starts
    writer.ExecuteStatement(L"commit");
    snapshot.join();

    ASSERT_TRUE(copied);
    EXPECT_EQ(501, CountRows(copy));
    CSqliteDB check;
    check.OpenFile(copy.c_str());
    CSqliteQuery integrity = check.RunQuery(L"pragma integrity_check");
    EXPECT_STREQ(L"ok", integrity.FirstColumnText());
}

TEST(DatabaseSnapshot, AMissingDayIsNeitherCreatedNorCopied) {
    TestFolder folder;
    const std::wstring source = folder.DataFolder() + L"\\202401\\CDR20240101.db";
    const std::wstring copy = folder.ProgramFolder() + L"\\copy.db";
    WriteBytes(copy, "stale");
    EXPECT_FALSE(SnapshotDatabase(source.c_str(), copy.c_str()));
    EXPECT_FALSE(FileExists(source));
    EXPECT_FALSE(FileExists(copy));  // a stale copy is never uploaded in its place
}
