#include "storage/SqliteException.h"

#include "settings/FormatText.h"

#include <sqlite3.h>

#include <iterator>

namespace {

constexpr const wchar_t* kCodeNames[] = {
    L"SQLITE_OK",       L"SQLITE_ERROR",   L"SQLITE_INTERNAL", L"SQLITE_PERM",     L"SQLITE_ABORT",
    L"SQLITE_BUSY",     L"SQLITE_LOCKED",  L"SQLITE_NOMEM",    L"SQLITE_READONLY", L"SQLITE_INTERRUPT",
    L"SQLITE_IOERR",    L"SQLITE_CORRUPT", L"SQLITE_NOTFOUND", L"SQLITE_FULL",     L"SQLITE_CANTOPEN",
    L"SQLITE_PROTOCOL", L"SQLITE_EMPTY",   L"SQLITE_SCHEMA",   L"SQLITE_TOOBIG",   L"SQLITE_CONSTRAINT",
    L"SQLITE_MISMATCH", L"SQLITE_MISUSE",  L"SQLITE_NOLFS",    L"SQLITE_AUTH",     L"SQLITE_FORMAT",
    L"SQLITE_RANGE",
};

constexpr int kCodeRow = 100;
constexpr int kCodeDone = 101;

}  // namespace

CSqliteException::CSqliteException(int code, const wchar_t* text) : m_code(code) {
    m_message = FormatText(L"%ls[%d]: %ls", CodeName(code), code, text ? text : L"");
}

bool CSqliteException::IsInterrupt() const {
    return m_code == SQLITE_INTERRUPT;
}

const wchar_t* CSqliteException::CodeName(int code) {
    if (code >= 0 && code < static_cast<int>(std::size(kCodeNames)))
        return kCodeNames[code];
    switch (code) {
        case kCodeRow:
            return L"SQLITE_ROW";
        case kCodeDone:
            return L"SQLITE_DONE";
        case kSqliteWrapperError:
            return L"SQLITE_WRAPPER_ERROR";
        default:
            return L"UNKNOWN_ERROR";
    }
}
