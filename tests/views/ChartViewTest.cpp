// The statistics pane: counts by kind and channel over day files (spy calls counted twice among all calls, their
// seconds once; channels at or beyond the voice channel count never counted), the totals row, and the refusals.

#include "views/ChartView.h"

#include "LocalTime.h"
#include "PanesResource.h"
#include "TestMainFrame.h"
#include "ViewsTestSupport.h"
#include "channels/ChannelTable.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "engine/CardEngineState.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

CallRecord Call(int channel, int callType, int seconds, const SYSTEMTIME& start) {
    CallRecord record{};
    record.Channel = channel;
    record.CallType = callType;
    record.RecTime = seconds;
    record.StartTime = start;
    CopyToField(record.FilePath, (L"C:\\rec\\" + std::to_wstring(channel) + L"-" + std::to_wstring(callType) + L"-" +
                                  std::to_wstring(seconds) + L".wav")
                                     .c_str());
    return record;
}

}  // namespace

TEST(ChartView, CountsCallsByKindAndChannelWithATotalsRow) {
    TestFolder folder;
    PrepareEchoLanguage(folder);
    CopyImages(folder);
    EnsureAppIcons();
    OperatorDialogs() = {};
    CWinApp app(L"test");
    CTestMainFrame* frame = CreateTestMainFrame(app, 1000, 500);
    ASSERT_TRUE(frame);
    CChartView& pane = frame->Right()->ChartView();
    const HWND list = pane.List().GetSafeHwnd();

    const SYSTEMTIME day = LocalTime(2026, 6, 1, 10, 0, 0);
    CreateMonthFolder(day);
    {
        CallRecordStore store;
        ASSERT_TRUE(store.Open(CdrDayFile(day).c_str()));
        for (CallRecord record :
             {Call(0, 1, 60, day), Call(0, 6, 30, day), Call(0, 3, 0, day), Call(1, 2, 100, day), Call(1, 7, 20, day),
              Call(1, 4, 5, day), Call(1, 5, 360000, day), Call(3, 1, 50, day)})
            ASSERT_TRUE(store.Insert(record));
        store.Close();
    }
    EngineState.ChannelCount = 3;
    for (int channel = 0; channel < 4; ++channel) {
        ChannelTable[channel].Present = channel != 2;
        CopyToField(ChannelTable[channel].Name, (L"Line" + std::to_wstring(channel)).c_str());
    }
    CChartView::ChannelSet channels{};
    channels.fill(1);

    // Without the right, or without a channel, nothing starts.
    CurrentOperator = {};
    {
        MessageBoxAnswerer refuse(L"T0349", IDOK);
        pane.StartCount(channels, {day, day});
        EXPECT_TRUE(refuse.Answered());
    }
    CurrentOperator.bChart = 1;
    {
        MessageBoxAnswerer refuse(L"T0221", IDOK);
        pane.StartCount(CChartView::ChannelSet{}, {day, day});
        EXPECT_TRUE(refuse.Answered());
    }
    EXPECT_EQ(0, RowCount(list));

    // Two days, the second without a database (made empty).
    const SYSTEMTIME next = LocalTime(2026, 6, 2);
    pane.StartCount(channels, {day, next});
    ASSERT_TRUE(PumpUntil([&] { return !pane.IsCounting(); }));
    EXPECT_TRUE(std::filesystem::exists(CdrDayFile(next)));
    ASSERT_EQ(4, RowCount(list));  // channels 0, 1 and 3, then the totals
    EXPECT_EQ(L"1", CellText(list, 0, 0));
    EXPECT_EQ(L"Line0", CellText(list, 0, 1));
    EXPECT_EQ(L"2026-06-01--2026-06-02", CellText(list, 0, 3));
    EXPECT_EQ(kIconForward, RowImage(list, 0, 0));
    EXPECT_EQ(kIconChart, RowImage(list, 2, 0));  // channel 3: never counted
    EXPECT_EQ(L"T0306", CellText(list, 3, 0));
    struct Cells {
        int Row;
        const wchar_t* Texts[11];  // columns 4 to 14
    };
    const Cells expected[] = {
        // outgoing, time, incoming, time, missed, auto, time, voice, time, all, time
        {0, {L"0", L"00:00:00", L"2", L"00:01:30", L"2", L"0", L"00:00:00", L"0", L"00:00:00", L"4", L"00:01:30"}},
        {1, {L"2", L"00:02:00", L"0", L"00:00:00", L"1", L"1", L"100:00:00", L"1", L"00:00:05", L"5", L"100:02:05"}},
        {2, {L"0", L"00:00:00", L"0", L"00:00:00", L"0", L"0", L"00:00:00", L"0", L"00:00:00", L"0", L"00:00:00"}},
        {3, {L"2", L"00:02:00", L"2", L"00:01:30", L"3", L"1", L"100:00:00", L"1", L"00:00:05", L"9", L"100:03:35"}},
    };
    for (const Cells& row : expected) {
        for (int column = 4; column <= 14; ++column)
            EXPECT_EQ(row.Texts[column - 4], CellText(list, row.Row, column)) << row.Row << " " << column;
    }

    // A count from after to counts nothing and keeps its zeros.
    pane.StartCount(channels, {next, day});
    ASSERT_TRUE(PumpUntil([&] { return !pane.IsCounting(); }));
    EXPECT_EQ(L"0", CellText(list, 3, 13));

    frame->ShowWindow(SW_SHOW);
    frame->SendMessage(WM_SHOWVIEW, kViewStatistics);
    SaveScreenshot(frame->GetSafeHwnd(), L"Z:\\tmp\\panes-chart.png");
    OperatorDialogs() = {};
    frame->DestroyWindow();
    EngineState.ChannelCount = 0;
    for (int channel = 0; channel < 4; ++channel) {
        ChannelTable[channel].Present = 0;
        ChannelTable[channel].Name[0] = L'\0';
    }
    CurrentOperator = {};
}
