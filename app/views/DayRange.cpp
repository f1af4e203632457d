#include "views/DayRange.h"

#include "storage/OleDate.h"

#include <cmath>

namespace {

SYSTEMTIME AtTime(SYSTEMTIME day, WORD hour, WORD minute, WORD second) {
    day.wHour = hour;
    day.wMinute = minute;
    day.wSecond = second;
    return day;
}

// The day before or after, by whole OLE days; the time of day is kept.
SYSTEMTIME AddDays(const SYSTEMTIME& time, int days) {
    SYSTEMTIME moved = FromOleDate(ToOleDate(time) + days);
    moved.wMilliseconds = time.wMilliseconds;
    return moved;
}

}  // namespace

DayRange QuickRangeAt(QuickRange range, const SYSTEMTIME& now) {
    switch (range) {
        case QuickRange::Today:
            return {now, now};
        case QuickRange::ThisWeek:
            return {AddDays(now, now.wDayOfWeek == 0 ? -6 : -(now.wDayOfWeek - 1)), now};
        case QuickRange::ThisMonth: {
            SYSTEMTIME first = AtTime(now, 0, 0, 1);
            first.wDay = 1;
            return {AddDays(first, 0), now};  // AddDays also sets the day of the week
        }
    }
    return {now, now};
}

DayRange WholeDays(const DayRange& range) {
    return {AtTime(range.From, 0, 0, 1), AtTime(range.To, 23, 59, 59)};
}

int WholeDayCount(const DayRange& range) {
    const DayRange days = WholeDays(range);
    const long long seconds = std::llround((ToOleDate(days.To) - ToOleDate(days.From)) * 86400.0);
    return static_cast<int>(seconds / 86400);
}

SYSTEMTIME LocalNow() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now;
}

void ForEachDay(const DayRange& range, const std::function<bool(const SYSTEMTIME& day)>& visit) {
    const DayRange days = WholeDays(range);
    const double last = ToOleDate(days.To);
    for (double day = ToOleDate(days.From); day <= last; day += 1.0) {
        if (!visit(FromOleDate(day)))
            return;
    }
}
