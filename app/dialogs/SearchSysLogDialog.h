#pragma once
// CSearchSysLogDialog: the modal system-log search (template IDD_SEARCH_SYSLOG): a date range and a group of events,
// which the system-log pane searches after IDOK. The form remembers nothing: its pickers open on today. One stack
// object per showing, UI thread.

#include "common/OperatorDialogs.h"

#include "mfc.h"

class CSearchSysLogDialog : public CDialog {
public:
    // Both dates now, all events.
    explicit CSearchSysLogDialog(CWnd* pParent = nullptr);

    // After IDOK: the dates of the pickers and the group chosen (0 all, 1 start and exit, 2 copies, 3 deletions,
    // 4 failed record inserts).
    const SysLogSearchQuery& Query() const { return m_query; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    SysLogSearchQuery m_query{};
};
