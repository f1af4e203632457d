// The channel rows as the service drives them: the real channel-row functions run on a worker thread with a view
// installed that carries each call to the UI thread, as the GUI's view does, and the list shows each channel's
// record as it is when the call arrives.

#include "views/ChannelRowCells.h"

#include "LocalTime.h"
#include "RecordingServiceView.h"
#include "ViewsTestSupport.h"
#include "channels/ChannelTable.h"
#include "engine/CardEngineState.h"
#include "engine/ChannelRows.h"
#include "storage/RecordFields.h"
#include "views/ReportCtrl.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Renders the channel calls into the list on the UI thread, noting the thread they ran on.
class ListServiceView : public RecordingServiceView {
public:
    explicit ListServiceView(CReportCtrl& list) : m_list(list) {}

    void ChannelsReady(int channelCount) override {
        RecordingServiceView::ChannelsReady(channelCount);
        Render([&] { FillChannelRows(m_list, channelCount); });
    }
    void ChannelRowChanged(int channel, ChannelRowChange what) override {
        RecordingServiceView::ChannelRowChanged(channel, what);
        Render([&] { ShowChannelRowChange(m_list, channel, what); });
    }
    void ChannelSettingsChanged(int channel) override {
        RecordingServiceView::ChannelSettingsChanged(channel);
        Render([&] { ShowChannelSettingsCells(m_list, channel); });
    }

    std::atomic<DWORD> RenderThread{0};

private:
    void Render(const std::function<void()>& render) {
        m_runner.Run([&] {
            RenderThread = ::GetCurrentThreadId();
            render();
        });
    }

    CReportCtrl& m_list;
    UiThreadRunner m_runner;
};

void PrepareChannel(int channel, int lineType, int rec, int state, const wchar_t* name, const wchar_t* phone) {
    ChannelRecord& record = ChannelTable[channel];
    record.LineType = lineType;
    record.Rec = rec;
    record.State = state;
    CopyToField(record.Name, name);
    CopyToField(record.Phone, phone);
    record.LineVoltage = 48;
    record.SpyCic = channel + 2;
    record.CallInCh = 3;
    record.CallOutCh = 2;
}

struct CellLook {
    int Column;
    const wchar_t* Text;  // null: the text is not checked
    int Image;            // -2: the image is not checked
};

constexpr int kAnyImage = -2;

}  // namespace

