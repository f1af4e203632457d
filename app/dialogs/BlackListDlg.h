#pragma once
// CBlackListDlg: the modal blacklist (template IDD_BLACKLIST): the numbers whose calls the service does not keep
// when the settings say so. Adding and deleting act on the Blacklist table at once; there is nothing to confirm on
// closing. Clicking a row copies its number and note into the edits. One stack object per showing, UI thread.
//
// Each row keeps a heap copy of its entry as its item data, owned by the dialog and freed when the window is
// destroyed.

#include "records/StorageRecords.h"

#include "mfc.h"

class CBlackListDlg : public CDialog {
public:
    explicit CBlackListDlg(CWnd* pParent = nullptr);

    // Appends a row for the entry: its number and note.
    void AddBlacklistRow(const BlacklistRecord& entry);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CListCtrl m_blacklist;
};
