#pragma once
// Helpers shared by the storage tests.

#include "LocalTime.h"
#include "storage/SqliteDB.h"

#include <windows.h>

#include <cstddef>
#include <string>

// Fills the field to its last character with the tag followed by digits, so a cut field shows.
template <size_t N>
void FillField(wchar_t (&field)[N], const std::wstring& tag) {
    std::wstring text = tag;
    while (text.size() < N - 1)
        text += static_cast<wchar_t>(L'0' + text.size() % 10);
    text.resize(N - 1);
    text.copy(field, N - 1);
    field[N - 1] = L'\0';
}

// Runs a one-value query on a file through a connection of its own; the text of the first column, or "<none>".
inline std::wstring QueryText(const std::wstring& path, const wchar_t* sql, SqlValues values = {}) {
    CSqliteDB db;
    db.OpenFile(path.c_str());
    CSqliteQuery query = db.RunQuery(sql, values);
    if (query.AtEnd())
        return L"<none>";
    const wchar_t* text = query.FirstColumnText();
    return text ? text : L"<null>";
}

// The CREATE statement that SQLite keeps for the table.
inline std::wstring SchemaText(const std::wstring& path, const wchar_t* table) {
    return QueryText(path, L"select sql from sqlite_master where type='table' and name=?1", {table});
}

inline bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
