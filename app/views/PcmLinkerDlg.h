#pragma once
// CPcmLinkerDlg: the PCM monitor, a modeless window that lists the digital trunk links of the boards, one row per
// link (number, status word, time of the last reading). One process-wide object (ThePcmLinkerDlg); the main frame
// creates its window hidden at its creation, the channel pane shows it, and closing it only hides it. The
// recording service fills it through the window side's service view, on the UI thread.

#include "mfc.h"

#include <cstdint>

class CPcmLinkerDlg : public CDialog {
public:
    CPcmLinkerDlg();

    // The row of a link, appended when the list has no row for it yet: "%d" of the link, the status word with its
    // low 4 bits ("%08X(%02X)") and the time. UI thread.
    void ShowLinkRow(int link, uint32_t status, const SYSTEMTIME& time);

    CListCtrl& LinkList() { return m_linkList; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    CListCtrl m_linkList;
};

// The process-wide PCM monitor.
CPcmLinkerDlg& ThePcmLinkerDlg();
