#pragma once
// The test a client's SQL passes before it runs on a day's database: the searches of commands 3 and 24 take the
// client's own statement text, and it must never change a record or the audit log.

#include <string>

// True when sql is one read-only SELECT statement on the database at databasePath: it starts with "select",
// SQLite compiles it, finds it read-only, and nothing but blanks follows it. Tested on a read-only connection of
// its own, so the test itself cannot write either. Any thread.
bool IsReadOnlySelect(const wchar_t* databasePath, const std::wstring& sql);
