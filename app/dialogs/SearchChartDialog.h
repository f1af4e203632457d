#pragma once
// CSearchChartDialog: the modal statistics form (template IDD_SEARCH_CHART): a date range and a set of channels,
// which the statistics pane counts after IDOK. The form opens with the last accepted conditions, kept in Chart.abc
// in the program folder; only OK writes that file. OK needs at least one channel. One stack object per showing, UI
// thread.

#include "common/OperatorDialogs.h"

#include "mfc.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Chart.abc: the last accepted form, 544 bytes in this layout, no header.
struct ChartFormFile {
    SYSTEMTIME FromDate;  // as in memory: eight little-endian 16-bit fields
    SYSTEMTIME ToDate;
    ChannelMask Channels;
};

static_assert(sizeof(SYSTEMTIME) == 16);
static_assert(sizeof(ChartFormFile) == 544);
static_assert(offsetof(ChartFormFile, ToDate) == 16);
static_assert(offsetof(ChartFormFile, Channels) == 32);

class CSearchChartDialog : public CDialog {
public:
    // Both dates now, no channel.
    explicit CSearchChartDialog(CWnd* pParent = nullptr);

    // After IDOK: the dates of the pickers and the channels chosen (1 = chosen).
    const ChartFormFile& Form() const { return m_form; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelectChannels();
    DECLARE_MESSAGE_MAP()

private:
    void ShowChannelCount();

    ChartFormFile m_form{};
};

// "<program folder>\Chart.abc"
std::wstring ChartFormFilePath();
