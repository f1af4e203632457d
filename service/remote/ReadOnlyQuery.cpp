#include "remote/ReadOnlyQuery.h"

#include "storage/SqliteDB.h"

#include <sqlite3.h>
#include <windows.h>

#include <cwctype>

namespace {

bool IsBlank(const wchar_t* text) {
    for (; *text; ++text) {
        if (!iswspace(*text))
            return false;
    }
    return true;
}

// "select" as the first word; ATTACH, PRAGMA, BEGIN and the like pass sqlite3_stmt_readonly, this does not.
bool StartsWithSelect(const std::wstring& sql) {
    const size_t start = sql.find_first_not_of(L" \t\r\n");
    return start != std::wstring::npos && _wcsnicmp(sql.c_str() + start, L"select", 6) == 0;
}

std::string ToUtf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size : 1, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

}  // namespace

bool IsReadOnlySelect(const wchar_t* databasePath, const std::wstring& sql) {
    if (!StartsWithSelect(sql))
        return false;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(ToUtf8(databasePath).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_stmt* statement = nullptr;
    const void* tail = nullptr;
    const bool readOnly = sqlite3_prepare16_v2(db, sql.c_str(), -1, &statement, &tail) == SQLITE_OK && statement &&
                          sqlite3_stmt_readonly(statement) && IsBlank(static_cast<const wchar_t*>(tail));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return readOnly;
}
