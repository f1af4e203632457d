#pragma once
// CSearchRecDialog: the call-record search form (template IDD_SEARCH_REC) of a call-record pane. The operator
// describes a date range, an optional time-of-day window, an optional set of channels and conditions on the
// columns of Rec_Table; on OK the form builds the query and keeps the hand-over below for its opener, which then
// searches every day of the range. The form is remembered for the next showing: its texts and check boxes in
// section SearchRec of the settings, its dates, times and channels in SearchRecEx.abc. UI thread.

#include "common/OperatorDialogs.h"

#include "mfc.h"

#include <string>

class CSearchRecDialog : public CDialog {
public:
    // category: the calling pane's ViewIndex, 3 (all calls) to 9 (search results). The four times are now.
    explicit CSearchRecDialog(unsigned category, CWnd* pParent = nullptr);

    // The hand-over, complete after IDOK.
    SYSTEMTIME FromDate;
    SYSTEMTIME ToDate;
    SYSTEMTIME FromTime;  // the time-of-day window
    SYSTEMTIME ToTime;
    int UseTimeWindow = 0;  // 1: only calls whose time of day lies in the window
    std::wstring Query;     // "select * from Rec_Table where(DoubleDate >0 ..."
    unsigned Category;
    ChannelMask Channels{};  // all 1 when the form restricts no channel

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelectChannels();
    DECLARE_MESSAGE_MAP()

private:
    void ReadFormFile();
    // Writes the four time members and the channels; a file that cannot be made is skipped.
    void WriteFormFile() const;
    void ShowChannelCount();
    std::wstring BuildQuery();
};
