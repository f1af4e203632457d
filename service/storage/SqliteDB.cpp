#include "SqliteDB.h"

#include "DatabaseSnapshot.h"

#include <sqlite3.h>

#include <atomic>
#include <cwchar>

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

}  // namespace

CSqliteDB::CSqliteDB() : m_busyTimeoutMs(g_defaultBusyTimeoutMs) {}

CSqliteDB::~CSqliteDB() {
    const std::lock_guard lock(m_handleLock);
    if (m_db)
        sqlite3_close(m_db);
}

void CSqliteDB::OpenFile(const wchar_t* path) {
    sqlite3* db = nullptr;
    const int result = sqlite3_open16(path, &db);
    if (result != SQLITE_OK) {
        // The handle is made even on failure; it only serves the error text and must be closed.
        const CSqliteException error(result, ErrorText(db));
        sqlite3_close(db);
        throw error;
    }
    sqlite3_busy_timeout(db, m_busyTimeoutMs);
    const std::lock_guard lock(m_handleLock);
    m_db = db;
}

bool CSqliteDB::OpenCopyOf(const wchar_t* path) {
    try {
        OpenFile(L":memory:");
    } catch (const CSqliteException&) {
        return false;
    }
    if (CopyDatabaseInto(path, m_db))
        return true;
    CloseStoreQuietly();
    return false;
}

bool CSqliteDB::CloseStoreQuietly() {
    const std::lock_guard lock(m_handleLock);
    if (!m_db)
        return true;
    if (sqlite3_close(m_db) != SQLITE_OK)
        return false;
    m_db = nullptr;
    return true;
}

void CSqliteDB::Interrupt() {
    // SQLite allows the interrupt from any thread, but not on a connection being closed: the lock keeps the
    // handle alive until the call returns.
    const std::lock_guard lock(m_handleLock);
    if (m_db)
        sqlite3_interrupt(m_db);
}

bool CSqliteDB::HasTable(const wchar_t* table) {
    return QueryInt(L"select count(*) from sqlite_master where type='table' and name=?1",
                    {std::wstring_view(table ? table : L"")}) > 0;
}

void CSqliteDB::ExecuteStatement(const wchar_t* sql, SqlValues values) {
    bool atEnd = false;
    sqlite3_finalize(StepFirst(sql, values, atEnd));
}

CSqliteQuery CSqliteDB::RunQuery(const wchar_t* sql, SqlValues values) {
    bool atEnd = false;
    sqlite3_stmt* statement = StepFirst(sql, values, atEnd);
    return CSqliteQuery(m_db, statement, atEnd);
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

sqlite3_stmt* CSqliteDB::PrepareStatement(const wchar_t* sql, SqlValues values) {
    if (!m_db)
        throw CSqliteException(kSqliteWrapperError, kErrDatabaseNotOpen);
    sqlite3_stmt* statement = nullptr;
    const int result = sqlite3_prepare16(m_db, sql, -1, &statement, nullptr);
    if (result != SQLITE_OK) {
        sqlite3_finalize(statement);
        ThrowError(result);
    }
    int index = 1;
    for (const SqlValue& value : values) {
        const int bound = BindValue(statement, index++, value);
        if (bound != SQLITE_OK) {
            sqlite3_finalize(statement);
            ThrowError(bound);
        }
    }
    return statement;
}

sqlite3_stmt* CSqliteDB::StepFirst(const wchar_t* sql, SqlValues values, bool& atEnd) {
    if (!m_db)
        throw CSqliteException(kSqliteWrapperError, kErrDatabaseNotOpen);
    for (int attempts = 1;; ++attempts) {
        sqlite3_stmt* statement = PrepareStatement(sql, values);
        const int stepped = sqlite3_step(statement);
        if (stepped == SQLITE_ROW || stepped == SQLITE_DONE) {
            atEnd = stepped == SQLITE_DONE;
            return statement;
        }
        // The finalize tells the real cause. A busy database after the timeout is an error like any other:
        // callers retry and log failed inserts only when they hear of it.
        const int finalized = sqlite3_finalize(statement);
        if (finalized != SQLITE_SCHEMA || attempts > kMaxSchemaRetries)
            ThrowError(finalized != SQLITE_OK ? finalized : stepped);
    }
}

void CSqliteDB::ThrowError(int code) {
    throw CSqliteException(code, ErrorText(m_db));
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
