#include "backup/FtpBackupTime.h"

#include "BackupTestSupport.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace {

constexpr int kAbsent = -1;  // the key is removed from the settings file

struct WindowCase {
    const char* Name;
    int Backup;
    int AllDay;  // bit n: FtpAllDay<n> is 1
    int FromHour, FromMin, ToHour, ToMin;
    WORD Weekday;  // of now, 0 = Sunday
    WORD Hour, Minute, Second;
    bool Expected;
};

// 7 January 2024 is a Sunday: day 7 + weekday gives a date of that weekday.
SYSTEMTIME NowOn(WORD weekday, WORD hour, WORD minute, WORD second) {
    return MakeTime(2024, 1, 7 + weekday, hour, minute, second);
}

void WriteWindowSetting(const wchar_t* key, int value) {
    if (value == kAbsent)
        WriteSettingString(kSectionSettings, key, nullptr);
    else
        WriteFtpInt(key, value);
}

const WindowCase kWindowCases[] = {
    // Over midnight, 22:00 to 06:30.
    {"late evening", 1, 0, 22, 0, 6, 30, 3, 23, 59, 30, true},
    {"start of the From minute", 1, 0, 22, 0, 6, 30, 3, 22, 0, 0, true},
    {"before the From minute", 1, 0, 22, 0, 6, 30, 3, 21, 59, 59, false},
    {"midnight itself", 1, 0, 22, 0, 6, 30, 3, 0, 0, 0, false},
    {"first second after midnight", 1, 0, 22, 0, 6, 30, 3, 0, 0, 1, true},
    {"inside the To minute", 1, 0, 22, 0, 6, 30, 3, 6, 30, 45, true},
    {"after the To minute", 1, 0, 22, 0, 6, 30, 3, 6, 31, 0, false},
    {"midday outside", 1, 0, 22, 0, 6, 30, 3, 12, 0, 0, false},
    // Within one day, 08:00 to 17:30.
    {"day start", 1, 0, 8, 0, 17, 30, 2, 8, 0, 0, true},
    {"day before start", 1, 0, 8, 0, 17, 30, 2, 7, 59, 59, false},
    {"day end minute", 1, 0, 8, 0, 17, 30, 2, 17, 30, 59, true},
    {"day after end", 1, 0, 8, 0, 17, 30, 2, 17, 31, 0, false},
    // Same hour, To minute before From minute: no window, only the all-day keys.
    {"inverted minutes", 1, 0, 9, 30, 9, 15, 1, 9, 20, 0, false},
    {"inverted minutes at From", 1, 0, 9, 30, 9, 15, 1, 9, 30, 0, false},
    {"inverted minutes, all-day Monday", 1, 1 << 1, 9, 30, 9, 15, 1, 9, 20, 0, true},
    // Weekday keys: FtpAllDay0 is Sunday, FtpAllDay6 Saturday.
    {"all-day Saturday on Saturday", 1, 1 << 6, 8, 0, 9, 0, 6, 3, 0, 0, true},
    {"all-day Saturday on Sunday", 1, 1 << 6, 8, 0, 9, 0, 0, 3, 0, 0, false},
    {"all-day Sunday on Sunday", 1, 1 << 0, 8, 0, 9, 0, 0, 23, 59, 59, true},
    // The backup switch must be exactly 1.
    {"backup off", 0, 0x7F, 0, 0, 23, 59, 4, 12, 0, 0, false},
    {"backup 2", 2, 0x7F, 0, 0, 23, 59, 4, 12, 0, 0, false},
    // Window keys missing from the file.
    {"no window keys", 1, 0, kAbsent, kAbsent, kAbsent, kAbsent, 4, 12, 0, 0, false},
    {"no To keys", 1, 0, 8, 0, kAbsent, kAbsent, 4, 12, 0, 0, false},
};

}  // namespace

TEST(FtpBackupTime, FollowsTheWindowTheWeekdaysAndTheSwitch) {
    TestFolder folder;
    for (const WindowCase& c : kWindowCases) {
        WriteFtpInt(kKeyFtpBackup, c.Backup);
        for (int day = 0; day < 7; ++day)
            WriteFtpInt(kKeyFtpAllDay[day], (c.AllDay >> day) & 1);
        WriteWindowSetting(kKeyFtpFromHour, c.FromHour);
        WriteWindowSetting(kKeyFtpFromMin, c.FromMin);
        WriteWindowSetting(kKeyFtpToHour, c.ToHour);
        WriteWindowSetting(kKeyFtpToMin, c.ToMin);
        const SYSTEMTIME now = NowOn(c.Weekday, c.Hour, c.Minute, c.Second);
        ASSERT_EQ(c.Weekday, now.wDayOfWeek);
        EXPECT_EQ(c.Expected, IsFtpBackupTime(now)) << c.Name;
    }
}
