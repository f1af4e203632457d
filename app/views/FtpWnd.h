#pragma once
// CFtpWnd: the FTP log pane, a child dialog (template IDD_FTP_LOG) among the right-hand view's list panes. It
// owns the FTP backup: its upload thread runs from the pane's initialisation to its destruction, and every step
// of a job becomes a row of the pane's log list through AddStatusRow. The log keeps at most 2000 rows; the
// toolbar opens the FTP settings and clears the log.
//
// Created, shown and destroyed by the right-hand view on the UI thread. AddStatusRow may be called from any
// thread: it talks to the list only through messages, which the UI thread serves.

#include "backup/FtpBackup.h"

#include "mfc.h"

class CFtpWnd : public CDialog {
public:
    // appIcons: the application's icon list, the log list's small images (not owned; may be null).
    explicit CFtpWnd(CImageList* appIcons = nullptr, const FtpBackupTiming& timing = {});

    // Adds the row of one step of a job: number, time, status (a FtpStatus) and the recording's path. When the
    // log is full, its 500 oldest rows go first.
    void AddStatusRow(const FtpJob& job, int status);

    FtpBackup& Backup() { return m_backup; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnFtpSettings();
    afx_msg void OnClearList();
    DECLARE_MESSAGE_MAP()

private:
    void CreateToolBar();

    CImageList* m_appIcons;  // not owned
    FtpBackup m_backup;      // the upload queue and thread
    CImageList m_toolBarImages;
    CToolBar m_toolBar;
    CListCtrl m_logList;
};
