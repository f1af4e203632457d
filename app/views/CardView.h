#pragma once
// CCardView: the channel pane (template IDD_CARD_VIEW), a child dialog of the right view with a toolbar above the
// channel list. The rows follow the channels as the service reports them (ChannelRowCells.h); the toolbar lets
// the operator listen to a channel on the PC's sound card, stop listening, edit a channel's parameters, dial out
// and show the PCM links. The pane keeps no channel state of its own: the channels are ChannelTable's, the
// listening state is in the channels' records and the monitor player.
//
// Created, shown and destroyed by the right view on the UI thread. The row functions run on the UI thread: the
// GUI's service view carries the service threads' calls there.

#include "ServiceView.h"
#include "views/ReportCtrl.h"

#include "mfc.h"

struct ChannelParamFields;
struct ChannelRecord;

// Where listening to a channel starts in its recording buffer: 4096 bytes behind what the driver has written, 0
// when it has written no more. A spy channel reports the bytes its circuit filled; an analogue line reports the
// milliseconds of audio in its current block, which the recording's AudioFormat turns into bytes (4 per ms for
// IMA ADPCM, 8 for A-law and mu-law).
int MonitorStartOffset(const ChannelRecord& record, int reported);

class CCardView : public CDialog {
public:
    CCardView();

    // ---- Channel rows
    // The channels are configured: one row per channel.
    void ChannelsReady(int channelCount);
    void ChannelRowChanged(int channel, ChannelRowChange what);
    // Rewrites the name, phone and record-mode cells after a client changed the channel's parameters; a channel of
    // 512 or more changes nothing. Nothing is stored or pushed.
    void ShowChannelSettings(int channel);
    // Clears the listening icon of the channel's row. While the pane exists, the windows below it reach this
    // through ChannelPane().ClearMonitorIcon.
    void ClearMonitorIcon(int channel);

    CReportCtrl& ChannelList() { return m_channelList; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnStartMonitor();
    afx_msg void OnStopMonitor();
    afx_msg void OnChannelParams();
    afx_msg void OnDial();
    afx_msg void OnPcmStatus();
    afx_msg void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The first selected row, or -1.
    int SelectedRow() const;
    // The channel of a row: its pane value.
    int ChannelOfRow(int row) const;
    // Clears every voice channel's monitor flag, read offset and listening icon; answers the channel that was
    // monitored, or -1.
    int ClearMonitoring();
    // What the parameter dialog chose, applied to every other voice channel: its own name and phone kept, and a
    // voltage-watched line keeping its own record mode when the dialog chose voice-activated recording.
    void ApplyToOtherChannels(int edited, const ChannelParamFields& fields);

    CImageList m_toolBarImages;
    CToolBar m_toolBar;
    CReportCtrl m_channelList;
};
