#include "frame/Housekeeping.h"
#include "frame/MainFrame.h"

#include "FrameTestSupport.h"
#include "LocalTime.h"
#include "WaitUntil.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "engine/CardEngineState.h"
#include "settings/DiskSpace.h"
#include "settings/FormatText.h"
#include "settings/SettingKeys.h"
#include "settings/SettingValues.h"
#include "settings/Settings.h"
#include "storage/CallRecordStore.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/SysLogStore.h"
#include "views/RightView.h"
#include "views/ViewIndex.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

SYSTEMTIME g_now;
SYSTEMTIME TestClock() {
    return g_now;
}

int g_reboots = 0;
void CountReboot() {
    ++g_reboots;
}

constexpr wchar_t kGoneDrive[] = L"Q:\\gone";
uint64_t g_freeMB = 0;
bool TestDiskSpace(const wchar_t* folder, uint64_t& totalBytes, uint64_t& freeBytes) {
    if (wcscmp(folder, kGoneDrive) == 0)
        return false;
    totalBytes = 100000ull << 20;
    freeBytes = g_freeMB << 20;
    return true;
}

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD dayOfWeek, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME time = LocalTime(year, month, day, hour, minute, second);
    time.wDayOfWeek = dayOfWeek;
    return time;
}

std::wstring PaneText(CMainFrame& frame, int pane) {
    wchar_t text[256] = {};
    frame.StatusBar().SendMessage(SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(text));
    return text;
}

