#include "dialogs/SearchChartDialog.h"

#include "OperatorDialogsResource.h"
#include "dialogs/ChannelRightsFile.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/SelectChannlDialog.h"
#include "settings/Folders.h"

#include <string>

namespace {

constexpr ControlText kTexts[] = {
    {IDC_SEARCH_FROM_LABEL, L"0214"},
    {IDC_SEARCH_TO_LABEL, L"0215"},
    {IDC_SEARCH_EXTRA_LABEL, L"0216"},
    {IDC_CHART_CHANNELS, L"0217"},
    {IDOK, L"0218"},
    {IDCANCEL, L"0219"},
};

void SetPicker(CWnd* dialog, int id, const SYSTEMTIME& time) {
    dialog->SendDlgItemMessage(id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

void ReadPicker(CWnd* dialog, int id, SYSTEMTIME& time) {
    dialog->SendDlgItemMessage(id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
}

// Fills the form from the file: a short file only the members it holds. False when there is no file.
bool ReadChartFormFile(ChartFormFile& form) {
    const CScopedKernelHandle file(::CreateFileW(ChartFormFilePath().c_str(), GENERIC_READ,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    DWORD read = 0;
    ::ReadFile(file.Get(), &form, sizeof(form), &read, nullptr);
    return true;
}

// A file that cannot be written leaves the last one; the statistics run all the same.
void WriteChartFormFile(const ChartFormFile& form) {
    const CScopedKernelHandle file(::CreateFileW(ChartFormFilePath().c_str(), GENERIC_READ | GENERIC_WRITE,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file.IsValid())
        ::WriteFile(file.Get(), &form, sizeof(form), &written, nullptr);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSearchChartDialog, CDialog)
    ON_BN_CLICKED(IDC_CHART_CHANNELS, OnSelectChannels)
END_MESSAGE_MAP()

std::wstring ChartFormFilePath() {
    return GetExeFolder() + L"\\Chart.abc";
}

CSearchChartDialog::CSearchChartDialog(CWnd* pParent) : CDialog(IDD_SEARCH_CHART, pParent) {
    ::GetLocalTime(&m_form.FromDate);
    m_form.ToDate = m_form.FromDate;
}

BOOL CSearchChartDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDialogTexts(this, L"0213", kTexts);
    if (ReadChartFormFile(m_form)) {
        SetPicker(this, IDC_SEARCH_FROM, m_form.FromDate);
        SetPicker(this, IDC_SEARCH_TO, m_form.ToDate);
        ShowChannelCount();
    }
    return TRUE;
}

void CSearchChartDialog::ShowChannelCount() {
    SetDlgItemInt(IDC_CHART_CHANNEL_COUNT, static_cast<UINT>(CountAllowedChannels(m_form.Channels)), FALSE);
}

void CSearchChartDialog::OnSelectChannels() {
    CSelectChannlDialog picker(m_form.Channels, this);
    if (picker.DoModal() != IDOK)
        return;
    m_form.Channels = picker.Mask();
    ShowChannelCount();
}

void CSearchChartDialog::OnOK() {
    if (CountAllowedChannels(m_form.Channels) == 0) {
        ShowLangMessage(this, L"0220", L"0221", MB_ICONSTOP | MB_OK);
        return;
    }
    ReadPicker(this, IDC_SEARCH_FROM, m_form.FromDate);
    ReadPicker(this, IDC_SEARCH_TO, m_form.ToDate);
    WriteChartFormFile(m_form);
    CDialog::OnOK();
}
