#include "storage/RecordId.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <mutex>

namespace {

constexpr uint64_t kFileTimeUnitsPerMs = 10000;

std::mutex g_lastIdLock;
uint64_t g_lastIdMs = 0;  // guarded by g_lastIdLock: local time of the last identity, ms since 1601

uint64_t NextStampMs() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME fileTime;
    SystemTimeToFileTime(&now, &fileTime);
    const uint64_t ms = ((uint64_t{fileTime.dwHighDateTime} << 32) | fileTime.dwLowDateTime) / kFileTimeUnitsPerMs;

    const std::lock_guard lock(g_lastIdLock);
    g_lastIdMs = ms > g_lastIdMs ? ms : g_lastIdMs + 1;
    return g_lastIdMs;
}

}  // namespace

void NewRecordId(wchar_t (&id)[32]) {
    const uint64_t units = NextStampMs() * kFileTimeUnitsPerMs;
    const FILETIME fileTime{static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    SYSTEMTIME stamp;
    FileTimeToSystemTime(&fileTime, &stamp);
    _snwprintf(id, 32, L"%04d%02d%02d%02d%02d%02d%03d", stamp.wYear, stamp.wMonth, stamp.wDay, stamp.wHour,
               stamp.wMinute, stamp.wSecond, stamp.wMilliseconds);
    id[31] = L'\0';
}
