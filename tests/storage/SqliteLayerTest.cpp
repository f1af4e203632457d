#include "storage/SqliteDB.h"
#include "storage/SqliteException.h"

#include "StorageTestSupport.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace {

// A query whose single step takes most of a minute.
constexpr const wchar_t* kLongCount =
    L"with recursive n(i) as (select 1 union all select i + 1 from n where i < 300000000) select count(*) from n";

class SqliteLayer : public ::testing::Test {
protected:
    std::wstring File(const wchar_t* name) const { return m_folder.DataFolder() + L"\\" + name; }

    TestFolder m_folder;
};

// Runs work, which must throw, and answers the exception's message.
template <typename Work>
std::wstring ThrownMessage(Work work) {
    try {
        work();
    } catch (const CSqliteException& error) {
        return error.ErrorMessage();
    }
    return L"<no exception>";
}

}  // namespace

TEST(SqliteException, CodeNamesAndMessageFormat) {
    const struct {
        int code;
        const wchar_t* name;
    } cases[] = {
        {0, L"SQLITE_OK"},     {5, L"SQLITE_BUSY"},    {17, L"SQLITE_SCHEMA"},
        {25, L"SQLITE_RANGE"}, {26, L"UNKNOWN_ERROR"}, {100, L"SQLITE_ROW"},
        {101, L"SQLITE_DONE"}, {-1, L"UNKNOWN_ERROR"}, {1000, L"SQLITE_WRAPPER_ERROR"},
    };
    for (const auto& row : cases)
        EXPECT_STREQ(row.name, CSqliteException::CodeName(row.code)) << row.code;

    EXPECT_STREQ(L"SQLITE_BUSY[5]: database is locked", CSqliteException(5, L"database is locked").ErrorMessage());
    EXPECT_STREQ(L"SQLITE_WRAPPER_ERROR[1000]: ", CSqliteException(1000, nullptr).ErrorMessage());
}

TEST_F(SqliteLayer, LayerErrorsCarryTheirExactTexts) {
    CSqliteDB closed;
    EXPECT_EQ(L"SQLITE_WRAPPER_ERROR[1000]: Database not open",
              ThrownMessage([&] { closed.ExecuteStatement(L"create table T (A integer)"); }));
    EXPECT_EQ(L"SQLITE_WRAPPER_ERROR[1000]: Database not open", ThrownMessage([&] { closed.RunQuery(L"select 1"); }));

    CSqliteDB db;
    db.OpenFile(File(L"layer.db").c_str());
    db.ExecuteStatement(L"create table T (UserName varchar(64), N integer)");
    EXPECT_EQ(L"SQLITE_WRAPPER_ERROR[1000]: Invalid scalar query",
              ThrownMessage([&] { db.QueryInt(L"select N from T"); }));

    db.ExecuteStatement(L"insert into T values(?1, ?2)", {std::wstring_view(L"tovak"), 7});
    CSqliteQuery query = db.RunQuery(L"select * from T");
    EXPECT_EQ(0, query.FindColumn(L"UserName"));
    EXPECT_EQ(L"SQLITE_WRAPPER_ERROR[1000]: Invalid field name requested",
              ThrownMessage([&] { query.FindColumn(L"username"); }));
    EXPECT_EQ(L"SQLITE_WRAPPER_ERROR[1000]: Invalid field index requested",
              ThrownMessage([&] { query.ColumnType(2); }));
    query.ReleaseStatement();
    EXPECT_EQ(L"SQLITE_WRAPPER_ERROR[1000]: Null Virtual Machine pointer", ThrownMessage([&] { query.StepRow(); }));
}

TEST_F(SqliteLayer, SyntaxErrorThrowsSqliteCodeAndText) {
    CSqliteDB db;
    db.OpenFile(File(L"syntax.db").c_str());
    EXPECT_EQ(L"SQLITE_ERROR[1]: near \"selec\": syntax error", ThrownMessage([&] { db.RunQuery(L"selec 1"); }));
}

TEST_F(SqliteLayer, HasTableAndScalarQueries) {
    CSqliteDB db;
    db.OpenFile(File(L"tables.db").c_str());
    EXPECT_FALSE(db.HasTable(L"T"));
    db.ExecuteStatement(L"create table T (N integer)");
    EXPECT_TRUE(db.HasTable(L"T"));
    EXPECT_FALSE(db.HasTable(L"T' or '1'='1"));
    EXPECT_EQ(0, db.QueryInt(L"select sum(N) from T"));  // SQL NULL
    db.ExecuteStatement(L"insert into T values(?1)", {41});
    EXPECT_EQ(42, db.QueryInt(L"select N + ?1 from T", {1}));
}

