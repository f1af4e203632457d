#pragma once
// CChannelParamSetDialog: the modal dialog (template IDD_CHANNEL_PARAM) in which the operator edits one channel's
// configuration: name and phone, recording mode with its keys or voice detection, caller-id format, pick-up
// voltage and hook times, the weekly record-all and auto-answer windows, the announcement and the greeting.
//
// It edits a copy: the opener fills the public fields (ChannelParamFields) before DoModal and, after IDOK only,
// reads them back and stores them. The dialog writes nothing else; of the live channel it reads only the line
// type, which decides the controls that apply. UI thread.

#include "common/OperatorDialogs.h"

#include "mfc.h"

class CChannelParamSetDialog : public CDialog, public ChannelParamFields {
public:
    // Every field zeroed.
    explicit CChannelParamSetDialog(int channel);

    int Channel;  // driver channel, index into ChannelTable

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSetRecordAllDay();
    afx_msg void OnSetAutoAnswerDay();
    afx_msg void OnBrowseAnnouncement();
    afx_msg void OnBrowseAutoAnswer();
    afx_msg void OnSelChangeRec();
    afx_msg void OnSelChangeRecordAllDay();
    afx_msg void OnSelChangeAutoAnswerDay();
    DECLARE_MESSAGE_MAP()

private:
    // The key and voice groups follow the recording mode; a mode outside 0..2 changes nothing.
    void ApplyModeRule(int mode);
    // The controls that do not apply to the channel's line type are disabled.
    void ApplyTypeRule();
    bool IsVoltageWatchedChannel() const;
    // Shows the text of the key in a message box, then selects the edit's text and gives it the focus.
    void Refuse(const wchar_t* textKey, int editId);
    void BrowseSoundFile(int editId, const wchar_t* defaultName);
};
