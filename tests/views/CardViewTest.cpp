// The channel pane in the main view: its columns and toolbar, its commands (listening on the sound card through the
// waveOut seam, the channel parameters stored into the records, files, settings and the simulated driver, dialling
// and the PCM links), its key filter, and where listening starts in a channel's buffer.

#include "views/CardView.h"

#include "MainFrameResource.h"
#include "MainViewResource.h"
#include "QsSimControl.h"
#include "TestMainFrame.h"
#include "ViewsTestSupport.h"
#include "channels/ChannelTable.h"
#include "common/AppIcons.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "engine/CardEngineState.h"
#include "engine/ChannelSettings.h"
#include "engine/Schedules.h"
#include "engine/WaveOut.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/SysLogStore.h"
#include "views/ChannelRowCells.h"
#include "views/PcmLinkerDlg.h"

#include <gtest/gtest.h>

#include <mmreg.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr UINT kTestMonitorTemplate = 900;

// ---- A sound card that opens unless told not to, and counts what the player asks of it.
struct FakeSoundCard {
    bool Refuse = false;
    int Opens = 0;
    int Resets = 0;
    WORD FormatTag = 0;
} g_card;

MMRESULT WINAPI FakeOpen(LPHWAVEOUT device, UINT, LPCWAVEFORMATEX format, DWORD_PTR, DWORD_PTR, DWORD flags) {
    if (flags & WAVE_FORMAT_QUERY)
        return MMSYSERR_NOERROR;
    if (g_card.Refuse)
        return MMSYSERR_ALLOCATED;
    ++g_card.Opens;
    g_card.FormatTag = format->wFormatTag;
    *device = reinterpret_cast<HWAVEOUT>(0x5A5A);
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeHeader(HWAVEOUT, LPWAVEHDR, UINT) {
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeReset(HWAVEOUT) {
    ++g_card.Resets;
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeClose(HWAVEOUT) {
    return MMSYSERR_NOERROR;
}
const WaveOutApi kFakeSoundCard = {FakeOpen, FakeHeader, FakeHeader, FakeHeader, FakeReset, FakeClose};

// ---- The simulated driver.
std::string Sim(const std::string& command) {
    std::string reply(65536, '\0');
    const int length = QsSim_Command(command.c_str(), reply.data(), static_cast<int>(reply.size()));
    reply.resize(static_cast<size_t>(std::min<int>(std::max(length, 0), static_cast<int>(reply.size()) - 1)));
    return reply;
}

// "Function(arguments)" of each journal entry since the last clear whose function starts with the prefix.
std::vector<std::string> DriverCalls(const std::string& prefix) {
    std::istringstream lines(Sim("journal 0 " + prefix));
    std::vector<std::string> calls;
    std::string line;
    std::getline(lines, line);  // OK <entries> <last>
    while (std::getline(lines, line)) {
        const size_t start = line.find(prefix);
        const size_t end = line.rfind(" = ");
        if (start != std::string::npos && end != std::string::npos)
            calls.push_back(line.substr(start, end - start));
    }
    return calls;
}

void PrepareChannel(int channel, int lineType, const wchar_t* name, const wchar_t* phone) {
    ChannelRecord& record = ChannelTable[channel];
    record.LineType = lineType;
    CopyToField(record.Name, name);
    CopyToField(record.Phone, phone);
    record.Rec = kRecordByLineState;
    record.CallerIDFormat = 1;
    record.PickupVoltage = 20;
    record.LocalMonitor = 0;
    record.MonitorPos = 0;
    record.AudioFmt = kAudioImaAdpcm;
}

void SelectRow(CReportCtrl& list, int row) {
    for (int i = 0; i < list.GetItemCount(); ++i)
        list.SetItemState(i, i == row ? LVIS_SELECTED | LVIS_FOCUSED : 0, LVIS_SELECTED | LVIS_FOCUSED);
}

std::vector<SysLogRow> TodaysSysLog() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    std::vector<SysLogRow> rows;
    SysLogStore store;
    if (store.Open(SysLogDayFile(now).c_str()))
        store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& row) { rows.push_back(row); });
    store.Close();
    return rows;
}

std::string FileBytes(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

DWORD FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

std::wstring ChannelSetting(int channel, const wchar_t* key) {
    return ReadSettingString(kSectionChannelParam, ChannelKey(channel, key).c_str());
}

}  // namespace

