#pragma once
// CSearchDBInfoDlg: the progress of a call-record search, a modeless window with the day being read (edit 1043)
// and a progress bar over the days. One process-wide object (TheSearchDBInfoDlg); the main frame creates its window
// hidden at its creation, the call-record search shows, fills and hides it, and closing it only hides it.

#include "mfc.h"

class CSearchDBInfoDlg : public CDialog {
public:
    CSearchDBInfoDlg();

    CProgressCtrl& Progress() { return m_progress; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    CProgressCtrl m_progress;
};

// The process-wide search progress window.
CSearchDBInfoDlg& TheSearchDBInfoDlg();