TEST(ChannelRows, ServiceCallsFromAWorkerRenderEachKindOnTheUiThread) {
    TestFolder folder;
    PrepareEchoLanguage(folder);
    CWnd frame;
    ASSERT_TRUE(
        frame.CreateEx(0, AfxRegisterWndClass(0), L"channels", WS_OVERLAPPEDWINDOW, 0, 0, 900, 300, nullptr, nullptr));
    CReportCtrl list;
    ASSERT_TRUE(list.Create(0, CRect(0, 0, 880, 260), &frame, 1001));
    InsertChannelColumns(list);
    const HWND hList = list.GetSafeHwnd();

    PrepareChannel(0, QSD_CHTYPE_LINE_VOLTAGE, kRecordByLineState, kStateIdle, L"Front desk", L"5550100");
    PrepareChannel(1, QSD_CHTYPE_LINE_RECORD, kRecordDtmfKeepDelete, kStateOffHookAtStartup, L"Sales", L"5550101");
    PrepareChannel(2, QSD_CHTYPE_SPY, kRecordByLineState, kStateNoLine, L"Trunk A", L"");
    PrepareChannel(3, 9, kRecordVoiceActivated, kStateVoiceWaiting, L"Link", L"");
    PrepareChannel(4, 21, 7, kStateIncomingRecording, L"", L"");
    PrepareChannel(5, 3, kRecordByLineState, kStateRinging, L"", L"");
    EngineState.ChannelCount = 6;
    ListServiceView view(list);
    ScopedServiceView installed(view);

    ASSERT_TRUE(RunOnWorker([] { FillChannelList(); }));
    EXPECT_EQ(::GetCurrentThreadId(), view.RenderThread.load());
    ASSERT_EQ(6, RowCount(hList));
    const wchar_t* numbers[] = {L"001", L"002", L"003[005]", L"004[006]", L"005[007]", L"006[008]"};
    const int numberIcons[] = {kIconTel, kIconTel, kIconForward, kIconForward, kIconForward, kIconForward};
    const wchar_t* types[] = {L"T0280", L"T0282", L"Unknown", L"HDLC", L"T0283", L"T0277"};
    // Start-up states: idle, off-hook at start-up, no line; other states leave the cell empty.
    const CellLook states[] = {{3, L"T0259", kIconIdle}, {3, L"T0260", kIconDial}, {3, L"T0266", kIconLineError},
                               {3, L"", kAnyImage},      {3, L"", kAnyImage},      {3, L"", kAnyImage}};
    const CellLook modes[] = {{5, L"T0252", kIconWillSave}, {5, L"T0253", kIconWillDelete},
                              {5, L"T0252", kIconWillSave}, {5, L"T0254", kIconWillSave},
                              {5, L"T0252", kIconWillSave}, {5, L"T0252", kIconWillSave}};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(static_cast<DWORD_PTR>(row), list.GetRowData(row));
        EXPECT_EQ(numbers[row], CellText(hList, row, kColumnNumber));
        EXPECT_EQ(numberIcons[row], RowImage(hList, row));
        EXPECT_EQ(types[row], CellText(hList, row, kColumnType));
        EXPECT_EQ(states[row].Text, CellText(hList, row, kColumnState)) << row;
        if (states[row].Image != kAnyImage) {
            EXPECT_EQ(states[row].Image, RowImage(hList, row, kColumnState)) << row;
        }
        EXPECT_EQ(modes[row].Text, CellText(hList, row, kColumnRecordMode)) << row;
        EXPECT_EQ(modes[row].Image, RowImage(hList, row, kColumnRecordMode)) << row;
    }
    EXPECT_EQ(L"Front desk", CellText(hList, 0, kColumnName));
    EXPECT_EQ(L"5550101", CellText(hList, 1, kColumnPhone));
    EXPECT_EQ(L"48 V", CellText(hList, 0, kColumnLine));
    EXPECT_EQ(L"IN03-OUT02", CellText(hList, 2, kColumnLine));  // refreshed by the line error
    EXPECT_EQ(kStateOffHook, ChannelTable[1].State);
    EXPECT_EQ(kStateLineError, ChannelTable[2].State);

    // Each kind of change, on channel records prepared as the engine leaves them.
    ChannelRecord& line = ChannelTable[0];
    ChannelRecord& spy = ChannelTable[2];
    line.RingCount = 3;
    CopyToField(line.FilePath, L"C:\\rec\\0001.wav");
    std::strcpy(line.CallerId, "5551234");
    std::strcpy(line.DialledDigits, "8001");
    std::strcpy(spy.SpyCallerId, "100");
    std::strcpy(spy.SpyCalleeId, "200");
    struct RowCase {
        const char* Name;
        void (*Show)(int);
        int Channel;
        int Voltage;  // set before the call; the line cell shows whether it was refreshed
        CellLook Cells[3];
    };
    const RowCase cases[] = {
        {"ringing", ShowChannelRinging, 0, 12, {{3, L"T0262<3>", kIconRing}, {6, L"12 V", kAnyImage}}},
        {"off-hook", ShowChannelOffHook, 0, 8, {{3, L"T0260", kIconDial}, {6, L"08 V", kAnyImage}}},
        {"incoming",
         ShowChannelIncomingRecording,
         0,
         8,
         {{3, L"T0263", kIconInRec}, {10, L"C:\\rec\\0001.wav", kAnyImage}}},
        {"outgoing",
         ShowChannelOutgoingRecording,
         0,
         8,
         {{3, L"T0261", kIconOutRec}, {10, L"C:\\rec\\0001.wav", kAnyImage}}},
        {"voice", ShowChannelVoiceRecording, 0, 8, {{3, L"T0264", kIconVoice}, {10, L"C:\\rec\\0001.wav", kAnyImage}}},
        {"waiting", ShowChannelVoiceWaiting, 0, 8, {{3, L"T0265", kIconSilence}}},
        {"caller id", ShowChannelCallerId, 0, 8, {{8, L"5551234", kAnyImage}}},
        {"dialled", ShowChannelDialledNumber, 0, 8, {{7, L"8001", kAnyImage}}},
        {"spy caller id", ShowChannelCallerId, 2, 0, {{8, L"100|200", kAnyImage}}},
        {"spy dialled", ShowChannelDialledNumber, 2, 0, {{7, L"200|100", kAnyImage}}},
        // Connecting refreshes no line information, even on an analogue line.
        {"connect", ShowChannelOutgoingConnect, 0, 30, {{3, L"T10010", kIconRing}, {6, L"08 V", kAnyImage}}},
        {"line info", ShowChannelLineInfo, 0, 30, {{6, L"30 V", kAnyImage}, {3, L"T10010", kIconRing}}},
        {"link lost", ShowChannelLinkLost, 2, 0, {{3, L"T0267", kIconLineError}, {6, L"IN03-OUT02", kAnyImage}}},
        {"idle", ShowChannelIdle, 0, 48, {{3, L"T0259", kIconIdle}, {8, L"", kAnyImage}, {10, L"", kAnyImage}}},
    };
    for (const RowCase& c : cases) {
        ChannelTable[c.Channel].LineVoltage = c.Voltage;
        ASSERT_TRUE(RunOnWorker([&] { c.Show(c.Channel); })) << c.Name;
        for (const CellLook& cell : c.Cells) {
            if (!cell.Text)
                continue;
            EXPECT_EQ(cell.Text, CellText(hList, c.Channel, cell.Column)) << c.Name << " column " << cell.Column;
            if (cell.Image != kAnyImage) {
                EXPECT_EQ(cell.Image, RowImage(hList, c.Channel, cell.Column)) << c.Name;
            }
        }
    }
    EXPECT_EQ(L"", CellText(hList, 0, kColumnDialled));
    EXPECT_EQ(L"", CellText(hList, 0, kColumnCallTime));
    EXPECT_EQ(::GetCurrentThreadId(), view.RenderThread.load());

    // 1 h 2 min 5 s recorded, then the call's start in the system's short date and time.
    line.RecordedMs = 3725000;
    line.StartTime = LocalTime(2019, 4, 26, 10, 30, 0);
    ASSERT_TRUE(RunOnWorker([] { ShowChannelCallTime(0); }));
    const std::wstring callTime = CellText(hList, 0, kColumnCallTime);
    EXPECT_EQ(L"01:02:05 ", callTime.substr(0, 9)) << callTime;
    EXPECT_NE(std::wstring::npos, callTime.find(L"2019", 9)) << callTime;
    EXPECT_NE(std::wstring::npos, callTime.find(L"30", 9)) << callTime;

    // The keep flag writes only the record-mode image, and only in record mode 1.
    ChannelTable[1].KeepRecording = 1;
    ASSERT_TRUE(RunOnWorker([] { ShowChannelKeepFlag(1); }));
    EXPECT_EQ(kIconWillSave, RowImage(hList, 1, kColumnRecordMode));
    EXPECT_EQ(L"T0253", CellText(hList, 1, kColumnRecordMode));
    ChannelTable[1].KeepRecording = 0;
    ASSERT_TRUE(RunOnWorker([] { ShowChannelKeepFlag(1); }));
    EXPECT_EQ(kIconWillDelete, RowImage(hList, 1, kColumnRecordMode));
    ChannelTable[0].KeepRecording = 0;
    ASSERT_TRUE(RunOnWorker([] { ShowChannelKeepFlag(0); }));  // record mode 0: nothing
    EXPECT_EQ(kIconWillSave, RowImage(hList, 0, kColumnRecordMode));

    // Rows are found by their channel after the operator sorted them; a channel no row carries is written at its
    // own position.
    list.SortColumn(kColumnNumber, FALSE);
    ASSERT_EQ(L"006[008]", CellText(hList, 0, kColumnNumber));
    ASSERT_TRUE(RunOnWorker([] { ShowChannelRinging(5); }));
    EXPECT_EQ(L"T0262<0>", CellText(hList, 0, kColumnState));
    list.SetRowData(3, 77);  // the row of channel 2, "003[005]"
    ASSERT_TRUE(RunOnWorker([] { ShowChannelOffHook(2); }));
    EXPECT_EQ(L"T0260", CellText(hList, 2, kColumnState));  // position 2: the row of channel 3
    EXPECT_EQ(L"004[006]", CellText(hList, 2, kColumnNumber));

    // Settings changed by a client: name, phone and record mode of the channel's row.
    CopyToField(ChannelTable[4].Name, L"Renamed");
    CopyToField(ChannelTable[4].Phone, L"5550199");
    ChannelTable[4].Rec = kRecordDtmfKeepDelete;
    ASSERT_TRUE(RunOnWorker([] { GetServiceView()->ChannelSettingsChanged(4); }));
    const int row4 = FindChannelRow(list, 4);
    EXPECT_EQ(L"Renamed", CellText(hList, row4, kColumnName));
    EXPECT_EQ(L"5550199", CellText(hList, row4, kColumnPhone));
    EXPECT_EQ(L"T0253", CellText(hList, row4, kColumnRecordMode));
    EXPECT_EQ(kIconWillDelete, RowImage(hList, row4, kColumnRecordMode));

    EngineState.ChannelCount = 0;
    list.DestroyWindow();
    frame.DestroyWindow();
}