TEST(CardView, MonitorStartOffsetLiesFourKilobytesBehindWhatWasWritten) {
    struct Case {
        int LineType;
        int AudioFmt;
        int Reported;  // ms in the block for a line, bytes filled for a spy channel
        int Offset;
    };
    const Case cases[] = {
        {QSD_CHTYPE_LINE_VOLTAGE, kAudioImaAdpcm, 1000, 0},  // 4000 bytes written
        {QSD_CHTYPE_LINE_VOLTAGE, kAudioImaAdpcm, 1024, 0},  // exactly 4096
        {QSD_CHTYPE_LINE_VOLTAGE, kAudioImaAdpcm, 5000, 15904},
        {QSD_CHTYPE_LINE_TRUNK, kAudioImaAdpcmToMp3, 5000, 15904},  // recorded as IMA ADPCM too
        {QSD_CHTYPE_LINE_RECORD, kAudioALaw, 1000, 3904},           // 8 bytes per ms
        {QSD_CHTYPE_LINE_RECORD, kAudioALaw, 1024, 4096},
        {QSD_CHTYPE_LINE_RECORD, kAudioMuLaw, 5000, 35904},
        {QSD_CHTYPE_SPY, kAudioALaw, 4096, 0},
        {QSD_CHTYPE_SPY, kAudioALaw, 5000, 904},
        {QSD_CHTYPE_SPY, kAudioImaAdpcm, 0, 0},
    };
    for (const Case& c : cases) {
        ChannelRecord record;
        record.LineType = c.LineType;
        record.AudioFmt = c.AudioFmt;
        EXPECT_EQ(c.Offset, MonitorStartOffset(record, c.Reported))
            << c.LineType << " " << c.AudioFmt << " " << c.Reported;
    }
}

