#include "storage/SqliteQuery.h"

#include "storage/SqliteConnection.h"
#include "storage/SqliteException.h"

#include <sqlite3.h>

#include <cwchar>
#include <utility>

namespace {

const wchar_t* ErrorText(const CSqliteConnection& connection) {
    return static_cast<const wchar_t*>(sqlite3_errmsg16(connection.Handle()));
}

}  // namespace

CSqliteQuery::CSqliteQuery(std::shared_ptr<CSqliteConnection> connection, sqlite3_stmt* statement, bool atEnd)
    : m_connection(std::move(connection)),
      m_statement(statement),
      m_atEnd(atEnd),
      m_columnCount(sqlite3_column_count(statement)) {}

CSqliteQuery::CSqliteQuery(CSqliteQuery&& other) noexcept
    : m_connection(std::move(other.m_connection)),
      m_statement(std::exchange(other.m_statement, nullptr)),
      m_atEnd(other.m_atEnd),
      m_columnCount(other.m_columnCount) {}

CSqliteQuery::~CSqliteQuery() {
    try {
        ReleaseStatement();
    } catch (const CSqliteException&) {
    }
}

bool CSqliteQuery::AtEnd() const {
    Statement();
    return m_atEnd;
}

void CSqliteQuery::StepRow() {
    const int result = sqlite3_step(Statement());
    if (result == SQLITE_DONE) {
        m_atEnd = true;
    } else if (result != SQLITE_ROW) {
        const int code = sqlite3_finalize(std::exchange(m_statement, nullptr));
        throw CSqliteException(code, ErrorText(*m_connection));
    }
}

void CSqliteQuery::ReleaseStatement() {
    if (!m_statement)
        return;
    const int code = sqlite3_finalize(std::exchange(m_statement, nullptr));
    if (code != SQLITE_OK)
        throw CSqliteException(code, ErrorText(*m_connection));
}

int CSqliteQuery::FindColumn(const wchar_t* name) const {
    sqlite3_stmt* statement = Statement();
    for (int i = 0; i < m_columnCount; ++i) {
        const auto* columnName = static_cast<const wchar_t*>(sqlite3_column_name16(statement, i));
        if (columnName && name && std::wcscmp(columnName, name) == 0)
            return i;
    }
    throw CSqliteException(kSqliteWrapperError, kErrInvalidFieldName);
}

int CSqliteQuery::ColumnType(int index) const {
    sqlite3_stmt* statement = Statement();
    if (index < 0 || index >= m_columnCount)
        throw CSqliteException(kSqliteWrapperError, kErrInvalidFieldIndex);
    return sqlite3_column_type(statement, index);
}

const wchar_t* CSqliteQuery::FirstColumnText() const {
    sqlite3_stmt* statement = Statement();
    if (m_columnCount < 1)
        throw CSqliteException(kSqliteWrapperError, kErrInvalidFieldIndex);
    return static_cast<const wchar_t*>(sqlite3_column_text16(statement, 0));
}

void CSqliteQuery::ReadText(const wchar_t* column, wchar_t* field, size_t capacity) const {
    const int index = FindColumn(column);
    const auto* text = static_cast<const wchar_t*>(sqlite3_column_text16(m_statement, index));
    if (capacity == 0)
        return;
    field[0] = L'\0';
    if (!text)
        return;
    // Other software may have stored texts wider than our fields: cut them, never write past the field.
    const size_t length = wcsnlen(text, capacity - 1);
    std::wmemcpy(field, text, length);
    field[length] = L'\0';
}

int CSqliteQuery::ReadInt(const wchar_t* column) const {
    const int index = CheckedIndex(column);
    return sqlite3_column_type(m_statement, index) == SQLITE_NULL ? 0 : sqlite3_column_int(m_statement, index);
}

double CSqliteQuery::ReadDouble(const wchar_t* column) const {
    const int index = CheckedIndex(column);
    return sqlite3_column_type(m_statement, index) == SQLITE_NULL ? 0.0 : sqlite3_column_double(m_statement, index);
}

sqlite3_stmt* CSqliteQuery::Statement() const {
    if (!m_statement)
        throw CSqliteException(kSqliteWrapperError, kErrNullStatement);
    return m_statement;
}

int CSqliteQuery::CheckedIndex(const wchar_t* column) const {
    const int index = FindColumn(column);
    ColumnType(index);
    return index;
}
