#pragma once
// One prepared statement stepped row by row: the result set of CSqliteDB::RunQuery. It lives on the stack of the
// store function that ran the query and finalizes its statement when released or destroyed, also when an exception
// passes. Move-only; used by one thread at a time. Every operation on a released query throws
// (kSqliteWrapperError, kErrNullStatement). The query holds its connection until it is destroyed, so that the
// connection outlives the statement even when its CSqliteDB is closed meanwhile.

#include <cstddef>
#include <memory>

class CSqliteConnection;
struct sqlite3_stmt;

class CSqliteQuery {
public:
    // Takes over the statement, already stepped once on the connection; atEnd says whether that step returned
    // SQLITE_DONE.
    CSqliteQuery(std::shared_ptr<CSqliteConnection> connection, sqlite3_stmt* statement, bool atEnd);
    CSqliteQuery(CSqliteQuery&& other) noexcept;
    CSqliteQuery(const CSqliteQuery&) = delete;
    CSqliteQuery& operator=(const CSqliteQuery&) = delete;
    CSqliteQuery& operator=(CSqliteQuery&&) = delete;
    virtual ~CSqliteQuery();  // releases the statement, swallowing any error

    // Stepping
    bool AtEnd() const;
    // Moves to the next row. A result other than a row or the end finalizes the statement and throws.
    void StepRow();
    // Finalizes the statement; a failed finalize throws with its code.
    void ReleaseStatement();

    // Columns of the current row
    int FindColumn(const wchar_t* name) const;  // exact, case-sensitive; none throws kErrInvalidFieldName
    int ColumnType(int index) const;            // an index out of range throws kErrInvalidFieldIndex
    const wchar_t* FirstColumnText() const;     // null for SQL NULL; no column throws kErrInvalidFieldIndex
    int ColumnCount() const { return m_columnCount; }

    // Reads by column name. A text is cut to the field (always terminated); SQL NULL gives an empty text, 0 or 0.0.
    void ReadText(const wchar_t* column, wchar_t* field, size_t capacity) const;
    template <size_t N>
    void ReadText(const wchar_t* column, wchar_t (&field)[N]) const {
        ReadText(column, field, N);
    }
    int ReadInt(const wchar_t* column) const;
    double ReadDouble(const wchar_t* column) const;

private:
    sqlite3_stmt* Statement() const;  // throws for a released query
    int CheckedIndex(const wchar_t* column) const;

    std::shared_ptr<CSqliteConnection> m_connection;  // the connection the statement runs on
    sqlite3_stmt* m_statement;                        // owned; null once released
    bool m_atEnd;
    int m_columnCount;
};
