#pragma once
// CComputerDialDialog: the PC dial dialog (template IDD_COMPUTER_DIAL). The operator picks a channel, types a
// number and dials out on a voltage-watched analogue line; the call is placed and recorded by the engine as a
// remote client's dial is, and stays up after the dialog closes unless it is hung up. The last number and channel
// are kept in the settings for the next showing. UI thread.

#include "mfc.h"

class CComputerDialDialog : public CDialog {
public:
    explicit CComputerDialDialog(CWnd* pParent = nullptr);

    // The channel of the last dial attempt of this showing; the opener sets 0.
    int DialChannel = 0;
    // The channel selected when the dialog opens; -1 for the one saved in the settings.
    int PresetChannel = -1;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnDial();
    afx_msg void OnHangUp();
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    // Hangs up the call of DialChannel when this showing placed it and it is still dialled.
    void HangUp();

    int m_placedChannel = -1;  // the channel of the call this showing placed and has not hung up; -1 none
};
