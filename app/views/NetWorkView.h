#pragma once
// CNetWorkView: the connected-clients pane (template IDD_NETWORK_VIEW), the log of the remote clients' logins,
// keep-alive timeouts and logouts, one row per event with a copy of its record. It lives only in the list, which
// keeps at most 1999 rows. The toolbar forces every connection of the selected row's user off the server and
// clears the list.
//
// Created, shown and destroyed by the right view on the UI thread. AddClientRow may be called from any thread:
// the insertion and its trim run as one message on the pane's thread.

#include "records/ProtocolRecords.h"

#include "mfc.h"

class CNetWorkView;

// Appends a row for the event (the record stays the caller's); the oldest row goes when the list passes 1999.
void AddClientRow(CNetWorkView* pane, const ClientEventRecord& event);

class CNetWorkView : public CDialog {
public:
    CNetWorkView();

    CListCtrl& List() { return m_list; }
    // The record copy of a row; null for a row without one.
    const ClientEventRecord* RowRecord(int row) const;

    // UI thread.
    void AddRow(const ClientEventRecord& event);
    // Frees every row's record and deletes the rows.
    void ClearRows();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnRunPaneCall(WPARAM wParam, LPARAM lParam);
    afx_msg void OnForceOffline();
    afx_msg void OnClearPaneList();
    DECLARE_MESSAGE_MAP()

private:
    void DeleteRow(int row);

    CImageList m_toolBarImages;
    CToolBar m_toolBar;
    CListCtrl m_list;
};
