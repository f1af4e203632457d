#include "dialogs/LoginServerAccountDlg.h"

#include "OperatorDialogsResource.h"
#include "common/AppIcons.h"
#include "common/OperatorSession.h"
#include "common/SysLogNow.h"
#include "dialogs/ChannelRightsFile.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/ListSelection.h"
#include "dialogs/SelectChannlDialog.h"
#include "settings/LangText.h"
#include "storage/AccountStore.h"
#include "storage/RecordFields.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr ControlText kTexts[] = {
    {IDC_ACCOUNT_USER_LABEL, L"0165"},    {IDC_ACCOUNT_PASSWORD_LABEL, L"0166"},
    {IDC_ACCOUNT_CONFIRM_LABEL, L"0167"}, {IDC_ACCOUNT_PLAYER, L"0171"},
    {IDC_ACCOUNT_DOWNLOAD, L"0172"},      {IDC_ACCOUNT_DELETE_RIGHT, L"0173"},
    {IDC_ACCOUNT_CHART, L"0174"},         {IDC_ACCOUNT_ADD, L"0168"},
    {IDC_ACCOUNT_MODIFY, L"0169"},        {IDC_ACCOUNT_DELETE, L"0170"},
    {IDC_ACCOUNT_CHANNELS, L"0203"},
};

struct Column {
    const wchar_t* Key;
    int Width;  // pixels
};

constexpr Column kColumns[] = {
    {L"0175", 150}, {L"0176", 100}, {L"0177", 100}, {L"0178", 100}, {L"0179", 100}, {L"0203", 120},
};
constexpr int kChannelsColumn = 5;

// The four rights: their check boxes, in the order of list columns 1-4.
struct RightBox {
    int Id;
    int32_t AccountRecord::*Right;
};

constexpr RightBox kRightBoxes[] = {
    {IDC_ACCOUNT_PLAYER, &AccountRecord::bPlayer},
    {IDC_ACCOUNT_DOWNLOAD, &AccountRecord::bDownload},
    {IDC_ACCOUNT_DELETE_RIGHT, &AccountRecord::bDelete},
    {IDC_ACCOUNT_CHART, &AccountRecord::bChart},
};

// Operators see every channel: their accounts have no rights file.
constexpr int kOperatorChannelCount = kChannelMaskSize;

bool IsAsciiUpper(wchar_t c) {
    return c >= L'A' && c <= L'Z';
}

wchar_t FoldAscii(wchar_t c) {
    return IsAsciiUpper(c) ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// Names match as the account store matches them: exactly, except for ASCII letter case.
bool SameUserName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

AccountRecord* RowAccount(const CListCtrl& list, int row) {
    return reinterpret_cast<AccountRecord*>(list.GetItemData(row));
}

}  // namespace

BEGIN_MESSAGE_MAP(CLoginServerAccountDlg, CDialog)
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_ACCOUNT_ADD, OnAdd)
    ON_BN_CLICKED(IDC_ACCOUNT_MODIFY, OnModify)
    ON_BN_CLICKED(IDC_ACCOUNT_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_ACCOUNT_CHANNELS, OnChannelRights)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_ACCOUNT_LIST, OnItemChanged)
END_MESSAGE_MAP()

CLoginServerAccountDlg::CLoginServerAccountDlg(AccountsMode mode, CWnd* pParent)
    : CDialog(IDD_ACCOUNTS, pParent), m_mode(mode) {}

void CLoginServerAccountDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ACCOUNT_LIST, m_accountList);
}

BOOL CLoginServerAccountDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDialogTexts(this, IsClientMode() ? L"0202" : L"0164", kTexts);
    GetDlgItem(IDC_ACCOUNT_CHANNELS)->EnableWindow(IsClientMode());

    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i)
        m_accountList.InsertColumn(i, LangText(kColumns[i].Key).c_str(), LVCFMT_LEFT, kColumns[i].Width);
    m_accountList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    m_accountList.SetImageList(&AppIconList(), LVSIL_SMALL);

    Store().ForEachAccount([this](const AccountRecord& account) { AddAccountRow(account); });
    return TRUE;
}

void CLoginServerAccountDlg::AddAccountRow(const AccountRecord& account) {
    const int row = m_accountList.InsertItem(m_accountList.GetItemCount(), account.UserName, kIconRoot);
    if (row < 0)
        return;
    ChannelMask rights;
    ReadRightsFile(account.UserFile, rights);
    ShowRights(row, account, CountAllowedChannels(rights));
    if (AccountRecord* copy = new (std::nothrow) AccountRecord(account))
        m_accountList.SetItemData(row, reinterpret_cast<DWORD_PTR>(copy));
}

void CLoginServerAccountDlg::ShowRights(int row, const AccountRecord& account, int allowedChannels) {
    for (int i = 0; i < static_cast<int>(std::size(kRightBoxes)); ++i) {
        const bool granted = account.*kRightBoxes[i].Right != 0;
        m_accountList.SetItem(row, i + 1, LVIF_TEXT | LVIF_IMAGE, LangText(granted ? L"0180" : L"0181").c_str(),
                              granted ? kIconOk : kIconLockRed, 0, 0, 0);
    }
    m_accountList.SetItem(row, kChannelsColumn, LVIF_TEXT | LVIF_IMAGE, std::to_wstring(allowedChannels).c_str(),
                          allowedChannels > 0 ? kIconOk : kIconLockRed, 0, 0, 0);
}

void CLoginServerAccountDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (!IsNewlySelected(*change))
        return;
    const AccountRecord* account = RowAccount(m_accountList, change->iItem);
    if (!account)
        return;
    m_formAccount = *account;
    SetDlgItemText(IDC_ACCOUNT_USER, m_formAccount.UserName);
    SetDlgItemText(IDC_ACCOUNT_PASSWORD, m_formAccount.UserPsw);
    SetDlgItemText(IDC_ACCOUNT_CONFIRM, m_formAccount.UserPsw);
    for (const RightBox& box : kRightBoxes)
        CheckDlgButton(box.Id, m_formAccount.*box.Right ? BST_CHECKED : BST_UNCHECKED);
    ReadRightsFile(m_formAccount.UserFile, m_channelMask);
}

void CLoginServerAccountDlg::OnChannelRights() {
    CSelectChannlDialog picker(m_channelMask, this);
    if (picker.DoModal() == IDOK)
        m_channelMask = picker.Mask();
}

bool CLoginServerAccountDlg::ReadForm(AccountRecord& account, const wchar_t* captionKey) {
    account = {};
    wchar_t confirmation[std::size(AccountRecord{}.UserPsw)] = {};
    GetDlgItemText(IDC_ACCOUNT_USER, account.UserName, std::size(account.UserName) - 1);
    GetDlgItemText(IDC_ACCOUNT_PASSWORD, account.UserPsw, std::size(account.UserPsw) - 1);
    GetDlgItemText(IDC_ACCOUNT_CONFIRM, confirmation, std::size(confirmation) - 1);

    const wchar_t* refusal = nullptr;
    if (!account.UserName[0])
        refusal = L"0183";
    else if (!account.UserPsw[0])
        refusal = L"0184";
    else if (wcscmp(confirmation, account.UserPsw) != 0)
        refusal = L"0182";
    if (refusal) {
        ShowLangMessage(this, refusal, captionKey, MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
    for (const RightBox& box : kRightBoxes)
        account.*box.Right = IsDlgButtonChecked(box.Id) == BST_CHECKED;
    return true;
}

void CLoginServerAccountDlg::OnAdd() {
    AccountRecord account;
    if (!ReadForm(account, L"0168"))
        return;
    if (Store().ExistsUser(account.UserName)) {
        ShowLangMessage(this, L"0187", L"0168", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    if (IsClientMode() && CountAllowedChannels(m_channelMask) == 0) {
        ShowLangMessage(this, L"0208", L"0201", MB_ICONERROR | MB_OK);
        return;
    }
    if (IsClientMode())
        CopyToField(account.UserFile, NewRightsFilePath(account.UserName).c_str());

    if (!Store().Insert(account))
        return;  // nothing was added, so nothing is logged as added
    // The file is made only for an account that exists: a failed insert leaves no stray rights file.
    if (IsClientMode() && WriteRightsFile(account.UserFile, m_channelMask))
        m_channelMask.fill(0);
    AddAccountRow(account);
    // Like every other row of the window side, the row names the operator who made the change.
    WriteAccountLog(kSysLogServerAccountAdded, kSysLogClientAccountAdded, CurrentOperator.UserName, account.UserName);
}

void CLoginServerAccountDlg::OnModify() {
    const int row = m_accountList.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;
    AccountRecord account;
    if (!ReadForm(account, L"0169"))
        return;
    // Two accounts of one name would leave the login to take whichever comes first.
    if (!SameUserName(account.UserName, FieldText(m_formAccount.UserName)) && Store().ExistsUser(account.UserName)) {
        ShowLangMessage(this, L"0187", L"0169", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    CopyToField(account.AutoCode, m_formAccount.AutoCode);
    CopyToField(account.UserFile, m_formAccount.UserFile);
    Store().Update(account);

    int allowedChannels = kOperatorChannelCount;
    if (IsClientMode())
        allowedChannels =
            WriteRightsFile(m_formAccount.UserFile, m_channelMask) ? CountAllowedChannels(m_channelMask) : 0;
    WriteAccountLog(kSysLogServerAccountEdited, kSysLogClientAccountEdited, m_formAccount.UserName, account.UserName);

    m_accountList.SetItemText(row, 0, account.UserName);
    ShowRights(row, account, allowedChannels);
    if (AccountRecord* copy = RowAccount(m_accountList, row))
        *copy = account;
}

void CLoginServerAccountDlg::OnDelete() {
    if (ShowLangMessage(this, L"0185", L"0170", MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    const int row = m_accountList.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return;
    AccountRecord* account = RowAccount(m_accountList, row);
    if (!account || FieldText(account->UserName) == kDefaultAccountName)
        return;  // the built-in account stays, so that somebody can always log in

    Store().Delete(account->AutoCode);
    if (IsClientMode())
        DeleteRightsFile(account->UserFile);
    WriteAccountLog(kSysLogServerAccountDeleted, kSysLogClientAccountDeleted, m_formAccount.UserName,
                    account->UserName);

    m_accountList.SetItemData(row, 0);
    delete account;
    m_accountList.DeleteItem(row);
}

void CLoginServerAccountDlg::OnDestroy() {
    CDialog::OnDestroy();
    std::vector<AccountRecord*> copies;
    for (int row = 0; row < m_accountList.GetItemCount(); ++row)
        copies.push_back(RowAccount(m_accountList, row));
    // The rows go first, so no notification of theirs meets a freed copy.
    m_accountList.DeleteAllItems();
    for (AccountRecord* copy : copies)
        delete copy;
}

AccountStore& CLoginServerAccountDlg::Store() const {
    return IsClientMode() ? ClientAccountStore() : ServerAccountStore();
}

void CLoginServerAccountDlg::WriteAccountLog(int operatorCode, int clientCode, const wchar_t* name,
                                             const wchar_t* notes) const {
    const std::wstring logName = LangText(L"0186") + L" " + name;
    WriteSysLogNow(MakeSysLogEvent(IsClientMode() ? clientCode : operatorCode, logName.c_str(), notes));
}
