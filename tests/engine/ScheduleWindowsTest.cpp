#include "channels/ChannelTable.h"
#include "engine/ScheduleWindows.h"

#include <gtest/gtest.h>

namespace {

constexpr WORD kSunday = 0, kMonday = 1, kTuesday = 2;

SYSTEMTIME At(WORD dayOfWeek, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME t{};
    t.wYear = 2024;
    t.wMonth = 1;
    t.wDay = static_cast<WORD>(7 + dayOfWeek);  // 7 January 2024 was a Sunday
    t.wDayOfWeek = dayOfWeek;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    t.wMilliseconds = 500;
    return t;
}

// Window `index` of `day` from h1:m1 to h2:m2; the stored dates are of no account.
void SetWindow(ScheduleDayBlock (&week)[kScheduleDays], WORD day, int index, WORD h1, WORD m1, WORD h2, WORD m2) {
    week[day].Window[index].Start = At(kSunday, h1, m1, 0);
    week[day].Window[index].Start.wYear = 2001;
    week[day].Window[index].End = At(kSunday, h2, m2, 0);
    week[day].Enabled[index] = 1;
}

}  // namespace

TEST(ScheduleWindows, OnlyTodaysWindowsCount) {
    ChannelRecord record;
    record.LineType = QSD_CHTYPE_LINE_TRUNK;
    SetWindow(record.RecordAllWeek, kMonday, 0, 22, 0, 6, 0);  // runs past midnight
    SetWindow(record.RecordAllWeek, kMonday, 2, 8, 0, 8, 0);   // zero length: the end is not moved a day on
    SetWindow(record.RecordAllWeek, kMonday, 3, 12, 30, 12, 10);
    record.RecordAllWeek[kMonday].Enabled[3] = 0;
    SetWindow(record.RecordAllWeek, kTuesday, 1, 12, 30, 12, 10);  // ends before it starts within the hour

    struct Row {
        SYSTEMTIME now;
        bool inside;
    };
    const Row rows[] = {
        {At(kMonday, 23, 0, 0), true},    {At(kMonday, 22, 0, 0), true},  {At(kMonday, 21, 59, 59), false},
        {At(kTuesday, 1, 0, 0), false},  // Monday's window no longer counts after midnight
        {At(kMonday, 8, 0, 0), true},     {At(kMonday, 8, 0, 1), false},  {At(kMonday, 7, 59, 59), false},
        {At(kMonday, 12, 20, 0), false},  // disabled
        {At(kTuesday, 12, 20, 0), false}, {At(kSunday, 23, 0, 0), false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(InRecordAllWindow(record, row.now), row.inside)
            << "day " << row.now.wDayOfWeek << " " << row.now.wHour << ":" << row.now.wMinute << ":" << row.now.wSecond;
    }
}

TEST(ScheduleWindows, RecordAllExcludesVoltageWatchedLinesAndAutoAnswerDoesNot) {
    ChannelRecord record;
    record.LineType = QSD_CHTYPE_LINE_VOLTAGE;
    SetWindow(record.RecordAllWeek, kMonday, 0, 9, 0, 17, 0);
    SetWindow(record.AutoAnswerWeek, kMonday, 0, 9, 0, 17, 0);
    EXPECT_FALSE(InRecordAllWindow(record, At(kMonday, 12, 0, 0)));
    EXPECT_TRUE(InAutoAnswerWindow(record, At(kMonday, 12, 0, 0)));
    EXPECT_FALSE(InAutoAnswerWindow(record, At(kMonday, 18, 0, 0)));

    record.LineType = QSD_CHTYPE_LINE_RECORD;
    EXPECT_TRUE(InRecordAllWindow(record, At(kMonday, 12, 0, 0)));
}
