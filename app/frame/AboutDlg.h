#pragma once
// CAboutDlg: the About box (dialog 100), modal, opened by the application's About command: the product texts of
// the current language, the fixed version text, the OEM company data and the OEM logo. UI thread.

#include "mfc.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
