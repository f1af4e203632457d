#include "storage/SqliteDB.h"

#include "storage/DatabaseSnapshot.h"
#include "storage/SqliteConnection.h"

#include <sqlite3.h>

#include <atomic>
#include <cwchar>
#include <utility>

namespace {

// A statement is prepared again at most this many times while the schema keeps changing under it.
constexpr int kMaxSchemaRetries = 256;

std::atomic<int> g_defaultBusyTimeoutMs{kBusyTimeoutMs};

const wchar_t* ErrorText(sqlite3* db) {
    return static_cast<const wchar_t*>(sqlite3_errmsg16(db));
}

// Returns the SQLite result of binding one value to parameter index (1-based).
int BindValue(sqlite3_stmt* statement, int index, const SqlValue& value) {
    if (const auto* number = std::get_if<int32_t>(&value))
        return sqlite3_bind_int(statement, index, *number);
    if (const auto* real = std::get_if<double>(&value))
        return sqlite3_bind_double(statement, index, *real);
    const std::wstring_view text = std::get<std::wstring_view>(value);
    // An empty text is bound as '' (never as NULL), as the columns have always held it.
    return sqlite3_bind_text16(statement, index, text.empty() ? L"" : text.data(),
                               static_cast<int>(text.size() * sizeof(wchar_t)), SQLITE_TRANSIENT);
}

[[noreturn]] void ThrowError(const CSqliteConnection& connection, int code) {
    throw CSqliteException(code, ErrorText(connection.Handle()));
}

sqlite3_stmt* PrepareStatement(const CSqliteConnection& connection, const wchar_t* sql, SqlValues values) {
    sqlite3_stmt* statement = nullptr;
    const int result = sqlite3_prepare16(connection.Handle(), sql, -1, &statement, nullptr);
    if (result != SQLITE_OK) {
        sqlite3_finalize(statement);
        ThrowError(connection, result);
    }
    int index = 1;
    for (const SqlValue& value : values) {
        const int bound = BindValue(statement, index++, value);
        if (bound != SQLITE_OK) {
            sqlite3_finalize(statement);
            ThrowError(connection, bound);
        }
    }
    return statement;
}

// Prepares and steps once, retrying on a schema change; returns the statement after a row or done.
sqlite3_stmt* StepFirst(const CSqliteConnection& connection, const wchar_t* sql, SqlValues values, bool& atEnd) {
    for (int attempts = 1;; ++attempts) {
        sqlite3_stmt* statement = PrepareStatement(connection, sql, values);
        const int stepped = sqlite3_step(statement);
        if (stepped == SQLITE_ROW || stepped == SQLITE_DONE) {
            atEnd = stepped == SQLITE_DONE;
            return statement;
        }
        // The finalize tells the real cause. A busy database after the timeout is an error like any other:
        // callers retry and log failed inserts only when they hear of it.
        const int finalized = sqlite3_finalize(statement);
        if (finalized != SQLITE_SCHEMA || attempts > kMaxSchemaRetries)
            ThrowError(connection, finalized != SQLITE_OK ? finalized : stepped);
    }
}

}  // namespace

CSqliteConnection::~CSqliteConnection() {
    // Every statement on the connection has been finalized by now (each holds the connection until then), so the
    // close succeeds; the _v2 form still closes a connection that a stray statement outlives once that ends.
    sqlite3_close_v2(m_db);
}

CSqliteDB::CSqliteDB() : m_busyTimeoutMs(g_defaultBusyTimeoutMs) {}

CSqliteDB::~CSqliteDB() {
    CloseStoreQuietly();
}

void CSqliteDB::OpenFile(const wchar_t* path) {
    SetConnection(nullptr);
    sqlite3* db = nullptr;
    const int result = sqlite3_open16(path, &db);
    if (result != SQLITE_OK) {
        // The handle is made even on failure; it only serves the error text and must be closed.
        const CSqliteException error(result, static_cast<const wchar_t*>(sqlite3_errmsg16(db)));
        sqlite3_close(db);
        throw error;
    }
    sqlite3_busy_timeout(db, m_busyTimeoutMs);
    SetConnection(std::make_shared<CSqliteConnection>(db));
}

