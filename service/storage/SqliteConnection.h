#pragma once
// CSqliteConnection: one open SQLite connection, shared by the CSqliteDB that opened it and by every statement
// running on it. Each statement holds the connection from its prepare to its finalize, so a CSqliteDB that is closed
// (or opened on another file) while another thread's statement runs hands the connection over to that statement:
// it is closed when the last of them lets go, never under a running statement, and never lost.

struct sqlite3;

class CSqliteConnection {
public:
    explicit CSqliteConnection(sqlite3* db) : m_db(db) {}
    ~CSqliteConnection();  // closes the connection
    CSqliteConnection(const CSqliteConnection&) = delete;
    CSqliteConnection& operator=(const CSqliteConnection&) = delete;

    sqlite3* Handle() const { return m_db; }

private:
    sqlite3* const m_db;  // owned
};
