#include "backup/FtpBackupTime.h"

#include "settings/SettingKeys.h"
#include "settings/Settings.h"

#include <cstdint>

namespace {

int ReadFtpSetting(const wchar_t* key) {
    return ReadSettingInt(kSectionSettings, key);
}

// Seconds since midnight of hour:minute:second; -1 when the hour or minute is out of range.
int SecondOfDay(int hour, int minute, int second) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return -1;
    return (hour * 60 + minute) * 60 + second;
}

}  // namespace

bool IsFtpBackupTime(const SYSTEMTIME& now) {
    if (ReadFtpSetting(kKeyFtpBackup) != 1)
        return false;
    if (now.wDayOfWeek < 7 && ReadFtpSetting(kKeyFtpAllDay[now.wDayOfWeek]) == 1)
        return true;

    const int fromHour = ReadFtpSetting(kKeyFtpFromHour);
    const int toHour = ReadFtpSetting(kKeyFtpToHour);
    // The window's ends carry the current second, so the whole From and To minutes belong to the window. All
    // times are of today, so comparing seconds of the day compares the times themselves.
    const int from = SecondOfDay(fromHour, ReadFtpSetting(kKeyFtpFromMin), now.wSecond);
    const int to = SecondOfDay(toHour, ReadFtpSetting(kKeyFtpToMin), now.wSecond);
    const int current = SecondOfDay(now.wHour, now.wMinute, now.wSecond);
    if (from < 0 || to < 0 || current < 0)
        return false;

    // The hours compare as the 16-bit values the window is stored in.
    if (static_cast<uint16_t>(fromHour) <= static_cast<uint16_t>(toHour))
        return from <= current && current <= to;
    // Over midnight: from From to the end of the day, or from the day's first second to To.
    const int endOfDay = SecondOfDay(23, 59, now.wSecond);
    return (from <= current && current <= endOfDay) || (1 <= current && current <= to);
}
