#pragma once
// CLoadDriverDlg: the start-up window (template IDD_LOAD_DRIVER), one process-wide modeless window that the main
// frame creates at its creation. It shows the progress of the channel configuration, with the OEM logo in its
// top-left corner. UI thread: the configuration thread reaches it through the window side's view.

#include "mfc.h"

class CLoadDriverDlg : public CDialog {
public:
    CLoadDriverDlg();

    // Shows the window with the bar at done of 0..total and the caption "<text 0393> done/total".
    void ShowProgress(int done, int total);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CProgressCtrl m_progress;
};

// The process's start-up window.
CLoadDriverDlg& LoadDriverDialog();
