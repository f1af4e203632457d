#include "channels/ChannelTable.h"
#include "engine/Schedules.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

void FillWeek(ScheduleDayBlock (&week)[kScheduleDays], int seed) {
    for (int d = 0; d < kScheduleDays; ++d) {
        for (int w = 0; w < kScheduleWindows; ++w) {
            week[d].Window[w].Start.wHour = static_cast<WORD>((seed + d + w) % 24);
            week[d].Window[w].End.wMinute = static_cast<WORD>((seed * d + w) % 60);
            week[d].Enabled[w] = (d + w) % 2;
        }
    }
}

}  // namespace

TEST(Schedules, PathsAreNumberedByChannelPlusOne) {
    TestFolder folder;
    EXPECT_EQ(folder.ProgramFolder() + L"\\Config\\RecordAll001.db", RecordAllSchedulePath(0));
    EXPECT_EQ(folder.ProgramFolder() + L"\\Config\\AutoAnswer512.db", AutoAnswerSchedulePath(511));
}

TEST(Schedules, SavedWeeksLoadBackUnchanged) {
    TestFolder folder;
    ChannelRecord saved;
    FillWeek(saved.RecordAllWeek, 3);
    FillWeek(saved.AutoAnswerWeek, 11);
    SaveChannelSchedules(saved, 4);  // creates the Config folder

    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(RecordAllSchedulePath(4).c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(1008u, data.nFileSizeLow);

    ChannelRecord loaded;
    LoadChannelSchedules(loaded, 4);
    EXPECT_EQ(0, std::memcmp(saved.RecordAllWeek, loaded.RecordAllWeek, sizeof(saved.RecordAllWeek)));
    EXPECT_EQ(0, std::memcmp(saved.AutoAnswerWeek, loaded.AutoAnswerWeek, sizeof(saved.AutoAnswerWeek)));
}

TEST(Schedules, MissingFileGivesDisabledWindowsAtEightToday) {
    TestFolder folder;
    SYSTEMTIME now;
    GetLocalTime(&now);
    ChannelRecord record;
    record.RecordAllWeek[2].Enabled[1] = 1;
    LoadChannelSchedules(record, 0);
    for (const ScheduleDayBlock& day : record.RecordAllWeek) {
        for (int w = 0; w < kScheduleWindows; ++w) {
            EXPECT_EQ(0, day.Enabled[w]);
            EXPECT_EQ(8, day.Window[w].Start.wHour);
            EXPECT_EQ(0, day.Window[w].Start.wMinute);
            EXPECT_EQ(8, day.Window[w].End.wHour);
            EXPECT_EQ(now.wDay, day.Window[w].End.wDay);
        }
    }
    EXPECT_EQ(8, record.AutoAnswerWeek[6].Window[3].End.wHour);
}

TEST(Schedules, ShortFileLeavesTheDaysItDoesNotSupply) {
    TestFolder folder;
    ScheduleDayBlock written[kScheduleDays] = {};
    FillWeek(written, 5);
    CreateDirectoryW((folder.ProgramFolder() + L"\\Config").c_str(), nullptr);
    {
        std::ofstream out(std::filesystem::path(RecordAllSchedulePath(0)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(written), 2 * sizeof(ScheduleDayBlock) + 10);
    }
    ChannelRecord record;  // all days zero: no window enabled
    ReadScheduleWeek(RecordAllSchedulePath(0), record.RecordAllWeek);
    EXPECT_EQ(0, std::memcmp(written, record.RecordAllWeek, 2 * sizeof(ScheduleDayBlock)));
    ScheduleDayBlock zero = {};
    for (int d = 3; d < kScheduleDays; ++d)
        EXPECT_EQ(0, std::memcmp(&zero, &record.RecordAllWeek[d], sizeof(zero))) << d;
}
