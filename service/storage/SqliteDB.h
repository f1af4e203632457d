#pragma once
// One connection to one SQLite database file, through SQLite's UTF-16 interface. A file that does not exist is
// created by the open, and so holds UTF-16 text.
//
// Values never go into SQL text: a statement names them with ?1, ?2, ... and the caller passes them in that order.
// Statements run one at a time, with no transaction of their own. Every error is a thrown CSqliteException.
//
// A connection may be used from several threads (SQLite serializes calls on it); connections to the same file
// meet only in SQLite's file locks, each waiting up to its busy timeout. Every statement holds the connection it
// runs on (CSqliteConnection), so closing the object, or opening it on another file, while another thread's
// statement runs never pulls the connection from under that statement: the statement finishes on it, and the
// connection is closed when the statement lets go.

#include "storage/SqliteException.h"
#include "storage/SqliteQuery.h"

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string_view>
#include <variant>

class CSqliteConnection;
struct sqlite3_stmt;

// How long every connection waits for another connection's lock before a statement fails.
constexpr int kBusyTimeoutMs = 60000;

// One value bound to a statement parameter. Texts are bound as given, up to their length (no terminator needed).
using SqlValue = std::variant<int32_t, double, std::wstring_view>;
using SqlValues = std::initializer_list<SqlValue>;

class CSqliteDB {
public:
    CSqliteDB();  // closed; busy timeout kBusyTimeoutMs (see the testing hook below)
    CSqliteDB(const CSqliteDB&) = delete;
    CSqliteDB& operator=(const CSqliteDB&) = delete;
    virtual ~CSqliteDB();  // closes an open connection (CloseStoreQuietly)

    // Open and close
    // Opens (or creates) the file and sets the busy timeout. Throws with SQLite's code and text. A connection the
    // object had open is closed first, as CloseStoreQuietly does.
    void OpenFile(const wchar_t* path);
    // Opens a private in-memory copy of the database at path, taken between two writes (DatabaseSnapshot.h), so
    // that reading it for however long never holds the file's lock. False, with the connection closed, when the
    // file does not exist or cannot be copied.
    bool OpenCopyOf(const wchar_t* path);
    bool IsOpen() const;
    // Closes the connection for this object: no statement starts on it any more. A statement still running on
    // another thread finishes on it, and the connection is closed as that statement ends. True.
    bool CloseStoreQuietly();
    // Makes the statement running on the connection, on whatever thread, fail soon with SQLITE_INTERRUPT, so that
    // a long step ends without waiting for its next row. A statement that starts after every other statement of
    // the connection has finished is not affected. Any thread; nothing when the connection is closed, also while
    // another thread closes it.
    void Interrupt();

    // Statements
    bool HasTable(const wchar_t* table);
    // Runs one statement that returns no rows. A statement whose schema changed under it is prepared again, up to
    // 257 attempts; any other result than done or row throws, a busy database after the timeout included.
    void ExecuteStatement(const wchar_t* sql, SqlValues values = {});
    // Runs a query and returns it positioned on its first row, or at its end when there is none.
    CSqliteQuery RunQuery(const wchar_t* sql, SqlValues values = {});
    // The first column of the first row as a decimal integer (SQL NULL reads 0). No row throws
    // kErrInvalidScalarQuery.
    int QueryInt(const wchar_t* sql, SqlValues values = {});

    // Testing
    // Busy timeout of connections constructed afterwards, so that tests of a held lock need not wait a minute.
    static void SetDefaultBusyTimeout(int ms);

private:
    // The open connection, for one statement; throws kErrDatabaseNotOpen when closed.
    std::shared_ptr<CSqliteConnection> Connection() const;
    // Sets the connection (null closes), handing the one it replaces to the statements still running on it.
    void SetConnection(std::shared_ptr<CSqliteConnection> connection);

