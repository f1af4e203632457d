#pragma once
// CRecFileInforDialog: the details of one recorded call (template IDD_REC_FILE_INFO), with four actions on it: copy
// the recording into a folder the operator chooses, edit the call's notes, show the customer contact linked to the
// call, and play the recording. The opener zeroes Record and copies the selected row's record into it; the dialog
// works on that copy, only the notes reach the call's daily database, and nothing is handed back. UI thread.

#include "records/EngineRecords.h"

#include "mfc.h"

class CRecFileInforDialog : public CDialog {
public:
    explicit CRecFileInforDialog(CWnd* pParent = nullptr);

    CallRecord Record{};

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnExportCopy();
    afx_msg void OnUpdateNotes();
    afx_msg void OnShowContact();
    afx_msg void OnPlay();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    void ShowNotes();
};
