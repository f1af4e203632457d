#include "engine/ScheduleWindows.h"

namespace {

constexpr int kSecondsPerDay = 24 * 60 * 60;

// Seconds since midnight; -1 for a time of day that does not exist (a damaged schedule file).
int SecondOfDay(const SYSTEMTIME& t) {
    if (t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59)
        return -1;
    return t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
}

bool InWindowOfDay(const ScheduleDayBlock& day, const SYSTEMTIME& now) {
    const int at = SecondOfDay(now);
    for (int i = 0; i < kScheduleWindows; ++i) {
        if (!day.Enabled[i])
            continue;
        const ScheduleWindow& window = day.Window[i];
        const int start = SecondOfDay(window.Start);
        int end = SecondOfDay(window.End);
        if (start < 0 || end < 0)
            continue;
        if (window.End.wHour < window.Start.wHour)
            end += kSecondsPerDay;
        if (start <= at && at <= end)
            return true;
    }
    return false;
}

SYSTEMTIME LocalNow() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now;
}

}  // namespace

bool InRecordAllWindow(const ChannelRecord& record, const SYSTEMTIME& now) {
    if (IsVoltageWatchedLine(record.LineType) || now.wDayOfWeek >= kScheduleDays)
        return false;
    return InWindowOfDay(record.RecordAllWeek[now.wDayOfWeek], now);
}

bool InAutoAnswerWindow(const ChannelRecord& record, const SYSTEMTIME& now) {
    if (now.wDayOfWeek >= kScheduleDays)
        return false;
    return InWindowOfDay(record.AutoAnswerWeek[now.wDayOfWeek], now);
}

bool InRecordAllWindow(const ChannelRecord& record) {
    return InRecordAllWindow(record, LocalNow());
}

bool InAutoAnswerWindow(const ChannelRecord& record) {
    return InAutoAnswerWindow(record, LocalNow());
}
