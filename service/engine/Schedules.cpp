#include "engine/Schedules.h"

#include "channels/ChannelTable.h"
#include "mfc.h"
#include "settings/Folders.h"

#include <windows.h>

#include <cwchar>

namespace {

std::wstring SchedulePath(const wchar_t* kind, int channel) {
    wchar_t name[64];
    _snwprintf(name, 64, L"\\Config\\%ls%03d.db", kind, channel + 1);
    name[63] = L'\0';
    return GetExeFolder() + name;
}

}  // namespace

std::wstring RecordAllSchedulePath(int channel) {
    return SchedulePath(L"RecordAll", channel);
}

std::wstring AutoAnswerSchedulePath(int channel) {
    return SchedulePath(L"AutoAnswer", channel);
}

void SetDefaultScheduleWeek(ScheduleDayBlock (&week)[kScheduleDays]) {
    SYSTEMTIME eight;
    GetLocalTime(&eight);
    eight.wHour = 8;
    eight.wMinute = 0;
    for (ScheduleDayBlock& day : week) {
        for (int i = 0; i < kScheduleWindows; ++i) {
            day.Window[i].Start = eight;
            day.Window[i].End = eight;
            day.Enabled[i] = 0;
        }
    }
}

void ReadScheduleWeek(const std::wstring& path, ScheduleDayBlock (&week)[kScheduleDays]) {
    CScopedKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        SetDefaultScheduleWeek(week);
        return;
    }
    // Read straight into the week: bytes past a short file's end keep what the record held.
    DWORD read = 0;
    ReadFile(file.Get(), week, kScheduleFileBytes, &read, nullptr);
}

bool WriteScheduleWeek(const std::wstring& path, const ScheduleDayBlock (&week)[kScheduleDays]) {
    CScopedKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    DWORD written = 0;
    return WriteFile(file.Get(), week, kScheduleFileBytes, &written, nullptr) && written == kScheduleFileBytes;
}

void LoadChannelSchedules(ChannelRecord& record, int channel) {
    ReadScheduleWeek(RecordAllSchedulePath(channel), record.RecordAllWeek);
    ReadScheduleWeek(AutoAnswerSchedulePath(channel), record.AutoAnswerWeek);
}

void SaveChannelSchedules(const ChannelRecord& record, int channel) {
    CreateDirectoryW((GetExeFolder() + L"\\Config").c_str(), nullptr);
    WriteScheduleWeek(RecordAllSchedulePath(channel), record.RecordAllWeek);
    WriteScheduleWeek(AutoAnswerSchedulePath(channel), record.AutoAnswerWeek);
}