TEST(CardView, ListensStoresParametersDialsAndShowsThePcmLinks) {
    TestFolder folder;
    PrepareEchoLanguage(folder);
    CopyImages(folder);
    EnsureAppIcons();
    const std::wstring scenario = folder.ProgramFolder() + L"\\scenario.ini";
    WriteUtf16File(scenario, L"[Board0]\r\nType=297\r\nSerialNo=100001\r\nLineTypes=6,7,8,8\r\n");
    ASSERT_EQ(0u, Sim("load \"" + std::string(CStringA(scenario.c_str()).GetString()) + "\"").rfind("OK", 0));
    ASSERT_EQ(QSD_OK, QsdSys_EnableBoard());
    PrepareChannel(0, QSD_CHTYPE_LINE_VOLTAGE, L"Desk", L"100");
    PrepareChannel(1, QSD_CHTYPE_LINE_TRUNK, L"Sales", L"101");
    PrepareChannel(2, QSD_CHTYPE_SPY, L"Trunk", L"");
    PrepareChannel(3, QSD_CHTYPE_LINE_RECORD, L"Store", L"103");
    EngineState.ChannelCount = 4;

    OperatorDialogs() = {};
    CDialog monitor(kTestMonitorTemplate);
    OperatorDialogs().Monitor.Register(&monitor, kTestMonitorTemplate);
    CWinApp app(L"test");
    CTestMainFrame* frame = CreateTestMainFrame(app, 1000, 500);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(OperatorDialogs().Monitor.Create(frame));
    ASSERT_TRUE(ThePcmLinkerDlg().Create(IDD_PCM_LINKER, frame));
    CDialog& pcmLinks = ThePcmLinkerDlg();
    pcmLinks.ShowWindow(SW_HIDE);
    CCardView& card = frame->Right()->CardView();
    CReportCtrl& list = card.ChannelList();
    const HWND hList = list.GetSafeHwnd();
    card.ChannelsReady(4);
    ASSERT_EQ(4, RowCount(hList));

    // ---- Columns and toolbar.
    const std::pair<const wchar_t*, int> columns[] = {
        {L"T0013", 100}, {L"T0014", 150}, {L"T0015", 150}, {L"T0016", 150}, {L"T0273", 150}, {L"T0289", 150},
        {L"T0258", 100}, {L"T0017", 150}, {L"T0018", 150}, {L"T0020", 180}, {L"T0021", 500}};
    for (int i = 0; i < kChannelColumnCount; ++i) {
        wchar_t title[64] = {};
        LVCOLUMNW column{LVCF_TEXT | LVCF_WIDTH};
        column.pszText = title;
        column.cchTextMax = 64;
        ASSERT_TRUE(list.GetColumn(i, &column));
        EXPECT_STREQ(columns[i].first, title);
        EXPECT_EQ(columns[i].second, column.cx);
    }
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT),
              list.GetExtendedStyle());
    const HWND toolBar = ::GetDlgItem(card.GetSafeHwnd(), AFX_IDW_TOOLBAR);
    ASSERT_EQ(5, ::SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
    const int images[] = {0, 1, 2, 3, 2};
    const UINT commands[] = {ID_CHANNEL_LISTEN, ID_CHANNEL_STOP_LISTEN, ID_CHANNEL_PARAMS, ID_CHANNEL_DIAL,
                             ID_CHANNEL_PCM_STATUS};
    for (int i = 0; i < 5; ++i) {
        TBBUTTON button{};
        ::SendMessageW(toolBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(static_cast<int>(commands[i]), button.idCommand);
        EXPECT_EQ(images[i], button.iBitmap);
    }
    const auto toolImages = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolBar, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(4, ImageList_GetImageCount(toolImages));
    EXPECT_EQ(reinterpret_cast<LRESULT>(toolImages), ::SendMessageW(toolBar, TB_GETHOTIMAGELIST, 0, 0));
    CRect client;
    card.GetClientRect(&client);
    EXPECT_EQ(CRect(2, 0, client.right - 2, 32), RectInParent(toolBar));
    EXPECT_EQ(CRect(2, 33, client.right - 2, client.bottom - 2), RectInParent(hList));

    // Enter and Escape never reach the pane, which they would end and so hide.
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        MSG down{hList, WM_KEYDOWN, key, 0};
        CWnd& pane = card;
        EXPECT_TRUE(pane.PreTranslateMessage(&down));
        EXPECT_TRUE(card.IsWindowVisible());
    }

    // ---- Listening: one channel at a time, the device opened once in the format of the settings.
    SetWaveOutApi(&kFakeSoundCard);
    WriteSettingInt(kSectionSettings, kKeyAudioFmt, kAudioALaw);
    auto send = [&](UINT id) { card.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
    SelectRow(list, 1);
    send(ID_CHANNEL_LISTEN);
    EXPECT_TRUE(MonitorPlayer.IsDeviceOpen());
    EXPECT_EQ(kAudioALaw, MonitorPlayer.FormatCode());
    EXPECT_EQ(WAVE_FORMAT_ALAW, g_card.FormatTag);
    EXPECT_EQ(1, ChannelTable[1].LocalMonitor);
    EXPECT_EQ(0, ChannelTable[1].MonitorPos);  // the line is not recording: nothing written yet
    EXPECT_EQ(kIconMonitorTalk, RowImage(hList, 1, kColumnName));
    EXPECT_EQ(L"2", WindowText(::GetDlgItem(monitor.GetSafeHwnd(), 1043)));
    EXPECT_EQ(L"Sales 101", WindowText(::GetDlgItem(monitor.GetSafeHwnd(), 1018)));
    std::vector<SysLogRow> rows = TodaysSysLog();
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(kSysLogMonitorStarted, rows[0].SysLog_Cmd);
    EXPECT_EQ(std::wstring(L"T0186"), rows[0].Name);
    EXPECT_EQ(std::wstring(L"Sales 101 002"), rows[0].Notes);

    SelectRow(list, 3);  // another channel while channel 2 is listened to: the open device is reset
    send(ID_CHANNEL_LISTEN);
    EXPECT_EQ(0, ChannelTable[1].LocalMonitor);
    EXPECT_EQ(1, ChannelTable[3].LocalMonitor);
    EXPECT_EQ(-1, RowImage(hList, 1, kColumnName));
    EXPECT_EQ(kIconMonitorTalk, RowImage(hList, 3, kColumnName));
    EXPECT_EQ(1, g_card.Opens);
    EXPECT_EQ(1, g_card.Resets);
    SaveScreenshot(frame->GetSafeHwnd(), L"Z:\\tmp\\views_channel_listening.png");

    monitor.ShowWindow(SW_SHOWNA);
    send(ID_CHANNEL_STOP_LISTEN);
    for (int channel = 0; channel < 4; ++channel) {
        EXPECT_EQ(0, ChannelTable[channel].LocalMonitor);
        EXPECT_EQ(-1, RowImage(hList, channel, kColumnName));
    }
    EXPECT_FALSE(monitor.IsWindowVisible());
    EXPECT_TRUE(MonitorPlayer.IsDeviceOpen());  // kept for the next listening
    rows = TodaysSysLog();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(kSysLogMonitorStopped, rows[2].SysLog_Cmd);
    EXPECT_EQ(std::wstring(L"Store 103 004"), rows[2].Notes);
    send(ID_CHANNEL_STOP_LISTEN);  // nothing listened to: no row
    EXPECT_EQ(3u, TodaysSysLog().size());

    // A device that does not open: no listening starts.
    MonitorPlayer.Close();
    g_card.Refuse = true;
    SelectRow(list, 0);
    send(ID_CHANNEL_LISTEN);
    EXPECT_EQ(0, ChannelTable[0].LocalMonitor);
    EXPECT_EQ(-1, RowImage(hList, 0, kColumnName));
    EXPECT_EQ(3u, TodaysSysLog().size());
    MonitorPlayer.Close();
    SetWaveOutApi(nullptr);

    // ---- Channel parameters for channel 2, then for every channel.
    int dialogCalls = 0;
    int dialogChannel = -1;
    int chosenRec = kRecordVoiceActivated;
    INT_PTR dialogResult = IDOK;
    OperatorDialogs().ChannelParams.Register([&](CWnd*, int channel, ChannelParamFields& fields) {
        ++dialogCalls;
        dialogChannel = channel;
        CopyToField(fields.Name, L"Edited");
        CopyToField(fields.Phone, L"555");
        CopyToField(fields.AutoFile, L"C:\\greet.wav");
        fields.Rec = chosenRec;
        fields.PickupVoltage = 15;
        fields.CallerIDFormat = 0;
        fields.Trigger = 5;
        fields.SoundTime = 300;
        fields.MuteTime = 2000;
        fields.RecordAllWeek[1].Enabled[0] = 1;
        return dialogResult;
    });
    OperatorLoggedIn = 1;
    SelectRow(list, 1);
    ASSERT_EQ(0u, Sim("journal clear").rfind("OK", 0));
    {
        MessageBoxAnswerer yes(L"T0341", IDYES);
        send(ID_CHANNEL_PARAMS);
        EXPECT_TRUE(yes.Answered());
    }
    EXPECT_EQ(1, dialogChannel);
    const std::vector<std::string> expectedCalls = {
        // The edited channel: voltage first.
        "QsdVox_SetDtrmLineVoltage(1, 15)", "QsdVox_SetFlag(1, 7, 1)", "QsdVox_SetCheckBargeInPara(1, 5, 300)",
        "QsdVox_SetVocValidTime(1, 2000, 300)",
        // The others: voltage last; the voltage-watched line keeps its own record mode; the spy channel gets none.
        "QsdVox_SetFlag(0, 7, 1)", "QsdVox_SetDtrmLineVoltage(0, 15)", "QsdVox_SetFlag(3, 7, 1)",
        "QsdVox_SetCheckBargeInPara(3, 5, 300)", "QsdVox_SetVocValidTime(3, 2000, 300)",
        "QsdVox_SetDtrmLineVoltage(3, 15)"};
    EXPECT_EQ(expectedCalls, DriverCalls("QsdVox_Set"));
    const wchar_t* names[] = {L"Desk", L"Edited", L"Trunk", L"Store"};
    const int recs[] = {kRecordByLineState, kRecordVoiceActivated, kRecordVoiceActivated, kRecordVoiceActivated};
    for (int channel = 0; channel < 4; ++channel) {
        const ChannelRecord& record = ChannelTable[channel];
        EXPECT_STREQ(names[channel], record.Name) << channel;
        EXPECT_EQ(recs[channel], record.Rec) << channel;
        EXPECT_STREQ(L"C:\\greet.wav", record.AutoFile) << channel;
        EXPECT_EQ(15, record.PickupVoltage) << channel;
        // Digital channels too: both schedule files and every key.
        EXPECT_EQ(static_cast<DWORD>(kScheduleFileBytes), FileSize(RecordAllSchedulePath(channel))) << channel;
        EXPECT_EQ(static_cast<DWORD>(kScheduleFileBytes), FileSize(AutoAnswerSchedulePath(channel))) << channel;
        EXPECT_EQ(names[channel], ChannelSetting(channel, kChannelName)) << channel;
        EXPECT_EQ(recs[channel], ReadSettingInt(kSectionChannelParam, ChannelKey(channel, kChannelRec).c_str()));
        EXPECT_EQ(L"C:\\greet.wav", ChannelSetting(channel, kChannelAutoFile)) << channel;
        EXPECT_EQ(recs[channel] == kRecordVoiceActivated ? L"T0254" : L"T0252",
                  CellText(hList, channel, kColumnRecordMode));
    }
    ChannelRecord loaded;
    LoadChannelSchedules(loaded, 2);
    EXPECT_EQ(1, loaded.RecordAllWeek[1].Enabled[0]);
    EXPECT_EQ(L"Edited", CellText(hList, 1, kColumnName));
    EXPECT_EQ(L"555", CellText(hList, 1, kColumnPhone));

    // Voice-activated recording chosen for the voltage-watched line: refused, nothing stored.
    SelectRow(list, 0);
    const std::string settingsBefore = FileBytes(SettingsFilePath());
    Sim("journal clear");
    {
        MessageBoxAnswerer ok(L"T0410", IDOK);
        send(ID_CHANNEL_PARAMS);
        EXPECT_TRUE(ok.Answered());
    }
    EXPECT_EQ(0, dialogChannel);
    EXPECT_STREQ(L"Desk", ChannelTable[0].Name);
    EXPECT_EQ(kRecordByLineState, ChannelTable[0].Rec);
    EXPECT_EQ(settingsBefore, FileBytes(SettingsFilePath()));
    EXPECT_TRUE(DriverCalls("QsdVox_Set").empty());

    // A double click opens the dialog for the row's channel, only while an operator is logged in.
    dialogResult = IDCANCEL;
    const int callsBefore = dialogCalls;
    SelectRow(list, 2);
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = hList;
    click.hdr.idFrom = IDC_CHANNEL_LIST;
    click.hdr.code = NM_DBLCLK;
    click.iItem = 2;
    OperatorLoggedIn = 0;
    card.SendMessage(WM_NOTIFY, IDC_CHANNEL_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(callsBefore, dialogCalls);
    OperatorLoggedIn = 1;
    card.SendMessage(WM_NOTIFY, IDC_CHANNEL_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(callsBefore + 1, dialogCalls);
    EXPECT_EQ(2, dialogChannel);

    // ---- Dialling with the selected row's channel, or none; the PCM links shown.
    int preset = -7, dialChannel = -7;
    OperatorDialogs().Dial.Register([&](CWnd*, int presetChannel, int dialOn) {
        preset = presetChannel;
        dialChannel = dialOn;
        return static_cast<INT_PTR>(IDCANCEL);
    });
    send(ID_CHANNEL_DIAL);
    EXPECT_EQ(2, preset);
    EXPECT_EQ(0, dialChannel);
    SelectRow(list, -1);
    send(ID_CHANNEL_DIAL);
    EXPECT_EQ(-1, preset);
    EXPECT_FALSE(pcmLinks.IsWindowVisible());
    send(ID_CHANNEL_PCM_STATUS);
    EXPECT_TRUE(pcmLinks.IsWindowVisible());
    pcmLinks.ShowWindow(SW_HIDE);

    // A client changed channel 4's settings; a channel beyond the table changes nothing.
    CopyToField(ChannelTable[3].Name, L"Stock");
    card.ShowChannelSettings(3);
    card.ShowChannelSettings(512);
    EXPECT_EQ(L"Stock", CellText(hList, 3, kColumnName));

    // A picture of the pane with rows in several states.
    ChannelTable[0].RingCount = 2;
    card.ChannelRowChanged(0, ChannelRowChange::Ringing);
    CopyToField(ChannelTable[1].FilePath, L"C:\\Recordings\\20190426\\002\\call.wav");
    std::strcpy(ChannelTable[1].CallerId, "5551234");
    card.ChannelRowChanged(1, ChannelRowChange::IncomingRecording);
    card.ChannelRowChanged(1, ChannelRowChange::CallerId);
    card.ChannelRowChanged(2, ChannelRowChange::LinkLost);
    card.ChannelRowChanged(3, ChannelRowChange::Idle);
    SaveScreenshot(frame->GetSafeHwnd(), L"Z:\\tmp\\views_channel_pane.png");

    OperatorLoggedIn = 0;
    EngineState.ChannelCount = 0;
    ::DestroyWindow(frame->GetSafeHwnd());
    app.m_pMainWnd = nullptr;
    monitor.DestroyWindow();
    ThePcmLinkerDlg().DestroyWindow();
    OperatorDialogs() = {};
    QsdSys_DisableBoard();
}
