#pragma once
// CSettingsDlg: the modal server settings (template IDD_SETTINGS), opened by the logged-in operator. It shows the
// settings of Server_Settings.ini and stores them all on OK. The values the service keeps running (ring-signal
// start, missed-call ring, pick-up recording, the client port) change at once; a changed port forces every client
// off and restarts the client server on it. The language takes effect at the next start. Out-of-range values are
// corrected and stored back as the dialog opens, and a folder picker stores its folder at once, even when the
// dialog is then cancelled. One stack object per showing, UI thread.

#include "mfc.h"

class CSettingsDlg : public CDialog {
public:
    explicit CSettingsDlg(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnBrowseRecFolder1();
    afx_msg void OnBrowseRecFolder2();
    afx_msg void OnBrowseRecFolder3();
    afx_msg void OnBrowseRecFolder4();
    afx_msg void OnBrowseRecFolder5();
    DECLARE_MESSAGE_MAP()

private:
    void OnBrowseRecFolder(int folder);
    void ShowRestartTime();
    void StoreRunningValues(int port);
};
