// The monitor window as the main frame makes it and the service view feeds it: its texts and waveform area, pieces
// drawn only while the monitor player's device is open, and the close box ending local monitoring everywhere.

#include "ChannelDialogsTestSupport.h"

#include "ChannelDialogsResource.h"
#include "LocalTime.h"
#include "channels/ChannelTable.h"
#include "common/ChannelPane.h"
#include "common/OperatorDialogs.h"
#include "dialogs/MonitorTalkDialog.h"
#include "engine/CardEngineState.h"
#include "engine/G711.h"
#include "engine/WaveOut.h"
#include "storage/RecordFields.h"
#include "storage/StoragePaths.h"
#include "storage/SysLogStore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A sound device that takes every buffer and gives it back at once.
DWORD g_callbackThread = 0;

MMRESULT WINAPI FakeOpen(LPHWAVEOUT device, UINT, LPCWAVEFORMATEX, DWORD_PTR callback, DWORD_PTR, DWORD flags) {
    if (flags & WAVE_FORMAT_QUERY)
        return MMSYSERR_NOERROR;
    g_callbackThread = static_cast<DWORD>(callback);
    *device = reinterpret_cast<HWAVEOUT>(0x5A5A);
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakePrepare(HWAVEOUT, LPWAVEHDR, UINT) {
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeWrite(HWAVEOUT device, LPWAVEHDR header, UINT) {
    header->dwFlags |= WHDR_DONE;
    ::PostThreadMessageW(g_callbackThread, MM_WOM_DONE, reinterpret_cast<WPARAM>(device),
                         reinterpret_cast<LPARAM>(header));
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeReset(HWAVEOUT) {
    return MMSYSERR_NOERROR;
}
const WaveOutApi kFakeDevice = {FakeOpen, FakePrepare, FakeWrite, FakePrepare, FakeReset, FakeReset};

COLORREF WaveformPixel(HWND dialog, int x, int y) {
    HWND waveform = ::GetDlgItem(dialog, IDC_MONITOR_WAVEFORM);
    HDC dc = ::GetDC(waveform);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(waveform, dc);
    return colour;
}

std::vector<SysLogRow> TodaysLog() {
    std::vector<SysLogRow> rows;
    SysLogStore store;
    if (store.Open(SysLogDayFile(Today()).c_str()))
        store.ForEachRow(L"select * from SysLog_Table", [&](const SysLogRow& row) { rows.push_back(row); });
    store.Close();
    return rows;
}

}  // namespace

TEST(MonitorTalkDialogTest, DrawsPiecesWhileTheDevicePlaysAndClosingEndsListening) {
    TestFolder folder;
    UseEnglishTexts(folder);
    OperatorDialogs() = {};
    RegisterOperatorDialogs();
    // The entries of these dialogs are filled (the rest of the registry belongs to the other operator dialogs).
    const OperatorDialogRegistry& dialogs = OperatorDialogs();
    EXPECT_TRUE(dialogs.ChannelParams.IsRegistered());
    EXPECT_TRUE(dialogs.Dial.IsRegistered());
    EXPECT_TRUE(dialogs.RecordDetails.IsRegistered());
    EXPECT_TRUE(dialogs.RecordSearch.IsRegistered());
    EXPECT_TRUE(dialogs.Monitor.ShowBlock.IsRegistered());
    ASSERT_TRUE(OperatorDialogs().Monitor.Create(nullptr));
    CMonitorTalkDialog& monitor = MonitorTalkDialog();
    ASSERT_EQ(&monitor, OperatorDialogs().Monitor.Window());
    const HWND d = monitor.GetSafeHwnd();
    EXPECT_FALSE(::IsWindowVisible(d)) << "made hidden";
    wchar_t caption[64] = {};
    ::GetWindowTextW(d, caption, 64);
    EXPECT_EQ(English(L"0272"), caption);
    CRect client;
    ::GetClientRect(::GetDlgItem(d, IDC_MONITOR_WAVEFORM), &client);
    EXPECT_EQ(client, monitor.WaveformRect());

    // The channel pane's monitor command writes the channel's texts.
    ::SetDlgItemTextW(d, IDC_MONITOR_CHANNEL, L"3");
    ::SetDlgItemTextW(d, IDC_MONITOR_NAME, L"Sales 2001");

    // Without a device the window is shown and the piece is not drawn.
    const std::vector<uint8_t> silence(4096, 0);
    OperatorDialogs().Monitor.ShowBlock(kAudioImaAdpcm, silence.data(), 4096);
    EXPECT_TRUE(::IsWindowVisible(d));
    ::UpdateWindow(d);
    EXPECT_NE(RGB(128, 64, 0), WaveformPixel(d, 0, 0));

    // While the device plays, every piece is drawn: a frame, and the wave.
    SetWaveOutApi(&kFakeDevice);
    ASSERT_EQ(1, MonitorPlayer.Start(kAudioALaw));
    std::vector<uint8_t> tone(4096);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = LinearToALaw(static_cast<int16_t>(20000 * std::sin(i * 0.02) * std::sin(i * 0.0015)));
    ::RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    OperatorDialogs().Monitor.ShowBlock(kAudioALaw, tone.data(), 4096);
    EXPECT_EQ(RGB(128, 64, 0), WaveformPixel(d, 0, 0));
    EXPECT_EQ(RGB(128, 64, 0), WaveformPixel(d, client.right - 1, client.bottom - 1));
    EXPECT_TRUE(SaveScreenshot(d, L"channeldialogs_monitor.png", false));
    MonitorPlayer.Close();
    SetWaveOutApi(nullptr);

    // Closing with channels 2 and 7 listened to: both end, every row's icon is cleared, the higher one is logged.
    EngineState.ChannelCount = 8;
    for (int channel : {2, 7}) {
        ChannelTable[channel].LocalMonitor = 1;
        ChannelTable[channel].MonitorPos = 4096;
    }
    CopyToField(ChannelTable[7].Name, L"Sales");
    CopyToField(ChannelTable[7].Phone, L"2001");
    std::vector<int> cleared;
    ChannelPane().ClearMonitorIcon.Register([&](int channel) { cleared.push_back(channel); });
    ::SendMessageW(d, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(d));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}), cleared);
    for (int channel : {2, 7}) {
        EXPECT_EQ(0, ChannelTable[channel].LocalMonitor);
        EXPECT_EQ(0, ChannelTable[channel].MonitorPos);
    }
    std::vector<SysLogRow> rows = TodaysLog();
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(kSysLogMonitorStopped, rows[0].SysLog_Cmd);
    EXPECT_EQ(English(L"0186"), FieldText(rows[0].Name));
    EXPECT_EQ(L"Sales 2001 008", FieldText(rows[0].Notes));

    // Closing with nothing listened to writes no row.
    OperatorDialogs().Monitor.ShowBlock(kAudioMuLaw, tone.data(), 4096);
    ::SendMessageW(d, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(d));
    EXPECT_EQ(1u, TodaysLog().size());

    ChannelPane() = {};
    monitor.DestroyWindow();
    OperatorDialogs() = {};
}