TEST_F(SqliteLayer, OpenFailuresThrowAndLeaveTheConnectionClosed) {
    CSqliteDB db;
    EXPECT_EQ(L"SQLITE_CANTOPEN[14]: unable to open database file",
              ThrownMessage([&] { db.OpenFile(File(L"missing\\folder.db").c_str()); }));
    EXPECT_FALSE(db.IsOpen());

    // Not a database: the open itself succeeds, the first read fails, and a store's open gives up cleanly.
    const std::wstring junk = File(L"junk.db");
    const HANDLE file = CreateFileW(junk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char text[] = "this is not an SQLite database, only some text long enough to fill a header......";
    DWORD written = 0;
    WriteFile(file, text, sizeof(text), &written, nullptr);
    CloseHandle(file);
    EXPECT_FALSE(OpenStoreFile(db, junk.c_str(), {{L"T", L"create table T (N integer)"}}));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(OpenStoreFile(db, nullptr, {}));
}

TEST_F(SqliteLayer, BusyDatabaseAfterTheTimeoutIsAnError) {
    const std::wstring path = File(L"busy.db");
    CSqliteDB::SetDefaultBusyTimeout(200);
    CSqliteDB writer;
    CSqliteDB::SetDefaultBusyTimeout(kBusyTimeoutMs);
    writer.OpenFile(path.c_str());
    writer.ExecuteStatement(L"create table T (N integer)");

    CSqliteDB holder;
    holder.OpenFile(path.c_str());
    holder.ExecuteStatement(L"begin immediate");  // a write lock, readers still allowed

    // The statement prepares (the schema is readable) and fails in the step.
    EXPECT_EQ(L"SQLITE_BUSY[5]: database is locked",
              ThrownMessage([&] { writer.ExecuteStatement(L"insert into T values(1)"); }));
    holder.ExecuteStatement(L"rollback");
    writer.ExecuteStatement(L"insert into T values(1)");
    EXPECT_EQ(1, writer.QueryInt(L"select count(*) from T"));
}

TEST_F(SqliteLayer, ChangedSchemaIsPreparedAgain) {
    const std::wstring path = File(L"schema.db");
    CSqliteDB db;
    db.OpenFile(path.c_str());
    db.ExecuteStatement(L"create table T (N integer)");
    db.QueryInt(L"select count(*) from T");  // the schema is now cached on this connection

    CSqliteDB other;
    other.OpenFile(path.c_str());
    other.ExecuteStatement(L"create table U (N integer)");

    db.ExecuteStatement(L"insert into T values(1)");
    EXPECT_EQ(1, db.QueryInt(L"select count(*) from T"));
}

// A connection closed, or replaced by another file, while a query runs on it is handed over to the query: the
// query reads on, no new statement starts, and the connection closes (its file is let go) as the query ends.
TEST_F(SqliteLayer, CloseOrReopenWhileAQueryRunsClosesTheConnectionWhenTheQueryEnds) {
    for (const bool reopen : {false, true}) {
        SCOPED_TRACE(reopen ? "reopened on another file" : "closed");
        const std::wstring path = File(L"close.db");
        CSqliteDB db;
        db.OpenFile(path.c_str());
        db.ExecuteStatement(L"create table T (N integer)");
        db.ExecuteStatement(L"insert into T values(1), (2)");
        {
            CSqliteQuery query = db.RunQuery(L"select N from T");
            if (reopen)
                db.OpenFile(File(L"other.db").c_str());
            else
                EXPECT_TRUE(db.CloseStoreQuietly());
            EXPECT_EQ(reopen, db.IsOpen());
            EXPECT_FALSE(::DeleteFileW(path.c_str())) << "the query's connection still holds the file";
            EXPECT_EQ(1, query.ReadInt(L"N"));
            query.StepRow();
            EXPECT_EQ(2, query.ReadInt(L"N"));
        }
        EXPECT_TRUE(::DeleteFileW(path.c_str())) << "the connection was closed with the query";
        if (!reopen)
            EXPECT_THROW(db.QueryInt(L"select 1"), CSqliteException);
        EXPECT_TRUE(db.CloseStoreQuietly());
        EXPECT_FALSE(db.IsOpen());
    }
}

TEST_F(SqliteLayer, InterruptFromAnotherThreadEndsALongStep) {
    CSqliteDB db;
    db.OpenFile(File(L"interrupt.db").c_str());
    std::atomic<bool> ended = false;
    // An interrupt that comes before the statement starts is forgotten when it starts: keep interrupting.
    std::thread interrupter([&] {
        while (!ended) {
            db.Interrupt();
            std::this_thread::yield();
        }
    });
    bool interrupted = false;
    const auto start = std::chrono::steady_clock::now();
    try {
        db.QueryInt(kLongCount);
    } catch (const CSqliteException& error) {
        interrupted = error.IsInterrupt();
    }
    const auto took = std::chrono::steady_clock::now() - start;
    ended = true;
    interrupter.join();
    EXPECT_TRUE(interrupted);
    EXPECT_LT(took, std::chrono::seconds(10)) << "the step ran to its end";
    EXPECT_EQ(1, db.QueryInt(L"select 1")) << "the connection serves the next statement";
}

TEST_F(SqliteLayer, InterruptOfAClosingOrClosedConnectionDoesNothing) {
    CSqliteDB db;
    std::atomic<bool> ended = false;
    std::thread interrupter([&] {
        while (!ended)
            db.Interrupt();
    });
    for (int i = 0; i < 200; ++i) {
        db.OpenFile(File(L"closing.db").c_str());
        db.CloseStoreQuietly();
    }
    ended = true;
    interrupter.join();
    EXPECT_FALSE(db.IsOpen());
    db.Interrupt();
}
