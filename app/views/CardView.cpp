#include "views/CardView.h"

#include "MainViewResource.h"
#include "channels/ChannelTable.h"
#include "common/AppIcons.h"
#include "common/ChannelPane.h"
#include "common/OperatorDialogs.h"
#include "common/OperatorSession.h"
#include "common/SysLogNow.h"
#include "engine/CardEngineState.h"
#include "engine/RecordingFiles.h"
#include "engine/WaveOut.h"
#include "settings/LangText.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"
#include "storage/RecordFields.h"
#include "storage/SysLogStore.h"
#include "views/ChannelRowCells.h"
#include "views/ListPane.h"
#include "views/PaneToolBar.h"
#include "views/PcmLinkerDlg.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kToolImageSize = 24;

constexpr const wchar_t* kToolBitmaps[] = {L"monitortalk.bmp", L"stopmonitor.bmp", L"channelsettings.bmp",
                                           L"callout.bmp"};

constexpr ToolBarButton kToolButtons[] = {
    {0, ID_CHANNEL_LISTEN, L"0022"}, {1, ID_CHANNEL_STOP_LISTEN, L"0023"}, {2, ID_CHANNEL_PARAMS, L"0024"},
    {3, ID_CHANNEL_DIAL, L"0399"},   {2, ID_CHANNEL_PCM_STATUS, L"10016"},  // shares the image of the parameters
};

// The texts of the monitor window that the pane writes: the channel number, and its name and phone.
constexpr int kMonitorChannelText = 1043;
constexpr int kMonitorNameText = 1018;

// Listening starts this far behind what the driver has written into the channel's buffer.
constexpr int kMonitorLeadBytes = 4096;

constexpr const wchar_t* kMonitorRowNameKey = L"0186";

// The playback format of the listening: the recording format of the settings, IMA ADPCM for anything but A-law
// and mu-law (a missing key included).
int PlaybackFormat(int audioFmt) {
    return audioFmt == kAudioALaw || audioFmt == kAudioMuLaw ? audioFmt : kAudioImaAdpcm;
}

// What the driver reports of the channel's recording: bytes filled for a spy channel, ms in the block for a line.
int ReportedRecording(int channel) {
    const ChannelRecord& record = ChannelTable[channel];
    if (IsSpyChannel(record.LineType))
        return QsdSpy_QueryMemOffset(record.SpyCic);
    int info[QSD_RECINFO_COUNT] = {};
    QsdVox_QueryRecInfo(channel, info);
    return info[QSD_RECINFO_MS];
}

// "<name> <phone> <channel + 1>" under event code 10 or 11.
void WriteMonitorRow(int event, int channel) {
    const ChannelRecord& record = ChannelTable[channel];
    SysLogRow row{};
    row.SysLog_Cmd = event;
    CopyToField(row.Name, LangText(kMonitorRowNameKey).c_str());
    FormatToField(row.Notes, L"%ls %ls %03d", record.Name, record.Phone, channel + 1);
    WriteSysLogNow(row);
}

CDialog* MonitorWindow() {
    CDialog* monitor = OperatorDialogs().Monitor.Window();
    return monitor && monitor->GetSafeHwnd() ? monitor : nullptr;
}

int VoiceChannelCount() {
    return std::min(EngineState.ChannelCount, kMaxChannels);
}

}  // namespace

int MonitorStartOffset(const ChannelRecord& record, int reported) {
    const int written = IsSpyChannel(record.LineType) ? reported : reported * RecordedBytesPerMs(record.AudioFmt);
    return written <= kMonitorLeadBytes ? 0 : written - kMonitorLeadBytes;
}

BEGIN_MESSAGE_MAP(CCardView, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_CHANNEL_LISTEN, OnStartMonitor)
    ON_COMMAND(ID_CHANNEL_STOP_LISTEN, OnStopMonitor)
    ON_COMMAND(ID_CHANNEL_PARAMS, OnChannelParams)
    ON_COMMAND(ID_CHANNEL_DIAL, OnDial)
    ON_COMMAND(ID_CHANNEL_PCM_STATUS, OnPcmStatus)
    ON_NOTIFY(NM_DBLCLK, IDC_CHANNEL_LIST, OnListDoubleClick)
END_MESSAGE_MAP()

CCardView::CCardView() : CDialog(IDD_CARD_VIEW) {}

void CCardView::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHANNEL_LIST, m_channelList);
}