    int m_busyTimeoutMs;
    mutable std::mutex m_connectionLock;              // guards m_connection
    std::shared_ptr<CSqliteConnection> m_connection;  // null while closed
};

// Runs work (returning bool) on an open connection: a closed connection or a CSqliteException gives false.
// Every store function answers through it, so no storage error reaches the stores' callers.
template <typename Work>
bool RunOnOpenStore(CSqliteDB& db, Work&& work) {
    if (!db.IsOpen())
        return false;
    try {
        return work();
    } catch (const CSqliteException&) {
        return false;
    }
}

// A store's change: runs one statement; false when the connection is closed or the statement fails.
bool ExecuteOnOpenStore(CSqliteDB& db, const wchar_t* sql, SqlValues values = {});

// A store's change of many rows: runs work () -> bool inside one transaction, committed when work answers true.
// A store writes many rows this way when they come together, since each transaction costs the disk's flushes
// (and, under Wine, a dozen round trips to the system): all are stored, or none. False, with nothing of the work
// stored, when the connection is closed, work answers false or throws, or the transaction cannot begin or commit.
// Statements of other threads on the connection would join the transaction: the store keeps them out meanwhile.
template <typename Work>
bool RunInTransaction(CSqliteDB& db, Work&& work) {
    return RunOnOpenStore(db, [&] {
        db.ExecuteStatement(L"begin immediate");
        try {
            if (work()) {
                db.ExecuteStatement(L"commit");
                return true;
            }
        } catch (const CSqliteException&) {
        }
        try {
            db.ExecuteStatement(L"rollback");
        } catch (const CSqliteException&) {
            // A failed commit may already have rolled back.
        }
        return false;
    });
}

// Hands every row of the query, made into a record by read (query), to the callback, until the rows end or stop
// (when given) is raised; stop is tested before every row. A step interrupted by CSqliteDB::Interrupt ends the rows
// as the stop does. True when at least one row was read; any other error ends the rows with a CSqliteException
// (rows already handed on stay handed on).
template <typename Read, typename Callback>
bool ForEachQueryRow(CSqliteQuery query, Read read, const Callback& callback, const std::atomic<bool>* stop = nullptr) {
    if (query.AtEnd())
        return false;
    while (!query.AtEnd() && !(stop && *stop)) {
        callback(read(query));
        try {
            query.StepRow();
        } catch (const CSqliteException& error) {
            if (!error.IsInterrupt())
                throw;
            return true;
        }
    }
    query.ReleaseStatement();
    return true;
}

// A store's enumeration: ForEachQueryRow over the rows of sql. False for a null sql, a closed connection, a stop
// raised before the query ran, no row, or an error.
template <typename Read, typename Callback>
bool ForEachStoreRow(CSqliteDB& db, const wchar_t* sql, SqlValues values, Read read, const Callback& callback,
                     const std::atomic<bool>* stop = nullptr) {
    if (!sql || (stop && *stop))
        return false;
    return RunOnOpenStore(db, [&] { return ForEachQueryRow(db.RunQuery(sql, values), read, callback, stop); });
}

// A store's look-up: makes the first row of sql into out by read (query); false, leaving out as it was, when there
// is none, the connection is closed or the query fails.
template <typename Read, typename Record>
bool FindStoreRow(CSqliteDB& db, const wchar_t* sql, SqlValues values, Read read, Record& out) {
    return RunOnOpenStore(db, [&] {
        CSqliteQuery query = db.RunQuery(sql, values);
        if (query.AtEnd())
            return false;
        out = read(query);
        return true;
    });
}

// A table a store creates in a new file, with its exact CREATE statement.
struct TableSchema {
    const wchar_t* name;
    const wchar_t* createSql;
};

// A store's Open: null path gives false; otherwise opens the file and creates each missing table. On any
// failure the connection is left closed and the result is false.
bool OpenStoreFile(CSqliteDB& db, const wchar_t* path, std::initializer_list<TableSchema> tables);
