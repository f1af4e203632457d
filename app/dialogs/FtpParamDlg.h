#pragma once
// CFtpParamDlg: the modal FTP settings dialog (template IDD_FTP_PARAM), opened from the FTP log pane's toolbar.
// It shows the FTP keys of section Settings and writes them all back on OK; the upload thread reads them again
// at its next pass. UI thread.

#include "mfc.h"

class CFtpParamDlg : public CDialog {
public:
    explicit CFtpParamDlg(CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CIPAddressCtrl m_server;
    CDateTimeCtrl m_from;
    CDateTimeCtrl m_to;
};
