#pragma once
// CMonitorTalkDialog: the monitor window (template IDD_MONITOR_TALK) of the channel the operator listens to at the
// server. One process-wide object (MonitorTalkDialog()), whose window the main frame creates hidden; the channel
// pane writes the channel's number and name on it, the service view hands it every new piece of the channel's
// recording (ShowBlock), and closing it ends local monitoring on every channel. UI thread.

#include "dialogs/MonitorWaveform.h"

#include "mfc.h"

#include <array>
#include <cstdint>

class CMonitorTalkDialog : public CDialog {
public:
    CMonitorTalkDialog();

    // Shows the window, then draws the piece in its AudioFormat: A-law, mu-law, or IMA ADPCM for any other value.
    void ShowBlock(int audioFmt, const uint8_t* data, int length);
    // Each decodes the piece into the sample buffer and draws it on the waveform area; nothing happens for null
    // data or while the monitor player has no open device (a piece is drawn only while the sound card plays it).
    void ShowMonitorAdpcm(const uint8_t* data, int length);
    void ShowMonitorALaw(const uint8_t* data, int length);
    void ShowMonitorMuLaw(const uint8_t* data, int length);

    // The waveform area: (0, 0) to the size of control IDC_MONITOR_WAVEFORM, set when the window is made.
    const CRect& WaveformRect() const { return m_waveformRect; }

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    // Draws the first count samples of the buffer on the waveform control; skipped when it has no DC.
    void DrawSamples(unsigned count);

    std::array<int16_t, kMonitorSampleCapacity> m_samples{};
    CPen m_pen;
    CBrush m_brush;
    CRect m_waveformRect;
};

// The process's monitor window object; built on first use.
CMonitorTalkDialog& MonitorTalkDialog();
