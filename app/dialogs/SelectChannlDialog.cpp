#include "dialogs/SelectChannlDialog.h"

#include "OperatorDialogsResource.h"
#include "channels/ChannelTable.h"
#include "common/AppIcons.h"
#include "dialogs/DialogTexts.h"
#include "settings/LangText.h"
#include "storage/RecordFields.h"

#include <string>

namespace {

constexpr ControlText kTexts[] = {
    {IDC_PICKER_ALL, L"0209"},
    {IDOK, L"0205"},
    {IDCANCEL, L"0206"},
};

constexpr const wchar_t* kColumnKeys[] = {L"0207", L"5055", L"5056", L"0208"};
constexpr int kColumnWidth = 150;  // pixels

// Column 3 shows the opening state; the ticks alone say what OK hands back.
constexpr int kOpeningStateColumn = 3;

}  // namespace

BEGIN_MESSAGE_MAP(CSelectChannlDialog, CDialog)
    ON_BN_CLICKED(IDC_PICKER_ALL, OnSelectAll)
END_MESSAGE_MAP()

CSelectChannlDialog::CSelectChannlDialog(const ChannelMask& mask, CWnd* pParent)
    : CDialog(IDD_SELECT_CHANNELS, pParent), m_mask(mask) {}

void CSelectChannlDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PICKER_LIST, m_channelList);
}

BOOL CSelectChannlDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDialogTexts(this, L"0204", kTexts);
    m_channelList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    m_channelList.SetImageList(&AppIconList(), LVSIL_SMALL);
    for (int i = 0; i < static_cast<int>(std::size(kColumnKeys)); ++i)
        m_channelList.InsertColumn(i, LangText(kColumnKeys[i]).c_str(), LVCFMT_LEFT, kColumnWidth);

    const std::wstring allowed = LangText(L"0180");
    const std::wstring notAllowed = LangText(L"0181");
    for (int channel = 0; channel < kChannelMaskSize; ++channel) {
        const bool chosen = m_mask[channel] == 1;
        const int row = m_channelList.InsertItem(channel, std::to_wstring(channel + 1).c_str(), kIconTel);
        m_channelList.SetItemText(row, 1, std::wstring(FieldText(ChannelTable[channel].Name)).c_str());
        m_channelList.SetItemText(row, 2, std::wstring(FieldText(ChannelTable[channel].Phone)).c_str());
        m_channelList.SetItem(row, kOpeningStateColumn, LVIF_TEXT | LVIF_IMAGE, (chosen ? allowed : notAllowed).c_str(),
                              chosen ? kIconOk : kIconLockRed, 0, 0, 0);
        m_channelList.SetCheck(row, chosen);
    }
    return TRUE;
}

void CSelectChannlDialog::OnSelectAll() {
    const BOOL all = IsDlgButtonChecked(IDC_PICKER_ALL) == BST_CHECKED;
    for (int row = 0; row < m_channelList.GetItemCount(); ++row)
        m_channelList.SetCheck(row, all);
}

void CSelectChannlDialog::OnOK() {
    for (int channel = 0; channel < kChannelMaskSize; ++channel)
        m_mask[channel] = m_channelList.GetCheck(channel) ? 1 : 0;
    CDialog::OnOK();
}
