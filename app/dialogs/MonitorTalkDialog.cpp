#include "dialogs/MonitorTalkDialog.h"

#include "ChannelDialogsResource.h"
#include "channels/ChannelTable.h"
#include "common/ChannelPane.h"
#include "common/SysLogNow.h"
#include "engine/CardEngineState.h"
#include "engine/WaveOut.h"
#include "settings/LangText.h"
#include "storage/RecordFields.h"
#include "storage/SysLogStore.h"

#include <algorithm>

namespace {

struct ControlText {
    int Id;
    const wchar_t* Key;
};

constexpr ControlText kControlTexts[] = {
    {IDC_MONITOR_CHANNEL_LABEL, L"0323"},
    {IDC_MONITOR_NAME_LABEL, L"0324"},
};

bool CanDraw(const uint8_t* data) {
    return data != nullptr && MonitorPlayer.IsDeviceOpen();
}

}  // namespace

BEGIN_MESSAGE_MAP(CMonitorTalkDialog, CDialog)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CMonitorTalkDialog::CMonitorTalkDialog() : CDialog(IDD_MONITOR_TALK) {
    m_pen.CreatePen(PS_SOLID, 0, RGB(0, 255, 0));
    m_brush.CreateSolidBrush(RGB(0, 0, 0));
}

BOOL CMonitorTalkDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LangText(L"0272").c_str());
    for (const ControlText& text : kControlTexts)
        SetDlgItemText(text.Id, LangText(text.Key).c_str());
    WINDOWPLACEMENT placement{sizeof(placement)};
    GetDlgItem(IDC_MONITOR_WAVEFORM)->GetWindowPlacement(&placement);
    m_waveformRect.SetRect(0, 0, placement.rcNormalPosition.right - placement.rcNormalPosition.left,
                           placement.rcNormalPosition.bottom - placement.rcNormalPosition.top);
    return TRUE;
}

void CMonitorTalkDialog::ShowBlock(int audioFmt, const uint8_t* data, int length) {
    if (!GetSafeHwnd())
        return;  // the main frame has not made the window
    ShowWindow(SW_SHOW);
    if (audioFmt == kAudioALaw)
        ShowMonitorALaw(data, length);
    else if (audioFmt == kAudioMuLaw)
        ShowMonitorMuLaw(data, length);
    else
        ShowMonitorAdpcm(data, length);
}

void CMonitorTalkDialog::ShowMonitorAdpcm(const uint8_t* data, int length) {
    if (CanDraw(data))
        DrawSamples(DecodeMonitorAdpcm(data, length, m_samples.data()));
}

void CMonitorTalkDialog::ShowMonitorALaw(const uint8_t* data, int length) {
    if (CanDraw(data))
        DrawSamples(DecodeMonitorALaw(data, length, m_samples.data()));
}

void CMonitorTalkDialog::ShowMonitorMuLaw(const uint8_t* data, int length) {
    if (CanDraw(data))
        DrawSamples(DecodeMonitorMuLaw(data, length, m_samples.data()));
}

void CMonitorTalkDialog::DrawSamples(unsigned count) {
    CWnd* waveform = GetDlgItem(IDC_MONITOR_WAVEFORM);
    if (!waveform)
        return;
    CClientDC dc(waveform);
    if (!dc.GetSafeHdc())
        return;
    DrawMonitorWaveform(dc.GetSafeHdc(), m_waveformRect, m_pen, m_brush, m_samples.data(), count);
}

void CMonitorTalkDialog::OnClose() {
    int heard = -1;  // the last channel found listened to
    const int channels = std::min(EngineState.ChannelCount, kMaxChannels);
    for (int channel = 0; channel < channels; ++channel) {
        ChannelRecord& record = ChannelTable[channel];
        if (record.LocalMonitor)
            heard = channel;
        record.LocalMonitor = 0;
        record.MonitorPos = 0;
        ChannelPane().ClearMonitorIcon(channel);
    }
    ShowWindow(SW_HIDE);
    if (heard >= 0) {
        const ChannelRecord& record = ChannelTable[heard];
        SysLogRow row{};
        row.SysLog_Cmd = kSysLogMonitorStopped;
        CopyToField(row.Name, LangText(L"0186").c_str());
        FormatToField(row.Notes, L"%ls %ls %03d", record.Name, record.Phone, heard + 1);
        WriteSysLogNow(row);
    }
    CDialog::OnClose();
}

CMonitorTalkDialog& MonitorTalkDialog() {
    static CMonitorTalkDialog dialog;
    return dialog;
}