bool CSqliteDB::OpenCopyOf(const wchar_t* path) {
    try {
        OpenFile(L":memory:");
        if (CopyDatabaseInto(path, Connection()->Handle()))
            return true;
    } catch (const CSqliteException&) {
    }
    CloseStoreQuietly();
    return false;
}

bool CSqliteDB::IsOpen() const {
    const std::lock_guard lock(m_connectionLock);
    return m_connection != nullptr;
}

bool CSqliteDB::CloseStoreQuietly() {
    SetConnection(nullptr);
    return true;
}

void CSqliteDB::Interrupt() {
    // SQLite allows the interrupt from any thread; the lock keeps the connection from being replaced meanwhile.
    const std::lock_guard lock(m_connectionLock);
    if (m_connection)
        sqlite3_interrupt(m_connection->Handle());
}

bool CSqliteDB::HasTable(const wchar_t* table) {
    return QueryInt(L"select count(*) from sqlite_master where type='table' and name=?1",
                    {std::wstring_view(table ? table : L"")}) > 0;
}

void CSqliteDB::ExecuteStatement(const wchar_t* sql, SqlValues values) {
    bool atEnd = false;
    const std::shared_ptr<CSqliteConnection> connection = Connection();
    sqlite3_finalize(StepFirst(*connection, sql, values, atEnd));
}

CSqliteQuery CSqliteDB::RunQuery(const wchar_t* sql, SqlValues values) {
    bool atEnd = false;
    std::shared_ptr<CSqliteConnection> connection = Connection();
    sqlite3_stmt* statement = StepFirst(*connection, sql, values, atEnd);
    return CSqliteQuery(std::move(connection), statement, atEnd);
}

int CSqliteDB::QueryInt(const wchar_t* sql, SqlValues values) {
    CSqliteQuery query = RunQuery(sql, values);
    if (query.AtEnd() || query.ColumnCount() < 1)
        throw CSqliteException(kSqliteWrapperError, kErrInvalidScalarQuery);
    const wchar_t* text = query.FirstColumnText();
    const int value = text ? static_cast<int>(std::wcstol(text, nullptr, 10)) : 0;
    query.ReleaseStatement();
    return value;
}

void CSqliteDB::SetDefaultBusyTimeout(int ms) {
    g_defaultBusyTimeoutMs = ms;
}

std::shared_ptr<CSqliteConnection> CSqliteDB::Connection() const {
    const std::lock_guard lock(m_connectionLock);
    if (!m_connection)
        throw CSqliteException(kSqliteWrapperError, kErrDatabaseNotOpen);
    return m_connection;
}

void CSqliteDB::SetConnection(std::shared_ptr<CSqliteConnection> connection) {
    std::shared_ptr<CSqliteConnection> replaced;
    {
        const std::lock_guard lock(m_connectionLock);
        replaced = std::exchange(m_connection, std::move(connection));
    }
    // Closes the replaced connection here, unless a statement of another thread still holds it.
}

bool ExecuteOnOpenStore(CSqliteDB& db, const wchar_t* sql, SqlValues values) {
    return RunOnOpenStore(db, [&] {
        db.ExecuteStatement(sql, values);
        return true;
    });
}

bool OpenStoreFile(CSqliteDB& db, const wchar_t* path, std::initializer_list<TableSchema> tables) {
    if (!path)
        return false;
    try {
        db.OpenFile(path);
        for (const TableSchema& table : tables) {
            if (!db.HasTable(table.name))
                db.ExecuteStatement(table.createSql);
        }
        return true;
    } catch (const CSqliteException&) {
        db.CloseStoreQuietly();
        return false;
    }
}
