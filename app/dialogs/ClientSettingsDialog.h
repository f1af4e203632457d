#pragma once
// CClientSettingsDialog: the modal reduced settings form (template IDD_CLIENT_SETTINGS): the incoming-call pop-up,
// the first recording folder, the language and the client port. Everything it stores takes effect as the file is
// read again; the port only at the next start, since the running server and its clients are left alone. The folder
// picker stores its folder at once, even when the dialog is then cancelled. One stack object per showing, UI thread.

#include "mfc.h"

class CClientSettingsDialog : public CDialog {
public:
    explicit CClientSettingsDialog(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnBrowseRecFolder();
    DECLARE_MESSAGE_MAP()
};
