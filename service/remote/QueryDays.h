#pragma once
// What the three queries of a client (CDR search, statistics, system-log search) share: reading their request and
// walking their range of days.

#include "clients/QueryStop.h"

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

// The daily databases a query walks.
enum class DayDatabase { Cdr, SysLog };

// Calls visit (day), in order, for the days of the range that have a database of the kind: the days reached from
// `from` in steps of whole days, keeping from's time of day, while the step is not after `to`. A day without a
// database is skipped rather than made; the data folder's month folders are listed once, so that the work follows
// the days on disk, not the length of the range (a client may send year 1900 to 9999). Stops early once stop is
// raised. An invalid time visits nothing.
void ForEachQueryDay(DayDatabase kind, const SYSTEMTIME& from, const SYSTEMTIME& to, const QueryStop& stop,
                     const std::function<void(const SYSTEMTIME& day)>& visit);

// Whether the day's database exists: a command skips a day without one rather than making an empty file for it.
bool DayFileExists(const wchar_t* path);
