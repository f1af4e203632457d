#pragma once
// What the three queries of a client (CDR search, statistics, system-log search) share: reading their request and
// walking their range of days.

#include "QueryStop.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

constexpr int kQueryRangeBytes = 2 * sizeof(SYSTEMTIME);

struct QueryRequest {
    SYSTEMTIME From;
    SYSTEMTIME To;
    std::wstring Text;  // the client's SQL; empty for the statistics
};

// The range at the start of a payload, then, for a search, its text: up to its 0 character or the payload's end,
// and at most maxChars characters. The payload holds at least kQueryRangeBytes.
QueryRequest ReadQueryRequest(const uint8_t* payload, int payloadBytes, size_t maxChars);

// Calls visit (day) from `from` in steps of whole days, keeping from's time of day, while the step is not after
// `to`; stops early once stop is raised. An invalid time visits nothing.
void ForEachQueryDay(const SYSTEMTIME& from, const SYSTEMTIME& to, const QueryStop& stop,
                     const std::function<void(const SYSTEMTIME& day)>& visit);

// Whether the day's database exists: a query skips a day without one rather than making an empty file for it.
bool DayFileExists(const wchar_t* path);