void Tick(CMainFrame& frame, int times = 1) {
    for (int i = 0; i < times; ++i)
        frame.SendMessage(WM_TIMER, IDT_HOUSEKEEPING);
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A day's call-record file with one call whose recording exists; returns the recording's path.
std::wstring MakeRecordedDay(const SYSTEMTIME& day, const std::wstring& folder) {
    const std::wstring recording = folder + FormatText(L"\\%04d%02d%02d.wav", day.wYear, day.wMonth, day.wDay);
    std::ofstream(std::filesystem::path(recording)) << "RIFF";
    CallRecord record{};
    CopyToField(record.FilePath, recording.c_str());
    record.StartTime = day;
    CreateMonthFolder(day);
    CallRecordStore store;
    EXPECT_TRUE(store.Open(CdrDayFile(day).c_str()));
    EXPECT_TRUE(store.Insert(record));
    store.Close();
    return recording;
}

TEST(MainFrame, HousekeepingTickShowsStatusLogsHourlyRestartsEmptiesListsAndCleansFullDisks) {
    ServerFolder folder;
    LoadStartupSettings();
    OperatorDialogs() = {};
    int loginRuns = 0;
    OperatorDialogs().Login.Register([&](CWnd*) {
        ++loginRuns;
        return static_cast<INT_PTR>(IDCANCEL);
    });
    g_now = At(2026, 12, 8, 2, 10, 0, 0);  // a Tuesday: no restart configured
    SetHousekeepingClock(TestClock);
    SetRebootRequest(CountReboot);
    SetDiskSpaceQuery(TestDiskSpace);
    CurrentOperator = {};
    CopyToField(CurrentOperator.UserName, L"tovak");

    CMainFrame* frame = StartFrame(new CMainFrame);
    ASSERT_TRUE(frame);
    const HWND window = frame->GetSafeHwnd();
    frame->KillTimer(IDT_HOUSEKEEPING);  // the test gives the ticks
    ASSERT_TRUE(PumpUntil([&] { return loginRuns == 1; }));
    // The channel configuration fills the channel list a few seconds after the start: this row shows when it did.
    CRightView* panes = frame->ClientPane().GetRightView();
    ASSERT_TRUE(panes);
    CReportCtrl& channels = panes->CardView().ChannelList();
    auto hasRow = [&](const wchar_t* text) {
        for (int row = 0; row < channels.GetItemCount(); ++row) {
            if (channels.GetItemText(row, 0) == text)
                return true;
        }
        return false;
    };
    channels.InsertItem(channels.GetItemCount(), L"before the fill");

    // The first hour: the uptime in pane 5, the hourly row once the hour is full.
    Tick(*frame, 3599);
    EXPECT_TRUE(EndsWith(PaneText(*frame, 5), L"<0:59:59>")) << PaneText(*frame, 5);
    EXPECT_TRUE(RowsOf(kSysLogHourlyStatus).empty());
    Tick(*frame);
    const std::wstring uptime = PaneText(*frame, 5);
    EXPECT_EQ(0u, uptime.find(L"T0025:")) << uptime;
    EXPECT_TRUE(EndsWith(uptime, L"<1:00:00>")) << uptime;
    const std::vector<SysLogRow> hourly = RowsOf(kSysLogHourlyStatus);
    ASSERT_EQ(1u, hourly.size());
    EXPECT_STREQ(L"tovak", hourly[0].Name);
    unsigned queued = 99, freeMB = 0, totalMB = 0;
    ASSERT_EQ(3, swscanf(hourly[0].Notes, L"db=%u memory=%u/%u", &queued, &freeMB, &totalMB)) << hourly[0].Notes;
    EXPECT_EQ(0u, queued);
    EXPECT_GT(totalMB, 0u);
    EXPECT_LE(freeMB, totalMB);
    EXPECT_EQ(L"Ver1.30(20190426)(服务器) T0344", PaneText(*frame, 1));
    EXPECT_EQ(FormatText(L"T0255:%d T0256:0 T0257:0<T0287> ", EngineState.ChannelCount), PaneText(*frame, 2));
    EXPECT_EQ(L"T03250 | 3600", PaneText(*frame, 3));

    // The restart: Wednesday's key, from second 50 of AutoHour:AutoMin to the end of that minute.
    WriteSettingInt(kSectionSettings, kKeyAutoHour, 4);
    WriteSettingInt(kSectionSettings, kKeyAutoMin, 30);
    const struct {
        int Day3;
        SYSTEMTIME Now;
        int Reboots;
    } restarts[] = {
        {1, At(2026, 12, 9, 3, 4, 30, 49), 0},  {1, At(2026, 12, 9, 3, 4, 30, 50), 1},
        {1, At(2026, 12, 9, 3, 4, 30, 59), 1},  {1, At(2026, 12, 9, 3, 4, 31, 50), 0},
        {1, At(2026, 12, 10, 4, 4, 30, 50), 0},  // Thursday
        {0, At(2026, 12, 9, 3, 4, 30, 50), 0},
    };
    for (const auto& restart : restarts) {
        WriteSettingInt(kSectionSettings, kKeyDay[3], restart.Day3);
        g_now = restart.Now;
        g_reboots = 0;
        Tick(*frame);
        EXPECT_EQ(restart.Reboots, g_reboots) << restart.Day3 << " " << restart.Now.wDayOfWeek << " "
                                              << restart.Now.wMinute << ":" << restart.Now.wSecond;
    }

    // Just before midnight the seven call-record lists are emptied; the channel list keeps its rows.
    ASSERT_TRUE(PumpUntil([&] { return !hasRow(L"before the fill"); }));
    CallRecord call{};
    call.StartTime = g_now;
    for (int view = kViewAllRecordings; view <= kViewSearchResults; ++view)
        panes->RecCallView(view)->AddRow(call);
    channels.InsertItem(channels.GetItemCount(), L"kept");
    auto recordRows = [&] {
        int rows = 0;
        for (int view = kViewAllRecordings; view <= kViewSearchResults; ++view)
            rows += panes->RecCallView(view)->List().GetItemCount();
        return rows;
    };
    g_now = At(2026, 12, 9, 3, 23, 59, 54);
    Tick(*frame);
    EXPECT_FALSE(PumpUntil([&] { return recordRows() < 7; }, 300));
    g_now.wSecond = 55;
    Tick(*frame);
    EXPECT_TRUE(PumpUntil([&] { return recordRows() == 0; }));
    EXPECT_TRUE(hasRow(L"kept"));

    // The disk check, once a minute: only full queried folders start the clean-up, which deletes the oldest day
    // and ends as soon as a folder has room.
    g_now = At(2026, 12, 9, 3, 10, 0, 0);
    const SYSTEMTIME firstDay = LocalTime(2017, 12, 1, 10);
    const SYSTEMTIME secondDay = LocalTime(2017, 12, 2, 10);
    const std::wstring firstRecording = MakeRecordedDay(firstDay, folder.DataFolder());
    const std::wstring secondRecording = MakeRecordedDay(secondDay, folder.DataFolder());
    const struct {
        const wchar_t* Folder;
        uint64_t FreeMB;
        bool Cleans;
    } checks[] = {
        {L"", 0, false},           // no folder configured
        {kGoneDrive, 0, false},    // the only folder cannot be queried
        {L"D:\\rec", 201, false},  // room enough
        {L"D:\\rec", 200, true},
    };
    for (const auto& check : checks) {
        WriteSettingString(kSectionSettings, kKeyRecFolderN[0], check.Folder);
        g_freeMB = check.FreeMB;
        Tick(*frame, 60);
        EXPECT_EQ(check.Cleans,
                  PumpUntil([&] { return !std::filesystem::exists(CdrDayFile(firstDay)); }, check.Cleans ? 10000 : 300))
            << check.Folder << " " << check.FreeMB;
    }
    EXPECT_TRUE(PumpUntil([&] { return RowsOf(kSysLogDiskCleanup).size() == 1; }));
    EXPECT_FALSE(std::filesystem::exists(firstRecording));
    EXPECT_EQ(L"T0386 2017-12-01", PaneText(*frame, 4));
    const std::vector<SysLogRow> deleted = RowsOf(kSysLogRecordingDeleted);
    ASSERT_EQ(1u, deleted.size());
    EXPECT_STREQ(L"T0186 tovak", deleted[0].Name);
    EXPECT_EQ(L"T0386 " + firstRecording, std::wstring(FieldText(deleted[0].Notes)));
    const std::vector<SysLogRow> cleaned = RowsOf(kSysLogDiskCleanup);
    EXPECT_STREQ(L"tovak", cleaned[0].Name);
    EXPECT_STREQ(L"T0386 1", cleaned[0].Notes);
    // 200 MB free is room: the next day stays, and no empty database was made for the days between.
    EXPECT_FALSE(PumpUntil([&] { return !std::filesystem::exists(CdrDayFile(secondDay)); }, 1500));
    EXPECT_TRUE(std::filesystem::exists(secondRecording));
    EXPECT_FALSE(std::filesystem::exists(CdrDayFile(LocalTime(2017, 12, 3))));

    OperatorLoggedIn = 1;
    ExitWithYes(window);
    EXPECT_EQ(1, loginRuns);
    EXPECT_TRUE(RowsOf(kSysLogThreadTerminated).empty());
    SetHousekeepingClock(nullptr);
    SetRebootRequest(nullptr);
    SetDiskSpaceQuery(nullptr);
    OperatorDialogs() = {};
    OperatorLoggedIn = 0;
}

}  // namespace
