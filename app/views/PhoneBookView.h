#pragma once
// CPhoneBookView: the phone-book pane (template IDD_PHONE_BOOK_VIEW), the contacts of the contact database, one row
// per contact with a copy of its record. The operator adds, edits, deletes and searches contacts through the
// contact forms; each change goes to the database first, is logged under the operator's name, and then shows in
// the list. The main frame fills the list with every contact at its creation.
//
// UI thread: created, shown and destroyed by the right view.

#include "records/StorageRecords.h"

#include "mfc.h"

class CPhoneBookView;

// Appends a row for the contact (the record stays the caller's). Nothing happens without a pane window.
void AddContactRow(const ContactRecord& contact, CPhoneBookView* pane);

class CPhoneBookView : public CDialog {
public:
    CPhoneBookView();

    CListCtrl& List() { return m_list; }
    // The record copy of a row; null for a row without one.
    const ContactRecord* RowRecord(int row) const;

    void AddRow(const ContactRecord& contact);
    // Frees every row's record and deletes the rows.
    void ClearRows();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnAddContact();
    afx_msg void OnEditContact();
    afx_msg void OnDeleteContact();
    afx_msg void OnSearchContact();
    afx_msg void OnClearPaneList();
    afx_msg void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void ShowContact(int row, const ContactRecord& contact);
    void DeleteRow(int row);

    CImageList m_toolBarImages;
    CToolBar m_toolBar;
    CListCtrl m_list;
};
