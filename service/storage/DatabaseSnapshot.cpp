#include "storage/DatabaseSnapshot.h"

#include "storage/SqliteDB.h"

#include <sqlite3.h>

#include <windows.h>

#include <string>

namespace {

std::string ToUtf8(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

// A connection closed with its scope.
class Connection {
public:
    Connection(const wchar_t* path, int flags) {
        if (sqlite3_open_v2(ToUtf8(path).c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
            sqlite3_close(m_db);
            m_db = nullptr;
        }
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* Get() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

bool CopyAllPages(sqlite3* from, sqlite3* to) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        return false;
    const int stepped = sqlite3_backup_step(backup, -1);  // every page in one step: one consistent state
    const int finished = sqlite3_backup_finish(backup);
    return stepped == SQLITE_DONE && finished == SQLITE_OK;
}

}  // namespace

bool CopyDatabaseInto(const wchar_t* source, sqlite3* destination) {
    const Connection from(source, SQLITE_OPEN_READONLY);
    if (!from.Get() || !destination)
        return false;
    sqlite3_busy_timeout(from.Get(), kBusyTimeoutMs);
    return CopyAllPages(from.Get(), destination);
}

bool SnapshotDatabase(const wchar_t* source, const wchar_t* destination) {
    ::DeleteFileW(destination);
    bool copied = false;
    {
        const Connection to(destination, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        copied = to.Get() && CopyDatabaseInto(source, to.Get());
    }
    if (!copied)
        ::DeleteFileW(destination);
    return copied;
}
