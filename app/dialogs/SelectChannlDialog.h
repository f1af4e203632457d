#pragma once
// CSelectChannlDialog: the modal channel picker (template IDD_SELECT_CHANNELS) of the statistics and call-record
// search forms and of the client accounts' rights. It lists all 512 driver channels, whatever the boards hold, each
// with a check box ticked when its mask byte is 1; OK hands back a mask of 0 and 1 bytes. One stack object per
// showing, UI thread.

#include "common/OperatorDialogs.h"

#include "mfc.h"

class CSelectChannlDialog : public CDialog {
public:
    explicit CSelectChannlDialog(const ChannelMask& mask, CWnd* pParent = nullptr);

    // The opening mask, and after IDOK the ticks: 1 ticked, 0 not.
    const ChannelMask& Mask() const { return m_mask; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelectAll();
    DECLARE_MESSAGE_MAP()

private:
    ChannelMask m_mask;
    CListCtrl m_channelList;
};