BOOL CCardView::OnInitDialog() {
    CDialog::OnInitDialog();
    InsertChannelColumns(m_channelList);
    m_channelList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    m_channelList.SetImageList(&AppIconList(), LVSIL_SMALL);
    if (!CreateImageToolBar(this, m_toolBar, m_toolBarImages, kToolImageSize, kToolBitmaps, kToolButtons,
                            ToolBarSecondImages::Hot))
        return -1;
    ChannelPane().ClearMonitorIcon.Register([this](int channel) { ClearMonitorIcon(channel); });
    return TRUE;
}

BOOL CCardView::PreTranslateMessage(MSG* pMsg) {
    return OnPaneKeyFilter(pMsg) || CDialog::PreTranslateMessage(pMsg);
}

void CCardView::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    LayoutListPane(m_toolBar, m_channelList, cx, cy);
}

void CCardView::OnDestroy() {
    ChannelPane().ClearMonitorIcon.Register(nullptr);
    CDialog::OnDestroy();
    m_toolBarImages.DeleteImageList();
}

// ---- Channel rows

void CCardView::ChannelsReady(int channelCount) {
    FillChannelRows(m_channelList, channelCount);
}

void CCardView::ChannelRowChanged(int channel, ChannelRowChange what) {
    ShowChannelRowChange(m_channelList, channel, what);
}

void CCardView::ShowChannelSettings(int channel) {
    ShowChannelSettingsCells(m_channelList, channel);
}

int CCardView::SelectedRow() const {
    POSITION position = m_channelList.GetFirstSelectedItemPosition();
    return position ? m_channelList.GetNextSelectedItem(position) : -1;
}

int CCardView::ChannelOfRow(int row) const {
    return static_cast<int>(m_channelList.GetRowData(row));
}

// ---- Listening

int CCardView::ClearMonitoring() {
    int monitored = -1;
    for (int channel = 0; channel < VoiceChannelCount(); ++channel) {
        ChannelRecord& record = ChannelTable[channel];
        if (record.LocalMonitor)
            monitored = channel;
        record.LocalMonitor = 0;
        record.MonitorPos = 0;
        ClearMonitorIcon(channel);
    }
    return monitored;
}

void CCardView::ClearMonitorIcon(int channel) {
    m_channelList.SetItem(FindChannelRow(m_channelList, channel), kColumnName, LVIF_IMAGE, nullptr, -1, 0, 0, 0);
}

void CCardView::OnStartMonitor() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    const int channel = ChannelOfRow(row);
    if (channel < 0 || channel >= kMaxChannels)
        return;
    ClearMonitoring();  // one channel at a time

    const int audioFmt = ReadSettingInt(kSectionSettings, kKeyAudioFmt);
    if (MonitorPlayer.IsDeviceOpen())
        MonitorPlayer.Reset();
    else if (!MonitorPlayer.Start(PlaybackFormat(audioFmt)))
        return;

    ChannelRecord& record = ChannelTable[channel];
    // The offset goes in before the flag: the poll thread streams as soon as it sees the flag.
    record.MonitorPos = MonitorStartOffset(record, ReportedRecording(channel));
    if (CDialog* monitor = MonitorWindow()) {
        CString number;
        number.Format(L"%d", channel + 1);
        monitor->SetDlgItemText(kMonitorChannelText, number);
        CString names;
        names.Format(L"%s %s", record.Name, record.Phone);
        monitor->SetDlgItemText(kMonitorNameText, names);
    }
    record.LocalMonitor = 1;
    m_channelList.SetItem(row, kColumnName, LVIF_IMAGE, nullptr, kIconMonitorTalk, 0, 0, 0);
    WriteMonitorRow(kSysLogMonitorStarted, channel);
}

void CCardView::OnStopMonitor() {
    const int monitored = ClearMonitoring();
    if (CDialog* monitor = MonitorWindow())
        monitor->ShowWindow(SW_HIDE);
    // The device stays open for the next listening.
    if (monitored >= 0)
        WriteMonitorRow(kSysLogMonitorStopped, monitored);
}

// ---- Dialling and the PCM links

void CCardView::OnDial() {
    const int row = SelectedRow();
    OperatorDialogs().Dial.Run(this, row >= 0 ? ChannelOfRow(row) : -1, 0);
}

void CCardView::OnPcmStatus() {
    if (ThePcmLinkerDlg().GetSafeHwnd())
        ThePcmLinkerDlg().ShowWindow(SW_SHOW);
}

void CCardView::OnListDoubleClick(NMHDR*, LRESULT* pResult) {
    // The window can be shown from the tray while nobody is logged in.
    if (OperatorLoggedIn)
        OnChannelParams();
    *pResult = 0;
}
