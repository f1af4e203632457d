// LocalTime.h - local times made of their fields, and today, for tests of what records and files keep.
#pragma once

#include <windows.h>

// The fields as given; the weekday and the milliseconds stay 0.
inline SYSTEMTIME LocalTime(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

// Midnight at the start of today, local time.
inline SYSTEMTIME Today() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return LocalTime(now.wYear, now.wMonth, now.wDay);
}
